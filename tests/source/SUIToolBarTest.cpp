// The skinned tool bar: style colours, flat faces of hot, pressed and checked
// buttons drawn in them, a see-through background under MacOS.
#include "SUIToolBar.h"
#include "WaitFor.h"

#include "Forms.h"
#include "ImgList.h"
#include "../framework/ShowActive.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

struct ToolBarRow {
    TsuiUIStyle Style;
    TColor Border, Button, Down, Color;
};

class SkinToolBarStyles : public ::testing::TestWithParam<ToolBarRow> {};

TEST_P(SkinToolBarStyles, TakeTheThemeColours)
{
    const ToolBarRow row = GetParam();
    TForm form(nullptr);
    TsuiToolBar bar(&form);
    bar.SetUIStyle(row.Style);
    EXPECT_EQ(bar.ButtonBorderColor(), row.Border);
    EXPECT_EQ(bar.ButtonColor(), row.Button);
    EXPECT_EQ(bar.ButtonDownColor(), row.Down);
    EXPECT_EQ(bar.Color(), row.Color);
    EXPECT_EQ(bar.Transparent(), row.Style == MacOS);
    EXPECT_EQ(bar.EdgeInner(), esNone);
    EXPECT_EQ(bar.EdgeOuter(), esNone);
    EXPECT_TRUE(bar.Flat());
}

INSTANTIATE_TEST_SUITE_P(
    Styles, SkinToolBarStyles,
    ::testing::Values(ToolBarRow{MacOS, 0x00474747, 0x00EFEFEF, 0x00D8D8D8, 0x00E7E7E7},
                      ToolBarRow{WinXP, 0x00C66931, 0x00EFD3C6, 0x00E1AC93, 0x00DEEBEF},
                      ToolBarRow{DeepBlue, 0x00474747, 0x00EFEFEF, 0x00D8D8D8, 0x00E8E8E8},
                      ToolBarRow{Protein, 0x00474747, 0x00EFEFEF, 0x00D8D8D8, 0x00FBFBFB},
                      ToolBarRow{BlueGlass, 0x00474747, 0x00EFEFEF, 0x00D8D8D8, 0x00E7E7E7}));

TEST(SkinToolBar, StartsInTheOwnersStyleAndCustomKeepsEverything)
{
    TForm form(nullptr);
    TsuiToolBar bar(&form);
    EXPECT_EQ(bar.UIStyle(), DeepBlue);
    bar.SetUIStyle(MacOS);
    bar.SetButtonColor(clRed);
    bar.SetUIStyle(Custom);
    EXPECT_EQ(bar.UIStyle(), Custom);
    EXPECT_EQ(bar.ButtonColor(), clRed);
    EXPECT_EQ(bar.Color(), 0x00E7E7E7);
    EXPECT_TRUE(bar.Transparent());
}

TEST(SkinToolBar, FollowsTheStyleItsContainerHandsOn)
{
    TForm form(nullptr);
    auto *bar = new TsuiToolBar(&form);
    bar->SetParent(&form);
    bar->SetUIStyle(Custom);
    ApplyStyleToChildren(&form, WinXP);
    EXPECT_EQ(bar->UIStyle(), WinXP);
    EXPECT_EQ(bar->ButtonColor(), 0x00EFD3C6);
}

struct SkinToolBarFaces : ::testing::Test {
    TForm *Form = nullptr;
    TsuiToolBar *Bar = nullptr;
    TImageList *Images = nullptr;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 320, 120);
        Form->SetColor(clRed);
        Bar = new TsuiToolBar(Form);
        Bar->SetParent(Form);
        Bar->SetUIStyle(WinXP);
        Bar->SetEdgeBorders(0);
        Bar->SetButtonHeight(30);
        Bar->SetButtonWidth(40);
        Bar->SetHeight(30);
    }
    void TearDown() override { delete Form; }

    TToolButton *AddButton(const String &Caption)
    {
        auto *b = new TToolButton(Form);
        b->SetLeft(Bar->Width());
        b->SetParent(Bar);
        b->SetCaption(Caption);
        return b;
    }
    // One 16 x 16 image of a single colour.
    void GiveImages(TColor Colour)
    {
        Images = new TImageList(16, 16, Form);
        TBitmap bmp;
        bmp.SetSize(16, 16);
        bmp.Canvas()->Brush()->SetColor(Colour);
        bmp.Canvas()->FillRect(Rect(0, 0, 16, 16));
        Images->Add(&bmp, nullptr);
        Bar->SetImages(Images);
    }
    void Show()
    {
        ASSERT_TRUE(ShowActive(Form));
    }
    QWindow *Window() { return Form->Handle()->windowHandle(); }
    QPoint Centre(TControl *C)
    {
        const TPoint p = C->ClientToScreen({C->Width() / 2, C->Height() / 2});
        return Window()->mapFromGlobal(QPoint(p.X, p.Y));
    }
    // Puts the pointer on C, coming from below the bar.
    void Hover(TToolButton *C)
    {
        QTest::mouseMove(Window(), QPoint(5, Form->ClientHeight() - 5));
        QTest::mouseMove(Window(), Centre(C));
        ASSERT_TRUE(WaitFor([&] { return C->Hot(); }));
    }
    QImage Grab() { return Bar->Handle()->grab().toImage(); }
    static TColor At(const QImage &Image, int X, int Y) { return QRgbToColor(Image.pixel(X, Y)); }
    // The first row from the top with a pixel of Colour inside the button.
    static int FirstRowOf(const QImage &Image, TToolButton *B, TColor Colour)
    {
        for (int y = 0; y < Image.height(); ++y)
            for (int x = B->Left() + 1; x < B->Left() + B->Width() - 1; ++x)
                if (At(Image, x, y) == Colour)
                    return y;
        return -1;
    }
};

