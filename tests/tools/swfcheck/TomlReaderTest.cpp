// The TOML reader of test descriptions: the forms the corpus writes, and
// malformed input refused with the line it is on.
#include "TomlReader.h"

#include <gtest/gtest.h>
#include <cmath>

using swfcheck::readToml;
using swfcheck::TomlValue;

namespace {

TomlValue parsed(const char *text)
{
    QString error;
    auto doc = readToml(QByteArray(text), &error);
    EXPECT_TRUE(doc.has_value()) << error.toStdString();
    return doc.value_or(TomlValue());
}

QString errorOf(const char *text)
{
    QString error;
    EXPECT_FALSE(readToml(QByteArray(text), &error).has_value()) << text;
    return error;
}

}

TEST(TomlReader, ReadsTheCorpusForms)
{
    TomlValue doc = parsed(R"(# comment
num_frames = 30 # after a value
known_failure = true

image_comparisons."output.01".trigger = 1

[image_comparisons.output]
tolerance = 34
max_outliers = 1_070

[[image_comparisons."output.05".checks]]
tolerance = 2

[[image_comparisons."output.05".checks]]
tolerance = 5

[player_options]
with_renderer = { optional = true, quality = "high" }
viewport_dimensions = { width = 200, height = 200, scale_factor = 1.25 }

[subtests.macos]
filter = 'os = "macos"'
player_options.version = 9
)");
    EXPECT_EQ(doc.integerAt({"num_frames"}), 30);
    EXPECT_EQ(doc.boolAt({"known_failure"}), true);
    EXPECT_EQ(doc.integerAt({"image_comparisons", "output.01", "trigger"}), 1);
    EXPECT_EQ(doc.integerAt({"image_comparisons", "output", "max_outliers"}), 1070);
    const TomlValue *checks = doc.at({"image_comparisons", "output.05", "checks"});
    ASSERT_TRUE(checks && checks->isArray());
    ASSERT_EQ(checks->items().size(), 2u);
    EXPECT_EQ(checks->items()[1].integerAt({"tolerance"}), 5);
    EXPECT_EQ(doc.stringAt({"player_options", "with_renderer", "quality"}), "high");
    EXPECT_DOUBLE_EQ(doc.numberAt({"player_options", "viewport_dimensions", "scale_factor"}).value_or(0), 1.25);
    EXPECT_EQ(doc.stringAt({"subtests", "macos", "filter"}), "os = \"macos\"");
    EXPECT_EQ(doc.integerAt({"subtests", "macos", "player_options", "version"}), 9);
    // Tables keep the order they were written in.
    ASSERT_EQ(doc.at({"image_comparisons"})->members().size(), 3u);
    EXPECT_EQ(doc.at({"image_comparisons"})->members()[0].first, "output.01");
}

TEST(TomlReader, ReadsValuesOfEveryKind)
{
    TomlValue doc = parsed(R"(a = "tab\tquote\" \u00e9 \U0001F600"
b = 'C:\raw'
c = """
two
lines"""
d = '''
raw\n'''
e = [1, 2.5, "x", [true, false], { k = -3 },]
f = [
  1, # comment inside
  2
]
g = 0x1F
h = -1e3
i = +inf
j = """joined \
     text"""
k = {
    x = false, # inline tables may span lines
    y = 2,
}
)");
    EXPECT_EQ(doc.stringAt({"a"}), QString::fromUtf8("tab\tquote\" \u00e9 \U0001F600"));
    EXPECT_EQ(doc.stringAt({"b"}), "C:\\raw");
    EXPECT_EQ(doc.stringAt({"c"}), "two\nlines");
    EXPECT_EQ(doc.stringAt({"d"}), "raw\\n");
    const TomlValue *e = doc.member("e");
    ASSERT_TRUE(e && e->isArray());
    ASSERT_EQ(e->items().size(), 5u);
    EXPECT_EQ(e->items()[0].kind(), TomlValue::Integer);
    EXPECT_EQ(e->items()[1].kind(), TomlValue::Float);
    EXPECT_EQ(e->items()[3].items()[1].toBool(), false);
    EXPECT_EQ(e->items()[4].integerAt({"k"}), -3);
    EXPECT_EQ(doc.member("f")->items().size(), 2u);
    EXPECT_EQ(doc.integerAt({"g"}), 31);
    EXPECT_DOUBLE_EQ(doc.numberAt({"h"}).value_or(0), -1000);
    EXPECT_TRUE(std::isinf(doc.numberAt({"i"}).value_or(0)));
    EXPECT_EQ(doc.stringAt({"j"}), "joined text");
    EXPECT_EQ(doc.integerAt({"k", "y"}), 2);
    EXPECT_FALSE(doc.member("k")->member("x")->toBool());
}

TEST(TomlReader, RefusesMalformedInputNamingTheLine)
{
    EXPECT_TRUE(errorOf("a = 1\nb = \n").startsWith("line 2"));
    EXPECT_TRUE(errorOf("a = 1\na = 2\n").contains("twice"));
    EXPECT_TRUE(errorOf("a = \"open\n").contains("unterminated"));
    EXPECT_TRUE(errorOf("a = 1 2\n").contains("after a value"));
    EXPECT_TRUE(errorOf("a = 1979-05-27\n").contains("dates"));
    EXPECT_TRUE(errorOf("a = [1, 2\n").contains("array"));
    EXPECT_TRUE(errorOf("a = 1\n[a]\n").contains("already a value"));
    EXPECT_TRUE(errorOf("a = \"\\q\"\n").contains("escape"));
    EXPECT_TRUE(errorOf("a = \"\\u12\"\n").contains("unicode"));
    EXPECT_TRUE(errorOf("a = 1__0\n").contains("_"));
    EXPECT_TRUE(errorOf("[x\n").contains("']'"));
    EXPECT_TRUE(errorOf("= 1\n").contains("key"));
    EXPECT_FALSE(errorOf("a = {\n b = 1\n").isEmpty());
}

TEST(TomlReader, BoundsNesting)
{
    // Deep nesting is refused instead of running out of stack.
    QByteArray deep = "a = " + QByteArray(100000, '[') + QByteArray(100000, ']') + "\n";
    QString error;
    EXPECT_FALSE(readToml(deep, &error).has_value());
    EXPECT_TRUE(error.contains("nested"));
    QByteArray tables = "a = " + QByteArray(100000, '{');
    EXPECT_FALSE(readToml(tables).has_value());
    QByteArray fine = "a = [[[[1]]]]\n";
    EXPECT_TRUE(readToml(fine).has_value());
}
