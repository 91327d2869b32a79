#pragma once
// The classes of the display objects' script objects, installed on the
// global object; each returns its prototype.
#include "swf/avm1/Value.h"

namespace swf {
class Stage;
}

namespace swf::avm1 {

class Context;
class Object;
class Vm;

// getDepth, shared by clips, buttons and text fields: the depth scripts see.
Value getDepth(Context &cx, const Value &self, Args args);
// The constructors called with `new`: a plain object with the class's
// prototype, standing for no object on the stage.
Value constructUnplaced(Context &cx, const Value &self, Args args);

Object *installMovieClip(Vm &vm);
Object *installButton(Vm &vm);
Object *installTextField(Vm &vm);
// Key, Mouse and Stage.
void installInputObjects(Vm &vm);
void installSelection(Vm &vm);
// TextSnapshot and the clips' getTextSnapshot.
void installTextSnapshot(Vm &vm, Object *clipPrototype);
void installColor(Vm &vm);
// MovieClipLoader, loading by LoadVars and XML, and the clips' loading methods.
void installLoading(Vm &vm, Object *clipPrototype);
// The clips' drawing methods (beginFill, lineStyle, lineTo, ...).
void installDrawingMethods(Vm &vm, Object *clipPrototype);
// SharedObject, whose objects SharedObjects keeps.
void installSharedObject(Vm &vm);

// The stage the scripts of `cx` play on; null before the first object is made.
Stage *currentStage(Context &cx);
// A global object named `name`, made a broadcaster of listeners.
Object *makeBroadcaster(Vm &vm, const char *name);

}
