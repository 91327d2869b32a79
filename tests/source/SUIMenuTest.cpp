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

// The MacOS pictures are cut to 12 or 20 rows and stretched: drawn into a
// rectangle twice as tall as the cut, each of its rows fills two.
TEST(MenuHelpers, MacPicturesCutAndStretched)
{
    struct Row {
        void (*Draw)(TCanvas *, const TRect &);
        const char *ResName;
        int Rows;
    };
    const Row rows[] = {
        {DrawMacMenuSeparator, "MACOS_MENU_BAR", 12},
        {DrawMacMenuSelect, "MACOS_MENU_SELECT", 20},
        {DrawMacMenuItemBack, "MACOS_MENU_BAR", 20},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.ResName);
        TBitmap picture;
        picture.LoadFromResourceName(HInstance, QLatin1String(row.ResName));
        ASSERT_GT(picture.Height(), row.Rows);
        auto bmp = FilledBitmap(40, 2 * row.Rows + 4, Background);
        row.Draw(bmp->Canvas(), Rect(5, 2, 35, 2 + 2 * row.Rows));
        for (int y = 0; y < 2 * row.Rows; ++y) {
            EXPECT_EQ(bmp->Canvas()->Pixels(5, 2 + y), picture.Canvas()->Pixels(0, y / 2)) << y;
            EXPECT_EQ(bmp->Canvas()->Pixels(34, 2 + y), picture.Canvas()->Pixels(0, y / 2)) << y;
        }
        EXPECT_EQ(PaintedColumns(bmp.get(), 1), std::make_pair(-1, -1));
        EXPECT_EQ(PaintedColumns(bmp.get(), 2 + 2 * row.Rows), std::make_pair(-1, -1));
        EXPECT_EQ(bmp->Canvas()->Pixels(4, 2), Background);
        EXPECT_EQ(bmp->Canvas()->Pixels(35, 2), Background);
    }
}
