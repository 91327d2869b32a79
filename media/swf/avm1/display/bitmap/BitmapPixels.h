#pragma once
// The pixels of a script bitmap (BitmapData). They are kept premultiplied,
// as the original player keeps them, so a colour with partial alpha reads
// back slightly changed exactly as movies expect; an opaque bitmap keeps
// every pixel at full alpha.
#include <QImage>
#include <QRect>

#include <cstdint>

namespace swf::avm1 {

class BitmapPixels {
public:
    // `fill`: unmultiplied 0xAARRGGBB.
    BitmapPixels(int width, int height, bool transparent, uint32_t fill);

    int width() const { return pixels.width(); }
    int height() const { return pixels.height(); }
    bool transparent() const { return hasAlpha; }
    QRect rect() const { return pixels.rect(); }

    // Unmultiplied 0xAARRGGBB; 0 outside the bitmap.
    uint32_t pixel32(int x, int y) const;
    // Sets a pixel (outside: nothing); an opaque bitmap ignores the alpha.
    void setPixel32(int x, int y, uint32_t argb);
    // Sets the colour and keeps the pixel's alpha.
    void setPixel(int x, int y, uint32_t rgb);
    // Fills the part of `area` inside the bitmap.
    void fillRect(const QRect &area, uint32_t argb);

    // The premultiplied value as stored, and storing one as it is (the
    // original player writes copied and computed pixels this way, even into
    // an opaque bitmap). Both take a place inside the bitmap.
    uint32_t raw(int x, int y) const { return reinterpret_cast<const uint32_t *>(pixels.constScanLine(y))[x]; }
    void setRaw(int x, int y, uint32_t premultiplied)
    {
        reinterpret_cast<uint32_t *>(pixels.scanLine(y))[x] = premultiplied;
    }
    // Stores an unmultiplied colour as setPixel32 does, at a place inside.
    void store(int x, int y, uint32_t argb) { setRaw(x, y, stored(argb)); }

    // The premultiplied picture, for drawing it and drawing into it.
    const QImage &image() const { return pixels; }
    QImage &image() { return pixels; }

    static uint32_t premultiply(uint32_t argb);
    static uint32_t unmultiply(uint32_t premultiplied);

    // An unmultiplied colour as this bitmap stores it.
    uint32_t stored(uint32_t argb) const;

private:

    QImage pixels;
    bool hasAlpha;
};

}
