#include "SwfRenderer.h"

#include "SwfButton.h"
#include "SwfCharacter.h"
#include "SwfMovie.h"
#include "SwfPaint.h"
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

void Renderer::render(QPainter &painter, const TimelineInstance &root, const QTransform &stageToDevice)
{
    // Antialiased drawing samples a pixel at 4 x 4 points.
    shapes.setSamples(painter.testRenderHint(QPainter::Antialiasing) ? 4 : 1);
    shapes.setStage(stageToDevice);
    drawList(painter, root.displayList(), stageToDevice, ColorTransform());
    shapes.endFrame();
}

void Renderer::drawList(QPainter &painter, const std::map<int, DisplayObject> &list, const QTransform &world,
                        const ColorTransform &cx)
{
    struct Mask {
        int upTo;
        QPainterPath area;
    };
    std::vector<Mask> masks;
    for (const auto &[depth, object] : list) {
        while (!masks.empty() && masks.back().upTo < depth)
            masks.pop_back();
        QTransform objectWorld = object.matrix * world;
        if (object.clipDepth > 0) {
            QPainterPath area = coverage(object, objectWorld);
            if (!masks.empty())
                area = area.intersected(masks.back().area);
            masks.push_back({object.clipDepth, area});
            continue;
        }
        ColorTransform objectCx = cx.combined(object.colorTransform);
        if (invisible(objectCx))
            continue;
        if (masks.empty()) {
            drawObject(painter, object, objectWorld, objectCx);
            continue;
        }
        painter.save();
        painter.setTransform(QTransform());
        painter.setClipPath(masks.back().area, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        drawObject(painter, object, objectWorld, objectCx);
        painter.restore();
    }
}

void Renderer::drawObject(QPainter &painter, const DisplayObject &object, const QTransform &world,
                          const ColorTransform &cx)
{
    if (object.sprite) {
        drawList(painter, object.sprite->displayList(), world, cx);
    } else if (auto *shape = dynamic_cast<const ShapeCharacter *>(object.character)) {
        shapes.draw(painter, shape->shape, world, cx);
    } else if (auto *morph = dynamic_cast<const MorphShapeCharacter *>(object.character)) {
        shapes.draw(painter, *morph->morph.at(object.ratio), world, cx);
    } else if (auto *text = dynamic_cast<const TextCharacter *>(object.character)) {
        text->draw(painter, movie, world, cx);
    } else if (auto *field = dynamic_cast<const EditTextCharacter *>(object.character)) {
        paintTextField(painter, *field->field, world, cx);
    } else if (auto *button = dynamic_cast<const ButtonCharacter *>(object.character)) {
        for (const ButtonCharacter::Record &r : button->records) {
            // A button shown inside a button could contain itself: not drawn.
            if (!(r.states & object.buttonState) || dynamic_cast<const ButtonCharacter *>(movie.character(r.characterId)))
                continue;
            DisplayObject part;
            part.characterId = r.characterId;
            part.character = movie.character(r.characterId);
            drawObject(painter, part, r.matrix * world, cx.combined(r.colorTransform));
        }
    } else if (dynamic_cast<const BitmapCharacter *>(object.character)) {
        shapes.drawImage(painter, shapes.bitmap(object.characterId, cx), QTransform::fromScale(20, 20) * world, false);
    } else if (auto *video = dynamic_cast<const VideoCharacter *>(object.character)) {
        auto &decoder = videos[video];
        if (!decoder)
            decoder = std::make_unique<VideoDecoder>(*video);
        QImage frame = decoder->frame(object.ratio);
        if (!cx.isIdentity())
            frame = tinted(frame, cx);
        shapes.drawImage(painter, frame, QTransform::fromScale(20, 20) * world, video->smoothing);
    }
}

QPainterPath Renderer::coverage(const DisplayObject &object, const QTransform &world)
{
    QPainterPath area;
    if (object.sprite) {
        for (const auto &[depth, child] : object.sprite->displayList()) {
            QPainterPath part = coverage(child, child.matrix * world);
            area = area.isEmpty() ? part : area.united(part);
        }
    } else if (auto *shape = dynamic_cast<const ShapeCharacter *>(object.character)) {
        area = world.map(shape->shape.outline());
    } else if (auto *morph = dynamic_cast<const MorphShapeCharacter *>(object.character)) {
        area = world.map(morph->morph.at(object.ratio)->outline());
    }
    return area;
}

}
