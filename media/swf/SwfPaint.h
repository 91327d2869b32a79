#pragma once
// The colours a fill style puts on the pixels it covers: one colour, a
// gradient or a bitmap, looked up at each pixel's centre.
#include "SwfGradient.h"

#include <QImage>
#include <QTransform>
#include <memory>
#include <optional>

namespace swf {

struct FillStyle;

class Paint {
public:
    virtual ~Paint() = default;
    // Writes the premultiplied colours of pixels [x, x + count) of row `y`.
    virtual void colors(int x, int y, int count, QRgb *out) const = 0;
    // The one colour of a fill that is the same everywhere.
    virtual std::optional<QRgb> solid() const { return std::nullopt; }
};

// The paint of `fill` on pixels that `shapeToPixels` maps the shape to.
// `bitmap` is the fill's bitmap with the colour transform applied (bitmap
// fills only; a null image paints nothing); gradients take their ramp from
// `ramps`.
std::unique_ptr<Paint> makePaint(const FillStyle &fill, const QTransform &shapeToPixels, const ColorTransform &cx,
                                 const QImage &bitmap, GradientRamps &ramps);
// `image` (premultiplied) with `cx` applied to every pixel.
QImage tinted(const QImage &image, const ColorTransform &cx);
// A paint of one premultiplied colour.
std::unique_ptr<Paint> makeSolidPaint(QRgb premultiplied);

}
