#include "BoxBorder.h"
#include "SUICheckListBox.h"
#include "SUIListBox.h"
#include "SUIRegistration.h"
#include "SkinnedWindow.h"
#include "Streaming.h"
#include "WindowsScroll.h"
#include "WaitFor.h"

#include <QApplication>
#include <QListWidget>
#include <QWheelEvent>

namespace {
using SkinnedListBox = SkinnedWindowFixture;

int NativePosition(TWinControl *Control)
{
    TScrollInfo info;
    info.fMask = SIF_ALL;
    EXPECT_TRUE(GetScrollInfo(Control->Handle(), SB_VERT, &info));
    return info.nPos;
}
}

TEST_F(SkinnedListBox, StartsFlatInTheWindowsBorderColour)
{
    auto *list = New<TsuiListBox>(10, 40, 150, 120);
    EXPECT_EQ(list->BorderStyle(), bsNone);
    EXPECT_EQ(list->BorderWidth(), 2);
    EXPECT_TRUE(list->ControlStyle() & csOpaque);
    EXPECT_EQ(list->BorderColor(), TColor(0x00686868));
    EXPECT_EQ(list->VScrollBar(), nullptr);

    TForm plain(nullptr);
    TsuiListBox alone(&plain);
    EXPECT_EQ(alone.BorderColor(), clBlack);
}

TEST_F(SkinnedListBox, LinkedBarAppearsWhenTheListOverflowsAndScrollsIt)
{
    auto *list = New<TsuiListBox>(10, 40, 150, 120);
    auto *bar = New<TsuiScrollBar>(0, 0, 16, 100);
    list->Items()->Add("one");
    list->SetVScrollBar(bar);
    Show();
    EXPECT_FALSE(bar->Visible());
    EXPECT_EQ(bar->BoundsRect(), Bounds(10 + 150 - bar->Width() - 2, 41, bar->Width(), 118));

    for (int i = 0; i < 60; ++i)
        list->Items()->Add(QStringLiteral("item %1").arg(i));
    EXPECT_TRUE(bar->Visible());
    EXPECT_GE(bar->LineButton(), 18);

    // The wheel over the list moves the skinned thumb.
    QWidget *viewport = static_cast<QListWidget *>(list->Handle())->viewport();
    const QPoint centre = viewport->rect().center();
    QWheelEvent wheel(centre, viewport->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);
    EXPECT_GT(bar->Position(), 0);
    EXPECT_EQ(bar->Position(), NativePosition(list));

    // The skinned bar moves the list.
    bar->SetPosition(bar->Position() + 7);
    EXPECT_EQ(NativePosition(list), bar->Position());
    EXPECT_EQ(list->TopIndex(), bar->Position());

    // Clearing leaves the bar behind until the next message of the list.
    list->Items()->Clear();
    EXPECT_TRUE(bar->Visible());
    list->Items()->Add("again");
    EXPECT_FALSE(bar->Visible());
}

TEST_F(SkinnedListBox, FreedBarLeavesTheLinkThroughTheOwner)
{
    auto *list = New<TsuiListBox>(10, 40, 150, 120);
    auto *bar = New<TsuiScrollBar>(0, 0, 16, 100);
    list->SetVScrollBar(bar);
    delete bar;
    EXPECT_EQ(list->VScrollBar(), nullptr);
    list->SetBounds(20, 40, 150, 120);
}

TEST_F(SkinnedListBox, BorderPixelsInTwoStyles)
{
    auto *list = New<TsuiListBox>(10, 40, 150, 120);
    auto *checks = New<TsuiCheckListBox>(170, 40, 150, 120);
    list->SetColor(clInfoBk);
    checks->SetColor(clInfoBk);
    list->Items()->Add("one");
    checks->Items()->Add("two");
    Show();
    EXPECT_TRUE(WaitFor([&] { return HasBorder(Shot(list), 0x00686868, clInfoBk); }));
    EXPECT_TRUE(WaitFor([&] { return HasBorder(Shot(checks), 0x00686868, clInfoBk); }));

    Skin->SetUIStyle(MacOS);
    EXPECT_EQ(list->BorderColor(), TColor(0x007F7F7F));
    EXPECT_EQ(checks->BorderColor(), TColor(0x007F7F7F));
    EXPECT_TRUE(HasBorder(Shot(list), 0x007F7F7F, clInfoBk));
    EXPECT_TRUE(HasBorder(Shot(checks), 0x007F7F7F, clInfoBk));
    Skin->SetUIStyle(BlueGlass);
    EXPECT_TRUE(HasBorder(Shot(list), clBlack, clInfoBk));
}

TEST_F(SkinnedListBox, CheckListBoxBorderIsLocked)
{
    auto *checks = New<TsuiCheckListBox>(10, 40, 150, 120);
    EXPECT_TRUE(checks->Flat());
    EXPECT_FALSE(checks->ControlStyle() & csOpaque);
    EXPECT_EQ(checks->BorderColor(), TColor(0x00686868));
    EXPECT_EQ(checks->BorderWidth(), 1);
    EXPECT_EQ(checks->TWinControl::BorderWidth(), 1);
    EXPECT_EQ(checks->BorderStyle(), bsSingle);
    EXPECT_EQ(checks->TCustomListBox::BorderStyle(), bsNone);

    checks->SetBorderWidth(5);
    EXPECT_EQ(checks->BorderWidth(), 1);
    EXPECT_EQ(checks->TWinControl::BorderWidth(), 1);
    checks->SetBorderStyle(bsSingle);
    EXPECT_EQ(checks->TCustomListBox::BorderStyle(), bsNone);
    EXPECT_EQ(checks->ClientWidth(), 148);
}

TEST(SkinnedListBoxDescription, ListBoxesAndTheirLinkReadBack)
{
    RegisterSkinClasses();
    TForm form(nullptr);
    ReadComponentText(&form, R"(object Form1: TForm
  object suiListBox1: TsuiListBox
    Left = 8
    Top = 8
    Width = 150
    Height = 120
    BorderColor = clRed
    VScrollBar = suiScrollBar1
    Items.Strings = (
      'one'
      'two')
  end
  object suiScrollBar1: TsuiScrollBar
    Left = 140
    Top = 9
    Width = 16
    Height = 118
    UIStyle = WinXP
  end
  object suiCheckListBox1: TsuiCheckListBox
    Left = 170
    Top = 8
    BorderColor = clBlue
    BorderWidth = 5
    BorderStyle = bsSingle
  end
end
)",
                      QStringLiteral("ListBoxes.form"));
    auto *list = dynamic_cast<TsuiListBox *>(form.FindComponent("suiListBox1"));
    auto *bar = dynamic_cast<TsuiScrollBar *>(form.FindComponent("suiScrollBar1"));
    auto *checks = dynamic_cast<TsuiCheckListBox *>(form.FindComponent("suiCheckListBox1"));
    ASSERT_TRUE(list && bar && checks);
    EXPECT_EQ(list->BorderColor(), clRed);
    EXPECT_EQ(list->VScrollBar(), bar);
    EXPECT_EQ(list->Items()->Count(), 2);
    EXPECT_EQ(bar->Orientation(), suiVertical);
    EXPECT_EQ(checks->BorderColor(), clBlue);
    EXPECT_EQ(checks->TWinControl::BorderWidth(), 1);

    const QByteArray written = WriteComponentText(&form);
    EXPECT_TRUE(written.contains("VScrollBar = suiScrollBar1"));
    EXPECT_TRUE(written.contains("BorderColor = clBlue"));
    EXPECT_FALSE(written.contains("BorderStyle = bsSingle")) << "the locked style reads as its default";
}
