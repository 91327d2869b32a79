#include "ContactSheet.h"

#include "Paint.h"
#include "SUIPublic.h"
#include "SUIResDef.h"
#include "SUIThemes.h"

#include <QDir>

#include <algorithm>

namespace {

constexpr int Scale = 3;
constexpr int SheetWidth = 1500;

// The written files, read back the way the controls read them.
class Files {
public:
    explicit Files(const QString &folder) : folder(folder) {}
    std::unique_ptr<TBitmap> Load(const QString &name) const
    {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromFile(folder.filePath(name + QLatin1String(".bmp")));
        return bitmap;
    }
    std::unique_ptr<TBitmap> Load(int style, int index) const { return Load(GetThemeString(style, index)); }

private:
    QDir folder;
};

std::unique_ptr<TBitmap> Blank(int width, int height, TColor colour)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    bitmap->Canvas()->Brush()->SetColor(colour);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

// The style's title bar as the title bar composes it: left and right
// sections at their size, the client section stretched between them, the
// buttons from the right and the control box at the left.
std::unique_ptr<TBitmap> TitleBar(const Files &files, int style, int width)
{
    const auto left = files.Load(style, 45), client = files.Load(style, 46), right = files.Load(style, 47);
    auto bar = Blank(width, left->Height(), clBlack);
    TCanvas *c = bar->Canvas();
    c->Draw(0, 0, left.get());
    c->Draw(width - right->Width(), 0, right.get());
    c->StretchDraw(Rect(left->Width(), 0, width - right->Width(), bar->Height()), client.get());
    const bool transparent = GetThemeBoolean(style, 66);
    const int top = GetThemeInteger(style, 69);
    int x = width + GetThemeInteger(style, 68) + 1;
    for (int index : {48, 52, 54}) { // close, maximise under the mouse, minimise
        auto button = files.Load(style, index);
        button->SetTransparent(transparent);
        x -= button->Width() + 1;
        c->Draw(x, top, button.get());
    }
    auto box = files.Load(style, 60);
    box->SetTransparent(transparent);
    const int x2 = GetThemeInteger(style, 67);
    c->Draw(x2, top, box.get());
    c->Font()->SetName(QStringLiteral("DejaVu Sans"));
    c->Font()->SetStyle(fsBold);
    c->Font()->SetColor(style == MacOS ? clBlack : clWhite);
    c->Brush()->SetStyle(bsClear);
    const String caption = QStringLiteral("Wordlark - %1").arg(QLatin1String(SUI_STYLE_PREFIXES[style]));
    c->TextOut(x2 + box->Width() + 5, style == DeepBlue ? 4 : (bar->Height() - c->TextHeight(caption)) / 2, caption);
    return bar;
}

// A window body with push buttons in their three states, check boxes, radio
// buttons, a track bar, a progress bar, tabs and a scroll bar.
std::unique_ptr<TBitmap> Body(const Files &files, int style, int width)
{
    auto body = Blank(width, 150, GetThemeColor(style, 3));
    TCanvas *c = body->Canvas();
    if (style == MacOS || style == Protein) {
        auto pattern = files.Load(QLatin1String(style == MacOS ? RES_MACOS_FORM_BACKGROUND : RES_PROTEIN_FORM_BACKGROUND));
        c->Brush()->SetBitmap(pattern.get());
        c->FillRect(Rect(0, 0, width, 150));
        c->Brush()->SetBitmap(nullptr);
    }
    c->Font()->SetName(QStringLiteral("DejaVu Sans"));
    c->Font()->SetSize(8);
    const char *captions[] = {"Play", "Hover", "Down"};
    for (int i = 0; i < 3; ++i) {
        auto face = files.Load(style, 24 + i);
        auto button = Blank(80, style == MacOS ? 23 : 25, GetThemeColor(style, 3));
        DrawNineSlice(face.get(), button->Canvas(), Rect(0, 0, button->Width(), button->Height()), style == BlueGlass);
        TRect r = Rect(0, 0, button->Width(), button->Height());
        button->Canvas()->SetFont(c->Font());
        button->Canvas()->Brush()->SetStyle(bsClear);
        DrawText(button->Canvas(), QLatin1String(captions[i]), r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        c->Draw(12 + i * 90, 12, button.get());
    }
    int x = 290;
    for (int index : {29, 30, 37, 38}) {
        auto picture = files.Load(style, index);
        if (index >= 37) {
            picture->SetTransparentColor(picture->Canvas()->Pixels(0, 0));
            picture->SetTransparent(true);
        }
        c->Draw(x, 16, picture.get());
        x += picture->Width() + 5;
    }

    const auto barPicture = files.Load(style, 75), slider = files.Load(style, 76);
    const int trackHeight = std::max(barPicture->Height(), slider->Height());
    auto track = Blank(260, trackHeight, GetThemeColor(style, 79));
    DrawThreeSlice(barPicture.get(), track->Canvas(), Rect(0, (trackHeight - barPicture->Height()) / 2, 260, (trackHeight + barPicture->Height()) / 2), false);
    track->Canvas()->Draw(100, 0, slider.get());
    c->Draw(12, 50, track.get());

    const auto progress = files.Load(style, 43);
    auto bar = Blank(150, progress->Height() + 2, GetThemeColor(style, 9));
    bar->Canvas()->StretchDraw(Rect(1, 1, 90, bar->Height() - 1), progress.get());
    bar->Canvas()->Brush()->SetColor(GetThemeColor(style, 8));
    bar->Canvas()->FrameRect(Rect(0, 0, 150, bar->Height()));
    c->Draw(12, 84, bar.get());

    const auto active = files.Load(style, 70), inactive = files.Load(style, 71), line = files.Load(style, 72);
    const int tabs = 110;
    c->StretchDraw(Rect(13, tabs + active->Height(), 270, tabs + active->Height() + line->Height()), line.get());
    DrawThreeSlice(inactive.get(), c, Rect(12 + 70, tabs, 12 + 140, tabs + inactive->Height()), true);
    DrawThreeSlice(active.get(), c, Rect(12, tabs + 1, 12 + 70, tabs + 1 + active->Height()), true);

    // A vertical scroll bar with a 40-pixel thumb cut from its strip.
    const auto up = files.Load(style, 85), down = files.Load(style, 88), strip = files.Load(style, 91);
    const int sx = width - up->Width() - 12, length = 130;
    c->Brush()->SetColor(GetThemeColor(style, 84));
    c->FillRect(Rect(sx, 10, sx + up->Width(), 10 + length));
    c->Draw(sx, 10, up.get());
    c->Draw(sx, 10 + length - down->Height(), down.get());
    RotateBitmapLeft(strip.get());
    auto thumb = Blank(40, strip->Height(), GetThemeColor(style, 84));
    DrawThreeSlice(strip.get(), thumb->Canvas(), Rect(0, 0, 40, strip->Height()), false);
    RotateBitmapRight(thumb.get());
    c->Draw(sx, 10 + up->Height() + 20, thumb.get());
    return body;
}

} // namespace

bool WriteContactSheet(const std::vector<SkinPicture> &pictures, const QString &folder, const QString &sheetPath)
{
    const Files files(folder);

    QImage sheet(SheetWidth, 6000, QImage::Format_RGB32);
    sheet.fill(QColor(250, 250, 250));
    QPainter p(&sheet);
    QFont label(QStringLiteral("DejaVu Sans"));
    label.setPixelSize(10);
    QFont heading(QStringLiteral("DejaVu Sans"));
    heading.setPixelSize(18);
    heading.setBold(true);

    int y = 10;
    for (int style = Custom; style <= BlueGlass; ++style) {
        p.setFont(heading);
        p.setPen(Qt::black);
        p.drawText(10, y + 18, style == Custom ? QStringLiteral("Fixed names and class pictures") : QLatin1String(SUI_STYLE_PREFIXES[style]));
        y += 28;
        if (style != Custom) {
            const auto title = TitleBar(files, style, 420), body = Body(files, style, 420);
            p.drawImage(10, y, title->Image());
            p.drawImage(10, y + title->Height(), body->Image());
            y += title->Height() + body->Height() + 16;
        }
        int x = 10, rowHeight = 0;
        p.setFont(label);
        for (const SkinPicture &picture : pictures) {
            if (picture.Style != style)
                continue;
            const QImage image = files.Load(picture.Name)->Image();
            const int scale = image.width() > 150 ? 1 : Scale;
            // Strips one or two pixels wide are shown wider to be seen.
            const QSize shown(std::max(image.width(), 6) * scale, image.height() * scale);
            const int cell = std::max(shown.width(), 200) + 10;
            if (x + cell > SheetWidth) {
                x = 10;
                y += rowHeight + 8;
                rowHeight = 0;
            }
            p.drawImage(QRect(QPoint(x, y), shown), image);
            QString name = picture.Name;
            if (style != Custom)
                name = name.mid(name.indexOf(QLatin1Char('_')) + 1);
            p.setPen(Qt::darkGray);
            p.drawText(x, y + shown.height() + 11, QStringLiteral("%1 %2x%3").arg(name).arg(image.width()).arg(image.height()));
            x += cell;
            rowHeight = std::max(rowHeight, shown.height() + 14);
        }
        y += rowHeight + 20;
    }
    p.end();
    return sheet.copy(0, 0, SheetWidth, y).save(sheetPath, "PNG");
}
