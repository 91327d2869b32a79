#include "Super.h"

#include "Vm.h"

namespace swf::avm1 {

bool SuperData::get(Context &cx, Object &, String *name, Value &out)
{
    Object *parent = proto ? proto->proto() : nullptr;
    if (!parent)
        return false;
    out = parent->get(cx, name);
    return true;
}

void SuperData::trace(Tracer &tracer)
{
    tracer.mark(thisValue);
    tracer.mark(proto);
}

Object *makeSuper(Vm &vm, const Value &thisValue, Object *proto)
{
    Object *o = vm.heap.make<Object>(nullptr);
    o->setNative(std::make_unique<SuperData>(thisValue, proto));
    return o;
}

}
