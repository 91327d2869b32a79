// Color: the colour transform of a clip as scripts set it with a Color
// object made for the clip (new Color(clip) or new Color("path")).
// Multipliers are percent, offsets -255 to 255, as scripts see them.
#include "DisplayClasses.h"
#include "DisplayData.h"
#include "swf/SwfDisplayObject.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Frame.h"
#include "swf/avm1/PropertyMap.h"
#include "swf/avm1/Variables.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <cmath>

namespace swf::avm1 {

namespace {

String *targetName(Vm &vm)
{
    return vm.name(QStringLiteral("target"));
}

// The clip the Color object was made for, while it is on the stage.
DisplayObject *targetOf(Context &cx, const Value &self)
{
    Object *color = self.asObject();
    if (!color)
        return nullptr;
    Value target = color->get(cx, targetName(cx.vm));
    if (target.isString()) {
        Frame frame = timelineFrame(cx.vm, cx.version, cx.target);
        return displayOf(resolvePath(frame, toQString(cx, target)));
    }
    return displayOf(target.asObject());
}

Value construct(Context &cx, const Value &self, Args args)
{
    if (Object *color = self.asObject())
        color->put(targetName(cx.vm), arg(args, 0), PropertyFlag::DontEnum);
    return self;
}

void change(DisplayObject &object, const ColorTransform &colors)
{
    object.setColorTransform(colors);
    object.setTransformedByScript(true);
}

// setRGB(0xRRGGBB): the clip in that one colour, its alpha kept.
Value setRGB(Context &cx, const Value &self, Args args)
{
    DisplayObject *object = targetOf(cx, self);
    if (!object || args.empty())
        return Value();
    uint32_t rgb = toUint32(toNumber(cx, args[0]));
    ColorTransform colors = object->colorTransform();
    for (int i = 0; i < 3; ++i) {
        colors.mult[i] = 0;
        colors.add[i] = int(rgb >> (16 - 8 * i) & 0xFF);
    }
    change(*object, colors);
    return Value();
}

Value getRGB(Context &cx, const Value &self, Args)
{
    DisplayObject *object = targetOf(cx, self);
    if (!object)
        return Value();
    const ColorTransform &colors = object->colorTransform();
    return double((colors.add[0] & 0xFF) << 16 | (colors.add[1] & 0xFF) << 8 | (colors.add[2] & 0xFF));
}

const char *const kMultipliers[] = {"ra", "ga", "ba", "aa"};
const char *const kOffsets[] = {"rb", "gb", "bb", "ab"};

// setTransform({ra, rb, ga, gb, ba, bb, aa, ab}): the fields given change.
Value setTransform(Context &cx, const Value &self, Args args)
{
    DisplayObject *object = targetOf(cx, self);
    Object *given = arg(args, 0).asObject();
    if (!object || !given)
        return Value();
    ColorTransform colors = object->colorTransform();
    for (int i = 0; i < 4; ++i) {
        Value mult, add;
        if (given->lookup(cx, cx.vm.name(QString::fromLatin1(kMultipliers[i])), mult))
            colors.mult[i] = toInt32(toNumber(cx, mult) * 256.0 / 100.0);
        if (given->lookup(cx, cx.vm.name(QString::fromLatin1(kOffsets[i])), add))
            colors.add[i] = toInt32(toNumber(cx, add));
    }
    change(*object, colors);
    return Value();
}

Value getTransform(Context &cx, const Value &self, Args)
{
    DisplayObject *object = targetOf(cx, self);
    if (!object)
        return Value();
    const ColorTransform &colors = object->colorTransform();
    Object *out = cx.vm.newObject();
    for (int i = 0; i < 4; ++i) {
        out->put(cx.vm.name(QString::fromLatin1(kMultipliers[i])), colors.mult[i] * 100.0 / 256.0);
        out->put(cx.vm.name(QString::fromLatin1(kOffsets[i])), double(colors.add[i]));
    }
    return out;
}

}

void installColor(Vm &vm)
{
    Object *proto = vm.newObject();
    vm.makeClass(vm.global(), "Color", construct, nullptr, proto);
    vm.method(proto, "setRGB", setRGB);
    vm.method(proto, "getRGB", getRGB);
    vm.method(proto, "setTransform", setTransform);
    vm.method(proto, "getTransform", getTransform);
}

}
