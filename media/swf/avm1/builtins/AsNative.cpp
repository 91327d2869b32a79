// The global functions that reach built-ins by their numbers: ASnative,
// ASconstructor, ASSetNative and ASSetNativeAccessor. The numbers are in
// the machine's native table, filled by each class as it installs itself.
#include "Builtins.h"

#include "swf/avm1/Convert.h"
#include "swf/avm1/Frame.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Interpreter.h"
#include "swf/avm1/Vm.h"

#include <cmath>
#include <limits>

namespace swf::avm1 {

namespace {

constexpr int kMathCategory = 200;

// ASnew: whether the script function calling it runs as a constructor.
Value asNew(Context &cx, const Value &, Args)
{
    Frame *caller = cx.vm.interpreter().current();
    return caller && caller->constructing;
}

Value traceFn(Context &cx, const Value &, Args args)
{
    cx.vm.host.trace(traceText(cx, arg(args, 0)));
    return Value();
}

// A Math number past the known ones: converts its first two arguments as
// the others do, then has no answer.
Value mathUnknown(Context &cx, const Value &, Args args)
{
    for (size_t i = 0; i < args.size() && i < 2; ++i)
        toNumber(cx, args[i]);
    return std::numeric_limits<double>::quiet_NaN();
}

// A new function object for native `id`, or null when nothing has that
// number.
NativeFunction *nativeFunction(Vm &vm, NativeId id)
{
    if (const NativeEntry *entry = vm.natives.find(id))
        return vm.newFunction(entry->call, entry->construct, entry->data);
    if (id.category == kMathCategory && id.index >= 0)
        return vm.newFunction(mathUnknown);
    return nullptr;
}

// The category and index of ASnative(category, index) and ASconstructor.
bool readId(Context &cx, Args args, NativeId &id)
{
    if (args.size() < 2)
        return false;
    // A category that is no number finds nothing; such an index is 0.
    double category = toNumber(cx, args[0]);
    if (std::isnan(category))
        return false;
    id = {toInt32(category), toInt32(toNumber(cx, args[1]))};
    return true;
}

Value asNative(Context &cx, const Value &, Args args)
{
    NativeId id;
    if (args.size() != 2 || !readId(cx, args, id))
        return Value();
    NativeFunction *f = nativeFunction(cx.vm, id);
    return f ? Value(f) : Value();
}

// A constructor for native `id`, with a prototype of its own.
Value asConstructor(Context &cx, const Value &, Args args)
{
    NativeId id;
    if (!readId(cx, args, id))
        return Value();
    const NativeEntry *entry = cx.vm.natives.find(id);
    if (!entry)
        return Value();
    NativeFn construct = entry->construct ? entry->construct : entry->call;
    return cx.vm.makeClass(nullptr, nullptr, construct, entry->call, cx.vm.newObject());
}

// One name of an ASSetNative list: a leading "1", "6" to "9" or "10" is the
// first SWF version that sees the property, and not part of the name.
struct NativeName {
    QString name;
    uint16_t flags = 0;
};

NativeName parseName(const QString &entry)
{
    static const uint16_t versions[] = {PropertyFlag::OnlySwf6Up, PropertyFlag::OnlySwf7Up,
                                        PropertyFlag::OnlySwf8Up, PropertyFlag::OnlySwf9Up};
    if (entry.startsWith(QLatin1String("10")))
        return {entry.mid(2), PropertyFlag::OnlySwf10Up};
    QChar first = entry.isEmpty() ? QChar() : entry[0];
    if (first == QLatin1Char('1'))
        return {entry.mid(1), 0};
    if (first >= QLatin1Char('6') && first <= QLatin1Char('9'))
        return {entry.mid(1), versions[first.unicode() - '6']};
    return {entry, 0};
}

// Calls `each(name, flags, position)` for the names of an ASSetNative list;
// an empty name still takes its position.
template <class F> void forEachName(const QString &list, F each)
{
    int position = 0;
    for (const QString &entry : list.split(QLatin1Char(','))) {
        NativeName n = parseName(entry);
        if (!n.name.isEmpty())
            each(n, position);
        ++position;
    }
}

// The arguments of ASSetNative and ASSetNativeAccessor: (object, category,
// "names", first); no object when they cannot be used.
struct NativeList {
    Object *o = nullptr;
    int category = 0;
    QString names;
    int first = 0;
};

NativeList nativeList(Context &cx, Args args)
{
    NativeList list;
    Object *o = arg(args, 0).asObject();
    if (!o || args.size() < 3)
        return list;
    list.category = toInt(cx, args[1]);
    list.names = toQString(cx, args[2]);
    list.first = args.size() > 3 ? toInt(cx, args[3]) : 0;
    list.o = o;
    return list;
}

// ASSetNative(object, category, "names", first): natives first, first+1...
// as methods of `object`. A property it already has keeps its flags.
Value asSetNative(Context &cx, const Value &, Args args)
{
    const NativeList list = nativeList(cx, args);
    Object *o = list.o;
    if (!o)
        return Value();
    Vm &vm = cx.vm;
    forEachName(list.names, [&](const NativeName &n, int position) {
        NativeFunction *f = nativeFunction(vm, {list.category, list.first + position});
        if (!f)
            return;
        String *name = vm.name(n.name);
        Property *p = o->findOwn(name, cx.caseSensitive());
        if (p && !p->isVirtual)
            p->value = f;
        else
            o->put(name, f, n.flags);
    });
    return Value();
}

// ASSetNativeAccessor(object, category, "names", first): each name becomes
// a property with getter first+2k and setter first+2k+1.
Value asSetNativeAccessor(Context &cx, const Value &, Args args)
{
    const NativeList list = nativeList(cx, args);
    Object *o = list.o;
    if (!o)
        return Value();
    Vm &vm = cx.vm;
    forEachName(list.names, [&](const NativeName &n, int position) {
        NativeFunction *getter = nativeFunction(vm, {list.category, list.first + 2 * position});
        NativeFunction *setter = nativeFunction(vm, {list.category, list.first + 2 * position + 1});
        if (getter)
            o->putVirtual(vm.name(n.name), getter, setter, n.flags);
    });
    return Value();
}

}

void installAsNative(Vm &vm)
{
    vm.natives.add({2, 0}, {asNew});
    vm.natives.add({100, 4}, {traceFn});
    Object *g = vm.global();
    vm.method(g, "ASnative", asNative);
    vm.method(g, "ASconstructor", asConstructor);
    vm.method(g, "ASSetNative", asSetNative);
    vm.method(g, "ASSetNativeAccessor", asSetNativeAccessor);
}

}
