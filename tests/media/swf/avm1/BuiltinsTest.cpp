// The built-in objects as the player has them, quirks included: String,
// Array, the global functions, Date, XML, AsBroadcaster and LoadVars.
#include "ScriptTestHost.h"

#include <gtest/gtest.h>
#include <cmath>
#include <string>

using namespace scripttest;
using U = W::Undefined;
using N = W::Null;

namespace {

// A variable `name` holding `s`, in a fresh block.
W setString(const QString &name, const QString &s)
{
    W w;
    w.setVariable(name, s);
    return w;
}

// A variable `name` holding an array of `items`.
W setArray(const QString &name, std::vector<W::PushValue> items)
{
    W w;
    std::vector<W::PushValue> pushed{name};
    pushed.insert(pushed.end(), items.rbegin(), items.rend());
    pushed.push_back(int32_t(items.size()));
    w.push(pushed).op(Op::InitArray).op(Op::SetVariable);
    return w;
}

}

TEST(StringMethods, HandleOddArgumentsAsThePlayerDoes)
{
    Machine m;
    m.run(setString(QStringLiteral("s"), QStringLiteral("hello world")));
    QString s = QStringLiteral("s");
    EXPECT_EQ(result(m, s, QStringLiteral("substr"), {0, -1}), "hello worl");
    EXPECT_EQ(result(m, s, QStringLiteral("substr"), {3, -3}), ""); // may not reach the end
    EXPECT_EQ(result(m, s, QStringLiteral("substr"), {-5}), "world");
    EXPECT_EQ(result(m, s, QStringLiteral("substring"), {5, 0}), "hello"); // swapped
    EXPECT_EQ(result(m, s, QStringLiteral("slice"), {-5, -1}), "worl");
    EXPECT_EQ(result(m, s, QStringLiteral("charAt"), {20}), "");
    EXPECT_EQ(result(m, s, QStringLiteral("charCodeAt"), {20}), "NaN");
    EXPECT_EQ(result(m, s, QStringLiteral("indexOf"), {QStringLiteral("o"), 5}), "7");
    EXPECT_EQ(result(m, s, QStringLiteral("lastIndexOf"), {QStringLiteral("o")}), "7");
    EXPECT_EQ(result(m, s, QStringLiteral("split"), {QStringLiteral("o"), 2}), "hell, w");
    EXPECT_EQ(result(m, s, QStringLiteral("split"), {QString()}), "h,e,l,l,o, ,w,o,r,l,d");
    EXPECT_EQ(result(m, s, QStringLiteral("toUpperCase")), "HELLO WORLD");
    EXPECT_EQ(result(m, QStringLiteral("String"), QStringLiteral("fromCharCode"), {72, 105}), "Hi");
}

TEST(StringMethods, WrapPositionsAndGiveUndefinedWithoutArguments)
{
    Machine m;
    m.run(setString(QStringLiteral("s"), QStringLiteral("hello world")));
    QString s = QStringLiteral("s");
    // Positions wrap to 32 bits: 2^32 + 1 is 1.
    EXPECT_EQ(result(m, s, QStringLiteral("charAt"), {4294967297.0}), "e");
    EXPECT_EQ(result(m, s, QStringLiteral("slice"), {4294967296.0, 4294967298.0}), "he");
    EXPECT_EQ(result(m, s, QStringLiteral("indexOf"), {QStringLiteral("o"), 4294967301.0}), "7");
    for (const char *method : {"indexOf", "lastIndexOf", "slice", "substr", "substring"})
        EXPECT_EQ(result(m, s, QString::fromLatin1(method)), "undefined") << method;
    // No delimiter: the whole string, even with a limit of 0.
    EXPECT_EQ(result(m, s, QStringLiteral("split"), {U(), 0}), "hello world");
}

TEST(StringMethods, MapCaseLetterByLetter)
{
    Machine m;
    auto cased = [&m](const QString &text, const char *method) {
        m.run(setString(QStringLiteral("s"), text));
        return QString::fromStdString(result(m, QStringLiteral("s"), QString::fromLatin1(method)));
    };
    // No letter becomes two.
    EXPECT_EQ(cased(QStringLiteral("\u0130"), "toLowerCase"), QStringLiteral("i"));
    EXPECT_EQ(cased(QStringLiteral("\u1F88\u00DF"), "toUpperCase"), QStringLiteral("\u1F88\u00DF"));
    // The pairs of old: Georgian capitals, the final and lunate sigmas.
    EXPECT_EQ(cased(QStringLiteral("\u10A0"), "toLowerCase"), QStringLiteral("\u10D0"));
    EXPECT_EQ(cased(QStringLiteral("\u03C2\u03F2"), "toUpperCase"), QStringLiteral("\u03A2\u03A3"));
}

