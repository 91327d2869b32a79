// A tree view's nodes travel in window descriptions as one binary block.
#include "ComCtrls.h"
#include "Forms.h"
#include "Streaming.h"

#include <gtest/gtest.h>

TEST(StreamingTreeView, ItemsDataBlockRoundTrips)
{
    TForm source(nullptr);
    source.SetName("Form1");
    auto *tree = new TTreeView(&source);
    tree->SetName("TreeView1");
    tree->SetParent(&source);
    tree->SetAutoExpand(true);
    tree->SetReadOnly(true);
    TTreeNode *series = tree->Items()->Add(nullptr, QString::fromUtf8("流氓狗系列"));
    tree->Items()->AddChild(series, QString::fromUtf8("买红薯"));
    tree->Items()->AddChild(series, QString::fromUtf8("追踪 "));
    tree->Items()->Add(nullptr, QString::fromUtf8("洪恩GOGO"));

    const QByteArray text = WriteComponentText(&source);
    EXPECT_TRUE(text.contains("Items.Data = {"));

    TForm copy(nullptr);
    ReadComponentText(&copy, text, QStringLiteral("Tree.form"));
    auto *read = dynamic_cast<TTreeView *>(copy.FindComponent("TreeView1"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->AutoExpand());
    EXPECT_TRUE(read->ReadOnly());
    ASSERT_EQ(read->Items()->TopCount(), 2);
    ASSERT_EQ(read->Items()->Count(), 4);
    EXPECT_EQ(read->Items()->Item(0)->Text(), QString::fromUtf8("流氓狗系列"));
    EXPECT_EQ(read->Items()->Item(0)->Item(1)->Text(), QString::fromUtf8("追踪 "));
    EXPECT_EQ(WriteComponentText(&copy), text);
}

TEST(StreamingTreeView, CorruptItemsBlockNamesTheProperty)
{
    TForm form(nullptr);
    const QByteArray text = "object Form1: TForm\n"
                            "  object TreeView1: TTreeView\n"
                            "    Items.Data = {01000000FF}\n"
                            "  end\n"
                            "end\n";
    try {
        ReadComponentText(&form, text, QStringLiteral("Bad.form"));
        FAIL() << "a corrupt block must not read";
    } catch (const Exception &e) {
        EXPECT_TRUE(e.Message.contains("Bad.form")) << e.Message.toStdString();
        EXPECT_TRUE(e.Message.contains("Items.Data")) << e.Message.toStdString();
    }
    EXPECT_EQ(form.FindComponent("TreeView1"), nullptr) << "nothing half-built stays";
}
