// Button: the script objects of buttons placed by the timeline.
#include "DisplayClasses.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

Object *installButton(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.makeClass(vm.global(), "Button", constructUnplaced, nullptr, proto);
    vm.method(proto, "getDepth", getDepth);
    return proto;
}

}
