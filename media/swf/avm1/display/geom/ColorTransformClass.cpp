// flash.geom.ColorTransform: eight numbers, read and set through accessor
// properties of the prototype, and the rgb shorthand.
#include "ColorTransformData.h"
#include "GeomClasses.h"
#include "GeomValues.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <algorithm>
#include <cmath>

namespace swf::avm1 {

namespace {

const char *const kNames[] = {"redMultiplier", "greenMultiplier", "blueMultiplier", "alphaMultiplier",
                              "redOffset",     "greenOffset",     "blueOffset",     "alphaOffset"};
// The order scripts list the accessors in (for..in over an object).
const int kListed[] = {3, 0, 1, 2, 7, 4, 5, 6};

ColorTransformData *dataOf(const Value &self)
{
    Object *o = self.asObject();
    return o ? o->nativeAs<ColorTransformData>() : nullptr;
}

double &component(ColorTransformData &data, int i)
{
    return i < 4 ? data.mult[i] : data.add[i - 4];
}

Value construct(Context &cx, const Value &self, Args args)
{
    Object *o = self.asObject();
    if (!o)
        return Value();
    auto data = std::make_unique<ColorTransformData>();
    for (size_t i = 0; i < std::min<size_t>(args.size(), 8); ++i)
        component(*data, int(i)) = toNumber(cx, args[i]);
    o->setNative(std::move(data));
    return self;
}

struct Component {
    NativeFn get, set;
};

template <int I> Value getComponent(Context &, const Value &self, Args)
{
    ColorTransformData *data = dataOf(self);
    return data ? Value(component(*data, I)) : Value();
}

template <int I> Value setComponent(Context &cx, const Value &self, Args args)
{
    if (ColorTransformData *data = dataOf(self))
        component(*data, I) = toNumber(cx, arg(args, 0));
    return Value();
}

// The offsets as one 0xRRGGBB colour, each clamped to a byte.
Value getRgb(Context &, const Value &self, Args)
{
    ColorTransformData *data = dataOf(self);
    if (!data)
        return Value();
    uint32_t rgb = 0;
    for (int i = 0; i < 3; ++i) {
        double v = std::isnan(data->add[i]) ? 0 : std::clamp(data->add[i], 0.0, 255.0);
        rgb = rgb << 8 | uint32_t(v);
    }
    return double(rgb);
}

// Setting rgb makes the object that one colour: no multipliers, those offsets.
Value setRgb(Context &cx, const Value &self, Args args)
{
    ColorTransformData *data = dataOf(self);
    if (!data || args.empty())
        return Value();
    uint32_t rgb = toUint32(toNumber(cx, args[0]));
    for (int i = 0; i < 3; ++i) {
        data->mult[i] = 0;
        data->add[i] = rgb >> (16 - 8 * i) & 0xFF;
    }
    return Value();
}

Value concat(Context &, const Value &self, Args args)
{
    ColorTransformData *data = dataOf(self);
    ColorTransformData *inner = dataOf(arg(args, 0));
    if (data && inner)
        data->concat(*inner);
    return Value();
}

Value toString(Context &cx, const Value &self, Args)
{
    ColorTransformData *data = dataOf(self);
    if (!data)
        return Value();
    QString text = QStringLiteral("(");
    for (int i = 0; i < 8; ++i) {
        if (i)
            text += QStringLiteral(", ");
        text += QString::fromLatin1(kNames[i]) + QLatin1Char('=') + numberToString(component(*data, i));
    }
    return cx.vm.string(text + QLatin1Char(')'));
}

template <int I> Component componentAccessors()
{
    return {getComponent<I>, setComponent<I>};
}

template <int... I> void addComponents(Vm &vm, Object *proto, std::integer_sequence<int, I...>)
{
    const Component components[] = {componentAccessors<I>()...};
    for (int i : kListed)
        proto->putVirtual(vm.strings.permanent(QString::fromLatin1(kNames[i])), vm.newFunction(components[i].get),
                          vm.newFunction(components[i].set));
}

}

void installColorTransform(Vm &vm)
{
    Object *proto = vm.newObject();
    vm.makeClass(flashPackage(vm, "geom"), "ColorTransform", construct, nullptr, proto);
    addComponents(vm, proto, std::make_integer_sequence<int, 8>());
    addAccessors(vm, proto, {{"rgb", getRgb, setRgb}}, 0);
    proto->put(vm.strings.permanent(QStringLiteral("concat")), vm.newFunction(concat));
    proto->put(vm.strings.permanent(QStringLiteral("toString")), vm.newFunction(toString));
    vm.protos.colorTransform = proto;
}

}
