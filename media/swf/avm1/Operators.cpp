#include "Operators.h"

#include "Convert.h"
#include "Host.h"
#include "Vm.h"
#include "builtins/DateClass.h"

#include <cmath>
#include <limits>

namespace swf::avm1 {

// What an operator works on for an object: what its valueOf gives (which
// may be an object again). Without a valueOf, and for clips and dates, the
// usual conversion applies (an object without methods is undefined).
static Value valueOfOperand(Context &cx, const Value &v, Hint hint)
{
    Object *o = v.asObject();
    if (!o || cx.vm.host.isClip(o) || (hint == Hint::None && o->nativeAs<DateData>()))
        return toPrimitive(cx, v, hint);
    Value method = o->get(cx, cx.vm.names.valueOf);
    if (!method.asObject() || !method.object()->asFunction())
        return toPrimitive(cx, v, hint);
    return cx.vm.call(cx, method, o, {});
}

// An object whose valueOf gives an object is added as what its own
// toString gives (called once), which is "[type Object]" when that is no
// string.
static Value addedText(Context &cx, Object *o)
{
    Value method = o->get(cx, cx.vm.names.toString);
    if (method.asObject() && method.object()->asFunction()) {
        Value text = cx.vm.call(cx, method, o, {});
        if (text.isString())
            return text;
    }
    return cx.vm.name(o->asFunction() ? QStringLiteral("[type Function]") : QStringLiteral("[type Object]"));
}

// Without a string on either side, such an object is NaN.
Value add(Context &cx, const Value &a, const Value &b)
{
    if (a.isNumber() && b.isNumber())
        return a.number() + b.number();
    Value pa = valueOfOperand(cx, a, Hint::None);
    Value pb = valueOfOperand(cx, b, Hint::None);
    if (pa.isString() || pb.isString()) {
        String *sa = toString(cx, pa.isObject() ? addedText(cx, a.object()) : pa);
        String *sb = toString(cx, pb.isObject() ? addedText(cx, b.object()) : pb);
        if (sa->text().isEmpty())
            return sb;
        if (sb->text().isEmpty())
            return sa;
        return cx.vm.string(sa->text() + sb->text());
    }
    if (pa.isObject() || pb.isObject())
        return std::numeric_limits<double>::quiet_NaN();
    return toNumber(cx, pa) + toNumber(cx, pb);
}

Value lessThan(Context &cx, const Value &a, const Value &b)
{
    if (a.isNumber() && b.isNumber()) {
        if (std::isnan(a.number()) || std::isnan(b.number()))
            return Value();
        return a.number() < b.number();
    }
    // Objects compare by their valueOf; one whose valueOf gives no
    // primitive makes the comparison false.
    Value pa = valueOfOperand(cx, a, Hint::Number);
    if (pa.isObject())
        return false;
    Value pb = valueOfOperand(cx, b, Hint::Number);
    if (pb.isObject())
        return false;
    if (pa.isString() && pb.isString())
        return pa.string()->text() < pb.string()->text();
    double x = toNumber(cx, pa), y = toNumber(cx, pb);
    if (std::isnan(x) || std::isnan(y))
        return Value();
    return x < y;
}

// Numbers are equal when they are the same number, NaN included.
static bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool strictlyEquals(const Value &a, const Value &b)
{
    if (a.type() != b.type())
        return false;
    switch (a.type()) {
    case Type::Undefined:
    case Type::Null:
        return true;
    case Type::Boolean:
        return a.boolean() == b.boolean();
    case Type::Number:
        return sameNumber(a.number(), b.number());
    case Type::String:
        return a.string() == b.string() || a.string()->text() == b.string()->text();
    case Type::Object:
        return a.object() == b.object();
    }
    return false;
}

bool looselyEquals(Context &cx, const Value &a, const Value &b)
{
    // Before SWF 6 two objects compare by what their valueOf gives.
    if (a.isObject() && b.isObject() && cx.version < 6 && a.object() != b.object()) {
        Value pb = cx.vm.callMethod(cx, b, cx.vm.names.valueOf, {});
        Value pa = cx.vm.callMethod(cx, a, cx.vm.names.valueOf, {});
        if (pa.isObject() || pb.isObject())
            return pa.isObject() && pb.isObject() && pa.object() == pb.object();
        return looselyEquals(cx, pa, pb);
    }
    if (a.type() == b.type())
        return strictlyEquals(a, b);
    if (a.isNullish() && b.isNullish())
        return true;
    // An object without valueOf or toString is undefined to compare.
    if (a.isObject() && b.isNullish()) {
        Value p;
        return !primitiveOf(cx, a.object(), Hint::None, p) && !cx.vm.host.isClip(a.object());
    }
    if (b.isObject() && a.isNullish()) {
        Value p;
        return !primitiveOf(cx, b.object(), Hint::None, p) && !cx.vm.host.isClip(b.object());
    }
    if (a.isNullish() || b.isNullish())
        return false;
    if (a.isNumber() && b.isString())
        return a.number() == toNumber(cx, b);
    if (a.isString() && b.isNumber())
        return toNumber(cx, a) == b.number();
    if (a.isBoolean())
        return looselyEquals(cx, a.boolean() ? 1.0 : 0.0, b);
    if (b.isBoolean())
        return looselyEquals(cx, a, b.boolean() ? 1.0 : 0.0);
    // An object compares by its valueOf: one giving an object equals no
    // primitive (its toString is not asked).
    if (a.isObject()) {
        Value p = valueOfOperand(cx, a, Hint::None);
        return !p.isObject() && looselyEquals(cx, p, b);
    }
    Value p = valueOfOperand(cx, b, Hint::None);
    return !p.isObject() && looselyEquals(cx, a, p);
}

String *typeOf(Context &cx, const Value &v)
{
    Vm &vm = cx.vm;
    switch (v.type()) {
    case Type::Undefined:
        return vm.name(QStringLiteral("undefined"));
    case Type::Null:
        return vm.name(QStringLiteral("null"));
    case Type::Boolean:
        return vm.name(QStringLiteral("boolean"));
    case Type::Number:
        return vm.name(QStringLiteral("number"));
    case Type::String:
        return vm.name(QStringLiteral("string"));
    case Type::Object:
        // A display object's native data names its kind; a clip without it is a clip.
        if (vm.host.isClip(v.object()) && !v.object()->native())
            return vm.name(QStringLiteral("movieclip"));
        return vm.name(QString::fromLatin1(v.object()->typeOf()));
    }
    return vm.strings.empty();
}

bool hasPrototype(Object *o, Object *proto)
{
    int hops = 0;
    for (Object *p = o->proto(); p && hops < 256; p = p->proto(), ++hops)
        if (p == proto)
            return true;
    return false;
}

// Whether `proto` or one of the interfaces along its chain is `constructor`'s.
static bool implements(Context &cx, Object *proto, Object *constructor, Object *wanted, int depth)
{
    if (depth > 32)
        return false;
    for (int hops = 0; proto && hops < 256; proto = proto->proto(), ++hops) {
        if (proto == wanted)
            return true;
        for (Object *iface : proto->interfaces()) {
            if (iface == constructor)
                return true;
            Object *ifaceProto = iface->get(cx, cx.vm.names.prototype).asObject();
            if (ifaceProto && implements(cx, ifaceProto, constructor, wanted, depth + 1))
                return true;
        }
    }
    return false;
}

Object *coercedForInstanceOf(Context &cx, const Value &v)
{
    const char *global = v.isString() ? "String" : v.isNumber() ? "Number" : v.isBoolean() ? "Boolean" : nullptr;
    if (!global)
        return v.asObject();
    Value fn = cx.vm.global()->get(cx, cx.vm.name(QLatin1String(global)));
    Value arg = v;
    return cx.vm.call(cx, fn, Value(), Args(&arg, 1)).asObject();
}

bool instanceOf(Context &cx, const Value &v, const Value &constructor)
{
    Object *o = v.asObject();
    if (!o)
        return false;
    Object *c = coercedForInstanceOf(cx, constructor);
    if (c && cx.vm.host.isClip(c))
        c = cx.vm.host.follow(c);
    if (!c)
        return false;
    // The constructor's own stored prototype: no getter runs, nothing is
    // inherited, and a property hidden from this version still counts.
    Property *p = c->findOwn(cx.vm.names.prototype, cx.caseSensitive());
    Object *wanted = p ? coercedForInstanceOf(cx, p->value) : nullptr;
    if (!wanted || cx.vm.host.isClip(wanted))
        return false;
    // A removed clip is an instance of nothing, and no constructor.
    if (cx.vm.host.isClip(o))
        o = cx.vm.host.follow(o);
    return o && implements(cx, o->proto(), c, wanted, 0);
}

}
