#pragma once
// BitmapData's methods that change or examine pixels by area, beyond the
// single-pixel ones of the class itself.
namespace swf::avm1 {

class Object;
class Vm;

void installBitmapMethods(Vm &vm, Object *proto);

}
