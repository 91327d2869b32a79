// Accessibility: how a movie talks to a screen reader. This player passes
// nothing to screen readers (System.capabilities.hasAccessibility is
// false), so none is ever active and there is nobody to send updates to.
#include "Builtins.h"

#include "swf/avm1/Function.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

namespace {

Value isActive(Context &, const Value &, Args)
{
    return false;
}

Value noReader(Context &, const Value &, Args)
{
    return Value();
}

}

void installAccessibility(Vm &vm)
{
    Object *accessibility = vm.newObject();
    vm.property(vm.global(), "Accessibility", accessibility);
    // Its methods came with SWF 6.
    const std::pair<const char *, NativeFn> methods[] = {
        {"isActive", isActive}, {"updateProperties", noReader}, {"sendEvent", noReader}};
    for (const auto &[name, fn] : methods) {
        vm.method(accessibility, name, fn);
        addFlag(vm, accessibility, name, PropertyFlag::OnlySwf6Up);
    }
}

}
