// Functions, closures, prototypes, classes and exceptions.
#include "ScriptTestHost.h"

#include <gtest/gtest.h>

using namespace scripttest;
using U = W::Undefined;
using N = W::Null;
using R = W::Register;

namespace {

// function name(a, b) { return a + b; }
W adder()
{
    W body;
    body.getVariable(QStringLiteral("a")).getVariable(QStringLiteral("b")).op(Op::Add2).op(Op::Return);
    W w;
    w.defineFunction(QStringLiteral("add"), {QStringLiteral("a"), QStringLiteral("b")}, body);
    return w;
}

}

TEST(Functions, TakeArgumentsAndReturn)
{
    Machine m;
    W w = adder();
    w.push({2, 3, 2, QStringLiteral("add")}).op(Op::CallFunction).op(Op::Trace);
    w.push({2, 1, QStringLiteral("add")}).op(Op::CallFunction).op(Op::Trace); // b is undefined
    EXPECT_EQ(m.run(w), QStringList({"5", "NaN"}));
}

TEST(Functions, CloseOverTheirScope)
{
    Machine m;
    // function outer(x) { return function() { return x; }; }
    W inner;
    inner.getVariable(QStringLiteral("x")).op(Op::Return);
    W outer;
    outer.defineFunction(QString(), {}, inner).op(Op::Return);
    W w;
    w.defineFunction(QStringLiteral("outer"), {QStringLiteral("x")}, outer);
    w.push({QStringLiteral("f"), QStringLiteral("kept"), 1, QStringLiteral("outer")})
        .op(Op::CallFunction)
        .op(Op::SetVariable);
    w.push({QStringLiteral("other"), 1, QStringLiteral("outer")}).op(Op::CallFunction).op(Op::Pop);
    w.push({0, QStringLiteral("f")}).op(Op::CallFunction).op(Op::Trace);
    w.getVariable(QStringLiteral("x")).op(Op::Trace); // locals stay local
    EXPECT_EQ(m.run(w), QStringList({"kept", "undefined"}));
}

TEST(Functions, PreloadRegistersInOrder)
{
    Machine m;
    // Registers: 1 this, 2 arguments, 3 _root, 4 _global; parameter p in 5.
    W body;
    body.push({R{1}}).op(Op::Trace);
    body.push({R{2}}).push({QStringLiteral("length")}).op(Op::GetMember).op(Op::Trace);
    body.push({R{3}}).op(Op::Trace);
    body.push({R{4}}).push({QStringLiteral("Math")}).op(Op::GetMember).op(Op::TypeOf).op(Op::Trace);
    body.push({R{5}}).op(Op::Trace);
    body.getVariable(QStringLiteral("arguments")).op(Op::Trace); // suppressed
    int flags = 0x01 | 0x04 | 0x08 | 0x20 | 0x40 | 0x100;
    W w;
    w.defineFunction2(QStringLiteral("f"), 6, flags, {{5, QStringLiteral("p")}}, body);
    w.push({QStringLiteral("b"), QStringLiteral("a"), 2, QStringLiteral("f")}).op(Op::CallFunction).op(Op::Pop);
    EXPECT_EQ(m.run(w), QStringList({"_level0", "2", "_level0", "object", "a", "undefined"}));
}

TEST(Functions, KnowTheirCalleeAndCaller)
{
    Machine m;
    W inner;
    inner.getVariable(QStringLiteral("arguments")).push({QStringLiteral("caller")}).op(Op::GetMember);
    inner.getVariable(QStringLiteral("outer")).op(Op::StrictEquals).op(Op::Trace);
    inner.getVariable(QStringLiteral("arguments")).push({QStringLiteral("callee")}).op(Op::GetMember);
    inner.getVariable(QStringLiteral("inner")).op(Op::StrictEquals).op(Op::Trace);
    W outer;
    outer.push({0, QStringLiteral("inner")}).op(Op::CallFunction).op(Op::Pop);
    W w;
    w.defineFunction(QStringLiteral("inner"), {}, inner);
    w.defineFunction(QStringLiteral("outer"), {}, outer);
    w.push({0, QStringLiteral("outer")}).op(Op::CallFunction).op(Op::Pop);
    EXPECT_EQ(m.run(w), QStringList({"true", "true"}));
}

