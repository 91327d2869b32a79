// AsBroadcaster: gives an object a list of listeners and the methods to
// add, remove and call them. The methods work through the object's own
// _listeners array and methods, which scripts may replace.
#include "Builtins.h"

#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Operators.h"
#include "swf/avm1/Vm.h"

#include <vector>

namespace swf::avm1 {

namespace {

String *listenersName(Vm &vm)
{
    return vm.name(QStringLiteral("_listeners"));
}

Value addListener(Context &cx, const Value &thisValue, Args args)
{
    Object *self = thisValue.asObject();
    if (!self)
        return Value();
    Value listener = arg(args, 0);
    cx.vm.callMethod(cx, self, cx.vm.name(QStringLiteral("removeListener")), Args(&listener, 1));
    Value list = self->get(cx, listenersName(cx.vm));
    cx.vm.callMethod(cx, list, cx.vm.name(QStringLiteral("push")), Args(&listener, 1));
    return true;
}

Value removeListener(Context &cx, const Value &thisValue, Args args)
{
    Object *self = thisValue.asObject();
    Object *list = self ? self->get(cx, listenersName(cx.vm)).asObject() : nullptr;
    if (!list)
        return false;
    Value listener = arg(args, 0);
    uint32_t n = arrayLength(cx, list);
    for (uint32_t i = 0; i < n; ++i) {
        if (looselyEquals(cx, list->get(cx, cx.vm.indexName(i)), listener)) {
            Value at[] = {double(i), 1};
            cx.vm.callMethod(cx, list, cx.vm.name(QStringLiteral("splice")), at);
            return true;
        }
    }
    return false;
}

Value broadcastMessage(Context &cx, const Value &thisValue, Args args)
{
    Object *self = thisValue.asObject();
    Object *list = self ? self->get(cx, listenersName(cx.vm)).asObject() : nullptr;
    if (!list || args.empty())
        return Value();
    // The listeners as they are now: calls may change the list.
    std::vector<Value> listeners;
    uint32_t n = arrayLength(cx, list);
    for (uint32_t i = 0; i < n; ++i)
        listeners.push_back(list->get(cx, cx.vm.indexName(i)));
    if (listeners.empty())
        return Value();
    String *method = cx.vm.strings.intern(toString(cx, args[0]));
    for (const Value &listener : listeners)
        cx.vm.callMethod(cx, listener, method, args.subspan(1));
    return true;
}

Value initialize(Context &cx, const Value &, Args args)
{
    Vm &vm = cx.vm;
    Object *target = arg(args, 0).asObject();
    // A clip reference whose clip was removed reaches the clip now at its path.
    if (target && vm.host.isClip(target))
        target = vm.host.follow(target);
    if (!target)
        return Value();
    Object *broadcaster = vm.global()->get(cx, vm.name(QStringLiteral("AsBroadcaster"))).asObject();
    for (const char *name : {"broadcastMessage", "addListener", "removeListener"}) {
        String *key = vm.name(QLatin1String(name));
        Value method = broadcaster ? broadcaster->get(cx, key) : Value();
        target->put(key, method, PropertyFlag::DontEnum);
    }
    target->put(listenersName(vm), vm.newArray(), PropertyFlag::DontEnum);
    return Value();
}

Value construct(Context &, const Value &thisValue, Args)
{
    return thisValue;
}

}

void installAsBroadcaster(Vm &vm)
{
    Object *proto = vm.newObject();
    Object *broadcaster = vm.makeClass(vm.global(), "AsBroadcaster", construct, nullptr, proto);
    vm.method(broadcaster, "initialize", initialize);
    vm.method(broadcaster, "addListener", addListener);
    vm.method(broadcaster, "removeListener", removeListener);
    vm.method(broadcaster, "broadcastMessage", broadcastMessage);
    // SWF 5 movies see neither its prototype nor initialize.
    for (String *name : {vm.names.prototype, vm.name(QStringLiteral("initialize"))})
        broadcaster->findOwn(name, true)->flags |= PropertyFlag::OnlySwf6Up;
}

void initializeBroadcaster(Vm &vm, Object *object)
{
    Context cx(vm, vm.version(), nullptr);
    Value broadcasterClass = vm.global()->get(cx, vm.name(QStringLiteral("AsBroadcaster")));
    Value target(object);
    vm.callMethod(cx, broadcasterClass, vm.name(QStringLiteral("initialize")), Args(&target, 1));
}

}
