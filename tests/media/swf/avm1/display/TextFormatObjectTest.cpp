// TextFormat objects as scripts see them: what the constructor and the
// property setters make of the values they are given, and where the
// properties live.
#include "ScriptTestUtil.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfMovieClip.h"

#include <gtest/gtest.h>

using swfmake::ActionWriter;
using namespace swftest::scripts;
namespace Op = swf::avm1::Op;

namespace {

// Traces `object.hasOwnProperty(name)`.
ActionWriter &traceOwn(ActionWriter &w, const QString &object, const QString &name)
{
    return call(w, object, "hasOwnProperty", {name}).op(Op::Trace);
}

}

TEST(TextFormatObject, ConstructorTruncatesWhereSettersRoundHalfToEven)
{
    ActionWriter w;
    construct(w, "made", QStringLiteral("TextFormat"), {QStringLiteral("Arial"), 10.9, -11, true, false, true, QStringLiteral("u"),
                              QStringLiteral("t"), QStringLiteral("CENTER"), -2.5, 3.9, 2.5, -9.5});
    for (const char *name : {"size", "color", "align", "leftMargin", "rightMargin", "indent", "leading"})
        traceMember(w, "made", name);
    for (const char *name : {"size", "leftMargin", "indent", "leading"})
        setMember(w, "made", name, -9.5);
    setMember(w, "made", "rightMargin", 2.5);
    setMember(w, "made", "color", 0.9);
    setMember(w, "made", "align", QStringLiteral("middle"));
    for (const char *name : {"size", "leftMargin", "indent", "leading", "rightMargin", "color", "align"})
        traceMember(w, "made", name);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"10", "4294967285", "center", "-2", "3", "2", "-9",
                                    "-10", "0", "-10", "-10", "2", "0", "center"}));
}

TEST(TextFormatObject, NullUnsetsEveryPropertyButTheAlignment)
{
    ActionWriter w;
    construct(w, "f", QStringLiteral("TextFormat"), {QStringLiteral("Arial"), 12, 0xFF, true});
    setMember(w, "f", "align", QStringLiteral("right"));
    for (const char *name : {"font", "size", "color", "bold", "align"})
        get(w, "f").push({QString::fromLatin1(name)}).push({ActionWriter::Null{}}).op(Op::SetMember);
    for (const char *name : {"font", "size", "color", "bold", "align", "display"})
        traceMember(w, "f", name);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"null", "null", "null", "null", "right", "block"}));
}

TEST(TextFormatObject, PropertiesAreAccessorsOfThePrototypeAndMeasuringIsTheObjectsOwn)
{
    ActionWriter w;
    construct(w, "f", QStringLiteral("TextFormat"), {});
    traceOwn(w, "TextFormat.prototype", "size");
    traceOwn(w, "TextFormat.prototype", "display");
    traceOwn(w, "f", "size");
    traceOwn(w, "f", "getTextExtent");
    traceOwn(w, "TextFormat.prototype", "getTextExtent");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"true", "true", "false", "true", "false"}));
}

TEST(TextFormatObject, AFieldTakesTheColourWithoutItsHighBits)
{
    ActionWriter w;
    call(w, "_root", "createTextField", {QStringLiteral("t"), 3, 0, 0, 100, 20}).op(Op::Pop);
    setMember(w, "t", "text", QStringLiteral("ab"));
    construct(w, "f", QStringLiteral("TextFormat"), {QStringLiteral("Arial"), 12, -11});
    w.getVariable("f").push({1, QStringLiteral("t")}).op(Op::GetVariable); // t.setTextFormat(f)
    w.push({QStringLiteral("setTextFormat")}).op(Op::CallMethod).op(Op::Pop);
    call(w, "t", "getTextFormat", {0}).push({QStringLiteral("color")}).op(Op::GetMember).op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"16777205"}));
}

TEST(TextFormatObject, TextExtentIsABareObjectMeasuringDeviceGlyphsInWholePixels)
{
    ActionWriter w;
    construct(w, "f", QStringLiteral("TextFormat"), {QStringLiteral("Noto Sans"), 12});
    w.push({QStringLiteral("one")});
    call(w, "f", "getTextExtent", {QStringLiteral("i")}).op(Op::SetVariable);
    w.push({QStringLiteral("ten")});
    call(w, "f", "getTextExtent", {QStringLiteral("iiiiiiiiii")}).op(Op::SetVariable);
    get(w, "one").op(Op::Trace);
    traceMember(w, "one", "__proto__");
    traceMember(w, "one", "width");
    traceMember(w, "ten", "width");
    Played p(boxMovie(w));
    ASSERT_EQ(p.lines.size(), 4);
    EXPECT_EQ(p.lines[0], QStringLiteral("[type Object]"));
    EXPECT_EQ(p.lines[1], QStringLiteral("undefined"));
    // Each device glyph advances a whole number of pixels.
    EXPECT_GT(p.lines[2].toInt(), 0);
    EXPECT_EQ(p.lines[3].toInt(), 10 * p.lines[2].toInt());
}