TEST(Functions, ConstructObjectsFromPrototypes)
{
    Machine m7(7), m6(6);
    // function Point(x) { this.x = x; }  Point.prototype.twice = function() { return this.x * 2; };
    W ctor;
    ctor.push({QStringLiteral("this")}).op(Op::GetVariable).push({QStringLiteral("x")});
    ctor.getVariable(QStringLiteral("x")).op(Op::SetMember);
    W twice;
    twice.push({QStringLiteral("this")}).op(Op::GetVariable).push({QStringLiteral("x")}).op(Op::GetMember);
    twice.push({2}).op(Op::Multiply).op(Op::Return);
    W w;
    w.defineFunction(QStringLiteral("Point"), {QStringLiteral("x")}, ctor);
    w.getVariable(QStringLiteral("Point")).push({QStringLiteral("prototype")}).op(Op::GetMember);
    w.push({QStringLiteral("twice")}).defineFunction(QString(), {}, twice).op(Op::SetMember);
    w.push({QStringLiteral("p"), 21, 1, QStringLiteral("Point")}).op(Op::NewObject).op(Op::SetVariable);
    w.push({0}).getVariable(QStringLiteral("p")).push({QStringLiteral("twice")}).op(Op::CallMethod).op(Op::Trace);
    w.getVariable(QStringLiteral("p")).getVariable(QStringLiteral("Point")).op(Op::InstanceOf).op(Op::Trace);
    // The instance's own `constructor` exists only before SWF 7.
    w.push({QStringLiteral("constructor"), 1}).getVariable(QStringLiteral("p"));
    w.push({QStringLiteral("hasOwnProperty")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m7.run(w), QStringList({"42", "true", "false"}));
    EXPECT_EQ(m6.run(w), QStringList({"42", "true", "true"}));
}

TEST(Functions, CallSuperclassMethodsThroughSuper)
{
    Machine m;
    // Base.prototype.name = function() { return "base"; }
    // Sub extends Base; Sub.prototype.name = function() { return "sub+" + super.name(); }
    W baseName;
    baseName.push({QStringLiteral("base")}).op(Op::Return);
    W subName;
    subName.push({QStringLiteral("sub+"), 0}).getVariable(QStringLiteral("super"));
    subName.push({QStringLiteral("name")}).op(Op::CallMethod).op(Op::Add2).op(Op::Return);
    W empty;
    W w;
    w.defineFunction(QStringLiteral("Base"), {}, empty);
    w.defineFunction(QStringLiteral("Sub"), {}, empty);
    w.getVariable(QStringLiteral("Sub")).getVariable(QStringLiteral("Base")).op(Op::Extends);
    w.getVariable(QStringLiteral("Base")).push({QStringLiteral("prototype")}).op(Op::GetMember);
    w.push({QStringLiteral("name")}).defineFunction(QString(), {}, baseName).op(Op::SetMember);
    w.getVariable(QStringLiteral("Sub")).push({QStringLiteral("prototype")}).op(Op::GetMember);
    w.push({QStringLiteral("name")}).defineFunction(QString(), {}, subName).op(Op::SetMember);
    w.push({QStringLiteral("s"), 0, QStringLiteral("Sub")}).op(Op::NewObject).op(Op::SetVariable);
    w.push({0}).getVariable(QStringLiteral("s")).push({QStringLiteral("name")}).op(Op::CallMethod).op(Op::Trace);
    w.getVariable(QStringLiteral("s")).getVariable(QStringLiteral("Base")).op(Op::InstanceOf).op(Op::Trace);
    w.getVariable(QStringLiteral("Base")).getVariable(QStringLiteral("s")).op(Op::CastOp).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"sub+base", "true", "[object Object]"}));
}

