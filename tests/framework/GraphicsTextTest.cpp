// Fonts and text: face substitution, sizes, and DrawText's layout flags
// checked by where ink lands (fonts vary, so relations rather than widths).
#include "Graphics.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

struct Ink {
    TRect Box;     // bounding box of the pixels differing from the background
    int Count = 0; // how many pixels differ
};

Ink InkOf(TBitmap &bmp, TColor background, const TRect &area)
{
    Ink ink;
    ink.Box = {area.Right, area.Bottom, area.Left, area.Top};
    const QImage &image = bmp.Image();
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            if (QRgbToColor(image.pixel(x, y)) != background) {
                ++ink.Count;
                ink.Box.Left = std::min(ink.Box.Left, x);
                ink.Box.Top = std::min(ink.Box.Top, y);
                ink.Box.Right = std::max(ink.Box.Right, x + 1);
                ink.Box.Bottom = std::max(ink.Box.Bottom, y + 1);
            }
    return ink;
}

Ink InkOf(TBitmap &bmp)
{
    return InkOf(bmp, clWhite, Rect(0, 0, bmp.Width(), bmp.Height()));
}

// A white bitmap whose canvas draws black text with a clear brush.
std::unique_ptr<TBitmap> Page(int w, int h)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(w, h);
    bmp->Canvas()->Font()->SetHeight(-16);
    bmp->Canvas()->Font()->SetColor(clBlack);
    bmp->Canvas()->Brush()->SetStyle(bsClear);
    return bmp;
}

} // namespace

