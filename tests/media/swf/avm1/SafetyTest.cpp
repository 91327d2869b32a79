// Bad and hostile scripts: endless loops, deep recursion, malformed action
// records and stack underflow end the script or are handled, and the
// movie's next scripts still run.
#include "ScriptTestHost.h"

#include <gtest/gtest.h>

using namespace scripttest;

TEST(Safety, StopsAnEndlessLoopAndRunsLaterBlocks)
{
    Machine m;
    m.vm.setTimeLimit(200);
    W w;
    auto top = w.label();
    w.trace(QStringLiteral("start"));
    w.bind(top).jump(top);
    EXPECT_EQ(m.run(w), QStringList({"start"}));
    EXPECT_EQ(m.host.warnings.size(), 1);
    W next;
    next.trace(QStringLiteral("next"));
    EXPECT_EQ(m.run(next), QStringList({"next"}));
}

// trace(name + " start"); t0 = getTimer(); while (getTimer() - t0 < ms) {} trace(name + " end")
static W busyFor(const QString &name, int ms)
{
    W w;
    w.trace(name + QStringLiteral(" start"));
    w.push({QStringLiteral("t0")}).op(Op::GetTime).op(Op::SetVariable);
    auto top = w.label();
    w.bind(top).op(Op::GetTime).getVariable(QStringLiteral("t0")).op(Op::Subtract).push({ms}).op(Op::Less2).ifTrue(top);
    w.trace(name + QStringLiteral(" end"));
    return w;
}

// A frame of many blocks must not take the time limit once per block.
TEST(Safety, BlocksOfOneTurnShareOneTimeLimit)
{
    Machine m;
    m.vm.setTimeLimit(1000);
    m.vm.beginTurn();
    EXPECT_EQ(m.run(busyFor(QStringLiteral("a"), 700)), QStringList({"a start", "a end"}));
    EXPECT_EQ(m.run(busyFor(QStringLiteral("b"), 700)), QStringList({"b start"}));
    m.vm.endTurn();
    EXPECT_EQ(m.host.warnings.size(), 1);
}

TEST(Safety, ATurnOutOfTimeSkipsItsOtherScriptsAndTheNextTurnRunsThem)
{
    Machine m;
    m.vm.setTimeLimit(100);
    W endless;
    auto top = endless.label();
    endless.bind(top).jump(top);
    W next;
    next.trace(QStringLiteral("next"));
    m.vm.beginTurn();
    m.run(endless);
    EXPECT_EQ(m.run(next), QStringList());
    m.vm.beginTurn(); // a nested turn is part of the outer one
    EXPECT_EQ(m.run(next), QStringList());
    m.vm.endTurn();
    m.vm.endTurn();
    EXPECT_EQ(m.host.warnings.size(), 1);
    m.vm.beginTurn();
    EXPECT_EQ(m.run(next), QStringList({"next"}));
    m.vm.endTurn();
    EXPECT_EQ(m.run(next), QStringList({"next"}));
}

// s holds 4M characters; for (i = 0; i < 1000; i++) t = s + "x"; copies
// 8 GB in fewer loops than the clock is otherwise read after.
TEST(Safety, StopsALoopThatCopiesALargeStringInTime)
{
    Machine m;
    m.vm.setTimeLimit(100);
    W w = doubledString(22);
    w.trace(QStringLiteral("built"));
    auto top = w.label(), done = w.label();
    w.setVariable(QStringLiteral("i"), 0);
    w.bind(top);
    w.getVariable(QStringLiteral("i")).push({1000}).op(Op::Less2).op(Op::Not).ifTrue(done);
    w.push({QStringLiteral("t")}).getVariable(QStringLiteral("s")).push({QStringLiteral("x")}).op(Op::Add2)
        .op(Op::SetVariable);
    w.push({QStringLiteral("i")}).getVariable(QStringLiteral("i")).op(Op::Increment).op(Op::SetVariable);
    w.jump(top);
    w.bind(done);
    w.trace(QStringLiteral("copied"));
    EXPECT_EQ(m.run(w), QStringList({"built"}));
    EXPECT_EQ(m.host.warnings.size(), 1);
}