TEST(Functions, CallTheSuperclassConstructorThroughSuperWithoutResolve)
{
    Machine m;
    W ctor;
    ctor.trace(QStringLiteral("ctor")).push({QStringLiteral("made")}).op(Op::Return);
    W resolve;
    resolve.trace(QStringLiteral("resolve")).getVariable(QStringLiteral("ctor")).op(Op::Return);
    // function() { var z = super; trace(z()); }
    W method;
    method.push({QStringLiteral("z")}).getVariable(QStringLiteral("super")).op(Op::DefineLocal);
    method.push({0, QStringLiteral("z")}).op(Op::CallFunction).op(Op::Trace);
    W w;
    w.defineFunction(QStringLiteral("ctor"), {}, ctor);
    // Object literals: no __constructor__ of their own.
    for (const char *name : {"o", "p", "q"})
        w.push({QString::fromLatin1(name), 0}).op(Op::InitObject).op(Op::SetVariable);
    auto setMember = [&w](const QString &object, const QString &member, const QString &variable) {
        w.getVariable(object).push({member}).getVariable(variable).op(Op::SetMember);
    };
    auto callM = [&w] { w.push({0}).getVariable(QStringLiteral("o")).push({QStringLiteral("m")}).op(Op::CallMethod).op(Op::Pop); };
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("m")}).defineFunction(QString(), {}, method).op(Op::SetMember);
    setMember(QStringLiteral("o"), QStringLiteral("__proto__"), QStringLiteral("p"));
    w.getVariable(QStringLiteral("p")).push({QStringLiteral("__resolve")});
    w.defineFunction(QString(), {QStringLiteral("name")}, resolve).op(Op::SetMember);
    // The prototype has no __constructor__, and __resolve is not asked.
    callM();
    // One further up has.
    setMember(QStringLiteral("q"), QStringLiteral("__constructor__"), QStringLiteral("ctor"));
    setMember(QStringLiteral("p"), QStringLiteral("__proto__"), QStringLiteral("q"));
    callM();
    // A clip as the prototype offers nothing to super.
    setMember(QStringLiteral("_root"), QStringLiteral("__constructor__"), QStringLiteral("ctor"));
    setMember(QStringLiteral("o"), QStringLiteral("__proto__"), QStringLiteral("_root"));
    callM();
    EXPECT_EQ(m.run(w), QStringList({"undefined", "ctor", "made", "undefined"}));
}

TEST(Exceptions, AreCaughtWithFinallyRunning)
{
    Machine m;
    // function thrower() { throw "boom"; }
    W thrower;
    thrower.push({QStringLiteral("boom")}).op(Op::Throw);
    W body, handler, cleanup;
    body.push({0, QStringLiteral("thrower")}).op(Op::CallFunction).trace(QStringLiteral("not reached"));
    handler.getVariable(QStringLiteral("e")).op(Op::Trace);
    cleanup.trace(QStringLiteral("finally"));
    W w;
    w.defineFunction(QStringLiteral("thrower"), {}, thrower);
    w.tryCatch(body, &handler, QStringLiteral("e"), -1, &cleanup);
    w.trace(QStringLiteral("after"));
    EXPECT_EQ(m.run(w), QStringList({"boom", "finally", "after"}));
}

TEST(Exceptions, PassFinallyAndEndTheBlockWhenUncaught)
{
    Machine m;
    W body, cleanup;
    body.push({QStringLiteral("boom")}).op(Op::Throw);
    cleanup.trace(QStringLiteral("finally"));
    W w;
    w.tryCatch(body, nullptr, QString(), -1, &cleanup);
    w.trace(QStringLiteral("not reached"));
    EXPECT_EQ(m.run(w), QStringList({"finally", "Warning: Uncaught exception, boom"}));
    W next;
    next.trace(QStringLiteral("next block runs"));
    EXPECT_EQ(m.run(next), QStringList({"next block runs"}));
}

TEST(Exceptions, CatchIntoRegisters)
{
    Machine m;
    W body, handler;
    body.push({7}).op(Op::Throw);
    handler.push({R{1}}).op(Op::Trace);
    W w;
    w.tryCatch(body, &handler, QString(), 1, nullptr);
    EXPECT_EQ(m.run(w), QStringList({"7"}));
}

TEST(Scopes, WithLooksUpTheObjectFirst)
{
    Machine m;
    W inside;
    inside.getVariable(QStringLiteral("a")).op(Op::Trace);
    inside.setVariable(QStringLiteral("a"), 2);
    inside.setVariable(QStringLiteral("fresh"), 3); // not on the object: on the timeline
    W w;
    w.setVariable(QStringLiteral("a"), QStringLiteral("timeline"));
    w.push({QStringLiteral("o"), QStringLiteral("a"), 1, 1}).op(Op::InitObject).op(Op::SetVariable);
    w.getVariable(QStringLiteral("o")).with(inside);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("a")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("a")).op(Op::Trace);
    w.getVariable(QStringLiteral("fresh")).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"1", "2", "timeline", "3"}));
}