TEST(StringMethods, SplitAnEmptyStringIntoOneEmptyElementWhateverTheLimit)
{
    Machine m;
    W w;
    for (auto [delimiter, limit] : {std::pair{"x", 0}, std::pair{"x", -1}, std::pair{"", 0}}) {
        w.push({limit, QString::fromLatin1(delimiter), 2, QString()}).push({QStringLiteral("split")});
        w.op(Op::CallMethod).push({QStringLiteral("length")}).op(Op::GetMember).op(Op::Trace);
    }
    EXPECT_EQ(m.run(w), QStringList({"1", "1", "0"}));
}

TEST(Trace, WritesLoneSurrogatesAsReplacementCharacters)
{
    Machine m;
    EXPECT_EQ(result(m, QStringLiteral("String"), QStringLiteral("fromCharCode"), {97, 0xD800, 98, 0xD83D, 0xDE0B}),
              "a\uFFFDb\U0001F60B");
}

TEST(ArrayMethods, EditInPlace)
{
    Machine m;
    m.run(setArray(QStringLiteral("a"), {1, 2, 3, 4, 5}));
    QString a = QStringLiteral("a");
    EXPECT_EQ(result(m, a, QStringLiteral("splice"), {1, 2, QStringLiteral("x")}), "2,3");
    EXPECT_EQ(result(m, a, QStringLiteral("join"), {QStringLiteral("-")}), "1-x-4-5");
    EXPECT_EQ(result(m, a, QStringLiteral("shift")), "1");
    EXPECT_EQ(result(m, a, QStringLiteral("unshift"), {0}), "4");
    EXPECT_EQ(result(m, a, QStringLiteral("reverse")), "5,4,x,0");
    EXPECT_EQ(result(m, a, QStringLiteral("slice"), {-2}), "x,0");
    EXPECT_EQ(result(m, a, QStringLiteral("concat"), {7}), "5,4,x,0,7");
    EXPECT_EQ(result(m, a, QStringLiteral("pop")), "0");
    EXPECT_EQ(result(m, a, QStringLiteral("push"), {N{}}), "4");
    EXPECT_EQ(result(m, a, QStringLiteral("splice"), {U{}}), "undefined"); // no start: nothing done
    EXPECT_EQ(result(m, a, QStringLiteral("toString")), "5,4,x,null");
    EXPECT_EQ(result(m, a, QStringLiteral("splice"), {1, -1}), "undefined"); // a negative count: nothing done
    EXPECT_EQ(result(m, a, QStringLiteral("toString")), "5,4,x,null");
}

TEST(ArrayMethods, KeepUndeletableElements)
{
    Machine m;
    m.run(setArray(QStringLiteral("a"), {1, 2, 3}));
    // ASSetPropFlags(a, "2", 2): the last element cannot be deleted, so
    // shifting leaves it behind the new length.
    W w;
    w.push({2, QStringLiteral("2")}).getVariable(QStringLiteral("a"));
    w.push({3, QStringLiteral("ASSetPropFlags")}).op(Op::CallFunction).op(Op::Pop);
    m.run(w);
    QString a = QStringLiteral("a");
    EXPECT_EQ(result(m, a, QStringLiteral("shift")), "1");
    EXPECT_EQ(result(m, a, QStringLiteral("toString")), "2,3");
    EXPECT_EQ(result(m, a, QStringLiteral("hasOwnProperty"), {QStringLiteral("2")}), "true");
}

