// The colour box: the colour list by style, pretty names, the selection with
// the custom entry, swatch frames and the colour dialog for a custom colour.
#include "SUIColorBox.h"
#include "WaitFor.h"

#include "Dialogs.h"
#include "Forms.h"
#include "../framework/ShowActive.h"

#include <QComboBox>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct ColorBoxFixture : ::testing::Test {
    TForm *Form = nullptr;
    TsuiColorBox *Box = nullptr;
    std::vector<TDialogRequest> Requests;
    int Answer = IDOK;
    TColor Chosen = clBlack;
    int Selects = 0;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 300, 120);
        Box = new TsuiColorBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 200, 22);
        Box->OnSelect = [this](TObject *) { ++Selects; };
        SetDialogHandler([this](TDialogRequest &Request) {
            Requests.push_back(Request);
            Request.Color = Chosen;
            return Answer;
        });
    }
    void TearDown() override
    {
        SetDialogHandler(nullptr);
        delete Form;
    }
    std::vector<String> Names()
    {
        std::vector<String> names;
        for (int i = 0; i < Box->Items()->Count(); ++i)
            names.push_back(Box->Items()->Strings(i));
        return names;
    }
    QComboBox *Combo() { return static_cast<QComboBox *>(Box->Handle()); }
    // The user picks item Index from the open list.
    void PickFromList(int Index)
    {
        Box->SetDroppedDown(true);
        Combo()->setCurrentIndex(Index);
        Box->SetDroppedDown(false);
        emit Combo()->activated(Index);
    }
};

TEST_F(ColorBoxFixture, DefaultStyleListsFiftyNamedColoursFromBlack)
{
    EXPECT_EQ(Box->Style(), cbStandardColors | cbExtendedColors | cbSystemColors);
    Box->HandleNeeded();
    const std::vector<String> names = Names();
    ASSERT_EQ(names.size(), 50u);
    EXPECT_EQ(names[0], "clBlack");
    EXPECT_EQ(names[15], "clWhite");
    EXPECT_EQ(names[16], "clMoneyGreen");
    EXPECT_EQ(names[20], "clActiveBorder");
    EXPECT_EQ(names.back(), "clWindowText");
    EXPECT_EQ(std::count(names.begin(), names.end(), "clNone"), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "clDefault"), 0);
    EXPECT_EQ(Box->Colors(16), clMoneyGreen);
    EXPECT_EQ(Box->Selected(), clBlack);
    EXPECT_EQ(Box->ItemIndex(), 0);
}

TEST_F(ColorBoxFixture, PrettyNamesDropTheirPrefixAndSpaceTheCapitals)
{
    Box->HandleNeeded();
    Box->SetStyle(cbStandardColors | cbExtendedColors | cbSystemColors | cbPrettyNames);
    const std::vector<String> names = Names();
    EXPECT_EQ(names[16], "Money Green");
    EXPECT_NE(std::find(names.begin(), names.end(), "3 D Dk Shadow"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Gradient Inactive Caption"), names.end());
    EXPECT_EQ(names[0], "Black");
}

struct StyleRow {
    TColorBoxStyles Style;
    int Count;
    const char *First;
    bool HasNone, HasDefault;
};

class ColorBoxStyles : public ColorBoxFixture, public ::testing::WithParamInterface<StyleRow> {};

TEST_P(ColorBoxStyles, ListFollowsTheStyle)
{
    const StyleRow row = GetParam();
    Box->HandleNeeded();
    Box->SetStyle(row.Style);
    const std::vector<String> names = Names();
    ASSERT_EQ(static_cast<int>(names.size()), row.Count);
    EXPECT_EQ(names[0], row.First);
    EXPECT_EQ(std::count(names.begin(), names.end(), "clNone"), row.HasNone ? 1 : 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "clDefault"), row.HasDefault ? 1 : 0);
    EXPECT_TRUE(Box->Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ColorBoxStyles,
    ::testing::Values(StyleRow{cbStandardColors, 16, "clBlack", false, false},
                      StyleRow{cbExtendedColors, 4, "clMoneyGreen", false, false},
                      StyleRow{cbSystemColors, 30, "clActiveBorder", false, false},
                      // None goes with the system range it sits in.
                      StyleRow{cbStandardColors | cbIncludeNone, 16, "clBlack", false, false},
                      StyleRow{cbSystemColors | cbIncludeNone | cbIncludeDefault, 32, "clActiveBorder", true, true},
                      StyleRow{cbStandardColors | cbCustomColor, 17, "Custom...", false, false},
                      StyleRow{cbCustomColor, 1, "Custom...", false, false}));

TEST_F(ColorBoxFixture, NoColourGroupAndNoCustomEntryDisablesTheBox)
{
    Box->HandleNeeded();
    Box->SetStyle(cbPrettyNames);
    EXPECT_FALSE(Box->Enabled());
    EXPECT_EQ(Box->Items()->Count(), 0);
    EXPECT_EQ(Box->Selected(), NoColorSelected);
    Box->SetStyle(cbStandardColors);
    EXPECT_TRUE(Box->Enabled());
    EXPECT_EQ(Box->ItemIndex(), 0) << "a filled list without selection selects its first item";
}

TEST_F(ColorBoxFixture, SelectingColoursInAndOutOfTheList)
{
    Box->HandleNeeded();
    Box->SetSelected(clRed);
    EXPECT_EQ(Box->Items()->Strings(Box->ItemIndex()), "clRed");
    EXPECT_EQ(Box->Selected(), clRed);
    Box->SetSelected(0x00123456);
    EXPECT_EQ(Box->ItemIndex(), -1) << "no custom entry to take it";
    EXPECT_EQ(Box->Selected(), NoColorSelected);

    Box->SetStyle(cbStandardColors | cbCustomColor);
    Box->SetSelected(0x00123456);
    EXPECT_EQ(Box->ItemIndex(), 0);
    EXPECT_EQ(Box->Colors(0), 0x00123456);
    EXPECT_EQ(Box->Selected(), 0x00123456);
    Box->SetSelected(NoColorSelected);
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->Colors(0), 0x00123456);
}

TEST_F(ColorBoxFixture, SelectionAskedBeforeTheWindowIsKept)
{
    Box->SetSelected(clNavy);
    EXPECT_EQ(Box->Selected(), clNavy);
    Box->HandleNeeded();
    EXPECT_EQ(Box->Items()->Strings(Box->ItemIndex()), "clNavy");
    EXPECT_EQ(Box->Selected(), clNavy);
}

TEST_F(ColorBoxFixture, CustomEntryAsksForAColourOnceTheListCloses)
{
    Box->HandleNeeded();
    Box->SetStyle(cbStandardColors | cbCustomColor);
    Box->SetSelected(0x00C08040);
    Selects = 0;
    Chosen = 0x00112233;
    PickFromList(0);
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Kind, dkColorDialog);
    EXPECT_EQ(Requests[0].Color, 0x00C08040);
    EXPECT_EQ(Requests[0].CustomColors, QStringList{"ColorA=00c08040"});
    EXPECT_EQ(Box->Colors(0), 0x00112233);
    EXPECT_EQ(Selects, 1);

    // Cancelled: the colour stays and no selection is reported.
    Answer = IDCANCEL;
    Chosen = clRed;
    PickFromList(0);
    EXPECT_EQ(Requests.size(), 2u);
    EXPECT_EQ(Box->Colors(0), 0x00112233);
    EXPECT_EQ(Selects, 1);

    // Another item asks nothing.
    PickFromList(3);
    EXPECT_EQ(Requests.size(), 2u);
    EXPECT_EQ(Selects, 2);
}

