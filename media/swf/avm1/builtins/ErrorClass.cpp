// Error: what scripts throw, with a name and a message.
#include "Builtins.h"

#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

namespace {

Value construct(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (o && !args.empty() && !args[0].isUndefined())
        o->set(cx, cx.vm.names.message, args[0]);
    return thisValue;
}

// Error called without `new` makes nothing.
Value call(Context &, const Value &, Args)
{
    return Value();
}

Value toStringMethod(Context &cx, const Value &thisValue, Args)
{
    Object *o = thisValue.asObject();
    if (!o)
        return Value();
    // The message as it is: an object message stays an object.
    return o->get(cx, cx.vm.names.message);
}

}

void installError(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.protos.error = proto;
    vm.makeClass(vm.global(), "Error", construct, call, proto);
    vm.method(proto, "toString", toStringMethod);
    proto->put(vm.names.name, vm.name(QStringLiteral("Error")), PropertyFlag::DontEnum);
    proto->put(vm.names.message, vm.name(QStringLiteral("Error")), PropertyFlag::DontEnum);
}

}
