#include "SwfBitmap.h"

#include "SwfBitReader.h"
#include "SwfError.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <zlib.h>

namespace swf {

namespace {

// Some writers put an end-of-image and a start-of-image marker before the
// real JPEG data; the decoder stops at the first end marker, so drop them.
QByteArray stripErroneousHeader(QByteArray data)
{
    static const QByteArray kErroneous("\xFF\xD9\xFF\xD8", 4);
    while (data.startsWith(kErroneous))
        data.remove(0, 4);
    return data;
}

QImage decodeImage(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxBitmapSide || size.height() > kMaxBitmapSide
        || qint64(size.width()) * size.height() > kMaxBitmapPixels)
        return QImage();
    QImage image = reader.read();
    if (image.isNull())
        return image;
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void checkSize(int width, int height)
{
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide
        || qint64(width) * height > kMaxBitmapPixels)
        throw SwfError("bitmap size out of range");
}

// Inflates exactly `expected` bytes; less data is an error, more is ignored.
QByteArray inflateExactly(const uint8_t *data, size_t size, size_t expected)
{
    QByteArray out(qsizetype(expected), Qt::Uninitialized);
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        throw SwfError("cannot inflate bitmap");
    z.next_in = const_cast<Bytef *>(data);
    z.avail_in = uInt(size);
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(expected);
    int rc = Z_OK;
    while (rc == Z_OK && z.avail_out > 0)
        rc = inflate(&z, Z_SYNC_FLUSH);
    bool short_ = z.avail_out > 0;
    inflateEnd(&z);
    if (short_)
        throw SwfError("bitmap data is truncated");
    return out;
}

}

QImage readDefineBits(BitReader &in, const QByteArray &jpegTables)
{
    QByteArray image = stripErroneousHeader(in.bytes(in.remaining()));
    QByteArray tables = stripErroneousHeader(jpegTables);
    // Tables and image are each a complete JPEG stream: join them without
    // the tables' end marker and the image's start marker.
    if (tables.endsWith("\xFF\xD9"))
        tables.chop(2);
    if (!tables.isEmpty() && image.startsWith("\xFF\xD8"))
        image.remove(0, 2);
    return decodeImage(tables + image);
}

QImage readDefineBitsJpeg(BitReader &in, int version)
{
    bool withAlpha = version >= 3;
    uint32_t alphaOffset = withAlpha ? in.u32() : uint32_t(in.remaining());
    if (version >= 4)
        in.u16(); // the strength of a deblocking filter, which this player does not run
    if (alphaOffset > in.remaining())
        throw SwfError("alpha offset beyond the tag");
    QImage image = decodeImage(stripErroneousHeader(in.bytes(alphaOffset)));
    if (!withAlpha || image.isNull() || in.remaining() == 0)
        return image;
    QByteArray alpha;
    try {
        alpha = inflateExactly(in.current(), in.remaining(), size_t(image.width()) * size_t(image.height()));
    } catch (const SwfError &) {
        return image; // without usable alpha the picture is opaque
    }
    // The picture's colours are premultiplied by the alpha already (kept
    // within it, as a lossy picture can overshoot).
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const auto *a = reinterpret_cast<const uint8_t *>(alpha.constData());
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x, ++a)
            row[x] = qRgba(std::min(qRed(row[x]), int(*a)), std::min(qGreen(row[x]), int(*a)),
                           std::min(qBlue(row[x]), int(*a)), *a);
    }
    out.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return out;
}

QImage readDefineBitsLossless(BitReader &in, bool withAlpha)
{
    int format = in.u8();
    int width = in.u16();
    int height = in.u16();
    checkSize(width, height);
    QImage out(width, height, QImage::Format_ARGB32_Premultiplied);
    if (format == 3) {
        int colors = in.u8() + 1;
        int entry = withAlpha ? 4 : 3;
        int stride = (width + 3) & ~3;
        QByteArray raw = inflateExactly(in.current(), in.remaining(), size_t(colors * entry) + size_t(stride) * height);
        const auto *p = reinterpret_cast<const uint8_t *>(raw.constData());
        QRgb palette[256];
        for (int i = 0; i < colors; ++i, p += entry) {
            // Version 2 palettes are premultiplied already.
            int a = withAlpha ? p[3] : 255;
            palette[i] = qRgba(qMin<int>(p[0], a), qMin<int>(p[1], a), qMin<int>(p[2], a), a);
        }
        for (int y = 0; y < height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < width; ++x)
                row[x] = p[x] < colors ? palette[p[x]] : 0;
            p += stride;
        }
    } else if (format == 4) {
        int stride = (width * 2 + 3) & ~3;
        QByteArray raw = inflateExactly(in.current(), in.remaining(), size_t(stride) * height);
        const auto *p = reinterpret_cast<const uint8_t *>(raw.constData());
        for (int y = 0; y < height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < width; ++x) {
                int v = p[2 * x] << 8 | p[2 * x + 1];
                int r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
                row[x] = qRgb(r << 3 | r >> 2, g << 3 | g >> 2, b << 3 | b >> 2);
            }
            p += stride;
        }
    } else if (format == 5) {
        QByteArray raw = inflateExactly(in.current(), in.remaining(), size_t(width) * height * 4);
        const auto *p = reinterpret_cast<const uint8_t *>(raw.constData());
        for (int y = 0; y < height; ++y) {
            auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < width; ++x, p += 4) {
                // Stored as A, R, G, B; version 2 is premultiplied already.
                int a = withAlpha ? p[0] : 255;
                row[x] = qRgba(qMin<int>(p[1], a), qMin<int>(p[2], a), qMin<int>(p[3], a), a);
            }
        }
    } else {
        throw SwfError("unknown lossless bitmap format");
    }
    return out;
}

}
