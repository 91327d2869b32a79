#include "FilterClasses.h"

#include "FilterData.h"
#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/display/bitmap/BitmapData.h"
#include "swf/avm1/display/geom/GeomValues.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace swf::avm1 {

namespace {

using P = FilterProp;

FilterData *dataOf(const Value &self)
{
    Object *o = self.asObject();
    return o ? o->nativeAs<FilterData>() : nullptr;
}

Value numbers(Context &cx, const std::vector<double> &values)
{
    std::vector<Value> items(values.begin(), values.end());
    return cx.vm.newArray(items);
}

// The elements of an array-like value: numbers, booleans and strings count
// as numbers, the rest is NaN. A string is as long as its text and has no
// elements, so it gives that many NaNs.
std::vector<double> elements(Context &cx, const Value &value)
{
    std::vector<double> out;
    if (value.isString())
        out.assign(std::min<size_t>(size_t(toQString(cx, value).size()), 4096), NAN);
    Object *o = value.asObject();
    if (!o)
        return out;
    uint32_t length = std::min<uint32_t>(arrayLength(cx, o), 4096);
    for (uint32_t i = 0; i < length; ++i) {
        Value v = arrayGet(cx, o, i);
        out.push_back(v.isNumber() || v.isBoolean() || v.isString() ? toNumber(cx, v) : NAN);
    }
    return out;
}

Value read(Context &cx, const FilterData &d, P prop)
{
    switch (prop) {
    case P::BlurX: return d.blurX;
    case P::BlurY: return d.blurY;
    case P::Quality: return d.quality;
    case P::Distance: return d.distance;
    case P::Angle: return d.angle;
    case P::Color:
    case P::ShadowColor: return double(d.color);
    case P::Alpha:
    case P::ShadowAlpha: return d.alpha;
    case P::Strength: return d.strength;
    case P::Inner: return d.inner;
    case P::Knockout: return d.knockout;
    case P::HideObject: return d.hideObject;
    case P::HighlightColor: return double(d.highlightColor);
    case P::HighlightAlpha: return d.highlightAlpha;
    case P::Type: return cx.vm.string(d.type);
    case P::ColorMatrix: return numbers(cx, std::vector<double>(d.colorMatrix.begin(), d.colorMatrix.end()));
    case P::Colors: return numbers(cx, std::vector<double>(d.colors.begin(), d.colors.begin() + d.stops));
    case P::Alphas: return numbers(cx, std::vector<double>(d.alphas.begin(), d.alphas.begin() + d.stops));
    case P::Ratios: return numbers(cx, std::vector<double>(d.ratios.begin(), d.ratios.begin() + d.stops));
    case P::MatrixX: return d.matrixX;
    case P::MatrixY: return d.matrixY;
    case P::Matrix: return numbers(cx, d.matrix);
    case P::Divisor: return d.divisor;
    case P::Bias: return d.bias;
    case P::PreserveAlpha: return d.preserveAlpha;
    case P::Clamp: return d.clamp;
    case P::MapBitmap: return d.mapBitmap;
    case P::MapPoint: return Value(newPoint(cx, Value(double(d.mapX)), Value(double(d.mapY))));
    case P::ComponentX: return d.componentX;
    case P::ComponentY: return d.componentY;
    case P::ScaleX: return d.scaleX;
    case P::ScaleY: return d.scaleY;
    case P::Mode: return cx.vm.string(d.mode);
    }
    return Value();
}

// The gradient's arrays reach every stop shown; stops that were never set
// are black, transparent and at ratio 0.
void keepStops(FilterData &d)
{
    size_t size = std::max(d.colors.size(), d.stops);
    d.colors.resize(size, 0);
    d.alphas.resize(size, 0);
    d.ratios.resize(size, 0);
}

// A gradient stop's alpha: 8 bits, rounded.
double gradientAlpha(double alpha)
{
    return std::isfinite(alpha) ? std::round(std::clamp(alpha, 0.0, 1.0) * 255) / 255 : 0;
}

void write(Context &cx, FilterData &d, P prop, const Value &v)
{
    double n = toNumber(cx, v);
    switch (prop) {
    case P::BlurX: d.blurX = storedAmount(n, 255); break;
    case P::BlurY: d.blurY = storedAmount(n, 255); break;
    case P::Quality: d.quality = storedQuality(n); break;
    case P::Distance: d.distance = std::isfinite(n) ? n : 0; break;
    case P::Angle: d.angle = storedAngle(n); break;
    case P::Color:
    case P::ShadowColor: d.color = storedColor(n); break;
    case P::Alpha:
    case P::ShadowAlpha: d.alpha = storedAlpha(n); break;
    case P::Strength: d.strength = storedAmount(n, 255); break;
    case P::Inner: d.inner = toBoolean(cx, v); break;
    case P::Knockout: d.knockout = toBoolean(cx, v); break;
    case P::HideObject: d.hideObject = toBoolean(cx, v); break;
    case P::HighlightColor: d.highlightColor = storedColor(n); break;
    case P::HighlightAlpha: d.highlightAlpha = storedAlpha(n); break;
    case P::Type: d.type = storedType(toQString(cx, v)); break;
    case P::ColorMatrix:
        if (!v.isUndefined() && !v.isNull()) {
            std::vector<double> values = elements(cx, v);
            values.resize(20, NAN);
            std::copy(values.begin(), values.end(), d.colorMatrix.begin());
        }
        break;
    case P::Colors: {
        std::vector<double> values = elements(cx, v);
        d.stops = std::min<size_t>(values.size(), 16);
        keepStops(d);
        for (size_t i = 0; i < d.stops; ++i)
            d.colors[i] = storedColor(values[i]);
        break;
    }
    case P::Alphas: {
        // Stops the array does not reach become opaque.
        std::vector<double> values = elements(cx, v);
        for (size_t i = 0; i < d.stops; ++i)
            d.alphas[i] = i < values.size() ? gradientAlpha(values[i]) : 1;
        break;
    }
    case P::Ratios: {
        // Fewer ratios than colours drop the stops without one.
        if (v.isNullish())
            break;
        std::vector<double> values = elements(cx, v);
        d.stops = std::min(d.stops, values.size());
        for (size_t i = 0; i < d.stops; ++i)
            d.ratios[i] = std::isfinite(values[i]) ? int(std::clamp(values[i], 0.0, 255.0)) : 0;
        break;
    }
    case P::MatrixX:
        d.matrixX = std::isfinite(n) ? int(std::clamp(n, 0.0, 15.0)) : 0;
        resizeMatrix(d);
        break;
    case P::MatrixY:
        d.matrixY = std::isfinite(n) ? int(std::clamp(n, 0.0, 15.0)) : 0;
        resizeMatrix(d);
        break;
    case P::Matrix:
        d.matrix = elements(cx, v);
        resizeMatrix(d);
        break;
    case P::Divisor: d.divisor = n; break;
    case P::Bias: d.bias = n; break;
    case P::PreserveAlpha: d.preserveAlpha = toBoolean(cx, v); break;
    case P::Clamp: d.clamp = toBoolean(cx, v); break;
    case P::MapBitmap:
        if (pixelsOf(v))
            d.mapBitmap = v;
        break;
    case P::MapPoint: {
        // Whole pixels; a point without two numbers is the origin.
        double x = numberField(cx, v, "x"), y = numberField(cx, v, "y");
        bool both = std::isfinite(x) && std::isfinite(y);
        d.mapX = both ? int(std::clamp(x, -1e9, 1e9)) : 0;
        d.mapY = both ? int(std::clamp(y, -1e9, 1e9)) : 0;
        break;
    }
    case P::ComponentX: d.componentX = std::isfinite(n) ? int(std::clamp(n, -1e9, 1e9)) : 0; break;
    case P::ComponentY: d.componentY = std::isfinite(n) ? int(std::clamp(n, -1e9, 1e9)) : 0; break;
    case P::ScaleX: d.scaleX = std::isfinite(n) ? std::clamp(n, -65535.0, 65535.0) : 0; break;
    case P::ScaleY: d.scaleY = std::isfinite(n) ? std::clamp(n, -65535.0, 65535.0) : 0; break;
    case P::Mode: d.mode = storedMode(toQString(cx, v)); break;
    }
}

template <P prop> Value getter(Context &cx, const Value &self, Args)
{
    FilterData *d = dataOf(self);
    return d ? read(cx, *d, prop) : Value();
}

template <P prop> Value setter(Context &cx, const Value &self, Args args)
{
    if (FilterData *d = dataOf(self))
        write(cx, *d, prop, arg(args, 0));
    return Value();
}

struct ClassInfo {
    const char *name;
    Filter::Kind kind;
    // The properties in the order the constructor takes them.
    std::vector<std::pair<const char *, P>> props;
    // Their names in the order for..in lists them, last first.
    const char *listed;
};

const char *const kGradientListed = "distance angle colors alphas ratios blurX blurY quality strength knockout type";

const std::vector<ClassInfo> &classes()
{
    static const std::vector<ClassInfo> list = {
        {"BlurFilter", Filter::Blur, {{"blurX", P::BlurX}, {"blurY", P::BlurY}, {"quality", P::Quality}}, "blurX blurY quality"},
        {"DropShadowFilter",
         Filter::DropShadow,
         {{"distance", P::Distance},
          {"angle", P::Angle},
          {"color", P::Color},
          {"alpha", P::Alpha},
          {"blurX", P::BlurX},
          {"blurY", P::BlurY},
          {"strength", P::Strength},
          {"quality", P::Quality},
          {"inner", P::Inner},
          {"knockout", P::Knockout},
          {"hideObject", P::HideObject}},
         "distance angle color alpha quality inner knockout blurX blurY strength hideObject"},
        {"GlowFilter",
         Filter::Glow,
         {{"color", P::Color},
          {"alpha", P::Alpha},
          {"blurX", P::BlurX},
          {"blurY", P::BlurY},
          {"strength", P::Strength},
          {"quality", P::Quality},
          {"inner", P::Inner},
          {"knockout", P::Knockout}},
         "color alpha quality inner knockout blurX blurY strength"},
        {"BevelFilter",
         Filter::Bevel,
         {{"distance", P::Distance},
          {"angle", P::Angle},
          {"highlightColor", P::HighlightColor},
          {"highlightAlpha", P::HighlightAlpha},
          {"shadowColor", P::ShadowColor},
          {"shadowAlpha", P::ShadowAlpha},
          {"blurX", P::BlurX},
          {"blurY", P::BlurY},
          {"strength", P::Strength},
          {"quality", P::Quality},
          {"type", P::Type},
          {"knockout", P::Knockout}},
         "distance angle highlightColor highlightAlpha shadowColor shadowAlpha quality strength knockout blurX blurY type"},
        {"ColorMatrixFilter", Filter::ColorMatrix, {{"matrix", P::ColorMatrix}}, "matrix"},
        {"ConvolutionFilter",
         Filter::Convolution,
         {{"matrixX", P::MatrixX},
          {"matrixY", P::MatrixY},
          {"matrix", P::Matrix},
          {"divisor", P::Divisor},
          {"bias", P::Bias},
          {"preserveAlpha", P::PreserveAlpha},
          {"clamp", P::Clamp},
          {"color", P::Color},
          {"alpha", P::Alpha}},
         "matrixX matrixY matrix divisor bias preserveAlpha clamp color alpha"},
        {"DisplacementMapFilter",
         Filter::Displacement,
         {{"mapBitmap", P::MapBitmap},
          {"mapPoint", P::MapPoint},
          {"componentX", P::ComponentX},
          {"componentY", P::ComponentY},
          {"scaleX", P::ScaleX},
          {"scaleY", P::ScaleY},
          {"mode", P::Mode},
          {"color", P::Color},
          {"alpha", P::Alpha}},
         "mapBitmap mapPoint componentX componentY scaleX scaleY mode color alpha"},
        {"GradientGlowFilter", Filter::GradientGlow, {}, kGradientListed},
        {"GradientBevelFilter", Filter::GradientBevel, {}, kGradientListed},
    };
    return list;
}

const std::vector<std::pair<const char *, P>> &gradientProps()
{
    static const std::vector<std::pair<const char *, P>> props = {
        {"distance", P::Distance}, {"angle", P::Angle},       {"colors", P::Colors},     {"alphas", P::Alphas},
        {"ratios", P::Ratios},     {"blurX", P::BlurX},       {"blurY", P::BlurY},       {"strength", P::Strength},
        {"quality", P::Quality},   {"type", P::Type},         {"knockout", P::Knockout},
    };
    return props;
}

const ClassInfo *classOf(Filter::Kind kind)
{
    for (const ClassInfo &info : classes())
        if (info.kind == kind)
            return &info;
    return nullptr;
}

const std::vector<std::pair<const char *, P>> &propsOf(const ClassInfo &info)
{
    return info.props.empty() ? gradientProps() : info.props;
}

template <Filter::Kind kind> Value construct(Context &cx, const Value &self, Args args)
{
    Object *o = self.asObject();
    if (!o)
        return Value();
    auto data = std::make_unique<FilterData>(kind);
    const auto &props = propsOf(*classOf(kind));
    for (size_t i = 0; i < props.size() && i < args.size(); ++i)
        if (!args[i].isUndefined())
            write(cx, *data, props[i].second, args[i]);
    o->setNative(std::move(data));
    return self;
}

Value clone(Context &cx, const Value &self, Args)
{
    FilterData *d = dataOf(self);
    return d ? Value(newFilterObject(cx, *d)) : Value();
}

Value constructBase(Context &, const Value &self, Args) { return self; }

// The getter and setter of each property, and the constructor of each
// kind, by their numbers.
struct PropFns {
    NativeFn get, set;
};

template <size_t... I> constexpr std::array<PropFns, sizeof...(I)> propTable(std::index_sequence<I...>)
{
    return {PropFns{getter<P(I)>, setter<P(I)>}...};
}

constexpr auto kPropFns = propTable(std::make_index_sequence<size_t(P::Mode) + 1>());

template <size_t... I> constexpr std::array<NativeFn, sizeof...(I)> constructorTable(std::index_sequence<I...>)
{
    return {construct<Filter::Kind(I)>...};
}

constexpr auto kConstructors = constructorTable(std::make_index_sequence<size_t(Filter::Displacement) + 1>());

}

