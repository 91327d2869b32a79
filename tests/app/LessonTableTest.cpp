#include "LessonTable.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct Row {
    const char *Caption;
    TLessonKind Kind;
    const char *Address; // after "http://<host>"
    bool Animation;
};

class LessonTableRows : public ::testing::TestWithParam<Row> {};

TEST_P(LessonTableRows, CaptionLeadsToItsTarget)
{
    qunsetenv("WORDLARK_CONTENT_HOST");
    qunsetenv("WORDLARK_ANIMATION_HOST");
    const Row row = GetParam();
    const TLessonTarget target = LookupLesson(QString::fromUtf8(row.Caption));
    EXPECT_EQ(target.Kind, row.Kind);
    const String expected = row.Kind == TLessonKind::Movie
        ? QStringLiteral("http://") + (row.Animation ? AnimationHost() : ContentHost()) + QString::fromUtf8(row.Address)
        : String();
    EXPECT_EQ(target.Address, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, LessonTableRows,
    ::testing::Values(Row{"第三课", TLessonKind::Movie, "/software2/wyh/dhqjjj/20031008/3.swf", false},
                      Row{"第十课", TLessonKind::Movie, "/software2/wyh/dhqjjj/20031008/10.swf", false},
                      Row{"第十一课", TLessonKind::None, "", false},
                      Row{"9", TLessonKind::Movie, "/software2/wyh/故事/9.swf", false},
                      Row{"10", TLessonKind::None, "", false},
                      Row{"买红薯", TLessonKind::Movie, "/animation/choppy1.swf", true},
                      Row{"吃奶", TLessonKind::Movie, "/animation/choppy3.swf", true},
                      Row{"（6）", TLessonKind::Movie, "/software2/wyh/kdhxyy/20030619/6.swf", false},
                      Row{"(6)", TLessonKind::None, "", false},
                      Row{"（7）", TLessonKind::None, "", false},
                      Row{"追踪 ", TLessonKind::None, "", false},
                      Row{"追踪", TLessonKind::None, "", false},
                      Row{"洪恩GOGO", TLessonKind::Programme, "", false},
                      Row{"洪恩gogo", TLessonKind::None, "", false},
                      Row{"迪斯尼神奇英语", TLessonKind::Programme, "", false},
                      Row{"流氓狗系列", TLessonKind::None, "", false},
                      Row{"动画故事", TLessonKind::None, "", false}));

TEST(LessonTable, TwentyEightMoviesAndTenProgrammes)
{
    int movies = 0, programmes = 0;
    const QStringList captions = {
        "买红薯", "要足球", "吃奶", "闹鬼", "鸡腿", "斗法", "过马路", "买票", "钓鱼", "追踪 ",
        "动画故事", "动画儿童歌曲", "儿童英语情景对话", "洪恩GOGO", "迪斯尼神奇英语", "空中美语初级",
        "空中美语中级", "空中美语高级", "大家说英语（初级）", "空中英语教室（中级）", "Orvane英语（高级）",
        "阳光英语广播讲座"};
    QStringList all = captions;
    for (int n = 1; n <= 60; ++n)
        all << QString::number(n) << QString::fromUtf8("（%1）").arg(n);
    const char *const numerals[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十",
                                    "十一", "二十", "三十", "六十"};
    for (const char *n : numerals)
        all << QString::fromUtf8("第%1课").arg(QString::fromUtf8(n));
    for (const QString &c : all) {
        const TLessonKind kind = LookupLesson(c).Kind;
        movies += kind == TLessonKind::Movie;
        programmes += kind == TLessonKind::Programme;
    }
    EXPECT_EQ(movies, 3 + 9 + 6 + 10);
    EXPECT_EQ(programmes, 10);
}

TEST(LessonTable, HostsCanBeOverriddenByWellFormedHostPort)
{
    qputenv("WORDLARK_CONTENT_HOST", "127.0.0.1:8080");
    qputenv("WORDLARK_ANIMATION_HOST", "[::1]:81");
    EXPECT_EQ(LookupLesson(QString::fromUtf8("第一课")).Address,
              "http://127.0.0.1:8080/software2/wyh/dhqjjj/20031008/1.swf");
    EXPECT_EQ(LookupLesson(QString::fromUtf8("要足球")).Address, "http://[::1]:81/animation/choppy2.swf");
    const String defaultContent = [] {
        qunsetenv("WORDLARK_CONTENT_HOST");
        return ContentHost();
    }();
    EXPECT_TRUE(defaultContent.endsWith(".example.org") || defaultContent.endsWith(".example.net") ||
                defaultContent.endsWith(".example.com"));
    for (const char *bad : {"evil.org/x?", "host:99999", "user@host", "a b", "http://h"}) {
        qputenv("WORDLARK_CONTENT_HOST", bad);
        EXPECT_EQ(ContentHost(), defaultContent) << bad;
    }
    qunsetenv("WORDLARK_CONTENT_HOST");
    qunsetenv("WORDLARK_ANIMATION_HOST");
}

} // namespace
