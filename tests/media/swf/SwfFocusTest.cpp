// Keyboard focus on the stage: Tab moving it in automatic and custom order,
// and the focus leaving an object that leaves the stage.
#include "avm1/display/ScriptTestUtil.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfFocusHighlight.h"
#include "swf/SwfMovieClip.h"

#include <QPainter>

#include <gtest/gtest.h>

using swfmake::ActionWriter;
using namespace swftest::scripts;
namespace Op = swf::avm1::Op;

namespace {

// Input fields named `names` at script depths 1.. and at the given (x, y).
ActionWriter inputFields(const std::vector<std::tuple<QString, int, int>> &fields)
{
    ActionWriter w;
    int depth = 1;
    for (const auto &[name, x, y] : fields) {
        call(w, "_root", "createTextField", {name, depth++, x, y, 30, 10}).op(Op::Pop);
        setMember(w, name, "type", QStringLiteral("input"));
    }
    return w;
}

QString focusedName(Played &p)
{
    swf::DisplayObject *focused = p.scene.stage.focus().current();
    return focused ? focused->name() : QStringLiteral("none");
}

QStringList tabs(Played &p, int count, bool backwards = false)
{
    QStringList order;
    if (backwards)
        p.scene.stage.keyboard().press(16, 0);
    for (int i = 0; i < count; ++i) {
        p.scene.stage.keyboard().press(9, 0);
        p.scene.stage.keyboard().release(9);
        order << focusedName(p);
    }
    return order;
}

}

TEST(SwfFocus, TabGoesTopToBottomThenLeftToRightAndWrapsAround)
{
    ActionWriter w = inputFields({{"low", 0, 100}, {"right", 80, 10}, {"left", 5, 10}});
    Played p(boxMovie(w));
    EXPECT_EQ(tabs(p, 4), QStringList({"left", "right", "low", "left"}));
    EXPECT_EQ(tabs(p, 2, true), QStringList({"low", "right"})) << "Shift-Tab goes back";
}

TEST(SwfFocus, TabIndexOrdersOnlyTheObjectsThatHaveOne)
{
    ActionWriter w = inputFields({{"a", 0, 0}, {"b", 0, 50}, {"c", 0, 100}});
    setMember(w, "c", "tabIndex", 1);
    setMember(w, "a", "tabIndex", 2);
    Played p(boxMovie(w));
    EXPECT_EQ(tabs(p, 3), QStringList({"c", "a", "c"}));
}

TEST(SwfFocus, TheFocusLeavesARemovedObjectAndTheListenersHear)
{
    ActionWriter body;
    body.push({QStringLiteral("focus: ")}).getVariable("newFocus").op(Op::Add2).op(Op::Trace);
    ActionWriter w = inputFields({{"a", 0, 0}});
    w.push({QStringLiteral("listener"), 0}).op(Op::InitObject).op(Op::SetVariable);
    get(w, "listener").push({QStringLiteral("onSetFocus")}).defineFunction(QString(), {"oldFocus", "newFocus"}, body);
    w.op(Op::SetMember);
    w.getVariable("listener").push({1});
    get(w, "Selection").push({QStringLiteral("addListener")}).op(Op::CallMethod).op(Op::Pop);
    call(w, "Selection", "setFocus", {QStringLiteral("a")}).op(Op::Pop);
    call(w, "a", "removeTextField").op(Op::Pop);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"focus: _level0.a", "focus: null"}));
    EXPECT_EQ(focusedName(p), "none");
}

TEST(SwfFocus, TabShowsTheYellowRectangleInsideTheClipUntilTheMouseOrItsFocusrectHidesIt)
{
    ActionWriter w;
    setMember(w, "clip", "tabEnabled", true);
    Played p(boxMovie(w));
    swf::Focus &focus = p.scene.stage.focus();
    auto yellowPixels = [&] {
        QImage image(60, 60, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        swf::paintFocusHighlight(painter, p.scene.stage, QTransform::fromScale(1.0 / 20, 1.0 / 20));
        painter.end();
        return std::pair(swftest::countColor(image, QRect(0, 0, 60, 60), QColor(255, 255, 0)),
                         swftest::countColor(image, QRect(13, 13, 14, 4), QColor(255, 255, 0)));
    };
    EXPECT_EQ(yellowPixels().first, 0) << "nothing focused";
    tabs(p, 1);
    ASSERT_EQ(focusedName(p), "clip");
    // The 20 x 10 box at (10, 10): three pixels wide inside its bounds.
    EXPECT_EQ(yellowPixels(), std::pair(20 * 10 - 14 * 4, 0));
    focus.hideHighlight();
    EXPECT_EQ(yellowPixels().first, 0) << "the mouse hid it";
    focus.set(p.scene.stage.focus().current());
    EXPECT_GT(yellowPixels().first, 0) << "a script focusing shows it again";
    focus.setRectsShown(false);
    focus.set(nullptr);
    tabs(p, 1);
    EXPECT_EQ(yellowPixels().first, 0) << "the movie's _focusrect is off";
    focus.current()->setFocusRect(true);
    focus.set(nullptr);
    tabs(p, 1);
    EXPECT_GT(yellowPixels().first, 0) << "the clip's own _focusrect wins";
}

TEST(SwfFocus, FocusrectPropertiesAndHidingTheFocusedObject)
{
    ActionWriter w;
    auto show = [&](const QString &path) { traceMember(w, path, "_focusrect"); };
    show("_root");
    show("clip");
    setMember(w, "clip", "_focusrect", 0);
    show("clip");
    setMember(w, "_root", "_focusrect", QStringLiteral("test")); // not a number: kept
    show("_root");
    setMember(w, "_root", "_focusrect", QStringLiteral("false"));
    show("_root");
    setMember(w, "_root", "_focusrect", 2);
    show("_root");
    setMember(w, "clip", "_focusrect", ActionWriter::Null{});
    show("clip");
    call(w, "Selection", "setFocus", {QStringLiteral("clip")}).op(Op::Pop);
    setMember(w, "clip", "_visible", false);
    call(w, "Selection", "getFocus").op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"true", "null", "false", "true", "false", "true", "null", "null"}));
}

TEST(SwfFocus, TabSelectsAllOfAFieldEvenWhenItHadTheFocus)
{
    ActionWriter w = inputFields({{"only", 0, 0}});
    setMember(w, "only", "text", QStringLiteral("text"));
    Played p(boxMovie(w));
    tabs(p, 1);
    auto &field = static_cast<swf::EditTextObject *>(p.scene.stage.focus().current())->textField();
    EXPECT_EQ(std::pair(field.selectionBegin(), field.selectionEnd()), std::pair(0, 4));
    field.setSelection(1, 1);
    tabs(p, 1);
    EXPECT_EQ(std::pair(field.selectionBegin(), field.selectionEnd()), std::pair(0, 4));
}
