#include "SkinFiles.h"

#include "Graphics.h"
#include "Quantize.h"

#include <QFile>
#include <QtEndian>

bool SaveSkinBitmap(const QImage &picture, int depth, const QString &path)
{
    TBitmap bitmap;
    bitmap.SetImage(depth == 24 ? picture : ReduceColours(picture, 1 << depth));
    bitmap.SetPixelFormat(depth == 1 ? pf1bit : depth == 4 ? pf4bit : depth == 8 ? pf8bit : pf24bit);
    try {
        bitmap.SaveToFile(path);
    } catch (const Exception &) {
        return false;
    }
    return true;
}

namespace {

void Put16(QByteArray &out, quint16 v)
{
    const quint16 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 2);
}

void Put32(QByteArray &out, quint32 v)
{
    const quint32 le = qToLittleEndian(v);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

// One icon entry: a bottom-up 32-bit BGRA bitmap of double height followed
// by its 1-bit AND mask (set where the pixel is transparent).
QByteArray IconEntry(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int w = argb.width(), h = argb.height();
    QByteArray out;
    Put32(out, 40);
    Put32(out, quint32(w));
    Put32(out, quint32(h * 2));
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x)
            Put32(out, argb.pixel(x, y));
    const int maskStride = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(argb.pixel(x, y)) == 0)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

} // namespace

bool WriteIco(const std::vector<QImage> &images, const QString &path)
{
    QByteArray header, data;
    Put16(header, 0);
    Put16(header, 1);
    Put16(header, quint16(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (const QImage &image : images) {
        const QByteArray entry = IconEntry(image);
        header.append(char(image.width() >= 256 ? 0 : image.width()));
        header.append(char(image.height() >= 256 ? 0 : image.height()));
        header.append('\0');
        header.append('\0');
        Put16(header, 1);
        Put16(header, 32);
        Put32(header, quint32(entry.size()));
        Put32(header, offset);
        offset += quint32(entry.size());
        data.append(entry);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header + data) == header.size() + data.size();
}
