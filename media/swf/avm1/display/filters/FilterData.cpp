#include "FilterData.h"

#include "swf/avm1/Heap.h"
#include "swf/avm1/display/bitmap/BitmapData.h"
#include "swf/avm1/display/bitmap/BitmapPixels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace swf::avm1 {

namespace {

QColor withAlpha(uint32_t rgb, double alpha)
{
    QColor c(QRgb(rgb & 0xFFFFFF));
    c.setAlphaF(std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 0.0);
    return c;
}

}

FilterData::FilterData(Filter::Kind kind) : kind(kind)
{
    switch (kind) {
    case Filter::Glow:
        color = 0xFF0000;
        blurX = blurY = 6;
        strength = 2;
        break;
    case Filter::Convolution:
        divisor = 1;
        alpha = 0;
        break;
    case Filter::Displacement:
        alpha = 0;
        break;
    default:
        break;
    }
}

double storedAlpha(double alpha)
{
    if (!std::isfinite(alpha))
        return 0;
    return std::floor(std::clamp(alpha, 0.0, 1.0) * 255) / 255;
}

double storedAngle(double degrees)
{
    return std::isfinite(degrees) ? std::fmod(degrees, 360.0) : 0;
}

uint32_t storedColor(double color)
{
    if (!std::isfinite(color))
        return 0;
    return uint32_t(int64_t(std::fmod(std::trunc(color), 4294967296.0))) & 0xFFFFFF;
}

int storedQuality(double quality)
{
    return std::isfinite(quality) ? int(std::clamp(quality, 0.0, 15.0)) : 0;
}

double storedAmount(double value, double max)
{
    return std::isfinite(value) ? std::clamp(value, 0.0, max) : 0;
}

QString storedMode(const QString &mode)
{
    for (const char *known : {"clamp", "ignore", "color"})
        if (mode == QLatin1String(known))
            return mode;
    return QStringLiteral("wrap");
}

void FilterData::trace(Tracer &tracer)
{
    tracer.mark(mapBitmap);
}

QString storedType(const QString &type)
{
    return type == QLatin1String("inner") || type == QLatin1String("outer") ? type : QStringLiteral("full");
}

void resizeMatrix(FilterData &data)
{
    data.matrixX = std::clamp(data.matrixX, 0, 15);
    data.matrixY = std::clamp(data.matrixY, 0, 15);
    size_t size = size_t(data.matrixX * data.matrixY);
    if (data.matrix.size() < size)
        data.matrix.resize(size, 0);
}

Filter FilterData::toDisplay() const
{
    Filter f;
    f.kind = kind;
    f.blurX = blurX;
    f.blurY = blurY;
    f.passes = quality;
    f.distance = distance;
    // The player turns degrees into radians with pi taken as 3.141592652, so
    // 45 reads back from the clip as 44.9999999772279.
    f.angle = angle * 3.141592652 / 180;
    f.strength = strength;
    f.knockout = knockout;
    switch (kind) {
    case Filter::DropShadow:
    case Filter::Glow:
        f.color = withAlpha(color, alpha);
        f.inner = inner;
        f.compositeSource = !hideObject;
        if (kind == Filter::Glow)
            f.distance = 0;
        break;
    case Filter::Bevel:
    case Filter::GradientGlow:
    case Filter::GradientBevel:
        f.inner = type == QLatin1String("inner");
        f.onTop = type == QLatin1String("full");
        f.color = withAlpha(color, alpha);
        f.highlight = withAlpha(highlightColor, highlightAlpha);
        for (size_t i = 0; i < stops && i < colors.size() && i < alphas.size() && i < ratios.size(); ++i)
            f.gradient.emplace_back(ratios[i], withAlpha(colors[i], alphas[i]));
        break;
    case Filter::Convolution:
        f.columns = matrixX;
        f.rows = matrixY;
        f.matrix.assign(matrix.begin(), matrix.begin() + std::min<size_t>(matrix.size(), size_t(matrixX * matrixY)));
        f.divisor = float(divisor);
        f.bias = float(bias);
        f.defaultColor = withAlpha(color, alpha);
        f.clamp = clamp;
        f.preserveAlpha = preserveAlpha;
        break;
    case Filter::ColorMatrix:
        for (size_t i = 0; i < 20; ++i)
            f.colorMatrix[i] = float(colorMatrix[i]);
        break;
    case Filter::Displacement: {
        const BitmapPixels *pixels = pixelsOf(mapBitmap);
        f.map = pixels ? pixels->image() : map;
        f.mapPoint = QPoint(mapX, mapY);
        f.componentX = componentX;
        f.componentY = componentY;
        f.scaleX = scaleX;
        f.scaleY = scaleY;
        f.edges = mode == QLatin1String("clamp") ? Filter::Edges::Clamp
            : mode == QLatin1String("ignore")    ? Filter::Edges::Ignore
            : mode == QLatin1String("color")     ? Filter::Edges::Color
                                                 : Filter::Edges::Wrap;
        f.defaultColor = withAlpha(color, alpha);
        break;
    }
    case Filter::Blur:
        break;
    }
    return f;
}

FilterData FilterData::fromDisplay(const Filter &f)
{
    FilterData d(f.kind);
    d.blurX = f.blurX;
    d.blurY = f.blurY;
    d.quality = f.passes;
    d.distance = f.distance;
    d.angle = f.angle * 180 / std::numbers::pi;
    d.strength = f.strength;
    d.knockout = f.knockout;
    d.inner = f.inner;
    d.hideObject = !f.compositeSource;
    d.color = f.color.rgb() & 0xFFFFFF;
    d.alpha = storedAlpha(f.color.alphaF());
    d.highlightColor = f.highlight.rgb() & 0xFFFFFF;
    d.highlightAlpha = storedAlpha(f.highlight.alphaF());
    d.type = f.onTop ? QStringLiteral("full") : f.inner ? QStringLiteral("inner") : QStringLiteral("outer");
    for (const auto &[ratio, stop] : f.gradient) {
        d.ratios.push_back(ratio);
        d.colors.push_back(stop.rgb() & 0xFFFFFF);
        d.alphas.push_back(storedAlpha(stop.alphaF()));
    }
    d.stops = d.colors.size();
    d.matrixX = f.columns;
    d.matrixY = f.rows;
    d.matrix.assign(f.matrix.begin(), f.matrix.end());
    d.divisor = f.divisor;
    d.bias = f.bias;
    d.map = f.map;
    d.mapX = f.mapPoint.x();
    d.mapY = f.mapPoint.y();
    d.componentX = f.componentX;
    d.componentY = f.componentY;
    d.scaleX = f.scaleX;
    d.scaleY = f.scaleY;
    d.mode = f.edges == Filter::Edges::Clamp ? QStringLiteral("clamp")
        : f.edges == Filter::Edges::Ignore   ? QStringLiteral("ignore")
        : f.edges == Filter::Edges::Color    ? QStringLiteral("color")
                                             : QStringLiteral("wrap");
    if (f.kind == Filter::Convolution || f.kind == Filter::Displacement) {
        d.color = f.defaultColor.rgb() & 0xFFFFFF;
        d.alpha = storedAlpha(f.defaultColor.alphaF());
    }
    d.clamp = f.clamp;
    d.preserveAlpha = f.preserveAlpha;
    for (size_t i = 0; i < 20; ++i)
        d.colorMatrix[i] = f.colorMatrix[i];
    return d;
}

}
