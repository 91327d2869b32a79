// Object: the root of every prototype chain, with the reflection methods
// (hasOwnProperty, addProperty, watch, ...) and registerClass.
#include "Builtins.h"

#include "swf/avm1/Convert.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Operators.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

namespace {

// A primitive wrapped by Object(v): its class's prototype is the one the
// class has now, which a script may have replaced (by anything).
Object *wrap(Context &cx, const Value &v)
{
    Object *o = toObject(cx, v);
    if (v.isObject())
        return o;
    Value ctor;
    if (Object *proto = o->proto(); proto && proto->lookup(cx, cx.vm.names.constructor, ctor))
        if (Object *c = ctor.asObject(); c && c->asFunction())
            o->setProto(c->get(cx, cx.vm.names.prototype));
    return o;
}

Value construct(Context &cx, const Value &thisValue, Args args)
{
    Value v = arg(args, 0);
    if (!v.isNullish())
        return wrap(cx, v);
    return thisValue;
}

// Object(v) as a function: v as an object; without one, an object that
// has no prototype at all.
Value call(Context &cx, const Value &, Args args)
{
    Value v = arg(args, 0);
    if (!v.isNullish())
        return wrap(cx, v);
    return cx.vm.heap.make<Object>(nullptr);
}

String *nameArg(Context &cx, Args args, size_t i)
{
    return cx.vm.strings.intern(toString(cx, arg(args, i)));
}

Value toStringMethod(Context &cx, const Value &thisValue, Args)
{
    Object *o = thisValue.asObject();
    if (o && o->asFunction())
        return cx.vm.name(QStringLiteral("[type Function]"));
    return cx.vm.name(QStringLiteral("[object Object]"));
}

Value valueOf(Context &, const Value &thisValue, Args)
{
    return thisValue;
}

Value hasOwnProperty(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (!o || args.empty())
        return false;
    String *name = nameArg(cx, args, 0);
    return !name->text().isEmpty() && o->hasOwn(cx, name);
}

Value isPropertyEnumerable(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (!o || args.empty())
        return false;
    Property *p = o->findOwn(nameArg(cx, args, 0), cx.caseSensitive());
    return p && PropertyFlag::visibleIn(p->flags, cx.version) && !(p->flags & PropertyFlag::DontEnum);
}

Value isPrototypeOf(Context &, const Value &thisValue, Args args)
{
    Object *proto = thisValue.asObject();
    Object *o = arg(args, 0).asObject();
    return proto && o && hasPrototype(o, proto);
}

Value addProperty(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (!o || args.size() < 3)
        return false;
    String *name = nameArg(cx, args, 0);
    Object *getter = args[1].asObject();
    Object *setter = args[2].asObject();
    if (name->text().isEmpty() || !getter || !getter->asFunction())
        return false;
    if (setter && !setter->asFunction())
        setter = nullptr;
    if (!setter && !args[2].isNull())
        return false;
    o->addProperty(cx, name, getter, setter);
    return true;
}

Value watch(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    if (!o || args.size() < 2)
        return false;
    return o->watch(cx, nameArg(cx, args, 0), args[1].asObject(), arg(args, 2));
}

Value unwatch(Context &cx, const Value &thisValue, Args args)
{
    Object *o = thisValue.asObject();
    return o && !args.empty() && o->unwatch(cx, nameArg(cx, args, 0));
}

Value registerClass(Context &cx, const Value &, Args args)
{
    if (args.size() < 2)
        return false;
    QString symbol = toQString(cx, args[0]);
    Object *constructor = args[1].asObject();
    cx.vm.registerClass(symbol, constructor && constructor->asFunction() ? constructor : nullptr);
    return true;
}

}

void installObject(Vm &vm)
{
    Object *proto = vm.protos.object;
    NativeFunction *object = vm.makeClass(vm.global(), "Object", construct, call, proto);
    // Scripts cannot replace the root of every prototype chain.
    object->put(vm.names.prototype, proto, PropertyFlag::DontEnum | PropertyFlag::DontDelete | PropertyFlag::ReadOnly);
    vm.method(proto, "toString", {101, 4}, toStringMethod);
    vm.method(proto, "valueOf", {101, 3}, valueOf);
    vm.method(proto, "hasOwnProperty", {101, 5}, hasOwnProperty);
    vm.method(proto, "isPropertyEnumerable", {101, 7}, isPropertyEnumerable);
    vm.method(proto, "isPrototypeOf", {101, 6}, isPrototypeOf);
    vm.method(proto, "addProperty", {101, 2}, addProperty);
    vm.method(proto, "watch", {101, 0}, watch);
    vm.method(proto, "unwatch", {101, 1}, unwatch);
    vm.method(object, "registerClass", {101, 8}, registerClass);
}

}
