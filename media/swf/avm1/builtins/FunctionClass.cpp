// Function: call and apply.
#include "Builtins.h"

#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Vm.h"

#include <vector>

namespace swf::avm1 {

namespace {

// The `this` of call and apply: undefined and null stand for _global.
Value receiver(Context &cx, Args args)
{
    Value self = arg(args, 0);
    return self.isNullish() ? Value(cx.vm.global()) : self;
}

Value functionCall(Context &cx, const Value &thisValue, Args args)
{
    Value self = receiver(cx, args);
    return cx.vm.call(cx, thisValue, self, args.empty() ? Args() : args.subspan(1));
}

Value functionApply(Context &cx, const Value &thisValue, Args args)
{
    Value self = receiver(cx, args);
    std::vector<Value> list;
    if (Object *a = arg(args, 1).asObject()) {
        uint32_t n = arrayLength(cx, a);
        for (uint32_t i = 0; i < n; ++i) {
            if ((i & 0xFFF) == 0xFFF)
                cx.vm.checkTime();
            list.push_back(arrayGet(cx, a, i));
        }
    }
    return cx.vm.call(cx, thisValue, self, list);
}

// Function(x) gives x; new Function() an empty object.
Value functionConstruct(Context &, const Value &thisValue, Args)
{
    return thisValue;
}

// Without an argument, a new object with no prototype at all.
Value functionAsFunction(Context &cx, const Value &, Args args)
{
    if (args.empty())
        return cx.vm.heap.make<Object>(nullptr);
    return args[0];
}

}

void installFunction(Vm &vm)
{
    Object *proto = vm.protos.function;
    vm.makeClass(vm.global(), "Function", functionConstruct, functionAsFunction, proto);
    // SWF 5 code has no global Function: functions are made by literals only.
    addFlag(vm, vm.global(), "Function", PropertyFlag::OnlySwf6Up);
    vm.method(proto, "call", functionCall);
    vm.method(proto, "apply", functionApply);
}

}
