#pragma once
// Questions asked of a script bitmap's pixels: how two bitmaps differ,
// where a colour is, and whether opaque enough pixels meet.
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <optional>

namespace swf::avm1 {

class BitmapPixels;

// The pixels by which `a` differs from `b` (same size): where the colour
// differs, 0xFF and the channel differences; where only alpha differs,
// that difference over white; elsewhere 0. Null when they are equal.
std::optional<BitmapPixels> difference(const BitmapPixels &a, const BitmapPixels &b);

// The smallest rectangle holding every pixel whose masked colour is (or,
// findColor false, is not) `color`; empty when there is none.
QRect colorBounds(const BitmapPixels &bitmap, uint32_t mask, uint32_t color, bool findColor);

// Whether any pixel of `bitmap` inside `area` has at least `alpha`.
bool opaqueWithin(const BitmapPixels &bitmap, const QRect &area, int alpha);
// Whether the pixel at `point` has at least `alpha`; a fully transparent
// one never has.
bool opaqueAt(const BitmapPixels &bitmap, const QPoint &point, int alpha);
// Whether `a` placed at `aAt` and `b` at `bAt` have a place where both are
// at least as opaque as their thresholds.
bool opaqueOverlap(const BitmapPixels &a, const QPoint &aAt, int aAlpha, const BitmapPixels &b, const QPoint &bAt,
                   int bAlpha);

}