TEST_F(SkinToolBarFaces, IdleButtonsAreTheFrameworksHotAndPressedOnesFlatInTheStyleColours)
{
    TToolButton *a = AddButton("A");
    TToolButton *b = AddButton("B");
    Show();
    const QImage idle = Grab();
    EXPECT_EQ(At(idle, a->Left(), 0), 0x00DEEBEF) << "the bar's theme colour, no edge";
    EXPECT_EQ(At(idle, a->Left() + 3, 3), 0x00DEEBEF);

    Hover(a);
    QImage hot = Grab();
    EXPECT_EQ(At(hot, a->Left(), 0), 0x00C66931) << "border";
    EXPECT_EQ(At(hot, a->Left() + a->Width() - 1, a->Height() - 1), 0x00C66931);
    EXPECT_EQ(At(hot, a->Left() + 3, 3), 0x00EFD3C6) << "normal face";
    EXPECT_EQ(At(hot, b->Left() + 3, 3), 0x00DEEBEF) << "the other button stays idle";

    QTest::mousePress(Window(), Qt::LeftButton, {}, Centre(a));
    EXPECT_EQ(At(Grab(), a->Left() + 3, 3), 0x00E1AC93) << "down face";
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, Centre(a));
    EXPECT_EQ(At(Grab(), a->Left() + 3, 3), 0x00EFD3C6);
}

TEST_F(SkinToolBarFaces, CheckedButtonsShowTheNormalFace)
{
    TToolButton *a = AddButton("A");
    a->SetStyle(tbsCheck);
    a->SetDown(true);
    Show();
    EXPECT_EQ(At(Grab(), a->Left() + 3, 3), 0x00EFD3C6);
}

TEST_F(SkinToolBarFaces, PressedImagesSitOnePixelRightAndLower)
{
    GiveImages(clBlue);
    TToolButton *a = AddButton("A");
    a->SetImageIndex(0);
    Show();
    Hover(a);
    const int x = a->Left() + (a->Width() - 16) / 2 - 1;
    QImage hot = Grab();
    EXPECT_EQ(At(hot, x, 2), clBlue);
    EXPECT_EQ(At(hot, x - 1, 2), 0x00EFD3C6);
    EXPECT_EQ(At(hot, x, 1), 0x00EFD3C6);
    QTest::mousePress(Window(), Qt::LeftButton, {}, Centre(a));
    QImage down = Grab();
    EXPECT_EQ(At(down, x + 1, 3), clBlue);
    EXPECT_EQ(At(down, x, 3), 0x00E1AC93);
    EXPECT_EQ(At(down, x + 1, 2), 0x00E1AC93);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, Centre(a));
}

TEST_F(SkinToolBarFaces, CaptionsWithoutImagesDropOneRowWhilePressed)
{
    Bar->SetShowCaptions(true);
    TToolButton *a = AddButton("Wide caption");
    Show();
    Hover(a);
    const int hotTop = FirstRowOf(Grab(), a, clBlack);
    QTest::mousePress(Window(), Qt::LeftButton, {}, Centre(a));
    const int downTop = FirstRowOf(Grab(), a, clBlack);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, Centre(a));
    ASSERT_GE(hotTop, 4);
    EXPECT_EQ(downTop, hotTop + 1);
}

TEST_F(SkinToolBarFaces, MacOSShowsWhatLiesBehind)
{
    AddButton("A");
    Bar->SetUIStyle(MacOS);
    Show();
    const QImage image = Grab();
    EXPECT_EQ(At(image, Bar->Width() - 2, 5), clRed) << "the form's colour behind the bar";
    Bar->SetUIStyle(Protein);
    EXPECT_EQ(At(Grab(), Bar->Width() - 2, 5), 0x00FBFBFB);
}

// Each style's bar with an idle, a hot and a checked button, kept for a look.
TEST_F(SkinToolBarFaces, EachStyleRenders)
{
    delete Form;
    Form = new TForm(nullptr);
    Form->SetBounds(100, 100, 300, 5 * 34);
    Form->SetColor(clBtnFace);
    const TsuiUIStyle styles[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};
    std::vector<TToolButton *> hot;
    for (int i = 0; i < 5; ++i) {
        auto *bar = new TsuiToolBar(Form);
        bar->SetParent(Form);
        bar->SetAlign(alNone);
        bar->SetBounds(0, i * 34, 300, 30);
        bar->SetUIStyle(styles[i]);
        bar->SetShowCaptions(true);
        for (const char *caption : {"Idle", "Checked", "Hot"}) {
            auto *b = new TToolButton(Form);
            b->SetLeft(bar->Width());
            b->SetParent(bar);
            b->SetCaption(caption);
            b->SetAutoSize(true);
            if (QString(caption) == "Checked") {
                b->SetStyle(tbsCheck);
                b->SetDown(true);
            }
            if (QString(caption) == "Hot")
                hot.push_back(b);
        }
    }
    Bar = nullptr;
    Show();
    Hover(hot[1]);
    Form->Handle()->grab().toImage().save(QDir::temp().filePath("wordlark-toolbars.png"));
}

} // namespace
