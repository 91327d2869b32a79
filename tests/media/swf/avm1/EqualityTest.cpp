// Equality and ordering as the player compares, by SWF version: NaN equals
// NaN, objects without valueOf or toString equal undefined, SWF 5 compares
// distinct objects by valueOf, and the order in which operands convert.
#include "ScriptTestHost.h"

#include <gtest/gtest.h>

using namespace scripttest;
using U = W::Undefined;
using N = W::Null;

namespace {

// Traces a == b (Equals2) for values made by `left` and `right`.
QStringList compare(Machine &m, const W &left, const W &right, uint8_t op = Op::Equals2)
{
    W w;
    w.bytes(left.body()).bytes(right.body()).op(op).op(Op::Trace);
    return m.run(w);
}

W value(W::PushValue v)
{
    W w;
    w.push({v});
    return w;
}

// new Number(n)
W boxed(int n)
{
    W w;
    w.push({n, 1, QStringLiteral("Number")}).op(Op::NewObject);
    return w;
}

// An object whose valueOf traces `name` and gives 1.
W noisy(const QString &name)
{
    W valueOf;
    valueOf.trace(name).push({1}).op(Op::Return);
    W w;
    w.push({QStringLiteral("valueOf")}).defineFunction(QString(), {}, valueOf).push({1}).op(Op::InitObject);
    return w;
}

W nan()
{
    W w;
    w.push({0, 0}).op(Op::Divide);
    return w;
}

}

TEST(Equality, NaNEqualsItself)
{
    Machine m;
    EXPECT_EQ(compare(m, nan(), nan()), QStringList({"true"}));
    EXPECT_EQ(compare(m, nan(), nan(), Op::StrictEquals), QStringList({"true"}));
    EXPECT_EQ(compare(m, value(QStringLiteral("NaN")), nan()), QStringList({"false"})); // a string turned NaN
}

TEST(Equality, BoxedNumbersCompareByValueOnlyInSwf5)
{
    Machine m5(5), m6(6);
    EXPECT_EQ(compare(m5, boxed(1), boxed(1)), QStringList({"true"}));
    EXPECT_EQ(compare(m6, boxed(1), boxed(1)), QStringList({"false"}));
    EXPECT_EQ(compare(m6, boxed(1), value(1)), QStringList({"true"}));
}

TEST(Equality, ObjectsWithoutMethodsAreUndefined)
{
    Machine m;
    W bare;
    bare.push({0}).op(Op::InitObject).storeRegister(1).push({QStringLiteral("__proto__"), U{}}).op(Op::SetMember);
    bare.push({W::Register{1}});
    EXPECT_EQ(compare(m, bare, value(U{})), QStringList({"true"}));
    EXPECT_EQ(compare(m, bare, value(N{})), QStringList({"true"}));
    W empty;
    empty.push({0}).op(Op::InitObject);
    EXPECT_EQ(compare(m, empty, value(U{})), QStringList({"false"}));
    W text;
    text.bytes(bare.body()).op(Op::ToString).op(Op::Trace);
    EXPECT_EQ(m.run(text), QStringList({"[type Object]"}));
}

TEST(Equality, ConvertsOperandsInThePlayersOrder)
{
    Machine m;
    // Add converts the left operand first, Equals (SWF 4) the right one.
    EXPECT_EQ(compare(m, noisy(QStringLiteral("left")), noisy(QStringLiteral("right")), Op::Add),
              QStringList({"left", "right", "2"}));
    EXPECT_EQ(compare(m, noisy(QStringLiteral("left")), noisy(QStringLiteral("right")), Op::Equals),
              QStringList({"right", "left", "true"}));
}

TEST(Equality, OrdersStringsByCodeAndNumbersByValue)
{
    Machine m;
    EXPECT_EQ(compare(m, value(QStringLiteral("B")), value(QStringLiteral("a")), Op::Less2), QStringList({"true"}));
    EXPECT_EQ(compare(m, value(QStringLiteral("10")), value(9), Op::Less2), QStringList({"false"}));
    EXPECT_EQ(compare(m, value(U{}), value(1), Op::Less2), QStringList({"undefined"}));
    EXPECT_EQ(compare(m, value(QStringLiteral("b")), value(QStringLiteral("a")), Op::StringGreater),
              QStringList({"true"}));
}

TEST(Equality, UnsignedShiftByNothingStaysSignedUpToSwf8)
{
    Machine m;
    EXPECT_EQ(compare(m, value(-3), value(0), Op::BitURShift), QStringList({"-3"}));
    EXPECT_EQ(compare(m, value(-3), value(1), Op::BitURShift), QStringList({"2147483646"}));
    EXPECT_EQ(compare(m, value(1), value(33), Op::BitLShift), QStringList({"2"}));
    Machine m9(9);
    EXPECT_EQ(compare(m9, value(-3), value(0), Op::BitURShift), QStringList({"4294967293"}));
}

