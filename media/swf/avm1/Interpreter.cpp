#include "Interpreter.h"

#include "Abort.h"
#include "ArrayData.h"
#include "Calls.h"
#include "Code.h"
#include "Convert.h"
#include "Function.h"
#include "Host.h"
#include "Operators.h"
#include "Scope.h"
#include "Super.h"
#include "Timeline.h"
#include "Variables.h"
#include "Vm.h"

#include <QRandomGenerator>
#include <cmath>

namespace swf::avm1 {

namespace {

// The frame list and the stack pointers of one frame, restored however
// the frame ends.
class FrameGuard {
public:
    FrameGuard(Vm &vm, Frame *&top, Frame &f) : vm(vm), top(top), saved(top), sp(vm.top()), regs(vm.registerTop())
    {
        f.caller = top;
        top = &f;
    }
    ~FrameGuard()
    {
        top = saved;
        vm.top() = sp;
        vm.registerTop() = regs;
    }

private:
    Vm &vm;
    Frame *&top;
    Frame *saved;
    Value *sp;
    Value *regs;
};

}

void Frame::trace(Tracer &tracer) const
{
    if (code)
        code->trace(tracer);
    tracer.mark(pool);
    tracer.mark(scope);
    tracer.mark(thisValue);
    tracer.mark(callee);
    tracer.mark(superProto);
    tracer.mark(cx.target);
    tracer.mark(origin);
    tracer.mark(result);
}

void Interpreter::trace(Tracer &tracer) const
{
    for (Frame *f = top; f; f = f->caller)
        f->trace(tracer);
}

void Interpreter::runBlock(const std::shared_ptr<Code> &code, Object *clip)
{
    Frame f(vm, code->version(), clip);
    FrameGuard guard(vm, top, f);
    f.code = code.get();
    f.origin = clip;
    f.thisValue = clip;
    f.scope = clip ? vm.heap.make<Scope>(nullptr, clip, Scope::Timeline) : nullptr;
    f.base = vm.top();
    f.regs = vm.registerTop();
    f.regCount = 4;
    for (uint32_t i = 0; i < 4; ++i)
        f.regs[i] = Value();
    vm.registerTop() += 4;
    run(f, code->at(0), 0, code->size());
}

Value Interpreter::call(Context &caller, ScriptFunction *fn, const Value &thisValue, Args args, Object *superProto,
                        bool constructing)
{
    CallDepth depth(vm);
    const FunctionInfo &info = fn->info();
    Object *target = fn->base();
    if (fn->version() < 6 || !target)
        target = caller.target;
    Frame f(vm, fn->version(), target);
    FrameGuard guard(vm, top, f);
    f.code = fn->code().get();
    f.origin = target;
    f.pool = fn->pool();
    f.thisValue = thisValue;
    f.callee = fn;
    f.constructing = constructing;
    f.superProto = superProto ? superProto : (thisValue.asObject() ? thisValue.object()->proto() : nullptr);
    f.base = vm.top();
    setUpFunction(f, fn, args);
    vm.safePoint();
    run(f, f.code->at(info.bodyStart), info.bodyStart, info.bodyEnd);
    return f.result;
}

void Interpreter::setUpFunction(Frame &f, ScriptFunction *fn, Args args)
{
    const FunctionInfo &info = fn->info();
    Context &cx = f.cx;
    const Names &names = vm.names;
    Object *activation = vm.heap.make<Object>(nullptr);
    f.scope = vm.heap.make<Scope>(fn->scope(), activation, Scope::Local);
    f.regs = vm.registerTop();
    f.regCount = info.second ? std::max<uint32_t>(info.registers, 1) : 4;
    for (uint32_t i = 0; i < f.regCount; ++i)
        f.regs[i] = Value();
    vm.registerTop() += f.regCount;

    auto argumentsArray = [&] {
        Object *a = vm.newArray(args);
        a->put(names.callee, fn, PropertyFlag::DontEnum);
        a->put(names.caller, f.caller && f.caller->callee ? Value(f.caller->callee) : Value::null(),
               PropertyFlag::DontEnum);
        return a;
    };
    auto superObject = [&]() -> Value {
        return makeSuper(vm, f.thisValue, f.superProto);
    };

    if (!info.second) {
        activation->put(names.arguments, argumentsArray());
        if (f.cx.version >= 6)
            activation->put(names.superName, superObject());
    } else {
        uint16_t flags = info.flags;
        uint32_t reg = 1;
        auto load = [&](const Value &v) {
            if (reg < f.regCount)
                f.regs[reg] = v;
            ++reg;
        };
        // A preloaded value takes its register even when suppressed too; this
        // and super then stay undefined, arguments do not.
        if (flags & FunctionFlag::PreloadThis)
            load(flags & FunctionFlag::SuppressThis ? Value() : f.thisValue);
        if (flags & FunctionFlag::PreloadArguments)
            load(argumentsArray());
        else if (!(flags & FunctionFlag::SuppressArguments))
            activation->put(names.arguments, argumentsArray());
        if (flags & FunctionFlag::PreloadSuper)
            load(flags & FunctionFlag::SuppressSuper ? Value() : superObject());
        else if (!(flags & FunctionFlag::SuppressSuper))
            activation->put(names.superName, superObject());
        if (flags & FunctionFlag::PreloadRoot)
            load(vm.host.root(f.cx.target));
        // A timeline without a parent (a level) leaves its register to the
        // next value preloaded.
        if (flags & FunctionFlag::PreloadParent)
            if (Object *parent = f.cx.target && vm.host.isClip(f.cx.target) ? vm.host.parent(f.cx.target) : nullptr)
                load(parent);
        if (flags & FunctionFlag::PreloadGlobal)
            load(vm.global());
    }
    for (size_t i = 0; i < info.params.size(); ++i) {
        Value v = i < args.size() ? args[i] : Value();
        const FunctionInfo::Param &p = info.params[i];
        if (info.second && p.reg != 0 && p.reg < f.regCount)
            f.regs[p.reg] = v;
        else
            activation->put(p.name, v);
    }
    (void)cx;
}

Interpreter::Exit Interpreter::runTry(Frame &f, const Instr &in, uint32_t rangeEnd)
{
    Code &code = *f.code;
    uint32_t tryStart = in.end;
    uint32_t tryEnd = std::min(tryStart + in.a, rangeEnd);
    uint32_t catchEnd = std::min(tryEnd + in.b, rangeEnd);
    uint32_t finallyEnd = std::min(catchEnd + in.skip, rangeEnd);
    bool hasCatch = in.flags & 1;
    bool hasFinally = in.flags & 2;
    bool catchInRegister = in.flags & 4;
    Value *height = vm.top();

    Exit e{Exit::Left, finallyEnd};
    bool pending = false;
    Value thrown;
    try {
        e = run(f, code.at(tryStart), tryStart, tryEnd);
    } catch (const ScriptThrow &t) {
        vm.top() = std::max(f.base, std::min(height, vm.top()));
        thrown = t.value;
        pending = true;
    }
    if (pending && hasCatch) {
        pending = false;
        if (catchInRegister) {
            if (in.c < f.regCount)
                f.regs[in.c] = thrown;
        } else {
            String *name = code.constant(in.c).string();
            defineLocal(f, name, thrown);
        }
        try {
            e = run(f, code.at(tryEnd), tryEnd, catchEnd);
        } catch (const ScriptThrow &t) {
            if (!hasFinally)
                throw;
            vm.top() = std::max(f.base, std::min(height, vm.top()));
            thrown = t.value;
            pending = true;
        }
    }
    if (hasFinally) {
        Value result = f.result;
        TempRoot keepResult(vm, result), keepThrown(vm, thrown);
        Exit fe = run(f, code.at(catchEnd), catchEnd, finallyEnd);
        if (fe.kind != Exit::Left || fe.offset < catchEnd || fe.offset > finallyEnd)
            return fe; // the finally block returned or jumped away: that wins
        f.result = result;
    }
    if (pending)
        throw ScriptThrow{thrown};
    if (e.kind == Exit::Left && e.offset >= tryStart && e.offset <= finallyEnd)
        e.offset = finallyEnd;
    return e;
}

Interpreter::Exit Interpreter::run(Frame &f, uint32_t pc, uint32_t rangeStart, uint32_t rangeEnd)
{
    Code &code = *f.code;
    Context &cx = f.cx;
    Value *&sp = vm.top();
    Value *const base = f.base;
    Value *const limit = vm.stack() + Vm::kMaxStack;
    Host &host = vm.host;

    auto pop = [&]() -> Value { return sp > base ? *--sp : Value(); };
    auto push = [&](const Value &v) {
        if (sp >= limit)
            throw Abort(QStringLiteral("脚本栈溢出，已停止"));
        *sp++ = v;
    };
    auto number = [&](const Value &v) { return v.isNumber() ? v.number() : toNumber(cx, v); };
    // Moves to byte offset `to`; false when it lies outside this range.
    auto jump = [&](uint32_t to) {
        if (to < rangeStart || to >= rangeEnd)
            return false;
        pc = code.at(to);
        return true;
    };

    // A block the timeline or an event runs on a clip ends once a goto or a
    // removal takes that clip itself out of its parent (not when an
    // ancestor goes); functions run to their end.
    Object *const blockClip = !f.callee && host.isClip(f.origin) ? f.origin : nullptr;
    uint64_t removalsSeen = vm.removals();

    for (;;) {
        // One action can make a string or array of any size (s = s + s):
        // past the memory bound, collect or stop now, not at the next loop.
        if (vm.heap.full())
            vm.safePoint();
        if (blockClip && removalsSeen != vm.removals()) {
            removalsSeen = vm.removals();
            if (host.takenOut(blockClip))
                return {Exit::Ended, 0};
        }
        const Instr in = code.instr(pc);
        if (in.offset >= rangeEnd)
            return {Exit::Left, in.offset};
        pc = in.next;
        switch (in.op) {
        case Op::End:
            return {Exit::Ended, 0};
        case Op::Nop:
        case Op::StrictMode:
            break;
        case Op::PushConstant:
            push(code.constant(in.a));
            break;
        case Op::PushPool:
            push(f.pool && in.a < f.pool->entries.size() ? Value(f.pool->entries[in.a]) : Value());
            break;
        case Op::PushRegister:
            push(in.a < f.regCount ? f.regs[in.a] : Value());
            break;
        case Op::Pop:
            pop();
            break;
        case Op::PushDuplicate: {
            Value v = sp > base ? sp[-1] : Value();
            push(v);
            break;
        }
        case Op::StackSwap: {
            Value a = pop(), b = pop();
            push(a);
            push(b);
            break;
        }
        case Op::StoreRegister:
            if (in.a < f.regCount)
                f.regs[in.a] = sp > base ? sp[-1] : Value();
            break;

        // Arithmetic and logic.
        case Op::Add: {
            Value vb = pop(), va = pop();
            double a = number(va), b = number(vb);
            push(a + b);
            break;
        }
        case Op::Subtract: {
            Value vb = pop(), va = pop();
            double a = number(va), b = number(vb);
            push(a - b);
            break;
        }
        case Op::Multiply: {
            Value vb = pop(), va = pop();
            double a = number(va), b = number(vb);
            push(a * b);
            break;
        }
        case Op::Divide: {
            Value vb = pop(), va = pop();
            double a = number(va), b = number(vb);
            if (b == 0 && cx.version < 5)
                push(vm.name(QStringLiteral("#ERROR#")));
            else
                push(a / b);
            break;
        }
        case Op::Modulo: {
            Value vb = pop(), va = pop();
            double a = number(va), b = number(vb);
            push(std::fmod(a, b));
            break;
        }
        case Op::Add2: {
            Value b = pop(), a = pop();
            push(add(cx, a, b));
            break;
        }
        case Op::Increment:
            push(number(pop()) + 1);
            break;
        case Op::Decrement:
            push(number(pop()) - 1);
            break;
        case Op::Equals: {
            // The right operand converts first.
            Value vb = pop(), va = pop();
            double b = number(vb), a = number(va);
            push(Value(a == b));
            break;
        }
        case Op::Less: {
            Value vb = pop(), va = pop();
            double a = number(va), b = number(vb);
            push(Value(a < b));
            break;
        }
        case Op::Less2: {
            Value b = pop(), a = pop();
            push(lessThan(cx, a, b));
            break;
        }
        case Op::Greater: {
            Value b = pop(), a = pop();
            push(lessThan(cx, b, a));
            break;
        }
        case Op::Equals2: {
            Value b = pop(), a = pop();
            push(looselyEquals(cx, a, b));
            break;
        }
        case Op::StrictEquals: {
            Value b = pop(), a = pop();
            push(strictlyEquals(a, b));
            break;
        }
        case Op::And: {
            Value b = pop(), a = pop();
            bool r = toBoolean(cx, a) && toBoolean(cx, b);
            push(Value(r));
            break;
        }
        case Op::Or: {
            Value b = pop(), a = pop();
            bool r = toBoolean(cx, a) || toBoolean(cx, b);
            push(Value(r));
            break;
        }
        case Op::Not:
            push(Value(!toBoolean(cx, pop())));
            break;
        case Op::BitAnd:
        case Op::BitOr:
        case Op::BitXor:
        case Op::BitLShift:
        case Op::BitRShift:
        case Op::BitURShift: {
            Value vb = pop(), va = pop();
            int32_t a = toInt32(cx, va), b = toInt32(cx, vb);
            switch (in.op) {
            case Op::BitAnd:
                push(double(a & b));
                break;
            case Op::BitOr:
                push(double(a | b));
                break;
            case Op::BitXor:
                push(double(a ^ b));
                break;
            case Op::BitLShift:
                push(double(int32_t(uint32_t(a) << (b & 31))));
                break;
            case Op::BitRShift:
                push(double(a >> (b & 31)));
                break;
            default:
                // Shifting by nothing leaves the number signed up to SWF 8.
                push((b & 31) || cx.version > 8 ? double(uint32_t(a) >> (b & 31)) : double(a));
                break;
            }
            break;
        }
        case Op::ToInteger:
            push(double(toInt32(cx, pop())));
            break;
        case Op::ToNumber:
            push(number(pop()));
            break;
        case Op::ToString:
            push(toString(cx, pop()));
            break;
        case Op::TypeOf:
            push(typeOf(cx, pop()));
            break;

        // Strings.
        case Op::StringAdd: {
            Value b = pop(), a = pop();
            String *sa = toString(cx, a);
            String *sb = toString(cx, b);
            push(vm.string(sa->text() + sb->text()));
            break;
        }
        case Op::StringEquals: {
            Value b = pop(), a = pop();
            QString x = toQString(cx, a), y = toQString(cx, b);
            push(Value(x == y));
            break;
        }
        case Op::StringLess: {
            Value b = pop(), a = pop();
            QString x = toQString(cx, a), y = toQString(cx, b);
            push(Value(x < y));
            break;
        }
        case Op::StringGreater: {
            Value b = pop(), a = pop();
            QString x = toQString(cx, a), y = toQString(cx, b);
            push(Value(x > y));
            break;
        }
        case Op::StringLength:
        case Op::MBStringLength:
            push(double(toString(cx, pop())->length()));
            break;
        case Op::StringExtract:
        case Op::MBStringExtract: {
            int count = toInt(cx, pop());
            int index = toInt(cx, pop());
            QString s = toQString(cx, pop());
            index = std::max(index, 1) - 1;
            if (index > s.size())
                index = int(s.size());
            push(vm.string(count < 0 ? s.mid(index) : s.mid(index, count)));
            break;
        }
        case Op::CharToAscii:
        case Op::MBCharToAscii: {
            QString s = toQString(cx, pop());
            push(s.isEmpty() ? 0.0 : double(s[0].unicode()));
            break;
        }
        case Op::AsciiToChar:
        case Op::MBAsciiToChar: {
            int code = toInt(cx, pop());
            push(code == 0 ? vm.strings.empty() : vm.string(QString(QChar(char16_t(code)))));
            break;
        }

        // Control flow.
        case Op::Jump:
            if (in.a <= in.offset) {
                vm.safePoint();
            }
            if (!jump(in.a))
                return {Exit::Left, in.a};
            break;
        case Op::If:
            if (toBoolean(cx, pop())) {
                if (in.a <= in.offset)
                    vm.safePoint();
                if (!jump(in.a))
                    return {Exit::Left, in.a};
            }
            break;
        case Op::Return:
            f.result = pop();
            return {Exit::Returned, 0};
        case Op::Throw:
            throw ScriptThrow{pop()};
        case Op::Try: {
            Exit e = runTry(f, in, rangeEnd);
            if (e.kind != Exit::Left || !jump(e.offset))
                return e;
            break;
        }
        case Op::With: {
            Object *o = toObject(cx, pop());
            uint32_t start = in.end;
            uint32_t end = std::min(start + in.a, rangeEnd);
            // with(undefined) and with(null) skip their block, and so does a
            // with nested deeper than the player allows.
            if (!o || withDepth(f.scope) >= kMaxWithNesting) {
                if (!jump(end))
                    return {Exit::Left, end};
                break;
            }
            Scope *saved = f.scope;
            f.scope = vm.heap.make<Scope>(saved, o, Scope::With);
            Exit e;
            try {
                e = run(f, code.at(start), start, end);
            } catch (...) {
                f.scope = saved;
                throw;
            }
            f.scope = saved;
            if (e.kind != Exit::Left)
                return e;
            if (!jump(e.offset))
                return e;
            break;
        }

        // Variables and members.
        case Op::GetVariable: {
            String *name = vm.strings.intern(toString(cx, pop()));
            push(getVariable(f, name));
            break;
        }
        case Op::SetVariable: {
            Value v = pop();
            String *name = vm.strings.intern(toString(cx, pop()));
            setVariable(f, name, v);
            break;
        }
        case Op::DefineLocal: {
            Value v = pop();
            String *name = vm.strings.intern(toString(cx, pop()));
            defineLocal(f, name, v);
            break;
        }
        case Op::DefineLocal2: {
            String *name = vm.strings.intern(toString(cx, pop()));
            for (Scope *s = f.scope; s; s = s->parent()) {
                if (s->kind() != Scope::With) {
                    // Defined along the prototype chain counts as defined.
                    if (!s->object()->has(cx, name))
                        s->object()->set(cx, name, Value());
                    break;
                }
            }
            break;
        }
        case Op::Delete: {
            String *name = vm.strings.intern(toString(cx, pop()));
            // Without an object (undefined), the name is a variable up to SWF 6.
            Value object = pop();
            Object *o = object.asObject();
            push(o ? o->remove(cx, name) : object.isUndefined() && cx.version < 7 && deleteVariable(f, name));
            break;
        }
        case Op::Delete2: {
            String *name = vm.strings.intern(toString(cx, pop()));
            push(deleteVariable(f, name));
            break;
        }
        case Op::GetMember: {
            Value nameValue = pop();
            Value object = pop();
            Object *o = toObject(cx, object);
            if (!o) {
                push(Value());
                break;
            }
            if (host.isClip(o))
                o = host.follow(o);
            String *name = vm.strings.intern(toString(cx, nameValue));
            push(o ? o->get(cx, name) : Value());
            break;
        }
        case Op::SetMember: {
            Value v = pop();
            Value nameValue = pop();
            Object *o = pop().asObject();
            if (o && host.isClip(o))
                o = host.follow(o);
            if (o)
                o->set(cx, vm.strings.intern(toString(cx, nameValue)), v);
            break;
        }
        case Op::InitArray: {
            // A count no array can have gives undefined and takes nothing.
            double n = toNumber(cx, pop());
            if (!(n >= 0 && n <= 2147483647.0)) {
                push(Value());
                break;
            }
            int count = int(n);
            Object *a = vm.newArray();
            for (int i = 0; i < count && sp > base; ++i)
                arraySet(cx, a, uint32_t(i), pop());
            push(a);
            break;
        }
        case Op::InitObject: {
            int count = toInt(cx, pop());
            Object *o = vm.newObject();
            for (int i = 0; i < count && sp > base; ++i) {
                Value v = pop();
                o->set(cx, vm.strings.intern(toString(cx, pop())), v);
            }
            push(o);
            break;
        }
        case Op::Enumerate:
        case Op::Enumerate2: {
            Value v = pop();
            Object *o = in.op == Op::Enumerate2 ? v.asObject()
                                                : getVariable(f, vm.strings.intern(toString(cx, v))).asObject();
            push(Value::null());
            if (!o)
                break;
            if (host.isClip(o))
                o = host.follow(o);
            if (!o)
                break;
            std::vector<String *> names;
            o->enumerate(cx, names);
            for (auto it = names.rbegin(); it != names.rend(); ++it)
                push(*it);
            break;
        }
        case Op::InstanceOf: {
            Value c = pop(), o = pop();
            push(instanceOf(cx, o, c));
            break;
        }
        case Op::CastOp: {
            Value o = pop(), c = pop();
            Object *object = coercedForInstanceOf(cx, o);
            push(object && instanceOf(cx, object, c) ? Value(object) : Value::null());
            break;
        }
        case Op::ImplementsOp: {
            Object *c = pop().asObject();
            int count = toInt(cx, pop());
            std::vector<Object *> list;
            for (int i = 0; i < count && sp > base; ++i)
                if (Object *iface = pop().asObject())
                    list.push_back(iface);
            if (c)
                if (Object *proto = c->get(cx, vm.names.prototype).asObject())
                    proto->setInterfaces(std::move(list));
            break;
        }
        case Op::Extends: {
            Object *superclass = pop().asObject();
            Object *subclass = pop().asObject();
            if (!superclass || !subclass)
                break;
            Object *proto = vm.heap.make<Object>(superclass->get(cx, vm.names.prototype).asObject());
            proto->put(vm.names.hiddenConstructor, superclass, PropertyFlag::DontEnum);
            subclass->set(cx, vm.names.prototype, proto);
            break;
        }

        // Functions.
        case Op::ConstantPool:
            f.pool = code.pool(in.a);
            break;
        case Op::DefineFunction:
        case Op::DefineFunction2: {
            const FunctionInfo *info = &code.function(in.a);
            auto *fn = makeFunction(vm, code, info, f.scope, f.pool, f.cx.target);
            if (info->name->text().isEmpty())
                push(fn);
            else
                defineLocal(f, info->name, fn);
            break;
        }
        case Op::CallFunction: {
            String *name = vm.strings.intern(toString(cx, pop()));
            int argc = std::max(0, toInt(cx, pop()));
            Args args = takeArgs(sp, base, argc);
            Value fn = getVariable(f, name);
            Value thisValue;
            // A function found on a clip or on a with object is called on it.
            if (Object *holder = variableHolder(f, name); holder && (host.isClip(holder) || isWithObject(f, holder)))
                thisValue = holder;
            Value result = invoke(cx, fn, thisValue, args);
            sp = const_cast<Value *>(args.data());
            push(result);
            break;
        }
        case Op::CallMethod: {
            Value nameValue = pop();
            Value object = pop();
            int argc = std::max(0, toInt(cx, pop()));
            Args args = takeArgs(sp, base, argc);
            Value result = invokeMethod(cx, object, nameValue, args);
            sp = const_cast<Value *>(args.data());
            push(result);
            break;
        }
        case Op::NewObject: {
            String *name = vm.strings.intern(toString(cx, pop()));
            int argc = std::max(0, toInt(cx, pop()));
            Args args = takeArgs(sp, base, argc);
            Value ctor = getVariable(f, name);
            Value result = instantiate(cx, ctor, args);
            sp = const_cast<Value *>(args.data());
            push(result);
            break;
        }
        case Op::NewMethod: {
            Value nameValue = pop();
            Value object = pop();
            int argc = std::max(0, toInt(cx, pop()));
            Args args = takeArgs(sp, base, argc);
            Value ctor = object;
            if (!(nameValue.isUndefined() || (nameValue.isString() && nameValue.string()->text().isEmpty())))
                if (Object *o = toObject(cx, object))
                    ctor = o->get(cx, vm.strings.intern(toString(cx, nameValue)));
            Value result = instantiate(cx, ctor, args);
            sp = const_cast<Value *>(args.data());
            push(result);
            break;
        }

        // The movie.
        case Op::Trace: {
            Value v = pop();
            host.trace(traceText(cx, v));
            break;
        }
        case Op::GetTime:
            push(double(vm.milliseconds()));
            break;
        case Op::RandomNumber: {
            int max = toInt(cx, pop());
            push(max > 0 ? double(QRandomGenerator::global()->bounded(max)) : 0.0);
            break;
        }
        case Op::TargetPath: {
            Object *o = pop().asObject();
            if (o && host.isClip(o))
                push(vm.string(host.targetPath(o, false)));
            else
                push(Value());
            break;
        }
        case Op::SetTarget:
        case Op::SetTarget2:
            cx.target = setTarget(f, in.op == Op::SetTarget ? code.constant(in.a) : pop());
            if (cx.target)
                f.scope = retargeted(vm.heap, f.scope, cx.target);
            break;
        case Op::GetProperty: {
            int index = toInt(cx, pop());
            Value target = pop();
            push(getProperty(f, target, index));
            break;
        }
        case Op::SetProperty: {
            Value v = pop();
            int index = toInt(cx, pop());
            Value target = pop();
            setProperty(f, target, index, v);
            break;
        }
        case Op::NextFrame:
        case Op::PrevFrame:
        case Op::Play:
        case Op::Stop:
        case Op::ToggleQuality:
        case Op::StopSounds:
        case Op::EndDrag:
            timelineControl(f, in.op);
            break;
        case Op::GotoFrame:
            if (Object *t = liveTarget(f))
                host.gotoFrame(t, int(in.a), false);
            break;
        case Op::GotoLabel:
            gotoLabel(f, code.constant(in.a).string()->text());
            break;
        case Op::GotoFrame2:
            gotoFrame2(f, pop(), in.flags & 1, int(in.a));
            break;
        case Op::Call:
            callFrame(f, pop());
            break;
        case Op::WaitForFrame:
        case Op::WaitForFrame2: {
            Value frame = in.op == Op::WaitForFrame ? Value(double(in.a)) : pop();
            if (!frameLoaded(f, frame, in.op == Op::WaitForFrame)) {
                // Skip the given number of actions.
                uint32_t at = in.end;
                for (int i = 0; i < in.skip; ++i)
                    at = code.instr(code.at(at)).end;
                if (!jump(at))
                    return {Exit::Left, at};
            }
            break;
        }
        case Op::GetUrl:
            host.getUrl(cx, code.constant(in.a).string()->text(), code.constant(in.b).string()->text(), 0, false,
                        false);
            break;
        case Op::GetUrl2: {
            QString target = toQString(cx, pop());
            QString url = toQString(cx, pop());
            host.getUrl(cx, url, target, in.flags & 3, in.flags & 0x40, in.flags & 0x80);
            break;
        }
        case Op::CloneSprite: {
            int depth = toInt(cx, pop());
            QString name = toQString(cx, pop());
            Object *source = resolveTarget(f, pop());
            if (source && host.isClip(source))
                host.cloneSprite(cx, source, name, depth);
            break;
        }
        case Op::RemoveSprite: {
            Object *clip = resolveTarget(f, pop());
            if (clip && host.isClip(clip))
                host.removeSprite(cx, clip);
            break;
        }
        case Op::StartDrag: {
            Object *clip = resolveTarget(f, pop());
            bool lockCenter = toBoolean(cx, pop());
            bool constrained = toBoolean(cx, pop());
            double bounds[4];
            if (constrained) {
                bounds[3] = number(pop());
                bounds[2] = number(pop());
                bounds[1] = number(pop());
                bounds[0] = number(pop());
            }
            if (clip && host.isClip(clip))
                host.startDrag(cx, clip, lockCenter, constrained ? bounds : nullptr);
            break;
        }
        default:
            // Unknown actions are skipped.
            break;
        }
    }
}

}
