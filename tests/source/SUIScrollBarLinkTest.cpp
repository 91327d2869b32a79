#include "SUIMemo.h"
#include "SUIScrollBarLink.h"
#include "StdCtrls.h"
#include "WindowsScroll.h"
#include "WaitFor.h"
#include "../framework/ShowActive.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {
LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// Counts the scroll messages a control is sent.
template <class Base>
class TCounting : public Base {
public:
    using Base::Base;
    int VScrolls = 0;
    int HScrolls = 0;

protected:
    void WndProc(TMessage &Message) override
    {
        VScrolls += Message.Msg == WM_VSCROLL;
        HScrolls += Message.Msg == WM_HSCROLL;
        Base::WndProc(Message);
    }
};

// The framework's list box with a link, the way the skinned one holds it.
class TLinkedListBox : public TCounting<TsuiScrollLinked<TListBox, TScrollLinkKind::ListBox>> {
public:
    using TCounting::TCounting;
    TsuiScrollBarLink &Link = FLink;
};
using TLinkedMemo = TCounting<TsuiMemo>;

TScrollInfo Native(TWinControl *Control, int Bar)
{
    TScrollInfo info;
    info.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(Control->Handle(), Bar, &info));
    return info;
}

TScrollBarInfo NativeBar(TWinControl *Control, long Id)
{
    TScrollBarInfo info;
    EXPECT_TRUE(GetScrollBarInfo(Control->Handle(), Id, &info));
    return info;
}

int ThumbLength(TsuiScrollBar *Bar)
{
    const TsuiImagePanel *thumb = Bar->TrackBar()->Slider();
    return Bar->Orientation() == suiVertical ? thumb->Height() : thumb->Width();
}

struct LinkFixture : ::testing::Test {
    TForm *Form = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 420, 320);
    }
    void TearDown() override { delete Form; }
    void Show()
    {
        ASSERT_TRUE(ShowActive(Form));
    }
    TsuiScrollBar *NewBar(TsuiUIStyle Style = WinXP)
    {
        auto *bar = new TsuiScrollBar(Form);
        bar->SetParent(Form);
        bar->SetUIStyle(Style);
        return bar;
    }
    template <class T>
    T *New(int L, int T_, int W, int H)
    {
        auto *control = new T(Form);
        control->SetParent(Form);
        control->SetBounds(L, T_, W, H);
        return control;
    }
    static void Wheel(QWidget *Target, int Delta)
    {
        const QPoint pos = Target->rect().center();
        QWheelEvent wheel(pos, Target->mapToGlobal(pos), {}, {0, Delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Target, &wheel);
    }
    // Drags Bar's thumb by Distance pixels along the track.
    static void DragThumb(TsuiScrollBar *Bar, int Distance)
    {
        TsuiScrollTrackBar *track = Bar->TrackBar();
        TsuiImagePanel *thumb = track->Slider();
        const bool vertical = Bar->Orientation() == suiVertical;
        const int gx = thumb->Width() / 2, gy = thumb->Height() / 2;
        thumb->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(gx, gy));
        const int x = thumb->Left() + gx + (vertical ? 0 : Distance);
        const int y = thumb->Top() + gy + (vertical ? Distance : 0);
        track->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(x, y));
        track->Perform(WM_LBUTTONUP, 0, At(x, y));
    }
};
using ScrollBarLink = LinkFixture;

// A control over a bare Qt scroll area whose native range the test sets.
class TScrollArea : public TsuiScrollLinked<TWinControl, TScrollLinkKind::ListBox> {
public:
    using TsuiScrollLinked::TsuiScrollLinked;
    TsuiScrollBarLink &Link = FLink;
    QScrollBar *Native() { return static_cast<QAbstractScrollArea *>(Handle())->verticalScrollBar(); }

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override
    {
        auto *area = new QAbstractScrollArea(ParentWidget);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return area;
    }
};

struct RangeRow {
    int Min, Max, Page, Position; // the native bar's
    int Expected;                 // the skinned Max
};

