#include "BitmapCopy.h"

#include "BitmapColorOps.h"
#include "BitmapPixels.h"

namespace swf::avm1 {

namespace {

uint32_t scaled(uint32_t premultiplied, uint32_t alpha)
{
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8)
        out |= ((premultiplied >> shift & 0xFF) * alpha + 127) / 255 << shift;
    return out;
}

uint32_t over(uint32_t top, uint32_t under)
{
    return top + scaled(under, 255 - (top >> 24));
}

}

void copyPixels(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
                const AlphaSource &alpha, bool mergeAlpha)
{
    QPoint at = to;
    QRect from = clippedCopyArea(dest, source, area, at);
    if (from.isEmpty())
        return;
    QImage copy = source.image().copy(from);
    QPoint alphaOffset = alpha.at - area.topLeft();
    for (int y = 0; y < from.height(); ++y) {
        const auto *line = reinterpret_cast<const uint32_t *>(copy.constScanLine(y));
        for (int x = 0; x < from.width(); ++x) {
            uint32_t value = line[x];
            if (alpha.bitmap)
                value = scaled(value, alpha.bitmap->pixel32(from.x() + x + alphaOffset.x(),
                                                            from.y() + y + alphaOffset.y()) >> 24);
            int dx = at.x() + x, dy = at.y() + y;
            if (!dest.transparent())
                dest.store(dx, dy, over(value, 0xFF000000u));
            else
                dest.setRaw(dx, dy, mergeAlpha ? over(value, dest.raw(dx, dy)) : value);
        }
    }
}

void scroll(BitmapPixels &bitmap, int dx, int dy)
{
    QRect moved = bitmap.rect().translated(dx, dy).intersected(bitmap.rect());
    if (moved.isEmpty())
        return;
    QImage copy = bitmap.image().copy(moved.translated(-dx, -dy));
    for (int y = 0; y < moved.height(); ++y) {
        const auto *line = reinterpret_cast<const uint32_t *>(copy.constScanLine(y));
        for (int x = 0; x < moved.width(); ++x)
            bitmap.setRaw(moved.x() + x, moved.y() + y, line[x]);
    }
}

}
