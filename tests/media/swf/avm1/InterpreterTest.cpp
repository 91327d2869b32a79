// The actions of frame scripts: stack, arithmetic, strings, variables,
// registers, constant pools, branches, objects and enumeration.
#include "ScriptTestHost.h"

#include <gtest/gtest.h>

using namespace scripttest;
using U = W::Undefined;
using N = W::Null;
using R = W::Register;
using P = W::Pooled;

TEST(Interpreter, AddsNumbersAndJoinsStrings)
{
    Machine m;
    W w;
    w.push({1.5, 2}).op(Op::Add2).op(Op::Trace);
    w.push({QStringLiteral("1"), 2}).op(Op::Add2).op(Op::Trace);
    w.push({QStringLiteral("1"), 2}).op(Op::Add).op(Op::Trace); // the SWF 4 add is numeric
    w.push({true, U{}}).op(Op::Add2).op(Op::Trace);
    w.push({7, 2}).op(Op::Modulo).op(Op::Trace);
    w.push({1, 0}).op(Op::Divide).op(Op::Trace);
    w.push({-1, 8}).op(Op::BitURShift).op(Op::Trace);
    w.push({5, 1}).op(Op::Subtract).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"3.5", "12", "3", "NaN", "1", "Infinity", "16777215", "4"}));
}

TEST(Interpreter, ComparesAsThePlayerDoes)
{
    Machine m;
    W w;
    w.push({QStringLiteral("10"), QStringLiteral("9")}).op(Op::Less2).op(Op::Trace); // as strings
    w.push({10, QStringLiteral("9")}).op(Op::Less2).op(Op::Trace);                     // as numbers
    w.push({W::Float{1}, QStringLiteral("x")}).op(Op::Less2).op(Op::Trace);            // NaN: undefined
    w.push({N{}, U{}}).op(Op::Equals2).op(Op::Trace);
    w.push({N{}, U{}}).op(Op::StrictEquals).op(Op::Trace);
    w.push({QStringLiteral("1"), 1}).op(Op::Equals2).op(Op::Trace);
    w.push({2, 1}).op(Op::Greater).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"true", "false", "undefined", "true", "false", "true", "true"}));
}

TEST(Interpreter, WritesBooleansAsDigitsInSwf4)
{
    Machine m4(4), m6(6);
    W w;
    w.push({1, 2}).op(Op::Less).op(Op::Trace);
    w.push({1}).op(Op::Not).op(Op::Trace);
    // They are booleans all the same: not strictly equal to a number.
    w.push({1, 1}).op(Op::Equals).op(Op::TypeOf).op(Op::Trace);
    w.push({1, 1}).op(Op::Equals).push({1}).op(Op::StrictEquals).op(Op::Trace);
    EXPECT_EQ(m4.run(w), QStringList({"1", "0", "boolean", "0"}));
    EXPECT_EQ(m6.run(w), QStringList({"true", "false", "boolean", "false"}));
}

TEST(Interpreter, WorksOnStrings)
{
    Machine m;
    W w;
    w.push({QStringLiteral("hello"), 2, 3}).op(Op::StringExtract).op(Op::Trace);
    w.push({QStringLiteral("hello")}).op(Op::StringLength).op(Op::Trace);
    w.push({QStringLiteral("A")}).op(Op::CharToAscii).op(Op::Trace);
    w.push({98}).op(Op::AsciiToChar).op(Op::Trace);
    w.push({QStringLiteral("a"), QStringLiteral("b")}).op(Op::StringAdd).op(Op::Trace);
    w.push({QStringLiteral("a"), QStringLiteral("b")}).op(Op::StringLess).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"ell", "5", "65", "b", "ab", "true"}));
}

TEST(Interpreter, KeepsVariablesOnTheTimeline)
{
    Machine m;
    W w;
    w.setVariable(QStringLiteral("x"), 5);
    w.getVariable(QStringLiteral("x")).op(Op::Trace);
    w.getVariable(QStringLiteral("X")).op(Op::Trace); // names ignore case before SWF 7
    m.run(w);
    EXPECT_EQ(m.host.lines, QStringList({"5", "undefined"}));
    Machine m6(6);
    EXPECT_EQ(m6.run(w), QStringList({"5", "5"}));
}

