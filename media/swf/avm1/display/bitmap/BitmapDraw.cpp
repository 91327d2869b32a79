#include "BitmapDraw.h"

#include "BitmapArgs.h"
#include "BitmapData.h"
#include "BitmapPixels.h"
#include "swf/SwfDisplayObject.h"
#include "swf/SwfPaint.h"
#include "swf/SwfRenderer.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/display/DisplayData.h"
#include "swf/avm1/display/effects/ClipEffects.h"
#include "swf/avm1/display/geom/GeomValues.h"

#include <QPainter>

namespace swf::avm1 {

Value drawIntoBitmap(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.empty())
        return kRefused;
    const BitmapPixels *bitmap = pixelsOf(args[0]);
    const DisplayObject *object = displayOf(args[0].asObject());
    if (!bitmap && !object)
        return Value();
    // The source's space in twips to the bitmap's pixels.
    QTransform matrix = arg(args, 1).asObject() ? matrixOf(cx, args[1]) : QTransform();
    QTransform toPixels = matrix * QTransform::fromScale(1 / 20.0, 1 / 20.0);
    ColorTransform colors = colorTransformOf(arg(args, 2));
    BlendMode mode = blendModeNamed(cx, arg(args, 3)).value_or(BlendMode::Normal);
    QRect clip = pixels->rect();
    QRect area;
    if (rectArg(cx, arg(args, 4), area))
        clip &= area;
    bool smoothing = args.size() > 5 && toBoolean(cx, args[5]);
    if (clip.isEmpty())
        return Value();

    // The source is drawn on a clear picture first, which is then laid on
    // the bitmap with the blend mode as one whole.
    QImage layer(pixels->image().size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setClipRect(clip);
        painter.setRenderHint(QPainter::Antialiasing);
        if (bitmap) {
            painter.setRenderHint(QPainter::SmoothPixmapTransform, smoothing);
            painter.setTransform(QTransform::fromScale(20, 20) * toPixels);
            painter.drawImage(0, 0, colors.isIdentity() ? bitmap->image() : tinted(bitmap->image(), colors));
        } else {
            Renderer renderer(object->movie());
            renderer.renderObject(painter, *object, toPixels, colors);
        }
    }
    if (!pixels->transparent()) {
        // An opaque bitmap shows what is drawn on it as over black.
        QImage &image = pixels->image();
        blendInto(image, layer, QPoint(), mode);
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<uint32_t *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                line[x] |= 0xFF000000u;
        }
        return Value();
    }
    blendInto(pixels->image(), layer, QPoint(), mode);
    return Value();
}

}
