// Array: its constructor and methods. The methods work on any object with
// a length, as the original player's do.
#include "Builtins.h"

#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "ArraySort.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace swf::avm1 {

namespace {

// Natives walking long arrays check the time limit now and then.
void tick(Context &cx, uint32_t i)
{
    if ((i & 0xFFF) == 0xFFF)
        cx.vm.checkTime();
}

Object *self(Context &cx, const Value &thisValue)
{
    return toObject(cx, thisValue);
}

// A relative position argument: negative counts from the end.
uint32_t position(Context &cx, const Value &v, uint32_t length, uint32_t fallback)
{
    if (v.isUndefined())
        return fallback;
    double d = toNumber(cx, v);
    if (std::isnan(d))
        return 0;
    d = std::trunc(d);
    if (d < 0)
        d = std::max(0.0, d + length);
    return uint32_t(std::min(d, double(length)));
}

Value construct(Context &cx, const Value &thisValue, Args args)
{
    Object *a = thisValue.asObject();
    if (!a)
        return Value();
    a->setNative(std::make_unique<ArrayData>());
    if (args.size() == 1 && args[0].isNumber()) {
        a->nativeAs<ArrayData>()->length = toInt32(args[0].number());
        return a;
    }
    for (size_t i = 0; i < args.size(); ++i)
        arraySet(cx, a, uint32_t(i), args[i]);
    return a;
}

Value call(Context &cx, const Value &, Args args)
{
    Object *a = cx.vm.newArray();
    return construct(cx, a, args);
}

Value push(Context &cx, const Value &thisValue, Args args)
{
    Object *a = self(cx, thisValue);
    if (!a)
        return Value();
    uint32_t n = arrayLength(cx, a);
    for (size_t i = 0; i < args.size(); ++i)
        arraySet(cx, a, n + uint32_t(i), args[i]);
    setArrayLength(cx, a, n + uint32_t(args.size()));
    return double(n + args.size());
}

Value pop(Context &cx, const Value &thisValue, Args)
{
    Object *a = self(cx, thisValue);
    if (!a)
        return Value();
    uint32_t n = arrayLength(cx, a);
    if (n == 0)
        return Value();
    Value last = arrayGet(cx, a, n - 1);
    arrayRemove(cx, a, n - 1);
    setArrayLength(cx, a, n - 1);
    return last;
}

// Moves elements [from, from + count) to start at `to`; holes become
// undefined elements, as the player's shift and splice make them.
void move(Context &cx, Object *a, uint32_t from, uint32_t to, uint32_t count)
{
    auto step = [&](uint32_t i) {
        arraySet(cx, a, to + i, arrayGet(cx, a, from + i));
        tick(cx, i);
    };
    if (to < from)
        for (uint32_t i = 0; i < count; ++i)
            step(i);
    else
        for (uint32_t i = count; i-- > 0;)
            step(i);
}

// The elements 0 to n - 1, holes as undefined, and the array emptied of
// them: shift and unshift write the array anew, which is the order for..in
// lists it in afterwards.
std::vector<Value> takeElements(Context &cx, Object *a, uint32_t n)
{
    std::vector<Value> values;
    values.reserve(std::min<uint32_t>(n, 1u << 20));
    for (uint32_t i = 0; i < n; ++i) {
        values.push_back(arrayGet(cx, a, i));
        arrayRemove(cx, a, i);
        tick(cx, i);
    }
    return values;
}

Value shift(Context &cx, const Value &thisValue, Args)
{
    Object *a = self(cx, thisValue);
    if (!a)
        return Value();
    uint32_t n = arrayLength(cx, a);
    if (n == 0)
        return Value();
    std::vector<Value> values = takeElements(cx, a, n);
    for (uint32_t i = 1; i < n; ++i)
        arraySet(cx, a, i - 1, values[i]);
    setArrayLength(cx, a, n - 1);
    return values[0];
}

Value unshift(Context &cx, const Value &thisValue, Args args)
{
    Object *a = self(cx, thisValue);
    if (!a)
        return Value();
    uint32_t n = arrayLength(cx, a);
    uint32_t k = uint32_t(args.size());
    std::vector<Value> values = takeElements(cx, a, n);
    for (uint32_t i = n; i-- > 0;)
        arraySet(cx, a, i + k, values[i]);
    for (uint32_t i = 0; i < k; ++i)
        arraySet(cx, a, i, args[i]);
    setArrayLength(cx, a, n + k);
    return double(n + k);
}

Value slice(Context &cx, const Value &thisValue, Args args)
{
    Object *a = self(cx, thisValue);
    Object *out = cx.vm.newArray();
    if (!a)
        return out;
    uint32_t n = arrayLength(cx, a);
    uint32_t start = position(cx, arg(args, 0), n, 0);
    uint32_t end = position(cx, arg(args, 1), n, n);
    for (uint32_t i = start, j = 0; i < end; ++i, ++j) {
        arraySet(cx, out, j, arrayGet(cx, a, i));
        tick(cx, j);
    }
    setArrayLength(cx, out, end > start ? end - start : 0);
    return out;
}

Value splice(Context &cx, const Value &thisValue, Args args)
{
    Object *a = self(cx, thisValue);
    if (!a || args.empty() || args[0].isUndefined())
        return Value();
    uint32_t n = arrayLength(cx, a);
    uint32_t start = position(cx, args[0], n, 0);
    uint32_t count = n - start;
    if (args.size() > 1) {
        double d = toNumber(cx, args[1]);
        // A count that is no number or negative splices nothing and gives nothing.
        if (std::isnan(d) || d < 0)
            return Value();
        count = uint32_t(std::min(d, double(n - start)));
    }
    Object *removed = cx.vm.newArray();
    for (uint32_t i = 0; i < count; ++i)
        arraySet(cx, removed, i, arrayGet(cx, a, start + i));
    uint32_t added = args.size() > 2 ? uint32_t(args.size() - 2) : 0;
    if (added != count) {
        move(cx, a, start + count, start + added, n - start - count);
        for (uint32_t i = n - count + added; i < n; ++i)
            arrayRemove(cx, a, i);
    }
    for (uint32_t i = 0; i < added; ++i)
        arraySet(cx, a, start + i, args[2 + i]);
    setArrayLength(cx, a, n - count + added);
    return removed;
}

Value concat(Context &cx, const Value &thisValue, Args args)
{
    Object *a = self(cx, thisValue);
    Object *out = cx.vm.newArray();
    uint32_t j = 0;
    auto append = [&](const Value &v) {
        Object *o = v.asObject();
        if (o && o->nativeAs<ArrayData>()) {
            uint32_t n = arrayLength(cx, o);
            for (uint32_t i = 0; i < n; ++i, ++j) {
                if (arrayHas(cx, o, i))
                    arraySet(cx, out, j, arrayGet(cx, o, i));
                tick(cx, j);
            }
        } else {
            arraySet(cx, out, j++, v);
        }
    };
    if (a)
        append(a);
    for (const Value &v : args)
        append(v);
    setArrayLength(cx, out, j);
    return out;
}

QString joined(Context &cx, Object *a, const QString &separator)
{
    uint32_t n = arrayLength(cx, a);
    QString out;
    for (uint32_t i = 0; i < n; ++i) {
        if (i)
            out += separator;
        out += toQString(cx, arrayGet(cx, a, i));
        if (out.size() > StringTable::kMaxLength)
            cx.vm.string(out); // ends the script as any overlong string does
        tick(cx, i);
    }
    return out;
}

Value join(Context &cx, const Value &thisValue, Args args)
{
    Object *a = self(cx, thisValue);
    if (!a)
        return Value();
    QString separator = args.empty() || args[0].isUndefined() ? QStringLiteral(",") : toQString(cx, args[0]);
    return cx.vm.string(joined(cx, a, separator));
}

Value toStringMethod(Context &cx, const Value &thisValue, Args)
{
    Object *a = self(cx, thisValue);
    if (!a)
        return Value();
    return cx.vm.string(joined(cx, a, QStringLiteral(",")));
}

Value reverse(Context &cx, const Value &thisValue, Args)
{
    Object *a = self(cx, thisValue);
    if (!a)
        return Value();
    uint32_t n = arrayLength(cx, a);
    for (uint32_t i = 0; i < n / 2; ++i) {
        // Each pair is written anew, holes as undefined.
        uint32_t lo = i, hi = n - 1 - i;
        Value vLo = arrayGet(cx, a, lo), vHi = arrayGet(cx, a, hi);
        arrayRemove(cx, a, lo);
        arrayRemove(cx, a, hi);
        arraySet(cx, a, lo, vHi);
        arraySet(cx, a, hi, vLo);
        tick(cx, i);
    }
    return a;
}

}

