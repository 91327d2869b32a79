#pragma once
// Decodes the bitmap tags into premultiplied ARGB images.
#include <QByteArray>
#include <QImage>

namespace swf {

class BitReader;

// Images wider, taller or larger than this are refused rather than allocated.
constexpr int kMaxBitmapSide = 8192;
constexpr qint64 kMaxBitmapPixels = 16 * 1024 * 1024;

// DefineBits: the tag's JPEG data completed by the movie's JPEGTables.
QImage readDefineBits(BitReader &in, const QByteArray &jpegTables);
// DefineBitsJPEG2, 3 and 4 (JPEG, PNG or GIF data; version 3 adds zlib
// alpha, version 4 a deblocking strength).
QImage readDefineBitsJpeg(BitReader &in, int version);
// DefineBitsLossless 1 and 2 (colour-mapped, 15-bit and 32-bit formats).
QImage readDefineBitsLossless(BitReader &in, bool withAlpha);

}
