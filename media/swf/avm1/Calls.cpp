#include "Calls.h"

#include "Code.h"
#include "Convert.h"
#include "Function.h"
#include "Host.h"
#include "Interpreter.h"
#include "Super.h"
#include "Vm.h"

#include <algorithm>

namespace swf::avm1 {

Value invoke(Context &cx, const Value &fn, const Value &thisValue, Args args, Object *superProto)
{
    Object *o = fn.asObject();
    Function *f = o ? o->asFunction() : nullptr;
    if (!f) {
        // super() called as a function runs the superclass constructor.
        if (o && o->nativeAs<SuperData>())
            return invokeMethod(cx, fn, Value(), args);
        return Value();
    }
    Vm &vm = cx.vm;
    if (auto *native = dynamic_cast<NativeFunction *>(f)) {
        CallDepth depth(vm);
        return native->call()(cx, thisValue, args);
    }
    return vm.interpreter().call(cx, static_cast<ScriptFunction *>(f), thisValue, args, superProto);
}

namespace {

// Where along the chain from `start` the script method `method` was found
// as `key`: `super` inside it starts above that object. `start` for
// anything else.
Object *holderOf(Context &cx, const Value &method, Object *start, String *key)
{
    if (!method.isObject() || !dynamic_cast<ScriptFunction *>(method.object()))
        return start;
    for (Object *p = start; p; p = p->proto())
        if (p->findOwn(key, cx.caseSensitive()))
            return p;
    return start;
}

}

Value invokeMethod(Context &cx, const Value &object, const Value &name, Args args)
{
    Vm &vm = cx.vm;
    bool noName = name.isUndefined() || (name.isString() && name.string()->text().isEmpty());
    Object *o = toObject(cx, object);
    if (o && vm.host.isClip(o))
        o = vm.host.follow(o);
    if (!o)
        return Value();
    if (auto *super = o->nativeAs<SuperData>()) {
        Object *proto = super->proto;
        if (!proto)
            return Value();
        Value method;
        Object *holder = proto->proto();
        if (noName) {
            super->superConstructor(cx, method);
        } else {
            String *key = vm.strings.intern(toString(cx, name));
            super->get(cx, *o, key, method);
            holder = holderOf(cx, method, holder, key);
        }
        return invoke(cx, method, super->thisValue, args, holder);
    }
    if (noName)
        return invoke(cx, o, Value(), args);
    String *key = vm.strings.intern(toString(cx, name));
    Value method = o->get(cx, key);
    Object *holder = holderOf(cx, method, o, key);
    return invoke(cx, method, o, args, holder == o ? nullptr : holder);
}

Value instantiate(Context &cx, const Value &constructor, Args args)
{
    Vm &vm = cx.vm;
    Object *c = constructor.asObject();
    Function *f = c ? c->asFunction() : nullptr;
    if (!f)
        return Value();
    // A prototype that is not an object still becomes __proto__: the new
    // object then inherits nothing.
    Value proto = c->get(cx, vm.names.prototype);
    Object *o = vm.heap.make<Object>(proto.asObject());
    if (!proto.isUndefined() && !proto.isObject())
        o->setProto(proto);
    // SWF 5 code does not see __constructor__.
    o->put(vm.names.hiddenConstructor, c, PropertyFlag::DontEnum | PropertyFlag::OnlySwf6Up);
    if (cx.version < 7)
        o->put(vm.names.constructor, c, PropertyFlag::DontEnum);
    if (auto *native = dynamic_cast<NativeFunction *>(f); native && native->construct()) {
        CallDepth depth(vm);
        Value made = native->construct()(cx, o, args);
        if (made.isNull())
            return Value();
        return made.isObject() ? made : Value(o);
    }
    if (auto *script = dynamic_cast<ScriptFunction *>(f))
        vm.interpreter().call(cx, script, o, args, nullptr, true);
    else
        invoke(cx, c, o, args);
    return o;
}

Function *makeFunction(Vm &vm, Code &code, const FunctionInfo *info, Scope *scope, Pool *pool, Object *clip)
{
    auto *fn = vm.heap.make<ScriptFunction>(vm.protos.function, code.shared_from_this(), info, scope, pool, clip,
                                            code.version());
    Object *prototype = vm.newObject();
    prototype->put(vm.names.constructor, fn, PropertyFlag::DontEnum);
    fn->put(vm.names.prototype, prototype, PropertyFlag::DontEnum | PropertyFlag::DontDelete);
    return fn;
}

Args takeArgs(Value *sp, Value *base, int argc)
{
    size_t n = std::min<size_t>(size_t(std::max(argc, 0)), size_t(sp - base));
    std::reverse(sp - n, sp);
    return Args(sp - n, n);
}

}
