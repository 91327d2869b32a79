// flash.geom.Transform: the matrix and colour transform of a clip, read and
// set as new Matrix and ColorTransform objects (a copy each time), and what
// they add up to on the stage. Clips give one through `transform`.
#include "ColorTransformData.h"
#include "GeomClasses.h"
#include "GeomValues.h"
#include "swf/SwfDisplayObject.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/display/DisplayData.h"

namespace swf::avm1 {

namespace {

// The clip a Transform stands for (its script object).
class TransformData : public NativeData {
public:
    explicit TransformData(Object *clip) : clip(clip) {}
    void trace(Tracer &tracer) override { tracer.mark(clip); }
    Object *const clip;
};

DisplayObject *targetOf(const Value &self)
{
    Object *o = self.asObject();
    auto *data = o ? o->nativeAs<TransformData>() : nullptr;
    return data ? displayOf(data->clip) : nullptr;
}

void attach(Object *transform, Object *clip)
{
    transform->setNative(std::make_unique<TransformData>(clip));
}

// new Transform(clip); without a clip on the stage there is no object.
Value construct(Context &, const Value &self, Args args)
{
    Object *o = self.asObject();
    Object *clip = arg(args, 0).asObject();
    if (!o || !displayOf(clip))
        return Value::null();
    attach(o, clip);
    return self;
}

Value getMatrix(Context &cx, const Value &self, Args)
{
    DisplayObject *object = targetOf(self);
    return object ? Value(newMatrix(cx, object->matrix())) : Value();
}

Value setMatrix(Context &cx, const Value &self, Args args)
{
    DisplayObject *object = targetOf(self);
    if (object && isInstance(arg(args, 0), cx.vm.protos.matrix)) {
        object->setMatrix(matrixOf(cx, args[0]));
        object->setTransformedByScript(true);
    }
    return Value();
}

Value getColorTransform(Context &cx, const Value &self, Args)
{
    DisplayObject *object = targetOf(self);
    return object ? Value(newColorTransform(cx, object->colorTransform())) : Value();
}

Value setColorTransform(Context &, const Value &self, Args args)
{
    DisplayObject *object = targetOf(self);
    Object *given = arg(args, 0).asObject();
    if (object && given && given->nativeAs<ColorTransformData>()) {
        object->setColorTransform(colorTransformOf(args[0]));
        object->setTransformedByScript(true);
    }
    return Value();
}

Value getConcatenatedMatrix(Context &cx, const Value &self, Args)
{
    DisplayObject *object = targetOf(self);
    return object ? Value(newMatrix(cx, object->stageMatrix())) : Value();
}

Value getConcatenatedColorTransform(Context &cx, const Value &self, Args)
{
    DisplayObject *object = targetOf(self);
    if (!object)
        return Value();
    ColorTransformData colors = ColorTransformData::fromDisplay(object->colorTransform());
    for (DisplayObject *at = object->parent(); at; at = at->parent()) {
        ColorTransformData outer = ColorTransformData::fromDisplay(at->colorTransform());
        outer.concat(colors);
        colors = outer.asStored();
    }
    Object *out = newColorTransform(cx, {});
    *out->nativeAs<ColorTransformData>() = colors;
    return out;
}

// The object's bounds on the stage, in whole pixels.
Value getPixelBounds(Context &cx, const Value &self, Args)
{
    DisplayObject *object = targetOf(self);
    if (!object)
        return Value();
    QRectF stage = object->stageMatrix().mapRect(object->localBounds());
    QRect pixels = QRectF(stage.topLeft() / 20.0, stage.size() / 20.0).toAlignedRect();
    return newRectangle(cx, pixels.x(), pixels.y(), pixels.width(), pixels.height());
}

Value getClipTransform(Context &cx, const Value &self, Args)
{
    Object *clip = self.asObject();
    if (!displayOf(clip))
        return Value();
    Object *transform = newInstance(cx, cx.vm.protos.transform, {});
    attach(transform, clip);
    return transform;
}

// clip.transform = other.transform: the clip takes the other's matrix and
// colour transform; anything but a Transform changes nothing.
Value setClipTransform(Context &, const Value &self, Args args)
{
    DisplayObject *object = displayOf(self.asObject());
    DisplayObject *source = targetOf(arg(args, 0));
    if (object && source) {
        object->setMatrix(source->matrix());
        object->setColorTransform(source->colorTransform());
        object->setTransformedByScript(true);
    }
    return Value();
}

}

void installTransform(Vm &vm, Object *clipPrototype)
{
    Object *proto = vm.newObject();
    vm.makeClass(flashPackage(vm, "geom"), "Transform", construct, nullptr, proto);
    addAccessors(vm, proto,
                 {
                     {"matrix", getMatrix, setMatrix},
                     {"colorTransform", getColorTransform, setColorTransform},
                     {"concatenatedMatrix", getConcatenatedMatrix},
                     {"concatenatedColorTransform", getConcatenatedColorTransform},
                     {"pixelBounds", getPixelBounds},
                 });
    vm.protos.transform = proto;
    addAccessors(vm, clipPrototype, {{"transform", getClipTransform, setClipTransform}},
                 PropertyFlag::DontEnum | PropertyFlag::OnlySwf8Up);
}

}
