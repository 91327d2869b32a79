// Where names resolve: with, var inside with, DefineLocal2, special names,
// paths with slashes, dots and colons, tellTarget, and __resolve.
#include "ScriptTestHost.h"

#include <gtest/gtest.h>

using namespace scripttest;
using U = W::Undefined;
using N = W::Null;

TEST(Scopes, VarInsideWithWritesTheObjectOnlyWhenItHasTheProperty)
{
    Machine m;
    W inside;
    inside.push({QStringLiteral("b"), 10}).op(Op::DefineLocal); // m has b
    inside.push({QStringLiteral("c"), 10}).op(Op::DefineLocal); // m has no c
    W w;
    w.push({QStringLiteral("m"), QStringLiteral("b"), 20, 1}).op(Op::InitObject).op(Op::SetVariable);
    w.getVariable(QStringLiteral("m")).with(inside);
    w.getVariable(QStringLiteral("m")).push({QStringLiteral("b")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("m")).push({QStringLiteral("c")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("c")).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"10", "undefined", "10"}));
}

TEST(Scopes, WithObjectsKeepInheritedVariablesOutAndAreThisForTheirFunctions)
{
    Machine m;
    W body;
    body.push({QStringLiteral("this")}).op(Op::GetVariable).push({QStringLiteral("name")}).op(Op::GetMember);
    body.op(Op::Return);
    W inside;
    inside.setVariable(QStringLiteral("inherited"), 2); // only on the prototype: a timeline variable
    inside.push({0, QStringLiteral("named")}).op(Op::CallFunction).op(Op::Trace);
    W w;
    w.push({QStringLiteral("proto"), QStringLiteral("inherited"), 1, 1}).op(Op::InitObject).op(Op::SetVariable);
    w.push({QStringLiteral("o"), QStringLiteral("name"), QStringLiteral("o"), QStringLiteral("named")});
    w.defineFunction(QString(), {}, body).push({2}).op(Op::InitObject).op(Op::SetVariable);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("__proto__")}).getVariable(QStringLiteral("proto"));
    w.op(Op::SetMember);
    w.getVariable(QStringLiteral("o")).with(inside);
    w.getVariable(QStringLiteral("proto")).push({QStringLiteral("inherited")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("inherited")).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"o", "1", "2"}));
}

TEST(Scopes, DefineLocal2KeepsWhatTheChainDefines)
{
    Machine m;
    W w;
    w.setVariable(QStringLiteral("kept"), 1);
    w.push({QStringLiteral("kept")}).op(Op::DefineLocal2);
    w.push({QStringLiteral("fresh")}).op(Op::DefineLocal2);
    w.getVariable(QStringLiteral("kept")).op(Op::Trace);
    w.push({QStringLiteral("fresh"), 1, QStringLiteral("this")}).op(Op::GetVariable);
    w.push({QStringLiteral("hasOwnProperty")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"1", "true"}));
}

TEST(Scopes, FunctionVariablesStayInTheActivation)
{
    Machine m;
    // function f() { var local = 1; global = 2; }
    W body;
    body.push({QStringLiteral("local"), 1}).op(Op::DefineLocal);
    body.setVariable(QStringLiteral("timeline"), 2);
    W w;
    w.defineFunction(QStringLiteral("f"), {}, body);
    w.push({0, QStringLiteral("f")}).op(Op::CallFunction).op(Op::Pop);
    w.getVariable(QStringLiteral("local")).op(Op::Trace);
    w.getVariable(QStringLiteral("timeline")).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"undefined", "2"}));
}

TEST(Scopes, ReadGlobalsAfterTheChainAndSpecialNamesFirst)
{
    Machine m6(6), m5(5);
    W w;
    w.getVariable(QStringLiteral("_global")).push({QStringLiteral("g"), QStringLiteral("from global")});
    w.op(Op::SetMember);
    w.getVariable(QStringLiteral("g")).op(Op::Trace);
    w.setVariable(QStringLiteral("g"), QStringLiteral("timeline")); // shadows, _global keeps its own
    w.getVariable(QStringLiteral("g")).op(Op::Trace);
    w.getVariable(QStringLiteral("_global.g")).op(Op::Trace);
    w.getVariable(QStringLiteral("_level0")).op(Op::Trace);
    w.getVariable(QStringLiteral("_level7")).op(Op::Trace);
    EXPECT_EQ(m6.run(w), QStringList({"from global", "timeline", "from global", "_level0", "undefined"}));
    // Before SWF 6 there is no _global.
    EXPECT_EQ(m5.run(w).value(0), "undefined");
}

