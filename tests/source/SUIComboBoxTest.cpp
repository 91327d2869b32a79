// The skinned combo box: style colours, and the flat button, triangle and
// border painted over the native box.
#include "SUIColorBox.h"
#include "SUIComboBox.h"
#include "SUIFontComboBox.h"
#include "SUIResDef.h"

#include "Forms.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct ComboRow {
    TsuiUIStyle Style;
    TColor Button, Arrow;
};

class SkinComboStyles : public ::testing::TestWithParam<ComboRow> {};

TEST_P(SkinComboStyles, ButtonArrowAndBorderFromTheTheme)
{
    const ComboRow row = GetParam();
    TForm form(nullptr);
    TsuiComboBox combo(&form);
    combo.SetButtonColor(clRed);
    combo.SetUIStyle(row.Style);
    EXPECT_EQ(combo.UIStyle(), row.Style);
    EXPECT_EQ(combo.ButtonColor(), row.Button);
    EXPECT_EQ(combo.ArrowColor(), row.Arrow);
    EXPECT_EQ(combo.BorderColor(), row.Arrow);
}

INSTANTIATE_TEST_SUITE_P(Styles, SkinComboStyles,
                         ::testing::Values(ComboRow{MacOS, 0x00E7E7E7, 0x007F7F7F}, ComboRow{WinXP, 0x00DEEBEF, 0x00686868},
                                           ComboRow{DeepBlue, 0x00E8E8E8, 0}, ComboRow{Protein, 0x00FBFBFB, 0},
                                           ComboRow{BlueGlass, 0x00E9D6D5, 0}, ComboRow{Custom, 0, 0}));

TEST(SkinCombo, StartsInTheOwnersStyleOpaqueWithoutMargin)
{
    TForm form(nullptr);
    TsuiComboBox combo(&form);
    EXPECT_EQ(combo.UIStyle(), DeepBlue);
    EXPECT_TRUE(combo.ControlStyle() & csOpaque);
    EXPECT_EQ(combo.BorderWidth(), 0);
}

TEST(SkinCombo, EveryComboClassFollowsItsContainer)
{
    TForm form(nullptr);
    auto *plain = new TsuiComboBox(&form);
    auto *colors = new TsuiColorBox(&form);
    auto *fonts = new TsuiFontComboBox(&form);
    auto *sizes = new TsuiFontSizeComboBox(&form);
    for (TsuiCustomComboBox *c : std::initializer_list<TsuiCustomComboBox *>{plain, colors, fonts, sizes}) {
        c->SetParent(&form);
        c->SetUIStyle(Custom);
    }
    ApplyStyleToChildren(&form, Protein);
    for (TsuiCustomComboBox *c : std::initializer_list<TsuiCustomComboBox *>{plain, colors, fonts, sizes}) {
        EXPECT_EQ(c->UIStyle(), Protein);
        EXPECT_EQ(c->ButtonColor(), 0x00FBFBFB);
    }
}

struct SkinComboPaint : ::testing::Test {
    TForm *Form = nullptr;
    TsuiComboBox *Combo = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 300, 120);
        Combo = new TsuiComboBox(Form);
        Combo->SetParent(Form);
        Combo->SetBounds(10, 10, 150, 22);
        Combo->SetStyle(csDropDownList);
        Combo->Items()->SetText("One\nTwo");
        Combo->SetItemIndex(0);
        Combo->SetUIStyle(WinXP);
    }
    void TearDown() override { delete Form; }
    void Show()
    {
        Form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    }
    QImage Grab() { return Combo->Handle()->grab().toImage(); }
    TRect Button()
    {
        TComboBoxInfo info;
        EXPECT_TRUE(GetComboBoxInfo(Combo->Handle(), &info));
        return info.rcButton;
    }
    static TColor At(const QImage &Image, int X, int Y) { return QRgbToColor(Image.pixel(X, Y)); }
};

