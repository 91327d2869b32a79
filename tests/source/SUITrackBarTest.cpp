#include "SUITrackBar.h"
#include "WaitFor.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {
LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

struct TrackFixture : ::testing::Test {
    TForm *Form = nullptr;
    TsuiTrackBar *Bar = nullptr;
    int Changes = 0;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 400, 300);
        Bar = new TsuiTrackBar(Form);
        Bar->SetParent(Form);
        Bar->SetUIStyle(WinXP);
        Bar->SetBounds(10, 10, 216, 21);
        Bar->OnChange = [this](TObject *Sender) {
            EXPECT_EQ(Sender, Bar);
            ++Changes;
        };
    }
    void TearDown() override
    {
        SetCursorPosProvider(nullptr);
        delete Form;
    }
    // The pixel along the bar whose value is Value (the first such pixel).
    int PixelOf(int Value)
    {
        for (int x = 0; x < Bar->Width(); ++x)
            if (Bar->PixelToValue(x, 0) >= Value)
                return x;
        return Bar->Width();
    }
};
}

using TrackBar = TrackFixture;

TEST_F(TrackBar, WinXPThicknessAndSliderPlacement)
{
    EXPECT_EQ(Bar->Height(), 21);
    EXPECT_EQ(Bar->Slider()->Width(), 11);
    Bar->SetPosition(50);
    EXPECT_EQ(Bar->Slider()->Left(), 102);
    EXPECT_EQ(Bar->Color(), GetThemeColor(WinXP, 79));
}

TEST_F(TrackBar, PositionIsClampedAndReportedOnlyOnChange)
{
    Bar->SetPosition(150);
    EXPECT_EQ(Bar->Position(), 100);
    EXPECT_EQ(Changes, 1);
    Bar->SetPosition(100);
    EXPECT_EQ(Changes, 1);
    Bar->SetPosition(-5);
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(Changes, 2);
}

TEST_F(TrackBar, NewRangeMovesNothingUntilPositionChanges)
{
    Bar->SetPosition(50);
    const int left = Bar->Slider()->Left();
    Changes = 0;
    Bar->SetMax(200);
    EXPECT_EQ(Bar->Slider()->Left(), left);
    EXPECT_EQ(Changes, 0);
    Bar->SetPosition(100);
    EXPECT_EQ(Bar->Slider()->Left(), 100 * (216 - 11) / 200);
}

TEST_F(TrackBar, PageSizeOutsideZeroToHundredIsIgnored)
{
    Bar->SetPageSize(101);
    EXPECT_EQ(Bar->PageSize(), 10);
    Bar->SetPageSize(-1);
    EXPECT_EQ(Bar->PageSize(), 10);
    Bar->SetPageSize(0);
    EXPECT_EQ(Bar->PageSize(), 0);
}

TEST_F(TrackBar, PagingStopsAtThePointer)
{
    Bar->SetPosition(20);
    const int x = PixelOf(25);
    const int y = Bar->Height() / 2;
    SetCursorPosProvider([&] { return Bar->ClientToScreen({x, y}); });
    Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    EXPECT_EQ(Bar->Position(), 25);
    QTest::qWait(1100);
    EXPECT_EQ(Bar->Position(), 25) << "holding pages no further than the pointer";
    Bar->Perform(WM_LBUTTONUP, 0, At(x, y));
}

TEST_F(TrackBar, HoldingPagesEveryHalfSecondUntilRelease)
{
    Bar->SetPosition(0);
    const int x = Bar->Width() - 2, y = Bar->Height() / 2;
    SetCursorPosProvider([&] { return Bar->ClientToScreen({x, y}); });
    Bar->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_TRUE(WaitFor([&] { return Bar->Position() == 20; }, 1500));
    Bar->Perform(WM_LBUTTONUP, 0, At(x, y));
    QTest::qWait(600);
    EXPECT_EQ(Bar->Position(), 20);
}

TEST_F(TrackBar, DraggingPastTheEndsStaysInside)
{
    const int grab = Bar->Slider()->Width() / 2;
    Bar->Slider()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(grab, 5));
    Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(500, 5));
    EXPECT_EQ(Bar->Position(), 100);
    EXPECT_EQ(Bar->Slider()->Left(), Bar->Width() - Bar->Slider()->Width());
    Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(-300, 5));
    EXPECT_EQ(Bar->Position(), 0);
    EXPECT_EQ(Bar->Slider()->Left(), 0);
    Bar->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(60, 5));
    Bar->Perform(WM_LBUTTONUP, 0, At(60, 5));
    EXPECT_EQ(Bar->Slider()->Left(), 60 - grab) << "the slider stays where the pointer left it";
    EXPECT_EQ(Changes, 3);
}

TEST_F(TrackBar, CustomKeepsPicturesAndShowsItsOwnBarUnsliced)
{
    const TColor xpColour = Bar->Color();
    Bar->SetUIStyle(Custom);
    EXPECT_EQ(Bar->Color(), xpColour);
    EXPECT_EQ(Bar->Slider()->Width(), 11);

    TBitmap own;
    own.SetSize(30, 6);
    own.Canvas()->Brush()->SetColor(clRed);
    own.Canvas()->FillRect(Rect(0, 0, 30, 6));
    TPicture picture;
    picture.SetBitmap(&own);
    Bar->SetBarImage(&picture);
    TBitmap shot;
    shot.SetSize(Bar->Width(), Bar->Height());
    Bar->PaintTo(shot.Canvas(), 0, 0);
    const int y = (Bar->Height() - 6) / 2 + 2;
    EXPECT_EQ(shot.Image().pixelColor(29, y), QColor(Qt::red));
    EXPECT_NE(shot.Image().pixelColor(31, y), QColor(Qt::red)) << "drawn at its own size";
}

TEST_F(TrackBar, VerticalPutsMinAtTheTop)
{
    Bar->SetOrientation(suiVertical);
    Bar->SetBounds(10, 10, Bar->Width(), 200);
    EXPECT_EQ(Bar->Width(), 22);
    Bar->SetPosition(0);
    Bar->SetPosition(100);
    EXPECT_EQ(Bar->Slider()->Top(), Bar->Height() - Bar->Slider()->Height());
    EXPECT_EQ(Bar->PixelToValue(0, Bar->Slider()->Height() / 2), 0);
}
