// Number and Boolean: the wrappers of the two primitive types.
#include "Builtins.h"

#include "swf/avm1/Boxed.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <limits>

namespace swf::avm1 {

namespace {

Value numberConstruct(Context &cx, const Value &thisValue, Args args)
{
    if (Object *o = thisValue.asObject())
        o->setNative(std::make_unique<Boxed>(args.empty() ? 0.0 : toNumber(cx, args[0])));
    return thisValue;
}

Value numberCall(Context &cx, const Value &, Args args)
{
    return args.empty() ? 0.0 : toNumber(cx, args[0]);
}

Value numberValueOf(Context &, const Value &thisValue, Args)
{
    Value inner = unbox(thisValue);
    return inner.isNumber() ? inner : Value(thisValue.isNumber() ? thisValue : Value());
}

Value numberToStringMethod(Context &cx, const Value &thisValue, Args args)
{
    // Anything but a number or a Number object has no answer.
    Value number = numberValueOf(cx, thisValue, {});
    if (!number.isNumber())
        return Value();
    double d = number.number();
    int radix = args.empty() || args[0].isUndefined() ? 10 : toInt(cx, args[0]);
    return cx.vm.string(numberToString(d, radix));
}

Value booleanConstruct(Context &cx, const Value &thisValue, Args args)
{
    if (Object *o = thisValue.asObject())
        o->setNative(std::make_unique<Boxed>(args.empty() ? false : toBoolean(cx, args[0])));
    return thisValue;
}

Value booleanCall(Context &cx, const Value &, Args args)
{
    return args.empty() ? Value() : Value(toBoolean(cx, args[0]));
}

Value booleanValueOf(Context &, const Value &thisValue, Args)
{
    Value inner = unbox(thisValue);
    return inner.isBoolean() ? inner : Value(thisValue.isBoolean() ? thisValue : Value());
}

Value booleanToString(Context &cx, const Value &thisValue, Args)
{
    Value b = booleanValueOf(cx, thisValue, {});
    if (!b.isBoolean())
        return Value();
    return cx.vm.name(b.boolean() ? QStringLiteral("true") : QStringLiteral("false"));
}

}

void installNumber(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.protos.number = proto;
    Object *number = vm.makeClass(vm.global(), "Number", numberConstruct, numberCall, proto);
    vm.natives.add({106, 2}, {numberCall, numberConstruct});
    vm.method(proto, "valueOf", {106, 0}, numberValueOf);
    vm.method(proto, "toString", {106, 1}, numberToStringMethod);
    uint16_t constant = PropertyFlag::DontEnum | PropertyFlag::DontDelete | PropertyFlag::ReadOnly;
    auto put = [&](const char *name, double v) { number->put(vm.strings.permanent(QLatin1String(name)), v, constant); };
    put("MAX_VALUE", std::numeric_limits<double>::max());
    put("MIN_VALUE", std::numeric_limits<double>::denorm_min());
    put("NaN", std::numeric_limits<double>::quiet_NaN());
    put("NEGATIVE_INFINITY", -std::numeric_limits<double>::infinity());
    put("POSITIVE_INFINITY", std::numeric_limits<double>::infinity());
}

void installBoolean(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.protos.boolean = proto;
    vm.makeClass(vm.global(), "Boolean", booleanConstruct, booleanCall, proto);
    vm.natives.add({107, 2}, {booleanCall, booleanConstruct});
    vm.method(proto, "valueOf", {107, 0}, booleanValueOf);
    vm.method(proto, "toString", {107, 1}, booleanToString);
}

}
