#pragma once
// The graphics classes of the flash package: flash.geom (Point, Rectangle,
// Matrix, ColorTransform, Transform) and the transform property of clips.
namespace swf::avm1 {

class Object;
class Vm;

void installPoint(Vm &vm);
void installRectangle(Vm &vm);
void installMatrix(Vm &vm);
void installColorTransform(Vm &vm);
// Transform, and `transform` on the clips' prototype.
void installTransform(Vm &vm, Object *clipPrototype);

// All of the above.
void installGeom(Vm &vm, Object *clipPrototype);

}
