#include "SwfFilters.h"

#include "SwfDisplacement.h"
#include "SwfGradient.h"
#include "SwfShape.h"

#include <algorithm>
#include <cmath>

namespace swf {

namespace {

// One 8-bit plane of a picture (an alpha or a colour channel).
struct Plane {
    int width = 0, height = 0;
    std::vector<uint8_t> v;
    uint8_t at(int x, int y) const { return v[size_t(y) * size_t(width) + size_t(x)]; }
    uint8_t &at(int x, int y) { return v[size_t(y) * size_t(width) + size_t(x)]; }
};

Plane channelOf(const QImage &image, int shift)
{
    Plane p{image.width(), image.height(), std::vector<uint8_t>(size_t(image.width()) * size_t(image.height()))};
    for (int y = 0; y < p.height; ++y) {
        auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < p.width; ++x)
            p.at(x, y) = uint8_t(row[x] >> shift);
    }
    return p;
}

// A blur box for a blur amount: `amount` pixels wide at the movie's own
// size, its reach beyond the middle pixel growing with the stage's scale,
// centred on the pixel it sets. It holds the pixels it covers whole, `reach`
// on each side, and the share (in 1/256) of the next one out that it covers
// in part.
struct Box {
    int reach = 0;
    int edge = 0;
    int total() const { return (2 * reach + 1) * 256 + 2 * edge; }
    int spread() const { return edge ? reach + 1 : reach; }
};

Box boxOf(double amount, double stageScale)
{
    if (!std::isfinite(amount) || !std::isfinite(stageScale) || amount <= 1 || stageScale <= 0)
        return {};
    double beyond = std::min((std::min(amount, 255.0) - 1) * stageScale / 2, 255.0);
    int reach = int(std::ceil(beyond)) - 1;
    int edge = int(std::lround((beyond - reach) * 256));
    if (edge >= 256)
        return {reach + 1, 0};
    return {reach, edge};
}

// Averages each pixel with its neighbours under `box` along one axis;
// beyond the plane counts as `outside`.
void boxPass(Plane &p, Box box, bool horizontal, int outside)
{
    if (box.spread() == 0)
        return;
    int length = horizontal ? p.width : p.height, lines = horizontal ? p.height : p.width;
    int total = box.total(), r = box.reach;
    std::vector<uint8_t> line = std::vector<uint8_t>(size_t(length));
    for (int l = 0; l < lines; ++l) {
        auto value = [&](int i) -> uint8_t & { return horizontal ? p.at(i, l) : p.at(l, i); };
        for (int i = 0; i < length; ++i)
            line[size_t(i)] = value(i);
        auto sample = [&](int i) { return i < 0 || i >= length ? outside : int(line[size_t(i)]); };
        int whole = 0;
        for (int i = -r; i <= r; ++i)
            whole += sample(i);
        for (int i = 0; i < length; ++i) {
            value(i) = uint8_t((whole * 256 + box.edge * (sample(i - r - 1) + sample(i + r + 1))) / total);
            whole += sample(i + r + 1) - sample(i - r);
        }
    }
}

void blur(Plane &p, const Filter &f, double stageScale, int outside = 0)
{
    Box bx = boxOf(f.blurX, stageScale), by = boxOf(f.blurY, stageScale);
    for (int pass = 0; pass < std::clamp(f.passes, 0, 15); ++pass) {
        boxPass(p, bx, true, outside);
        boxPass(p, by, false, outside);
    }
}

// The plane moved by (dx, dy); what comes in from beyond is `outside`.
Plane shifted(const Plane &p, int dx, int dy, uint8_t outside)
{
    Plane s{p.width, p.height, std::vector<uint8_t>(p.v.size(), outside)};
    for (int y = 0; y < p.height; ++y) {
        int from = y - dy;
        if (from < 0 || from >= p.height)
            continue;
        for (int x = 0; x < p.width; ++x) {
            int fx = x - dx;
            if (fx >= 0 && fx < p.width)
                s.at(x, y) = p.at(fx, from);
        }
    }
    return s;
}

QPoint offsetOf(const Filter &f, double stageScale)
{
    double d = f.distance * stageScale;
    double dx = d * std::cos(f.angle), dy = d * std::sin(f.angle);
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return QPoint();
    return QPoint(int(std::lround(std::clamp(dx, -4096.0, 4096.0))), int(std::lround(std::clamp(dy, -4096.0, 4096.0))));
}

uint8_t strengthened(int value, double strength)
{
    return uint8_t(std::clamp(int(value * strength), 0, 255));
}

QRgb premultiplied(const QColor &c, int alpha)
{
    return qPremultiply(qRgba(c.red(), c.green(), c.blue(), c.alpha() * alpha / 255));
}

QRgb over(QRgb top, QRgb below)
{
    int keep = 255 - qAlpha(top);
    auto channel = [&](int shift) { return std::min(255, int((top >> shift) & 0xff) + int((below >> shift) & 0xff) * keep / 255); };
    return qRgba(channel(16), channel(8), channel(0), channel(24));
}

QRgb times(QRgb c, int alpha)
{
    auto channel = [&](int shift) { return int((c >> shift) & 0xff) * alpha / 255; };
    return qRgba(channel(16), channel(8), channel(0), channel(24));
}

// The effect laid over the object where the object is, keeping the
// object's own coverage.
QRgb atop(QRgb effect, QRgb object)
{
    QRgb top = times(effect, qAlpha(object)), below = times(object, 255 - qAlpha(effect));
    auto channel = [&](int shift) { return std::min(255, int((top >> shift) & 0xff) + int((below >> shift) & 0xff)); };
    return qRgba(channel(16), channel(8), channel(0), channel(24));
}

QImage imageOf(const std::vector<QRgb> &pixels, QSize size)
{
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y)
        std::copy_n(pixels.data() + size_t(y) * size_t(size.width()), size.width(), reinterpret_cast<QRgb *>(out.scanLine(y)));
    return out;
}

