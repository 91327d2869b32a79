// PrintJob: printing pages of the movie. This player does not print
// (System.capabilities.hasPrinting is false): a job never starts, so it
// takes no pages and its page and paper sizes stay 0.
#include "Builtins.h"

#include "swf/avm1/Function.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

namespace {

Value construct(Context &, const Value &thisValue, Args)
{
    return thisValue;
}

Value refused(Context &, const Value &, Args)
{
    return false;
}

Value sendNothing(Context &, const Value &, Args)
{
    return Value();
}

// The sizes of the job's pages, known once it started.
Value unknownSize(Context &, const Value &, Args)
{
    return 0;
}

}

void installPrintJob(Vm &vm)
{
    Object *proto = vm.heap.make<Object>(vm.protos.object);
    vm.makeClass(vm.global(), "PrintJob", construct, nullptr, proto);
    const std::pair<const char *, NativeFn> methods[] = {
        {"start", refused}, {"addPage", refused}, {"send", sendNothing}};
    for (const auto &[name, fn] : methods) {
        vm.method(proto, name, fn);
        addFlag(vm, proto, name, PropertyFlag::OnlySwf7Up);
    }
    // Read-only; made last to first, so for..in lists them first to last.
    for (const char *name : {"paperHeight", "paperWidth", "pageHeight", "pageWidth", "orientation"})
        proto->putVirtual(vm.name(QLatin1String(name)), vm.newFunction(unknownSize), nullptr);
}

}
