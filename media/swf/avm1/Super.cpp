#include "Super.h"

#include "Host.h"
#include "Vm.h"

namespace swf::avm1 {

Object *SuperData::base(Context &cx) const
{
    return proto && !cx.vm.host.isClip(proto) ? proto : nullptr;
}

bool SuperData::get(Context &cx, Object &, String *name, Value &out)
{
    Object *from = base(cx);
    Object *parent = from ? from->proto() : nullptr;
    return parent && parent->lookup(cx, name, out);
}

bool SuperData::superConstructor(Context &cx, Value &out) const
{
    Object *from = base(cx);
    return from && from->lookup(cx, cx.vm.names.hiddenConstructor, out);
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