void installArray(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.protos.array = proto;
    Object *array = vm.makeClass(vm.global(), "Array", construct, call, proto);
    vm.natives.add({252, 0}, {call, construct});
    vm.method(proto, "push", {252, 1}, push);
    vm.method(proto, "pop", {252, 2}, pop);
    vm.method(proto, "shift", {252, 4}, shift);
    vm.method(proto, "unshift", {252, 5}, unshift);
    vm.method(proto, "slice", {252, 6}, slice);
    vm.method(proto, "splice", {252, 8}, splice);
    vm.method(proto, "concat", {252, 3}, concat);
    vm.method(proto, "join", {252, 7}, join);
    vm.method(proto, "toString", {252, 9}, toStringMethod);
    vm.method(proto, "reverse", {252, 11}, reverse);
    vm.method(proto, "sort", {252, 10}, arraySort);
    vm.method(proto, "sortOn", {252, 12}, arraySortOn);
    vm.property(array, "CASEINSENSITIVE", SortOption::CaseInsensitive);
    vm.property(array, "DESCENDING", SortOption::Descending);
    vm.property(array, "UNIQUESORT", SortOption::UniqueSort);
    vm.property(array, "RETURNINDEXEDARRAY", SortOption::ReturnIndexedArray);
    vm.property(array, "NUMERIC", SortOption::Numeric);
}

}
