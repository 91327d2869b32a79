// ASnative(category, index): the player's numbered native functions, for
// the entries movies use: the global functions (100), ASnew (2, 0), the
// methods of Object.prototype (101) and the Math functions (200).
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

// A Math entry past the known ones: converts its first two arguments as
// the others do, then has no answer.
Value mathUnknown(Context &cx, const Value &, Args args)
{
    for (size_t i = 0; i < args.size() && i < 2; ++i)
        toNumber(cx, args[i]);
    return std::numeric_limits<double>::quiet_NaN();
}

// The function of the named global or Math member, as installed.
Value member(Context &cx, Object *on, const char *name)
{
    return on ? on->get(cx, cx.vm.name(QLatin1String(name))) : Value();
}

Value asNative(Context &cx, const Value &, Args args)
{
    if (args.size() != 2)
        return Value();
    double category = toNumber(cx, args[0]);
    if (std::isnan(category))
        return Value();
    uint32_t c = toUint32(category), i = toUint32(toNumber(cx, args[1]));
    Vm &vm = cx.vm;
    Object *global = vm.global();
    if (c == 2 && i == 0)
        return vm.newFunction(asNew);
    if (c == 100) {
        static const char *const globals[] = {"escape", "unescape", "parseInt", "parseFloat"};
        if (i < 4)
            return member(cx, global, globals[i]);
        if (i == 4)
            return vm.newFunction(traceFn);
        return Value();
    }
    if (c == 101) {
        static const char *const methods[] = {"watch",   "unwatch",        "addProperty",   "valueOf",
                                              "toString", "hasOwnProperty", "isPrototypeOf", "isPropertyEnumerable"};
        Object *proto = member(cx, member(cx, global, "Object").asObject(), "prototype").asObject();
        return i < std::size(methods) ? member(cx, proto, methods[i]) : Value();
    }
    if (c == 200) {
        static const char *const math[] = {"abs",  "min",   "max",    "sin",   "cos",  "atan2",
                                           "tan",  "exp",   "log",    "sqrt",  "round", "random",
                                           "floor", "ceil", "atan",   "asin",  "acos", "pow"};
        if (i < std::size(math))
            return member(cx, member(cx, global, "Math").asObject(), math[i]);
        return vm.newFunction(mathUnknown);
    }
    return Value();
}

}

void installAsNative(Vm &vm)
{
    vm.method(vm.global(), "ASnative", asNative);
}

}
