// String: the constructor and the methods, with the player's handling of
// negative and out-of-range arguments.
#include "Builtins.h"

#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Boxed.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <cmath>

namespace swf::avm1 {

namespace {

QString text(Context &cx, const Value &thisValue)
{
    Value inner = unbox(thisValue);
    return toQString(cx, inner.isString() ? inner : thisValue);
}

// An integer argument (wrapped to 32 bits), or `fallback` when absent or
// undefined.
int intArg(Context &cx, Args args, size_t i, int fallback)
{
    if (i >= args.size() || args[i].isUndefined())
        return fallback;
    return toInt32(cx, args[i]);
}

Value construct(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    Value s = args.empty() ? Value(cx.vm.strings.empty()) : Value(toString(cx, args[0]));
    if (o) {
        o->setNative(std::make_unique<Boxed>(s));
        setStringLength(cx.vm, o, s.string());
    }
    return thisValue;
}

Value call(Context &cx, const Value &, Args args)
{
    return args.empty() ? cx.vm.strings.empty() : toString(cx, args[0]);
}

Value toStringMethod(Context &cx, const Value &thisValue, Args)
{
    Value inner = unbox(thisValue);
    return inner.isString() ? inner : Value(toString(cx, thisValue));
}

Value charAt(Context &cx, const Value &thisValue, Args args)
{
    QString s = text(cx, thisValue);
    int i = intArg(cx, args, 0, 0);
    if (i < 0 || i >= s.size())
        return cx.vm.strings.empty();
    return cx.vm.string(QString(s[i]));
}

Value charCodeAt(Context &cx, const Value &thisValue, Args args)
{
    QString s = text(cx, thisValue);
    int i = intArg(cx, args, 0, 0);
    if (i < 0 || i >= s.size())
        return std::nan("");
    return double(s[i].unicode());
}

Value concat(Context &cx, const Value &thisValue, Args args)
{
    QString s = text(cx, thisValue);
    for (const Value &v : args) {
        s += toQString(cx, v);
        if (s.size() > StringTable::kMaxLength)
            break;
    }
    return cx.vm.string(s);
}

Value indexOf(Context &cx, const Value &thisValue, Args args)
{
    if (args.empty())
        return Value();
    QString s = text(cx, thisValue);
    QString search = toQString(cx, args[0]);
    int from = std::max(0, intArg(cx, args, 1, 0));
    if (from > s.size())
        return -1;
    return double(s.indexOf(search, from));
}

Value lastIndexOf(Context &cx, const Value &thisValue, Args args)
{
    if (args.empty())
        return Value();
    QString s = text(cx, thisValue);
    QString search = toQString(cx, args[0]);
    int from = intArg(cx, args, 1, int(s.size()));
    if (from < 0)
        return -1;
    return double(s.lastIndexOf(search, std::min<qsizetype>(from, s.size())));
}

Value slice(Context &cx, const Value &thisValue, Args args)
{
    if (args.empty())
        return Value();
    QString s = text(cx, thisValue);
    int n = int(s.size());
    auto clampPos = [n](int p) { return p < 0 ? std::max(0, p + n) : std::min(p, n); };
    int start = clampPos(intArg(cx, args, 0, 0));
    int end = clampPos(intArg(cx, args, 1, n));
    return cx.vm.string(end > start ? s.mid(start, end - start) : QString());
}

Value substring(Context &cx, const Value &thisValue, Args args)
{
    if (args.empty())
        return Value();
    QString s = text(cx, thisValue);
    int n = int(s.size());
    int start = std::clamp(intArg(cx, args, 0, 0), 0, n);
    int end = std::clamp(intArg(cx, args, 1, n), 0, n);
    if (start > end)
        std::swap(start, end);
    return cx.vm.string(s.mid(start, end - start));
}

Value substr(Context &cx, const Value &thisValue, Args args)
{
    if (args.empty())
        return Value();
    QString s = text(cx, thisValue);
    int n = int(s.size());
    int start = intArg(cx, args, 0, 0);
    if (start < 0)
        start = std::max(0, start + n);
    start = std::min(start, n);
    int length = intArg(cx, args, 1, n - start);
    if (length < 0) {
        // A negative length counts from the end, and may not reach it.
        length += n;
        if (length < 0 || start + length >= n)
            return cx.vm.strings.empty();
    }
    return cx.vm.string(s.mid(start, std::min(length, n - start)));
}

Value split(Context &cx, const Value &thisValue, Args args)
{
    QString s = text(cx, thisValue);
    Object *out = cx.vm.newArray();
    uint32_t limit = 0xFFFFFFFFu;
    if (args.size() > 1 && !args[1].isUndefined()) {
        double d = toNumber(cx, args[1]);
        limit = std::isnan(d) || d < 0 ? 0 : uint32_t(std::min(d, 4294967295.0));
    }
    // Without a delimiter the whole string is the one element, whatever the limit.
    if (args.empty() || args[0].isUndefined()) {
        arraySet(cx, out, 0, cx.vm.string(s));
        return out;
    }
    QString delimiter = toQString(cx, args[0]);
    uint32_t i = 0;
    if (delimiter.isEmpty()) {
        for (; i < uint32_t(s.size()) && i < limit; ++i)
            arraySet(cx, out, i, cx.vm.string(QString(s[i])));
        return out;
    }
    // An empty string splits into one empty element, whatever the limit.
    if (s.isEmpty()) {
        arraySet(cx, out, 0, cx.vm.string(s));
        return out;
    }
    qsizetype from = 0;
    while (i < limit) {
        qsizetype at = s.indexOf(delimiter, from);
        arraySet(cx, out, i++, cx.vm.string(s.mid(from, at < 0 ? -1 : at - from)));
        if (at < 0)
            break;
        from = at + delimiter.size();
        if ((i & 0xFFF) == 0xFFF)
            cx.vm.checkTime();
    }
    return out;
}

Value toLowerCase(Context &cx, const Value &thisValue, Args)
{
    QString s = text(cx, thisValue);
    for (QChar &c : s)
        c = lowerCase(c);
    return cx.vm.string(s);
}

Value toUpperCase(Context &cx, const Value &thisValue, Args)
{
    QString s = text(cx, thisValue);
    for (QChar &c : s)
        c = upperCase(c);
    return cx.vm.string(s);
}

// The case changes of the older numbered string natives: ASCII letters only.
template <bool upper> Value asciiCase(Context &cx, const Value &thisValue, Args)
{
    QString s = text(cx, thisValue);
    for (QChar &c : s) {
        char16_t u = c.unicode();
        if (upper ? (u >= 'a' && u <= 'z') : (u >= 'A' && u <= 'Z'))
            c = QChar(char16_t(u ^ 0x20));
    }
    return cx.vm.string(s);
}

Value fromCharCode(Context &cx, const Value &, Args args)
{
    QString s;
    for (const Value &v : args) {
        uint16_t code = uint16_t(toUint32(toNumber(cx, v)));
        if (code == 0)
            break;
        s += QChar(code);
    }
    return cx.vm.string(s);
}

}

void installString(Vm &vm)
{
    // The prototype is itself a String object, of the empty string: its
    // own toString and valueOf give "" rather than calling themselves.
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    proto->setNative(std::make_unique<Boxed>(Value(vm.strings.empty())));
    vm.protos.string = proto;
    Object *string = vm.makeClass(vm.global(), "String", construct, call, proto);
    vm.protos.stringClass = string;
    vm.natives.add({251, 0}, {call, construct});
    vm.natives.add({102, 0}, {asciiCase<true>});
    vm.natives.add({102, 1}, {asciiCase<false>});
    vm.method(proto, "toString", {251, 2}, toStringMethod);
    vm.method(proto, "valueOf", {251, 1}, toStringMethod);
    vm.method(proto, "charAt", {251, 5}, charAt);
    vm.method(proto, "charCodeAt", {251, 6}, charCodeAt);
    vm.method(proto, "concat", {251, 7}, concat);
    vm.method(proto, "indexOf", {251, 8}, indexOf);
    vm.method(proto, "lastIndexOf", {251, 9}, lastIndexOf);
    vm.method(proto, "slice", {251, 10}, slice);
    vm.method(proto, "substring", {251, 11}, substring);
    vm.method(proto, "substr", {251, 13}, substr);
    vm.method(proto, "split", {251, 12}, split);
    vm.method(proto, "toLowerCase", {251, 4}, toLowerCase);
    vm.method(proto, "toUpperCase", {251, 3}, toUpperCase);
    vm.method(string, "fromCharCode", {251, 14}, fromCharCode);
}

}
