// Drawing helpers of the skinned menus.
#include "SUIMenu.h"
#include "SkinBitmaps.h"

#include <QApplication>
#include <QFontInfo>
#include <gtest/gtest.h>

namespace {

constexpr TColor Background = 0x00DDEEFF;

// The pixels of one row of a bitmap that differ from the background, as
// [first, last] columns; {-1, -1} when there are none.
std::pair<int, int> PaintedColumns(TBitmap *bmp, int y)
{
    std::pair<int, int> r{-1, -1};
    for (int x = 0; x < bmp->Width(); ++x)
        if (bmp->Canvas()->Pixels(x, y) != Background) {
            if (r.first < 0)
                r.first = x;
            r.second = x;
        }
    return r;
}

} // namespace

TEST(MenuHelpers, FrameAndFillLeaveTheCanvasBrush)
{
    auto bmp = FilledBitmap(30, 20, Background);
    TCanvas *c = bmp->Canvas();
    c->Brush()->SetColor(clLime);
    FillMenuRect(c, Rect(2, 2, 12, 10), clRed);
    FrameMenuRect(c, Rect(14, 2, 24, 10), clBlue);
    EXPECT_EQ(c->Brush()->Color(), clLime);
    EXPECT_EQ(c->Pixels(2, 2), clRed);
    EXPECT_EQ(c->Pixels(11, 9), clRed);
    EXPECT_EQ(c->Pixels(12, 9), Background);
    EXPECT_EQ(c->Pixels(14, 2), clBlue);
    EXPECT_EQ(c->Pixels(23, 9), clBlue);
    EXPECT_EQ(c->Pixels(18, 5), Background);
    EXPECT_EQ(c->Pixels(24, 9), Background);
}

// The separator of a WinXP item 100 wide with its 26-pixel bar: from
// x = 30 up to and excluding x = 98, two pixels below the top.
TEST(MenuHelpers, SeparatorLineAfterTheBar)
{
    auto bmp = FilledBitmap(110, 12, Background);
    TCanvas *c = bmp->Canvas();
    c->Pen()->SetColor(clLime);
    DrawSeparatorLine(c, Rect(0, 3, 100, 8), 0x00848284, 26);
    EXPECT_EQ(c->Pen()->Color(), clLime);
    EXPECT_EQ(PaintedColumns(bmp.get(), 5), std::make_pair(30, 97));
    EXPECT_EQ(c->Pixels(30, 5), 0x00848284);
    for (int y : {3, 4, 6, 7})
        EXPECT_EQ(PaintedColumns(bmp.get(), y), std::make_pair(-1, -1)) << y;
}

TEST(MenuHelpers, SystemMenuFont)
{
    TFont font;
    font.SetName(QStringLiteral("Courier New"));
    font.SetStyle(fsBold | fsItalic);
    font.SetColor(clRed);
    GetSystemMenuFont(&font);
    const QFont menu = QApplication::font("QMenu");
    EXPECT_EQ(font.Name(), menu.family());
    EXPECT_EQ(font.Height(), -QFontInfo(menu).pixelSize());
    EXPECT_EQ(font.Style(), menu.bold() ? fsBold : 0);
    EXPECT_EQ(font.Color(), clMenuText);
}
