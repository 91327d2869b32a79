// The built-ins reached by their numbers: ASnative, ASconstructor,
// ASSetNative and ASSetNativeAccessor.
#include "../ScriptTestHost.h"

#include <gtest/gtest.h>

using namespace scripttest;

namespace {

// function(object, category, names): ASSetNative or ASSetNativeAccessor.
W setNatives(const QString &function, const QString &object, int category, const QString &names)
{
    W w;
    w.push({names, category}).getVariable(object).push({3, function}).op(Op::CallFunction).op(Op::Pop);
    return w;
}

W traceMember(const QString &object, const QString &member)
{
    W w;
    w.getVariable(object).push({member}).op(Op::GetMember).op(Op::Trace);
    return w;
}

W newObject(const QString &name)
{
    W w;
    w.push({name, 0}).op(Op::InitObject).op(Op::SetVariable);
    return w;
}

}

TEST(NativeNumbers, ReachTheBuiltInsOfEachClass)
{
    Machine m;
    EXPECT_EQ(m.run(callAndTrace(QString(), QStringLiteral("ASnative"), {200, 0})), QStringList({"[type Function]"}));
    W w;
    w.push({QStringLiteral("abs"), 0, 200, 2, QStringLiteral("ASnative")}).op(Op::CallFunction).op(Op::SetVariable);
    w.push({QStringLiteral("none"), 0, 99999, 2, QStringLiteral("ASnative")}).op(Op::CallFunction).op(Op::SetVariable);
    m.run(w);
    EXPECT_EQ(result(m, QString(), QStringLiteral("abs"), {-4}), "4");
    // String methods work on any object, by its string.
    W up = newObject(QStringLiteral("o"));
    up.bytes(setNatives(QStringLiteral("ASSetNative"), QStringLiteral("o"), 251, QStringLiteral(",,,up")).body());
    m.run(up);
    EXPECT_EQ(result(m, QStringLiteral("o"), QStringLiteral("up")), "[OBJECT OBJECT]");
    // The older case changes leave all but ASCII letters alone.
    W older;
    older.push({QStringLiteral("p"), QStringLiteral("äb"), 1, QStringLiteral("String")}).op(Op::NewObject);
    older.op(Op::SetVariable);
    older.bytes(setNatives(QStringLiteral("ASSetNative"), QStringLiteral("p"), 102, QStringLiteral("up")).body());
    m.run(older);
    EXPECT_EQ(result(m, QStringLiteral("p"), QStringLiteral("up")), "äB");
    EXPECT_EQ(m.run(callAndTrace(QString(), QStringLiteral("none"), {})), QStringList({"undefined"}));
}

TEST(NativeNumbers, SetNativeNamesWithVersionsAndKeepsExistingFlags)
{
    Machine m(7);
    W w = newObject(QStringLiteral("o"));
    // "hidden" already exists and keeps its flags; "8late" is for SWF 8 on.
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("kept"), 1}).op(Op::SetMember);
    w.bytes(setNatives(QStringLiteral("ASSetNative"), QStringLiteral("o"), 200, QStringLiteral("1abs,,8late,8kept,2odd")).body());
    m.run(w);
    W call;
    call.push({-3, 1}).getVariable(QStringLiteral("o")).push({QStringLiteral("abs")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m.run(call), QStringList({"3"}));
    W list;
    list.bytes(traceMember(QStringLiteral("o"), QStringLiteral("late")).body());
    list.bytes(traceMember(QStringLiteral("o"), QStringLiteral("kept")).body());
    list.bytes(traceMember(QStringLiteral("o"), QStringLiteral("2odd")).body());
    EXPECT_EQ(m.run(list), QStringList({"undefined", "[type Function]", "[type Function]"}));
}

TEST(NativeNumbers, AccessorsTakeTwoNumbersEach)
{
    Machine m;
    W w = newObject(QStringLiteral("o"));
    // Position 1 gets getter 2 (max) and setter 3 (sin); position 0 is empty.
    w.bytes(setNatives(QStringLiteral("ASSetNativeAccessor"), QStringLiteral("o"), 200, QStringLiteral(",big")).body());
    w.bytes(traceMember(QStringLiteral("o"), QStringLiteral("big")).body());
    EXPECT_EQ(m.run(w), QStringList({"-Infinity"}));
}

TEST(NativeNumbers, ConstructorsHaveAPrototypeOfTheirOwn)
{
    Machine m;
    W w;
    w.push({QStringLiteral("N"), 2, 106, 2, QStringLiteral("ASconstructor")}).op(Op::CallFunction).op(Op::SetVariable);
    w.push({QStringLiteral("p")}).getVariable(QStringLiteral("N")).push({QStringLiteral("prototype")});
    w.op(Op::GetMember).op(Op::SetVariable);
    w.bytes(setNatives(QStringLiteral("ASSetNative"), QStringLiteral("p"), 106, QStringLiteral("valueOf,toString")).body());
    w.push({QStringLiteral("n"), 6, 1, QStringLiteral("N")}).op(Op::NewObject).op(Op::SetVariable);
    w.push({0}).getVariable(QStringLiteral("n")).push({QStringLiteral("toString")}).op(Op::CallMethod).op(Op::Trace);
    w.getVariable(QStringLiteral("n")).getVariable(QStringLiteral("Number")).op(Op::InstanceOf).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"6", "false"}));
}
