#include "BoxBorder.h"
#include "SUIEdit.h"
#include "SUIListBox.h"
#include "SUIMemo.h"
#include "SUIRegistration.h"
#include "SkinnedWindow.h"
#include "Streaming.h"
#include "WindowsScroll.h"
#include "WaitFor.h"

#include <QLineEdit>

namespace {
using SkinnedMemo = SkinnedWindowFixture;
}

TEST_F(SkinnedMemo, StartsFlatInTheWindowsBorderColour)
{
    auto *memo = New<TsuiMemo>(10, 40, 200, 100);
    auto *edit = New<TsuiEdit>(220, 40, 120, 21);
    for (TWinControl *control : {static_cast<TWinControl *>(memo), static_cast<TWinControl *>(edit)}) {
        EXPECT_EQ(control->BorderWidth(), 2);
        EXPECT_TRUE(control->ControlStyle() & csOpaque);
    }
    EXPECT_EQ(memo->BorderStyle(), bsNone);
    EXPECT_EQ(edit->BorderStyle(), bsNone);
    EXPECT_EQ(memo->BorderColor(), TColor(0x00686868));
    EXPECT_EQ(edit->BorderColor(), TColor(0x00686868));
    EXPECT_EQ(memo->ScrollBars(), ssNone);
}

TEST_F(SkinnedMemo, LinksSwitchTheNativeBarsAndPlaceTheSkinnedOnes)
{
    auto *memo = New<TsuiMemo>(0, 0, 200, 100);
    auto *vertical = New<TsuiScrollBar>(0, 0, 16, 50);
    auto *horizontal = New<TsuiScrollBar>(0, 0, 16, 50);
    memo->SetVScrollBar(vertical);
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    memo->SetHScrollBar(horizontal);
    EXPECT_EQ(memo->ScrollBars(), ssBoth);
    EXPECT_EQ(vertical->BoundsRect(), Bounds(182, 1, 16, 83));
    EXPECT_EQ(horizontal->BoundsRect(), Bounds(1, 82, 183, 16));

    // Moving the memo takes both bars along.
    memo->SetBounds(30, 20, 200, 100);
    EXPECT_EQ(vertical->BoundsRect(), Bounds(212, 21, 16, 83));
    EXPECT_EQ(horizontal->BoundsRect(), Bounds(31, 102, 183, 16));

    memo->SetVScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssHorizontal);
    delete horizontal;
    EXPECT_EQ(memo->HScrollBar(), nullptr);
    memo->SetHScrollBar(nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssHorizontal) << "clearing an empty link changes nothing";
}

TEST_F(SkinnedMemo, ShortTextDisablesTheMemosBarsWhereTheListBoxHidesItsBar)
{
    auto *memo = New<TsuiMemo>(10, 40, 200, 100);
    auto *memoBar = New<TsuiScrollBar>(0, 0, 16, 50);
    auto *list = New<TsuiListBox>(220, 40, 150, 100);
    auto *listBar = New<TsuiScrollBar>(0, 0, 16, 50);
    memo->SetVScrollBar(memoBar);
    list->SetVScrollBar(listBar);
    Show();
    memo->SetText("fits");
    list->Items()->Add("fits");
    EXPECT_TRUE(memoBar->Visible());
    EXPECT_FALSE(memoBar->Enabled());
    EXPECT_FALSE(memoBar->TrackBar()->SliderVisible());
    EXPECT_FALSE(listBar->Visible());
    EXPECT_FALSE(listBar->Enabled());
}