TEST(ArrayMethods, SortWithOptionsAndCompareFunctions)
{
    Machine m;
    m.run(setArray(QStringLiteral("a"), {10, 9, 100, QStringLiteral("b"), QStringLiteral("A")}));
    QString a = QStringLiteral("a");
    EXPECT_EQ(result(m, a, QStringLiteral("sort")), "10,100,9,A,b"); // as strings
    EXPECT_EQ(result(m, a, QStringLiteral("sort"), {1 | 2}), "b,A,9,100,10");
    m.run(setArray(QStringLiteral("n"), {10, 9, 100}));
    QString n = QStringLiteral("n");
    EXPECT_EQ(result(m, n, QStringLiteral("sort"), {16}), "9,10,100");
    EXPECT_EQ(result(m, n, QStringLiteral("sort"), {16 | 8 | 2}), "2,1,0"); // indices, array kept
    EXPECT_EQ(result(m, n, QStringLiteral("sort"), {true}), "undefined");  // not an option or function
    EXPECT_EQ(result(m, n, QStringLiteral("sort"), {2, 16}), "9,10,100");  // a second argument wins
    // NUMERIC compares numbers as numbers, anything else as strings.
    m.run(setArray(QStringLiteral("mixed"), {QStringLiteral("22"), 3, 2}));
    EXPECT_EQ(result(m, QStringLiteral("mixed"), QStringLiteral("sort"), {16}), "2,22,3");
    m.run(setArray(QStringLiteral("d"), {1, 2, 1}));
    EXPECT_EQ(result(m, QStringLiteral("d"), QStringLiteral("sort"), {4}), "0"); // UNIQUESORT with twins
    // A compare function that answers nonsense still ends with every element.
    W nonsense;
    nonsense.push({1}).op(Op::Return);
    W w;
    w.push({0}).defineFunction(QString(), {}, nonsense).push({1}).getVariable(n);
    w.push({QStringLiteral("sort")}).op(Op::CallMethod).push({QStringLiteral("length")}).op(Op::GetMember);
    w.op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"3"}));
}

TEST(ArrayMethods, SortCallsTheCompareFunctionInThePlayersOrder)
{
    Machine m;
    m.run(setArray(QStringLiteral("a"), {3, 1, 2}));
    // function (x, y) { trace(x + " " + y); return x - y; }
    W body;
    body.getVariable(QStringLiteral("x")).push({QStringLiteral(" ")}).op(Op::Add2);
    body.getVariable(QStringLiteral("y")).op(Op::Add2).op(Op::Trace);
    body.getVariable(QStringLiteral("x")).getVariable(QStringLiteral("y")).op(Op::Subtract).op(Op::Return);
    W w;
    w.push({0}).defineFunction(QString(), {QStringLiteral("x"), QStringLiteral("y")}, body).push({1});
    w.getVariable(QStringLiteral("a")).push({QStringLiteral("sort")}).op(Op::CallMethod).op(Op::Trace);
    // The first element of each range is the pivot, always passed first.
    EXPECT_EQ(m.run(w), QStringList({"3 1", "3 2", "2 1", "1,2,3"}));
}

TEST(ArrayMethods, SortObjectsOnFields)
{
    Machine m;
    W w;
    w.push({QStringLiteral("list")});
    for (auto [name, age] : std::vector<std::pair<const char *, int>>{{"b", 3}, {"a", 3}, {"c", 1}})
        w.push({QStringLiteral("name"), QString::fromLatin1(name), QStringLiteral("age"), age, 2})
            .op(Op::InitObject);
    w.push({3}).op(Op::InitArray).op(Op::SetVariable);
    m.run(w);
    W names;
    // list.sortOn(["age", "name"]): by age, then by name.
    names.push({QStringLiteral("name"), QStringLiteral("age"), 2}).op(Op::InitArray).push({1});
    names.getVariable(QStringLiteral("list")).push({QStringLiteral("sortOn")}).op(Op::CallMethod).op(Op::Pop);
    for (int i = 0; i < 3; ++i)
        names.getVariable(QStringLiteral("list")).push({i}).op(Op::GetMember).push({QStringLiteral("name")})
            .op(Op::GetMember).op(Op::Trace);
    EXPECT_EQ(m.run(names), QStringList({"c", "a", "b"}));
}

TEST(GlobalFunctions, ParseTheTextOfAStringObjectWithoutItsToString)
{
    // String.prototype.toString = function () { return "7"; }; trace(parseInt(new String("10")))
    W seven;
    seven.push({QStringLiteral("7")}).op(Op::Return);
    W w;
    w.getVariable(QStringLiteral("String")).push({QStringLiteral("prototype")}).op(Op::GetMember);
    w.push({QStringLiteral("toString")}).defineFunction(QString(), {}, seven).op(Op::SetMember);
    w.push({QStringLiteral("10"), 1, QStringLiteral("String")}).op(Op::NewObject);
    w.push({1, QStringLiteral("parseInt")}).op(Op::CallFunction).op(Op::Trace);
    Machine m;
    EXPECT_EQ(m.run(w), QStringList({"10"}));
}

