// Reading CSS text into the rules of a style sheet.
#include "swf/SwfStyleSheet.h"

#include <gtest/gtest.h>

namespace {

using Declarations = std::vector<std::pair<QString, QString>>;

}

TEST(SwfStyleSheet, ReadsSelectorsAndDeclarationsWithScriptNames)
{
    auto rules = swf::parseCss(QStringLiteral(" p, .title { font-size: 18px ; text-align:center}\n"
                                              ".note{font-family: Noto Sans CJK SC;this--one: x;}"));
    ASSERT_TRUE(rules);
    ASSERT_EQ(rules->size(), 2u);
    EXPECT_EQ((*rules)[0].selectors, std::vector<QString>({"p", ".title"}));
    EXPECT_EQ((*rules)[0].declarations, Declarations({{"fontSize", "18px "}, {"textAlign", "center"}}));
    EXPECT_EQ((*rules)[1].declarations, Declarations({{"fontFamily", "Noto Sans CJK SC"}, {"this-one", "x"}}));
}

TEST(SwfStyleSheet, RefusesCutOffOrNamelessDeclarationsAndKeepsBlocksOpenAtTheEnd)
{
    for (const char *bad : {"a{key:value", "a{key:", "a{name}", "a{name with space: v}", "a{}; junk"})
        EXPECT_FALSE(swf::parseCss(QString::fromLatin1(bad))) << bad;
    auto open = swf::parseCss(QStringLiteral("a{key:;"));
    ASSERT_TRUE(open);
    EXPECT_EQ((*open)[0].declarations, Declarations({{"key", ""}}));
    auto spaced = swf::parseCss(QStringLiteral("long key {k: 5}"));
    ASSERT_TRUE(spaced);
    EXPECT_TRUE(spaced->empty()) << "a selector with white space inside names nothing";
    auto semicolons = swf::parseCss(QStringLiteral("b{;;key: value;;other: value;}"));
    ASSERT_TRUE(semicolons);
    EXPECT_EQ((*semicolons)[0].declarations, Declarations({{";;key", "value"}, {";other", "value"}}));
}