TEST(Properties, RunGettersSettersAndWatchers)
{
    Machine m;
    W getter, setter, watcher;
    getter.push({QStringLiteral("got")}).op(Op::Return);
    setter.getVariable(QStringLiteral("v")).op(Op::Trace);
    watcher.getVariable(QStringLiteral("n")).op(Op::Trace).getVariable(QStringLiteral("next")).push({1});
    watcher.op(Op::Add2).op(Op::Return);
    W w;
    w.push({QStringLiteral("o"), 0}).op(Op::InitObject).op(Op::SetVariable);
    w.defineFunction(QString(), {QStringLiteral("v")}, setter);
    w.defineFunction(QString(), {}, getter);
    w.push({QStringLiteral("p"), 3}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("addProperty")}).op(Op::CallMethod).op(Op::Pop);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("p"), QStringLiteral("set")}).op(Op::SetMember);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("p")}).op(Op::GetMember).op(Op::Trace);
    w.defineFunction(QString(), {QStringLiteral("n"), QStringLiteral("old"), QStringLiteral("next")}, watcher);
    w.push({QStringLiteral("w"), 2}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("watch")}).op(Op::CallMethod).op(Op::Pop);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("w"), 10}).op(Op::SetMember);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("w")}).op(Op::GetMember).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"set", "got", "w", "11"}));
}

TEST(Functions, KeepTheirPrototypeAndPassOnAnyValue)
{
    Machine m(7);
    const QString f = QStringLiteral("f"), proto = QStringLiteral("prototype");
    W w;
    w.defineFunction(f, {}, W());
    // delete f.prototype fails; Object.prototype cannot be replaced.
    w.getVariable(f).push({proto}).op(Op::Delete).op(Op::Trace);
    w.getVariable(f).push({proto}).op(Op::GetMember).op(Op::TypeOf).op(Op::Trace);
    w.getVariable(QStringLiteral("Object")).push({proto, 6}).op(Op::SetMember);
    w.getVariable(QStringLiteral("Object")).push({proto}).op(Op::GetMember).op(Op::TypeOf).op(Op::Trace);
    // A prototype of 8 becomes the instance's __proto__: it inherits nothing.
    w.getVariable(f).push({proto, 8}).op(Op::SetMember);
    w.push({QStringLiteral("o"), 0, f}).op(Op::NewObject).op(Op::SetVariable);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("__proto__")}).op(Op::GetMember).op(Op::Trace);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("toString")}).op(Op::GetMember).op(Op::TypeOf).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"false", "object", "object", "8", "undefined"}));
}

TEST(Exceptions, ErrorsGiveTheirMessageAsItIs)
{
    Machine m(7);
    W w;
    // new Error({}).toString() is the object; Error("x") without new is nothing.
    w.push({QStringLiteral("e"), 0}).op(Op::InitObject).push({1, QStringLiteral("Error")}).op(Op::NewObject);
    w.op(Op::SetVariable);
    w.push({0}).getVariable(QStringLiteral("e")).push({QStringLiteral("toString")}).op(Op::CallMethod);
    w.op(Op::TypeOf).op(Op::Trace);
    w.push({QStringLiteral("x"), 1, QStringLiteral("Error")}).op(Op::CallFunction).op(Op::TypeOf).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"object", "undefined"}));
}

TEST(Functions, UseSuperFromThePrototypeTheMethodWasFoundOn)
{
    Machine m;
    // Top <- Mid <- Low, each name() returning super.name() + its letter,
    // Mid without one of its own: from a Low, Top's name runs once.
    auto letter = [](const char *l) {
        W f;
        f.push({0}).getVariable(QStringLiteral("super")).push({QStringLiteral("name")}).op(Op::CallMethod);
        f.push({QLatin1String(l)}).op(Op::Add2).op(Op::Return);
        return f;
    };
    W w;
    for (const char *cls : {"Top", "Mid", "Low"})
        w.defineFunction(QLatin1String(cls), {}, W());
    w.getVariable(QStringLiteral("Mid")).getVariable(QStringLiteral("Top")).op(Op::Extends);
    w.getVariable(QStringLiteral("Low")).getVariable(QStringLiteral("Mid")).op(Op::Extends);
    for (const char *cls : {"Top", "Low"}) {
        w.getVariable(QLatin1String(cls)).push({QStringLiteral("prototype")}).op(Op::GetMember);
        w.push({QStringLiteral("name")}).defineFunction(QString(), {}, letter(cls[0] == 'T' ? "T" : "L"));
        w.op(Op::SetMember);
    }
    w.push({QStringLiteral("o"), 0, QStringLiteral("Low")}).op(Op::NewObject).op(Op::SetVariable);
    w.push({0}).getVariable(QStringLiteral("o")).push({QStringLiteral("name")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"undefinedTL"}));
}