TEST_F(SkinComboPaint, FlatButtonTriangleAndTwoFrames)
{
    Show();
    const QImage image = Grab();
    const TRect b = Button();
    ASSERT_GT(b.Width(), 8);
    EXPECT_EQ(At(image, 0, 0), 0x00686868) << "outer frame in BorderColor";
    EXPECT_EQ(At(image, Combo->Width() - 1, Combo->Height() - 1), 0x00686868);
    EXPECT_EQ(At(image, 1, 1), ColorToRGB(clWindow)) << "inner frame in Color";
    EXPECT_EQ(At(image, b.Left + 1, b.Bottom - 3), 0x00DEEBEF) << "the button, flat";
    const int x = b.Left + b.Width() / 2 - 4;
    const int y = b.Height() / 2;
    EXPECT_EQ(At(image, x + 3, y + 1), 0x00686868) << "the triangle in ArrowColor";
    EXPECT_EQ(At(image, x + 3, y - 2), 0x00DEEBEF);
}

TEST_F(SkinComboPaint, DisabledTriangleIsGreyOverWhite)
{
    Combo->SetEnabled(false);
    Show();
    const QImage image = Grab();
    const TRect b = Button();
    const int x = b.Left + b.Width() / 2 - 4;
    const int y = b.Height() / 2;
    EXPECT_EQ(At(image, x + 3, y + 1), 0x00808080);
    EXPECT_EQ(At(image, x + 5, y + 2), 0x00FFFFFF);
}

TEST_F(SkinComboPaint, MacOSButtonIsThePicture)
{
    Combo->SetUIStyle(MacOS);
    Show();
    const QImage image = Grab();
    const TRect b = Button();
    TBitmap picture;
    picture.LoadFromResourceName(HInstance, RES_MACOS_COMBOBOX_BUTTON);
    // The picture's left column, stretched down the button's.
    EXPECT_EQ(At(image, b.Left, b.Top + b.Height() / 4),
              ColorToRGB(picture.Canvas()->Pixels(0, picture.Height() / 4)));
    EXPECT_NE(At(image, b.Left + 1, b.Bottom - 3), 0x00E7E7E7);
}

TEST_F(SkinComboPaint, CustomPaintsEverythingBlack)
{
    Combo->SetUIStyle(Custom);
    Show();
    const QImage image = Grab();
    const TRect b = Button();
    EXPECT_EQ(At(image, 0, 0), clBlack);
    EXPECT_EQ(At(image, b.Left + 1, b.Bottom - 3), clBlack);
}

// The four combo classes in each style, kept for a look.
TEST(SkinComboRender, EachStyleRenders)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 4 * 160 + 10, 5 * 30 + 10);
    const TsuiUIStyle styles[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};
    for (int i = 0; i < 5; ++i) {
        auto *plain = new TsuiComboBox(&form);
        plain->SetParent(&form);
        plain->Items()->SetText("Plain\nTwo");
        plain->SetItemIndex(0);
        auto *colors = new TsuiColorBox(&form);
        colors->SetParent(&form);
        colors->SetStyle(cbStandardColors | cbExtendedColors | cbPrettyNames);
        colors->SetSelected(clMoneyGreen);
        auto *fonts = new TsuiFontComboBox(&form);
        fonts->SetParent(&form);
        fonts->SetFontName("DejaVu Sans");
        auto *sizes = new TsuiFontSizeComboBox(&form);
        sizes->SetParent(&form);
        sizes->SetFontName("DejaVu Sans");
        sizes->SetItemIndex(4);
        int x = 10;
        for (TsuiCustomComboBox *c : std::initializer_list<TsuiCustomComboBox *>{plain, colors, fonts, sizes}) {
            c->SetUIStyle(styles[i]);
            c->SetBounds(x, 10 + i * 30, 150, 22);
            x += 160;
        }
        if (i == 2)
            sizes->SetEnabled(false);
    }
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Handle()));
    form.Handle()->grab().toImage().save(QDir::temp().filePath("wordlark-combos.png"));
}

} // namespace
