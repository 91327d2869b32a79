#pragma once
// Reading and making the plain objects of the geometry classes. Their
// fields are ordinary properties scripts may set to anything, so the
// methods read them as scripts would (converting with toNumber).
#include "swf/SwfTypes.h"
#include "swf/avm1/Function.h"
#include "swf/avm1/PropertyMap.h"
#include "swf/avm1/Value.h"

#include <QRectF>
#include <QTransform>

namespace swf::avm1 {

class Context;
class Object;
class Vm;

// flash.<name> (flash.geom, flash.display, ...), made on first use. The
// flash package is hidden from movies before SWF 8, as scripts expect.
Object *flashPackage(Vm &vm, const char *name);

// object[name], or undefined when `object` is not an object.
Value field(Context &cx, const Value &object, const char *name);
double numberField(Context &cx, const Value &object, const char *name);
void setField(Context &cx, Object *object, const char *name, const Value &value);

// A new object of the class whose prototype is `proto`, with the given
// plain fields.
Object *newInstance(Context &cx, Object *proto, std::initializer_list<std::pair<const char *, Value>> fields);
Object *newPoint(Context &cx, const Value &x, const Value &y);
Object *newRectangle(Context &cx, double x, double y, double width, double height);

// A script Matrix in pixels and a display matrix in twips.
QTransform matrixOf(Context &cx, const Value &matrix);
Object *newMatrix(Context &cx, const QTransform &twips);

// A script ColorTransform and a display colour transform.
ColorTransform colorTransformOf(const Value &colors);
Object *newColorTransform(Context &cx, const ColorTransform &colors);

// A property of a class's prototype run by native code; no setter: read-only.
struct Accessor {
    const char *name;
    NativeFn get;
    NativeFn set = nullptr;
};
void addAccessors(Vm &vm, Object *proto, std::initializer_list<Accessor> accessors,
                  uint16_t flags = PropertyFlag::DontEnum);

// Whether `value` is an object made by the class whose prototype is `proto`.
bool isInstance(const Value &value, Object *proto);

}
