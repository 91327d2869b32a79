// The skinned main menu: theme values per style, item measurements and the
// drawing of separators, selected, disabled and checked items.
#include "SUIForm.h"
#include "SUIMainMenu.h"
#include "SUIMenu.h"

#include <QImage>
#include <gtest/gtest.h>

#include <set>

namespace {

QColor Q(TColor C)
{
    const TColor rgb = ColorToRGB(C);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TMenuItem *AddItem(TMenuItem *Parent, const String &Caption)
{
    auto *item = new TMenuItem(nullptr);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
}

// A menu on a plain form, drawn item by item onto a bitmap.
struct MenuCanvas {
    TForm Form{nullptr};
    TsuiMainMenu *Menu = new TsuiMainMenu(&Form);
    TBitmap Bitmap;
    MenuCanvas()
    {
        Menu->SetUIStyle(WinXP);
        Bitmap.SetSize(150, 21);
    }
    QImage Draw(TMenuItem *Item, bool Selected, int Height = 21)
    {
        Bitmap.SetSize(150, Height);
        Menu->DrawMenuItem(Item, Bitmap.Canvas(), Rect(0, 0, 150, Height), Selected);
        return Bitmap.Image();
    }
};

} // namespace

TEST(SkinMainMenu, WinXPGivesTheThemeValues)
{
    TForm form(nullptr);
    TsuiMainMenu menu(&form);
    menu.SetUIStyle(WinXP);
    EXPECT_EQ(menu.MenuItemHeight(), 21);
    EXPECT_EQ(menu.SeparatorHeight(), 5);
    EXPECT_EQ(menu.BarWidth(), 26);
    EXPECT_EQ(menu.BarColor(), 0x00CED3D6);
    EXPECT_EQ(menu.Color(), 0x00FFFFFF);
    EXPECT_EQ(menu.SeparatorColor(), 0x00848284);
    EXPECT_EQ(menu.SelectedBorderColor(), 0x00C66931);
    EXPECT_EQ(menu.SelectedColor(), 0x00EFD3C6);
    EXPECT_EQ(menu.SelectedFontColor(), 0x00000000);
    EXPECT_EQ(menu.FontColor(), 0x00000000);
    EXPECT_EQ(menu.BorderColor(), 0x00C82C00);
    EXPECT_TRUE(menu.OwnerDraw());
    menu.SetOwnerDraw(false);
    EXPECT_TRUE(menu.OwnerDraw());
}

TEST(SkinMainMenu, MacOSLocksTheHeightsAndCustomKeepsEverything)
{
    TForm form(nullptr);
    TsuiMainMenu menu(&form);
    menu.SetUIStyle(MacOS);
    EXPECT_EQ(menu.SeparatorHeight(), 12);
    const int height = menu.MenuItemHeight();
    menu.SetMenuItemHeight(40);
    menu.SetSeparatorHeight(40);
    EXPECT_EQ(menu.MenuItemHeight(), height);
    EXPECT_EQ(menu.SeparatorHeight(), 12);
    menu.SetUIStyle(WinXP);
    EXPECT_EQ(menu.MenuItemHeight(), 21);
    menu.SetMenuItemHeight(40);
    EXPECT_EQ(menu.MenuItemHeight(), 40);

    menu.SetBarColor(clRed);
    menu.SetUIStyle(Custom);
    EXPECT_EQ(menu.UIStyle(), Custom);
    EXPECT_EQ(menu.MenuItemHeight(), 40);
    EXPECT_EQ(menu.BarColor(), clRed);
    EXPECT_EQ(menu.SeparatorHeight(), 5);
}

TEST(SkinMainMenu, StartsInTheStyleOfTheFormsSkinnedForm)
{
    TForm plain(nullptr);
    EXPECT_EQ(TsuiMainMenu(&plain).UIStyle(), DeepBlue);
    TForm form(nullptr);
    auto *skin = new TsuiForm(&form);
    skin->SetParent(&form);
    skin->SetUIStyle(Protein);
    auto *menu = new TsuiMainMenu(&form);
    EXPECT_EQ(menu->UIStyle(), Protein);
    EXPECT_EQ(menu->SeparatorHeight(), GetThemeInteger(Protein, 21));
}

TEST(SkinMainMenu, ImagesReadNoneWhileTheCheckMarkListIsUsed)
{
    TForm form(nullptr);
    TsuiMainMenu menu(&form);
    EXPECT_EQ(menu.Images(), nullptr);
    EXPECT_TRUE(menu.IsOwnerDraw());
    auto *images = new TImageList(16, 16, &form);
    menu.SetImages(images);
    EXPECT_EQ(menu.Images(), images);
    menu.SetImages(nullptr);
    EXPECT_EQ(menu.Images(), nullptr);
    EXPECT_TRUE(menu.IsOwnerDraw());
    menu.SetImages(images);
    delete images;
    EXPECT_EQ(menu.Images(), nullptr);
    EXPECT_TRUE(menu.IsOwnerDraw());
}

struct MeasureRow {
    const char *Caption;
    TShortCut Keys;
    int BarWidth;
};

class SkinMainMenuMeasure : public testing::TestWithParam<MeasureRow> {};

// Width: caption + shortcut text + bar + 40 (caption 60 and shortcut 30 with
// the WinXP bar of 26 make 156); height: the separator's or the item's.
TEST_P(SkinMainMenuMeasure, WidthAddsCaptionShortCutBarAndForty)
{
    const MeasureRow row = GetParam();
    MenuCanvas m;
    m.Menu->SetBarWidth(row.BarWidth);
    TMenuItem *item = AddItem(m.Menu->Items(), row.Caption);
    item->SetShortCut(row.Keys);
    TCanvas *canvas = m.Bitmap.Canvas();
    int width = 0, height = 0;
    m.Menu->MeasureMenuItem(item, canvas, width, height);
    EXPECT_EQ(width, canvas->TextWidth(row.Caption) + canvas->TextWidth(ShortCutToText(row.Keys)) + row.BarWidth + 40);
    EXPECT_EQ(height, item->IsLine() ? 5 : 21);
}

INSTANTIATE_TEST_SUITE_P(Items, SkinMainMenuMeasure,
                         testing::Values(MeasureRow{"", 0, 26}, MeasureRow{"Open", ShortCut('O', ssCtrl), 26},
                                         MeasureRow{"-", 0, 26}, MeasureRow{"&Exit", 0, 0},
                                         MeasureRow{"Medium size", ShortCut(VK_F4, 0), 10}));

TEST(SkinMainMenu, BlankItemIsBarAndFortyWide)
{
    MenuCanvas m;
    TMenuItem *item = AddItem(m.Menu->Items(), "");
    int width = 0, height = 0;
    m.Menu->MeasureMenuItem(item, m.Bitmap.Canvas(), width, height);
    EXPECT_EQ(width, 66);
}

TEST(SkinMainMenu, SeparatorIsALineFromPastTheBarToTwoShortOfTheEdge)
{
    MenuCanvas m;
    const QImage shot = m.Draw(AddItem(m.Menu->Items(), "-"), true, 5);
    const QColor bar = Q(0x00CED3D6), white = Q(clWhite), line = Q(0x00848284);
    EXPECT_EQ(shot.pixelColor(10, 2), bar);
    EXPECT_EQ(shot.pixelColor(25, 0), bar);
    EXPECT_EQ(shot.pixelColor(26, 0), white);
    EXPECT_EQ(shot.pixelColor(29, 2), white);
    EXPECT_EQ(shot.pixelColor(30, 2), line);
    EXPECT_EQ(shot.pixelColor(147, 2), line);
    EXPECT_EQ(shot.pixelColor(148, 2), white);
    EXPECT_EQ(shot.pixelColor(60, 1), white);
    EXPECT_EQ(shot.pixelColor(60, 3), white);
}

namespace {

// The colours of the text area (right of the bar, inside the frame).
std::set<QRgb> TextColours(const QImage &Shot)
{
    std::set<QRgb> colours;
    for (int y = 2; y < Shot.height() - 2; ++y)
        for (int x = 32; x < Shot.width() - 2; ++x)
            colours.insert(Shot.pixel(x, y) & 0xFFFFFF);
    return colours;
}

} // namespace

TEST(SkinMainMenu, SelectedItemIsFilledAndFramedUnlessDisabled)
{
    MenuCanvas m;
    TMenuItem *item = AddItem(m.Menu->Items(), "Play");
    QImage shot = m.Draw(item, true);
    EXPECT_EQ(shot.pixelColor(0, 0), Q(0x00C66931));
    EXPECT_EQ(shot.pixelColor(149, 20), Q(0x00C66931));
    EXPECT_EQ(shot.pixelColor(10, 10), Q(0x00EFD3C6));
    EXPECT_EQ(shot.pixelColor(140, 10), Q(0x00EFD3C6));
    EXPECT_TRUE(TextColours(shot).count(Q(clBlack).rgb() & 0xFFFFFF));

    // Disabled: the plain background under the mouse, grey text.
    item->SetEnabled(false);
    shot = m.Draw(item, true);
    EXPECT_EQ(shot.pixelColor(0, 0), Q(0x00CED3D6));
    EXPECT_EQ(shot.pixelColor(140, 10), Q(clWhite));
    const std::set<QRgb> colours = TextColours(shot);
    EXPECT_TRUE(colours.count(Q(0x00808080).rgb() & 0xFFFFFF));
    EXPECT_FALSE(colours.count(Q(clBlack).rgb() & 0xFFFFFF));
    EXPECT_FALSE(colours.count(Q(0x00EFD3C6).rgb() & 0xFFFFFF));
}

TEST(SkinMainMenu, ShortCutTextEndsSixteenFromTheRightEdge)
{
    MenuCanvas m;
    TMenuItem *item = AddItem(m.Menu->Items(), "");
    item->SetShortCut(ShortCut('O', ssCtrl));
    const QImage shot = m.Draw(item, false);
    int right = -1;
    for (int x = 30; x < 150; ++x)
        for (int y = 0; y < 21; ++y)
            if (shot.pixelColor(x, y) != Q(clWhite))
                right = x;
    ASSERT_GT(right, 30);
    EXPECT_LE(right, 150 - 16 - 1);
    EXPECT_GE(right, 150 - 16 - 4);
}

TEST(SkinMainMenu, CheckedItemShowsTheCheckGlyphFourInAndThreeDown)
{
    MenuCanvas m;
    TMenuItem *item = AddItem(m.Menu->Items(), "");
    item->SetChecked(true);
    const QImage shot = m.Draw(item, false);

    TBitmap glyph;
    glyph.LoadFromResourceName(HInstance, "MENU_CHECKED");
    TImageList list(16, 16);
    list.AddMasked(&glyph, clWhite);
    TBitmap expected;
    expected.SetSize(150, 21);
    expected.Canvas()->Brush()->SetColor(0x00CED3D6);
    expected.Canvas()->FillRect(Rect(0, 0, 150, 21));
    list.Draw(expected.Canvas(), 4, 3, 0);
    const QImage want = expected.Image();
    int marked = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 26; ++x) {
            ASSERT_EQ(shot.pixelColor(x, y), want.pixelColor(x, y)) << x << "," << y;
            marked += want.pixelColor(x, y) != Q(0x00CED3D6);
        }
    EXPECT_GT(marked, 0);
}