TEST(Functions, PreloadNoParentRegisterOnALevel)
{
    Machine m;
    // _parent and _global preloaded on the root: _global takes register 1.
    W body;
    body.push({R{1}}).op(Op::TypeOf).op(Op::Trace);
    body.push({R{2}}).op(Op::Trace);
    W w;
    w.defineFunction2(QStringLiteral("f"), 3, 0x80 | 0x100, {}, body);
    w.push({0, QStringLiteral("f")}).op(Op::CallFunction).op(Op::Pop);
    EXPECT_EQ(m.run(w), QStringList({"object", "undefined"}));
}

TEST(Properties, WatchersHearInheritedAndVirtualValuesOnce)
{
    Machine m(6);
    // The watcher traces the old value and sets the property again, which
    // in SWF 6 goes straight through.
    W watcher;
    watcher.getVariable(QStringLiteral("old")).op(Op::Trace);
    watcher.push({QStringLiteral("this")}).op(Op::GetVariable).push({QStringLiteral("p"), QStringLiteral("inner")});
    watcher.op(Op::SetMember).getVariable(QStringLiteral("next")).op(Op::Return);
    W getter;
    getter.push({QStringLiteral("got")}).op(Op::Return);
    W w;
    w.push({QStringLiteral("proto"), QStringLiteral("p"), QStringLiteral("inherited"), 1}).op(Op::InitObject);
    w.op(Op::SetVariable);
    w.push({QStringLiteral("o"), QStringLiteral("__proto__")}).getVariable(QStringLiteral("proto"));
    w.push({1}).op(Op::InitObject).op(Op::SetVariable);
    w.defineFunction(QString(), {QStringLiteral("n"), QStringLiteral("old"), QStringLiteral("next")}, watcher);
    w.push({QStringLiteral("p"), 2}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("watch")}).op(Op::CallMethod).op(Op::Pop);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("p"), QStringLiteral("outer")}).op(Op::SetMember);
    w.getVariable(QStringLiteral("o")).push({QStringLiteral("p")}).op(Op::GetMember).op(Op::Trace);
    // addProperty on the watched name is heard as a set of undefined; the
    // watch then stays.
    w.push({N{}}).defineFunction(QString(), {}, getter).push({QStringLiteral("p"), 3}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("addProperty")}).op(Op::CallMethod).op(Op::Pop);
    w.push({QStringLiteral("p"), 1}).getVariable(QStringLiteral("o"));
    w.push({QStringLiteral("unwatch")}).op(Op::CallMethod).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"inherited", "outer", "undefined", "false"}));
}

TEST(Functions, ObjectWrapsPrimitivesWithTheirClassesPrototypeOfNow)
{
    // String.prototype = 8; Object("hello") then inherits nothing and,
    // without methods, equals undefined.
    W w;
    w.getVariable(QStringLiteral("String")).push({QStringLiteral("prototype"), 8}).op(Op::SetMember);
    w.push({QStringLiteral("hello"), 1, QStringLiteral("Object")}).op(Op::NewObject).storeRegister(1);
    w.push({U{}}).op(Op::Equals2).op(Op::Trace);
    w.push({R{1}, QStringLiteral("__proto__")}).op(Op::GetMember).op(Op::Trace);
    Machine m;
    EXPECT_EQ(m.run(w), QStringList({"true", "8"}));
}

TEST(Functions, HideTheConstructorOfInstancesFromSwf5)
{
    W w;
    w.push({0, QStringLiteral("Object")}).op(Op::NewObject).push({QStringLiteral("__constructor__")});
    w.op(Op::GetMember).op(Op::TypeOf).op(Op::Trace);
    Machine m5(5), m6(6);
    EXPECT_EQ(m5.run(w), QStringList({"undefined"}));
    EXPECT_EQ(m6.run(w), QStringList({"function"}));
}

TEST(Functions, FunctionCalledWithoutArgumentsMakesAnObjectWithoutPrototype)
{
    Machine m;
    EXPECT_EQ(result(m, QString(), QStringLiteral("Function"), {7}), "7");
    W w;
    w.push({0, QStringLiteral("Function")}).op(Op::CallFunction).op(Op::PushDuplicate).op(Op::Trace);
    w.push({QStringLiteral("__proto__")}).op(Op::GetMember).op(Op::Trace);
    w.push({0, QStringLiteral("Function")}).op(Op::CallFunction);
    w.push({0, QStringLiteral("Function")}).op(Op::CallFunction).op(Op::StrictEquals).op(Op::Trace);
    EXPECT_EQ(m.run(w), QStringList({"[type Object]", "undefined", "false"}));
}
