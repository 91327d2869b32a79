// Text fields as scripts see them: fields made by createTextField, their
// properties, TextFormat objects over ranges of text, and fields bound to
// variables.
#include "ScriptTestUtil.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfKeyboard.h"
#include "swf/SwfStage.h"
#include "swf/SwfMovieClip.h"

#include <gtest/gtest.h>

using swfmake::ActionWriter;
using namespace swftest::scripts;
namespace Op = swf::avm1::Op;

namespace {

ActionWriter &makeField(ActionWriter &w, const QString &name)
{
    return call(w, "_root", "createTextField", {name, 3, 10, 20, 120, 40}).op(Op::Pop);
}

swf::EditTextObject &fieldAt(Played &p, int scriptDepth)
{
    auto *field = dynamic_cast<swf::EditTextObject *>(p.scene.root().children().at(swf::kScriptDepthBase + scriptDepth));
    EXPECT_TRUE(field);
    return *field;
}

}

TEST(TextFieldClass, ScriptMadeFieldsTakeTextAndProperties)
{
    ActionWriter w;
    makeField(w, "t");
    for (const char *name : {"text", "type", "autoSize", "maxChars", "variable", "_x", "_width"})
        traceMember(w, "t", name);
    setMember(w, "t", "text", QStringLiteral("Hello"));
    setMember(w, "t", "type", QStringLiteral("INPUT"));
    setMember(w, "t", "autoSize", true);
    setMember(w, "t", "maxChars", 4);
    setMember(w, "t", "backgroundColor", -1);
    for (const char *name : {"text", "length", "type", "autoSize", "maxChars", "backgroundColor"})
        traceMember(w, "t", name);
    get(w, "t").push({QStringLiteral("textWidth")}).op(Op::GetMember).push({0}).op(Op::Greater).op(Op::Trace);
    setMember(w, "t", "type", QStringLiteral("unknown"));
    traceMember(w, "t", "type");
    get(w, "TextField").push({QStringLiteral("prototype")}).op(Op::GetMember);
    w.push({QStringLiteral("text")}).op(Op::GetMember).op(Op::Trace);
    call(w, "t", "removeTextField").op(Op::Pop);
    get(w, "t").op(Op::TypeOf).op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"", "dynamic", "none", "null", "null", "10", "120", "Hello", "5", "input", "left",
                                    "4", "16777215", "true", "input", "undefined", "undefined"}));
}

TEST(TextFieldClass, TextFormatsApplyToRangesAndReportWhatTheRangeShares)
{
    ActionWriter w;
    makeField(w, "t");
    setMember(w, "t", "text", QStringLiteral("abcd"));
    construct(w, "bold", QStringLiteral("TextFormat"), {QStringLiteral("Arial"), 20, 0xFF0000, true});
    call(w, "t", "setTextFormat", {0, 4, QStringLiteral("not a format")}).op(Op::Pop);
    w.getVariable("bold").push({3, 1, 3}); // t.setTextFormat(1, 3, bold)
    get(w, "t").push({QStringLiteral("setTextFormat")}).op(Op::CallMethod).op(Op::Pop);
    call(w, "t", "getTextFormat", {1}).push({QStringLiteral("font")}).op(Op::GetMember).op(Op::Trace);
    call(w, "t", "getTextFormat", {2}).push({QStringLiteral("color")}).op(Op::GetMember).op(Op::Trace);
    call(w, "t", "getTextFormat").push({QStringLiteral("size")}).op(Op::GetMember).op(Op::Trace);
    call(w, "t", "getTextFormat").push({QStringLiteral("underline")}).op(Op::GetMember).op(Op::Trace);
    call(w, "t", "getTextFormat", {0}).push({QStringLiteral("bold")}).op(Op::GetMember).op(Op::Trace);
    traceMember(w, "bold", "align");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"Arial", "16711680", "null", "false", "false", "null"}));
    const swf::TextField &model = fieldAt(p, 3).textField();
    EXPECT_EQ(model.formattedText().formatAt(2).size, 20.0);
    EXPECT_EQ(model.formattedText().formatAt(3).size, 12.0);
}

