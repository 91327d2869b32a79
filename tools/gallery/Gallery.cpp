#include "Gallery.h"

#include "StdCtrls.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <algorithm>

namespace {

// The skinned form's client width the sections wrap in.
constexpr int ContentWidth = 1000;
// Room for the title bar of every style above the first row.
constexpr int ContentTop = 40;
constexpr int Margin = 10;
constexpr int TitleHeight = 18;

std::vector<TGallerySection> &Sections()
{
    static std::vector<TGallerySection> sections;
    return sections;
}

struct TPlacedSection {
    const TGallerySection *Section;
    TPoint At; // the title's top-left in the skinned form
};

// Left to right by order, wrapping at the content width; returns the height
// the sections take.
int PlaceSections(std::vector<TPlacedSection> &Placed)
{
    std::vector<const TGallerySection *> sorted;
    for (const TGallerySection &s : Sections())
        sorted.push_back(&s);
    std::stable_sort(sorted.begin(), sorted.end(), [](auto *a, auto *b) { return a->Order < b->Order; });
    int x = Margin;
    int y = ContentTop;
    int rowHeight = 0;
    for (const TGallerySection *s : sorted) {
        if (x > Margin && x + s->Width > ContentWidth - Margin) {
            x = Margin;
            y += rowHeight + Margin;
            rowHeight = 0;
        }
        Placed.push_back({s, TPoint(x, y)});
        x += s->Width + Margin;
        rowHeight = std::max(rowHeight, TitleHeight + s->Height);
    }
    return y + rowHeight + Margin;
}

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

bool RegisterGallerySection(const TGallerySection &Section)
{
    Sections().push_back(Section);
    return true;
}

TGallery::TGallery() : FForm(std::make_unique<TForm>(nullptr))
{
    // The skinned form keeps its window within the work area; the gallery's
    // window is larger than the offscreen screen.
    SetWorkAreaProvider([] { return Rect(0, 0, 1280, 1024); });
    std::vector<TPlacedSection> placed;
    const int height = PlaceSections(placed);
    FForm->SetBounds(0, 0, ContentWidth, height);
    FSkin = new TsuiForm(FForm.get());
    FSkin->SetParent(FForm.get());
    FSkin->SetCaption(QStringLiteral("Skinned controls"));
    FSkin->SetUIStyleAutoUpdateSub(true);
    FSkin->SetWidth(ContentWidth);
    FSkin->SetHeight(height);

    for (const TPlacedSection &p : placed) {
        auto *title = new TLabel(FForm.get());
        title->SetParent(FSkin);
        title->SetTransparent(true);
        title->SetCaption(QString::fromUtf8(p.Section->Title));
        title->SetLeft(p.At.X);
        title->SetTop(p.At.Y);
        TGallerySlot slot(FForm.get(), FSkin, TPoint(p.At.X, p.At.Y + TitleHeight));
        p.Section->Build(slot);
    }
    FForm->Show();
    Settle();
}

TGallery::~TGallery() = default;

void TGallery::SetUIStyle(TsuiUIStyle Style)
{
    FSkin->SetUIStyle(Style);
    Settle();
}

QImage TGallery::Grab()
{
    Settle();
    return FForm->Handle()->grab().toImage();
}
