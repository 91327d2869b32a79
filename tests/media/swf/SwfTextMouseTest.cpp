// The mouse in text fields: dragging selects, beyond the field's edges too,
// and a click on a link follows it (asfunction calls the timeline's function).
#include "avm1/display/ScriptTestUtil.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfStage.h"

#include <gtest/gtest.h>

using namespace swftest::scripts;

namespace {

constexpr int kTw = 20;

// A 200 x 60 pixel field "t" at (10, 20), made by the script `w` ends with.
swf::EditTextObject &field(Played &p)
{
    auto *found = dynamic_cast<swf::EditTextObject *>(p.scene.root().children().at(swf::kScriptDepthBase + 1));
    EXPECT_TRUE(found);
    return *found;
}

ActionWriter &makeField(ActionWriter &w)
{
    return call(w, "_root", "createTextField", {QStringLiteral("t"), 1, 10, 20, 200, 60}).op(Op::Pop);
}

QPointF stage(double x, double y)
{
    return QPointF(x * kTw, y * kTw);
}

}

TEST(SwfTextMouse, DraggingSelectsFromThePressToThePointerBeyondTheFieldsEdges)
{
    ActionWriter w;
    makeField(w);
    setMember(w, "t", "multiline", true);
    setMember(w, "t", "text", QStringLiteral("第一行\r第二行"));
    Played p(boxMovie(w));
    swf::MouseInput &mouse = p.scene.stage.mouse();
    const swf::TextField &model = field(p).textField();

    mouse.press(stage(11, 25));
    EXPECT_EQ(p.scene.stage.focus().current(), &field(p));
    EXPECT_EQ(model.selectionBegin(), 0);
    EXPECT_EQ(model.selectionEnd(), 0);
    mouse.move(stage(300, 190));
    EXPECT_EQ(model.selectionEnd(), 7) << "below and right of the field: the end of the text";
    mouse.move(stage(0, 0));
    EXPECT_EQ(model.selectionBegin(), 0);
    EXPECT_EQ(model.selectionEnd(), 0) << "above and left: the start";
    mouse.move(stage(300, 25));
    EXPECT_EQ(model.selectionEnd(), 3) << "right of the first line: its end, before the break";
    mouse.release(stage(300, 25));
    mouse.move(stage(11, 25));
    EXPECT_EQ(model.selectionEnd(), 3) << "moving with the button up selects nothing";
}

TEST(SwfTextMouse, AClickOnALinkCallsTheTimelinesFunctionAndTheHandShowsOverIt)
{
    ActionWriter w;
    makeField(w);
    setMember(w, "t", "html", true);
    setMember(w, "t", "selectable", false);
    setMember(w, "t", "htmlText", QStringLiteral("<a href=\"asfunction:heard,数学,课\">WWWW</a> plain"));
    // function heard(what) { trace(what); }
    ActionWriter body;
    body.getVariable(QStringLiteral("what")).op(Op::Trace);
    w.defineFunction(QStringLiteral("heard"), {QStringLiteral("what")}, body);
    Played p(boxMovie(w));
    swf::MouseInput &mouse = p.scene.stage.mouse();

    mouse.move(stage(15, 28));
    EXPECT_TRUE(mouse.showsHand());
    mouse.press(stage(15, 28));
    mouse.release(stage(15, 28));
    EXPECT_EQ(p.lines, QStringList({QStringLiteral("数学,课")}));
    EXPECT_EQ(p.scene.stage.focus().current(), nullptr) << "a field that is not selectable takes no focus";

    mouse.press(stage(15, 28));
    mouse.release(stage(180, 28));
    mouse.move(stage(180, 28));
    EXPECT_FALSE(mouse.showsHand());
    EXPECT_EQ(p.lines.size(), 1) << "released away from the link";
}
