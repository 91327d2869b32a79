#include "Boxed.h"

#include "String.h"
#include "Vm.h"

namespace swf::avm1 {

Object *makeBoxed(Vm &vm, Object *proto, const Value &value)
{
    Object *o = vm.heap.make<Object>(proto);
    o->setNative(std::make_unique<Boxed>(value));
    if (value.isString())
        setStringLength(vm, o, value.string());
    return o;
}

void setStringLength(Vm &vm, Object *o, String *text)
{
    o->put(vm.names.length, double(text->length()), PropertyFlag::DontEnum | PropertyFlag::DontDelete);
}

Value unbox(const Value &v)
{
    if (Object *o = v.asObject())
        if (auto *b = o->nativeAs<Boxed>())
            return b->value;
    return Value();
}

}
