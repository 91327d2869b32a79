// The tab control: the strip's tabs and their widths, clicking them, the
// strip height and colours per style, and handing the style on.
#include "SUITabControl.h"
#include "WaitFor.h"

#include "Forms.h"
#include "SUIButton.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct TabFixture : ::testing::Test {
    TForm *Form = nullptr;
    TsuiTabControl *Tab = nullptr;
    std::vector<int> Activated;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 400, 200);
        Tab = new TsuiTabControl(Form);
        Tab->SetParent(Form);
        Tab->SetBounds(10, 10, 360, 150);
        Tab->SetUIStyle(WinXP);
        Tab->OnTabActive = [this](TObject *, int Index) { Activated.push_back(Index); };
    }
    void TearDown() override { delete Form; }
    void Show()
    {
        Form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
        Paint();
    }
    // Paints the strip, which records the tabs' widths.
    QImage Paint() { return Tab->TopPanel()->Handle()->grab().toImage(); }
    int TextWidth(const String &Text)
    {
        TBitmap measure;
        measure.SetSize(1, 1);
        measure.Canvas()->SetFont(Tab->Font());
        return measure.Canvas()->TextWidth(Text);
    }
    void Press(int X, int Y) { Tab->TopPanel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y)); }
};

TEST_F(TabFixture, NewControlShowsTab1FromTheLeftMargin)
{
    EXPECT_EQ(Tab->Tabs()->Count(), 1);
    EXPECT_EQ(Tab->Tabs()->Strings(0), "Tab1");
    EXPECT_EQ(Tab->TabIndex(), 0);
    EXPECT_EQ(Tab->LeftMargin(), 10);
    Show();
    EXPECT_EQ(Tab->TopPanel()->TabWidth(0), TextWidth("Tab1") + 20);
    EXPECT_EQ(Tab->TopPanel()->TabWidth(1), -1);
    EXPECT_EQ(Tab->TopPanel()->TabHeight(), 18) << "WinXP's active tab picture";
}

TEST_F(TabFixture, EmptyCaptionsAre80WideAndHiddenTabsTakeNothing)
{
    Tab->Tabs()->SetText("One\n\nThree");
    Tab->TopPanel()->SetTabVisible(2, false);
    Show();
    EXPECT_EQ(Tab->TopPanel()->TabWidth(0), TextWidth("One") + 20);
    EXPECT_EQ(Tab->TopPanel()->TabWidth(1), 80);
    EXPECT_EQ(Tab->TopPanel()->TabWidth(2), 0);
}

TEST_F(TabFixture, ClicksInsideATabSelectItButNotOnEdgesOrOutside)
{
    Tab->Tabs()->SetText("Alpha\nBeta\nGamma");
    Show();
    const int w0 = Tab->TopPanel()->TabWidth(0);
    const int w1 = Tab->TopPanel()->TabWidth(1);
    const int h = Tab->TopPanel()->TabHeight();
    const int beta = 10 + w0;
    Press(beta + w1 / 2, h / 2);
    EXPECT_EQ(Tab->TabIndex(), 1);
    EXPECT_EQ(Activated, std::vector<int>{1});

    // The boundary between two tabs, the top and bottom rows, the margin.
    for (const auto &[x, y] : std::vector<std::pair<int, int>>{{beta, h / 2}, {beta + w1, h / 2}, {12, 0}, {12, h},
                                                                {5, h / 2}, {beta + w1 + TextWidth("Gamma") + 25, h / 2}})
        Press(x, y);
    EXPECT_EQ(Tab->TabIndex(), 1);
    EXPECT_EQ(Activated, std::vector<int>{1});
    Press(12, 1);
    EXPECT_EQ(Tab->TabIndex(), 0);
}

TEST_F(TabFixture, TabIndexMinusOneDeselectsAndOutOfRangeIsIgnored)
{
    Tab->Tabs()->SetText("Alpha\nBeta");
    Tab->SetTabIndex(-1);
    EXPECT_EQ(Tab->TabIndex(), -1);
    EXPECT_EQ(Activated, std::vector<int>{-1});
    Tab->SetTabIndex(2);
    Tab->SetTabIndex(-2);
    EXPECT_EQ(Tab->TabIndex(), -1);
    EXPECT_EQ(Activated, std::vector<int>{-1});
    Tab->Tabs()->Clear();
    Tab->SetTabIndex(0);
    EXPECT_EQ(Tab->TabIndex(), -1) << "no tabs, no index";
}

