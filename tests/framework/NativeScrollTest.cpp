#include "StdCtrls.h"
#include "WaitFor.h"
#include "WindowsScroll.h"
#include "ShowActive.h"

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {
// A list box as a skinned subclass sees it: every message through WndProc.
template <typename Base>
class TWatched : public Base {
public:
    using Base::Base;
    std::vector<UINT> Seen;
    void WndProc(TMessage &Message) override
    {
        Base::WndProc(Message);
        if (Message.Msg != WM_PAINT && Message.Msg != WM_MOUSEMOVE && Message.Msg < CM_BASE)
            Seen.push_back(Message.Msg);
    }
    bool Saw(UINT Msg) const { return std::find(Seen.begin(), Seen.end(), Msg) != Seen.end(); }
};

TScrollInfo ScrollInfo(TWinControl *Control, int Bar)
{
    TScrollInfo info;
    info.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(Control->Handle(), Bar, &info));
    return info;
}

TScrollBarInfo BarInfo(TWinControl *Control, long Id)
{
    TScrollBarInfo info;
    EXPECT_TRUE(GetScrollBarInfo(Control->Handle(), Id, &info));
    return info;
}

struct NativeScrollFixture : ::testing::Test {
    TForm *Form = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override { delete Form; }
    void Show()
    {
        ASSERT_TRUE(ShowActive(Form));
    }
    void Wheel(QWidget *Target, int Delta)
    {
        const QPoint pos = Target->rect().center();
        QWheelEvent wheel(pos, Target->mapToGlobal(pos), {}, {0, Delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Target, &wheel);
    }
};
}

TEST_F(NativeScrollFixture, ListBoxScrollStateFollowsItemsWheelAndThumbPosition)
{
    auto *list = new TWatched<TListBox>(Form);
    list->SetParent(Form);
    list->SetBounds(10, 10, 120, 100);
    list->SetBorderWidth(2);
    Show();
    list->Items()->Add("one");
    // Everything fits: the native bar is hidden.
    EXPECT_EQ(BarInfo(list, OBJID_VSCROLL).rgstate[0], STATE_SYSTEM_INVISIBLE);
    EXPECT_TRUE(list->Saw(LB_ADDSTRING));

    for (int i = 0; i < 49; ++i)
        list->Items()->Add(QStringLiteral("item %1").arg(i));
    const TScrollBarInfo bar = BarInfo(list, OBJID_VSCROLL);
    EXPECT_EQ(bar.rgstate[0], 0u);
    EXPECT_GT(bar.xyThumbBottom, bar.xyThumbTop);
    TScrollInfo info = ScrollInfo(list, SB_VERT);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 49); // one position per item
    EXPECT_GT(info.nPage, 0u);
    EXPECT_LT(info.nPage, 50u);
    EXPECT_EQ(info.nPos, 0);

    list->Seen.clear();
    Wheel(static_cast<QListWidget *>(list->Handle())->viewport(), -120);
    EXPECT_TRUE(list->Saw(WM_MOUSEWHEEL));
    const int afterWheel = ScrollInfo(list, SB_VERT).nPos;
    EXPECT_GT(afterWheel, 0);

    list->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 20), 0);
    EXPECT_EQ(ScrollInfo(list, SB_VERT).nPos, 20);
    EXPECT_EQ(list->TopIndex(), 20);
    // Beyond the last position the list stops there.
    list->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 1000), 0);
    info = ScrollInfo(list, SB_VERT);
    EXPECT_EQ(info.nPos, info.nMax - static_cast<int>(info.nPage) + 1);

    list->Items()->Delete(0);
    list->Items()->Insert(0, "again");
    EXPECT_TRUE(list->Saw(LB_DELETESTRING));
    EXPECT_TRUE(list->Saw(LB_INSERTSTRING));
    list->Items()->Clear();
    EXPECT_EQ(BarInfo(list, OBJID_VSCROLL).rgstate[0], STATE_SYSTEM_INVISIBLE);
}

TEST_F(NativeScrollFixture, ScrollQueriesRejectWrongSizesAndPlainWindows)
{
    auto *list = new TListBox(Form);
    list->SetParent(Form);
    TScrollInfo info;
    info.cbSize = 20;
    info.fMask = SIF_ALL;
    EXPECT_FALSE(GetScrollInfo(list->Handle(), SB_VERT, &info));
    TScrollBarInfo bar;
    bar.cbSize = 12;
    EXPECT_FALSE(GetScrollBarInfo(list->Handle(), OBJID_VSCROLL, &bar));
    TScrollInfo good;
    EXPECT_FALSE(GetScrollInfo(Form->Handle(), SB_VERT, &good));
    EXPECT_EQ(sizeof(TScrollInfo), 28u);
    EXPECT_EQ(sizeof(TScrollBarInfo), 60u);
}

