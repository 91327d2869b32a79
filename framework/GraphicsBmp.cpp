// Reading and writing BMP files.
#include "GraphicsBmp.h"

#include <QHash>

#include <array>
#include <bit>

namespace {

constexpr quint32 BI_RGB = 0;
constexpr quint32 BI_RLE8 = 1;
constexpr quint32 BI_RLE4 = 2;
constexpr quint32 BI_BITFIELDS = 3;
constexpr quint32 BI_ALPHABITFIELDS = 6;
constexpr int FileHeaderSize = 14;
constexpr int InfoHeaderSize = 40;

[[noreturn]] void Fail(const QString &what)
{
    throw EInvalidGraphic(QStringLiteral("Invalid bitmap: %1").arg(what));
}

// Little-endian reads with bounds checks.
class Reader {
public:
    explicit Reader(const QByteArray &data) : FData(data) {}
    qint64 Size() const { return FData.size(); }
    quint8 U8(qint64 at) const
    {
        Need(at, 1);
        return static_cast<quint8>(FData[at]);
    }
    quint16 U16(qint64 at) const { return U8(at) | (U8(at + 1) << 8); }
    quint32 U32(qint64 at) const { return U16(at) | (quint32(U16(at + 2)) << 16); }
    qint32 I32(qint64 at) const { return static_cast<qint32>(U32(at)); }
    const uchar *Bytes(qint64 at, qint64 count) const
    {
        Need(at, count);
        return reinterpret_cast<const uchar *>(FData.constData()) + at;
    }
    void Need(qint64 at, qint64 count) const
    {
        if (at < 0 || count < 0 || at + count > FData.size())
            Fail(QStringLiteral("the file ends early (%1 bytes needed at offset %2, file has %3)")
                     .arg(count)
                     .arg(at)
                     .arg(FData.size()));
    }

private:
    const QByteArray &FData;
};

// A channel described by a bit mask, scaled to 0..255.
struct Channel {
    quint32 Mask = 0;
    int Shift = 0;
    quint32 Max = 0;

