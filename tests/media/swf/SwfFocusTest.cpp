// Keyboard focus on the stage: Tab moving it in automatic and custom order,
// and the focus leaving an object that leaves the stage.
#include "avm1/display/ScriptTestUtil.h"
#include "swf/SwfMovieClip.h"

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