TEST(GlobalFunctions, ParseNumbersAsThePlayerDoes)
{
    Machine m;
    QString none;
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("  42px")}), "42");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("0x1A")}), "26");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("017")}), "15");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("019")}), "19");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("z"), 36}), "35");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("x")}), "NaN");
    // "0x" only at the very start, with the sign after it; octal only without spaces before.
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("0x-111")}), "-273");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("-0x111")}), "NaN");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral(" 0x111")}), "0");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("0x123"), 8}), "83");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("-0352")}), "-234");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("   0352")}), "352");
    EXPECT_EQ(result(m, none, QStringLiteral("parseInt"), {QStringLiteral("0352A")}), "352");
    EXPECT_EQ(result(m, none, QStringLiteral("unescape"), {QStringLiteral("%3a%2F%")}), ":/");
    EXPECT_EQ(result(m, none, QStringLiteral("parseFloat"), {QStringLiteral("3.5e2abc")}), "350");
    EXPECT_EQ(result(m, none, QStringLiteral("parseFloat"), {QStringLiteral(".")}), "NaN");
    EXPECT_EQ(result(m, none, QStringLiteral("isNaN"), {QStringLiteral("abc")}), "true");
    EXPECT_EQ(result(m, none, QStringLiteral("isFinite"), {QStringLiteral("12")}), "true");
}

TEST(GlobalFunctions, EscapeEveryByteButLettersAndDigits)
{
    Machine m6(6);
    QString none;
    EXPECT_EQ(result(m6, none, QStringLiteral("escape"), {QStringLiteral("a b&é")}), "a%20b%26%C3%A9");
    EXPECT_EQ(result(m6, none, QStringLiteral("unescape"), {QStringLiteral("%C3%A9%2")}), "é%2");
}

TEST(GlobalFunctions, HidePropertiesWithASSetPropFlags)
{
    Machine m;
    W w;
    w.push({QStringLiteral("o"), QStringLiteral("a"), 1, QStringLiteral("b"), 2, 2}).op(Op::InitObject);
    w.op(Op::SetVariable);
    w.push({4 | 1, QStringLiteral("a,b")}).getVariable(QStringLiteral("o"));
    w.push({3, QStringLiteral("ASSetPropFlags")}).op(Op::CallFunction).op(Op::Pop);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("a"), 9}).op(Op::SetMember); // read-only now
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("a")}).op(Op::GetMember).op(Op::Trace);
    w.push({QStringLiteral("a"), 1}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("isPropertyEnumerable")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"1", "false"}));
}

TEST(GlobalFunctions, HideFromLaterVersionsWithoutRemoving)
{
    Machine m(8);
    W w;
    w.push({QStringLiteral("o"), QStringLiteral("p"), 1, 1}).op(Op::InitObject).op(Op::SetVariable);
    // Only from SWF 10 on: unreadable here, yet owned, listed, replaced by a set and deletable.
    w.push({16384, QStringLiteral("p")}).getVariable(QStringLiteral("o"));
    w.push({3, QStringLiteral("ASSetPropFlags")}).op(Op::CallFunction).op(Op::Pop);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("p")}).op(Op::GetMember).op(Op::Trace);
    w.push({QStringLiteral("p"), 1}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("hasOwnProperty")}).op(Op::CallMethod).op(Op::Trace);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("p")}).op(Op::Delete).op(Op::Trace);
    w.push({QStringLiteral("p"), 1}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("hasOwnProperty")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"undefined", "true", "true", "false"}));
}

