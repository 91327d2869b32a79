// The check group: its check boxes follow the lines, lie in columns below the
// top margin, take the group's style and report clicks to the group.
#include "SUIRadioGroup.h"

#include "Streaming.h"
#include "SUIRegistration.h"
#include "WaitFor.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct CheckGroupFixture : ::testing::Test {
    TForm Form{nullptr};
    TsuiCheckGroup *Group = nullptr;
    void SetUp() override
    {
        Form.SetBounds(40, 40, 400, 300);
        Group = new TsuiCheckGroup(&Form);
        Group->SetParent(&Form);
        Group->Font()->SetHeight(-12);
    }
    std::vector<int> Lefts() const
    {
        std::vector<int> v;
        for (int i = 0; i < Group->ItemCount(); ++i)
            v.push_back(Group->Item(i)->Left());
        return v;
    }
    std::vector<int> Tops() const
    {
        std::vector<int> v;
        for (int i = 0; i < Group->ItemCount(); ++i)
            v.push_back(Group->Item(i)->Top());
        return v;
    }
};

struct LayoutCase {
    const char *Name;
    int Width, Height, Lines, Columns, TopMargin;
    std::vector<int> Lefts, Tops;
};

class CheckGroupLayout : public CheckGroupFixture, public ::testing::WithParamInterface<LayoutCase> {};

} // namespace

using CheckGroup = CheckGroupFixture;

// The item area starts 12 pixels down (the font's height) and ends 2 above
// the bottom; the rows share what is left below the top margin.
TEST_P(CheckGroupLayout, PlacesTheBoxesColumnByColumn)
{
    const LayoutCase &c = GetParam();
    Group->SetBounds(0, 0, c.Width, c.Height);
    Group->SetColumns(c.Columns);
    Group->SetTopMargin(c.TopMargin);
    for (int i = 0; i < c.Lines; ++i)
        Group->Items()->Add(QStringLiteral("line %1").arg(i));
    EXPECT_EQ(Lefts(), c.Lefts);
    EXPECT_EQ(Tops(), c.Tops);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckGroupLayout,
    ::testing::Values(
        // (185 - 10) div 2 = 87; 83 pixels for 3 rows: 27 each, 1 above.
        LayoutCase{"FiveInTwoColumns", 185, 105, 5, 2, 8, {8, 8, 8, 95, 95}, {21, 48, 75, 21, 48}},
        LayoutCase{"OneColumn", 185, 105, 3, 1, 8, {8, 8, 8}, {21, 48, 75}},
        LayoutCase{"ThreeColumnsTwoRows", 185, 105, 4, 3, 8, {8, 8, 66, 66}, {20, 61, 20, 61}},
        // 83 pixels for 5 rows: 16 each, 3 over, 1 of them above.
        LayoutCase{"RemainderSplit", 185, 105, 5, 1, 8, {8, 8, 8, 8, 8}, {21, 37, 53, 69, 85}},
        LayoutCase{"NoTopMargin", 200, 100, 2, 1, 0, {8, 8}, {12, 55}},
        LayoutCase{"MoreColumnsThanLines", 185, 105, 2, 4, 8, {8, 51}, {20, 20}},
        // A group of 0 columns is laid out as one column.
        LayoutCase{"ZeroColumns", 185, 105, 3, 0, 8, {8, 8, 8}, {21, 48, 75}}),
    [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(CheckGroup, LaysOutAgainOnEveryChange)
{
    Group->SetBounds(0, 0, 185, 105);
    Group->Items()->SetText("a\nb\nc\nd\ne");
    Group->SetColumns(2);
    EXPECT_EQ(Lefts(), (std::vector<int>{8, 8, 8, 95, 95}));
    Group->SetTopMargin(20);
    EXPECT_EQ(Tops(), (std::vector<int>{33, 56, 79, 33, 56}));
    Group->SetWidth(285);
    EXPECT_EQ(Lefts(), (std::vector<int>{8, 8, 8, 145, 145}));
    // Negative values are ignored.
    Group->SetColumns(-1);
    Group->SetTopMargin(-5);
    EXPECT_EQ(Group->Columns(), 2);
    EXPECT_EQ(Group->TopMargin(), 20);
}

TEST_F(CheckGroup, StartsWithOneColumnAndTheWindowsStyle)
{
    EXPECT_EQ(Group->Items()->Count(), 0);
    EXPECT_EQ(Group->ItemCount(), 0);
    EXPECT_EQ(Group->Columns(), 1);
    EXPECT_EQ(Group->TopMargin(), 8);
    EXPECT_EQ(Group->Caption(), "suiCheckGroup");
    EXPECT_EQ(Group->UIStyle(), DeepBlue);
    EXPECT_FALSE(Group->Transparent());
    EXPECT_TRUE(Group->ParentColor());
    EXPECT_EQ(Group->Color(), Form.Color());
}

TEST_F(CheckGroup, BoxesFollowTheLinesAndKeepTheirState)
{
    Group->Items()->SetText("a\nb\nc\nd\ne");
    ASSERT_EQ(Group->ItemCount(), 5);
    EXPECT_EQ(Group->Item(4)->Caption(), "e");
    EXPECT_EQ(Group->Item(0)->Parent(), Group);
    EXPECT_TRUE(Group->Item(0)->AutoSize());
    Group->Item(1)->SetChecked(true);
    Group->Item(3)->SetChecked(true);
    const int components = Group->ComponentCount();

    Group->Items()->SetText("x\ny\nz");
    ASSERT_EQ(Group->ItemCount(), 3);
    EXPECT_EQ(Group->ComponentCount(), components - 2) << "the last two boxes are freed";
    EXPECT_EQ(Group->Item(0)->Caption(), "x");
    EXPECT_EQ(Group->Item(2)->Caption(), "z");
    EXPECT_TRUE(Group->Item(1)->Checked());

    Group->Items()->SetText("x\ny\nz\nv\nw");
    ASSERT_EQ(Group->ItemCount(), 5);
    EXPECT_TRUE(Group->Item(1)->Checked());
    EXPECT_FALSE(Group->Item(3)->Checked());
    EXPECT_EQ(Group->Item(3)->Caption(), "v");

    TStringList copy;
    copy.SetText("only");
    Group->SetItems(&copy);
    EXPECT_EQ(Group->ItemCount(), 1);
    EXPECT_EQ(Group->Items()->Strings(0), "only");
}

// A check box freed by the application leaves the group; the next change of
// the lines makes the group whole again.
TEST_F(CheckGroup, ABoxFreedElsewhereLeavesTheGroup)
{
    Group->Items()->SetText("a\nb\nc");
    delete Group->Item(0);
    ASSERT_EQ(Group->ItemCount(), 2);
    EXPECT_EQ(Group->Item(0)->Caption(), "b");
    Group->SetColumns(2);
    Group->Items()->Add("d");
    ASSERT_EQ(Group->ItemCount(), 4);
    EXPECT_EQ(Group->Item(0)->Caption(), "a");
    EXPECT_EQ(Group->Item(3)->Caption(), "d");
}

TEST_F(CheckGroup, StyleAndTransparencyReachTheBoxes)
{
    Group->Items()->SetText("a\nb");
    Group->SetUIStyle(WinXP);
    EXPECT_EQ(Group->BorderColor(), GetThemeColor(WinXP, 8));
    EXPECT_EQ(Group->Font()->Color(), GetThemeColor(WinXP, 10));
    EXPECT_EQ(Group->Color(), Form.Color()) << "a group with ParentColor keeps its parent's colour";
    EXPECT_EQ(Group->Item(1)->UIStyle(), WinXP);
    EXPECT_EQ(Group->Item(1)->Color(), Group->Color());

    Group->SetParentColor(false);
    Group->SetUIStyle(MacOS);
    EXPECT_EQ(Group->Color(), GetThemeColor(MacOS, 9));
    EXPECT_EQ(Group->Item(0)->Color(), GetThemeColor(MacOS, 9));

    Group->SetUIStyle(Custom);
    EXPECT_EQ(Group->BorderColor(), clBlack);
    EXPECT_EQ(Group->Font()->Color(), clBlack);
    EXPECT_EQ(Group->Color(), clBlack);

    Group->SetTransparent(true);
    EXPECT_TRUE(Group->Item(0)->Transparent());
    Group->Items()->Add("c");
    EXPECT_TRUE(Group->Item(2)->Transparent());
    Group->SetTransparent(false);
    EXPECT_FALSE(Group->Item(2)->Transparent());
}

// A click on a check box toggles it, then fires the group's OnClick once
// with the group as sender; a click on the group itself fires it too.
TEST_F(CheckGroup, ClicksReachTheGroupsOnClick)
{
    Group->SetBounds(10, 10, 185, 105);
    Group->Items()->SetText("a\nb\nc");
    std::vector<std::pair<TObject *, bool>> clicks;
    Group->OnClick = [&](TObject *Sender) { clicks.push_back({Sender, Group->Item(1)->Checked()}); };
    Form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.Handle()));

    TsuiCheckBox *box = Group->Item(1);
    QTest::mouseClick(box->Handle(), Qt::LeftButton, {}, QPoint(box->Width() / 2, box->Height() / 2));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].first, Group);
    EXPECT_TRUE(clicks[0].second) << "the box is toggled before the group hears";
    EXPECT_TRUE(box->Checked());

    // Below the last row, clear of every box.
    QTest::mouseClick(Group->Handle(), Qt::LeftButton, {}, QPoint(Group->Width() - 5, Group->Height() - 5));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1].first, Group);
    EXPECT_TRUE(box->Checked());
}