TEST(SkinMainMenu, CheckedItemWithAnImageGetsAFilledSquareUnderIt)
{
    MenuCanvas m;
    TImageList images(16, 16);
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 16, 16));
    images.AddMasked(&red, clWhite);
    m.Menu->SetImages(&images);
    TMenuItem *item = AddItem(m.Menu->Items(), "");
    item->SetImageIndex(0);
    item->SetChecked(true);
    const QImage shot = m.Draw(item, false);
    EXPECT_EQ(shot.pixelColor(2, 1), Q(clBlack));
    EXPECT_EQ(shot.pixelColor(20, 19), Q(clBlack));
    EXPECT_EQ(shot.pixelColor(3, 2), Q(0x00EFD3C6));
    EXPECT_EQ(shot.pixelColor(4, 3), Q(clRed));
    EXPECT_EQ(shot.pixelColor(19, 18), Q(clRed));
    EXPECT_EQ(shot.pixelColor(1, 1), Q(0x00CED3D6));
    m.Menu->SetImages(nullptr);
}

TEST(SkinMainMenu, MacOSDrawsItsPictures)
{
    MenuCanvas m;
    m.Menu->SetUIStyle(MacOS);
    TMenuItem *item = AddItem(m.Menu->Items(), "");
    TBitmap expected;
    expected.SetSize(150, 21);
    DrawMacMenuSelect(expected.Canvas(), Rect(0, 0, 150, 21));
    EXPECT_EQ(m.Draw(item, true), expected.Image());
    DrawMacMenuItemBack(expected.Canvas(), Rect(0, 0, 150, 21));
    EXPECT_EQ(m.Draw(item, false), expected.Image());
}