TEST(Font, FacesAreSubstitutedAndSizesConvert)
{
    TFont font;
    EXPECT_EQ(font.Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);
    font.SetName(QStringLiteral("宋体"));
    EXPECT_EQ(QFontInfo(font.QtFont()).family(), QStringLiteral("WenQuanYi Zen Hei"));
    font.SetName(QStringLiteral("Tahoma"));
    EXPECT_EQ(QFontInfo(font.QtFont()).family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(QFontInfo(font.QtFont()).pixelSize(), 12);
}

TEST(Font, ChangesNotifyAndAssignCopies)
{
    TFont a;
    int changes = 0;
    a.OnChange = [&](TObject *) { ++changes; };
    a.SetStyle(fsBold | fsItalic);
    a.SetColor(clWhite);
    a.SetColor(clWhite); // no change, no notice
    EXPECT_EQ(changes, 2);
    TFont b;
    b.Assign(&a);
    EXPECT_EQ(b.Style(), fsBold | fsItalic);
    EXPECT_EQ(b.Color(), clWhite);
    TPen pen;
    EXPECT_THROW(b.Assign(&pen), EConvertError);
}

TEST(Font, HeightsAndStylesChangeTheExtent)
{
    TBitmap bmp;
    TCanvas *c = bmp.Canvas();
    c->Font()->SetHeight(-12);
    const TSize small = c->TextExtent(QStringLiteral("Wordlark"));
    c->Font()->SetHeight(-24);
    const TSize large = c->TextExtent(QStringLiteral("Wordlark"));
    EXPECT_GT(large.cx, small.cx);
    EXPECT_GT(large.cy, small.cy);
    c->Font()->SetStyle(fsBold);
    EXPECT_GE(c->TextWidth(QStringLiteral("Wordlark")), large.cx);
    // A positive height is the whole cell.
    c->Font()->SetHeight(20);
    EXPECT_NEAR(c->TextHeight(QStringLiteral("Wg")), 20, 1);
    EXPECT_EQ(c->TextWidth(QString()), 0);
}

TEST(Text, TextOutFillsTheBackgroundUnlessTheBrushIsClear)
{
    auto bmp = Page(100, 30);
    TCanvas *c = bmp->Canvas();
    c->TextOut(2, 2, QStringLiteral("ab"));
    EXPECT_EQ(c->Pixels(2 + c->TextWidth(QStringLiteral("ab")) - 1, 2), clWhite);
    EXPECT_EQ(c->PenPos().X, 2 + c->TextWidth(QStringLiteral("ab")));

    c->Brush()->SetColor(clYellow); // a colour makes the brush solid again
    EXPECT_EQ(c->Brush()->Style(), bsSolid);
    c->TextOut(2, 2, QStringLiteral("ab"));
    const TSize size = c->TextExtent(QStringLiteral("ab"));
    EXPECT_EQ(c->Pixels(2, 2), clYellow);
    EXPECT_EQ(c->Pixels(2 + size.cx - 1, 2 + size.cy - 1), clYellow);
    EXPECT_EQ(c->Pixels(2 + size.cx, 2), clWhite);
}

TEST(Text, TextRectClipsToItsRectangle)
{
    auto bmp = Page(200, 40);
    TCanvas *c = bmp->Canvas();
    c->TextRect(Rect(10, 5, 30, 35), 10, 10, QStringLiteral("WWWWWWWW"));
    const Ink ink = InkOf(*bmp);
    EXPECT_GT(ink.Count, 0);
    EXPECT_GE(ink.Box.Left, 10);
    EXPECT_LE(ink.Box.Right, 30);
}

struct AlignRow {
    UINT Flags;
    const char *Name;
};

class DrawTextAlign : public ::testing::TestWithParam<AlignRow> {};

TEST_P(DrawTextAlign, PlacesTheLineInTheRectangle)
{
    auto bmp = Page(300, 60);
    const TRect box = Rect(20, 5, 280, 55);
    TRect r = box;
    const UINT flags = GetParam().Flags;
    const QString text = QStringLiteral("Hello");
    DrawText(bmp->Canvas(), text, r, flags);
    const Ink ink = InkOf(*bmp);
    ASSERT_GT(ink.Count, 0);
    const int width = bmp->Canvas()->TextWidth(text);
    const int height = bmp->Canvas()->TextHeight(text);
    const int centreX = (ink.Box.Left + ink.Box.Right) / 2;
    const int centreY = (ink.Box.Top + ink.Box.Bottom) / 2;
    if (flags & DT_CENTER)
        EXPECT_NEAR(centreX, (box.Left + box.Right) / 2, 3);
    else if (flags & DT_RIGHT)
        EXPECT_NEAR(ink.Box.Right, box.Right, 3);
    else
        EXPECT_NEAR(ink.Box.Left, box.Left, 3);
    const bool single = flags & DT_SINGLELINE;
    if (single && flags & DT_VCENTER)
        EXPECT_NEAR(centreY, (box.Top + box.Bottom) / 2, height / 3);
    else if (single && flags & DT_BOTTOM)
        EXPECT_GT(ink.Box.Top, box.Bottom - height - 1);
    else
        EXPECT_LT(ink.Box.Bottom, box.Top + height + 1);
    EXPECT_LE(ink.Box.Right - ink.Box.Left, width + 2);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, DrawTextAlign,
    ::testing::Values(AlignRow{DT_SINGLELINE, "TopLeft"}, AlignRow{DT_SINGLELINE | DT_CENTER, "TopCentre"},
                      AlignRow{DT_SINGLELINE | DT_RIGHT, "TopRight"},
                      AlignRow{DT_SINGLELINE | DT_VCENTER | DT_CENTER, "Middle"},
                      AlignRow{DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, "BottomRight"},
                      // Vertical placement needs a single line.
                      AlignRow{DT_VCENTER | DT_BOTTOM, "MultiLineIgnoresVertical"}),
    [](const auto &info) { return std::string(info.param.Name); });

TEST(DrawTextPrefix, AmpersandUnderlinesTheNextCharacterOnly)
{
    auto plain = Page(200, 40);
    auto marked = Page(200, 40);
    TRect r1 = Rect(10, 5, 190, 35);
    TRect r2 = r1;
    DrawText(plain->Canvas(), QStringLiteral("File"), r1, DT_SINGLELINE);
    DrawText(marked->Canvas(), QStringLiteral("&File"), r2, DT_SINGLELINE);
    // The only difference is a line under "F", below the letters.
    const QImage a = plain->Image();
    const QImage b = marked->Image();
    TRect diff{200, 40, 0, 0};
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                diff.Left = std::min(diff.Left, x);
                diff.Top = std::min(diff.Top, y);
                diff.Right = std::max(diff.Right, x + 1);
                diff.Bottom = std::max(diff.Bottom, y + 1);
            }
    ASSERT_FALSE(IsRectEmpty(diff));
    const int fWidth = plain->Canvas()->TextWidth(QStringLiteral("F"));
    EXPECT_GE(diff.Left, 10);
    EXPECT_LE(diff.Right, 10 + fWidth + 1);
    EXPECT_GE(diff.Top, 5 + QFontMetrics(plain->Canvas()->Font()->QtFont()).ascent());
}