TEST_F(TabFixture, OnlyTheFirst63TabsCanBeClicked)
{
    QStringList captions;
    for (int i = 0; i < 70; ++i)
        captions.append(QStringLiteral("T%1").arg(i));
    Tab->Tabs()->SetText(captions.join('\n'));
    Tab->SetWidth(70 * 60);
    Show();
    EXPECT_GT(Tab->TopPanel()->TabWidth(62), 0);
    EXPECT_EQ(Tab->TopPanel()->TabWidth(63), -1);
    EXPECT_EQ(Tab->TopPanel()->TabWidth(69), -1);
}

struct StyleRow {
    TsuiUIStyle Style;
    int StripHeight;
    TColor Body, Strip, Border;
};

class TabStyles : public TabFixture, public ::testing::WithParamInterface<StyleRow> {};

TEST_P(TabStyles, StripHeightAndColours)
{
    const StyleRow row = GetParam();
    Tab->SetUIStyle(row.Style);
    EXPECT_EQ(Tab->UIStyle(), row.Style);
    EXPECT_EQ(Tab->TopPanel()->Height(), row.StripHeight);
    EXPECT_EQ(Tab->Color(), row.Body);
    EXPECT_EQ(Tab->TopPanel()->Color(), row.Strip);
    EXPECT_EQ(Tab->BorderColor(), row.Border);
    Show();
    // The body: filled with Color, framed left, right and below.
    const QImage image = Tab->Handle()->grab().toImage();
    const int y = row.StripHeight + 20;
    EXPECT_EQ(QRgbToColor(image.pixel(0, y)), row.Border);
    EXPECT_EQ(QRgbToColor(image.pixel(Tab->Width() - 1, y)), row.Border);
    EXPECT_EQ(QRgbToColor(image.pixel(20, Tab->Height() - 1)), row.Border);
    EXPECT_EQ(QRgbToColor(image.pixel(20, y)), ColorToRGB(row.Body));
}

INSTANTIATE_TEST_SUITE_P(Styles, TabStyles,
                         ::testing::Values(StyleRow{MacOS, 34, 0x00E7E7E7, 0x00E7E7E7, 0x007F7F7F},
                                           StyleRow{WinXP, 19, 0x00FFFFFF, 0x00DEEBEF, 0x00686868},
                                           StyleRow{DeepBlue, 22, 0x00E8E8E8, 0x00E8E8E8, 0},
                                           StyleRow{Protein, 22, 0x00FBFBFB, 0x00FBFBFB, 0},
                                           StyleRow{BlueGlass, 22, 0x00E7E7E7, 0x00E7E7E7, 0}));

TEST_F(TabFixture, CustomIsIgnoredEntirely)
{
    Tab->SetUIStyle(Custom);
    EXPECT_EQ(Tab->UIStyle(), WinXP);
    EXPECT_EQ(Tab->Color(), 0x00FFFFFF);
    EXPECT_EQ(Tab->TopPanel()->Height(), 19);
}

TEST_F(TabFixture, StartsInTheOwnersStyle)
{
    TForm form(nullptr);
    TsuiTabControl tab(&form);
    EXPECT_EQ(tab.UIStyle(), DeepBlue);
    EXPECT_EQ(tab.Height(), 80);
    EXPECT_EQ(tab.TopPanel()->Align(), alTop);
}

TEST_F(TabFixture, HandsItsStyleToItsChildrenAndIsASubContainer)
{
    auto *button = new TsuiButton(Form);
    button->SetParent(Tab);
    Tab->SetUIStyle(Protein);
    EXPECT_EQ(button->UIStyle(), Protein);

    ApplyStyleToChildren(Form, MacOS);
    EXPECT_EQ(Tab->UIStyle(), MacOS);
    EXPECT_EQ(button->UIStyle(), MacOS);

    // As a sub-container it hands on the style without taking it itself.
    ApplyStyleToSubContainers(Form, BlueGlass);
    EXPECT_EQ(Tab->UIStyle(), MacOS);
    EXPECT_EQ(button->UIStyle(), BlueGlass);
}

// Each style's strip, kept for a look.
TEST(TabRender, EachStyleRenders)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 330, 5 * 90 + 10);
    form.SetColor(clBtnFace);
    const TsuiUIStyle styles[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};
    for (int i = 0; i < 5; ++i) {
        auto *tab = new TsuiTabControl(&form);
        tab->SetParent(&form);
        tab->SetUIStyle(styles[i]);
        tab->SetBounds(10, 10 + i * 90, 310, 80);
        tab->Tabs()->SetText("Lessons\nSongs\nStories");
        tab->SetTabIndex(1);
    }
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Handle()));
    form.Handle()->grab().toImage().save(QDir::temp().filePath("wordlark-tabs.png"));
}

} // namespace
