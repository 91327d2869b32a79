#include "SwfHitTest.h"

#include "SwfButtonObject.h"
#include "SwfEditTextObject.h"
#include "SwfMovieClip.h"
#include "SwfShape.h"
#include "SwfStage.h"

#include <QPainterPathStroker>
#include <algorithm>

namespace swf {

namespace {

constexpr double kThinnestLine = 20; // a hairline still takes the mouse one pixel wide

// The script handlers that make a clip take the mouse like a button.
const QString kButtonHandlers[] = {
    QStringLiteral("onPress"),     QStringLiteral("onRelease"),  QStringLiteral("onReleaseOutside"),
    QStringLiteral("onRollOver"),  QStringLiteral("onRollOut"),  QStringLiteral("onDragOver"),
    QStringLiteral("onDragOut"),
};

constexpr uint32_t kButtonEvents = ClipEvent::Press | ClipEvent::Release | ClipEvent::ReleaseOutside | ClipEvent::RollOver | ClipEvent::RollOut
    | ClipEvent::DragOver | ClipEvent::DragOut;

bool actsAsButton(DisplayObject &clip, ScriptHost &host)
{
    for (const ClipAction &action : clip.clipActions())
        if (action.events & kButtonEvents)
            return true;
    for (const QString &name : kButtonHandlers)
        if (host.hasHandler(clip, name))
            return true;
    return false;
}

bool hits(const DisplayObject &object, const QPointF &point)
{
    bool invertible = false;
    QTransform inverse = object.matrix().inverted(&invertible);
    return invertible && object.hitTestLocal(inverse.map(point), true);
}

// What a search looks for: what takes the mouse, or a text field a click selects in.
enum class Seek { Mouse, Text };

bool takesClicks(const DisplayObject &object)
{
    const TextField &field = static_cast<const EditTextObject &>(object).textField();
    return field.selectable || field.editable || field.hasLinks();
}

// `point` is in the space of the list's owner.
DisplayObject *targetIn(const DisplayList &list, const QPointF &point, ScriptHost &host, Seek seek)
{
    const auto &objects = list.map();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        DisplayObject &object = *it->second;
        if (!object.visible() || object.clipDepth() > 0)
            continue;
        // A clip layer below that covers this depth must be under the point too.
        bool masked = false;
        for (auto mask = std::next(it); mask != objects.rend() && !masked; ++mask)
            masked = mask->second->clipDepth() >= it->first && !hits(*mask->second, point);
        if (masked)
            continue;
        if (object.kind() == DisplayObject::Kind::Button && seek == Seek::Mouse) {
            if (hits(object, point))
                return &object;
        } else if (object.kind() == DisplayObject::Kind::EditText && seek == Seek::Text) {
            if (takesClicks(object) && hits(object, point))
                return &object;
        } else if (object.kind() == DisplayObject::Kind::MovieClip) {
            if (seek == Seek::Mouse && actsAsButton(object, host)) {
                if (hits(object, point))
                    return &object;
                continue;
            }
            bool invertible = false;
            QTransform inverse = object.matrix().inverted(&invertible);
            if (!invertible)
                continue;
            if (DisplayObject *inner =
                    targetIn(static_cast<MovieClip &>(object).children(), inverse.map(point), host, seek))
                return inner;
        }
    }
    return nullptr;
}

// `point` is in the space of the list's owner.
DisplayObject *dropIn(const DisplayList &list, const QPointF &point, const DisplayObject &dragged)
{
    const auto &objects = list.map();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        DisplayObject &object = *it->second;
        if (&object == &dragged || !object.visible() || object.clipDepth() > 0)
            continue;
        if (object.kind() == DisplayObject::Kind::MovieClip) {
            bool invertible = false;
            QTransform inverse = object.matrix().inverted(&invertible);
            if (!invertible)
                continue;
            if (DisplayObject *inner = dropIn(static_cast<MovieClip &>(object).children(), inverse.map(point), dragged))
                return inner;
        } else if (hits(object, point)) {
            // A shape, static text or bitmap stands for the clip holding it.
            bool scripted = object.kind() == DisplayObject::Kind::Button || object.kind() == DisplayObject::Kind::EditText;
            return scripted ? &object : object.parentClip();
        }
    }
    return nullptr;
}

DisplayObject *topmostAt(const Stage &stage, const QPointF &point, Seek seek)
{
    const auto &levels = stage.levels();
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
        MovieClip &root = *it->second;
        bool invertible = false;
        QTransform inverse = root.matrix().inverted(&invertible);
        if (!root.visible() || !invertible)
            continue;
        if (DisplayObject *target = targetIn(root.children(), inverse.map(point), stage.scripts(), seek))
            return target;
    }
    return nullptr;
}

}

bool shapeContains(const Shape &shape, const QPointF &point)
{
    if (!shape.bounds.adjusted(-kThinnestLine, -kThinnestLine, kThinnestLine, kThinnestLine).contains(point))
        return false;
    if (shape.outline().contains(point))
        return true;
    for (const ShapeLayer &layer : shape.layers) {
        for (size_t style = 1; style <= layer.lines.size(); ++style) {
            QPainterPath path;
            for (const Edge &e : layer.edges) {
                if (e.line != int(style))
                    continue;
                if (path.isEmpty() || path.currentPosition() != e.from)
                    path.moveTo(e.from);
                if (e.curve)
                    path.quadTo(e.control, e.to);
                else
                    path.lineTo(e.to);
            }
            if (path.isEmpty())
                continue;
            const LineStyle &line = layer.lines[style - 1];
            QPainterPathStroker stroker;
            stroker.setWidth(std::max(line.width, kThinnestLine));
            stroker.setCapStyle(line.cap);
            stroker.setJoinStyle(line.join);
            if (stroker.createStroke(path).contains(point))
                return true;
        }
    }
    return false;
}

DisplayObject *mouseTargetAt(const Stage &stage, const QPointF &point)
{
    return topmostAt(stage, point, Seek::Mouse);
}

DisplayObject *dropTargetAt(const Stage &stage, const QPointF &point, const DisplayObject &dragged)
{
    const auto &levels = stage.levels();
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
        MovieClip &root = *it->second;
        bool invertible = false;
        QTransform inverse = root.matrix().inverted(&invertible);
        if (root.visible() && invertible)
            if (DisplayObject *target = dropIn(root.children(), inverse.map(point), dragged))
                return target;
    }
    return nullptr;
}

DisplayObject *textFieldAt(const Stage &stage, const QPointF &point)
{
    return topmostAt(stage, point, Seek::Text);
}

}