TEST(GlobalFunctions, NumberedNativesAreTheInstalledFunctions)
{
    Machine m(5);
    W w;
    // In SWF 5 hasOwnProperty is hidden; movies fetch it as ASnative(101, 5).
    w.push({QStringLiteral("h"), 5, 101, 2, QStringLiteral("ASnative")}).op(Op::CallFunction).op(Op::SetVariable);
    w.push({9, 101, 2, QStringLiteral("ASnative")}).op(Op::CallFunction).op(Op::TypeOf).op(Op::Trace);
    w.getVariable(QStringLiteral("Object")).push({QStringLiteral("prototype")}).op(Op::GetMember);
    w.push({QStringLiteral("hasOwnProperty")}).getVariable(QStringLiteral("h")).op(Op::SetMember);
    w.push({QStringLiteral("o"), QStringLiteral("p"), 1, 1}).op(Op::InitObject).op(Op::SetVariable);
    w.push({QStringLiteral("p"), 1}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("hasOwnProperty")}).op(Op::CallMethod).op(Op::Trace);
    w.push({QStringLiteral("q"), 1}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("hasOwnProperty")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"undefined", "true", "false"}));
}

TEST(Dates, CountFieldsInUtcAndCarryOver)
{
    Machine m;
    QString none;
    // Months and days past their ends carry over; fractions are dropped.
    EXPECT_EQ(result(m, QStringLiteral("Date"), QStringLiteral("UTC"), {2000, 12, 32}), "980985600000");
    EXPECT_EQ(result(m, QStringLiteral("Date"), QStringLiteral("UTC"), {70, 0, 1, 0, 0, 1.5}), "1000");
    EXPECT_EQ(result(m, QStringLiteral("Date"), QStringLiteral("UTC"), {2000}), "undefined");
    m.run(construct(QStringLiteral("d"), QStringLiteral("Date"), {-1000.0}));
    QString d = QStringLiteral("d");
    EXPECT_EQ(result(m, d, QStringLiteral("getUTCFullYear")), "1969");
    EXPECT_EQ(result(m, d, QStringLiteral("getUTCSeconds")), "59");
    EXPECT_EQ(result(m, d, QStringLiteral("getUTCDay")), "3");
    EXPECT_EQ(result(m, d, QStringLiteral("setUTCMonth"), {1, 29}), "-26352001000"); // 1969 has no 29 Feb
    EXPECT_EQ(result(m, d, QStringLiteral("getUTCDate")), "1");
    EXPECT_EQ(result(m, d, QStringLiteral("getUTCMonth")), "2");
    m.run(construct(QStringLiteral("bad"), QStringLiteral("Date"), {W::Float{0}}));
    EXPECT_EQ(result(m, QStringLiteral("bad"), QStringLiteral("setTime"), {QStringLiteral("x")}), "NaN");
    EXPECT_EQ(result(m, QStringLiteral("bad"), QStringLiteral("toString")), "Invalid Date");
    EXPECT_EQ(result(m, QStringLiteral("bad"), QStringLiteral("getMonth")), "NaN");
}

TEST(Dates, AgreeBetweenLocalTimeAndUtc)
{
    Machine m;
    m.vm.setClock([] { return 981152406000.0; });
    m.run(construct(QStringLiteral("d"), QStringLiteral("Date")));
    QString d = QStringLiteral("d");
    EXPECT_EQ(result(m, d, QStringLiteral("getTime")), "981152406000");
    auto number = [&](const char *method) { return std::stod(result(m, d, QLatin1String(method))); };
    double offset = number("getTimezoneOffset");
    double local = number("getHours") * 60 + number("getMinutes");
    double utc = number("getUTCHours") * 60 + number("getUTCMinutes");
    EXPECT_EQ(std::fmod(utc - local + offset + 2880, 1440), 0);
    // Setting local fields keeps the other fields in local time.
    std::string set = result(m, d, QStringLiteral("setHours"), {13, 30});
    EXPECT_EQ(set, result(m, d, QStringLiteral("getTime")));
    EXPECT_EQ(result(m, d, QStringLiteral("getHours")), "13");
    EXPECT_EQ(result(m, d, QStringLiteral("getMinutes")), "30");
}

