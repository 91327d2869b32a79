#include "ComCtrls.h"
#include "Codepage.h"
#include "WaitFor.h"
#include "ShowActive.h"

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
void PutInt(QByteArray &Out, int32_t Value)
{
    char b[4];
    qToLittleEndian<int32_t>(Value, b);
    Out.append(b, 4);
}

// One stored record: length, images, state, overlay, data, children, caption.
void PutNode(QByteArray &Out, const String &Caption, int32_t Children, int32_t Image = 0, int32_t Data = 0)
{
    const QByteArray text = StringToGbk(Caption);
    PutInt(Out, 25 + text.size());
    PutInt(Out, Image);
    PutInt(Out, Image);
    PutInt(Out, -1);
    PutInt(Out, -1);
    PutInt(Out, Data);
    PutInt(Out, Children);
    Out.append(static_cast<char>(text.size()));
    Out.append(text);
}

// Two series, the first with two lessons: 流氓狗系列 { 买红薯, 要足球 }, 听力故事 {}.
QByteArray Catalogue()
{
    QByteArray data;
    PutInt(data, 2);
    PutNode(data, QStringLiteral("流氓狗系列"), 2);
    PutNode(data, QStringLiteral("买红薯"), 0, 0, 7);
    PutNode(data, QStringLiteral("要足球"), 0);
    PutNode(data, QStringLiteral("听力故事"), 0, 3);
    return data;
}

struct TreeFixture : ::testing::Test {
    TForm *Form = nullptr;
    TTreeView *Tree = nullptr;
    std::vector<String> Log;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 300, 300);
        Tree = new TTreeView(Form);
        Tree->SetParent(Form);
        Tree->SetBounds(10, 10, 200, 250);
        Tree->SetBorderStyle(bsNone);
        Tree->SetBorderWidth(2);
        Tree->OnClick = [this](TObject *) { Log.push_back("click " + (Tree->Selected() ? Tree->Selected()->Text() : "-")); };
        Tree->OnChange = [this](TObject *, TTreeNode *N) { Log.push_back("change " + (N ? N->Text() : "-")); };
    }
    void TearDown() override { delete Form; }
    void Show()
    {
        ASSERT_TRUE(ShowActive(Form));
    }
    QWidget *Viewport() { return static_cast<QTreeWidget *>(Tree->Handle())->viewport(); }
    // The centre of a node's caption in viewport coordinates.
    QPoint At(TTreeNode *Node)
    {
        const TRect r = Tree->NodeRect(Node);
        const QPoint client(r.Left + 10, r.Top + r.Height() / 2);
        return Viewport()->mapFrom(Tree->Handle(), client + QPoint(Tree->BorderWidth(), Tree->BorderWidth()));
    }
};
}

TEST(TreeNodes, StoredFormLoadsAndWritesBackTheSameBytes)
{
    TTreeView tree(nullptr);
    const QByteArray data = Catalogue();
    tree.Items()->ReadData(data);
    ASSERT_EQ(tree.Items()->TopCount(), 2);
    EXPECT_EQ(tree.Items()->Count(), 4);
    TTreeNode *series = tree.Items()->Item(0);
    EXPECT_EQ(series->Text(), QStringLiteral("流氓狗系列"));
    ASSERT_EQ(series->Count(), 2);
    EXPECT_EQ(series->Item(1)->Text(), QStringLiteral("要足球"));
    EXPECT_EQ(series->Item(1)->Parent(), series);
    EXPECT_EQ(tree.Items()->Item(1)->Data(), reinterpret_cast<void *>(7));
    EXPECT_EQ(tree.Items()->Item(3)->Text(), QStringLiteral("听力故事"));
    EXPECT_EQ(tree.Items()->Item(3)->ImageIndex(), 3);
    EXPECT_EQ(tree.Items()->Item(3)->StateIndex(), -1);
    EXPECT_EQ(tree.Items()->WriteData(), data);
}

