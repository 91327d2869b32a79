#include "SUIScrollBar.h"
#include "WaitFor.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <vector>
#include <gtest/gtest.h>

namespace {
LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

struct ScrollFixture : ::testing::Test {
    TForm *Form = nullptr;
    TsuiScrollBar *Bar = nullptr;
    int Changes = 0;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 400, 300);
        Bar = new TsuiScrollBar(Form);
        Bar->SetParent(Form);
        Bar->SetUIStyle(WinXP);
        Bar->SetBounds(10, 10, Bar->Width(), 185);
        Bar->SetOnChange([this](TObject *) { ++Changes; });
    }
    void TearDown() override { delete Form; }
    int ThumbLength() const
    {
        return Bar->Orientation() == suiVertical ? Bar->TrackBar()->Slider()->Height()
                                                 : Bar->TrackBar()->Slider()->Width();
    }
};
using ScrollBar = ScrollFixture;

TEST_F(ScrollBar, StartsVertical185HighInTheOwnersStyle)
{
    TForm form(nullptr);
    TsuiScrollBar bar(&form);
    EXPECT_EQ(bar.Orientation(), suiVertical);
    EXPECT_EQ(bar.UIStyle(), DeepBlue);
    EXPECT_EQ(bar.Height(), 185);
    EXPECT_EQ(bar.Width(), bar.UpButton()->Width());
    EXPECT_EQ(bar.Max(), 100);
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.SmallChange(), 1);
    EXPECT_EQ(bar.LargeChange(), 10);
    EXPECT_EQ(bar.PageSize(), 10);
    EXPECT_EQ(bar.LineButton(), 0);
    EXPECT_EQ(bar.Color(), GetThemeColor(DeepBlue, 84));
    EXPECT_EQ(bar.TrackBar()->Color(), bar.Color());
}

struct LayoutRow {
    TsuiUIStyle Style;
    int ButtonWidth, ButtonHeight, TrackLength;
};

class ScrollBarLayout : public ScrollFixture, public ::testing::WithParamInterface<LayoutRow> {};

TEST_P(ScrollBarLayout, ArrowsAtTheEndsTrackBetween)
{
    const LayoutRow row = GetParam();
    Bar->SetUIStyle(row.Style);
    Bar->SetBounds(10, 10, 50, 185);
    EXPECT_EQ(Bar->Width(), row.ButtonWidth);
    EXPECT_EQ(Bar->UpButton()->Height(), row.ButtonHeight);
    EXPECT_EQ(Bar->UpButton()->Top(), 0);
    EXPECT_EQ(Bar->TrackBar()->Top(), row.ButtonHeight);
    EXPECT_EQ(Bar->TrackBar()->Height(), row.TrackLength);
    EXPECT_EQ(Bar->DownButton()->Top(), 185 - Bar->DownButton()->Height());

    Bar->SetOrientation(suiHorizontal);
    Bar->SetBounds(10, 10, 185, 50);
    EXPECT_EQ(Bar->Height(), row.ButtonWidth) << "the arrows are turned";
    EXPECT_EQ(Bar->TrackBar()->Left(), row.ButtonHeight);
    EXPECT_EQ(Bar->TrackBar()->Width(), row.TrackLength + 1) << "no one-pixel gap across";
    EXPECT_EQ(Bar->DownButton()->Left(), 185 - Bar->DownButton()->Width());
}

INSTANTIATE_TEST_SUITE_P(Styles, ScrollBarLayout,
                         ::testing::Values(LayoutRow{MacOS, 16, 22, 140}, LayoutRow{WinXP, 16, 17, 150},
                                           LayoutRow{DeepBlue, 16, 16, 152}, LayoutRow{Protein, 16, 16, 152},
                                           LayoutRow{BlueGlass, 17, 16, 152}));

struct ThumbRow {
    int LineButton, PageSize, TrackLength, Expected;
};

class ScrollBarThumb : public ScrollFixture, public ::testing::WithParamInterface<ThumbRow> {};

TEST_P(ScrollBarThumb, LengthFromLineButtonOrPage)
{
    const ThumbRow row = GetParam();
    // A 200-pixel track between the WinXP arrows.
    Bar->SetBounds(10, 10, Bar->Width(), row.TrackLength + 2 * 17 + 1);
    ASSERT_EQ(Bar->TrackBar()->Height(), row.TrackLength);
    Bar->SetPageSize(row.PageSize);
    Bar->SetLineButton(row.LineButton);
    EXPECT_EQ(ThumbLength(), row.Expected);
    EXPECT_EQ(Bar->TrackBar()->Slider()->Width(), 16);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScrollBarThumb,
                         ::testing::Values(ThumbRow{0, 25, 200, 50}, ThumbRow{0, 5, 200, 20},
                                           ThumbRow{0, 100, 200, 200}, ThumbRow{0, 0, 150, 15},
                                           ThumbRow{40, 25, 200, 40}, ThumbRow{5, 25, 200, 18},
                                           ThumbRow{-3, 50, 150, 75}));

TEST_F(ScrollBar, ShortLineButtonReadsBackAs18)
{
    Bar->SetLineButton(5);
    EXPECT_EQ(Bar->LineButton(), 18);
    EXPECT_EQ(ThumbLength(), 18);
}

