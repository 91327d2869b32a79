// Icons and pictures.
#include "Graphics.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

// ---------------------------------------------------------------------------
// TIcon

void TIcon::SetSize(int AWidth, int AHeight)
{
    FRequested = {std::max(0, AWidth), std::max(0, AHeight)};
    if (!FData.isEmpty())
        Decode();
    Changed();
}

void TIcon::Assign(const TPersistent *Source)
{
    const auto *icon = dynamic_cast<const TIcon *>(Source);
    if (!icon) {
        TGraphic::Assign(Source);
        return;
    }
    FData = icon->FData;
    FImage = icon->FImage;
    FRequested = icon->FRequested;
    Changed();
}

// An icon file is a 6-byte header, 16 bytes per image entry, then the images
// the entries point at; the stream holds exactly as much as they reach.
void TIcon::LoadFromStream(QIODevice *Stream)
{
    QByteArray data = Stream->read(6);
    if (data.size() != 6 || qFromLittleEndian<quint16>(data.constData()) != 0 ||
        qFromLittleEndian<quint16>(data.constData() + 2) != 1)
        throw EInvalidGraphic(QStringLiteral("Invalid icon: no icon header"));
    const int count = qFromLittleEndian<quint16>(data.constData() + 4);
    if (count == 0)
        throw EInvalidGraphic(QStringLiteral("Invalid icon: no images"));
    data += Stream->read(16 * count);
    if (data.size() != 6 + 16 * count)
        throw EInvalidGraphic(QStringLiteral("Invalid icon: the image list ends early"));
    qint64 end = data.size();
    for (int i = 0; i < count; ++i) {
        const char *entry = data.constData() + 6 + 16 * i;
        end = std::max<qint64>(end, qint64(qFromLittleEndian<quint32>(entry + 12)) +
                                        qFromLittleEndian<quint32>(entry + 8));
    }
    if (end > (16 << 20))
        throw EInvalidGraphic(QStringLiteral("Invalid icon: images reach beyond 16 MB"));
    data += Stream->read(end - data.size());
    if (data.size() != end)
        throw EInvalidGraphic(QStringLiteral("Invalid icon: the file ends early"));
    FData = data;
    Decode();
    Changed();
}

void TIcon::Decode()
{
    QBuffer buffer(&FData);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QImage best;
    const auto distance = [this](const QImage &image) {
        return std::abs(image.width() - FRequested.cx) + std::abs(image.height() - FRequested.cy);
    };
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (image.isNull())
            continue;
        const bool better = best.isNull() ||
                            (FRequested.cx > 0 ? distance(image) < distance(best)
                                               : image.width() * image.height() > best.width() * best.height());
        if (better)
            best = image;
    }
    if (best.isNull()) {
        FData.clear();
        FImage = QImage();
        throw EInvalidGraphic(QStringLiteral("Invalid icon: %1").arg(reader.errorString()));
    }
    best = best.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (FRequested.cx > 0 && FRequested.cy > 0 && best.size() != QSize(FRequested.cx, FRequested.cy))
        best = best.scaled(FRequested.cx, FRequested.cy, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    FImage = best;
}

void TIcon::SaveToStream(QIODevice *Stream) const
{
    if (Stream->write(FData) != FData.size())
        throw EInvalidGraphic(QStringLiteral("Cannot write icon: %1").arg(Stream->errorString()));
}

void TIcon::LoadFromResourceName(HINSTANCE Instance, const String &ResName)
{
    LoadFromFile(FindResourceFile(Instance, ResName, QStringLiteral("ico")));
}

void TIcon::Draw(TCanvas *ACanvas, const TRect &Rect)
{
    if (ACanvas && !Empty())
        ACanvas->DrawImage(Rect, FImage);
}

// ---------------------------------------------------------------------------
// TPicture

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> Graphic)
{
    FGraphic = std::move(Graphic);
    if (FGraphic)
        FGraphic->OnChange = [this](TObject *) { Changed(); };
    Changed();
}

static std::unique_ptr<TGraphic> NewGraphic(const String &ClassName)
{
    if (ClassName == QLatin1String("TBitmap"))
        return std::make_unique<TBitmap>();
    if (ClassName == QLatin1String("TIcon"))
        return std::make_unique<TIcon>();
    throw EInvalidGraphic(QStringLiteral("Unknown picture class \"%1\"").arg(ClassName));
}

void TPicture::SetGraphic(const TGraphic *Value)
{
    if (Value == FGraphic.get())
        return;
    if (!Value) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> copy = NewGraphic(Value->ClassName());
    copy->Assign(Value);
    Take(std::move(copy));
}

TBitmap *TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap *>(FGraphic.get()))
        Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap *>(FGraphic.get());
}

TIcon *TPicture::Icon()
{
    if (!dynamic_cast<TIcon *>(FGraphic.get()))
        Take(std::make_unique<TIcon>());
    return static_cast<TIcon *>(FGraphic.get());
}

void TPicture::Assign(const TPersistent *Source)
{
    if (!Source) {
        SetGraphic(nullptr);
    } else if (const auto *picture = dynamic_cast<const TPicture *>(Source)) {
        SetGraphic(picture->Graphic());
    } else if (const auto *graphic = dynamic_cast<const TGraphic *>(Source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(Source);
    }
}

void TPicture::LoadFromFile(const String &FileName)
{
    const QString suffix = QFileInfo(FileName).suffix().toLower();
    std::unique_ptr<TGraphic> graphic;
    if (suffix == QLatin1String("bmp"))
        graphic = std::make_unique<TBitmap>();
    else if (suffix == QLatin1String("ico"))
        graphic = std::make_unique<TIcon>();
    else
        throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(suffix));
    graphic->LoadFromFile(FileName);
    Take(std::move(graphic));
}

void TPicture::SaveToFile(const String &FileName) const
{
    if (FGraphic)
        FGraphic->SaveToFile(FileName);
}

void TPicture::ReadData(QIODevice *Stream)
{
    char length = 0;
    if (!Stream->getChar(&length))
        throw EInvalidGraphic(QStringLiteral("Invalid picture data: no class name"));
    const QByteArray name = Stream->read(static_cast<quint8>(length));
    if (name.size() != static_cast<quint8>(length))
        throw EInvalidGraphic(QStringLiteral("Invalid picture data: the class name ends early"));
    if (name.isEmpty()) {
        Take(nullptr);
        return;
    }
    std::unique_ptr<TGraphic> graphic = NewGraphic(QString::fromLatin1(name));
    graphic->ReadData(Stream);
    Take(std::move(graphic));
}

void TPicture::WriteData(QIODevice *Stream) const
{
    const QByteArray name = FGraphic ? FGraphic->ClassName().toLatin1() : QByteArray();
    Stream->putChar(static_cast<char>(name.size()));
    Stream->write(name);
    if (FGraphic)
        FGraphic->WriteData(Stream);
}

void TPicture::ReadData(const QByteArray &Data)
{
    QByteArray copy = Data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    ReadData(&buffer);
}

QByteArray TPicture::Data() const
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    WriteData(&buffer);
    return data;
}
