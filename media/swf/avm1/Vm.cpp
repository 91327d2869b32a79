#include "Vm.h"

#include "Abort.h"
#include "ArrayData.h"
#include "Calls.h"
#include "Code.h"
#include "Convert.h"
#include "Host.h"
#include "Interpreter.h"
#include "builtins/Builtins.h"

#include <QDateTime>
#include <cstdlib>

namespace swf::avm1 {

namespace {

constexpr size_t kMaxRegisters = size_t(Vm::kMaxRecursion + 2) * 256;
constexpr uint32_t kIndexNames = 1024;

// Counts native code waiting on a script it called.
class NativeCall {
public:
    explicit NativeCall(Vm &vm) : vm(vm) { ++vm.nativeCalls; }
    ~NativeCall() { --vm.nativeCalls; }

private:
    Vm &vm;
};

}

CallDepth::CallDepth(Vm &vm) : vm(vm)
{
    if (vm.depth >= Vm::kMaxRecursion)
        throw Abort(QStringLiteral("脚本递归超过 %1 层，已停止").arg(Vm::kMaxRecursion));
    ++vm.depth;
}

CallDepth::~CallDepth()
{
    --vm.depth;
}

TempRoot::TempRoot(Vm &vm, const Value &value) : vm(vm)
{
    vm.tempRoots.push_back(value);
}

TempRoot::~TempRoot()
{
    vm.tempRoots.pop_back();
}

Vm::Vm(Host &host, int playerMajor)
    : host(host), strings(heap), versionText(QStringLiteral("LNX %1,0,0,0").arg(playerMajor > 0 ? playerMajor : 8))
{
    // Zeroed memory is undefined values; pages are only touched as used.
    stackBase = static_cast<Value *>(std::calloc(kMaxStack, sizeof(Value)));
    regBase = static_cast<Value *>(std::calloc(kMaxRegisters, sizeof(Value)));
    if (!stackBase || !regBase)
        throw std::bad_alloc();
    sp = stackBase;
    regTop = regBase;
    interpreterPart = std::make_unique<Interpreter>(*this);

    auto n = [this](const char *s) { return strings.permanent(QString::fromLatin1(s)); };
    names = Names{n("length"), n("prototype"), n("__proto__"), n("constructor"), n("__constructor__"),
                  n("toString"), n("valueOf"), n("__resolve"), n("this"), n("arguments"), n("callee"),
                  n("caller"), n("super"), n("_global"), n("_root"), n("_parent"), n("name"), n("message"),
                  n("addProperty"), n("String")};
    indexNames.reserve(kIndexNames);
    for (uint32_t i = 0; i < kIndexNames; ++i)
        indexNames.push_back(strings.permanent(QString::number(i)));

    protos.object = heap.make<Object>(nullptr);
    protos.function = heap.make<Object>(protos.object);
    // _global has no prototype: it is an object without methods.
    globalObject = heap.make<Object>(nullptr);
    heap.addRoots(this);
    installBuiltins(*this);
    clock.start();
}

Vm::~Vm()
{
    heap.removeRoots(this);
    std::free(stackBase);
    std::free(regBase);
}

String *Vm::indexName(uint32_t i)
{
    return i < indexNames.size() ? indexNames[i] : strings.intern(QString::number(i));
}

template <class F> Value Vm::enter(F &&body)
{
    if (scriptsOff)
        return Value();
    bool outermost = blocks == 0;
    if (outermost) {
        if (turns == 0)
            started.start();
        else if (turnOver)
            return Value();
        abortReason.clear();
    }
    ++blocks;
    Value *height = sp;
    Value result;
    try {
        result = body();
    } catch (const Abort &abort) {
        if (abortReason.isEmpty()) {
            abortReason = abort.why();
            host.warn(abort.why());
        }
    } catch (const ScriptThrow &thrown) {
        // An uncaught script exception ends what the movie started; the
        // player names it in the trace output.
        reportUncaught(thrown.value);
    }
    sp = height;
    --blocks;
    if (outermost && nativeCalls == 0 && heap.wantsCollection())
        heap.collect();
    return result;
}

void Vm::reportUncaught(const Value &thrown)
{
    Value *height = sp;
    QString text;
    try {
        TempRoot keep(*this, thrown);
        Context cx(*this, swfVersion, nullptr);
        text = toQString(cx, thrown);
    } catch (const ScriptThrow &) {
        // Its own conversion threw: the warning names nothing.
    } catch (const Abort &abort) {
        sp = height;
        host.warn(abort.why());
        return;
    }
    sp = height;
    host.trace(QStringLiteral("Warning: Uncaught exception, ") + text);
}

void Vm::runBlock(const QByteArray &bytes, int version, Object *clip)
{
    enter([&] {
        interpreterPart->runBlock(code(bytes, version), clip);
        return Value();
    });
}

Value Vm::callFromHost(const Value &function, const Value &thisValue, Args args)
{
    return enter([&] {
        // The arguments go on the stack, where the collector sees them.
        if (args.size() + 2 > size_t(stackBase + kMaxStack - sp))
            throw Abort(QStringLiteral("脚本栈溢出，已停止"));
        Value *base = sp;
        for (const Value &v : {function, thisValue})
            *sp++ = v;
        for (const Value &v : args)
            *sp++ = v;
        Context cx(*this, swfVersion, nullptr);
        Value result = invoke(cx, base[0], base[1], Args(base + 2, args.size()));
        sp = base;
        return result;
    });
}

Value Vm::callMethodFromHost(Object *object, String *name, Args args)
{
    return enter([&] {
        if (args.size() + 1 > size_t(stackBase + kMaxStack - sp))
            throw Abort(QStringLiteral("脚本栈溢出，已停止"));
        Value *base = sp;
        *sp++ = object;
        for (const Value &v : args)
            *sp++ = v;
        Context cx(*this, swfVersion, host.isClip(object) ? object : nullptr);
        Value result = invokeMethod(cx, base[0], name, Args(base + 1, args.size()));
        sp = base;
        return result;
    });
}

void Vm::runTimers(qint64 now)
{
    movieNow = now;
    timerList.run(*this, now);
}

void Vm::registerClass(const QString &symbol, Object *constructor)
{
    classOrder.removeOne(symbol);
    if (constructor) {
        classes.insert(symbol, constructor);
        classOrder.append(symbol);
    } else {
        classes.remove(symbol);
    }
}

QString Vm::symbolOf(const Object *constructor) const
{
    for (qsizetype i = classOrder.size() - 1; i >= 0; --i)
        if (classes.value(classOrder[i]) == constructor)
            return classOrder[i];
    return QString();
}

Object *Vm::registeredClass(const QString &symbol) const
{
    return classes.value(symbol);
}

Value Vm::call(Context &cx, const Value &function, const Value &thisValue, Args args)
{
    NativeCall guard(*this);
    return invoke(cx, function, thisValue, args);
}

Value Vm::callMethod(Context &cx, const Value &object, String *name, Args args)
{
    NativeCall guard(*this);
    return invokeMethod(cx, object, name, args);
}

Value Vm::construct(Context &cx, const Value &constructor, Args args)
{
    NativeCall guard(*this);
    return instantiate(cx, constructor, args);
}

Object *Vm::newObject()
{
    return heap.make<Object>(protos.object);
}

Object *Vm::newArray(Args items)
{
    Object *a = heap.make<Object>(protos.array);
    auto data = std::make_unique<ArrayData>();
    data->length = int32_t(items.size());
    a->setNative(std::move(data));
    for (size_t i = 0; i < items.size(); ++i)
        a->put(indexName(uint32_t(i)), items[i]);
    return a;
}

NativeFunction *Vm::newFunction(NativeFn fn, NativeFn construct, int data)
{
    return heap.make<NativeFunction>(protos.function, fn, construct, data);
}

NativeFunction *Vm::method(Object *on, const char *name, NativeFn fn, int data)
{
    NativeFunction *f = newFunction(fn, nullptr, data);
    on->put(strings.permanent(QString::fromLatin1(name)), f, PropertyFlag::DontEnum | PropertyFlag::DontDelete);
    return f;
}

NativeFunction *Vm::method(Object *on, const char *name, NativeId id, NativeFn fn, int data)
{
    natives.add(id, {fn, nullptr, data});
    return method(on, name, fn, data);
}

void Vm::property(Object *on, const char *name, const Value &value)
{
    on->put(strings.permanent(QString::fromLatin1(name)), value, PropertyFlag::DontEnum | PropertyFlag::DontDelete);
}

NativeFunction *Vm::makeClass(Object *on, const char *name, NativeFn ctor, NativeFn call, Object *prototype)
{
    NativeFunction *f = newFunction(call ? call : ctor, ctor);
    f->put(names.prototype, prototype, PropertyFlag::DontEnum | PropertyFlag::DontDelete);
    prototype->put(names.constructor, f, PropertyFlag::DontEnum | PropertyFlag::DontDelete);
    if (on)
        on->put(strings.permanent(QString::fromLatin1(name)), f, PropertyFlag::DontEnum);
    return f;
}

void Vm::checkTime()
{
    if (!abortReason.isEmpty())
        throw Abort(abortReason);
    if (started.isValid() && started.elapsed() > timeLimitMs) {
        turnOver = turns > 0;
        throw Abort(QStringLiteral("脚本运行超过 %1 秒，已停止").arg(timeLimitMs / 1000.0));
    }
}

void Vm::beginTurn()
{
    if (turns++ > 0)
        return;
    turnOver = false;
    // A turn begun by a running script (a goto that runs queued actions)
    // keeps that script's clock.
    if (blocks == 0)
        started.start();
}

void Vm::endTurn()
{
    --turns;
}

void Vm::safePoint()
{
    // The clock is read every 1024th safe point, and as soon as 16 MB were
    // made since it was last read: a loop copying a large string spends
    // seconds in far fewer iterations.
    if ((++timeChecks & 1023) == 0 || heap.bytesMade() - bytesAtTimeCheck > (16u << 20)) {
        bytesAtTimeCheck = heap.bytesMade();
        checkTime();
    }
    // Past the bound counts too: a few large cells (bitmaps) can pass it
    // long before enough cells were made to collect.
    if (!heap.wantsCollection() && !heap.full())
        return;
    if (nativeCalls) {
        // Native code waits on this script: no collection, but the bound holds.
        if (heap.full()) {
            scriptsOff = true;
            throw Abort(QStringLiteral("影片脚本占用内存超过上限，已停止运行此影片的脚本"));
        }
        return;
    }
    heap.collect();
    if (heap.full()) {
        scriptsOff = true;
        throw Abort(QStringLiteral("影片脚本占用内存超过上限，已停止运行此影片的脚本"));
    }
    // A collection of a big heap takes long, and a script that keeps the
    // heap at its bound collects at almost every safe point: the clock is
    // read after each one.
    checkTime();
}

double Vm::now() const
{
    return wallClock ? wallClock() : double(QDateTime::currentMSecsSinceEpoch());
}

qint64 Vm::milliseconds() const
{
    return clock.elapsed();
}

std::shared_ptr<Code> Vm::code(const QByteArray &bytes, int version)
{
    auto &slot = codes[bytes];
    if (!slot || slot->version() != version)
        slot = std::make_shared<Code>(bytes, version, heap, strings);
    return slot;
}

void Vm::traceRoots(Tracer &tracer)
{
    tracer.mark(globalObject);
    for (Object *p : {protos.object, protos.function, protos.array, protos.string, protos.number, protos.boolean,
                      protos.date, protos.error, protos.xmlNode, protos.xml, protos.point, protos.rectangle,
                      protos.matrix, protos.colorTransform, protos.transform, protos.stringClass})
        tracer.mark(p);
    for (Value *v = stackBase; v < sp; ++v)
        tracer.mark(*v);
    for (Value *v = regBase; v < regTop; ++v)
        tracer.mark(*v);
    interpreterPart->trace(tracer);
    for (const auto &c : std::as_const(codes))
        c->trace(tracer);
    timerList.trace(tracer);
    for (const Value &v : tempRoots)
        tracer.mark(v);
    for (Object *c : std::as_const(classes))
        tracer.mark(c);
}

}
