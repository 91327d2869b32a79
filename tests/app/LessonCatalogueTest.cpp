#include "Codepage.h"
#include "LessonCatalogue.h"

#include <QDataStream>
#include <gtest/gtest.h>

namespace {

// Reads one record and its children back, checking the fixed fields.
TCatalogueNode ReadNode(QDataStream &In, int &Count)
{
    qint32 length, image, selected, state, overlay, data, children;
    quint8 captionLength;
    In >> length >> image >> selected >> state >> overlay >> data >> children >> captionLength;
    QByteArray caption(captionLength, '\0');
    In.readRawData(caption.data(), captionLength);
    EXPECT_EQ(length, 25 + captionLength);
    EXPECT_EQ(image, 0);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(state, -1);
    EXPECT_EQ(overlay, -1);
    EXPECT_EQ(data, 0);
    ++Count;
    TCatalogueNode node{GbkToString(caption), {}};
    for (int i = 0; i < children; ++i)
        node.Children.push_back(ReadNode(In, Count));
    return node;
}

TEST(LessonCatalogue, StoredBlockHolds178NodesIn15Branches)
{
    const QByteArray block = WriteTreeNodes(LessonCatalogue());
    QDataStream in(block);
    in.setByteOrder(QDataStream::LittleEndian);
    qint32 top;
    in >> top;
    ASSERT_EQ(top, 15);
    int count = 0;
    std::vector<TCatalogueNode> nodes;
    for (int i = 0; i < top; ++i)
        nodes.push_back(ReadNode(in, count));
    EXPECT_TRUE(in.atEnd());
    EXPECT_EQ(count, 178);

    EXPECT_EQ(nodes[0].Caption, QString::fromUtf8("流氓狗系列"));
    ASSERT_EQ(nodes[0].Children.size(), 10u);
    EXPECT_EQ(nodes[0].Children[9].Caption, QString::fromUtf8("追踪 "));
    ASSERT_EQ(nodes[1].Children.size(), 41u);
    EXPECT_EQ(nodes[1].Children[40].Caption, QString::fromUtf8("（41）"));
    const TCatalogueNode &series = nodes[2].Children[0];
    EXPECT_EQ(series.Caption, QString::fromUtf8("动画情景交际"));
    ASSERT_EQ(series.Children.size(), 60u);
    EXPECT_EQ(series.Children[9].Caption, QString::fromUtf8("第十课"));
    EXPECT_EQ(series.Children[10].Caption, QString::fromUtf8("第十一课"));
    EXPECT_EQ(series.Children[19].Caption, QString::fromUtf8("第二十课"));
    EXPECT_EQ(series.Children[58].Caption, QString::fromUtf8("第五十九课"));
    EXPECT_EQ(series.Children[59].Caption, QString::fromUtf8("第六十课"));
    ASSERT_EQ(nodes[2].Children[1].Children.size(), 50u);
    EXPECT_EQ(nodes[2].Children[1].Children[49].Caption, "50");
    EXPECT_EQ(nodes[14].Caption, QString::fromUtf8("阳光英语广播讲座"));
    EXPECT_TRUE(nodes[14].Children.empty());
}

TEST(LessonCatalogue, CaptionsAreStoredInGbk)
{
    const QByteArray block = WriteTreeNodes({{QString::fromUtf8("追踪 "), {}}});
    EXPECT_EQ(block.right(5), QByteArray("\xD7\xB7\xD7\xD9\x20", 5));
    EXPECT_EQ(block.at(4 + 28), 5);
    EXPECT_THROW(WriteTreeNodes({{QString(300, 'a'), {}}}), Exception);
}

} // namespace