const FilterData *filterOf(const Value &value)
{
    return dataOf(value);
}

Object *newFilterObject(Context &cx, const FilterData &data)
{
    // The class as flash.filters holds it now.
    Value cls = flashPackage(cx.vm, "filters")->get(cx, cx.vm.name(QString::fromLatin1(classOf(data.kind)->name)));
    Object *proto = field(cx, cls, "prototype").asObject();
    Object *o = cx.vm.heap.make<Object>(proto ? proto : cx.vm.protos.object);
    o->setNative(std::make_unique<FilterData>(data));
    return o;
}

void installFilterClasses(Vm &vm)
{
    Object *package = flashPackage(vm, "filters");
    Object *base = vm.newObject();
    vm.makeClass(package, "BitmapFilter", constructBase, nullptr, base);
    for (const ClassInfo &info : classes()) {
        Object *proto = vm.heap.make<Object>(base);
        vm.makeClass(package, info.name, kConstructors[size_t(info.kind)], nullptr, proto);
        const auto &props = propsOf(info);
        for (const QString &name : QString::fromLatin1(info.listed).split(QLatin1Char(' '))) {
            auto it = std::find_if(props.begin(), props.end(), [&](const auto &p) { return name == QLatin1String(p.first); });
            addAccessors(vm, proto, {{it->first, kPropFns[size_t(it->second)].get, kPropFns[size_t(it->second)].set}}, 0);
        }
        // clone is listed by for..in, after the properties.
        proto->put(vm.name(QStringLiteral("clone")), vm.method(proto, "clone", clone), 0);
    }
}

}