TEST_F(ColorBoxFixture, EnterOnTheCustomEntryAsksForAColour)
{
    Box->SetStyle(cbStandardColors | cbCustomColor);
    ASSERT_TRUE(ShowActive(Form));
    Box->SetItemIndex(0);
    Box->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return Box->Focused(); }));
    Chosen = 0x00445566;
    QTest::keyClick(Combo(), Qt::Key_Return);
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Box->Colors(0), 0x00445566);
}

struct FrameRow {
    TColor Swatch;
    bool Focused;
    TColor Frame;
};

class ColorBoxSwatch : public ColorBoxFixture, public ::testing::WithParamInterface<FrameRow> {};

// Any component above 192 frames the swatch black; else its own colour, or
// white on a selected item.
TEST_P(ColorBoxSwatch, FrameColour)
{
    const FrameRow row = GetParam();
    Box->SetStyle(cbStandardColors | cbCustomColor);
    Box->SetSelected(row.Swatch);
    auto *other = new TsuiComboBox(Form);
    other->SetParent(Form);
    other->SetBounds(10, 50, 100, 22);
    ASSERT_TRUE(ShowActive(Form));
    TWinControl *focused = row.Focused ? static_cast<TWinControl *>(Box) : other;
    focused->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return focused->Focused(); }));
    TComboBoxInfo info;
    ASSERT_TRUE(GetComboBoxInfo(Box->Handle(), &info));
    const QImage image = Box->Handle()->grab().toImage();
    const TRect face = info.rcItem;
    // The swatch: the face's left square, one pixel in on every side.
    const int side = face.Height();
    const int middle = face.Top + side / 2;
    EXPECT_EQ(QRgbToColor(image.pixel(face.Left + 1, middle)), row.Frame);
    EXPECT_EQ(QRgbToColor(image.pixel(face.Left + side - 2, middle)), row.Frame);
    EXPECT_EQ(QRgbToColor(image.pixel(face.Left + side / 2, face.Top + 1)), row.Frame);
    EXPECT_EQ(QRgbToColor(image.pixel(face.Left + side / 2, middle)), row.Swatch);
}

INSTANTIATE_TEST_SUITE_P(Rows, ColorBoxSwatch,
                         ::testing::Values(FrameRow{0x00C0C0C0, false, 0x00C0C0C0}, FrameRow{0x00C0C0C0, true, clWhite},
                                           FrameRow{0x00C1C0C0, false, clBlack}, FrameRow{0x00C1C0C0, true, clBlack},
                                           FrameRow{0x0000C100, true, clBlack}, FrameRow{0x00800000, false, 0x00800000}));

} // namespace
