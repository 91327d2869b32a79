#include "LessonCatalogue.h"

#include "Codepage.h"

#include <QDataStream>
#include <QIODevice>

namespace {

TCatalogueNode Node(const char *Caption, std::vector<TCatalogueNode> Children = {})
{
    return {QString::fromUtf8(Caption), std::move(Children)};
}

// "第一课" ... "第六十课": tens, then units 一 to 九 after them.
String ChineseNumber(int N)
{
    static const char *const digits[] = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
    const int tens = N / 10, units = N % 10;
    String text;
    if (tens > 1)
        text += QString::fromUtf8(digits[tens]);
    if (tens > 0)
        text += QString::fromUtf8("十");
    text += QString::fromUtf8(digits[units]);
    return text;
}

void WriteNode(QDataStream &Out, const TCatalogueNode &Node)
{
    const QByteArray caption = StringToGbk(Node.Caption);
    if (caption.size() > 255)
        throw Exception(QStringLiteral("Tree node caption too long: %1").arg(Node.Caption));
    Out << qint32(25 + caption.size()) << qint32(0) << qint32(0) << qint32(-1) << qint32(-1) << qint32(0)
        << qint32(Node.Children.size()) << quint8(caption.size());
    Out.writeRawData(caption.constData(), int(caption.size()));
    for (const TCatalogueNode &child : Node.Children)
        WriteNode(Out, child);
}

} // namespace

std::vector<TCatalogueNode> LessonCatalogue()
{
    TCatalogueNode dog = Node("流氓狗系列", {Node("买红薯"), Node("要足球"), Node("吃奶"), Node("闹鬼"), Node("鸡腿"),
                                             Node("斗法"), Node("过马路"), Node("买票"), Node("钓鱼"), Node("追踪 ")});
    TCatalogueNode watch = Node("看动画学英语");
    for (int n = 1; n <= 41; ++n)
        watch.Children.push_back({QString::fromUtf8("（") + QString::number(n) + QString::fromUtf8("）"), {}});
    TCatalogueNode dialogues = Node("动画情景交际");
    for (int n = 1; n <= 60; ++n)
        dialogues.Children.push_back({QString::fromUtf8("第") + ChineseNumber(n) + QString::fromUtf8("课"), {}});
    TCatalogueNode stories = Node("听力故事");
    for (int n = 1; n <= 50; ++n)
        stories.Children.push_back({QString::number(n), {}});
    std::vector<TCatalogueNode> top = {dog, watch, Node("少儿动画英语", {dialogues, stories})};
    for (const char *leaf : {"动画故事", "动画儿童歌曲", "儿童英语情景对话", "洪恩GOGO", "迪斯尼神奇英语", "空中美语初级",
                             "空中美语中级", "空中美语高级", "大家说英语（初级）", "空中英语教室（中级）",
                             "Orvane英语（高级）", "阳光英语广播讲座"})
        top.push_back(Node(leaf));
    return top;
}

QByteArray WriteTreeNodes(const std::vector<TCatalogueNode> &Nodes)
{
    QByteArray block;
    QDataStream out(&block, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << qint32(Nodes.size());
    for (const TCatalogueNode &node : Nodes)
        WriteNode(out, node);
    return block;
}