TEST(Interpreter, ReadsVariablesOfOtherClipsByPath)
{
    Machine m;
    Object *a = m.host.addClip(QStringLiteral("a"));
    m.host.addClip(QStringLiteral("b"), a);
    W w;
    w.setVariable(QStringLiteral("/a/b:v"), 1);
    w.setVariable(QStringLiteral("_root.a.w"), 2);
    w.getVariable(QStringLiteral("a.b.v")).op(Op::Trace);
    w.getVariable(QStringLiteral("/a:w")).op(Op::Trace);
    w.push({QStringLiteral("/a/b")}).op(Op::GetVariable).op(Op::TargetPath).op(Op::Trace);
    w.push({QStringLiteral("a")}).op(Op::GetVariable).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"1", "2", "_level0.a.b", "_level0.a"}));
}

TEST(Interpreter, UsesRegistersAndConstantPools)
{
    Machine m;
    W w;
    w.constantPool({QStringLiteral("first"), QStringLiteral("second")});
    w.push({P{1}}).storeRegister(2).op(Op::Pop);
    w.push({R{2}}).op(Op::Trace);
    w.push({P{0}}).op(Op::Trace);
    w.push({P{9}}).op(Op::Trace);  // past the pool: undefined
    w.push({R{30}}).op(Op::Trace); // past the registers: undefined
    EXPECT_EQ(m.run(w), QStringList({"second", "first", "undefined", "undefined"}));
}

TEST(Interpreter, LoopsWithBranches)
{
    Machine m;
    W w;
    auto top = w.label(), done = w.label();
    w.setVariable(QStringLiteral("i"), 0);
    w.bind(top);
    w.getVariable(QStringLiteral("i")).push({3}).op(Op::Less2).op(Op::Not).ifTrue(done);
    w.getVariable(QStringLiteral("i")).op(Op::Trace);
    w.push({QStringLiteral("i")}).getVariable(QStringLiteral("i")).op(Op::Increment).op(Op::SetVariable);
    w.jump(top);
    w.bind(done);
    w.trace(QStringLiteral("done"));
    EXPECT_EQ(m.run(w), QStringList({"0", "1", "2", "done"}));
}

TEST(Interpreter, MakesObjectsAndArrays)
{
    Machine m;
    W w;
    w.push({QStringLiteral("o"), QStringLiteral("a"), 1, QStringLiteral("b"), QStringLiteral("x"), 2})
        .op(Op::InitObject)
        .op(Op::SetVariable);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("b")}).op(Op::GetMember).op(Op::Trace);
    w.push({QStringLiteral("arr"), 3, 2, 1, 3}).op(Op::InitArray).op(Op::SetVariable);
    w.getVariable(QStringLiteral("arr")).op(Op::Trace);
    w.getVariable(QStringLiteral("arr")).push({QStringLiteral("length")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("arr")).push({5, QStringLiteral("z")}).op(Op::SetMember);
    w.getVariable(QStringLiteral("arr")).op(Op::Trace);
    w.getVariable(QStringLiteral("o")).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"x", "1,2,3", "3", "1,2,3,undefined,undefined,z", "[object Object]"}));
}

TEST(Interpreter, EnumeratesTheDeepestPrototypeFirstNewestFirstWithoutHiddenOnes)
{
    Machine m;
    W w;
    w.push({QStringLiteral("o"), 0}).op(Op::InitObject).op(Op::SetVariable);
    w.push({QStringLiteral("base"), 0}).op(Op::InitObject).op(Op::SetVariable);
    for (const char *name : {"a", "b", "c"})
        w.getVariable(QStringLiteral("o")).push({QString::fromLatin1(name), 1}).op(Op::SetMember);
    w.push({1, QStringLiteral("b")}).getVariable(QStringLiteral("o")); // ASSetPropFlags(o, "b", 1): hide b
    w.push({3, QStringLiteral("ASSetPropFlags")}).op(Op::CallFunction).op(Op::Pop);
    // Inherited names come first; own ones, hidden or not, shadow them.
    for (const char *name : {"x", "b", "y", "c"})
        w.getVariable(QStringLiteral("base")).push({QString::fromLatin1(name), 1}).op(Op::SetMember);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("__proto__")}).getVariable(QStringLiteral("base"));
    w.op(Op::SetMember);
    auto loop = w.label(), done = w.label();
    w.getVariable(QStringLiteral("o")).op(Op::Enumerate2);
    w.bind(loop);
    w.storeRegister(0).push({N{}}).op(Op::Equals2).ifTrue(done);
    w.push({R{0}}).op(Op::Trace).jump(loop);
    w.bind(done);
    EXPECT_EQ(m.run(w), QStringList({"y", "x", "c", "a"}));
}

