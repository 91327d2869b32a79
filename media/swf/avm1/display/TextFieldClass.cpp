// TextField: the script objects of text fields.
#include "DisplayClasses.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

Object *installTextField(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.makeClass(vm.global(), "TextField", constructUnplaced, nullptr, proto);
    vm.method(proto, "getDepth", getDepth);
    return proto;
}

}
