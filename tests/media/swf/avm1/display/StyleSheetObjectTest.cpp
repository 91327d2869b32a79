// TextField.StyleSheet as scripts use it: styles set, read back, parsed
// from CSS, and turned into TextFormats.
#include "ScriptTestUtil.h"

#include <gtest/gtest.h>

using swfmake::ActionWriter;
using namespace swftest::scripts;
namespace Op = swf::avm1::Op;

namespace {

// s = new TextField.StyleSheet()
ActionWriter &newStyleSheet(ActionWriter &w)
{
    w.push({QStringLiteral("s"), 0, QStringLiteral("TextField")}).op(Op::GetVariable);
    w.push({QStringLiteral("StyleSheet")}).op(Op::NewMethod).op(Op::SetVariable);
    return w;
}

}

TEST(StyleSheetObject, ParsedStylesBecomeTextFormats)
{
    ActionWriter w;
    newStyleSheet(w);
    call(w, "s", "parseCSS",
         {QStringLiteral(".lesson { font-family: Noto Sans CJK SC, serif; font-size: 24px; color: #FF0000;"
                         " text-align: CENTER; font-weight: bold; margin-left: -3 }")})
        .op(Op::Trace);
    call(w, "s", "getStyle", {QStringLiteral(".lesson")}).push({QStringLiteral("fontSize")}).op(Op::GetMember).op(Op::Trace);
    for (const char *name : {"font", "size", "color", "align", "bold", "leftMargin", "italic", "kerning", "display"})
        get(w, "s._styles").push({QStringLiteral(".lesson")}).op(Op::GetMember).push({QString::fromLatin1(name)})
            .op(Op::GetMember).op(Op::Trace);
    call(w, "s", "parseCSS", {QStringLiteral(".other { color: red } junk")}).op(Op::Trace);
    call(w, "s", "getStyleNames").op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"true", "24px", "Noto Sans CJK SC,serif", "24", "16711680", "center", "true", "0",
                                    "null", "false", "block", "false", ".lesson"}));
}

TEST(StyleSheetObject, KeepsCopiesAndNamesWithoutStyles)
{
    ActionWriter w;
    newStyleSheet(w);
    w.push({QStringLiteral("style"), QStringLiteral("color"), QStringLiteral("#00FF00"), 1}).op(Op::InitObject);
    w.op(Op::SetVariable);
    w.getVariable(QStringLiteral("style")).push({QStringLiteral("word"), 2, QStringLiteral("s")}).op(Op::GetVariable);
    w.push({QStringLiteral("setStyle")}).op(Op::CallMethod).op(Op::Pop);
    setMember(w, "style", "color", QStringLiteral("#0000FF"));
    call(w, "s", "getStyle", {QStringLiteral("word")}).push({QStringLiteral("color")}).op(Op::GetMember).op(Op::Trace);
    call(w, "s", "getStyle", {QStringLiteral("Word")}).op(Op::Trace);
    call(w, "s", "setStyle", {QStringLiteral("gone"), QStringLiteral("not a style")}).op(Op::Pop);
    call(w, "s", "getStyle", {QStringLiteral("gone")}).op(Op::Trace);
    call(w, "s", "getStyleNames").push({QStringLiteral("length")}).op(Op::GetMember).op(Op::Trace);
    call(w, "s", "transform").op(Op::Trace);
    call(w, "s", "clear").op(Op::Pop);
    call(w, "s", "getStyleNames").push({QStringLiteral("length")}).op(Op::GetMember).op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"#00FF00", "null", "null", "2", "null", "0"}));
}

TEST(StyleSheetObject, AFieldReadsItsHtmlWithTheRulesItsSheetHoldsWhenSetOrWhenTheTextIs)
{
    ActionWriter w;
    newStyleSheet(w);
    call(w, "s", "parseCSS", {QStringLiteral(".red { color: #FF0000; }")}).op(Op::Pop);
    call(w, "_root", "createTextField", {QStringLiteral("t"), 1, 0, 0, 100, 20}).op(Op::Pop);
    auto setSheet = [&](const char *from) {
        get(w, "t").push({QStringLiteral("styleSheet")});
        get(w, QString::fromLatin1(from)).op(Op::SetMember);
    };
    auto traceColor = [&] {
        call(w, "t", "getTextFormat", {0}).push({QStringLiteral("color")}).op(Op::GetMember).op(Op::Trace);
    };
    setMember(w, "t", "styleSheet", 4);
    traceMember(w, "t", "styleSheet");
    setSheet("_root");
    traceMember(w, "t", "styleSheet");
    setSheet("s");
    traceMember(w, "t", "html");
    setMember(w, "t", "text", QStringLiteral("<span class=\"red\">a</span>"));
    traceMember(w, "t", "text");
    traceMember(w, "t", "htmlText");
    traceColor();
    call(w, "s", "parseCSS", {QStringLiteral(".red { color: #00FF00; }")}).op(Op::Pop);
    traceColor(); // the sheet changed, the text not yet
    setSheet("s");
    traceColor();
    setMember(w, "t", "styleSheet", ActionWriter::Null{});
    traceMember(w, "t", "htmlText");
    traceColor();
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"undefined", "undefined", "false", "a", "<span class=\"red\">a</span>", "16711680",
                                    "16711680", "65280", "a", "65280"}));
}
