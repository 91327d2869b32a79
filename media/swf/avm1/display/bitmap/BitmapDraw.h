#pragma once
// BitmapData.draw: a clip or another bitmap drawn into a bitmap.
#include "swf/avm1/Value.h"

namespace swf::avm1 {

class Context;

// draw(source[, matrix, colorTransform, blendMode, clipRect, smoothing]).
Value drawIntoBitmap(Context &cx, const Value &self, Args args);

}