TEST(Equality, OrderingStopsAtAnObjectWithoutPrimitive)
{
    Machine m6(6);
    W empty;
    empty.push({0}).op(Op::InitObject);
    // {} < x: the left valueOf gives an object, so x is never converted.
    EXPECT_EQ(compare(m6, empty, noisy(QStringLiteral("right")), Op::Less2), QStringList({"false"}));
    EXPECT_EQ(compare(m6, noisy(QStringLiteral("left")), empty, Op::Less2), QStringList({"left", "false"}));
    // An object without methods orders as undefined: 0 before SWF 7.
    W bare;
    bare.push({0}).op(Op::InitObject).storeRegister(1).push({QStringLiteral("__proto__"), U{}}).op(Op::SetMember);
    bare.push({W::Register{1}});
    EXPECT_EQ(compare(m6, value(true), bare, Op::Greater), QStringList({"true"}));
    EXPECT_EQ(compare(m6, bare, value(-2), Op::Less2), QStringList({"false"}));
}

TEST(Addition, ConvertsAnObjectByValueOfThenByItsString)
{
    Machine m;
    // An object whose toString gives `result`, added to "two".
    auto addTo = [&](W::PushValue result, bool withValueOf) {
        W toString;
        toString.push({result}).op(Op::Return);
        W valueOf;
        valueOf.push({5}).op(Op::Return);
        W w;
        w.push({QStringLiteral("two"), QStringLiteral("toString")}).defineFunction(QString(), {}, toString);
        if (withValueOf)
            w.push({QStringLiteral("valueOf")}).defineFunction(QString(), {}, valueOf);
        w.push({withValueOf ? 2 : 1}).op(Op::InitObject).op(Op::Add2).op(Op::Trace);
        return m.run(w);
    };
    EXPECT_EQ(addTo(QStringLiteral("one"), false), QStringList({"twoone"}));
    EXPECT_EQ(addTo(4, false), QStringList({"two[type Object]"})); // a number is no string
    EXPECT_EQ(addTo(4, true), QStringList({"two5"}));
}

TEST(Addition, CallsTheOwnToStringOnceWhenValueOfGivesAnObject)
{
    // o = {valueOf: function () { calls += "v"; return {}; },
    //      toString: function () { calls += "s"; return {}; }}; trace("" + o)
    auto counting = [](const QString &mark) {
        W body;
        body.push({QStringLiteral("calls")}).getVariable(QStringLiteral("calls"));
        body.push({mark}).op(Op::Add2).op(Op::SetVariable);
        body.push({0}).op(Op::InitObject).op(Op::Return);
        return body;
    };
    W w;
    w.setVariable(QStringLiteral("calls"), QString());
    w.push({QString(), QStringLiteral("valueOf")}).defineFunction(QString(), {}, counting(QStringLiteral("v")));
    w.push({QStringLiteral("toString")}).defineFunction(QString(), {}, counting(QStringLiteral("s")));
    w.push({2}).op(Op::InitObject).op(Op::Add2).op(Op::Trace);
    w.getVariable(QStringLiteral("calls")).op(Op::Trace);
    Machine m;
    EXPECT_EQ(m.run(w), QStringList({"[type Object]", "vs"}));
}

TEST(Addition, AddsAnObjectWithoutPrimitiveAsNaNUnlessAStringIsThere)
{
    // a = {toString: function () { trace("toString"); return "X"; }}
    W toString;
    toString.trace(QStringLiteral("toString")).push({QStringLiteral("X")}).op(Op::Return);
    W w;
    w.push({QStringLiteral("a"), QStringLiteral("toString")}).defineFunction(QString(), {}, toString);
    w.push({1}).op(Op::InitObject).op(Op::SetVariable);
    w.getVariable(QStringLiteral("a")).getVariable(QStringLiteral("a")).op(Op::Add2).op(Op::Trace);
    w.getVariable(QStringLiteral("a")).push({1}).op(Op::Add2).op(Op::Trace);
    w.getVariable(QStringLiteral("a")).push({QStringLiteral("s")}).op(Op::Add2).op(Op::Trace);
    // a == "X": valueOf gives the object, which equals no string.
    w.getVariable(QStringLiteral("a")).push({QStringLiteral("X")}).op(Op::Equals2).op(Op::Trace);
    Machine m;
    EXPECT_EQ(m.run(w), QStringList({"NaN", "NaN", "toString", "Xs", "false"}));
}
