#pragma once
// The built-in classes and global functions, each installed on the global
// object by its own unit, and what natives share.
#include "swf/avm1/Value.h"

#include <QString>
#include <cstddef>

namespace swf::avm1 {

class Context;
class Object;
class Vm;

void installBuiltins(Vm &vm);

void installObject(Vm &vm);
void installFunction(Vm &vm);
void installArray(Vm &vm);
void installString(Vm &vm);
void installNumber(Vm &vm);
void installBoolean(Vm &vm);
void installMath(Vm &vm);
void installGlobals(Vm &vm);
void installError(Vm &vm);
void installDate(Vm &vm);
void installAsBroadcaster(Vm &vm);
void installSystem(Vm &vm);
// System.IME, on `system`.
void installIme(Vm &vm, Object *system);
// Makes `object` a broadcaster of listeners (AsBroadcaster.initialize).
void initializeBroadcaster(Vm &vm, Object *object);
void installXmlNode(Vm &vm);
void installXml(Vm &vm);
void installLoadVars(Vm &vm);
// The enumerable properties of `from` as form data, in for..in order.
QString encodeFormData(Context &cx, Object *from);
// Sets the variables of form data ("a=1&b=two") on `into`, as strings.
void decodeFormData(Context &cx, Object *into, const QString &data);
void installAsNative(Vm &vm);
void installContextMenu(Vm &vm);
void installExternalInterface(Vm &vm);
void installAccessibility(Vm &vm);
void installPrintJob(Vm &vm);

// Argument `i`, or undefined.
inline Value arg(Args args, size_t i)
{
    return i < args.size() ? args[i] : Value();
}

// Adds `flag` (a PropertyFlag) to the own property `name` of `on`, which
// must exist.
void addFlag(Vm &vm, Object *on, const char *name, uint16_t flag);

// Raises a script exception: an Error object with `message`.
[[noreturn]] void throwError(Context &cx, const QString &message);

}
