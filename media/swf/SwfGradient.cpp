#include "SwfGradient.h"

#include "SwfShape.h"

#include <algorithm>
#include <cmath>

namespace swf {

namespace {
constexpr double kHalf = 16384;

// Linear RGB mixes the stops' light, not their stored values.
double toLinear(int channel)
{
    return std::pow(channel / 255.0, 2.2);
}

int fromLinear(double light)
{
    return int(std::lround(255 * std::pow(std::clamp(light, 0.0, 1.0), 1 / 2.2)));
}

QRgb mix(const QColor &a, const QColor &b, double t, bool linear)
{
    auto channel = [&](int from, int to) {
        if (linear)
            return fromLinear(toLinear(from) + (toLinear(to) - toLinear(from)) * t);
        return int(std::lround(from + (to - from) * t));
    };
    return qRgba(channel(a.red(), b.red()), channel(a.green(), b.green()), channel(a.blue(), b.blue()),
                 int(std::lround(a.alpha() + (b.alpha() - a.alpha()) * t)));
}

int ratioOf(const QGradientStop &stop)
{
    return int(std::lround(stop.first * 255));
}
}

GradientRamp gradientRamp(const FillStyle &fill, const ColorTransform &cx)
{
    GradientRamp ramp;
    const QGradientStops &stops = fill.stops;
    if (stops.isEmpty()) {
        ramp.fill(0);
        return ramp;
    }
    bool linear = fill.interpolation == 1;
    for (int i = 0; i < 256; ++i) {
        auto past = std::find_if(stops.begin(), stops.end(), [i](const QGradientStop &s) { return ratioOf(s) >= i; });
        QRgb plain;
        if (past == stops.end()) {
            plain = stops.back().second.rgba();
        } else if (past == stops.begin()) {
            plain = past->second.rgba();
        } else {
            auto before = past - 1;
            int from = ratioOf(*before), to = ratioOf(*past);
            double t = to > from ? double(i - from) / (to - from) : 1.0;
            plain = mix(before->second, past->second, std::clamp(t, 0.0, 1.0), linear);
        }
        ramp[size_t(i)] = qPremultiply(cx.apply(QColor::fromRgba(plain)).rgba());
    }
    return ramp;
}

QRgb gradientColor(const FillStyle &fill, const GradientRamp &ramp, QPointF p)
{
    double t;
    if (fill.kind == FillStyle::LinearGradient) {
        t = (p.x() + kHalf) / (2 * kHalf);
    } else if (fill.kind == FillStyle::RadialGradient) {
        t = std::hypot(p.x(), p.y()) / kHalf;
    } else {
        // The point's distance from the focal point over the distance from
        // the focal point to the circle's edge in the same direction.
        double f = std::clamp(fill.focal, -0.98, 0.98) * kHalf;
        double dx = p.x() - f, dy = p.y();
        double b = f * dx;
        double root = std::sqrt(b * b + (dx * dx + dy * dy) * (kHalf * kHalf - f * f));
        t = (b + root) / (kHalf * kHalf - f * f);
    }
    if (!std::isfinite(t))
        return ramp[0];
    bool wraps = fill.spread == QGradient::RepeatSpread;
    if (wraps)
        t -= std::floor(t);
    else if (fill.spread == QGradient::ReflectSpread)
        t = std::abs(t - 2 * std::floor(t / 2 + 0.5));
    double at = std::clamp(t * 256 - 0.5, wraps ? -0.5 : 0.0, wraps ? 255.5 : 255.0);
    double below = std::floor(at);
    int weight = int((at - below) * 256);
    QRgb a = ramp[size_t(int(below) & 255)], b = ramp[size_t(int(below + 1) & 255)];
    auto channel = [&](int shift) {
        return uint32_t((int((a >> shift) & 0xff) * (256 - weight) + int((b >> shift) & 0xff) * weight + 128) >> 8)
            << shift;
    };
    return channel(24) | channel(16) | channel(8) | channel(0);
}

}
