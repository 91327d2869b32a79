// The clips' drawing methods: beginFill, beginGradientFill, lineStyle,
// lineGradientStyle, moveTo, lineTo, curveTo, endFill and clear, which
// add to the clip's Drawing. Scripts give pixels; drawings keep twips.
#include "DisplayClasses.h"
#include "DisplayData.h"
#include "geom/GeomValues.h"
#include "swf/SwfMovieClip.h"
#include "swf/avm1/ArrayData.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <cmath>
#include <numbers>

namespace swf::avm1 {

namespace {

// The largest coordinate a drawing keeps, in pixels.
constexpr double kFarthest = 1e7;
// The gradient square is 32768 twips wide: 1638.4 pixels.
constexpr double kGradientSquare = 32768.0 / 20;
constexpr int kMaxGradientStops = 15;

Drawing *drawingOf(Context &cx, const Value &self)
{
    DisplayObject *o = displayOf(self.asObject() ? cx.vm.host.follow(self.asObject()) : nullptr);
    return o && o->kind() == DisplayObject::Kind::MovieClip ? &static_cast<MovieClip *>(o)->startDrawing() : nullptr;
}

// A coordinate argument in twips; a missing or non-finite one is 0.
double twips(Context &cx, Args args, size_t i)
{
    const double px = i < args.size() ? toNumber(cx, args[i]) : 0;
    return std::isfinite(px) ? std::clamp(px, -kFarthest, kFarthest) * 20 : 0;
}

QPointF point(Context &cx, Args args, size_t i)
{
    return QPointF(twips(cx, args, i), twips(cx, args, i + 1));
}

// An alpha argument in percent (100 when missing) as 0-255.
int alpha(Context &cx, const Value &v)
{
    const double percent = v.isUndefined() ? 100 : toNumber(cx, v);
    return std::isnan(percent) ? 0 : int(std::lround(std::clamp(percent, 0.0, 100.0) * 2.55));
}

QColor colour(Context &cx, const Value &rgb, const Value &a)
{
    QColor c = QColor::fromRgb(toUint32(toNumber(cx, rgb)) & 0xFFFFFF);
    c.setAlpha(alpha(cx, a));
    return c;
}

double member(Context &cx, Object *o, const char *name)
{
    return toNumber(cx, o->get(cx, cx.vm.name(QString::fromLatin1(name))));
}

// A gradient's matrix from the square to twips: a box ({matrixType: "box",
// x, y, w, h, r}), a 3x3 matrix ({a, b, d, e, g, h}) or a Matrix.
QTransform gradientMatrix(Context &cx, const Value &v)
{
    Object *m = v.asObject();
    if (!m)
        return QTransform();
    const Value type = m->get(cx, cx.vm.name(QStringLiteral("matrixType")));
    if (type.isString() && toQString(cx, type) == QLatin1String("box")) {
        const double w = member(cx, m, "w"), h = member(cx, m, "h"), r = member(cx, m, "r");
        const double x = member(cx, m, "x"), y = member(cx, m, "y");
        const double sx = w / kGradientSquare, sy = h / kGradientSquare;
        return QTransform(std::cos(r) * sx, std::sin(r) * sx, -std::sin(r) * sy, std::cos(r) * sy, (x + w / 2) * 20,
                          (y + h / 2) * 20);
    }
    if (m->has(cx, cx.vm.name(QStringLiteral("g"))))
        return QTransform(member(cx, m, "a"), member(cx, m, "b"), member(cx, m, "d"), member(cx, m, "e"),
                          member(cx, m, "g") * 20, member(cx, m, "h") * 20);
    return matrixOf(cx, v);
}

// The fill of beginGradientFill's and lineGradientStyle's arguments (type,
// colors, alphas, ratios, matrix, spread, interpolation, focal point);
// nothing when they describe none.
std::optional<FillStyle> gradient(Context &cx, Args args)
{
    if (args.size() < 5)
        return std::nullopt;
    const QString type = toQString(cx, args[0]);
    Object *colors = args[1].asObject(), *alphas = args[2].asObject(), *ratios = args[3].asObject();
    if ((type != QLatin1String("linear") && type != QLatin1String("radial")) || !colors || !alphas || !ratios)
        return std::nullopt;
    const uint32_t count = arrayLength(cx, colors);
    if (count == 0 || count != arrayLength(cx, alphas) || count != arrayLength(cx, ratios))
        return std::nullopt;
    FillStyle fill;
    fill.kind = type == QLatin1String("linear") ? FillStyle::LinearGradient : FillStyle::RadialGradient;
    for (uint32_t i = 0; i < std::min<uint32_t>(count, kMaxGradientStops); ++i) {
        const double ratio = toNumber(cx, arrayGet(cx, ratios, i));
        const double at = std::isnan(ratio) ? 0 : std::clamp(ratio, 0.0, 255.0) / 255;
        fill.stops.append({at, colour(cx, arrayGet(cx, colors, i), arrayGet(cx, alphas, i))});
    }
    fill.matrix = gradientMatrix(cx, args[4]);
    const QString spread = toQString(cx, arg(args, 5));
    fill.spread = spread == QLatin1String("reflect") ? QGradient::ReflectSpread
        : spread == QLatin1String("repeat")          ? QGradient::RepeatSpread
                                                     : QGradient::PadSpread;
    fill.interpolation = toQString(cx, arg(args, 6)) == QLatin1String("linearRGB") ? 1 : 0;
    const double focal = args.size() > 7 ? toNumber(cx, args[7]) : 0;
    if (fill.kind == FillStyle::RadialGradient && std::isfinite(focal) && focal != 0) {
        fill.kind = FillStyle::FocalGradient;
        fill.focal = std::clamp(focal, -1.0, 1.0);
    }
    return fill;
}

Value beginFill(Context &cx, const Value &self, Args args)
{
    Drawing *drawing = drawingOf(cx, self);
    if (!drawing)
        return Value();
    if (args.empty() || args[0].isUndefined()) {
        drawing->endFill();
        return Value();
    }
    FillStyle fill;
    fill.color = colour(cx, args[0], arg(args, 1));
    drawing->beginFill(fill);
    return Value();
}

Value beginGradientFill(Context &cx, const Value &self, Args args)
{
    Drawing *drawing = drawingOf(cx, self);
    if (!drawing)
        return Value();
    if (std::optional<FillStyle> fill = gradient(cx, args))
        drawing->beginFill(*fill);
    else
        drawing->endFill();
    return Value();
}

Qt::PenCapStyle capOf(const QString &name)
{
    return name == QLatin1String("none") ? Qt::FlatCap : name == QLatin1String("square") ? Qt::SquareCap : Qt::RoundCap;
}

// lineStyle(thickness, rgb, alpha, pixelHinting, noScale, caps, joints, miterLimit)
Value lineStyle(Context &cx, const Value &self, Args args)
{
    Drawing *drawing = drawingOf(cx, self);
    if (!drawing)
        return Value();
    const double thickness = args.empty() || args[0].isUndefined() ? NAN : toNumber(cx, args[0]);
    if (std::isnan(thickness)) {
        drawing->lineStyle(std::nullopt);
        return Value();
    }
    LineStyle line;
    line.width = std::clamp(thickness, 0.0, 255.0) * 20;
    line.color = colour(cx, arg(args, 1), arg(args, 2));
    line.pixelHinting = toBoolean(cx, arg(args, 3));
    const QString noScale = args.size() > 4 ? toQString(cx, args[4]) : QStringLiteral("normal");
    line.noHScale = noScale == QLatin1String("none") || noScale == QLatin1String("horizontal");
    line.noVScale = noScale == QLatin1String("none") || noScale == QLatin1String("vertical");
    if (args.size() > 5 && !args[5].isNullish())
        line.cap = line.endCap = capOf(toQString(cx, args[5]));
    const QString join = args.size() > 6 && !args[6].isNullish() ? toQString(cx, args[6]) : QString();
    line.join = join == QLatin1String("miter") ? Qt::MiterJoin : join == QLatin1String("bevel") ? Qt::BevelJoin : Qt::RoundJoin;
    const double limit = args.size() > 7 ? toNumber(cx, args[7]) : 3;
    line.miterLimit = std::isnan(limit) ? 3 : std::clamp(limit, 1.0, 255.0);
    drawing->lineStyle(line);
    return Value();
}

// lineGradientStyle(type, colors, alphas, ratios, matrix, ...): the line
// set by lineStyle, painted with a gradient.
Value lineGradientStyle(Context &cx, const Value &self, Args args)
{
    Drawing *drawing = drawingOf(cx, self);
    std::optional<FillStyle> fill = gradient(cx, args);
    if (!drawing || !fill || !drawing->line())
        return Value();
    LineStyle line = *drawing->line();
    line.hasFill = true;
    line.fill = *fill;
    drawing->lineStyle(line);
    return Value();
}

Value moveTo(Context &cx, const Value &self, Args args)
{
    if (Drawing *drawing = drawingOf(cx, self); drawing && args.size() >= 2)
        drawing->moveTo(point(cx, args, 0));
    return Value();
}

Value lineTo(Context &cx, const Value &self, Args args)
{
    if (Drawing *drawing = drawingOf(cx, self); drawing && args.size() >= 2)
        drawing->lineTo(point(cx, args, 0));
    return Value();
}

Value curveTo(Context &cx, const Value &self, Args args)
{
    if (Drawing *drawing = drawingOf(cx, self); drawing && args.size() >= 4)
        drawing->curveTo(point(cx, args, 0), point(cx, args, 2));
    return Value();
}

Value endFill(Context &cx, const Value &self, Args)
{
    if (Drawing *drawing = drawingOf(cx, self))
        drawing->endFill();
    return Value();
}

Value clear(Context &cx, const Value &self, Args)
{
    if (Drawing *drawing = drawingOf(cx, self))
        drawing->clear();
    return Value();
}

}

void installDrawingMethods(Vm &vm, Object *clipPrototype)
{
    vm.method(clipPrototype, "beginFill", beginFill);
    vm.method(clipPrototype, "beginGradientFill", beginGradientFill);
    vm.method(clipPrototype, "lineStyle", lineStyle);
    vm.method(clipPrototype, "lineGradientStyle", lineGradientStyle);
    vm.method(clipPrototype, "moveTo", moveTo);
    vm.method(clipPrototype, "lineTo", lineTo);
    vm.method(clipPrototype, "curveTo", curveTo);
    vm.method(clipPrototype, "endFill", endFill);
    vm.method(clipPrototype, "clear", clear);
}

}
