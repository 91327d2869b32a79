#include "BitmapScan.h"

#include "BitmapPixels.h"

namespace swf::avm1 {

std::optional<BitmapPixels> difference(const BitmapPixels &a, const BitmapPixels &b)
{
    BitmapPixels out(a.width(), a.height(), true, 0);
    bool differs = false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            uint32_t p = a.pixel32(x, y), q = b.pixel32(x, y);
            if (p == q)
                continue;
            differs = true;
            if ((p & 0xFFFFFF) != (q & 0xFFFFFF)) {
                uint32_t rgb = 0;
                for (int shift = 0; shift < 24; shift += 8)
                    rgb |= (((p >> shift) - (q >> shift)) & 0xFF) << shift;
                out.store(x, y, 0xFF000000u | rgb);
            } else {
                out.store(x, y, (((p >> 24) - (q >> 24)) & 0xFF) << 24 | 0xFFFFFF);
            }
        }
    }
    return differs ? std::optional<BitmapPixels>(std::move(out)) : std::nullopt;
}

QRect colorBounds(const BitmapPixels &bitmap, uint32_t mask, uint32_t color, bool findColor)
{
    // An opaque bitmap compares colours only; a transparent one compares
    // its masked pixels with the colour as given, and a zero mask matches
    // every pixel.
    auto matches = [&](uint32_t argb) {
        if (!bitmap.transparent())
            return (argb & mask & 0xFFFFFF) == (color & 0xFFFFFF);
        return mask == 0 || (argb & mask) == color;
    };
    QRect found;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            if (matches(bitmap.pixel32(x, y)) == findColor)
                found |= QRect(x, y, 1, 1);
    return found;
}

namespace {

bool reaches(uint32_t argb, int alpha)
{
    return int(argb >> 24) >= alpha;
}

}

bool opaqueWithin(const BitmapPixels &bitmap, const QRect &area, int alpha)
{
    QRect inside = area.intersected(bitmap.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (reaches(bitmap.pixel32(x, y), alpha))
                return true;
    return false;
}

bool opaqueAt(const BitmapPixels &bitmap, const QPoint &point, int alpha)
{
    uint32_t argb = bitmap.pixel32(point.x(), point.y());
    return argb >> 24 != 0 && reaches(argb, alpha);
}

bool opaqueOverlap(const BitmapPixels &a, const QPoint &aAt, int aAlpha, const BitmapPixels &b, const QPoint &bAt,
                   int bAlpha)
{
    QRect common = a.rect().translated(aAt).intersected(b.rect().translated(bAt));
    for (int y = common.top(); y <= common.bottom(); ++y)
        for (int x = common.left(); x <= common.right(); ++x)
            if (reaches(a.pixel32(x - aAt.x(), y - aAt.y()), aAlpha)
                && reaches(b.pixel32(x - bAt.x(), y - bAt.y()), bAlpha))
                return true;
    return false;
}

}