TEST(Scopes, PathsNameClipsAndTheirVariables)
{
    Machine m;
    Object *a = m.host.addClip(QStringLiteral("a"));
    Object *b = m.host.addClip(QStringLiteral("b"), a);
    (void)b;
    W w;
    w.setVariable(QStringLiteral("a/b:x"), 1);
    w.setVariable(QStringLiteral("/a:y"), 2);
    w.getVariable(QStringLiteral("_root.a.b.x")).op(Op::Trace);
    w.getVariable(QStringLiteral("a:y")).op(Op::Trace);
    w.getVariable(QStringLiteral("/a/b/../:y")).op(Op::Trace);
    w.getVariable(QStringLiteral("a.b._parent.y")).op(Op::Trace);
    w.getVariable(QStringLiteral("/nothing/here:x")).op(Op::Trace);
    w.push({QStringLiteral("a/b")}).op(Op::GetVariable).op(Op::TargetPath).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"1", "2", "2", "2", "undefined", "_level0.a.b"}));
}

TEST(Scopes, TellTargetChangesWhereNamesAndActionsGo)
{
    Machine m;
    Object *a = m.host.addClip(QStringLiteral("a"));
    m.host.addClip(QStringLiteral("b"), a);
    W w;
    w.setTarget(QStringLiteral("a"));
    w.op(Op::Stop);
    w.setTarget(QStringLiteral("b")); // relative to the frame's own clip: no b there
    w.op(Op::Play);
    w.setTarget(QStringLiteral("a/b")).op(Op::Play);
    w.setTarget(QString()).op(Op::NextFrame);
    w.push({QStringLiteral("/a")}).op(Op::SetTarget2).op(Op::PrevFrame);
    m.run(w);
    EXPECT_EQ(m.host.actions, QStringList({"a:stop", "b:play", ":next", "a:prev"}));
}

TEST(Scopes, TellTargetMovesVariablesButNotThis)
{
    Machine m;
    Object *a = m.host.addClip(QStringLiteral("a"));
    W w;
    w.setVariable(QStringLiteral("v"), QStringLiteral("root"));
    w.setTarget(QStringLiteral("a"));
    w.setVariable(QStringLiteral("v"), QStringLiteral("in a"));
    w.getVariable(QStringLiteral("v")).op(Op::Trace);
    w.getVariable(QStringLiteral("this")).op(Op::TargetPath).op(Op::Trace);
    w.setTarget(QString());
    w.getVariable(QStringLiteral("v")).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"in a", "_level0", "root"}));
    Context cx(m.vm, 8, nullptr);
    EXPECT_EQ(a->get(cx, m.vm.name(QStringLiteral("v"))).string()->text(), "in a");
}

TEST(Scopes, ResolveCatchesMissingNames)
{
    Machine m;
    // o.__resolve = function(name) { return "no " + name; }
    W resolver;
    resolver.push({QStringLiteral("no ")}).getVariable(QStringLiteral("name")).op(Op::Add2).op(Op::Return);
    W w;
    w.push({QStringLiteral("o"), QStringLiteral("there"), 1, 1}).op(Op::InitObject).op(Op::SetVariable);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("__resolve")});
    w.defineFunction(QString(), {QStringLiteral("name")}, resolver).op(Op::SetMember);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("there")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("missing")}).op(Op::GetMember).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"1", "no missing"}));
    // p = {__proto__: o}: a number as p's own __resolve is passed over for
    // o's; an object that is no function answers undefined.
    W child;
    child.push({QStringLiteral("p"), QStringLiteral("__proto__")}).getVariable(QStringLiteral("o"));
    child.push({1}).op(Op::InitObject).op(Op::SetVariable);
    child.getVariable(QStringLiteral("p")).push({QStringLiteral("__resolve"), 42}).op(Op::SetMember);
    child.getVariable(QStringLiteral("p")).push({QStringLiteral("x")}).op(Op::GetMember).op(Op::Trace);
    child.getVariable(QStringLiteral("p")).push({QStringLiteral("__resolve"), 0}).op(Op::InitObject);
    child.op(Op::SetMember);
    child.getVariable(QStringLiteral("p")).push({QStringLiteral("x")}).op(Op::GetMember).op(Op::Trace);
    EXPECT_EQ(m.run(child), QStringList({"no x", "undefined"}));
}

