#include "SwfRenderer.h"

#include "SwfButtonObject.h"
#include "SwfEditTextObject.h"
#include "SwfGraphicObjects.h"
#include "SwfLayer.h"
#include "SwfMovie.h"
#include "SwfMovieClip.h"
#include "SwfPaint.h"
#include "SwfStage.h"
#include "SwfText.h"
#include "SwfTextField.h"
#include "SwfTextPainter.h"

#include <QPainter>

namespace swf {

namespace {
bool invisible(const ColorTransform &cx)
{
    return cx.mult[3] <= 0 && cx.add[3] <= 0;
}
}

void Renderer::begin(QPainter &painter, const QTransform &stageToDevice)
{
    // Antialiased drawing samples a pixel at 4 x 4 points.
    shapes.setSamples(painter.testRenderHint(QPainter::Antialiasing) ? 4 : 1);
    shapes.setStage(stageToDevice);
    stageScale = std::sqrt(std::abs(stageToDevice.determinant())) * 20;
    toStage = stageToDevice.inverted();
    fromStage = stageToDevice;
}

void Renderer::render(QPainter &painter, const Stage &stage, const QTransform &stageToDevice)
{
    begin(painter, stageToDevice);
    for (const auto &[level, root] : stage.levels())
        if (root->visible())
            drawObject(painter, *root, root->matrix() * stageToDevice, root->colorTransform());
    shapes.endFrame();
}

void Renderer::renderObject(QPainter &painter, const DisplayObject &object, const QTransform &toDevice,
                            const ColorTransform &cx)
{
    begin(painter, toDevice);
    drawContent(painter, object, toDevice, cx);
    shapes.endFrame();
}

QTransform Renderer::placed(const QTransform &matrix, const QTransform &parentWorld) const
{
    QTransform onStage = matrix * parentWorld * toStage;
    return QTransform(onStage.m11(), onStage.m12(), onStage.m21(), onStage.m22(), std::round(onStage.dx()),
                      std::round(onStage.dy()))
        * fromStage;
}

void Renderer::drawList(QPainter &painter, const DisplayList &list, const QTransform &world, const ColorTransform &cx)
{
    struct Mask {
        int upTo;
        QPainterPath area;
    };
    std::vector<Mask> masks;
    for (const auto &[depth, pointer] : list) {
        const DisplayObject &object = *pointer;
        while (!masks.empty() && masks.back().upTo < depth)
            masks.pop_back();
        if (object.masksAnother())
            continue;
        QTransform objectWorld = placed(object.matrix(), world);
        if (object.clipDepth() > 0) {
            QPainterPath area = coverage(object, objectWorld);
            if (!masks.empty())
                area = area.intersected(masks.back().area);
            masks.push_back({object.clipDepth(), area});
            continue;
        }
        ColorTransform objectCx = cx.combined(object.colorTransform());
        if (!object.visible() || invisible(objectCx))
            continue;
        const DisplayObject *scriptMask = object.scriptMask();
        if (masks.empty() && !scriptMask) {
            drawObject(painter, object, objectWorld, objectCx);
            continue;
        }
        QPainterPath maskArea = masks.empty() ? QPainterPath() : masks.back().area;
        if (scriptMask) {
            QPainterPath shown = coverage(*scriptMask, scriptMask->stageMatrix() * fromStage);
            maskArea = masks.empty() ? shown : maskArea.intersected(shown);
        }
        drawMasked(painter, object, objectWorld, objectCx, maskArea);
    }
}

void Renderer::drawMasked(QPainter &painter, const DisplayObject &object, const QTransform &world,
                          const ColorTransform &cx, const QPainterPath &maskArea)
{
    if (maskArea.isEmpty())
        return;
    // Antialiased drawing masks with antialiased edges: the object is drawn
    // on a picture of its own and kept where the mask covers it.
    if (painter.testRenderHint(QPainter::Antialiasing) && Layer::canDrawOn(painter)) {
        const LayerEffects none;
        Layer layer(painter, none, stageScale, drawnArea(object, world) & maskArea.boundingRect().toAlignedRect());
        layer.maskWith(maskArea, shapes.samplesPerSide());
        drawObject(layer.painter(), object, layer.placed(world), cx);
        layer.finish(ColorTransform());
        return;
    }
    painter.save();
    painter.setTransform(QTransform());
    painter.setClipPath(maskArea, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    drawObject(painter, object, world, cx);
    painter.restore();
}

void Renderer::drawObject(QPainter &painter, const DisplayObject &object, const QTransform &world,
                          const ColorTransform &cx)
{
    bool plain = object.filters().empty() && object.blendMode() == BlendMode::Normal && !object.cacheAsBitmap();
    if (plain || !Layer::canDrawOn(painter)) {
        drawContent(painter, object, world, cx);
        return;
    }
    // Alpha and erase cut into the picture of a layer below them; with none
    // they leave the stage as it is.
    BlendMode blend = object.blendMode();
    if ((blend == BlendMode::Alpha || blend == BlendMode::Erase) && openLayers == 0)
        return;
    LayerEffects effects{object.filters(), blend, object.cacheAsBitmap()};
    Layer layer(painter, effects, stageScale, drawnArea(object, world));
    ++openLayers;
    drawContent(layer.painter(), object, layer.placed(world), ColorTransform());
    --openLayers;
    layer.finish(cx);
}

void Renderer::drawContent(QPainter &painter, const DisplayObject &object, const QTransform &world,
                           const ColorTransform &cx)
{
    switch (object.kind()) {
    case DisplayObject::Kind::MovieClip: {
        const MovieClip &clip = static_cast<const MovieClip &>(object);
        if (clip.drawing() && !clip.drawing()->empty())
            shapes.draw(painter, *clip.drawing()->shape(), world, cx);
        drawList(painter, clip.children(), world, cx);
        break;
    }
    case DisplayObject::Kind::Button:
        drawList(painter, static_cast<const ButtonObject &>(object).children(), world, cx);
        break;
    case DisplayObject::Kind::Shape:
        shapes.draw(painter, static_cast<const ShapeObject &>(object).shape(), world, cx);
        break;
    case DisplayObject::Kind::MorphShape:
        shapes.draw(painter, *static_cast<const MorphShapeObject &>(object).shape(), world, cx);
        break;
    case DisplayObject::Kind::StaticText:
        static_cast<const StaticTextObject &>(object).text().draw(painter, object.movie(), world, cx);
        break;
    case DisplayObject::Kind::EditText:
        paintTextField(painter, static_cast<const EditTextObject &>(object).textField(), world, cx);
        break;
    case DisplayObject::Kind::Bitmap: {
        const auto &bitmap = static_cast<const BitmapObject &>(object);
        if (bitmap.character())
            shapes.drawImage(painter, shapes.bitmap(object.characterId(), cx), QTransform::fromScale(20, 20) * world, false);
        else
            shapes.drawImage(painter, cx.isIdentity() ? bitmap.image() : tinted(bitmap.image(), cx),
                             QTransform::fromScale(20, 20) * world, bitmap.smoothing());
        break;
    }
    case DisplayObject::Kind::Video: {
        const VideoCharacter &video = static_cast<const VideoObject &>(object).video();
        auto &decoder = videos[&video];
        if (!decoder)
            decoder = std::make_unique<VideoDecoder>(video);
        QImage frame = decoder->frame(object.ratio());
        if (!cx.isIdentity())
            frame = tinted(frame, cx);
        shapes.drawImage(painter, frame, QTransform::fromScale(20, 20) * world, video.smoothing);
        break;
    }
    }
}

QRect Renderer::drawnArea(const DisplayObject &object, const QTransform &world) const
{
    auto mapped = [&](const QRectF &bounds) {
        QRectF area = world.mapRect(bounds);
        return area.isValid() && std::isfinite(area.width()) && std::isfinite(area.height())
            ? area.adjusted(-2, -2, 2, 2).toAlignedRect()
            : QRect();
    };
    QRect area;
    switch (object.kind()) {
    case DisplayObject::Kind::MovieClip:
    case DisplayObject::Kind::Button: {
        const DisplayList &children = object.kind() == DisplayObject::Kind::MovieClip
            ? static_cast<const MovieClip &>(object).children()
            : static_cast<const ButtonObject &>(object).children();
        area = mapped(object.localBounds());
        for (const auto &[depth, child] : children)
            area |= drawnArea(*child, placed(child->matrix(), world));
        break;
    }
    case DisplayObject::Kind::Shape:
        area = shapes.deviceBounds(static_cast<const ShapeObject &>(object).shape(), world);
        break;
    case DisplayObject::Kind::MorphShape:
        area = shapes.deviceBounds(*static_cast<const MorphShapeObject &>(object).shape(), world);
        break;
    default:
        area = mapped(object.localBounds());
        break;
    }
    return area.isEmpty() ? area : area + filterReach(object.filters(), stageScale);
}

QPainterPath Renderer::coverage(const DisplayObject &object, const QTransform &world)
{
    QPainterPath area;
    switch (object.kind()) {
    case DisplayObject::Kind::MovieClip:
        if (const Drawing *drawing = static_cast<const MovieClip &>(object).drawing(); drawing && !drawing->empty())
            area = world.map(drawing->shape()->outline());
        for (const auto &[depth, child] : static_cast<const MovieClip &>(object).children()) {
            QPainterPath part = coverage(*child, placed(child->matrix(), world));
            area = area.isEmpty() ? part : area.united(part);
        }
        break;
    case DisplayObject::Kind::Shape:
        area = world.map(static_cast<const ShapeObject &>(object).shape().outline());
        break;
    case DisplayObject::Kind::MorphShape:
        area = world.map(static_cast<const MorphShapeObject &>(object).shape()->outline());
        break;
    default:
        break;
    }
    return area;
}

}
