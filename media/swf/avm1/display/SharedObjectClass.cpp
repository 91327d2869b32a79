// SharedObject: getLocal and the local objects' flush, getSize and clear.
// The objects and their storage are SharedObjects'.
#include "DisplayClasses.h"
#include "SharedObjects.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <cmath>

namespace swf::avm1 {

namespace {

// SharedObject.getLocal(name, localPath): null when refused.
Value getLocal(Context &cx, const Value &self, Args args)
{
    if (args.empty() || args[0].isNullish())
        return Value::null();
    std::optional<QString> localPath;
    if (!arg(args, 1).isNullish())
        localPath = toQString(cx, args[1]);
    Object *cls = self.asObject();
    Object *prototype = cls ? cls->get(cx, cx.vm.names.prototype).asObject() : nullptr;
    Object *object = SharedObjects::of(cx.vm).getLocal(cx, toQString(cx, args[0]), localPath, prototype);
    return object ? Value(object) : Value::null();
}

Value flush(Context &cx, const Value &self, Args args)
{
    Object *object = self.asObject();
    const double minBytes = args.empty() ? 0 : toNumber(cx, args[0]);
    const qint64 wanted = std::isfinite(minBytes) && minBytes > 0 ? qint64(std::min(minBytes, 1e15)) : 0;
    return Value(object && SharedObjects::of(cx.vm).flush(cx, object, wanted));
}

Value getSize(Context &cx, const Value &self, Args)
{
    Object *object = self.asObject();
    return Value(double(object ? SharedObjects::of(cx.vm).size(cx, object) : 0));
}

Value clear(Context &cx, const Value &self, Args)
{
    if (Object *object = self.asObject())
        SharedObjects::of(cx.vm).clear(cx, object);
    return Value();
}

Value construct(Context &, const Value &self, Args)
{
    return self;
}

}

void installSharedObject(Vm &vm)
{
    Object *proto = vm.newObject();
    Object *cls = vm.makeClass(vm.global(), "SharedObject", construct, nullptr, proto);
    vm.method(cls, "getLocal", getLocal);
    vm.method(proto, "flush", flush);
    vm.method(proto, "getSize", getSize);
    vm.method(proto, "clear", clear);
}

}
