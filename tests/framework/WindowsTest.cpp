#include "Forms.h"

#include <QCoreApplication>
#include <QRegion>
#include <QWidget>
#include <gtest/gtest.h>

struct RegionRow {
    TPoint Point;
    bool Inside;
};

class RoundRectRegion : public ::testing::TestWithParam<RegionRow> {};

// A 40 x 30 rectangle with 10 x 10 corner ellipses: corners cut, edges and
// middle kept, right and bottom edges excluded.
TEST_P(RoundRectRegion, CornersAreCutAlongTheEllipse)
{
    HRGN rgn = CreateRoundRectRgn(0, 0, 40, 30, 10, 10);
    const RegionRow row = GetParam();
    EXPECT_EQ(PtInRegion(rgn, row.Point.X, row.Point.Y), row.Inside) << row.Point.X << "," << row.Point.Y;
    DeleteObject(rgn);
}

INSTANTIATE_TEST_SUITE_P(Points, RoundRectRegion,
                         ::testing::Values(RegionRow{{0, 0}, false}, RegionRow{{0, 1}, false}, RegionRow{{1, 1}, true}, RegionRow{{39, 0}, false},
                                           RegionRow{{0, 29}, false}, RegionRow{{39, 29}, false}, RegionRow{{5, 0}, true},
                                           RegionRow{{0, 5}, true}, RegionRow{{3, 3}, true}, RegionRow{{20, 15}, true},
                                           RegionRow{{39, 15}, true}, RegionRow{{40, 15}, false}, RegionRow{{20, 30}, false}));

TEST(Regions, CombineSquaresTheBottomCorners)
{
    HRGN rgn = CreateRoundRectRgn(0, 0, 41, 31, 10, 10);
    HRGN left = CreateRectRgn(0, 30, 10, 20);
    EXPECT_EQ(CombineRgn(rgn, rgn, left, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(rgn, 0, 29));
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(empty, left, rgn, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(nullptr, rgn, left, RGN_OR), RGN_ERROR);
    for (HRGN r : {rgn, left, empty})
        DeleteObject(r);
}

TEST(WindowStyle, ClearingTheCaptionRemovesTheSystemFrame)
{
    TForm form(nullptr);
    form.Show();
    HWND wnd = form.Handle();
    const long style = GetWindowLong(wnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_VISIBLE);
    SetWindowLong(wnd, GWL_STYLE, style & ~WS_CAPTION);
    EXPECT_TRUE(wnd->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(wnd->isVisible());
    EXPECT_EQ(GetWindowLong(wnd, GWL_STYLE) & WS_CAPTION, 0);
    form.SetBorderStyle(bsDialog);
    EXPECT_FALSE(wnd->windowFlags() & Qt::FramelessWindowHint);
    form.SetBorderStyle(bsNone);
    EXPECT_TRUE(wnd->windowFlags() & Qt::FramelessWindowHint);
    // A region shapes the window; none gives it back whole.
    SetWindowRgn(wnd, CreateRoundRectRgn(0, 0, 100, 100, 20, 20), true);
    EXPECT_FALSE(wnd->mask().contains(QPoint(0, 0)));
    SetWindowRgn(wnd, nullptr, true);
    EXPECT_TRUE(wnd->mask().isEmpty());
}

TEST(WindowStyle, WorkAreaAndCursorHaveTestSeams)
{
    SetWorkAreaProvider([] { return Rect(0, 30, 800, 600); });
    SetCursorPosProvider([] { return Point(12, 34); });
    EXPECT_EQ(Screen->WorkAreaRect(), Rect(0, 30, 800, 600));
    TPoint p;
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p, Point(12, 34));
    SetWorkAreaProvider(nullptr);
    SetCursorPosProvider(nullptr);
    EXPECT_GT(Screen->WorkAreaRect().Width(), 0);
}

TEST(WindowStyle, SendAndPostReachTheControl)
{
    class TCounter : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;
        int Seen = 0;

    protected:
        void DefaultHandler(TMessage &M) override
        {
            if (M.Msg == WM_USER + 1) {
                ++Seen;
                M.Result = 7;
            }
            TCustomControl::DefaultHandler(M);
        }
    };
    TForm form(nullptr);
    auto *counter = new TCounter(&form);
    counter->SetParent(&form);
    EXPECT_EQ(SendMessage(counter->Handle(), WM_USER + 1, 0, 0), 7);
    EXPECT_TRUE(PostMessage(counter->Handle(), WM_USER + 1, 0, 0));
    EXPECT_EQ(counter->Seen, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter->Seen, 2);
    EXPECT_EQ(SendMessage(nullptr, WM_USER + 1, 0, 0), 0);
}

TEST(Controls, ScrollByMovesTheChildrenAndHintsFollowTheParent)
{
    TForm form(nullptr);
    auto *panel = new TCustomControl(&form);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 100, 100);
    auto *child = new TCustomControl(&form);
    child->SetParent(panel);
    child->SetBounds(10, 40, 20, 20);
    panel->ScrollBy(0, -25);
    EXPECT_EQ(child->BoundsRect(), Rect(10, 15, 30, 35));

    child->SetHint("Play the lesson");
    EXPECT_FALSE(child->ShowsHint());
    form.SetShowHint(true);
    EXPECT_TRUE(child->ShowsHint());
    child->SetShowHint(false);
    EXPECT_FALSE(child->ShowsHint());
}
