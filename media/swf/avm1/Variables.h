#pragma once
// Variables by name, as GetVariable, SetVariable, DefineLocal and Delete2
// see them: along the frame's scope chain, then _global; names may be
// target paths ("/a/b:x", "../c", "_root.a.x", "_level1/a") naming a
// variable of another clip. Also the resolution of targets (SetTarget,
// tellTarget, GetProperty) from strings or clips.
#include "Value.h"

class QString;

namespace swf::avm1 {

struct Frame;
class Object;
class String;

Value getVariable(Frame &f, String *name);
void setVariable(Frame &f, String *name, const Value &value);
// `var`: in the function's activation, or on the timeline for frame code.
void defineLocal(Frame &f, String *name, const Value &value);
bool deleteVariable(Frame &f, String *name);
// The object a variable of this name would be read from (for calls, which
// pass it as `this` when it is a clip), or null.
Object *variableHolder(Frame &f, String *name);
// Whether `object` is the object of a with block around the code.
bool isWithObject(Frame &f, Object *object);

// The clip (or object, for dot paths) a target path names, from the frame's
// target; null when nothing is there. An empty path is the target itself.
// With `wanted`, a dot path's first variable is taken from the first scope
// where the path leads to an object having `wanted`.
Object *resolvePath(Frame &f, const QString &path, String *wanted = nullptr);
// A target given as a value: a clip or object as it is, else a path.
Object *resolveTarget(Frame &f, const Value &target);

}
