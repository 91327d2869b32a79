#include "Boxed.h"

#include "String.h"
#include "Vm.h"

namespace swf::avm1 {

bool Boxed::get(Context &cx, Object &, String *name, Value &out)
{
    if (!value.isString() || !sameName(name, cx.vm.names.length, cx.caseSensitive()))
        return false;
    out = double(value.string()->length());
    return true;
}

Object *makeBoxed(Vm &vm, Object *proto, const Value &value)
{
    Object *o = vm.heap.make<Object>(proto);
    o->setNative(std::make_unique<Boxed>(value));
    return o;
}

Value unbox(const Value &v)
{
    if (Object *o = v.asObject())
        if (auto *b = o->nativeAs<Boxed>())
            return b->value;
    return Value();
}

}
