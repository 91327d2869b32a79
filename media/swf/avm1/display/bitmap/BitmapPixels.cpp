#include "BitmapPixels.h"

#include <algorithm>

namespace swf::avm1 {

BitmapPixels::BitmapPixels(int width, int height, bool transparent, uint32_t fill)
    : pixels(width, height, QImage::Format_ARGB32_Premultiplied), hasAlpha(transparent)
{
    pixels.fill(stored(fill));
}

// Channels are multiplied by alpha with rounding and divided back with
// halves rounded down: the pair reproduces the original player's values.
uint32_t BitmapPixels::premultiply(uint32_t argb)
{
    uint32_t a = argb >> 24;
    if (a == 255)
        return argb;
    uint32_t out = a << 24;
    for (int shift = 0; shift < 24; shift += 8)
        out |= ((argb >> shift & 0xFF) * a + 127) / 255 << shift;
    return out;
}

uint32_t BitmapPixels::unmultiply(uint32_t premultiplied)
{
    uint32_t a = premultiplied >> 24;
    if (a == 255 || a == 0)
        return a == 0 ? 0 : premultiplied;
    uint32_t out = a << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        uint32_t c = ((premultiplied >> shift & 0xFF) * 255 + (a - 1) / 2) / a;
        out |= std::min<uint32_t>(c, 255) << shift;
    }
    return out;
}

uint32_t BitmapPixels::stored(uint32_t argb) const
{
    return hasAlpha ? premultiply(argb) : argb | 0xFF000000u;
}

uint32_t BitmapPixels::pixel32(int x, int y) const
{
    if (!pixels.rect().contains(x, y))
        return 0;
    return hasAlpha ? unmultiply(raw(x, y)) : raw(x, y);
}

void BitmapPixels::setPixel32(int x, int y, uint32_t argb)
{
    if (pixels.rect().contains(x, y))
        store(x, y, argb);
}

void BitmapPixels::setPixel(int x, int y, uint32_t rgb)
{
    if (pixels.rect().contains(x, y))
        setPixel32(x, y, (pixel32(x, y) & 0xFF000000u) | (rgb & 0xFFFFFF));
}

void BitmapPixels::fillRect(const QRect &area, uint32_t argb)
{
    QRect inside = area.intersected(pixels.rect());
    uint32_t value = stored(argb);
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto *line = reinterpret_cast<uint32_t *>(pixels.scanLine(y));
        std::fill(line + inside.left(), line + inside.right() + 1, value);
    }
}

}