TEST_F(ScrollBar, PageSizeOutside0To100IsIgnoredLargeChangeWaitsForLayout)
{
    Bar->SetPageSize(150);
    EXPECT_EQ(Bar->PageSize(), 10);
    Bar->SetPageSize(-1);
    EXPECT_EQ(Bar->LargeChange(), 10);

    const int before = ThumbLength();
    Bar->SetLargeChange(30);
    EXPECT_EQ(Bar->PageSize(), 30) << "one stored value";
    EXPECT_EQ(ThumbLength(), before) << "the thumb waits for the next layout";
    Bar->SetBounds(Bar->Left(), Bar->Top(), Bar->Width(), 185);
    Bar->SetHeight(186);
    EXPECT_EQ(ThumbLength(), 30 * Bar->TrackBar()->Height() / 100);
}

TEST_F(ScrollBar, PositionClampsAndFiresOncePerChange)
{
    Bar->SetPosition(150);
    EXPECT_EQ(Bar->Position(), 100);
    Bar->SetPosition(100);
    Bar->SetPosition(-5);
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(Changes, 2);
    Bar->SetMax(200);
    EXPECT_EQ(Changes, 2) << "a new range alone changes nothing";
}

TEST_F(ScrollBar, HeldArrowStepsEvery100MsAndAShortPressDoesNot)
{
    Bar->SetSmallChange(3);
    TsuiImageButton *down = Bar->DownButton();
    const LPARAM centre = At(down->Width() / 2, down->Height() / 2);
    down->Perform(WM_LBUTTONDOWN, MK_LBUTTON, centre);
    QTest::qWait(30);
    down->Perform(WM_LBUTTONUP, 0, centre);
    QTest::qWait(150);
    EXPECT_EQ(Bar->Position(), 0);

    down->Perform(WM_LBUTTONDOWN, MK_LBUTTON, centre);
    EXPECT_TRUE(WaitFor([&] { return Bar->Position() >= 6; }));
    down->Perform(WM_LBUTTONUP, 0, centre);
    EXPECT_EQ(Bar->Position() % 3, 0);
    EXPECT_EQ(Changes, Bar->Position() / 3);

    const int atUp = Bar->Position();
    TsuiImageButton *up = Bar->UpButton();
    up->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(up->Width() / 2, up->Height() / 2));
    EXPECT_TRUE(WaitFor([&] { return Bar->Position() < atUp; }));
    up->Perform(WM_LBUTTONUP, 0, At(up->Width() / 2, up->Height() / 2));
}

TEST_F(ScrollBar, ClickInTheTrackPagesTowardThePointer)
{
    TsuiScrollTrackBar *track = Bar->TrackBar();
    const int y = track->Height() - 2;
    track->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(track->Width() / 2, y));
    track->Perform(WM_LBUTTONUP, 0, At(track->Width() / 2, y));
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_EQ(Changes, 1);
}

TEST_F(ScrollBar, ThumbCanBeHiddenAlone)
{
    Bar->SetThumbVisible(false);
    EXPECT_FALSE(Bar->TrackBar()->SliderVisible());
    EXPECT_TRUE(Bar->Visible());
    Bar->SetThumbVisible(true);
    EXPECT_TRUE(Bar->TrackBar()->SliderVisible());
}

TEST_F(ScrollBar, CustomKeepsPicturesAndColour)
{
    Bar->SetUIStyle(Custom);
    EXPECT_EQ(Bar->Color(), GetThemeColor(WinXP, 84));
    EXPECT_EQ(Bar->UpButton()->Height(), 17);
}

TEST_F(ScrollBar, TakesTheStyleHandedOnByItsContainer)
{
    Bar->SetUIStyle(Custom);
    ApplyStyleToChildren(Form, MacOS);
    EXPECT_EQ(Bar->UIStyle(), MacOS);
    EXPECT_EQ(Bar->UpButton()->Height(), 22);
}

// Each style's bar in both orientations, shown, grabbed and kept for a look.
TEST_F(ScrollBar, EachStyleRenders)
{
    const TsuiUIStyle styles[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};
    Form->SetBounds(40, 40, 5 * 130, 200);
    std::vector<TsuiScrollBar *> verticals;
    for (int i = 0; i < 5; ++i) {
        auto *vertical = new TsuiScrollBar(Form);
        vertical->SetParent(Form);
        vertical->SetUIStyle(styles[i]);
        vertical->SetBounds(i * 130, 5, 20, 185);
        vertical->SetPosition(30);
        verticals.push_back(vertical);
        auto *horizontal = new TsuiScrollBar(Form);
        horizontal->SetParent(Form);
        horizontal->SetUIStyle(styles[i]);
        horizontal->SetOrientation(suiHorizontal);
        horizontal->SetBounds(i * 130 + 25, 5, 100, 20);
        horizontal->SetPageSize(30);
        horizontal->SetPosition(60);
    }
    Bar->SetVisible(false);
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    const QImage sheet = Form->Handle()->grab().toImage();
    sheet.save(QDir::temp().filePath("wordlark-scrollbars.png"));
    for (TsuiScrollBar *vertical : verticals) {
        // The thumb stands out from the track around it.
        const TRect thumb = vertical->TrackBar()->Slider()->BoundsRect();
        const int x = vertical->Left() + thumb.Left + thumb.Width() / 2;
        const int top = vertical->Top() + vertical->TrackBar()->Top();
        EXPECT_NE(sheet.pixelColor(x, top + thumb.Top + thumb.Height() / 2),
                  sheet.pixelColor(x, top + vertical->TrackBar()->Height() - 3))
            << "style " << vertical->UIStyle();
    }
}

} // namespace
