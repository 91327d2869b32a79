#include "FilterClasses.h"

#include "FilterData.h"
#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
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

// The elements of an array-like value: numbers and booleans count, the rest
// is NaN.
std::vector<double> elements(Context &cx, const Value &value)
{
    std::vector<double> out;
    Object *o = value.asObject();
    if (!o)
        return out;
    uint32_t length = std::min<uint32_t>(arrayLength(cx, o), 4096);
    for (uint32_t i = 0; i < length; ++i) {
        Value v = arrayGet(cx, o, i);
        out.push_back(v.isNumber() || v.isBoolean() ? toNumber(cx, v) : NAN);
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
    case P::Colors: return numbers(cx, std::vector<double>(d.colors.begin(), d.colors.end()));
    case P::Alphas: return numbers(cx, d.alphas);
    case P::Ratios: return numbers(cx, std::vector<double>(d.ratios.begin(), d.ratios.end()));
    case P::MatrixX: return d.matrixX;
    case P::MatrixY: return d.matrixY;
    case P::Matrix: return numbers(cx, d.matrix);
    case P::Divisor: return d.divisor;
    case P::Bias: return d.bias;
    case P::PreserveAlpha: return d.preserveAlpha;
    case P::Clamp: return d.clamp;
    }
    return Value();
}

// A gradient's colours, alphas and ratios keep as many entries as the
// colours have.
void fitGradient(FilterData &d)
{
    d.alphas.resize(d.colors.size(), 1);
    d.ratios.resize(d.colors.size(), 0);
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
    case P::Colors:
        d.colors.clear();
        for (double c : elements(cx, v))
            d.colors.push_back(storedColor(c));
        d.colors.resize(std::min<size_t>(d.colors.size(), 16));
        fitGradient(d);
        break;
    case P::Alphas:
        d.alphas.clear();
        for (double a : elements(cx, v))
            d.alphas.push_back(storedAlpha(a));
        fitGradient(d);
        break;
    case P::Ratios:
        d.ratios.clear();
        for (double r : elements(cx, v))
            d.ratios.push_back(std::isfinite(r) ? int(std::clamp(r, 0.0, 255.0)) : 0);
        fitGradient(d);
        break;
    case P::MatrixX:
        d.matrixX = std::isfinite(n) ? int(std::clamp(n, 0.0, 15.0)) : 0;
        resizeMatrix(d);
        break;
    case P::MatrixY:
        d.matrixY = std::isfinite(n) ? int(std::clamp(n, 0.0, 15.0)) : 0;
        resizeMatrix(d);
        break;
    case P::Matrix: {
        std::vector<double> values = elements(cx, v);
        size_t size = d.matrix.size();
        d.matrix = values;
        d.matrix.resize(size, 0);
        break;
    }
    case P::Divisor: d.divisor = n; break;
    case P::Bias: d.bias = n; break;
    case P::PreserveAlpha: d.preserveAlpha = toBoolean(cx, v); break;
    case P::Clamp: d.clamp = toBoolean(cx, v); break;
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

constexpr auto kPropFns = propTable(std::make_index_sequence<size_t(P::Clamp) + 1>());

template <size_t... I> constexpr std::array<NativeFn, sizeof...(I)> constructorTable(std::index_sequence<I...>)
{
    return {construct<Filter::Kind(I)>...};
}

constexpr auto kConstructors = constructorTable(std::make_index_sequence<size_t(Filter::GradientBevel) + 1>());

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
