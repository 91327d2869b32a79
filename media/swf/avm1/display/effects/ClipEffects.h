#pragma once
// The properties by which scripts change how a clip is composed onto what
// is under it: blendMode, cacheAsBitmap and filters.
#include "swf/SwfBlend.h"

#include <optional>

namespace swf::avm1 {

class Context;
class Object;
class Value;
class Vm;

void installClipEffects(Vm &vm, Object *clipPrototype);

// The mode a value names: a mode's name (exactly), its number (taken modulo
// 256, 1 to 14), or null and undefined for normal; anything else names none.
std::optional<BlendMode> blendModeNamed(Context &cx, const Value &value);

}