TEST(TreeNodes, BrokenStoredFormsAreRejectedAndKeepTheNodes)
{
    const QByteArray good = Catalogue();
    QByteArray wrongLength = good;
    qToLittleEndian<int32_t>(26, wrongLength.data() + 4); // first record claims 26
    QByteArray negativeChildren = good;
    qToLittleEndian<int32_t>(-1, negativeChildren.data() + 4 + 24);
    QByteArray hugeCount;
    PutInt(hugeCount, 0x7FFFFFFF);
    QByteArray badText;
    PutInt(badText, 1);
    PutInt(badText, 27);
    for (int i = 0; i < 6; ++i)
        PutInt(badText, 0);
    badText.append('\x02');
    badText.append("\x81\x20", 2); // a lead byte without a valid trail byte
    const std::vector<std::pair<const char *, QByteArray>> cases = {
        {"empty", QByteArray()},
        {"truncated record", good.left(good.size() - 3)},
        {"truncated count", good.left(2)},
        {"wrong record length", wrongLength},
        {"negative child count", negativeChildren},
        {"count beyond the data", hugeCount},
        {"trailing bytes", good + QByteArray("x")},
        {"invalid GBK", badText},
    };
    for (const auto &[name, data] : cases) {
        TTreeView tree(nullptr);
        tree.Items()->Add(nullptr, "kept");
        EXPECT_THROW(tree.Items()->ReadData(data), ETreeViewError) << name;
        ASSERT_EQ(tree.Items()->Count(), 1) << name;
        EXPECT_EQ(tree.Items()->Item(0)->Text(), "kept") << name;
    }
}

TEST(TreeNodes, CaptionsThatCannotBeStoredAreErrors)
{
    TTreeView tree(nullptr);
    tree.Items()->Add(nullptr, String(256, QLatin1Char('a')));
    EXPECT_THROW(tree.Items()->WriteData(), ETreeViewError);
    tree.Items()->Clear();
    tree.Items()->Add(nullptr, QStringLiteral("\U0001F600"));
    EXPECT_THROW(tree.Items()->WriteData(), ETreeViewError);
}

TEST_F(TreeFixture, NodesAddedBeforeAndAfterTheWindowShowInTheWidget)
{
    TTreeNode *a = Tree->Items()->Add(nullptr, "a");
    Tree->Items()->AddChild(a, "a1");
    Show();
    Tree->Items()->AddChild(a, "a2");
    Tree->Items()->Insert(a, "first");
    auto *widget = static_cast<QTreeWidget *>(Tree->Handle());
    ASSERT_EQ(widget->topLevelItemCount(), 2);
    EXPECT_EQ(widget->topLevelItem(0)->text(0), "first");
    EXPECT_EQ(widget->topLevelItem(1)->childCount(), 2);
    a->Item(0)->Delete();
    EXPECT_EQ(widget->topLevelItem(1)->childCount(), 1);
    EXPECT_EQ(a->Item(0)->Text(), "a2");
    EXPECT_EQ(Tree->Items()->Item(2)->Text(), "a2");
}

TEST_F(TreeFixture, AutoExpandKeepsOneBranchOpen)
{
    Tree->Items()->ReadData(Catalogue());
    TTreeNode *a = Tree->Items()->AddChild(Tree->Items()->Item(3), "a");
    Tree->Items()->AddChild(a, "a1");
    Tree->SetAutoExpand(true);
    Show();
    TTreeNode *series = Tree->Items()->TopItem(0);
    TTreeNode *stories = Tree->Items()->TopItem(1);
    EXPECT_FALSE(series->Expanded());
    EXPECT_EQ(Tree->Selected(), nullptr);

    Tree->SetSelected(series);
    EXPECT_TRUE(series->Expanded());
    // Selecting a child keeps its own branch open.
    Tree->SetSelected(series->Item(0));
    EXPECT_TRUE(series->Expanded());
    // Another branch: the old one closes up to where the two meet.
    Tree->SetSelected(a);
    EXPECT_FALSE(series->Expanded());
    EXPECT_TRUE(a->Expanded());
    Tree->SetSelected(stories);
    EXPECT_FALSE(a->Expanded());
    EXPECT_TRUE(stories->Expanded());

    Tree->SetAutoExpand(false);
    Tree->SetSelected(series);
    EXPECT_FALSE(series->Expanded());
    EXPECT_TRUE(stories->Expanded());
}

