#include "BitmapColorOps.h"

#include "BitmapPixels.h"
#include "swf/avm1/display/geom/ColorTransformData.h"

#include <algorithm>
#include <vector>

namespace swf::avm1 {

namespace {

uint32_t channel(uint32_t argb, int shift) { return argb >> shift & 0xFF; }

// The multipliers in 8.8 fixed point as the original player applies them;
// a transform that only raises alpha leaves the bitmap as it is there.
bool changesNothing(const ColorTransform &t)
{
    return t.mult[0] == 256 && t.mult[1] == 256 && t.mult[2] == 256 && t.mult[3] >= 256 && t.add[0] == 0
        && t.add[1] == 0 && t.add[2] == 0 && t.add[3] == 0;
}

int shiftOf(int channelFlag)
{
    switch (channelFlag) {
    case 1: return 16;
    case 2: return 8;
    case 4: return 0;
    case 8: return 24;
    default: return -1;
    }
}

}

QRect clippedCopyArea(const BitmapPixels &dest, const BitmapPixels &source, QRect area, QPoint &to)
{
    QRect inSource = area.intersected(source.rect());
    to += inSource.topLeft() - area.topLeft();
    QRect inDest = QRect(to, inSource.size()).intersected(dest.rect());
    QRect out = inDest.translated(inSource.topLeft() - to);
    to = inDest.topLeft();
    return out;
}

void transformColors(BitmapPixels &bitmap, const QRect &area, const ColorTransformData &colors)
{
    ColorTransform t = colors.toDisplay();
    if (changesNothing(t))
        return;
    QRect inside = area.intersected(bitmap.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            uint32_t argb = bitmap.pixel32(x, y);
            if (bitmap.transparent() && argb >> 24 == 0)
                continue;
            uint32_t out = 0;
            for (int i = 0; i < 4; ++i) {
                int shift = i == 3 ? 24 : 16 - 8 * i;
                int value = (int(channel(argb, shift)) * t.mult[i] >> 8) + t.add[i];
                out |= uint32_t(std::clamp(value, 0, 255)) << shift;
            }
            bitmap.store(x, y, out);
        }
    }
}

void floodFill(BitmapPixels &bitmap, int x, int y, uint32_t color)
{
    if (!bitmap.rect().contains(x, y))
        return;
    uint32_t from = bitmap.raw(x, y), to = bitmap.stored(color);
    if (from == to)
        return;
    // Each pixel is painted as it is queued, so it is queued once.
    std::vector<QPoint> pending{QPoint(x, y)};
    bitmap.setRaw(x, y, to);
    while (!pending.empty()) {
        QPoint p = pending.back();
        pending.pop_back();
        for (QPoint next : {p + QPoint(1, 0), p - QPoint(1, 0), p + QPoint(0, 1), p - QPoint(0, 1)}) {
            if (bitmap.rect().contains(next) && bitmap.raw(next.x(), next.y()) == from) {
                bitmap.setRaw(next.x(), next.y(), to);
                pending.push_back(next);
            }
        }
    }
}

Comparison comparisonNamed(const QString &name)
{
    static const std::pair<const char *, Comparison> names[] = {
        {"<=", Comparison::LessOrEqual}, {">", Comparison::Greater},   {">=", Comparison::GreaterOrEqual},
        {"==", Comparison::Equal},       {"!=", Comparison::NotEqual},
    };
    for (const auto &[text, comparison] : names)
        if (name == QLatin1String(text))
            return comparison;
    return Comparison::Less;
}

int threshold(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
              const ThresholdTest &test)
{
    QPoint at = to;
    QRect from = clippedCopyArea(dest, source, area, at);
    uint32_t limit = test.threshold & test.mask;
    uint32_t color = BitmapPixels::premultiply(test.color);
    int passed = 0;
    // Reads the whole source area first: the source may be the bitmap written.
    std::vector<uint32_t> values;
    values.reserve(size_t(from.width()) * size_t(std::max(from.height(), 0)));
    for (int y = from.top(); y <= from.bottom(); ++y)
        for (int x = from.left(); x <= from.right(); ++x)
            values.push_back(source.raw(x, y));
    size_t i = 0;
    for (int y = 0; y < from.height(); ++y) {
        for (int x = 0; x < from.width(); ++x) {
            uint32_t value = values[i++];
            uint32_t masked = value & test.mask;
            bool pass = false;
            switch (test.comparison) {
            case Comparison::Less: pass = masked < limit; break;
            case Comparison::LessOrEqual: pass = masked <= limit; break;
            case Comparison::Greater: pass = masked > limit; break;
            case Comparison::GreaterOrEqual: pass = masked >= limit; break;
            case Comparison::Equal: pass = masked == limit; break;
            case Comparison::NotEqual: pass = masked != limit; break;
            }
            if (pass) {
                dest.setRaw(at.x() + x, at.y() + y, color);
                ++passed;
            } else if (test.copySource) {
                dest.setRaw(at.x() + x, at.y() + y, value);
            }
        }
    }
    return passed;
}

// The operations below read the source area into a copy first, so a bitmap
// may be both source and destination.
namespace {

template <class Combine>
void combine(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to, Combine fn)
{
    QPoint at = to;
    QRect from = clippedCopyArea(dest, source, area, at);
    if (from.isEmpty())
        return;
    QImage copy = source.image().copy(from);
    for (int y = 0; y < from.height(); ++y) {
        const auto *line = reinterpret_cast<const uint32_t *>(copy.constScanLine(y));
        for (int x = 0; x < from.width(); ++x) {
            uint32_t s = source.transparent() ? BitmapPixels::unmultiply(line[x]) : line[x];
            int dx = at.x() + x, dy = at.y() + y;
            dest.store(dx, dy, fn(s, dest.pixel32(dx, dy)));
        }
    }
}

}

void paletteMap(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
                const PaletteTables &tables)
{
    static const int shifts[4] = {16, 8, 0, 24};
    combine(dest, source, area, to, [&](uint32_t s, uint32_t) {
        uint32_t out = 0;
        for (int i = 0; i < 4; ++i) {
            uint32_t c = channel(s, shifts[i]);
            out += tables[i] ? (*tables[i])[c] : c << shifts[i];
        }
        return out;
    });
}

void copyChannel(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
                 int sourceChannel, int destChannel)
{
    int from = shiftOf(sourceChannel), into = shiftOf(destChannel);
    if (from < 0 || into < 0)
        return;
    combine(dest, source, area, to, [&](uint32_t s, uint32_t d) {
        return (d & ~(0xFFu << into)) | channel(s, from) << into;
    });
}

void merge(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
           const std::array<int, 4> &multipliers)
{
    static const int shifts[4] = {16, 8, 0, 24};
    combine(dest, source, area, to, [&](uint32_t s, uint32_t d) {
        uint32_t out = 0;
        for (int i = 0; i < 4; ++i) {
            int m = multipliers[i];
            int c = (int(channel(s, shifts[i])) * m + int(channel(d, shifts[i])) * (256 - m)) / 256;
            out |= uint32_t(std::clamp(c, 0, 255)) << shifts[i];
        }
        return out;
    });
}

}
