#include "BoxBorder.h"
#include "SUIListView.h"
#include "SUIRegistration.h"
#include "SUITreeView.h"
#include "SkinnedWindow.h"
#include "Streaming.h"
#include "WaitFor.h"

namespace {
using BoxedView = SkinnedWindowFixture;
}

TEST_F(BoxedView, StartsWithATwoPixelMarginAndTheOwnersBorderColour)
{
    auto *tree = New<TsuiTreeView>(8, 56, 121, 249);
    EXPECT_EQ(tree->BorderStyle(), bsNone);
    EXPECT_EQ(tree->BorderWidth(), 2);
    EXPECT_TRUE(tree->ControlStyle() & csOpaque);
    EXPECT_EQ(tree->BorderColor(), TColor(0x00686868));
    auto *list = New<TsuiListView>(140, 56, 200, 120);
    EXPECT_EQ(list->BorderStyle(), bsNone);
    EXPECT_EQ(list->BorderWidth(), 2);
    EXPECT_EQ(list->BorderColor(), TColor(0x00686868));

    // On a window without a skinned form the border is black.
    TForm plain(nullptr);
    TsuiTreeView alone(&plain);
    EXPECT_EQ(alone.BorderColor(), clBlack);
}

TEST_F(BoxedView, TreeBorderPixelsFollowTheWindowsStyle)
{
    auto *tree = New<TsuiTreeView>(8, 56, 121, 249);
    tree->SetColor(clSkyBlue);
    TTreeNode *root = tree->Items()->Add(nullptr, "lessons");
    tree->Items()->AddChild(root, "one");
    Show();
    EXPECT_TRUE(HasBorder(Shot(tree), 0x00686868, clSkyBlue));

    Skin->SetUIStyle(DeepBlue);
    EXPECT_EQ(tree->BorderColor(), clBlack);
    EXPECT_EQ(tree->Color(), clSkyBlue) << "only the border colour follows the style";
    EXPECT_TRUE(HasBorder(Shot(tree), clBlack, clSkyBlue));

    Skin->SetUIStyle(MacOS);
    EXPECT_TRUE(HasBorder(Shot(tree), 0x007F7F7F, clSkyBlue));

    // The border survives scrolling the content.
    for (int i = 0; i < 40; ++i)
        tree->Items()->AddChild(root, QStringLiteral("lesson %1").arg(i));
    root->Expand(false);
    tree->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10), 0);
    EXPECT_TRUE(HasBorder(Shot(tree), 0x007F7F7F, clSkyBlue));
}

TEST_F(BoxedView, WithoutAMarginTheFramesCoverTheContentsEdge)
{
    auto *tree = New<TsuiTreeView>(8, 56, 121, 120);
    tree->SetColor(clWhite);
    tree->SetBorderWidth(0);
    tree->SetBorderColor(clRed);
    Show();
    EXPECT_EQ(tree->ClientWidth(), 121);
    EXPECT_TRUE(HasBorder(Shot(tree), clRed, clWhite));
}

TEST_F(BoxedView, ReportListViewKeepsItsHeaderUnderASkinnedFrame)
{
    auto *list = New<TsuiListView>(20, 20, 240, 150);
    list->SetViewStyle(vsReport);
    list->SetColor(clInfoBk);
    list->Columns()->Add()->SetCaption("Lesson");
    list->Items()->Add()->SetCaption("one");
    Show();
    ASSERT_TRUE(WaitFor([&] { return HasBorder(Shot(list), 0x00686868, clInfoBk); }));
    Skin->SetUIStyle(Protein);
    EXPECT_EQ(list->BorderColor(), clBlack);
    EXPECT_TRUE(HasBorder(Shot(list), clBlack, clInfoBk));
    // The header row is the native one, not the list's colour.
    const QImage shot = Shot(list);
    EXPECT_NE(shot.pixelColor(40, 6), ColorToQColor(ColorToRGB(clInfoBk)));
}

TEST(BoxedViewDescription, TreeAndListViewsReadAndWriteTheirBorder)
{
    RegisterSkinClasses();
    TForm form(nullptr);
    ReadComponentText(&form, R"(object Form1: TForm
  object suiTreeView1: TsuiTreeView
    Left = 8
    Top = 56
    Width = 121
    Height = 249
    AutoExpand = True
    BorderStyle = bsNone
    BorderWidth = 2
    BorderColor = $00686868
    Color = clSkyBlue
    Indent = 19
    ReadOnly = True
    TabOrder = 2
  end
  object suiListView1: TsuiListView
    Left = 140
    Top = 8
    BorderColor = clRed
    ViewStyle = vsReport
    GridLines = True
  end
end
)",
                      QStringLiteral("Views.form"));
    auto *tree = dynamic_cast<TsuiTreeView *>(form.FindComponent("suiTreeView1"));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->BorderColor(), TColor(0x00686868));
    EXPECT_EQ(tree->BorderStyle(), bsNone);
    EXPECT_EQ(tree->Color(), clSkyBlue);
    EXPECT_TRUE(tree->AutoExpand());
    EXPECT_TRUE(tree->ReadOnly());
    auto *list = dynamic_cast<TsuiListView *>(form.FindComponent("suiListView1"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->BorderColor(), clRed);
    EXPECT_EQ(list->ViewStyle(), vsReport);
    EXPECT_TRUE(list->GridLines());

    // Border style and width differ from their stored defaults: both are written.
    const QByteArray written = WriteComponentText(&form);
    EXPECT_TRUE(written.contains("BorderStyle = bsNone"));
    EXPECT_TRUE(written.contains("BorderWidth = 2"));
    EXPECT_TRUE(written.contains("BorderColor = clBlack") || written.contains("BorderColor = $00686868"));
}