TEST_F(TreeFixture, MouseClickFiresAfterTheSelectionKeyboardDoesNot)
{
    Tree->Items()->ReadData(Catalogue());
    Tree->SetAutoExpand(true);
    Show();
    TTreeNode *series = Tree->Items()->TopItem(0);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(series));
    EXPECT_EQ(Log, (std::vector<String>{QStringLiteral("change 流氓狗系列"), QStringLiteral("click 流氓狗系列")}));
    ASSERT_TRUE(series->Expanded());

    Log.clear();
    QTest::keyClick(Tree->Handle(), Qt::Key_Down);
    EXPECT_EQ(Tree->Selected(), series->Item(0));
    EXPECT_EQ(Log, (std::vector<String>{QStringLiteral("change 买红薯")}));

    Log.clear();
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(series->Item(1)));
    EXPECT_EQ(Log, (std::vector<String>{QStringLiteral("change 要足球"), QStringLiteral("click 要足球")}));
    // A second click on the selected node clicks again without a change.
    Log.clear();
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(series->Item(1)));
    EXPECT_EQ(Log, (std::vector<String>{QStringLiteral("click 要足球")}));
}

TEST_F(TreeFixture, DeletingTheSelectedNodeClearsTheSelection)
{
    Tree->Items()->ReadData(Catalogue());
    Show();
    TTreeNode *series = Tree->Items()->TopItem(0);
    Tree->SetSelected(series->Item(1));
    series->Delete();
    EXPECT_EQ(Tree->Selected(), nullptr);
    EXPECT_EQ(Tree->Items()->Count(), 1);
    EXPECT_EQ(static_cast<QTreeWidget *>(Tree->Handle())->selectedItems().size(), 0);
}

// Folding a branch with its button, or a click below the last node, is no
// click on a node: a handler that plays the selected node must not run.
TEST_F(TreeFixture, ExpandButtonsAndEmptySpaceAreNoClicksOnANode)
{
    Tree->Items()->ReadData(Catalogue());
    Tree->SetAutoExpand(true);
    Show();
    TTreeNode *series = Tree->Items()->TopItem(0);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(series));
    ASSERT_TRUE(series->Expanded());
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(series->Item(0)));
    ASSERT_EQ(Tree->Selected(), series->Item(0));

    Log.clear();
    auto *tree = static_cast<QTreeWidget *>(Tree->Handle());
    const QRect caption = tree->visualItemRect(tree->topLevelItem(0));
    const QPoint button(caption.left() - tree->indentation() / 2, caption.center().y());
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, button);
    EXPECT_FALSE(series->Expanded()) << "the button folds the branch";
    EXPECT_EQ(Tree->Selected(), series->Item(0)) << "the selection stays inside it";
    EXPECT_TRUE(Log.empty()) << Log.front().toStdString();

    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, QPoint(40, Viewport()->height() - 5));
    EXPECT_TRUE(Log.empty()) << "below the last node";
    EXPECT_EQ(Tree->Selected(), series->Item(0)) << "keeps the selection";

    // Anywhere else on a row is a click on its node, also left of the caption
    // on a node without children and right of it.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    const QRect other = tree->visualItemRect(tree->topLevelItem(1));
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, QPoint(other.left() - 4, other.center().y()));
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, QPoint(other.right() - 2, other.center().y()));
    EXPECT_EQ(Log, (std::vector<String>{QStringLiteral("change 听力故事"), QStringLiteral("click 听力故事"),
                                        QStringLiteral("click 听力故事")}));
}

TEST_F(TreeFixture, ACaptionCutShortShowsWholeAsATip)
{
    Tree->SetWidth(90);
    TTreeNode *longOne = Tree->Items()->Add(nullptr, QStringLiteral("空中英语教室（中级）讲座全集"));
    TTreeNode *shortOne = Tree->Items()->Add(nullptr, QStringLiteral("1"));
    Show();
    auto askAt = [this](TTreeNode *Node) {
        const QPoint at = At(Node);
        QHelpEvent help(QEvent::ToolTip, at, Viewport()->mapToGlobal(at));
        QApplication::sendEvent(Viewport(), &help);
    };
    askAt(longOne);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("空中英语教室（中级）讲座全集"));
    askAt(shortOne);
    EXPECT_TRUE(WaitFor([] { return !QToolTip::isVisible(); })) << "a caption shown whole needs no tip";
    Tree->SetWidth(400);
    askAt(longOne);
    EXPECT_FALSE(QToolTip::isVisible()) << "nor once the tree is wide enough";
    QToolTip::hideText();
}
