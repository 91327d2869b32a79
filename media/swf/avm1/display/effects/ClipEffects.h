#pragma once
// The properties by which scripts change how a clip is composed onto what
// is under it: blendMode, cacheAsBitmap and filters.
namespace swf::avm1 {

class Object;
class Vm;

void installClipEffects(Vm &vm, Object *clipPrototype);

}