class ScrollBarLinkRange : public LinkFixture, public ::testing::WithParamInterface<RangeRow> {};

void FillList(TListBox *List, int Count)
{
    for (int i = 0; i < Count; ++i)
        List->Items()->Add(QStringLiteral("item %1").arg(i));
}
}

TEST_F(ScrollBarLink, ListBoxBarIsPlacedInFrontAndHiddenWhileEverythingFits)
{
    auto *list = New<TLinkedListBox>(20, 30, 150, 120);
    list->SetBorderWidth(2);
    TsuiScrollBar *bar = NewBar();
    auto *later = New<TListBox>(0, 0, 10, 10); // a sibling created after the bar
    (void)later;
    Show();
    list->Items()->Add("one");
    list->Link.SetVScrollBar(bar);

    EXPECT_EQ(bar->Left(), 20 + 150 - bar->Width() - 2);
    EXPECT_EQ(bar->Top(), 31);
    EXPECT_EQ(bar->Height(), 118);
    EXPECT_EQ(bar->Orientation(), suiVertical);
    EXPECT_EQ(Form->Controls(Form->ControlCount() - 1), bar) << "brought to the front";
    EXPECT_FALSE(bar->Visible());
    EXPECT_FALSE(bar->Enabled());
    EXPECT_EQ(bar->LineButton(), 0);

    // The list overflows: the bar shows with the native thumb's length.
    FillList(list, 60);
    const TScrollBarInfo native = NativeBar(list, OBJID_VSCROLL);
    ASSERT_EQ(native.rgstate[0], 0u);
    EXPECT_TRUE(bar->Visible());
    EXPECT_TRUE(bar->Enabled());
    EXPECT_EQ(bar->LineButton(), std::max(18, native.xyThumbBottom - native.xyThumbTop));
    EXPECT_EQ(ThumbLength(bar), bar->LineButton());
    const TScrollInfo info = Native(list, SB_VERT);
    EXPECT_EQ(bar->Max(), info.nMax - static_cast<int>(info.nPage) + 1);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Position(), 0);

    // The list moves and grows: the bar goes with it.
    list->SetBounds(40, 10, 170, 200);
    EXPECT_EQ(bar->Left(), 40 + 170 - bar->Width() - 2);
    EXPECT_EQ(bar->Top(), 11);
    EXPECT_EQ(bar->Height(), 198);
}

TEST_F(ScrollBarLink, NativeScrollingMovesTheSkinnedThumb)
{
    auto *list = New<TLinkedListBox>(20, 20, 150, 120);
    TsuiScrollBar *bar = NewBar();
    FillList(list, 80);
    list->Link.SetVScrollBar(bar);
    Show();

    Wheel(static_cast<QListWidget *>(list->Handle())->viewport(), -120);
    EXPECT_GT(bar->Position(), 0);
    EXPECT_EQ(bar->Position(), Native(list, SB_VERT).nPos);

    list->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return list->Focused(); }));
    QTest::keyClick(list->Handle(), Qt::Key_End);
    EXPECT_EQ(Native(list, SB_VERT).nPos, bar->Max());
    EXPECT_EQ(bar->Position(), bar->Max());

    // Typing an item's first letters scrolls back to it.
    list->Items()->SetStrings(2, "aardvark");
    QTest::keyClicks(list->Handle(), "aa");
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(bar->Position(), Native(list, SB_VERT).nPos);
    EXPECT_LE(bar->Position(), 2);

    // Items deleted from the end pull the last position in.
    for (int i = 0; i < 40; ++i)
        list->Items()->Delete(list->Items()->Count() - 1);
    EXPECT_EQ(bar->Max(), Native(list, SB_VERT).nMax - static_cast<int>(Native(list, SB_VERT).nPage) + 1);
    EXPECT_EQ(bar->Position(), Native(list, SB_VERT).nPos);

    // Disabling the list follows at once.
    list->SetEnabled(false);
    EXPECT_FALSE(bar->Enabled());
    list->SetEnabled(true);
    EXPECT_TRUE(bar->Enabled());
}

