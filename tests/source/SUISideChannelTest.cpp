// The side channel: collapsed start, sliding in 15-pixel steps, hover and
// click opening, the hide check, the pin and the narrowest open width.
#include "SUISideChannel.h"
#include "WaitFor.h"

#include "Buttons.h"
#include "Forms.h"
#include "SUIButton.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct ChannelFixture : ::testing::Test {
    TForm *Form = nullptr;
    TsuiSideChannel *Channel = nullptr;
    std::vector<int> Widths;
    std::vector<String> Events;
    TPoint Pointer{0, 0};

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 400, 300);
        Channel = new TsuiSideChannel(Form);
        Channel->SetParent(Form);
        Channel->SetWidth(200);
        Channel->SetCaption("Words");
        Channel->OnResize = [this](TObject *) { Widths.push_back(Channel->TControl::Width()); };
        Channel->OnPop = [this](TObject *) { Events.push_back("pop"); };
        Channel->OnPush = [this](TObject *) { Events.push_back("push"); };
        SetCursorPosProvider([this] { return Pointer; });
    }
    void TearDown() override
    {
        SetCursorPosProvider(nullptr);
        delete Form;
    }
    int ActualWidth() const { return Channel->TControl::Width(); }
    // The pointer at X, Y of the channel's client area.
    void PointAt(int X, int Y) { Pointer = Channel->ClientToScreen({X, Y}); }
    static std::vector<int> Steps(int From, int To, int Step)
    {
        std::vector<int> steps;
        for (int w = From; Step > 0 ? w <= To : w >= To; w += Step)
            steps.push_back(w);
        return steps;
    }
};

TEST_F(ChannelFixture, StartsCollapsedToItsSideBar)
{
    EXPECT_EQ(ActualWidth(), 10);
    EXPECT_EQ(Channel->SideBarWidth(), 10);
    EXPECT_EQ(Channel->Width(), 200);
    EXPECT_FALSE(Channel->IsOpen());
    EXPECT_FALSE(Channel->PinButton()->Visible());
    EXPECT_FALSE(Channel->HideTimer()->Enabled());
    EXPECT_EQ(Channel->HideTimer()->Interval(), 500u);
    EXPECT_EQ(Channel->TitlePanel()->Caption(), "");
    EXPECT_EQ(Channel->TControl::Align(), alLeft);
    EXPECT_EQ(Channel->Color(), clBtnFace) << "no skinned form on the owner";
    EXPECT_EQ(Channel->SideBarColor(), clBtnFace);
    EXPECT_EQ(Channel->BarButton()->UIStyle(), Custom);
    EXPECT_EQ(Channel->BarButton()->Width(), 8) << "sized to its picture";
    EXPECT_EQ(Channel->BarButton()->Height(), 172);
    Channel->SetAlign(suiRight);
    EXPECT_EQ(Channel->TControl::Align(), alRight);
}

TEST_F(ChannelFixture, SlidesOutAndBackIn15PixelSteps)
{
    Channel->PopOut(false);
    std::vector<int> out = Steps(25, 190, 15);
    out.push_back(200);
    EXPECT_EQ(Widths, out);
    EXPECT_TRUE(Channel->IsOpen());
    EXPECT_TRUE(Channel->HideTimer()->Enabled());
    EXPECT_EQ(Channel->TitlePanel()->Caption(), "Words");
    EXPECT_EQ(Channel->Width(), 200) << "the steps are not taken as the expanded width";

    Widths.clear();
    Channel->PushIn(false);
    std::vector<int> in = Steps(185, 20, -15);
    in.push_back(10);
    EXPECT_EQ(Widths, in);
    EXPECT_FALSE(Channel->IsOpen());
    EXPECT_FALSE(Channel->HideTimer()->Enabled());
    EXPECT_EQ(Events, (std::vector<String>{"pop", "push"}));
}

TEST_F(ChannelFixture, QuickMoveOpensAndClosesInOneStep)
{
    Channel->SetQuickMove(true);
    Channel->SideBar()->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(3, 40));
    EXPECT_EQ(Widths, std::vector<int>{200});
    PointAt(300, 40);
    ASSERT_TRUE(WaitFor([&] { return !Channel->IsOpen(); }));
    EXPECT_EQ(Widths, (std::vector<int>{200, 10}));
    EXPECT_EQ(Events, (std::vector<String>{"pop", "push"}));
}

TEST_F(ChannelFixture, HoverOpensUnlessOpeningIsByClick)
{
    Channel->SetQuickMove(true);
    Channel->SetPopupMode(suiMouseClick);
    Channel->SideBar()->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(3, 40));
    Channel->BarButton()->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(3, 40));
    EXPECT_FALSE(Channel->IsOpen());
    Channel->BarButton()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 40));
    Channel->BarButton()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 40));
    EXPECT_TRUE(Channel->IsOpen());
    Channel->PushIn(true);
    Channel->SideBar()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 180));
    Channel->SideBar()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 180));
    EXPECT_TRUE(Channel->IsOpen()) << "the side bar below its picture opens it too";

    Channel->PushIn(true);
    Channel->SetPopupMode(suiMouseOn);
    Channel->BarButton()->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(3, 40));
    EXPECT_TRUE(Channel->IsOpen());
}