TEST(Xml, ParsesAndWritesBack)
{
    Machine m;
    QString text = QStringLiteral("<?xml version=\"1.0\"?><root a=\"1 &amp; 2\"><b>x &lt; y &unknown;</b><c/>"
                                  "<![CDATA[<raw>]]><!-- gone --></root>");
    m.run(construct(QStringLiteral("x"), QStringLiteral("XML"), {text}));
    QString x = QStringLiteral("x");
    EXPECT_EQ(result(m, x, QStringLiteral("toString")),
              "<?xml version=\"1.0\"?><root a=\"1 &amp; 2\"><b>x &lt; y &amp;unknown;</b><c />&lt;raw&gt;</root>");
    W w;
    w.getVariable(x).push({QStringLiteral("status")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(x).push({QStringLiteral("firstChild")}).op(Op::GetMember).storeRegister(1);
    w.push({QStringLiteral("attributes")}).op(Op::GetMember).push({QStringLiteral("a")}).op(Op::GetMember);
    w.op(Op::Trace);
    w.push({W::Register{1}, QStringLiteral("childNodes")}).op(Op::GetMember).push({QStringLiteral("length")});
    w.op(Op::GetMember).op(Op::Trace);
    w.push({W::Register{1}, QStringLiteral("lastChild")}).op(Op::GetMember).push({QStringLiteral("nodeType")});
    w.op(Op::GetMember).op(Op::Trace);
    w.push({W::Register{1}, QStringLiteral("parentNode")}).op(Op::GetMember).getVariable(x);
    w.op(Op::StrictEquals).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"0", "1 & 2", "3", "3"}) << "true");
}

TEST(Xml, ReportsMalformedText)
{
    Machine m;
    auto status = [&](const QString &text) {
        m.run(construct(QStringLiteral("x"), QStringLiteral("XML"), {text}));
        W w;
        w.getVariable(QStringLiteral("x")).push({QStringLiteral("status")}).op(Op::GetMember).op(Op::Trace);
        return m.run(w).value(0);
    };
    EXPECT_EQ(status(QStringLiteral("<a><b></a>")), "-9");
    EXPECT_EQ(status(QStringLiteral("</a>")), "-10");
    EXPECT_EQ(status(QStringLiteral("<a x=\"1></a>")), "-8");
    EXPECT_EQ(status(QStringLiteral("<!-- open")), "-5");
    EXPECT_EQ(status(QStringLiteral("<![CDATA[ open")), "-2");
    EXPECT_EQ(status(QStringLiteral("<a b>")), "-6");
}

TEST(Xml, MovesNodesBetweenParents)
{
    Machine m;
    m.run(construct(QStringLiteral("x"), QStringLiteral("XML"), {QStringLiteral("<a><b/></a><c/>")}));
    W w;
    w.getVariable(QStringLiteral("x")).push({QStringLiteral("firstChild")}).op(Op::GetMember).storeRegister(1);
    w.push({QStringLiteral("childNodes")}).op(Op::GetMember).storeRegister(2).op(Op::Pop); // kept: it stays live
    w.getVariable(QStringLiteral("x")).push({QStringLiteral("lastChild")}).op(Op::GetMember).push({1});
    w.push({W::Register{1}, QStringLiteral("appendChild")}).op(Op::CallMethod).op(Op::Pop);
    w.getVariable(QStringLiteral("x")).op(Op::Trace);
    w.push({W::Register{2}}).op(Op::Trace);
    w.push({true, 1}).push({W::Register{1}, QStringLiteral("cloneNode")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"<a><b /><c /></a>", "<b />,<c />", "<a><b /><c /></a>"}));
}

TEST(Broadcasters, CallEveryListenerOnce)
{
    Machine m;
    W listener;
    listener.push({QStringLiteral("this")}).op(Op::GetVariable).push({QStringLiteral("name")}).op(Op::GetMember);
    listener.getVariable(QStringLiteral("v")).op(Op::Add2).op(Op::Trace);
    W w;
    w.push({QStringLiteral("b"), 0}).op(Op::InitObject).op(Op::SetVariable);
    w.getVariable(QStringLiteral("b")).push({1}).getVariable(QStringLiteral("AsBroadcaster"));
    w.push({QStringLiteral("initialize")}).op(Op::CallMethod).op(Op::Pop);
    for (const char *name : {"one", "two"}) {
        w.push({QStringLiteral("name"), QString::fromLatin1(name), QStringLiteral("ping")});
        w.defineFunction(QString(), {QStringLiteral("v")}, listener).push({2}).op(Op::InitObject);
        w.storeRegister(1).push({1}).getVariable(QStringLiteral("b")).push({QStringLiteral("addListener")});
        w.op(Op::CallMethod).op(Op::Pop);
        w.push({W::Register{1}, 1}).getVariable(QStringLiteral("b")).push({QStringLiteral("addListener")});
        w.op(Op::CallMethod).op(Op::Pop); // added again: still once
    }
    w.push({QStringLiteral("!"), QStringLiteral("ping"), 2}).getVariable(QStringLiteral("b"));
    w.push({QStringLiteral("broadcastMessage")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"one!", "two!", "true"}));
}