TEST_F(ScrollBarLink, SkinnedBarScrollsTheListWithoutAnEcho)
{
    auto *list = New<TLinkedListBox>(20, 20, 150, 120);
    TsuiScrollBar *bar = NewBar();
    FillList(list, 80);
    list->Link.SetVScrollBar(bar);
    Show();
    list->VScrolls = 0;

    // A click in the track pages by the bar's own page size, not the native page.
    TsuiScrollTrackBar *track = bar->TrackBar();
    const int x = track->Width() / 2, y = track->Height() - 2;
    track->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    track->Perform(WM_LBUTTONUP, 0, At(x, y));
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(Native(list, SB_VERT).nPos, 10);
    EXPECT_EQ(list->TopIndex(), 10);
    EXPECT_EQ(list->VScrolls, 1) << "the synchronisation after the scroll sends nothing back";

    list->VScrolls = 0;
    DragThumb(bar, 40);
    EXPECT_GT(bar->Position(), 10);
    EXPECT_EQ(Native(list, SB_VERT).nPos, bar->Position());
    EXPECT_EQ(list->VScrolls, 1) << "one scroll message for the one move, none echoed";

    // An arrow step sends exactly one scroll message.
    list->VScrolls = 0;
    const int before = bar->Position();
    bar->SetPosition(before + 1);
    EXPECT_EQ(list->VScrolls, 1);
    EXPECT_EQ(Native(list, SB_VERT).nPos, before + 1);
}

TEST_F(ScrollBarLink, DragSelectionFollowsOnlyWhileTheButtonIsDown)
{
    auto *list = New<TLinkedListBox>(20, 20, 150, 120);
    TsuiScrollBar *bar = NewBar();
    FillList(list, 80);
    list->Link.SetVScrollBar(bar);
    Show();
    auto *widget = static_cast<QListWidget *>(list->Handle());

    // Scrolled behind the link's back: a plain mouse move does not catch up.
    widget->verticalScrollBar()->setValue(5);
    list->Perform(WM_MOUSEMOVE, 0, At(10, 10));
    EXPECT_EQ(bar->Position(), 0);
    list->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_EQ(bar->Position(), 5);
    widget->verticalScrollBar()->setValue(9);
    list->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(10, 12));
    EXPECT_EQ(bar->Position(), 9);
    list->Perform(WM_LBUTTONUP, 0, At(10, 12));
    widget->verticalScrollBar()->setValue(12);
    list->Perform(WM_MOUSEMOVE, 0, At(10, 14));
    EXPECT_EQ(bar->Position(), 9);
}

TEST_F(ScrollBarLink, UnlinkingLeavesTheBarWhereItWasEnabledWithMax100)
{
    auto *list = New<TLinkedListBox>(20, 20, 150, 120);
    TsuiScrollBar *bar = NewBar();
    FillList(list, 80);
    list->Link.SetVScrollBar(bar);
    Show();
    list->SetEnabled(false);
    ASSERT_FALSE(bar->Enabled());
    const TRect where = bar->BoundsRect();

    list->Link.SetVScrollBar(nullptr);
    EXPECT_EQ(list->Link.VScrollBar(), nullptr);
    EXPECT_TRUE(bar->Enabled());
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->LineButton(), 0);
    EXPECT_FALSE(bar->OnChange());
    EXPECT_EQ(bar->BoundsRect(), where);

    // The list no longer drives it, nor it the list.
    list->SetEnabled(true);
    list->SetBounds(0, 0, 100, 100);
    EXPECT_EQ(bar->BoundsRect(), where);
    list->VScrolls = 0;
    bar->SetPosition(30);
    EXPECT_EQ(list->VScrolls, 0);
}