TEST(TextFieldClass, BoundFieldsShowTheirVariableAndStoreTheirText)
{
    ActionWriter w;
    w.setVariable("score", 7);
    makeField(w, "shown");
    setMember(w, "shown", "variable", QStringLiteral("score"));
    traceMember(w, "shown", "text");
    call(w, "_root", "createTextField", {QStringLiteral("typed"), 4, 0, 0, 50, 20}).op(Op::Pop);
    setMember(w, "typed", "text", QStringLiteral("from the field"));
    setMember(w, "typed", "variable", QStringLiteral("_root.answer"));
    w.getVariable("answer").op(Op::Trace);
    setMember(w, "typed", "text", QStringLiteral("changed"));
    w.getVariable("answer").op(Op::Trace);
    w.setVariable("score", 8);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"7", "from the field", "changed"}));
    EXPECT_EQ(fieldAt(p, 3).textField().text(), "7") << "the field shows a new value once the frame is done";
    p.scene.tick();
    EXPECT_EQ(fieldAt(p, 3).textField().text(), "8");
}

TEST(TextFieldClass, ReadingABoundFieldsTextSeesItsVariableAndAnEmptyFieldMakesNone)
{
    ActionWriter w;
    makeField(w, "shown");
    setMember(w, "shown", "variable", QStringLiteral("word"));
    w.getVariable("word").op(Op::TypeOf).op(Op::Trace);
    w.setVariable("word", QStringLiteral("你好"));
    traceMember(w, "shown", "text");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"undefined", QStringLiteral("你好")}));
}

TEST(TextFieldClass, AFieldIsAnObjectAndKeepsTextItsReadOnlyVariableRefuses)
{
    ActionWriter w;
    w.setVariable("word", QStringLiteral("旧"));
    w.push({4, QStringLiteral("word")}); // ASSetPropFlags(_root, "word", 4): read only
    get(w, "_root").push({3, QStringLiteral("ASSetPropFlags")}).op(Op::CallFunction).op(Op::Pop);
    makeField(w, "shown");
    get(w, "shown").op(Op::TypeOf).op(Op::Trace);
    setMember(w, "shown", "variable", QStringLiteral("word"));
    setMember(w, "shown", "text", QStringLiteral("新"));
    w.getVariable("word").op(Op::Trace);
    traceMember(w, "shown", "text");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"object", QStringLiteral("旧"), QStringLiteral("新")}));
    p.scene.tick();
    EXPECT_EQ(fieldAt(p, 3).textField().text(), QStringLiteral("新")) << "the variable did not change";
}

TEST(TextFieldClass, AutoSizeFromTheRightOrCentreMovesTheFieldsPosition)
{
    ActionWriter w;
    call(w, "_root", "createTextField", {QStringLiteral("r"), 3, 10, 20, 1, 1}).op(Op::Pop);
    call(w, "_root", "createTextField", {QStringLiteral("c"), 4, 10, 20, 1, 1}).op(Op::Pop);
    setMember(w, "r", "autoSize", QStringLiteral("right"));
    setMember(w, "c", "autoSize", QStringLiteral("center"));
    traceMember(w, "r", "_x");
    traceMember(w, "c", "_x");
    setMember(w, "c", "_x", 100);
    traceMember(w, "c", "_x");
    Played p(boxMovie(w));
    // An empty field is 4 pixels wide: it grows 3 pixels to the left, or 1.5 each way.
    EXPECT_EQ(p.lines, QStringList({"7", "8.5", "100"}));
}

