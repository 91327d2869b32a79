// System.IME: how a movie asks for the input method editor of Asian
// languages. This player gives scripts no control of the input method (its
// capabilities say hasIME false): it is reported off, every change is
// refused, and its listeners are never called.
#include "Builtins.h"

#include "swf/avm1/Vm.h"

namespace swf::avm1 {

namespace {

Value refused(Context &, const Value &, Args)
{
    return false;
}

Value conversionMode(Context &cx, const Value &, Args)
{
    return cx.vm.name(QStringLiteral("UNKNOWN"));
}

}

void installIme(Vm &vm, Object *system)
{
    Object *ime = vm.newObject();
    vm.property(system, "IME", ime);
    initializeBroadcaster(vm, ime);
    vm.method(ime, "getEnabled", refused);
    vm.method(ime, "setEnabled", refused);
    vm.method(ime, "getConversionMode", conversionMode);
    vm.method(ime, "setConversionMode", refused);
    vm.method(ime, "setCompositionString", refused);
    vm.method(ime, "doConversion", refused);
    for (const char *mode : {"ALPHANUMERIC_FULL", "ALPHANUMERIC_HALF", "CHINESE", "JAPANESE_HIRAGANA",
             "JAPANESE_KATAKANA_FULL", "JAPANESE_KATAKANA_HALF", "KOREAN", "UNKNOWN"})
        vm.property(ime, mode, vm.name(QLatin1String(mode)));
}

}