TEST_F(ScrollBarLink, LinkingReplacesTheApplicationsHandlerAndSwitchingBarsReleasesTheOld)
{
    auto *list = New<TLinkedListBox>(20, 20, 150, 120);
    FillList(list, 80);
    TsuiScrollBar *first = NewBar();
    TsuiScrollBar *second = NewBar(MacOS);
    int own = 0;
    first->SetOnChange([&](TObject *) { ++own; });
    list->Link.SetVScrollBar(first);
    first->SetPosition(3);
    EXPECT_EQ(own, 0);
    EXPECT_EQ(Native(list, SB_VERT).nPos, 3);

    list->Link.SetVScrollBar(second);
    EXPECT_EQ(list->Link.VScrollBar(), second);
    EXPECT_FALSE(first->OnChange());
    EXPECT_EQ(first->Max(), 100);
    EXPECT_EQ(second->Position(), 3);
}

TEST_F(ScrollBarLink, DestroyedBarUnlinksItselfAndAGoneListReleasesItsBar)
{
    auto *list = New<TLinkedListBox>(20, 20, 150, 120);
    FillList(list, 80);
    TsuiScrollBar *bar = NewBar();
    list->Link.SetVScrollBar(bar);
    delete bar;
    EXPECT_EQ(list->Link.VScrollBar(), nullptr);
    list->SetBounds(10, 10, 160, 130); // nothing left to place
    list->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 4), 0);

    // A bar of another owner: freeing it still clears the link.
    TForm other(nullptr);
    auto *foreign = new TsuiScrollBar(&other);
    foreign->SetParent(Form);
    list->Link.SetVScrollBar(foreign);
    delete foreign;
    EXPECT_EQ(list->Link.VScrollBar(), nullptr);

    // The list goes first: its bar stays, and no longer scrolls anything.
    TsuiScrollBar *survivor = NewBar();
    list->Link.SetVScrollBar(survivor);
    delete list;
    EXPECT_FALSE(survivor->OnChange());
    survivor->SetPosition(20);
    EXPECT_EQ(survivor->Position(), 20);
}

TEST_F(ScrollBarLink, MemoBarsPlacedAt182_1_83And1_82_183)
{
    auto *memo = New<TLinkedMemo>(0, 0, 200, 100);
    TsuiScrollBar *vertical = NewBar();
    TsuiScrollBar *horizontal = NewBar();
    ASSERT_EQ(memo->ScrollBars(), ssNone);

    memo->SetVScrollBar(vertical);
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    EXPECT_EQ(vertical->Height(), 99) << "alone: the memo's height less one";
    memo->SetHScrollBar(horizontal);
    EXPECT_EQ(memo->ScrollBars(), ssBoth);
    ASSERT_EQ(vertical->Width(), 16);
    ASSERT_EQ(horizontal->Height(), 16);
    EXPECT_EQ(horizontal->Orientation(), suiHorizontal);
    EXPECT_EQ(vertical->BoundsRect(), Bounds(182, 1, 16, 83));
    EXPECT_EQ(horizontal->BoundsRect(), Bounds(1, 82, 183, 16));

    memo->SetVScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssHorizontal);
    memo->SetHScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssNone);
}

TEST_F(ScrollBarLink, MemoThatFitsShowsDisabledBarsWithoutThumbs)
{
    auto *memo = New<TLinkedMemo>(20, 20, 200, 120);
    memo->SetBorderWidth(2);
    TsuiScrollBar *vertical = NewBar();
    TsuiScrollBar *horizontal = NewBar();
    memo->SetVScrollBar(vertical);
    memo->SetHScrollBar(horizontal);
    Show();
    memo->SetText("short");
    for (TsuiScrollBar *bar : {vertical, horizontal}) {
        EXPECT_TRUE(bar->Visible());
        EXPECT_FALSE(bar->Enabled());
        EXPECT_FALSE(bar->TrackBar()->SliderVisible());
        EXPECT_EQ(bar->LineButton(), 0);
    }

    // Enough lines to scroll: the vertical thumb comes back.
    QStringList lines;
    for (int i = 0; i < 60; ++i)
        lines << QStringLiteral("line %1").arg(i);
    memo->SetText(lines.join('\n'));
    EXPECT_TRUE(vertical->Enabled());
    EXPECT_TRUE(vertical->TrackBar()->SliderVisible());
    EXPECT_FALSE(horizontal->Enabled());
}

