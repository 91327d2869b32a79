#include "BitmapDataMethods.h"

#include "BitmapArgs.h"
#include "BitmapColorOps.h"
#include "BitmapCopy.h"
#include "BitmapData.h"
#include "BitmapDraw.h"
#include "BitmapNoise.h"
#include "BitmapPixels.h"
#include "BitmapScan.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/SwfFilters.h"
#include "swf/avm1/display/filters/FilterClasses.h"
#include "swf/avm1/display/filters/FilterData.h"
#include "swf/avm1/display/geom/ColorTransformData.h"
#include "swf/avm1/display/geom/GeomValues.h"

namespace swf::avm1 {

namespace {

// The arguments the copying methods start with: (source, rect, point).
struct CopyArgs {
    BitmapPixels *target = nullptr;
    BitmapPixels *source = nullptr;
    QRect area;
    QPoint at;
    Value problem; // the method's answer when they cannot be used
    explicit operator bool() const { return source != nullptr; }
};

// Reads them once the method has at least `least` arguments.
CopyArgs copyArgs(Context &cx, const Value &self, Args args, size_t least)
{
    CopyArgs copy;
    copy.target = pixelsOf(self);
    if (!copy.target || args.size() < least) {
        copy.problem = kRefused;
        return copy;
    }
    BitmapArg source = bitmapArg(args[0], -2, -3);
    if (!source.pixels) {
        copy.problem = source.problem;
        return copy;
    }
    if (!rectArg(cx, args[1], copy.area)) {
        copy.problem = -4;
        return copy;
    }
    copy.source = source.pixels;
    copy.at = pointArg(cx, args[2]);
    return copy;
}

uint32_t colorArg(Context &cx, Args args, size_t i, uint32_t missing)
{
    return i < args.size() ? uint32_t(intArg(cx, args, i)) : missing;
}

Value colorTransform(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.size() < 2)
        return kRefused;
    QRect area;
    if (!rectArg(cx, args[0], area))
        return -2;
    Object *colors = args[1].asObject();
    auto *data = colors ? colors->nativeAs<ColorTransformData>() : nullptr;
    if (!data)
        return -3;
    transformColors(*pixels, area, *data);
    return kRefused;
}

Value compare(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.empty())
        return kRefused;
    BitmapArg other = bitmapArg(args[0], -2, -2);
    if (!other.pixels)
        return other.problem;
    if (other.pixels->width() != pixels->width())
        return -3;
    if (other.pixels->height() != pixels->height())
        return -4;
    std::optional<BitmapPixels> diff = difference(*pixels, *other.pixels);
    if (!diff)
        return 0;
    return newBitmapData(cx, self, std::make_shared<BitmapPixels>(std::move(*diff)));
}

Value getColorBoundsRect(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.size() < 2)
        return kRefused;
    bool findColor = args.size() > 2 ? toBoolean(cx, args[2]) : true;
    QRect found = colorBounds(*pixels, colorArg(cx, args, 0, 0), colorArg(cx, args, 1, 0), findColor);
    return newRectangle(cx, found.x(), found.y(), found.width(), found.height());
}

Value floodFill(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.size() < 3)
        return kRefused;
    swf::avm1::floodFill(*pixels, intArg(cx, args, 0), intArg(cx, args, 1), uint32_t(intArg(cx, args, 2)));
    return Value();
}

// noise(randomSeed[, low, high, channelOptions, grayScale])
Value noise(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.empty())
        return kRefused;
    NoiseOptions options;
    if (args.size() > 1)
        options.low = intArg(cx, args, 1);
    if (args.size() > 2)
        options.high = intArg(cx, args, 2);
    if (args.size() > 3)
        options.channels = intArg(cx, args, 3);
    options.grayScale = args.size() > 4 && toBoolean(cx, args[4]);
    swf::avm1::noise(*pixels, uint32_t(intArg(cx, args, 0)), options);
    return Value();
}

Value scroll(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.size() < 2)
        return kRefused;
    swf::avm1::scroll(*pixels, intArg(cx, args, 0), intArg(cx, args, 1));
    return 0;
}

Value threshold(Context &cx, const Value &self, Args args)
{
    CopyArgs copy = copyArgs(cx, self, args, 5);
    if (!copy)
        return copy.problem;
    ThresholdTest test;
    test.comparison = comparisonNamed(toQString(cx, args[3]));
    test.threshold = colorArg(cx, args, 4, 0);
    test.color = colorArg(cx, args, 5, 0);
    test.mask = colorArg(cx, args, 6, 0xFFFFFFFFu);
    test.copySource = args.size() > 7 && toBoolean(cx, args[7]);
    return swf::avm1::threshold(*copy.target, *copy.source, copy.area, copy.at, test);
}

// A table of paletteMap: entries 0 to 255 of any object (missing ones are
// 0); without an object the channel stays as it is.
std::optional<std::array<uint32_t, 256>> paletteTable(Context &cx, const Value &value)
{
    Object *array = value.asObject();
    if (!array)
        return std::nullopt;
    std::array<uint32_t, 256> table;
    for (int i = 0; i < 256; ++i)
        table[size_t(i)] = toUint32(toNumber(cx, array->get(cx, cx.vm.name(QString::number(i)))));
    return table;
}

// paletteMap(source, rect, point, red[, green, blue, alpha]).
Value paletteMap(Context &cx, const Value &self, Args args)
{
    CopyArgs copy = copyArgs(cx, self, args, 4);
    if (!copy)
        return copy.problem;
    PaletteTables tables;
    for (size_t i = 0; i < 4; ++i)
        tables[i] = paletteTable(cx, arg(args, 3 + i));
    swf::avm1::paletteMap(*copy.target, *copy.source, copy.area, copy.at, tables);
    return kRefused;
}