    explicit Channel(quint32 mask = 0) : Mask(mask)
    {
        if (!mask)
            return;
        Shift = std::countr_zero(mask);
        Max = mask >> Shift;
    }
    int Value(quint32 pixel, int fallback) const
    {
        if (!Mask)
            return fallback;
        return static_cast<int>(quint64((pixel & Mask) >> Shift) * 255 / Max);
    }
};

struct Header {
    qint32 Width = 0;
    qint32 Height = 0; // rows, always positive
    bool TopDown = false;
    int Bits = 0;
    quint32 Compression = BI_RGB;
    std::array<quint32, 3> Masks{};
    std::vector<QRgb> Palette;
    qint64 PixelOffset = 0;
};

Header ReadHeader(const Reader &in)
{
    if (in.Size() < FileHeaderSize + 12 || in.U8(0) != 'B' || in.U8(1) != 'M')
        Fail(QStringLiteral("no BMP signature"));
    Header h;
    h.PixelOffset = in.U32(10);
    const quint32 infoSize = in.U32(FileHeaderSize);
    const qint64 info = FileHeaderSize;
    bool core = false;
    if (infoSize == 12) {
        core = true;
        h.Width = in.U16(info + 4);
        h.Height = static_cast<qint16>(in.U16(info + 6));
        h.Bits = in.U16(info + 10);
    } else if (infoSize >= InfoHeaderSize && infoSize <= 1024) {
        in.Need(info, infoSize);
        h.Width = in.I32(info + 4);
        h.Height = in.I32(info + 8);
        h.Bits = in.U16(info + 14);
        h.Compression = in.U32(info + 16);
    } else {
        Fail(QStringLiteral("unknown header size %1").arg(infoSize));
    }
    if (h.Height < 0) {
        if (h.Height == std::numeric_limits<qint32>::min())
            Fail(QStringLiteral("height out of range"));
        h.TopDown = true;
        h.Height = -h.Height;
    }
    if (h.Width <= 0 || h.Height == 0)
        Fail(QStringLiteral("size %1 x %2").arg(h.Width).arg(h.Height));
    if (!BitmapSizeAllowed(h.Width, h.Height))
        Fail(QStringLiteral("size %1 x %2 is too large").arg(h.Width).arg(h.Height));
    switch (h.Bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        Fail(QStringLiteral("%1 bits per pixel").arg(h.Bits));
    }
    const bool rleOk = (h.Compression == BI_RLE8 && h.Bits == 8) || (h.Compression == BI_RLE4 && h.Bits == 4);
    const bool fieldsOk = (h.Compression == BI_BITFIELDS || h.Compression == BI_ALPHABITFIELDS) &&
                          (h.Bits == 16 || h.Bits == 32);
    if (h.Compression != BI_RGB && !rleOk && !fieldsOk)
        Fail(QStringLiteral("compression %1 with %2 bits per pixel").arg(h.Compression).arg(h.Bits));
    if ((h.Compression == BI_RLE8 || h.Compression == BI_RLE4) && h.TopDown)
        Fail(QStringLiteral("compressed rows stored top-down"));

    qint64 next = info + infoSize;
    if (fieldsOk) {
        // Masks inside a larger header, or just after a plain one.
        const qint64 at = infoSize >= 52 ? info + 40 : next;
        for (int i = 0; i < 3; ++i)
            h.Masks[i] = in.U32(at + 4 * i);
        if (infoSize < 52)
            next += h.Compression == BI_ALPHABITFIELDS ? 16 : 12;
    } else if (h.Bits == 16) {
        h.Masks = {0x7C00, 0x03E0, 0x001F};
    }

    if (h.Bits <= 8) {
        const quint32 most = 1u << h.Bits;
        quint32 used = core ? 0 : in.U32(info + 32);
        if (used > most)
            Fail(QStringLiteral("palette of %1 colours for %2 bits per pixel").arg(used).arg(h.Bits));
        const int entry = core ? 3 : 4;
        if (used == 0) {
            // A full palette unless the pixels start sooner: writers that
            // leave the count out may store fewer colours.
            used = most;
            if (h.PixelOffset > next && h.PixelOffset < next + qint64(most) * entry)
                used = static_cast<quint32>((h.PixelOffset - next) / entry);
        }
        const uchar *p = in.Bytes(next, qint64(used) * entry);
        h.Palette.resize(used);
        for (quint32 i = 0; i < used; ++i)
            h.Palette[i] = qRgb(p[i * entry + 2], p[i * entry + 1], p[i * entry]);
    }
    if (h.PixelOffset < next || h.PixelOffset >= in.Size())
        Fail(QStringLiteral("pixel data offset %1 outside the file").arg(h.PixelOffset));
    return h;
}

QRgb PaletteColor(const Header &h, quint32 index)
{
    return index < h.Palette.size() ? h.Palette[index] : qRgb(0, 0, 0);
}

void ReadRows(const Reader &in, const Header &h, QImage &image)
{
    const qint64 stride = ((qint64(h.Width) * h.Bits + 31) / 32) * 4;
    const uchar *data = in.Bytes(h.PixelOffset, stride * h.Height);
    const Channel red(h.Masks[0]), green(h.Masks[1]), blue(h.Masks[2]);
    for (int row = 0; row < h.Height; ++row) {
        const uchar *src = data + stride * row;
        auto *dst = reinterpret_cast<QRgb *>(image.scanLine(h.TopDown ? row : h.Height - 1 - row));
        for (int x = 0; x < h.Width; ++x) {
            switch (h.Bits) {
            case 1:
                dst[x] = PaletteColor(h, (src[x / 8] >> (7 - x % 8)) & 1);
                break;
            case 4:
                dst[x] = PaletteColor(h, (src[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
                break;
            case 8:
                dst[x] = PaletteColor(h, src[x]);
                break;
            case 16: {
                const quint32 v = src[2 * x] | (src[2 * x + 1] << 8);
                dst[x] = qRgb(red.Value(v, 0), green.Value(v, 0), blue.Value(v, 0));
                break;
            }
            case 24:
                dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
                break;
            default: {
                const uchar *s = src + 4 * x;
                if (h.Compression == BI_RGB) {
                    dst[x] = qRgb(s[2], s[1], s[0]);
                } else {
                    const quint32 v = s[0] | (s[1] << 8) | (s[2] << 16) | (quint32(s[3]) << 24);
                    dst[x] = qRgb(red.Value(v, 0), green.Value(v, 0), blue.Value(v, 0));
                }
            }
            }
        }
    }
}

// Run-length data: pairs (count, index) or escapes (0: end of line, 1: end
// of bitmap, 2: move by dx, dy, n >= 3: n literal indexes). Pixels the runs
// never reach keep palette colour 0; writes past the bitmap are dropped.
void ReadRunLength(const Reader &in, const Header &h, QImage &image)
{
    image.fill(PaletteColor(h, 0));
    const bool four = h.Compression == BI_RLE4;
    qint64 at = h.PixelOffset;
    int x = 0;
    int y = 0; // counted from the bottom row
    const auto put = [&](quint32 index) {
        if (x < h.Width && y < h.Height)
            reinterpret_cast<QRgb *>(image.scanLine(h.Height - 1 - y))[x] = PaletteColor(h, index);
        x = std::min(x + 1, h.Width);
    };
    while (at + 1 < in.Size() && y < h.Height) {
        const quint8 count = in.U8(at);
        const quint8 value = in.U8(at + 1);
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            x = std::min(x + in.U8(at), h.Width);
            y += in.U8(at + 1);
            at += 2;
        } else {
            const int bytes = four ? (value + 1) / 2 : value;
            const uchar *p = in.Bytes(at, bytes);
            for (int i = 0; i < value; ++i)
                put(four ? (i % 2 ? p[i / 2] & 0xF : p[i / 2] >> 4) : p[i]);
            at += (bytes + 1) & ~1; // literal runs are padded to a word
        }
    }
}

TPixelFormat FormatOf(const Header &h)
{
    switch (h.Bits) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 16:
        return h.Masks[1] == 0x07E0 ? pf16bit : pf15bit;
    case 24:
        return pf24bit;
    default:
        return pf32bit;
    }
}

int BitsOf(TPixelFormat format)
{
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf32bit:
        return 32;
    default:
        return 24;
    }
}

// The palette used when the picture has more colours than the depth holds.
std::vector<QRgb> FixedPalette(int bits)
{
    if (bits == 1)
        return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    if (bits == 4)
        return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
                qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    std::vector<QRgb> palette;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                palette.push_back(qRgb(r * 51, g * 51, b * 51));
    for (int i = 0; i < 40; ++i)
        palette.push_back(qRgb(i * 255 / 39, i * 255 / 39, i * 255 / 39));
    return palette;
}

// Index of every pixel into a palette: the picture's own colours when they
// fit, otherwise the nearest colour of the fixed palette.
std::vector<QRgb> BuildPalette(const QImage &image, int bits, QHash<QRgb, int> &indexOf)
{
    const int most = 1 << bits;
    std::vector<QRgb> palette;
    for (int y = 0; y < image.height() && static_cast<int>(palette.size()) <= most; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x] | 0xFF000000;
            if (!indexOf.contains(c)) {
                indexOf.insert(c, static_cast<int>(palette.size()));
                palette.push_back(c);
                if (static_cast<int>(palette.size()) > most)
                    break;
            }
        }
    }
    if (static_cast<int>(palette.size()) <= most)
        return palette;
    indexOf.clear();
    return FixedPalette(bits);
}

