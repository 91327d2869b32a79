#pragma once
// The BMP file format: reading every common variant into RGB32 pixels and
// writing them back at a chosen depth.
#include "Graphics.h"

#include <QByteArray>
#include <QImage>

// The largest bitmap accepted: sides up to 32767 and 64 MB of pixels.
constexpr bool BitmapSizeAllowed(qint64 Width, qint64 Height)
{
    return Width >= 0 && Height >= 0 && Width <= 32767 && Height <= 32767 && Width * Height <= qint64(4096) * 4096;
}

// Decodes a whole BMP file. Raises EInvalidGraphic naming what is wrong when
// the headers lie or the data is short; never allocates more than the
// bitmap size limits allow.
QImage ReadBmp(const QByteArray &Data, TPixelFormat *Format);

// Encodes RGB32 pixels as a bottom-up BMP file at the depth of Format
// (pfDevice and pfCustom write 24 bits per pixel).
QByteArray WriteBmp(const QImage &Image, TPixelFormat Format);