TEST_F(SkinnedMemo, BorderPixelsInTwoStyles)
{
    auto *memo = New<TsuiMemo>(10, 40, 200, 100);
    auto *edit = New<TsuiEdit>(220, 40, 120, 21);
    memo->SetText("Hello");
    edit->SetText("Hello");
    Show();
    EXPECT_TRUE(WaitFor([&] { return HasBorder(Shot(memo), 0x00686868, clWindow); }));
    EXPECT_TRUE(WaitFor([&] { return HasBorder(Shot(edit), 0x00686868, clWindow); }));
    Skin->SetUIStyle(DeepBlue);
    EXPECT_EQ(memo->BorderColor(), clBlack);
    EXPECT_EQ(edit->BorderColor(), clBlack);
    edit->SetColor(clInfoBk);
    EXPECT_TRUE(HasBorder(Shot(memo), clBlack, clWindow));
    EXPECT_TRUE(HasBorder(Shot(edit), clBlack, clInfoBk));

    // The edit still edits.
    edit->SetFocus();
    auto *line = static_cast<QLineEdit *>(edit->Handle());
    ASSERT_TRUE(WaitFor([&] { return line->hasFocus(); }));
    QTest::keyClicks(line, " there");
    EXPECT_EQ(edit->Text(), "Hello there");
}

TEST(SkinnedMemoDescription, LinkedBarsSetTheScrollBarsWhenTheDescriptionIsRead)
{
    RegisterSkinClasses();
    TForm form(nullptr);
    ReadComponentText(&form, R"(object Form1: TForm
  object suiMemo1: TsuiMemo
    Left = 0
    Top = 0
    Width = 200
    Height = 100
    BorderColor = clGreen
    VScrollBar = suiScrollBar1
    HScrollBar = suiScrollBar2
    ScrollBars = ssNone
    Lines.Strings = (
      'one'
      'two')
  end
  object suiScrollBar1: TsuiScrollBar
    UIStyle = WinXP
  end
  object suiScrollBar2: TsuiScrollBar
    UIStyle = WinXP
  end
  object suiEdit1: TsuiEdit
    Left = 8
    Top = 120
    BorderColor = clRed
    Text = 'typed'
  end
end
)",
                      QStringLiteral("Memo.form"));
    auto *memo = dynamic_cast<TsuiMemo *>(form.FindComponent("suiMemo1"));
    auto *edit = dynamic_cast<TsuiEdit *>(form.FindComponent("suiEdit1"));
    ASSERT_TRUE(memo && edit);
    EXPECT_EQ(memo->BorderColor(), clGreen);
    EXPECT_EQ(memo->ScrollBars(), ssBoth) << "the links, resolved last, win";
    EXPECT_EQ(memo->Lines()->Count(), 2);
    ASSERT_NE(memo->HScrollBar(), nullptr);
    EXPECT_EQ(memo->HScrollBar()->Orientation(), suiHorizontal);
    EXPECT_EQ(memo->VScrollBar()->BoundsRect(), Bounds(182, 1, 16, 83));
    EXPECT_EQ(edit->Text(), "typed");
    EXPECT_EQ(edit->BorderColor(), clRed);

    const QByteArray written = WriteComponentText(&form);
    EXPECT_TRUE(written.contains("HScrollBar = suiScrollBar2"));
    EXPECT_TRUE(written.contains("ScrollBars = ssBoth"));
}

TEST_F(SkinnedMemo, BarsLinkedBeforeTheWindowShowsCatchUpWhenItPaints)
{
    auto *memo = New<TsuiMemo>(10, 40, 200, 80);
    QStringList lines;
    for (int i = 1; i <= 12; ++i)
        lines << QStringLiteral("Line %1").arg(i);
    memo->SetText(lines.join('\n'));
    auto *bar = New<TsuiScrollBar>(0, 0, 16, 50);
    memo->SetVScrollBar(bar);
    EXPECT_TRUE(bar->Enabled()) << "a memo not yet shown reports its bar as it will show";
    Show();
    TScrollInfo info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(WaitFor([&] {
        GetScrollInfo(memo->Handle(), SB_VERT, &info);
        return bar->Max() == info.nMax - static_cast<int>(info.nPage) + 1;
    }));
    EXPECT_LT(bar->Max(), 12);
    EXPECT_TRUE(bar->TrackBar()->SliderVisible());
}
