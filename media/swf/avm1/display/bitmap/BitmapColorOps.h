#pragma once
// Operations that change the colours of an area of a script bitmap, from
// its own pixels or from those of another bitmap.
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace swf::avm1 {

class BitmapPixels;
class ColorTransformData;

void transformColors(BitmapPixels &bitmap, const QRect &area, const ColorTransformData &colors);

enum class Comparison { Less, LessOrEqual, Greater, GreaterOrEqual, Equal, NotEqual };
// "<", "<=", ">", ">=", "==", "!="; anything else compares as "<".
Comparison comparisonNamed(const QString &name);

struct ThresholdTest {
    Comparison comparison = Comparison::Equal;
    uint32_t threshold = 0;
    uint32_t mask = 0xFFFFFFFFu;
    uint32_t color = 0; // unmultiplied 0xAARRGGBB
    bool copySource = false;
};
// Tests each source pixel of `area` (masked, premultiplied as stored)
// against the threshold and writes `color` at the matching place from `to`
// in `dest`, or the source pixel when it fails and copySource is set.
// Returns how many pixels passed.
int threshold(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
              const ThresholdTest &test);

// One table of 256 entries for each of red, green, blue and alpha; a
// missing table keeps its channel as it is.
using PaletteTables = std::array<std::optional<std::array<uint32_t, 256>>, 4>;
// Each pixel becomes the sum of its channels' table entries.
void paletteMap(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
                const PaletteTables &tables);

// Channels are the flags 1 red, 2 green, 4 blue, 8 alpha.
void copyChannel(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
                 int sourceChannel, int destChannel);

// Mixes each channel: (source * multiplier + dest * (256 - multiplier)) / 256,
// multipliers red, green, blue, alpha.
void merge(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
           const std::array<int, 4> &multipliers);

// Paints the pixels of the colour at (x, y) that join it side by side
// with `color` (unmultiplied).
void floodFill(BitmapPixels &bitmap, int x, int y, uint32_t color);

// The part of `area` inside `source` whose place from `to` is inside
// `dest`, as source rectangle; `to` moves with it.
QRect clippedCopyArea(const BitmapPixels &dest, const BitmapPixels &source, QRect area, QPoint &to);

}