TEST(Interpreter, DeletesPropertiesAndVariables)
{
    Machine m;
    W w;
    w.setVariable(QStringLiteral("v"), 1);
    w.push({QStringLiteral("v")}).op(Op::Delete2).op(Op::Trace);
    w.getVariable(QStringLiteral("v")).op(Op::Trace);
    w.push({QStringLiteral("v")}).op(Op::Delete2).op(Op::Trace);
    w.push({QStringLiteral("Math")}).op(Op::GetVariable).push({QStringLiteral("PI")}).op(Op::Delete).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"true", "undefined", "false", "false"}));
}

TEST(Interpreter, DeletesPathsButNotLocalVariables)
{
    // o = {b: 5}; delete "o.b" by Delete2, then by Delete without an
    // object, which deletes variables only up to SWF 6.
    W w;
    w.push({QStringLiteral("o"), QStringLiteral("b"), 5, 1}).op(Op::InitObject).op(Op::SetVariable);
    w.push({QStringLiteral("o.b")}).op(Op::Delete2).op(Op::Trace);
    w.setVariable(QStringLiteral("v"), 1);
    w.push({U{}, QStringLiteral("v")}).op(Op::Delete).op(Op::Trace);
    // function f() { var local = 1; trace(delete local); trace(local); }
    W body;
    body.push({QStringLiteral("local"), 1}).op(Op::DefineLocal);
    body.push({QStringLiteral("local")}).op(Op::Delete2).op(Op::Trace);
    body.getVariable(QStringLiteral("local")).op(Op::Trace);
    w.defineFunction(QStringLiteral("f"), {}, body);
    w.push({0, QStringLiteral("f")}).op(Op::CallFunction).op(Op::Pop);
    Machine m6(6), m7(7);
    EXPECT_EQ(m6.run(w), QStringList({"true", "true", "false", "1"}));
    EXPECT_EQ(m7.run(w), QStringList({"true", "false", "false", "1"}));
}

TEST(Interpreter, WarnsOfADeletedPathWithoutBaseFromSwf6)
{
    // delete "nothing.c" where no variable `nothing` exists.
    W w;
    w.push({QStringLiteral("nothing.c")}).op(Op::Delete2).op(Op::Trace);
    Machine m5(5), m6(6);
    EXPECT_EQ(m5.run(w), QStringList({"false"}));
    EXPECT_EQ(m6.run(w), QStringList({"Parameters of primitive types are no longer coerced into the required type - Object.",
                                      "false"}));
}

TEST(Interpreter, HidesTheGlobalFunctionFromSwf5)
{
    W w;
    w.getVariable(QStringLiteral("Function")).op(Op::TypeOf).op(Op::Trace);
    Machine m5(5), m6(6);
    EXPECT_EQ(m5.run(w), QStringList({"undefined"}));
    EXPECT_EQ(m6.run(w), QStringList({"function"}));
}

TEST(Interpreter, ConvertsAClipByTheValueOfAScriptGivesIt)
{
    Machine m;
    m.host.addClip(QStringLiteral("mc"));
    W returnSeven;
    returnSeven.push({7}).op(Op::Return);
    // trace(mc == 7); Object.prototype.valueOf = function () { return 7; }; trace(mc == 7);
    // trace(isNaN(mc))
    W w;
    w.getVariable(QStringLiteral("mc")).push({7}).op(Op::Equals2).op(Op::Trace);
    w.getVariable(QStringLiteral("Object")).push({QStringLiteral("prototype")}).op(Op::GetMember);
    w.push({QStringLiteral("valueOf")}).defineFunction(QString(), {}, returnSeven).op(Op::SetMember);
    w.getVariable(QStringLiteral("mc")).push({7}).op(Op::Equals2).op(Op::Trace);
    // As a number a clip stays NaN.
    w.getVariable(QStringLiteral("mc")).push({1, QStringLiteral("isNaN")}).op(Op::CallFunction).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"false", "true", "true"}));
}

