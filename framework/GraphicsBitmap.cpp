// Graphics in general and the bitmap: pixels held as a QImage, a canvas that
// draws on them, and transparency by a key colour.
#include "Graphics.h"
#include "GraphicsBmp.h"

#include <QFile>
#include <QtEndian>

// ---------------------------------------------------------------------------
// TGraphic

void TGraphic::SetTransparent(bool Value)
{
    if (FTransparent == Value)
        return;
    FTransparent = Value;
    Changed();
}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TGraphic::LoadFromFile(const String &FileName)
{
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInvalidGraphic(QStringLiteral("Cannot open file \"%1\": %2").arg(FileName, file.errorString()));
    LoadFromStream(&file);
}

void TGraphic::SaveToFile(const String &FileName) const
{
    QFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EInvalidGraphic(QStringLiteral("Cannot create file \"%1\": %2").arg(FileName, file.errorString()));
    SaveToStream(&file);
    if (!file.flush())
        throw EInvalidGraphic(QStringLiteral("Cannot write file \"%1\": %2").arg(FileName, file.errorString()));
}

// ---------------------------------------------------------------------------
// TBitmap

// The bitmap's canvas draws on the bitmap's own pixels, taking a private copy
// of them first when they are shared with another bitmap.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(QImage *image) : TCanvas(image), FImage(image) {}

protected:
    void CreateHandle() override
    {
        if (!FImage->isNull())
            FImage->bits(); // detaches shared pixels
        TCanvas::CreateHandle();
    }

private:
    QImage *FImage;
};

TBitmap::TBitmap() : FCanvas(std::make_unique<TBitmapCanvas>(&FImage))
{
    FCanvas->OnChange = [this](TObject *) { ImageChanged(); };
}

TBitmap::~TBitmap()
{
    FCanvas->Release();
}

