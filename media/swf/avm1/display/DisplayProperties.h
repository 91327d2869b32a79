#pragma once
// The display properties scripts read and set on display objects (_x, _y,
// _xscale, _yscale, _rotation, _alpha, _visible, _width, _height, _name,
// _target, the frame counts, _xmouse, _ymouse, _parent, _droptarget, _url), in pixels, percent
// and degrees as scripts see them. Names are compared without case.
#include "swf/avm1/Value.h"

#include <QString>

namespace swf {
class DisplayObject;
}

namespace swf::avm1 {

class Context;

// True with the value in `out` when `name` is a display property of `object`.
bool getDisplayProperty(Context &cx, DisplayObject &object, const QString &name, Value &out);
// True when `name` is a display property of `object` (a read-only one, or a
// value that is not a number, changes nothing).
bool setDisplayProperty(Context &cx, DisplayObject &object, const QString &name, const Value &value);

}
