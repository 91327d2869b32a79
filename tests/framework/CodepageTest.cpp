// GBK conversion of the lesson catalogue's captions and of broken text.
#include "Codepage.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Every caption of the lesson tree.
QStringList CatalogueCaptions()
{
    QStringList captions = {
        "流氓狗系列", "买红薯", "要足球", "吃奶", "闹鬼", "鸡腿", "斗法", "过马路", "买票", "钓鱼", "追踪 ",
        "看动画学英语", "少儿动画英语", "动画情景交际", "听力故事", "动画故事", "动画儿童歌曲", "儿童英语情景对话",
        "洪恩GOGO", "迪斯尼神奇英语", "空中美语初级", "空中美语中级", "空中美语高级", "大家说英语（初级）",
        "空中英语教室（中级）", "Orvane英语（高级）", "阳光英语广播讲座"};
    for (int n = 1; n <= 41; ++n)
        captions << QStringLiteral("（%1）").arg(n);
    const QStringList units = {"", "一", "二", "三", "四", "五", "六", "七", "八", "九"};
    for (int n = 1; n <= 60; ++n) {
        const QString tens = n < 10 ? QString() : (n / 10 == 1 ? QString() : units[n / 10]) + QStringLiteral("十");
        captions << QStringLiteral("第%1%2课").arg(tens, units[n % 10]);
    }
    for (int n = 1; n <= 50; ++n)
        captions << QString::number(n);
    return captions;
}

} // namespace

TEST(Codepage, EveryCatalogueCaptionRoundTrips)
{
    const QStringList captions = CatalogueCaptions();
    ASSERT_EQ(captions.size(), 27 + 41 + 60 + 50);
    EXPECT_TRUE(captions.contains(QStringLiteral("第四十七课")));
    for (const QString &caption : captions) {
        const QByteArray gbk = StringToGbk(caption);
        // Chinese characters take two bytes each, ASCII one, and every
        // caption fits the tree's one-byte length.
        EXPECT_LT(gbk.size(), 256);
        EXPECT_EQ(GbkToString(gbk), caption) << caption.toStdString();
    }
}

TEST(Codepage, KnownByteSequences)
{
    EXPECT_EQ(StringToGbk(QStringLiteral("宋体")), QByteArray("\xCB\xCE\xCC\xE5"));
    EXPECT_EQ(StringToGbk(QStringLiteral("（1）")), QByteArray("\xA3\xA8" "1" "\xA3\xA9"));
    EXPECT_EQ(GbkToString(QByteArray("\xD7\xB7\xD7\xD9 ")), QStringLiteral("追踪 "));
    EXPECT_EQ(GbkToString(QByteArray()), QString());
}

TEST(Codepage, InvalidTextRaisesWithItsPosition)
{
    try {
        GbkToString(QByteArray("ab\xFF\xFF", 4));
        FAIL();
    } catch (const EEncodingError &e) {
        EXPECT_EQ(e.Message, QStringLiteral("Invalid GBK text at byte 2"));
    }
    // A lead byte without its trail byte.
    EXPECT_THROW(GbkToString(QByteArray("\xCB\xCE\xCC", 3)), EEncodingError);
    try {
        StringToGbk(QStringLiteral("A😀"));
        FAIL();
    } catch (const EEncodingError &e) {
        EXPECT_EQ(e.Message, QStringLiteral("The character U+1F600 cannot be written in GBK"));
    }
}