void TBitmap::ImageChanged()
{
    FMaskedValid = false;
    Changed();
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (AWidth == Width() && AHeight == Height())
        return;
    if (!BitmapSizeAllowed(AWidth, AHeight))
        throw EInvalidGraphicOperation(QStringLiteral("Bitmap size %1 x %2 is too large").arg(AWidth).arg(AHeight));
    FCanvas->Release();
    QImage resized;
    if (AWidth > 0 && AHeight > 0) {
        resized = QImage(AWidth, AHeight, QImage::Format_RGB32);
        if (resized.isNull())
            throw EInvalidGraphicOperation(QStringLiteral("Out of memory for a %1 x %2 bitmap").arg(AWidth).arg(AHeight));
        resized.fill(Qt::white);
        const int w = std::min(AWidth, Width());
        const int h = std::min(AHeight, Height());
        for (int y = 0; y < h; ++y)
            std::copy_n(reinterpret_cast<const QRgb *>(FImage.constScanLine(y)), w,
                        reinterpret_cast<QRgb *>(resized.scanLine(y)));
    }
    FImage = resized;
    ImageChanged();
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    if (FPixelFormat == Value)
        return;
    FPixelFormat = Value;
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed)
        return FTransparentColor;
    if (Empty())
        return clDefault;
    return QRgbToColor(Image().pixel(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor Value)
{
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    FMaskedValid = false;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (FTransparentMode == Value)
        return;
    if (Value == tmAuto)
        SetTransparentColor(clDefault);
    else
        SetTransparentColor(TransparentColor());
}

void TBitmap::SetTransparent(bool Value)
{
    FMaskedValid = false;
    TGraphic::SetTransparent(Value);
}

void TBitmap::Assign(const TPersistent *Source)
{
    if (!Source) {
        SetImage(QImage());
        return;
    }
    const auto *bitmap = dynamic_cast<const TBitmap *>(Source);
    if (!bitmap) {
        TGraphic::Assign(Source);
        return;
    }
    if (bitmap == this)
        return;
    FCanvas->Release();
    FImage = bitmap->Image();
    FPixelFormat = bitmap->FPixelFormat;
    FTransparent = bitmap->FTransparent;
    FTransparentMode = bitmap->FTransparentMode;
    FTransparentColor = bitmap->FTransparentColor;
    ImageChanged();
}

const QImage &TBitmap::Image() const
{
    FCanvas->Release();
    return FImage;
}

void TBitmap::SetImage(const QImage &Value)
{
    FCanvas->Release();
    if (!BitmapSizeAllowed(Value.width(), Value.height()))
        throw EInvalidGraphicOperation(
            QStringLiteral("Bitmap size %1 x %2 is too large").arg(Value.width()).arg(Value.height()));
    FImage = Value.isNull() ? QImage() : Value.convertToFormat(QImage::Format_RGB32);
    ImageChanged();
}

// Reads up to Count bytes in pieces, so that a size taken from the data
// never allocates more than the stream really holds.
static QByteArray ReadUpTo(QIODevice *Stream, qint64 Count)
{
    QByteArray data;
    while (data.size() < Count) {
        const QByteArray piece = Stream->read(std::min<qint64>(Count - data.size(), 1 << 16));
        if (piece.isEmpty())
            break;
        data += piece;
    }
    return data;
}

void TBitmap::LoadFromStream(QIODevice *Stream)
{
    // The file header's size field says how much of the stream is the
    // bitmap; without a usable one the rest of the stream is.
    QByteArray data = Stream->read(14);
    const quint32 fileSize = data.size() == 14 ? qFromLittleEndian<quint32>(data.constData() + 2) : 0;
    if (fileSize >= 14 + 12)
        data += ReadUpTo(Stream, fileSize - 14);
    else
        data += Stream->readAll();
    LoadFromBytes(data);
}

void TBitmap::SaveToStream(QIODevice *Stream) const
{
    if (Empty())
        return;
    const QByteArray data = WriteBmp(Image(), FPixelFormat);
    if (Stream->write(data) != data.size())
        throw EInvalidGraphic(QStringLiteral("Cannot write bitmap: %1").arg(Stream->errorString()));
}

void TBitmap::ReadData(QIODevice *Stream)
{
    const QByteArray head = Stream->read(4);
    if (head.size() != 4)
        throw EInvalidGraphic(QStringLiteral("Invalid bitmap: stored data ends before its size"));
    const qint32 size = qFromLittleEndian<qint32>(head.constData());
    if (size < 0)
        throw EInvalidGraphic(QStringLiteral("Invalid bitmap: stored size %1").arg(size));
    const QByteArray data = ReadUpTo(Stream, size);
    if (data.size() != size)
        throw EInvalidGraphic(QStringLiteral("Invalid bitmap: stored data is shorter than its size %1").arg(size));
    if (size == 0)
        SetImage(QImage());
    else
        LoadFromBytes(data);
}

void TBitmap::LoadFromBytes(const QByteArray &Data)
{
    TPixelFormat format = pfDevice;
    const QImage image = ReadBmp(Data, &format);
    SetImage(image);
    FPixelFormat = format;
}

void TBitmap::WriteData(QIODevice *Stream) const
{
    const QByteArray data = Empty() ? QByteArray() : WriteBmp(Image(), FPixelFormat);
    char head[4];
    qToLittleEndian<qint32>(static_cast<qint32>(data.size()), head);
    if (Stream->write(head, 4) != 4 || Stream->write(data) != data.size())
        throw EInvalidGraphic(QStringLiteral("Cannot write bitmap: %1").arg(Stream->errorString()));
}

void TBitmap::LoadFromResourceName(HINSTANCE Instance, const String &ResName)
{
    LoadFromFile(FindResourceFile(Instance, ResName, QStringLiteral("bmp")));
}

// The pixels with the transparent colour made fully transparent, or the
// pixels themselves when that colour does not occur; worked out again only
// after the pixels or the key change.
const QImage &TBitmap::MaskedImage() const
{
    const TColor key = ColorToRGB(TransparentColor());
    const QImage &image = Image();
    if (!FMaskedValid || FMaskedKey != key) {
        const QRgb keyRgb = ColorToQRgb(key) & RGB_MASK;
        const auto isKey = [keyRgb](QRgb pixel) { return (pixel & RGB_MASK) == keyRgb; };
        FKeyPresent = false;
        for (int y = 0; y < image.height() && !FKeyPresent; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            FKeyPresent = std::any_of(line, line + image.width(), isKey);
        }
        // RGB32 pixels are opaque premultiplied pixels already: one pass
        // copies them and clears the key.
        FMasked = FKeyPresent ? QImage(image.size(), QImage::Format_ARGB32_Premultiplied) : QImage();
        for (int y = 0; y < FMasked.height(); ++y) {
            const auto *src = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            auto *dst = reinterpret_cast<QRgb *>(FMasked.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                dst[x] = isKey(src[x]) ? 0 : src[x];
        }
        FMaskedKey = key;
        FMaskedValid = true;
    }
    return FKeyPresent ? FMasked : image;
}

// The pixels drawn are a shared copy, so drawing a bitmap onto its own
// canvas reads them as they were before.
void TBitmap::Draw(TCanvas *ACanvas, const TRect &Rect)
{
    if (Empty() || !ACanvas)
        return;
    const QImage source = Transparent() ? MaskedImage() : Image();
    ACanvas->DrawImage(Rect, source);
}