// Lays an effect (one premultiplied colour per pixel) with the object as
// the flags say: the effect alone (knockout, or the object hidden), under
// the object (outer effects) or over it (inner ones and bevels on top).
QImage composite(const QImage &source, const std::vector<QRgb> &effect, const Filter &f, bool effectOnTop)
{
    QImage out(source.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < source.height(); ++y) {
        auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *to = reinterpret_cast<QRgb *>(out.scanLine(y));
        const QRgb *e = effect.data() + size_t(y) * size_t(source.width());
        for (int x = 0; x < source.width(); ++x) {
            if (f.knockout)
                to[x] = effectOnTop ? e[x] : times(e[x], 255 - qAlpha(from[x]));
            else if (!f.compositeSource)
                to[x] = e[x];
            else
                to[x] = effectOnTop ? over(e[x], from[x]) : over(from[x], e[x]);
        }
    }
    return out;
}

QImage blurFilter(const QImage &source, const Filter &f, double stageScale)
{
    Plane planes[4] = {channelOf(source, 24), channelOf(source, 16), channelOf(source, 8), channelOf(source, 0)};
    for (Plane &p : planes)
        blur(p, f, stageScale);
    QImage out(source.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            int a = planes[0].at(x, y);
            row[x] = qRgba(std::min<int>(a, planes[1].at(x, y)), std::min<int>(a, planes[2].at(x, y)),
                           std::min<int>(a, planes[3].at(x, y)), a);
        }
    }
    return out;
}

// Drop shadows and glows, plain or with a gradient: the object's alpha (or
// for inner ones, the alpha around it) blurred, moved, strengthened and
// coloured.
QImage shadowFilter(const QImage &source, const Filter &f, double stageScale)
{
    Plane alpha = channelOf(source, 24);
    if (f.inner)
        for (uint8_t &a : alpha.v)
            a = uint8_t(255 - a);
    blur(alpha, f, stageScale, f.inner ? 255 : 0);
    QPoint off = f.kind == Filter::DropShadow ? offsetOf(f, stageScale) : QPoint();
    Plane moved = shifted(alpha, off.x(), off.y(), f.inner ? 255 : 0);
    GradientRamp ramp{};
    if (f.kind == Filter::GradientGlow)
        ramp = filterRamp(f.gradient);
    std::vector<QRgb> effect(moved.v.size());
    for (int y = 0; y < source.height(); ++y) {
        auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            int value = strengthened(moved.at(x, y), f.strength);
            QRgb c = f.kind == Filter::GradientGlow ? ramp[size_t(value)] : premultiplied(f.color, value);
            if (f.inner)
                c = times(c, qAlpha(from[x]));
            effect[size_t(y) * size_t(source.width()) + size_t(x)] = c;
        }
    }
    return composite(source, effect, f, f.inner);
}

// Bevels, plain or with a gradient: where the blurred alpha seen from the
// light's side exceeds that seen from the other side, a highlight, and the
// other way round a shadow. Inner bevels lie on the object within its own
// coverage; outer ones lie under it whole, showing through where it is
// see-through, and are cut to around it only once the object is gone.
QImage bevelFilter(const QImage &source, const Filter &f, double stageScale)
{
    Plane alpha = channelOf(source, 24);
    blur(alpha, f, stageScale);
    QPoint off = offsetOf(f, stageScale);
    Plane lit = shifted(alpha, off.x(), off.y(), 0), dark = shifted(alpha, -off.x(), -off.y(), 0);
    GradientRamp ramp{};
    if (f.kind == Filter::GradientBevel)
        ramp = filterRamp(f.gradient);
    bool inside = f.inner && !f.onTop;
    std::vector<QRgb> effect(alpha.v.size());
    for (int y = 0; y < source.height(); ++y) {
        auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            int difference = int(dark.at(x, y)) - int(lit.at(x, y));
            int shadow = strengthened(std::max(0, -difference), f.strength);
            int highlight = strengthened(std::max(0, difference), f.strength);
            QRgb c;
            if (f.kind == Filter::GradientBevel)
                c = ramp[size_t(std::clamp(128 + (highlight - shadow) / 2, 0, 255))];
            else
                c = highlight ? premultiplied(f.highlight, highlight) : premultiplied(f.color, shadow);
            if (inside)
                c = f.compositeSource && !f.knockout ? atop(c, from[x]) : times(c, qAlpha(from[x]));
            else if (!f.onTop && !f.compositeSource && !f.knockout)
                c = times(c, 255 - qAlpha(from[x]));
            effect[size_t(y) * size_t(source.width()) + size_t(x)] = c;
        }
    }
    if (inside)
        return imageOf(effect, source.size());
    return composite(source, effect, f, f.onTop);
}