TEST_F(NativeScrollFixture, ListBoxSelectionAndOwnerDrawing)
{
    auto *list = new TListBox(Form);
    list->SetParent(Form);
    list->SetBounds(10, 10, 150, 120);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(20);
    std::vector<std::pair<int, TOwnerDrawState>> drawn;
    list->OnDrawItem = [&](TWinControl *, int Index, const TRect &R, TOwnerDrawState State) {
        drawn.push_back({Index, State});
        EXPECT_EQ(R.Height(), 20);
    };
    std::vector<String> clicks;
    list->OnClick = [&](TObject *) { clicks.push_back(list->Items()->Strings(list->ItemIndex())); };
    for (const char *s : {"a", "b", "c"})
        list->Items()->Add(s);
    list->SetItemIndex(1);
    EXPECT_TRUE(clicks.empty()); // the program's selection is not a click
    Show();
    ASSERT_TRUE(WaitFor([&] { return drawn.size() >= 3; }));
    auto selectedDrawn = std::find_if(drawn.begin(), drawn.end(), [](auto &d) { return d.first == 1; });
    ASSERT_NE(selectedDrawn, drawn.end());
    EXPECT_TRUE(selectedDrawn->second & odSelected);

    const TRect r = list->ItemRect(2);
    EXPECT_EQ(list->ItemAtPos({r.Left + 3, r.Top + 3}, true), 2);
    auto *viewport = static_cast<QListWidget *>(list->Handle())->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->mapFrom(list->Handle(), QPoint(r.Left + 5 + 2, r.Top + 5 + 2)));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, (std::vector<String>{"c"}));
}

TEST_F(NativeScrollFixture, MemoScrollBarsTextClipboardAndUndo)
{
    auto *memo = new TWatched<TMemo>(Form);
    memo->SetParent(Form);
    memo->SetBounds(10, 10, 200, 100);
    memo->SetScrollBars(ssVertical);
    Show();
    // Nothing to scroll: the bar is shown but unavailable.
    EXPECT_EQ(BarInfo(memo, OBJID_VSCROLL).rgstate[0], STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(BarInfo(memo, OBJID_HSCROLL).rgstate[0], STATE_SYSTEM_INVISIBLE);

    String text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("line %1\n").arg(i);
    memo->SetText(text);
    EXPECT_TRUE(memo->Saw(WM_SETTEXT));
    EXPECT_EQ(memo->Text(), text);
    EXPECT_EQ(memo->Lines()->Count(), 41);
    EXPECT_EQ(memo->Lines()->Strings(3), "line 3");
    EXPECT_EQ(BarInfo(memo, OBJID_VSCROLL).rgstate[0], 0u);
    memo->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10), 0);
    EXPECT_EQ(ScrollInfo(memo, SB_VERT).nPos, 10);

    memo->Seen.clear();
    memo->SetSelStart(0);
    memo->SetSelLength(4);
    EXPECT_EQ(memo->SelText(), "line");
    memo->CutToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), "line");
    EXPECT_TRUE(memo->Text().startsWith(" 0\n"));
    memo->PasteFromClipboard();
    EXPECT_EQ(memo->Text(), text);
    memo->Undo();
    EXPECT_TRUE(memo->Text().startsWith(" 0\n"));
    EXPECT_EQ(memo->Seen, (std::vector<UINT>{WM_CUT, WM_PASTE, WM_UNDO}));

    memo->Lines()->Clear();
    EXPECT_EQ(memo->Lines()->Count(), 0);
    memo->Lines()->Add("x");
    memo->Lines()->Add("z");
    memo->Lines()->Insert(1, "y");
    EXPECT_EQ(memo->Text(), "x\ny\nz");
    memo->Lines()->Delete(2);
    EXPECT_EQ(memo->Text(), "x\ny");
}

TEST_F(NativeScrollFixture, EditTextChangesFireOnChangeForUserAndProgram)
{
    auto *edit = new TEdit(Form);
    edit->SetParent(Form);
    std::vector<String> changes;
    edit->OnChange = [&](TObject *) { changes.push_back(edit->Text()); };
    Show();
    edit->SetText("ab");
    edit->SetFocus();
    QTest::keyClicks(edit->Handle(), "c");
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(changes, (std::vector<String>{"ab", "abc"}));
    edit->SetReadOnly(true);
    QTest::keyClicks(edit->Handle(), "d");
    EXPECT_EQ(edit->Text(), "abc");
}

TEST(NativeControls, ItemsAndTextOutliveTheWindow)
{
    TForm form(nullptr);
    TForm other(nullptr);
    auto *list = new TListBox(&form);
    auto *combo = new TComboBox(&form);
    auto *memo = new TMemo(&form);
    // No parent yet: nothing makes a window, the content waits.
    list->Items()->Add("b");
    list->Items()->Add("a");
    list->SetItemIndex(1);
    TObject tag;
    combo->Items()->AddObject("x", &tag);
    combo->Items()->Add("y");
    combo->SetItemIndex(1);
    memo->Lines()->Add("first");
    memo->Lines()->Add("second");
    EXPECT_FALSE(list->HandleAllocated());
    EXPECT_FALSE(combo->HandleAllocated());
    EXPECT_FALSE(memo->HandleAllocated());
    EXPECT_EQ(memo->Text(), "first\nsecond");

    for (TWinControl *parent : {static_cast<TWinControl *>(&form), static_cast<TWinControl *>(&other)}) {
        for (TWinControl *c : {static_cast<TWinControl *>(list), static_cast<TWinControl *>(combo), static_cast<TWinControl *>(memo)})
            c->SetParent(parent);
        parent->HandleNeeded();
        ASSERT_TRUE(list->HandleAllocated());
        EXPECT_EQ(static_cast<QListWidget *>(list->Handle())->count(), 2);
        EXPECT_EQ(list->Items()->Strings(0), "b");
        EXPECT_EQ(list->ItemIndex(), 1);
        EXPECT_EQ(combo->Items()->Objects(0), &tag);
        EXPECT_EQ(combo->ItemIndex(), 1);
        EXPECT_EQ(memo->Lines()->Count(), 2);
        EXPECT_EQ(static_cast<QPlainTextEdit *>(memo->Handle())->toPlainText(), "first\nsecond");
    }
}
