#include "ClipEffects.h"

#include "swf/SwfBlend.h"
#include "swf/SwfDisplayObject.h"
#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/display/DisplayData.h"
#include "swf/avm1/display/filters/FilterClasses.h"
#include "swf/avm1/display/filters/FilterData.h"
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

}

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

namespace {

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

// A new array of copies of the clip's filters each time: changing one
// changes the clip only when the array is set again.
Value getFilters(Context &cx, const Value &self, Args)
{
    DisplayObject *object = displayOf(self.asObject());
    if (!object)
        return Value();
    std::vector<Value> items;
    for (const Filter &filter : object->filters())
        items.push_back(newFilterObject(cx, FilterData::fromDisplay(filter)));
    return cx.vm.newArray(items);
}

// The filter objects of an array; its other elements are left out.
Value setFilters(Context &cx, const Value &self, Args args)
{
    DisplayObject *object = displayOf(self.asObject());
    Object *list = arg(args, 0).asObject();
    if (!object || !list)
        return Value();
    std::vector<Filter> filters;
    uint32_t length = std::min<uint32_t>(arrayLength(cx, list), 1024);
    for (uint32_t i = 0; i < length; ++i)
        if (const FilterData *data = filterOf(arrayGet(cx, list, i)))
            filters.push_back(data->toDisplay());
    object->setFilters(std::move(filters));
    return Value();
}

}

void installClipEffects(Vm &vm, Object *clipPrototype)
{
    addAccessors(vm, clipPrototype,
                 {
                     {"blendMode", getBlendMode, setBlendMode},
                     {"cacheAsBitmap", getCacheAsBitmap, setCacheAsBitmap},
                     {"filters", getFilters, setFilters},
                 },
                 PropertyFlag::DontEnum | PropertyFlag::OnlySwf8Up);
}

}