TEST(DrawTextPrefix, DoubledAmpersandAndNoPrefixMeasureLiterally)
{
    TBitmap bmp;
    TCanvas *c = bmp.Canvas();
    TRect r = Rect(0, 0, 500, 100);
    DrawText(c, QStringLiteral("A&&B"), r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.Width(), c->TextWidth(QStringLiteral("A&B")));
    r = Rect(0, 0, 500, 100);
    DrawText(c, QStringLiteral("A&&B"), r, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.Width(), c->TextWidth(QStringLiteral("A&&B")));
    r = Rect(0, 0, 500, 100);
    DrawText(c, QStringLiteral("&Open"), r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.Width(), c->TextWidth(QStringLiteral("Open")));
}

TEST(DrawTextLayout, CalcRectMeasuresLinesAndWrapping)
{
    TBitmap bmp; // measuring needs no pixels
    TCanvas *c = bmp.Canvas();
    const int line = c->TextHeight(QStringLiteral("X"));
    TRect r = Rect(5, 7, 500, 100);
    EXPECT_EQ(DrawText(c, QStringLiteral("one\r\ntwo\rthree"), r, DT_CALCRECT), 3 * line);
    EXPECT_EQ(r.Top, 7);
    EXPECT_EQ(r.Bottom, 7 + 3 * line);
    EXPECT_EQ(r.Width(), c->TextWidth(QStringLiteral("three")));

    r = Rect(0, 0, 500, 100);
    DrawText(c, QStringLiteral("one\r\ntwo"), r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Height(), line);

    const QString words = QStringLiteral("the quick brown fox jumps over the lazy dog");
    const int narrow = c->TextWidth(QStringLiteral("quick brown"));
    r = Rect(0, 0, narrow, 10);
    const int height = DrawText(c, words, r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(height, 3 * line);
    EXPECT_LE(r.Width(), narrow);
}

TEST(DrawTextLayout, EndEllipsisKeepsTextInsideAndClearBrushKeepsBackground)
{
    auto bmp = Page(300, 40);
    TCanvas *c = bmp->Canvas();
    c->Brush()->SetColor(clAqua);
    c->FillRect(Rect(0, 0, 300, 40));
    c->Brush()->SetStyle(bsClear);
    TRect r = Rect(10, 5, 80, 35);
    DrawText(c, QStringLiteral("a caption far too long for its place"), r, DT_SINGLELINE | DT_END_ELLIPSIS);
    const Ink ink = InkOf(*bmp, clAqua, Rect(0, 0, 300, 40));
    ASSERT_GT(ink.Count, 0);
    EXPECT_LE(ink.Box.Right, 80);
    EXPECT_GT(ink.Box.Right, 60); // the ellipsis reaches the end
    EXPECT_EQ(c->Pixels(11, 6), clAqua);

    // A solid brush fills behind the line.
    c->Brush()->SetColor(clYellow);
    r = Rect(10, 5, 80, 35);
    DrawText(c, QStringLiteral("ab"), r, DT_SINGLELINE);
    EXPECT_EQ(c->Pixels(10, 5), clYellow);
}

TEST(DrawTextLayout, ChineseCaptionDrawsInTheSubstitutedFace)
{
    auto bmp = Page(200, 40);
    TCanvas *c = bmp->Canvas();
    c->Font()->SetName(QStringLiteral("宋体"));
    c->Font()->SetHeight(-12);
    TRect r = Rect(0, 0, 200, 40);
    DrawText(c, QStringLiteral("软件使用提示"), r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    const Ink ink = InkOf(*bmp);
    EXPECT_GT(ink.Count, 60);
    EXPECT_NEAR(ink.Box.Right - ink.Box.Left, c->TextWidth(QStringLiteral("软件使用提示")), 3);
}