TEST(Scopes, NamesFoldOnlyTheOldUnicodeCases)
{
    Machine m6(6);
    W w;
    w.setVariable(QStringLiteral("Ǳ"), QStringLiteral("paired")); // U+01F1, Unicode 1.1
    w.getVariable(QStringLiteral("ǳ")).op(Op::Trace);
    w.setVariable(QStringLiteral("Ⱥ"), QStringLiteral("unpaired")); // U+023A, Unicode 5.0
    w.getVariable(QStringLiteral("ⱥ")).op(Op::Trace);
    EXPECT_EQ(m6.run(w), QStringList({"paired", "undefined"}));
}

TEST(Scopes, WithUndefinedOrNullSkipsItsBlock)
{
    Machine m;
    W inside;
    inside.trace(QStringLiteral("inside"));
    W w;
    w.push({U{}}).with(inside).push({N{}}).with(inside).trace(QStringLiteral("after"));
    EXPECT_EQ(m.run(w), QStringList({"after"}));
}

TEST(Scopes, WithNestsThirteenDeepAndSkipsDeeperBlocks)
{
    // Fourteen nested with({}) blocks, each tracing its depth on entry.
    W block;
    for (int depth = 14; depth >= 1; --depth) {
        W outer;
        outer.trace(QString::number(depth));
        if (depth < 14)
            outer.push({0}).op(Op::InitObject).with(block);
        block = outer;
    }
    W w;
    w.push({0}).op(Op::InitObject).with(block).trace(QStringLiteral("after"));
    QStringList expected;
    for (int depth = 1; depth <= 13; ++depth)
        expected << QString::number(depth);
    expected << QStringLiteral("after");
    Machine m;
    EXPECT_EQ(m.run(w), expected);
}

TEST(Scopes, DotPathsReadFromTheNextScopeWhereTheyLeadNowhere)
{
    Machine m6(6);
    // _global.a.b.c = "global"; the timeline's a.b is a string, then an
    // object without c: a.b.c reads _global's both times.
    W w;
    w.getVariable(QStringLiteral("_global")).push({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    w.push({QStringLiteral("global"), 1}).op(Op::InitObject).push({1}).op(Op::InitObject).op(Op::SetMember);
    w.push({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("text"), 1}).op(Op::InitObject);
    w.op(Op::SetVariable);
    w.getVariable(QStringLiteral("a.b.c")).op(Op::Trace);
    w.getVariable(QStringLiteral("a.b")).op(Op::Trace);
    w.getVariable(QStringLiteral("_root:a:b")).op(Op::Trace); // colons in the first part
    w.push({QStringLiteral("a"), QStringLiteral("b"), 0}).op(Op::InitObject).push({1}).op(Op::InitObject);
    w.op(Op::SetVariable);
    w.getVariable(QStringLiteral("a.b.c")).op(Op::Trace);
    EXPECT_EQ(m6.run(w), QStringList({"global", "text", "text", "global"}));
}

TEST(Timers, RunWhenTheirTimeComes)
{
    Machine m;
    W tick;
    tick.getVariable(QStringLiteral("what")).op(Op::Trace);
    W w;
    w.defineFunction(QStringLiteral("tick"), {QStringLiteral("what")}, tick);
    w.push({QStringLiteral("every"), QStringLiteral("interval"), 100}).getVariable(QStringLiteral("tick"));
    w.push({3, QStringLiteral("setInterval")}).op(Op::CallFunction).op(Op::SetVariable);
    w.push({QStringLiteral("timeout"), 150}).getVariable(QStringLiteral("tick"));
    w.push({3, QStringLiteral("setTimeout")}).op(Op::CallFunction).op(Op::Trace);
    w.push({U{}}).getVariable(QStringLiteral("tick"));
    w.push({2, QStringLiteral("setInterval")}).op(Op::CallFunction).op(Op::Trace); // no interval: refused
    m.run(w);
    EXPECT_EQ(m.host.lines, QStringList({"2", "undefined"}));
    m.host.lines.clear();
    m.vm.runTimers(99);
    EXPECT_TRUE(m.host.lines.isEmpty());
    m.vm.runTimers(100);
    m.vm.runTimers(150);
    m.vm.runTimers(200);
    EXPECT_EQ(m.host.lines, QStringList({"interval", "timeout", "interval"}));
    W stop;
    stop.getVariable(QStringLiteral("every")).push({1, QStringLiteral("clearInterval")}).op(Op::CallFunction);
    m.run(stop);
    m.host.lines.clear();
    m.vm.runTimers(1000);
    EXPECT_TRUE(m.host.lines.isEmpty());
}
