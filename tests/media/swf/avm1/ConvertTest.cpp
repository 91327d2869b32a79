// Conversions between value types: numbers written with the player's
// digits, strings read as numbers per SWF version, and the version
// differences of booleans, undefined and null.
#include "ScriptTestHost.h"

#include "swf/avm1/Convert.h"

#include <gtest/gtest.h>
#include <cmath>
#include <limits>

using namespace scripttest;

struct NumberText {
    double value;
    const char *text;
};

class NumberToString : public testing::TestWithParam<NumberText> {};

TEST_P(NumberToString, WritesTheDigitsThePlayerWrites)
{
    EXPECT_EQ(numberToString(GetParam().value).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, NumberToString,
                         testing::Values(NumberText{0, "0"}, NumberText{-0.0, "0"}, NumberText{268, "268"},
                                         NumberText{-268, "-268"}, NumberText{0.1 + 0.2, "0.3"},
                                         NumberText{1.0 / 3, "0.333333333333333"},
                                         NumberText{11111111111111.1, "11111111111111.1"},
                                         NumberText{111111111111111, "111111111111111"},
                                         NumberText{1111111111111111, "1.11111111111111e+15"},
                                         NumberText{0.000123456789012346, "0.000123456789012346"},
                                         NumberText{0.0000123456789012346, "0.0000123456789012346"},
                                         NumberText{0.00000123456789012346, "1.23456789012346e-6"},
                                         NumberText{0.000054, "0.000054"}, NumberText{0.0000054, "5.4e-6"},
                                         NumberText{std::numeric_limits<double>::denorm_min(), "4.94065645841247e-324"},
                                         NumberText{1e21, "1e+21"}, NumberText{-2.5, "-2.5"},
                                         NumberText{1.414213562373095, "1.41421356237309"},
                                         NumberText{0.7071067811865476, "0.707106781186548"},
                                         // Not rounded up into infinity.
                                         NumberText{std::numeric_limits<double>::max(), "1.79769313486231e+308"},
                                         NumberText{-std::numeric_limits<double>::max(), "-1.79769313486231e+308"},
                                         NumberText{9.9999999999999999e-5, "0.0001"},
                                         NumberText{std::nan(""), "NaN"},
                                         NumberText{-std::numeric_limits<double>::infinity(), "-Infinity"}));

TEST(NumberToStringRadix, WritesTheIntegerPartInTheRadix)
{
    EXPECT_EQ(numberToString(10, 2), "1010");
    EXPECT_EQ(numberToString(-5, 2), "-101");
    EXPECT_EQ(numberToString(-11, 16), "-b");
    EXPECT_EQ(numberToString(6, 0), "6"); // an invalid radix is ten
    EXPECT_EQ(numberToString(6, 37), "6");
    EXPECT_EQ(numberToString(-2147483647.9, 16), "-7fffffff");
    // NaN and numbers out of range are -2^31, written with the player's
    // digits for negative remainders.
    EXPECT_EQ(numberToString(std::nan(""), 2), "-/" + QString(31, QLatin1Char('0')));
    EXPECT_EQ(numberToString(4294967296.0, 16), "-(0000000");
}

struct StringNumber {
    const char *text;
    int version;
    double value; // NaN for NaN
};

class StringToNumber : public testing::TestWithParam<StringNumber> {};

TEST_P(StringToNumber, ReadsWhatThePlayerReads)
{
    double d = stringToNumber(QString::fromLatin1(GetParam().text), GetParam().version);
    if (std::isnan(GetParam().value))
        EXPECT_TRUE(std::isnan(d)) << d;
    else
        EXPECT_EQ(d, GetParam().value);
}

const double kNaN = std::nan("");
INSTANTIATE_TEST_SUITE_P(Strings, StringToNumber,
                         testing::Values(StringNumber{"12", 7, 12}, StringNumber{"  12", 7, 12},
                                         StringNumber{"12 ", 7, kNaN}, StringNumber{"1.5e3", 7, 1500},
                                         StringNumber{".5", 7, 0.5}, StringNumber{"5.", 7, 5},
                                         StringNumber{"0x1F", 7, 31}, StringNumber{"0xFFFFFFFF", 7, -1},
                                         StringNumber{"0x1F", 5, kNaN}, StringNumber{"010", 7, 8},
                                         StringNumber{"019", 7, 19}, StringNumber{"-010", 6, -8},
                                         StringNumber{"", 7, kNaN}, StringNumber{"", 4, 0},
                                         StringNumber{"abc", 7, kNaN}, StringNumber{"Infinity", 7, kNaN},
                                         StringNumber{"1e", 7, kNaN}, StringNumber{"   0123", 7, 123},
                                         StringNumber{"0x-10", 7, -16}, StringNumber{"0X+10", 7, 16},
                                         StringNumber{"-0x10", 7, kNaN}, StringNumber{"0x-", 7, kNaN},
                                         StringNumber{"037777777777", 7, -1},
                                         StringNumber{"-037777777777", 7, 1}));

TEST(Conversions, DependOnTheVersionOfTheCode)
{
    Machine m;
    Context v6(m.vm, 6, nullptr), v7(m.vm, 7, nullptr);
    EXPECT_EQ(toNumber(v6, Value()), 0);
    EXPECT_TRUE(std::isnan(toNumber(v7, Value())));
    EXPECT_EQ(toNumber(v6, Value::null()), 0);
    EXPECT_EQ(toQString(v6, Value()), "");
    EXPECT_EQ(toQString(v7, Value()), "undefined");
    Value zero = m.vm.string(QStringLiteral("0"));
    Value word = m.vm.string(QStringLiteral("yes"));
    EXPECT_FALSE(toBoolean(v6, zero));
    EXPECT_TRUE(toBoolean(v7, zero));
    EXPECT_FALSE(toBoolean(v6, word));
    EXPECT_TRUE(toBoolean(v7, word));
    EXPECT_FALSE(toBoolean(v7, std::nan("")));
}

TEST(Conversions, WrapNumbersTo32BitsForBitOperations)
{
    EXPECT_EQ(toInt32(4294967297.0), 1);
    EXPECT_EQ(toInt32(-1.5), -1);
    EXPECT_EQ(toInt32(2147483648.0), -2147483647 - 1);
    EXPECT_EQ(toInt32(std::nan("")), 0);
    EXPECT_EQ(toUint32(-1), 4294967295u);
}
