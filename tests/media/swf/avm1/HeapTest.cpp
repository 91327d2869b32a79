// The collector frees what scripts can no longer reach and keeps what they
// can (variables, closures, pinned objects), and the heap's bound ends a
// movie that allocates without end.
#include "ScriptTestHost.h"

#include <gtest/gtest.h>

using namespace scripttest;

namespace {

// for (i = 0; i < count; i++) { new Object(); }
W allocate(int count, bool keep)
{
    W w;
    auto top = w.label(), done = w.label();
    w.setVariable(QStringLiteral("i"), 0);
    w.bind(top);
    w.getVariable(QStringLiteral("i")).push({count}).op(Op::Less2).op(Op::Not).ifTrue(done);
    if (keep)
        w.getVariable(QStringLiteral("keep")).getVariable(QStringLiteral("i"));
    w.push({0, QStringLiteral("Object")}).op(Op::NewObject);
    if (keep)
        w.op(Op::SetMember);
    else
        w.op(Op::Pop);
    w.push({QStringLiteral("i")}).getVariable(QStringLiteral("i")).op(Op::Increment).op(Op::SetVariable);
    w.jump(top);
    w.bind(done);
    return w;
}

}

TEST(Heap, FreesWhatScriptsCannotReach)
{
    Machine m;
    m.run(allocate(100000, false));
    m.vm.heap.collect();
    EXPECT_LT(m.vm.heap.cellCount(), 20000u);
    EXPECT_GT(m.vm.heap.collections(), 1u);
}

TEST(Heap, KeepsWhatScriptsReach)
{
    Machine m;
    W setup;
    setup.push({QStringLiteral("keep"), 0}).op(Op::InitObject).op(Op::SetVariable);
    W counter;
    counter.getVariable(QStringLiteral("secret")).op(Op::Return);
    W maker;
    maker.push({QStringLiteral("secret"), QStringLiteral("kept")}).op(Op::DefineLocal);
    maker.defineFunction(QString(), {}, counter).op(Op::Return);
    setup.defineFunction(QStringLiteral("maker"), {}, maker);
    setup.push({QStringLiteral("get"), 0, QStringLiteral("maker")}).op(Op::CallFunction).op(Op::SetVariable);
    m.run(setup);
    m.run(allocate(200000, true));
    m.vm.heap.collect();
    W check;
    check.push({0, QStringLiteral("get")}).op(Op::CallFunction).op(Op::Trace);
    check.getVariable(QStringLiteral("keep")).push({QStringLiteral("49999")}).op(Op::GetMember).op(Op::TypeOf);
    check.op(Op::Trace);
    EXPECT_EQ(m.run(check), QStringList({"kept", "object"}));
}

TEST(Heap, KeepsPinnedObjects)
{
    Machine m;
    Object *o = m.vm.newObject();
    o->put(m.vm.name(QStringLiteral("x")), m.vm.string(QStringLiteral("still here")));
    Pinned<Object> pin(o);
    m.vm.heap.collect();
    Context cx(m.vm, 8, nullptr);
    EXPECT_EQ(o->get(cx, m.vm.name(QStringLiteral("x"))).string()->text(), "still here");
}

TEST(Heap, EndsAMovieThatKeepsAllocating)
{
    Machine m;
    m.vm.heap.setLimits(200000, size_t(1) << 30);
    W w;
    w.push({QStringLiteral("keep"), 0}).op(Op::InitObject).op(Op::SetVariable);
    m.run(w);
    m.run(allocate(1000000, true));
    EXPECT_TRUE(m.vm.disabled());
    EXPECT_EQ(m.host.warnings.size(), 1);
    W later;
    later.trace(QStringLiteral("scripts are off"));
    EXPECT_EQ(m.run(later), QStringList());
}

// With the heap an object short of its bound (an object is two cells: the
// one on the stack and the next one do not fit) every new object collects: the
// clock is read after each collection, so the time limit ends the script
// after a few of them, not after hundreds.
TEST(Heap, TimeLimitHoldsWhileEachSafePointCollects)
{
    Machine m;
    W w;
    w.push({QStringLiteral("keep"), 0}).op(Op::InitObject).op(Op::SetVariable);
    m.run(w);
    m.run(allocate(200000, true));
    m.vm.heap.collect();
    m.vm.heap.setLimits(m.vm.heap.cellCount() + 3, size_t(1) << 30);
    m.vm.setTimeLimit(50);
    size_t before = m.vm.heap.collections();
    m.run(allocate(100000000, false));
    EXPECT_FALSE(m.vm.disabled());
    EXPECT_EQ(m.host.warnings.size(), 1);
    EXPECT_LE(m.vm.heap.collections() - before, 10u);
}

// s = "x"; then s = s + s, again and again, with no loop: the bound must stop
// the doubling at the action that passes it.
TEST(Heap, EndsAStraightRunOfGrowingStrings)
{
    Machine m;
    m.vm.heap.setLimits(200000, size_t(8) << 20);
    W w = doubledString(40);
    w.trace(QStringLiteral("still running"));
    EXPECT_EQ(m.run(w), QStringList());
    EXPECT_TRUE(m.vm.disabled());
    EXPECT_EQ(m.host.warnings.size(), 1);
}