TEST(Broadcasters, HideInitializeAndPrototypeFromSwf5)
{
    Machine m5(5), m6(6);
    W w;
    w.getVariable(QStringLiteral("AsBroadcaster")).op(Op::TypeOf).op(Op::Trace);
    w.getVariable(QStringLiteral("AsBroadcaster")).push({QStringLiteral("initialize")}).op(Op::GetMember);
    w.op(Op::TypeOf).op(Op::Trace);
    w.getVariable(QStringLiteral("AsBroadcaster")).push({QStringLiteral("prototype")}).op(Op::GetMember);
    w.op(Op::TypeOf).op(Op::Trace);
    EXPECT_EQ(m5.run(w), QStringList({"function", "undefined", "undefined"}));
    EXPECT_EQ(m6.run(w), QStringList({"function", "function", "object"}));
}

TEST(LoadVarsObjects, EncodeAndDecodeFormData)
{
    Machine m;
    m.run(construct(QStringLiteral("lv"), QStringLiteral("LoadVars")));
    W w;
    w.push({QStringLiteral("a+b=c&d%20e")}).push({1}).getVariable(QStringLiteral("lv"));
    w.push({QStringLiteral("decode")}).op(Op::CallMethod).op(Op::Pop);
    w.getVariable(QStringLiteral("lv")).push({QStringLiteral("a b")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("lv")).push({QStringLiteral("d e")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("lv")).push({QStringLiteral("x"), QStringLiteral("1&2")}).op(Op::SetMember);
    EXPECT_EQ(m.run(w), QStringList({"c", ""}));
    EXPECT_EQ(result(m, QStringLiteral("lv"), QStringLiteral("toString")), "x=1%262&d%20e=&a%20b=c");
}

TEST(StringObjects, HaveTheirOwnLengthAndAnEmptyPrototype)
{
    Machine m;
    W w;
    w.push({QStringLiteral("s"), QStringLiteral("abc"), 1, QStringLiteral("String")}).op(Op::NewObject);
    w.op(Op::SetVariable);
    w.getVariable(QStringLiteral("s")).push({QStringLiteral("length")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("s")).push({QStringLiteral("length"), QStringLiteral("long")}).op(Op::SetMember);
    w.getVariable(QStringLiteral("s")).push({QStringLiteral("length")}).op(Op::GetMember).op(Op::Trace);
    // The prototype converts to "" instead of calling its own toString again.
    w.push({QStringLiteral("<")}).getVariable(QStringLiteral("String"));
    w.push({QStringLiteral("prototype")}).op(Op::GetMember).op(Op::Add2).op(Op::Trace);
    w.getVariable(QStringLiteral("String")).push({QStringLiteral("prototype")}).op(Op::GetMember);
    w.push({QStringLiteral("length")}).op(Op::GetMember).op(Op::TypeOf).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"3", "long", "<", "undefined"}));
}

TEST(StringObjects, WrapStringsWithTheStringConstructorScriptsSee)
{
    Machine m;
    W constructor;
    constructor.getVariable(QStringLiteral("this")).push({QStringLiteral("id"), QStringLiteral("mine")});
    constructor.op(Op::SetMember);
    W w;
    w.push({QStringLiteral("s")}).push({QStringLiteral("abc")}).op(Op::SetVariable);
    w.getVariable(QStringLiteral("s")).push({QStringLiteral("length")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("_global")).push({QStringLiteral("String")});
    w.defineFunction(QString(), {}, constructor).op(Op::SetMember);
    w.getVariable(QStringLiteral("s")).push({QStringLiteral("id")}).op(Op::GetMember).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"3", "mine"}));
}

TEST(MathArcs, KeepThePlayersLastDigit)
{
    Machine m;
    EXPECT_EQ(result(m, QStringLiteral("Math"), QStringLiteral("asin"), {0.3}), "0.304692654015397");
    EXPECT_EQ(result(m, QStringLiteral("Math"), QStringLiteral("acos"), {0.3}), "1.2661036727795");
    EXPECT_EQ(result(m, QStringLiteral("Math"), QStringLiteral("asin"), {2}), "NaN");
}
