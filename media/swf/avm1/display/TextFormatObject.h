#pragma once
// TextFormat: the script objects describing the formatting of text, and
// their conversion to and from the formats text fields keep. A property that
// is null (or undefined) on the object is unset in the format.
#include "swf/SwfTextFormat.h"

namespace swf::avm1 {

class Context;
class Object;
class Vm;

// A new TextFormat object with the fields of `format`, unset ones null.
Object *makeTextFormat(Context &cx, const swf::TextFormat &format);
// The format a TextFormat object (or any object) describes.
swf::TextFormat textFormatOf(Context &cx, Object *object);
void installTextFormat(Vm &vm);

}