TEST_F(ScrollBarLink, MemoTypingPastTheEndPastingAndUndoingMoveTheThumb)
{
    auto *memo = New<TLinkedMemo>(20, 20, 200, 120);
    TsuiScrollBar *vertical = NewBar();
    memo->SetVScrollBar(vertical);
    Show();
    memo->SetFocus();
    auto *editor = static_cast<QPlainTextEdit *>(memo->Handle());
    ASSERT_TRUE(WaitFor([&] { return editor->hasFocus(); }));

    for (int i = 0; i < 30; ++i) {
        QTest::keyClicks(editor, QStringLiteral("line %1").arg(i));
        QTest::keyClick(editor, Qt::Key_Return);
    }
    EXPECT_GT(vertical->Position(), 0);
    EXPECT_EQ(vertical->Position(), Native(memo, SB_VERT).nPos);
    EXPECT_TRUE(vertical->Enabled());

    // Pasting more lines moves further down; undoing the paste comes back.
    const int typed = vertical->Position();
    QStringList more;
    for (int i = 0; i < 30; ++i)
        more << QStringLiteral("pasted %1").arg(i);
    QApplication::clipboard()->setText(more.join('\n') + '\n');
    memo->PasteFromClipboard();
    EXPECT_GT(vertical->Position(), typed);
    EXPECT_EQ(vertical->Position(), Native(memo, SB_VERT).nPos);
    memo->Undo();
    EXPECT_EQ(vertical->Position(), Native(memo, SB_VERT).nPos);
    EXPECT_LT(vertical->Position(), typed + 30);
}

TEST_F(ScrollBarLink, DraggingTheHorizontalThumbScrollsTheMemoSidewaysWithoutAnEcho)
{
    auto *memo = New<TLinkedMemo>(20, 20, 200, 120);
    TsuiScrollBar *horizontal = NewBar();
    memo->SetHScrollBar(horizontal);
    Show();
    memo->SetText(QString(400, QLatin1Char('w')));
    ASSERT_TRUE(horizontal->Enabled());
    ASSERT_GT(horizontal->Max(), 0);

    memo->HScrolls = 0;
    DragThumb(horizontal, 60);
    EXPECT_GT(horizontal->Position(), 0);
    EXPECT_EQ(Native(memo, SB_HORZ).nPos, horizontal->Position());
    EXPECT_EQ(memo->HScrolls, 1);
    EXPECT_EQ(memo->VScrolls, 0);
    const int sent = memo->HScrolls;
    memo->Perform(WM_KEYDOWN, VK_SHIFT, 0); // a synchronisation on its own
    EXPECT_EQ(memo->HScrolls, sent);
}

TEST_P(ScrollBarLinkRange, SkinnedMaxIsTheLastNativePosition)
{
    const RangeRow row = GetParam();
    auto *area = New<TScrollArea>(20, 20, 150, 150);
    TsuiScrollBar *bar = NewBar();
    // The native maximum is the last position: its range ends at Max + Page - 1.
    area->Native()->setRange(row.Min, row.Max - row.Page + 1);
    area->Native()->setPageStep(row.Page);
    area->Native()->setValue(row.Position);
    area->Link.SetVScrollBar(bar);
    EXPECT_EQ(bar->Max(), row.Expected);
    EXPECT_EQ(bar->Min(), row.Min);
    EXPECT_EQ(bar->Position(), row.Position);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScrollBarLinkRange,
                         ::testing::Values(RangeRow{0, 99, 10, 0, 90}, RangeRow{0, 99, 10, 90, 90},
                                           RangeRow{0, 49, 1, 25, 49}, RangeRow{10, 109, 20, 50, 90},
                                           RangeRow{0, 1000, 1, 700, 1000}));
