// Image lists.
#include "ImgList.h"

TCustomImageList::TCustomImageList(TComponent *AOwner) : TComponent(AOwner) {}

TCustomImageList::TCustomImageList(int AWidth, int AHeight, TComponent *AOwner)
    : TComponent(AOwner), FWidth(std::max(1, AWidth)), FHeight(std::max(1, AHeight))
{
}

void TCustomImageList::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TCustomImageList::SetWidth(int Value)
{
    Value = std::max(1, Value);
    if (Value == FWidth)
        return;
    FWidth = Value;
    Clear();
}

void TCustomImageList::SetHeight(int Value)
{
    Value = std::max(1, Value);
    if (Value == FHeight)
        return;
    FHeight = Value;
    Clear();
}

int TCustomImageList::AddImages(TBitmap *Image, const std::function<bool(int x, int y)> &Transparent)
{
    if (!Image || Image->Empty())
        return -1;
    const QImage &source = Image->Image();
    const int count = std::max(1, source.width() / FWidth);
    const int first = Count();
    for (int k = 0; k < count; ++k) {
        QImage image(FWidth, FHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const int left = k * FWidth;
        const int w = std::min(FWidth, source.width() - left);
        const int h = std::min(FHeight, source.height());
        for (int y = 0; y < h; ++y) {
            const auto *src = reinterpret_cast<const QRgb *>(source.constScanLine(y)) + left;
            auto *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < w; ++x)
                if (!Transparent(left + x, y))
                    dst[x] = src[x] | 0xFF000000;
        }
        FImages.push_back(image);
    }
    Changed();
    return first;
}

int TCustomImageList::Add(TBitmap *Image, TBitmap *Mask)
{
    if (!Mask || Mask->Empty())
        return AddImages(Image, [](int, int) { return false; });
    const QImage &mask = Mask->Image();
    return AddImages(Image, [&mask](int x, int y) { return mask.valid(x, y) && (mask.pixel(x, y) & RGB_MASK) != 0; });
}

int TCustomImageList::AddMasked(TBitmap *Image, TColor MaskColor)
{
    if (!Image || Image->Empty())
        return -1;
    const QRgb key = ColorToQRgb(MaskColor) & RGB_MASK;
    const QImage &source = Image->Image();
    return AddImages(Image, [&source, key](int x, int y) { return (source.pixel(x, y) & RGB_MASK) == key; });
}

void TCustomImageList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    FImages.erase(FImages.begin() + Index);
    Changed();
}

void TCustomImageList::Clear()
{
    FImages.clear();
    Changed();
}

// The greyed look of a disabled image: each visible pixel becomes a light
// grey of its brightness; transparent pixels stay transparent.
static QImage Greyed(const QImage &image)
{
    QImage result = image;
    for (int y = 0; y < result.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            const int lum = (qRed(line[x]) * 30 + qGreen(line[x]) * 59 + qBlue(line[x]) * 11) / 100;
            const int grey = 128 + lum / 2;
            line[x] = qRgb(grey, grey, grey);
        }
    }
    return result;
}

void TCustomImageList::Draw(TCanvas *Canvas, int X, int Y, int Index, bool Enabled) const
{
    if (!Canvas || Index < 0 || Index >= Count())
        return;
    const QImage &image = FImages[Index];
    Canvas->DrawImage(Bounds(X, Y, FWidth, FHeight), Enabled ? image : Greyed(image));
}

void TCustomImageList::GetBitmap(int Index, TBitmap *Image) const
{
    if (!Image || Index < 0 || Index >= Count())
        return;
    Image->SetSize(FWidth, FHeight);
    Image->Canvas()->Brush()->SetColor(clWhite);
    Image->Canvas()->FillRect(Rect(0, 0, FWidth, FHeight));
    Draw(Image->Canvas(), 0, 0, Index);
}

void TCustomImageList::Assign(const TPersistent *Source)
{
    const auto *list = dynamic_cast<const TCustomImageList *>(Source);
    if (!list) {
        TPersistent::Assign(Source);
        return;
    }
    FWidth = list->FWidth;
    FHeight = list->FHeight;
    FImages = list->FImages;
    Changed();
}