TEST(TextFieldClass, AKeyAButtonWaitsForIsNotTypedIntoTheFocusedField)
{
    ActionWriter script;
    makeField(script, "t");
    setMember(script, "t", "type", QStringLiteral("input"));
    call(script, "Selection", "setFocus", {QStringLiteral("t")}).op(Op::Pop);
    ActionWriter pressed;
    pressed.push({QStringLiteral("key a")}).op(Op::Trace);
    MovieWriter m(200, 200, 12, 8);
    swfmake::ShapeBuilder s;
    s.setStyles(0, s.addFill(swfmake::Fill::solid(Qt::red)), 0);
    s.rect(0, 0, 400, 200);
    m.defineShape(1, s);
    m.defineButton2(2, {{15, 1, 1, QTransform()}}, {MovieWriter::ButtonAction{0, 'a', pressed.body()}});
    m.place(Place{1, false, 2, QTransform(), {}, {}, QStringLiteral("button"), {}});
    m.tag(12, script.block());
    m.showFrame();
    Played p(swftest::load(m.finish()));
    swf::KeyboardInput &keys = p.scene.stage.keyboard();
    keys.press(swf::keyCodeOf(Qt::Key_A), 'a'); // a key with its character
    keys.release(swf::keyCodeOf(Qt::Key_A));
    keys.typeText(QStringLiteral("a")); // the character from an input method
    keys.typeText(QStringLiteral("b"));
    keys.typeText(QStringLiteral("好"));
    EXPECT_EQ(p.lines, QStringList({"key a", "key a"}));
    EXPECT_EQ(fieldAt(p, 3).textField().text(), QStringLiteral("b好"));
}

TEST(TextFieldClass, SelectionMovesTheFocusAndSelectsInTheFocusedField)
{
    ActionWriter w;
    makeField(w, "t");
    setMember(w, "t", "text", QStringLiteral("hello"));
    call(w, "Selection", "getFocus").op(Op::Trace);
    call(w, "Selection", "getBeginIndex").op(Op::Trace);
    call(w, "Selection", "setFocus", {QStringLiteral("t")}).op(Op::Trace);
    call(w, "Selection", "getFocus").op(Op::Trace);
    call(w, "Selection", "getEndIndex").op(Op::Trace);
    call(w, "Selection", "setSelection", {1, 3}).op(Op::Pop);
    call(w, "Selection", "getBeginIndex").op(Op::Trace);
    call(w, "Selection", "setFocus").op(Op::Trace);
    call(w, "Selection", "getFocus").op(Op::Trace);
    call(w, "Selection", "setFocus", {swfmake::ActionWriter::Null{}}).op(Op::Trace);
    call(w, "Selection", "getFocus").op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"null", "-1", "true", "_level0.t", "5", "1", "false", "_level0.t", "true", "null"}))
        << "setFocus() without a target is refused and keeps the focus";
}

// Traces Selection's begin, caret and end indices.
ActionWriter &traceIndices(ActionWriter &w)
{
    for (const char *name : {"getBeginIndex", "getCaretIndex", "getEndIndex"})
        call(w, "Selection", name).op(Op::Trace);
    return w;
}

TEST(TextFieldClass, SelectionPutsTheCaretAtItsSecondIndexAndFollowsTheText)
{
    ActionWriter w;
    makeField(w, "t");
    setMember(w, "t", "text", QStringLiteral("Some Text"));
    call(w, "Selection", "setFocus", {QStringLiteral("t")}).op(Op::Pop);
    call(w, "Selection", "setSelection", {6, 3}).op(Op::Pop);
    traceIndices(w);
    call(w, "Selection", "setSelection", {1}).op(Op::Pop); // one index: no change
    call(w, "Selection", "setSelection", {1, 2, 3}).op(Op::Pop);
    traceIndices(w);
    call(w, "Selection", "setSelection", {-1, 25}).op(Op::Pop);
    traceIndices(w);
    setMember(w, "t", "text", QStringLiteral("Some"));
    traceIndices(w);
    call(w, "Selection", "setFocus", {QStringLiteral("t"), 5}).op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"3", "3", "6", "3", "3", "6", "0", "9", "9", "0", "4", "4", "false"}));
}

