#include "ClipEffects.h"

#include "swf/SwfBlend.h"
#include "swf/SwfDisplayObject.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/display/DisplayData.h"
#include "swf/avm1/display/geom/GeomValues.h"

namespace swf::avm1 {

namespace {

const char *const kBlendNames[] = {"normal",     "layer",    "multiply", "screen", "lighten",
                                   "darken",     "difference", "add",    "subtract", "invert",
                                   "alpha",      "erase",    "overlay",  "hardlight"};

Value getBlendMode(Context &cx, const Value &self, Args)
{
    DisplayObject *object = displayOf(self.asObject());
    if (!object)
        return Value();
    return cx.vm.name(QString::fromLatin1(kBlendNames[int(object->blendMode()) - 1]));
}

// The mode a value names: a mode's name (exactly), its number (taken modulo
// 256, 1 to 14), or null and undefined for normal; anything else names none.
std::optional<BlendMode> blendModeNamed(Context &cx, const Value &value)
{
    if (value.isUndefined() || value.isNull())
        return BlendMode::Normal;
    if (value.isNumber()) {
        int stored = toInt32(value.number()) & 0xFF;
        if (stored >= 1 && stored <= 14)
            return BlendMode(stored);
        return std::nullopt;
    }
    if (!value.isString())
        return std::nullopt;
    QString name = toQString(cx, value);
    for (int i = 0; i < 14; ++i)
        if (name == QLatin1String(kBlendNames[i]))
            return BlendMode(i + 1);
    return std::nullopt;
}

Value setBlendMode(Context &cx, const Value &self, Args args)
{
    DisplayObject *object = displayOf(self.asObject());
    if (!object)
        return Value();
    if (std::optional<BlendMode> mode = blendModeNamed(cx, arg(args, 0)))
        object->setBlendMode(*mode);
    return Value();
}

Value getCacheAsBitmap(Context &, const Value &self, Args)
{
    DisplayObject *object = displayOf(self.asObject());
    return object ? Value(object->cacheAsBitmap()) : Value();
}

Value setCacheAsBitmap(Context &cx, const Value &self, Args args)
{
    if (DisplayObject *object = displayOf(self.asObject()))
        object->setCacheAsBitmap(toBoolean(cx, arg(args, 0)));
    return Value();
}

}

void installClipEffects(Vm &vm, Object *clipPrototype)
{
    addAccessors(vm, clipPrototype,
                 {
                     {"blendMode", getBlendMode, setBlendMode},
                     {"cacheAsBitmap", getCacheAsBitmap, setCacheAsBitmap},
                 },
                 PropertyFlag::DontEnum | PropertyFlag::OnlySwf8Up);
}

}
