#include "SwfPaint.h"

#include "SwfShape.h"

#include <cmath>

namespace swf {

namespace {

class SolidPaint : public Paint {
public:
    explicit SolidPaint(QRgb color) : color(color) {}
    void colors(int, int, int count, QRgb *out) const override { std::fill(out, out + count, color); }
    std::optional<QRgb> solid() const override { return color; }

private:
    QRgb color;
};

class GradientPaint : public Paint {
public:
    GradientPaint(const FillStyle &fill, const QTransform &pixelsToSquare, const GradientRamp &ramp)
        : fill(fill), toSquare(pixelsToSquare), ramp(ramp)
    {
    }
    void colors(int x, int y, int count, QRgb *out) const override
    {
        QPointF p = toSquare.map(QPointF(x + 0.5, y + 0.5));
        QPointF step(toSquare.m11(), toSquare.m12());
        if (fill.kind == FillStyle::LinearGradient) {
            // Along a row a linear gradient's position changes evenly.
            double t = gradientPosition(fill, p), dt = step.x() / 32768;
            for (int i = 0; i < count; ++i, t += dt)
                out[i] = rampColor(ramp, fill.spread, t);
            return;
        }
        for (int i = 0; i < count; ++i, p += step)
            out[i] = rampColor(ramp, fill.spread, gradientPosition(fill, p));
    }

private:
    const FillStyle &fill;
    QTransform toSquare;
    const GradientRamp &ramp;
};

class BitmapPaint : public Paint {
public:
    BitmapPaint(const QImage &image, const QTransform &pixelsToBitmap, bool repeat, bool smooth)
        : image(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)), toBitmap(pixelsToBitmap),
          repeat(repeat), smooth(smooth)
    {
    }
    void colors(int x, int y, int count, QRgb *out) const override
    {
        QPointF p = toBitmap.map(QPointF(x + 0.5, y + 0.5));
        QPointF step(toBitmap.m11(), toBitmap.m12());
        for (int i = 0; i < count; ++i, p += step)
            out[i] = smooth ? blended(p.x() - 0.5, p.y() - 0.5) : texel(std::floor(p.x()), std::floor(p.y()));
    }

private:
    // The texel at (u, v), wrapped round when the bitmap repeats and taken
    // from the nearest edge when it is clipped.
    QRgb texel(double u, double v) const
    {
        int w = image.width(), h = image.height();
        if (!std::isfinite(u) || !std::isfinite(v))
            return 0;
        if (repeat) {
            u -= w * std::floor(u / w);
            v -= h * std::floor(v / h);
        }
        int iu = int(std::clamp(u, 0.0, w - 1.0)), iv = int(std::clamp(v, 0.0, h - 1.0));
        return reinterpret_cast<const QRgb *>(image.constScanLine(iv))[iu];
    }
    QRgb blended(double u, double v) const
    {
        double fu = std::floor(u), fv = std::floor(v);
        int wx = int((u - fu) * 256), wy = int((v - fv) * 256);
        QRgb a = texel(fu, fv), b = texel(fu + 1, fv), c = texel(fu, fv + 1), d = texel(fu + 1, fv + 1);
        auto channel = [&](int shift) {
            int top = int((a >> shift) & 0xff) * (256 - wx) + int((b >> shift) & 0xff) * wx;
            int bottom = int((c >> shift) & 0xff) * (256 - wx) + int((d >> shift) & 0xff) * wx;
            return uint32_t((top * (256 - wy) + bottom * wy) >> 16) << shift;
        };
        return channel(24) | channel(16) | channel(8) | channel(0);
    }

    QImage image;
    QTransform toBitmap;
    bool repeat, smooth;
};

}

QImage tinted(const QImage &image, const ColorTransform &cx)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            row[x] = cx.apply(row[x]);
    }
    return out;
}

std::unique_ptr<Paint> makeSolidPaint(QRgb premultiplied)
{
    return std::make_unique<SolidPaint>(premultiplied);
}

std::unique_ptr<Paint> makePaint(const FillStyle &fill, const QTransform &shapeToPixels, const ColorTransform &cx,
                                 const QImage &bitmap, GradientRamps &ramps)
{
    if (fill.kind == FillStyle::Solid)
        return makeSolidPaint(qPremultiply(cx.apply(fill.color).rgba()));
    bool invertible = false;
    QTransform toFill = (fill.matrix * shapeToPixels).inverted(&invertible);
    if (fill.isGradient()) {
        const GradientRamp &ramp = ramps.ramp(fill, cx);
        if (!invertible) // a gradient squeezed to nothing shows its last colour
            return makeSolidPaint(ramp[255]);
        return std::make_unique<GradientPaint>(fill, toFill, ramp);
    }
    if (!invertible || bitmap.isNull())
        return makeSolidPaint(0);
    return std::make_unique<BitmapPaint>(bitmap, toFill, fill.kind == FillStyle::RepeatingBitmap, fill.smooth);
}

}