TEST(CheckGroupDescription, ReadsItsLinesAndStoresWhatDiffers)
{
    RegisterSkinClasses();
    TForm form(nullptr);
    ReadComponentText(&form, R"(object Form1: TForm
  object suiCheckGroup1: TsuiCheckGroup
    Left = 8
    Top = 8
    Width = 185
    Height = 105
    Caption = 'Lessons'
    Columns = 2
    Items.Strings = (
      'Songs'
      'Stories'
      'Words')
  end
  object suiGroupBox1: TsuiGroupBox
    Left = 200
    Top = 8
    Caption = 'Box'
    BorderColor = clRed
    Transparent = False
  end
end
)",
                      QStringLiteral("Groups.form"));
    auto *group = dynamic_cast<TsuiCheckGroup *>(form.FindComponent("suiCheckGroup1"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->Caption(), "Lessons");
    EXPECT_EQ(group->Columns(), 2);
    ASSERT_EQ(group->ItemCount(), 3);
    EXPECT_EQ(group->Item(2)->Caption(), "Words");
    EXPECT_EQ(group->Item(2)->Left(), 95);
    auto *box = dynamic_cast<TsuiGroupBox *>(form.FindComponent("suiGroupBox1"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Caption(), "Box");
    EXPECT_EQ(box->BorderColor(), clRed);
    EXPECT_FALSE(box->Transparent());

    // Each stores the transparency its constructor does not give; the check
    // boxes are the group's own and are not stored.
    box->SetTransparent(true);
    group->SetTransparent(false);
    const String text = WriteComponentText(&form);
    EXPECT_FALSE(text.contains("Transparent")) << text.toStdString();
    EXPECT_FALSE(text.contains("TsuiCheckBox")) << text.toStdString();
    EXPECT_TRUE(text.contains("'Stories'")) << text.toStdString();
}