int NearestIndex(const std::vector<QRgb> &palette, QRgb c, QHash<QRgb, int> &indexOf)
{
    const auto found = indexOf.constFind(c);
    if (found != indexOf.constEnd())
        return *found;
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        const int dr = qRed(c) - qRed(palette[i]);
        const int dg = qGreen(c) - qGreen(palette[i]);
        const int db = qBlue(c) - qBlue(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    indexOf.insert(c, best);
    return best;
}

void Put16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void Put32(QByteArray &out, quint32 v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

QImage ReadBmp(const QByteArray &Data, TPixelFormat *Format)
{
    const Reader in(Data);
    const Header h = ReadHeader(in);
    QImage image(h.Width, h.Height, QImage::Format_RGB32);
    if (image.isNull())
        Fail(QStringLiteral("out of memory for %1 x %2 pixels").arg(h.Width).arg(h.Height));
    if (h.Compression == BI_RLE8 || h.Compression == BI_RLE4)
        ReadRunLength(in, h, image);
    else
        ReadRows(in, h, image);
    if (Format)
        *Format = FormatOf(h);
    return image;
}

QByteArray WriteBmp(const QImage &Image, TPixelFormat Format)
{
    const int bits = BitsOf(Format);
    const int width = Image.width();
    const int height = Image.height();
    const bool fields = Format == pf16bit;
    QHash<QRgb, int> indexOf;
    const std::vector<QRgb> palette = bits <= 8 ? BuildPalette(Image, bits, indexOf) : std::vector<QRgb>();
    const qint64 stride = ((qint64(width) * bits + 31) / 32) * 4;
    const quint32 offset = FileHeaderSize + InfoHeaderSize + 4 * quint32(palette.size()) + (fields ? 12 : 0);
    const quint32 imageSize = quint32(stride * height);

    QByteArray out;
    out.reserve(offset + imageSize);
    out.append("BM");
    Put32(out, offset + imageSize);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, InfoHeaderSize);
    Put32(out, quint32(width));
    Put32(out, quint32(height));
    Put16(out, 1);
    Put16(out, quint16(bits));
    Put32(out, fields ? BI_BITFIELDS : BI_RGB);
    Put32(out, imageSize);
    Put32(out, 3780); // 96 pixels per inch
    Put32(out, 3780);
    Put32(out, quint32(palette.size()));
    Put32(out, 0);
    if (fields) {
        Put32(out, 0xF800);
        Put32(out, 0x07E0);
        Put32(out, 0x001F);
    }
    for (QRgb c : palette) {
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    QByteArray row(stride, '\0');
    for (int y = height - 1; y >= 0; --y) {
        row.fill('\0');
        auto *dst = reinterpret_cast<uchar *>(row.data());
        const auto *line = reinterpret_cast<const QRgb *>(Image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = line[x] | 0xFF000000;
            switch (bits) {
            case 1:
                dst[x / 8] |= NearestIndex(palette, c, indexOf) << (7 - x % 8);
                break;
            case 4:
                dst[x / 2] |= NearestIndex(palette, c, indexOf) << (x % 2 ? 0 : 4);
                break;
            case 8:
                dst[x] = uchar(NearestIndex(palette, c, indexOf));
                break;
            case 16: {
                const quint16 v = fields ? quint16(((qRed(c) >> 3) << 11) | ((qGreen(c) >> 2) << 5) | (qBlue(c) >> 3))
                                         : quint16(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
                dst[2 * x] = uchar(v & 0xFF);
                dst[2 * x + 1] = uchar(v >> 8);
                break;
            }
            case 24:
                dst[3 * x] = uchar(qBlue(c));
                dst[3 * x + 1] = uchar(qGreen(c));
                dst[3 * x + 2] = uchar(qRed(c));
                break;
            default:
                dst[4 * x] = uchar(qBlue(c));
                dst[4 * x + 1] = uchar(qGreen(c));
                dst[4 * x + 2] = uchar(qRed(c));
                break;
            }
        }
        out.append(row);
    }
    return out;
}
