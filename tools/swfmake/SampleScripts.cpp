#include "SampleScripts.h"

#include "ActionWriter.h"

namespace swfmake {

namespace {

using W = ActionWriter;
using R = ActionWriter::Register;
using U = ActionWriter::Undefined;
using N = ActionWriter::Null;
using P = ActionWriter::Pooled;

QString s(const char *text)
{
    return QString::fromLatin1(text);
}

// for (i = 0; i < count; i++) body, with i in register `reg`.
W counted(int reg, int count, const W &body)
{
    W w;
    auto top = w.label(), done = w.label();
    w.push({0}).storeRegister(reg).op(Op::Pop);
    w.bind(top).push({R{reg}, count}).op(Op::Less2).op(Op::Not).ifTrue(done);
    w.bytes(body.body());
    w.push({R{reg}}).op(Op::Increment).storeRegister(reg).op(Op::Pop).jump(top);
    w.bind(done);
    return w;
}

W arithmetic()
{
    W body;
    body.push({s("x")}).getVariable(s("x")).push({R{1}, 3}).op(Op::Multiply).op(Op::Add2);
    body.push({7}).op(Op::Modulo).op(Op::SetVariable);
    body.push({R{1}, 5}).op(Op::BitXor).push({2}).op(Op::BitLShift).push({-1}).op(Op::BitURShift).op(Op::Pop);
    W w;
    w.setVariable(s("x"), 1.5);
    w.bytes(counted(1, 20, body).body());
    w.getVariable(s("x")).op(Op::Trace);
    w.push({s("12"), W::Float{0.5f}}).op(Op::Add).op(Op::Trace);
    w.push({1, 0}).op(Op::Divide).op(Op::ToInteger).op(Op::Trace);
    w.push({s("0x1F")}).op(Op::ToNumber).op(Op::Trace);
    return w;
}

W strings()
{
    W w;
    w.constantPool({s("hello"), s("world"), s("split"), s("substr")});
    w.push({P{0}, s(" "), P{1}}).op(Op::StringAdd).op(Op::StringAdd).storeRegister(1).op(Op::Trace);
    w.push({R{1}, 2, 4}).op(Op::StringExtract).op(Op::Trace);
    w.push({R{1}, 2, 4}).op(Op::MBStringExtract).op(Op::MBStringLength).op(Op::Trace);
    w.push({s(" "), 1, R{1}, P{2}}).op(Op::CallMethod).op(Op::Trace);
    w.push({-3, 1, R{1}, P{3}}).op(Op::CallMethod).op(Op::Trace);
    w.push({P{0}, P{1}}).op(Op::StringLess).op(Op::Trace);
    w.push({0x263A}).op(Op::MBAsciiToChar).op(Op::MBCharToAscii).op(Op::Trace);
    return w;
}

W objects()
{
    W w;
    w.push({s("o"), s("a"), 1, s("b"), s("two"), 2}).op(Op::InitObject).op(Op::SetVariable);
    w.push({s("list"), 3, 2, 1, 3}).op(Op::InitArray).op(Op::SetVariable);
    w.getVariable(s("list")).push({10, s("end")}).op(Op::SetMember);
    w.push({0}).getVariable(s("list")).push({s("reverse")}).op(Op::CallMethod).op(Op::Trace);
    w.push({16, 1}).getVariable(s("list")).push({s("sort")}).op(Op::CallMethod).op(Op::Trace);
    w.getVariable(s("o")).push({s("a")}).op(Op::Delete).op(Op::Trace);
    auto loop = w.label(), done = w.label();
    w.getVariable(s("o")).op(Op::Enumerate2);
    w.bind(loop).storeRegister(0).push({N{}}).op(Op::Equals2).ifTrue(done);
    w.push({R{0}}).op(Op::Trace).jump(loop);
    w.bind(done);
    w.push({s("list")}).op(Op::Enumerate).op(Op::Pop);
    w.getVariable(s("o")).op(Op::TypeOf).op(Op::Trace);
    return w;
}

W functions()
{
    W fib;
    auto small = fib.label();
    fib.push({R{1}, 2}).op(Op::Less2).ifTrue(small);
    fib.push({R{1}, 1}).op(Op::Subtract).push({1, s("fib")}).op(Op::CallFunction);
    fib.push({R{1}, 2}).op(Op::Subtract).push({1, s("fib")}).op(Op::CallFunction);
    fib.op(Op::Add2).op(Op::Return);
    fib.bind(small).push({R{1}}).op(Op::Return);
    W inner;
    inner.getVariable(s("captured")).op(Op::Return);
    W maker;
    maker.push({s("captured"), s("closure")}).op(Op::DefineLocal);
    maker.defineFunction(QString(), {}, inner).op(Op::Return);
    W w;
    w.defineFunction2(s("fib"), 2, 0x2A, {{1, s("n")}}, fib);
    w.push({12, 1, s("fib")}).op(Op::CallFunction).op(Op::Trace);
    w.defineFunction(s("maker"), {}, maker);
    w.push({0, 0, s("maker")}).op(Op::CallFunction).push({U{}}).op(Op::CallMethod).op(Op::Trace);
    // Math.max.apply(null, [1, 2])
    w.push({2, 1, 2}).op(Op::InitArray).push({N{}, 2}).getVariable(s("Math")).push({s("max")}).op(Op::GetMember);
    w.push({s("apply")}).op(Op::CallMethod).op(Op::Trace);
    return w;
}

W classes()
{
    W ctor;
    ctor.push({s("this")}).op(Op::GetVariable).push({s("v")}).getVariable(s("v")).op(Op::SetMember);
    W sub;
    sub.push({R{2}, 1}).push({R{1}, U{}}).op(Op::CallMethod).op(Op::Pop); // super(v)
    W describe;
    describe.push({s("v=")}).push({s("this")}).op(Op::GetVariable).push({s("v")}).op(Op::GetMember);
    describe.op(Op::Add2).op(Op::Return);
    W w;
    w.defineFunction(s("Base"), {s("v")}, ctor);
    w.defineFunction2(s("Sub"), 3, 0x10 | 0x02, {{2, s("v")}}, sub); // super preloaded in 1
    w.getVariable(s("Sub")).getVariable(s("Base")).op(Op::Extends);
    w.getVariable(s("Base")).push({s("prototype")}).op(Op::GetMember).push({s("toString")});
    w.defineFunction(QString(), {}, describe).op(Op::SetMember);
    w.push({s("item"), 9, 1, s("Sub")}).op(Op::NewObject).op(Op::SetVariable);
    w.getVariable(s("item")).op(Op::Trace);
    w.getVariable(s("item")).getVariable(s("Base")).op(Op::InstanceOf).op(Op::Trace);
    w.push({s("Base"), 1, s("Sub")}).op(Op::GetVariable).op(Op::ImplementsOp);
    w.getVariable(s("Base")).getVariable(s("item")).op(Op::CastOp).op(Op::Trace);
    return w;
}

W exceptions()
{
    W body, handler, cleanup;
    body.push({s("thrown")}).op(Op::Throw);
    handler.push({R{1}}).op(Op::Trace);
    cleanup.trace(s("finally"));
    W nested;
    nested.tryCatch(body, &handler, QString(), 1, &cleanup);
    nested.push({s("again")}).op(Op::Throw);
    W outerHandler;
    outerHandler.getVariable(s("e")).op(Op::Trace);
    W w;
    w.tryCatch(nested, &outerHandler, s("e"), -1, nullptr);
    return w;
}

W withAndTargets()
{
    W inside;
    inside.getVariable(s("a")).op(Op::Trace).setVariable(s("a"), 2);
    W w;
    w.push({s("o"), s("a"), 1, 1}).op(Op::InitObject).op(Op::SetVariable);
    w.getVariable(s("o")).with(inside);
    w.setTarget(s("/")).op(Op::Stop).op(Op::Play).setTarget(QString());
    w.gotoFrame(0).gotoLabel(s("start")).push({1}).gotoFrame2(false);
    w.push({s("_root"), 0}).op(Op::GetProperty).op(Op::Trace);
    w.push({s(""), 1, 5}).op(Op::SetProperty);
    w.push({s("/:v"), 3}).op(Op::SetVariable).getVariable(s("_level0.v")).op(Op::Trace);
    w.push({s("this")}).op(Op::GetVariable).op(Op::TargetPath).op(Op::Trace);
    w.waitForFrame(0, 1).op(Op::NextFrame);
    w.push({0}).op(Op::Call);
    w.getUrl(s("FSCommand:quit"), QString());
    return w;
}

}

std::vector<std::pair<QString, QByteArray>> sampleScripts()
{
    return {
        {s("arithmetic"), arithmetic().block()}, {s("strings"), strings().block()},
        {s("objects"), objects().block()},       {s("functions"), functions().block()},
        {s("classes"), classes().block()},       {s("exceptions"), exceptions().block()},
        {s("targets"), withAndTargets().block()},
    };
}

QByteArray loopBenchmark(int iterations)
{
    // function add(a, b) { return a + b; } with a, b in registers 1, 2.
    W add;
    add.push({R{1}, R{2}}).op(Op::Add2).op(Op::Return);
    // function run(n) { var o = {total: 0}; for (i...) o.total = add(o.total, i * 2); return o.total; }
    // n in register 3, o in 2, i in 1.
    W pass;
    pass.push({R{2}, s("total")}).push({R{1}, 2}).op(Op::Multiply);
    pass.push({R{2}, s("total")}).op(Op::GetMember);
    pass.push({2, s("add")}).op(Op::CallFunction).op(Op::SetMember);
    W run;
    run.push({s("total"), 0, 1}).op(Op::InitObject).storeRegister(2).op(Op::Pop);
    auto top = run.label(), done = run.label();
    run.push({0}).storeRegister(1).op(Op::Pop);
    run.bind(top).push({R{1}, R{3}}).op(Op::Less2).op(Op::Not).ifTrue(done);
    run.bytes(pass.body());
    run.push({R{1}}).op(Op::Increment).storeRegister(1).op(Op::Pop).jump(top);
    run.bind(done).push({R{2}, s("total")}).op(Op::GetMember).op(Op::Return);
    W w;
    w.defineFunction2(s("add"), 3, 0x2A, {{1, s("a")}, {2, s("b")}}, add);
    w.defineFunction2(s("run"), 4, 0x2A, {{3, s("n")}}, run);
    w.push({s("result"), iterations, 1, s("run")}).op(Op::CallFunction).op(Op::SetVariable);
    return w.block();
}

int loopBenchmarkActionsPerPass()
{
    // Condition 4, the pass 8 plus add's 3, the increment 4 and the jump.
    return 4 + 8 + 3 + 4 + 1;
}

}