TEST(Interpreter, InstanceOfAndCastsCallTheGlobalClassOfAPrimitive)
{
    // _global.String = function (v) { trace("coerced " + v); }
    W noisy;
    noisy.push({QStringLiteral("coerced ")}).getVariable(QStringLiteral("v")).op(Op::Add2).op(Op::Trace);
    W w;
    w.getVariable(QStringLiteral("_global")).push({QStringLiteral("String")});
    w.defineFunction(QString(), {QStringLiteral("v")}, noisy).op(Op::SetMember);
    // "s" instanceof Object: a primitive is no instance, and is not coerced.
    w.push({QStringLiteral("s")}).getVariable(QStringLiteral("Object")).op(Op::InstanceOf).op(Op::Trace);
    // {} instanceof "c": the class is coerced, to nothing.
    w.push({0}).op(Op::InitObject).push({QStringLiteral("c")}).op(Op::InstanceOf).op(Op::Trace);
    // Object("o") cast: the object is coerced, to nothing, so null.
    w.getVariable(QStringLiteral("Object")).push({QStringLiteral("o")}).op(Op::CastOp).op(Op::Trace);
    Machine m;
    EXPECT_EQ(m.run(w), QStringList({"false", "coerced c", "false", "coerced o", "null"}));
}

TEST(Interpreter, TypesValues)
{
    Machine m;
    Object *clip = m.host.addClip(QStringLiteral("mc"));
    (void)clip;
    W w;
    for (auto v : std::vector<W::PushValue>{U{}, N{}, true, 1, QStringLiteral("s")})
        w.push({v}).op(Op::TypeOf).op(Op::Trace);
    w.getVariable(QStringLiteral("Object")).op(Op::TypeOf).op(Op::Trace);
    w.getVariable(QStringLiteral("Math")).op(Op::TypeOf).op(Op::Trace);
    w.getVariable(QStringLiteral("mc")).op(Op::TypeOf).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"undefined", "null", "boolean", "number", "string", "function", "object",
                                     "movieclip"}));
}

TEST(Interpreter, ActsOnTheTargetTimeline)
{
    Machine m;
    Object *a = m.host.addClip(QStringLiteral("a"));
    m.host.addClip(QStringLiteral("b"), a);
    W w;
    w.op(Op::Stop);
    w.setTarget(QStringLiteral("a/b")).op(Op::Play).gotoFrame(2).setTarget(QString());
    w.gotoLabel(QStringLiteral("here"));
    w.push({QStringLiteral("a:3")}).gotoFrame2(true);
    w.push({QStringLiteral("a")}).op(Op::SetTarget2).op(Op::NextFrame).push({QString()}).op(Op::SetTarget2);
    w.push({QStringLiteral("a"), QStringLiteral("copy"), 7}).op(Op::CloneSprite);
    // An object that is no clip names one by its string.
    W path;
    path.push({QStringLiteral("a/b")}).op(Op::Return);
    w.push({QStringLiteral("named"), QStringLiteral("toString")}).defineFunction(QString(), {}, path);
    w.push({1}).op(Op::InitObject).op(Op::SetVariable).push({QStringLiteral("named")}).op(Op::GetVariable).op(Op::SetTarget2);
    w.op(Op::Stop).push({QString()}).op(Op::SetTarget2);
    m.run(w);
    EXPECT_EQ(m.host.actions, QStringList({":stop", "b:play", "b:goto 2 stop", ":goto 4 stop", "a:goto 2 play",
                                           "a:next", "a:clone copy 7", "b:stop"}));
}

TEST(Interpreter, SkipsActionsForFramesNotLoaded)
{
    Machine m;
    W w;
    w.waitForFrame(1, 1).trace(QStringLiteral("loaded"));
    w.waitForFrame(5, 2).trace(QStringLiteral("skipped")); // two actions: push, trace
    w.trace(QStringLiteral("after"));
    EXPECT_EQ(m.run(w), QStringList({"loaded", "after"}));
}

TEST(Interpreter, GivesUndefinedForAnArrayOfImpossibleLength)
{
    Machine m;
    W w;
    w.push({QStringLiteral("a"), QStringLiteral("b"), 4294967297.0}).op(Op::InitArray).op(Op::Trace);
    w.op(Op::Trace).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"undefined", "b", "a"}));
}

TEST(Interpreter, TracesCarriageReturnsAsLineEnds)
{
    Machine m;
    W w;
    w.trace(QStringLiteral("a\rb\r\nc"));
    EXPECT_EQ(m.run(w), QStringList({"a\nb\n\nc"}));
}
