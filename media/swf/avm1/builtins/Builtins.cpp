#include "Builtins.h"

#include "swf/avm1/Vm.h"

namespace swf::avm1 {

void installBuiltins(Vm &vm)
{
    // Object and Function first: every other class is made of them.
    installObject(vm);
    installFunction(vm);
    installArray(vm);
    installString(vm);
    installNumber(vm);
    installBoolean(vm);
    installMath(vm);
    installError(vm);
    installDate(vm);
    installAsBroadcaster(vm);
    installXmlNode(vm);
    installXml(vm);
    installGlobals(vm);
    installLoadVars(vm);
    installSystem(vm);
    installContextMenu(vm);
    installExternalInterface(vm);
    installAccessibility(vm);
    installPrintJob(vm);
    installAsNative(vm);
}

void addFlag(Vm &vm, Object *on, const char *name, uint16_t flag)
{
    on->findOwn(vm.name(QLatin1String(name)), true)->flags |= flag;
}

void throwError(Context &cx, const QString &message)
{
    Value m = cx.vm.string(message);
    throw ScriptThrow{cx.vm.construct(cx, cx.vm.global()->get(cx, cx.vm.name(QStringLiteral("Error"))), Args(&m, 1))};
}

}
