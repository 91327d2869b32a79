#include "SwfGradient.h"

#include "SwfShape.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

int mixChannel(int from, int to, double t, bool linear)
{
    if (linear)
        return fromLinear(toLinear(from) + (toLinear(to) - toLinear(from)) * t);
    return int(std::lround(from + (to - from) * t));
}

QRgb mix(QRgb a, QRgb b, double t, bool linear)
{
    return qRgba(mixChannel(qRed(a), qRed(b), t, linear), mixChannel(qGreen(a), qGreen(b), t, linear),
                 mixChannel(qBlue(a), qBlue(b), t, linear), mixChannel(qAlpha(a), qAlpha(b), t, false));
}

QRgb transformed(QRgb c, const ColorTransform &cx)
{
    auto channel = [&](int value, int i) { return std::clamp(value * cx.mult[i] / 256 + cx.add[i], 0, 255); };
    return qRgba(channel(qRed(c), 0), channel(qGreen(c), 1), channel(qBlue(c), 2), channel(qAlpha(c), 3));
}
}

GradientRamp gradientRamp(const FillStyle &fill, const ColorTransform &cx)
{
    GradientRamp ramp;
    if (fill.stops.isEmpty()) {
        ramp.fill(0);
        return ramp;
    }
    std::vector<std::pair<int, QRgb>> stops;
    for (const QGradientStop &stop : fill.stops)
        stops.emplace_back(int(std::lround(stop.first * 255)), stop.second.rgba());
    bool linear = fill.interpolation == 1;
    bool identity = cx.isIdentity();
    for (int i = 0; i < 256; ++i) {
        auto past = std::find_if(stops.begin(), stops.end(), [i](const auto &s) { return s.first >= i; });
        QRgb plain;
        if (past == stops.end()) {
            plain = stops.back().second;
        } else if (past == stops.begin()) {
            plain = past->second;
        } else {
            auto before = past - 1;
            double t = past->first > before->first ? double(i - before->first) / (past->first - before->first) : 1.0;
            plain = mix(before->second, past->second, std::clamp(t, 0.0, 1.0), linear);
        }
        ramp[size_t(i)] = qPremultiply(identity ? plain : transformed(plain, cx));
    }
    return ramp;
}

const GradientRamp &GradientRamps::ramp(const FillStyle &fill, const ColorTransform &cx)
{
    std::string key;
    auto add = [&key](const auto &value) { key.append(reinterpret_cast<const char *>(&value), sizeof value); };
    add(fill.interpolation);
    for (const QGradientStop &stop : fill.stops) {
        add(stop.first);
        add(stop.second.rgba());
    }
    add(cx);
    auto [entry, fresh] = ramps.try_emplace(std::move(key));
    if (fresh)
        entry->second.ramp = gradientRamp(fill, cx);
    entry->second.used = true;
    return entry->second.ramp;
}

void GradientRamps::endFrame()
{
    for (auto it = ramps.begin(); it != ramps.end();)
        it = std::exchange(it->second.used, false) ? std::next(it) : ramps.erase(it);
}

double gradientPosition(const FillStyle &fill, QPointF p)
{
    if (fill.kind == FillStyle::LinearGradient)
        return (p.x() + kHalf) / (2 * kHalf);
    if (fill.kind == FillStyle::RadialGradient)
        return std::sqrt(p.x() * p.x() + p.y() * p.y()) / kHalf;
    // The point's distance from the focal point over the distance from the
    // focal point to the circle's edge in the same direction.
    double f = std::clamp(fill.focal, -0.98, 0.98) * kHalf;
    double dx = p.x() - f, dy = p.y();
    double b = f * dx;
    double root = std::sqrt(b * b + (dx * dx + dy * dy) * (kHalf * kHalf - f * f));
    return (b + root) / (kHalf * kHalf - f * f);
}

QRgb rampColor(const GradientRamp &ramp, QGradient::Spread spread, double t)
{
    if (!(t > -1e6 && t < 1e6)) // not finite, or so far out that the spread cannot matter
        t = std::isnan(t) ? 0 : std::clamp(t, -1.0, 2.0);
    bool wraps = spread == QGradient::RepeatSpread;
    if (wraps)
        t -= std::floor(t);
    else if (spread == QGradient::ReflectSpread)
        t = std::abs(t - 2 * std::floor(t / 2 + 0.5));
    // The position in 256ths of an entry; entry i sits at i.
    double exact = (t * 256 - 0.5) * 256;
    int at = int(exact);
    at -= at > exact; // rounds down below zero too
    at = std::clamp(at, wraps ? -128 : 0, wraps ? 255 * 256 + 128 : 255 * 256);
    int below = at >> 8;
    uint32_t weight = uint32_t(at & 255);
    QRgb a = ramp[size_t(below & 255)];
    if (weight == 0)
        return a;
    QRgb b = ramp[size_t((below + 1) & 255)];
    uint32_t rb = ((a & 0xff00ff) * (256 - weight) + (b & 0xff00ff) * weight + 0x800080) >> 8;
    uint32_t ag = (((a >> 8) & 0xff00ff) * (256 - weight) + ((b >> 8) & 0xff00ff) * weight + 0x800080);
    return (rb & 0xff00ff) | (ag & 0xff00ff00);
}

QRgb gradientColor(const FillStyle &fill, const GradientRamp &ramp, QPointF p)
{
    return rampColor(ramp, fill.spread, gradientPosition(fill, p));
}

}