QImage convolutionFilter(const QImage &source, const Filter &f)
{
    if (f.columns <= 0 || f.rows <= 0 || f.matrix.size() < size_t(f.columns * f.rows))
        return source;
    QImage plain = source.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_ARGB32);
    float divisor = f.divisor != 0 && std::isfinite(f.divisor) ? f.divisor : 1;
    QRgb fallback = f.defaultColor.rgba();
    auto pixel = [&](int x, int y) -> QRgb {
        if (x < 0 || y < 0 || x >= plain.width() || y >= plain.height()) {
            if (!f.clamp)
                return fallback;
            x = std::clamp(x, 0, plain.width() - 1);
            y = std::clamp(y, 0, plain.height() - 1);
        }
        return reinterpret_cast<const QRgb *>(plain.constScanLine(y))[x];
    };
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            float sum[4] = {0, 0, 0, 0};
            for (int ky = 0; ky < f.rows; ++ky)
                for (int kx = 0; kx < f.columns; ++kx) {
                    float k = f.matrix[size_t(ky * f.columns + kx)];
                    QRgb p = pixel(x + kx - f.columns / 2, y + ky - f.rows / 2);
                    sum[0] += k * qRed(p);
                    sum[1] += k * qGreen(p);
                    sum[2] += k * qBlue(p);
                    sum[3] += k * qAlpha(p);
                }
            auto channel = [&](float v) {
                float c = v / divisor + f.bias;
                return std::isfinite(c) ? std::clamp(int(c), 0, 255) : 0;
            };
            int a = f.preserveAlpha ? qAlpha(pixel(x, y)) : channel(sum[3]);
            row[x] = qRgba(channel(sum[0]), channel(sum[1]), channel(sum[2]), a);
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage colorMatrixFilter(const QImage &source, const Filter &f)
{
    QImage out = source.convertToFormat(QImage::Format_ARGB32);
    const std::array<float, 20> &m = f.colorMatrix;
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            float in[4] = {float(qRed(row[x])), float(qGreen(row[x])), float(qBlue(row[x])), float(qAlpha(row[x]))};
            int c[4];
            for (int i = 0; i < 4; ++i) {
                float v = m[size_t(i * 5)] * in[0] + m[size_t(i * 5 + 1)] * in[1] + m[size_t(i * 5 + 2)] * in[2]
                    + m[size_t(i * 5 + 3)] * in[3] + m[size_t(i * 5 + 4)];
                c[i] = std::isfinite(v) ? std::clamp(int(v), 0, 255) : 0;
            }
            row[x] = qRgba(c[0], c[1], c[2], c[3]);
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}

GradientRamp filterRamp(const std::vector<std::pair<int, QColor>> &stops)
{
    FillStyle fill;
    fill.kind = FillStyle::LinearGradient;
    for (const auto &[ratio, color] : stops)
        fill.stops.append({std::clamp(ratio, 0, 255) / 255.0, color});
    return gradientRamp(fill, ColorTransform());
}

QMargins filterReach(const std::vector<Filter> &filters, double stageScale)
{
    int left = 0, top = 0, right = 0, bottom = 0;
    for (const Filter &f : filters) {
        int passes = std::clamp(f.passes, 0, 15);
        int rx = boxOf(f.blurX, stageScale).spread() * passes, ry = boxOf(f.blurY, stageScale).spread() * passes;
        QPoint off = (f.kind == Filter::DropShadow || f.kind == Filter::Bevel || f.kind == Filter::GradientBevel)
            ? offsetOf(f, stageScale)
            : QPoint();
        left += rx + std::abs(off.x());
        right += rx + std::abs(off.x());
        top += ry + std::abs(off.y());
        bottom += ry + std::abs(off.y());
    }
    return QMargins(left, top, right, bottom);
}

QImage applyFilter(const Filter &filter, const QImage &picture, double stageScale, QPoint origin)
{
    if (picture.isNull())
        return picture;
    QImage source = picture.format() == QImage::Format_ARGB32_Premultiplied
        ? picture
        : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    switch (filter.kind) {
    case Filter::Blur:
        return blurFilter(source, filter, stageScale);
    case Filter::DropShadow:
    case Filter::Glow:
    case Filter::GradientGlow:
        return shadowFilter(source, filter, stageScale);
    case Filter::Bevel:
    case Filter::GradientBevel:
        return bevelFilter(source, filter, stageScale);
    case Filter::Convolution:
        return convolutionFilter(source, filter);
    case Filter::ColorMatrix:
        return colorMatrixFilter(source, filter);
    case Filter::Displacement:
        return displacementFilter(source, filter, stageScale, origin);
    }
    return source;
}

}