TEST(Safety, StopsRecursionAt256Levels)
{
    Machine m;
    // function f(n) { trace(n); f(n + 1); }
    W body;
    body.getVariable(QStringLiteral("n")).op(Op::Trace);
    body.getVariable(QStringLiteral("n")).op(Op::Increment).push({1, QStringLiteral("f")}).op(Op::CallFunction);
    W w;
    w.defineFunction(QStringLiteral("f"), {QStringLiteral("n")}, body);
    w.push({1, 1, QStringLiteral("f")}).op(Op::CallFunction);
    w.trace(QStringLiteral("not reached"));
    QStringList lines = m.run(w);
    EXPECT_EQ(lines.size(), 256);
    EXPECT_EQ(lines.last(), "256");
    EXPECT_EQ(m.host.warnings.size(), 1);
}

TEST(Safety, TreatsAnEmptyStackAsUndefined)
{
    Machine m;
    W w;
    w.op(Op::Add2).op(Op::Trace).op(Op::Pop).op(Op::Pop).op(Op::GetMember).op(Op::Trace);
    w.push({5, QStringLiteral("f")}).op(Op::CallFunction).op(Op::Trace); // five arguments missing
    EXPECT_EQ(m.run(w), QStringList({"NaN", "undefined", "undefined"}));
}

TEST(Safety, EndsAtTruncatedRecords)
{
    Machine m;
    W whole;
    whole.trace(QStringLiteral("ok"));
    QByteArray block = whole.body();
    // A Push whose stated length runs past the block.
    EXPECT_EQ(m.runBytes(block + QByteArray::fromHex("960a00")), QStringList({"ok"}));
    // A string without its terminating zero.
    EXPECT_EQ(m.runBytes(block + QByteArray::fromHex("96030000616126")), QStringList({"ok"}));
    // A function whose body is longer than the block.
    EXPECT_EQ(m.runBytes(block + QByteArray::fromHex("9b0800660000000000ff7f")), QStringList({"ok"}));
    EXPECT_EQ(m.runBytes(QByteArray()), QStringList());
}

TEST(Safety, EndsTheBlockOnJumpsOutside)
{
    Machine m;
    W w;
    w.trace(QStringLiteral("before"));
    w.raw(Op::Jump, QByteArray::fromHex("0010")); // far past the end
    w.trace(QStringLiteral("not reached"));
    EXPECT_EQ(m.run(w), QStringList({"before"}));
    W back;
    back.trace(QStringLiteral("once"));
    back.raw(Op::Jump, QByteArray::fromHex("00c0")); // before the start
    EXPECT_EQ(m.run(back), QStringList({"once"}));
}

TEST(Safety, DecodesJumpsIntoTheMiddleOfAnAction)
{
    Machine m;
    // Push "&" holds the bytes 26 00: Trace, End. Jumping to the 26 runs them.
    W w;
    w.raw(Op::Jump, QByteArray::fromHex("0400"));
    w.push({QStringLiteral("&")});
    w.trace(QStringLiteral("not reached"));
    EXPECT_EQ(m.run(w), QStringList({"undefined"}));
}

TEST(Safety, StopsAStackThatGrowsWithoutEnd)
{
    Machine m;
    m.vm.setTimeLimit(20000);
    W w;
    auto top = w.label();
    w.bind(top).push({1}).jump(top);
    m.run(w);
    EXPECT_EQ(m.host.warnings.size(), 1);
}

TEST(Safety, WatchersSettingTheirOwnPropertyNestOnlySoDeep)
{
    // o.watch("p", function() { calls++; o.p = 1; }); o.p = 2;
    // SWF 6 does not call the watcher again for its own set; SWF 7 nests
    // a bounded number of calls.
    W watcher;
    watcher.push({QStringLiteral("calls")}).getVariable(QStringLiteral("calls")).op(Op::Increment);
    watcher.op(Op::SetVariable).getVariable(QStringLiteral("o")).push({QStringLiteral("p"), 1}).op(Op::SetMember);
    W w;
    w.setVariable(QStringLiteral("calls"), 0);
    w.push({QStringLiteral("o"), 0}).op(Op::InitObject).op(Op::SetVariable);
    w.defineFunction(QString(), {}, watcher).push({QStringLiteral("p"), 2});
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("watch")}).op(Op::CallMethod).op(Op::Pop);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("p"), 2}).op(Op::SetMember);
    w.getVariable(QStringLiteral("calls")).op(Op::Trace);
    for (auto [version, calls] : {std::pair{6, "1"}, std::pair{8, "65"}}) {
        Machine m(version);
        EXPECT_EQ(m.run(w), QStringList({calls})) << version;
        EXPECT_TRUE(m.host.warnings.isEmpty());
    }
}