Value copyPixels(Context &cx, const Value &self, Args args)
{
    CopyArgs copy = copyArgs(cx, self, args, 3);
    if (!copy)
        return copy.problem;
    AlphaSource alpha;
    alpha.bitmap = pixelsOf(arg(args, 3));
    alpha.at = pointArg(cx, arg(args, 4));
    bool mergeAlpha = args.size() > 5 && toBoolean(cx, args[5]);
    swf::avm1::copyPixels(*copy.target, *copy.source, copy.area, copy.at, alpha, mergeAlpha);
    return Value();
}

Value copyChannel(Context &cx, const Value &self, Args args)
{
    CopyArgs copy = copyArgs(cx, self, args, 5);
    if (!copy)
        return copy.problem;
    swf::avm1::copyChannel(*copy.target, *copy.source, copy.area, copy.at, intArg(cx, args, 3),
                           intArg(cx, args, 4));
    return Value();
}

Value merge(Context &cx, const Value &self, Args args)
{
    CopyArgs copy = copyArgs(cx, self, args, 7);
    if (!copy)
        return copy.problem;
    std::array<int, 4> multipliers;
    for (size_t i = 0; i < 4; ++i)
        multipliers[i] = std::clamp(intArg(cx, args, 3 + i), 0, 256);
    swf::avm1::merge(*copy.target, *copy.source, copy.area, copy.at, multipliers);
    return Value();
}

// applyFilter(source, rect, point, filter): the filter drawn on the source
// area, written at the point.
Value applyFilter(Context &cx, const Value &self, Args args)
{
    CopyArgs copy = copyArgs(cx, self, args, 4);
    if (!copy)
        return copy.problem;
    const FilterData *filter = filterOf(args[3]);
    if (!filter)
        return -5;
    QPoint at = copy.at;
    QRect from = clippedCopyArea(*copy.target, *copy.source, copy.area, at);
    if (from.isEmpty())
        return 0;
    QImage picture = swf::applyFilter(filter->toDisplay(), copy.source->image().copy(from), 1.0);
    for (int y = 0; y < from.height(); ++y) {
        const auto *line = reinterpret_cast<const uint32_t *>(picture.constScanLine(y));
        for (int x = 0; x < from.width(); ++x)
            copy.target->store(at.x() + x, at.y() + y, BitmapPixels::unmultiply(line[x]));
    }
    return 0;
}

// generateFilterRect(rect, filter): the area the filter draws on when
// applied to the rectangle.
Value generateFilterRect(Context &cx, const Value &self, Args args)
{
    if (!pixelsOf(self) || args.size() < 2)
        return kRefused;
    QRect area;
    if (!rectArg(cx, args[0], area))
        return -2;
    const FilterData *filter = filterOf(args[1]);
    if (!filter)
        return -3;
    QRect reach = area.marginsAdded(filterReach({filter->toDisplay()}, 1.0));
    return newRectangle(cx, reach.x(), reach.y(), reach.width(), reach.height());
}

// x and y of the object itself (its prototypes do not count).
bool ownPoint(Context &cx, const Value &value, QPoint &out)
{
    Object *o = value.asObject();
    if (!o || !o->hasOwn(cx, cx.vm.name(QStringLiteral("x"))) || !o->hasOwn(cx, cx.vm.name(QStringLiteral("y"))))
        return false;
    out = pointArg(cx, value);
    return true;
}

// hitTest(firstPoint, firstAlphaThreshold, secondObject[, secondBitmapPoint,
// secondAlphaThreshold]): the second object is a bitmap, a rectangle or a
// point, in the space where this bitmap's corner is at firstPoint.
Value hitTest(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels)
        return kRefused;
    QPoint at;
    if (!ownPoint(cx, arg(args, 0), at))
        return -2;
    int alpha = intArg(cx, args, 1);
    const Value &second = arg(args, 2);
    if (second.asObject() && second.asObject()->nativeAs<BitmapData>()) {
        BitmapArg other = bitmapArg(second, -3, -3);
        if (!other.pixels)
            return other.problem;
        QPoint otherAt;
        if (!ownPoint(cx, arg(args, 3), otherAt))
            return -4;
        return opaqueOverlap(*pixels, at, alpha, *other.pixels, otherAt, intArg(cx, args, 4));
    }
    QRect area;
    if (rectArg(cx, second, area))
        return opaqueWithin(*pixels, area.translated(-at), alpha);
    QPoint point;
    if (ownPoint(cx, second, point))
        return opaqueAt(*pixels, point - at, alpha);
    return -3;
}

}

void installBitmapMethods(Vm &vm, Object *proto)
{
    vm.method(proto, "colorTransform", colorTransform);
    vm.method(proto, "compare", compare);
    vm.method(proto, "getColorBoundsRect", getColorBoundsRect);
    vm.method(proto, "scroll", scroll);
    vm.method(proto, "floodFill", floodFill);
    vm.method(proto, "noise", noise);
    vm.method(proto, "threshold", threshold);
    vm.method(proto, "paletteMap", paletteMap);
    vm.method(proto, "copyPixels", copyPixels);
    vm.method(proto, "copyChannel", copyChannel);
    vm.method(proto, "merge", merge);
    vm.method(proto, "hitTest", hitTest);
    vm.method(proto, "applyFilter", applyFilter);
    vm.method(proto, "generateFilterRect", generateFilterRect);
    vm.method(proto, "draw", drawIntoBitmap);
}

}
