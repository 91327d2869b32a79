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
    installAsNative(vm);
}

void throwError(Context &cx, const QString &message)
{
    Value m = cx.vm.string(message);
    throw ScriptThrow{cx.vm.construct(cx, cx.vm.global()->get(cx, cx.vm.name(QStringLiteral("Error"))), Args(&m, 1))};
}

}
