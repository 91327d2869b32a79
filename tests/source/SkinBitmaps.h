#pragma once
// Bitmaps for the skin drawing tests: pictures whose every pixel tells where
// it came from, and a filled canvas to draw them on.
#include "Graphics.h"

#include <memory>

// The colour of pixel (x, y) of a coded picture: unique per position, never
// white and never the magenta key.
inline TColor CodedColor(int x, int y)
{
    return RGB(10 * x + 5, 10 * y + 5, 77);
}

// A W x H picture of coded colours.
inline std::unique_ptr<TBitmap> CodedBitmap(int w, int h)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp->Canvas()->SetPixels(x, y, CodedColor(x, y));
    return bmp;
}

// A W x H bitmap filled with one colour.
inline std::unique_ptr<TBitmap> FilledBitmap(int w, int h, TColor color)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(w, h);
    bmp->Canvas()->Brush()->SetColor(color);
    bmp->Canvas()->FillRect(Rect(0, 0, w, h));
    return bmp;
}