struct PointerRow {
    int X, Y;
    bool StaysOpen;
};

class ChannelHideCheck : public ChannelFixture, public ::testing::WithParamInterface<PointerRow> {};

// Every 500 ms an open channel closes unless the pointer is strictly inside
// it: its leftmost column and top row count as outside, the column and row
// just past it too.
TEST_P(ChannelHideCheck, ClosesWithThePointerOutside)
{
    const PointerRow row = GetParam();
    Channel->SetQuickMove(true);
    Channel->PopOut(true);
    int ticks = 0;
    const TNotifyEvent check = Channel->HideTimer()->OnTimer;
    Channel->HideTimer()->OnTimer = [&](TObject *Sender) {
        ++ticks;
        check(Sender);
    };
    ASSERT_EQ(ActualWidth(), 200);
    PointAt(row.X, row.Y);
    ASSERT_TRUE(WaitFor([&] { return ticks >= 1; }));
    EXPECT_EQ(Channel->IsOpen(), row.StaysOpen);
}

INSTANTIATE_TEST_SUITE_P(Rows, ChannelHideCheck,
                         ::testing::Values(PointerRow{1, 40, true}, PointerRow{0, 40, false}, PointerRow{199, 40, true},
                                           PointerRow{200, 40, false}, PointerRow{50, 0, false},
                                           PointerRow{50, 1, true}, PointerRow{250, 40, false}));

TEST_F(ChannelFixture, PinnedChannelsStayOpenUntilUnpinned)
{
    Channel->SetQuickMove(true);
    PointAt(300, 40);
    Channel->SetStayOn(true);
    EXPECT_TRUE(Channel->IsOpen());
    EXPECT_TRUE(Channel->PinButton()->Down());
    EXPECT_FALSE(Channel->HideTimer()->Enabled());
    EXPECT_EQ(Channel->PinButton()->Glyph()->Width(), 8) << "the pressed pin";

    // Unpinning with the pin only restarts the timer.
    TSpeedButton *pin = Channel->PinButton();
    const int x = pin->Width() / 2;
    Channel->TitlePanel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pin->Left() + x, 5));
    Channel->TitlePanel()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(pin->Left() + x, 5));
    EXPECT_FALSE(pin->Down());
    EXPECT_FALSE(Channel->StayOn());
    EXPECT_EQ(pin->Glyph()->Width(), 7);
    EXPECT_TRUE(Channel->IsOpen());
    EXPECT_TRUE(Channel->HideTimer()->Enabled());
    ASSERT_TRUE(WaitFor([&] { return !Channel->IsOpen(); }));

    Channel->SetStayOn(true);
    Channel->SetStayOn(false);
    EXPECT_FALSE(Channel->IsOpen()) << "unpinned by the property it closes at once";
}

TEST_F(ChannelFixture, OpenChannelsAreNoNarrowerThan50)
{
    Channel->PopOut(true);
    Channel->TControl::SetWidth(49);
    EXPECT_EQ(ActualWidth(), 200);
    Channel->TControl::SetWidth(120);
    EXPECT_EQ(ActualWidth(), 120);
    EXPECT_EQ(Channel->Width(), 120) << "a user resizing it changes how far it opens";
    Channel->TControl::SetWidth(50);
    EXPECT_EQ(ActualWidth(), 50);

    Channel->PushIn(true);
    Channel->TControl::SetWidth(6);
    EXPECT_EQ(ActualWidth(), 6) << "a collapsed one can be";

    bool asked = false;
    Channel->OnCanResize = [&](TObject *, int &, int &, bool &) { asked = true; };
    Channel->TControl::SetWidth(8);
    EXPECT_TRUE(asked);
}

TEST_F(ChannelFixture, SideBarWidthCollapsesAtOnceAndTakesTheStyle)
{
    Channel->PopOut(true);
    Channel->SetSideBarWidth(16);
    EXPECT_EQ(ActualWidth(), 16);
    EXPECT_FALSE(Channel->IsOpen());

    ApplyStyleToChildren(Form, WinXP);
    EXPECT_EQ(Channel->Color(), 0x00DEEBEF);
    EXPECT_EQ(Channel->SideBarColor(), 0x00DEEBEF);
    EXPECT_EQ(Channel->TitlePanel()->Color(), 0x00DEEBEF);
}

// A collapsed and an open channel, kept for a look.
TEST_F(ChannelFixture, Renders)
{
    auto *right = new TsuiSideChannel(Form);
    right->SetParent(Form);
    right->SetAlign(suiRight);
    right->SetWidth(150);
    right->SetCaption("Pinned");
    right->SetStayOn(true);
    auto *button = new TsuiButton(Form);
    button->SetParent(right);
    button->SetBounds(30, 30, 90, 25);
    button->SetCaption("Inside");
    ApplyStyleToChildren(Form, MacOS);
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    Form->Handle()->grab().toImage().save(QDir::temp().filePath("wordlark-sidechannel.png"));
}

} // namespace