TEST(TextFieldClass, FocusHandlersSeeNoSelectionAndHidingTakesTheFocusOnce)
{
    ActionWriter w;
    makeField(w, "t");
    setMember(w, "t", "text", QStringLiteral("abc"));
    // t.onSetFocus = function () { trace(Selection.getBeginIndex()); }
    ActionWriter handler;
    call(handler, "Selection", "getBeginIndex").op(Op::Trace);
    get(w, "t").push({QStringLiteral("onSetFocus")}).defineFunction(QString(), {}, handler).op(Op::SetMember);
    call(w, "Selection", "setFocus", {QStringLiteral("t")}).op(Op::Pop);
    traceIndices(w);
    setMember(w, "t", "_visible", false);
    call(w, "Selection", "getFocus").op(Op::Trace);
    call(w, "Selection", "setFocus", {QStringLiteral("t")}).op(Op::Pop);
    setMember(w, "t", "_visible", false); // already hidden: the focus stays
    call(w, "Selection", "getFocus").op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"-1", "0", "3", "3", "null", "-1", "_level0.t"}));
}

TEST(TextFieldClass, KeptPropertiesTakeOnlyWhatTheyAllowAndWidthResizesTheBox)
{
    ActionWriter w;
    makeField(w, "t");
    for (const char *name : {"tabIndex", "styleSheet", "mouseWheelEnabled", "antiAliasType", "gridFitType", "sharpness"})
        traceMember(w, "t", name);
    setMember(w, "t", "tabIndex", QStringLiteral("3"));
    setMember(w, "t", "antiAliasType", QStringLiteral("advanced"));
    setMember(w, "t", "gridFitType", QStringLiteral("blurry"));
    setMember(w, "t", "sharpness", 1000);
    setMember(w, "t", "thickness", -1000);
    for (const char *name : {"tabIndex", "antiAliasType", "gridFitType", "sharpness", "thickness"})
        traceMember(w, "t", name);
    // filters reads back as a new array of what was given.
    w.push({QStringLiteral("a"), 7, 1}).op(Op::InitArray).op(Op::SetVariable);
    get(w, "t").push({QStringLiteral("filters")}).getVariable("a").op(Op::SetMember);
    get(w, "t").push({QStringLiteral("filters")}).op(Op::GetMember).op(Op::Trace);
    get(w, "t").push({QStringLiteral("filters")}).op(Op::GetMember).getVariable("a").op(Op::StrictEquals).op(Op::Trace);
    setMember(w, "t", "_width", 60);
    setMember(w, "t", "_xscale", 200);
    traceMember(w, "t", "_width");
    traceMember(w, "t", "_xscale");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"undefined", "undefined", "true", "normal", "pixel", "0", "3", "advanced", "pixel",
                                    "1000", "-1000", "7", "false", "120", "200"}));
}

TEST(TextFieldClass, AFieldsPositionIsItsBoxsCornerAndADuplicateStartsAsItsRecordPlacedIt)
{
    MovieWriter m(200, 200, 12, 8);
    MovieWriter::EditText record;
    record.bounds = QRect(120, 140, 400, 300); // from (6, 7) pixels
    record.text = QStringLiteral("第一课");
    record.readOnly = true;
    m.defineEditText(1, record);
    m.place(Place{1, false, 1, QTransform::fromTranslate(200, 0), {}, {}, QStringLiteral("t"), {}});
    ActionWriter w;
    traceMember(w, "t", "_x");
    traceMember(w, "t", "_y");
    setMember(w, "t", "_x", 50);
    setMember(w, "t", "_alpha", 50);
    setMember(w, "t", "text", QStringLiteral("改了"));
    setMember(w, "t", "maxChars", 3);
    w.push({QStringLiteral("t"), QStringLiteral("u"), swf::kScriptDepthBase + 5}).op(Op::CloneSprite);
    for (const char *name : {"_x", "_y", "_alpha", "text", "maxChars", "_name"})
        traceMember(w, "u", name);
    m.tag(12, w.block());
    m.showFrame();
    Played p(swftest::load(m.finish()));
    EXPECT_EQ(p.lines, QStringList({"16", "7", "50", "7", "50", QStringLiteral("第一课"), "null", "u"}));
}
