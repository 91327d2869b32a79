#pragma once
// A display object that follows the pointer (a script's startDrag), until it
// is stopped or another drag starts: its registration point under the
// pointer when the centre is locked, else kept where the pointer grabbed it,
// and inside an area of its parent when one is given.
#include <QPointF>
#include <QRectF>
#include <memory>
#include <optional>

namespace swf {

class DisplayObject;

class Dragging {
public:
    // Starts dragging `object` with the pointer at `pointer` (stage twips);
    // `area` is in the parent's twips.
    void start(DisplayObject &object, const QPointF &pointer, bool lockCenter, std::optional<QRectF> area);
    void stop() { dragged.reset(); }
    // The object dragged, if any and still on the stage.
    DisplayObject *object() const;
    // The pointer moved to `pointer` (stage twips): the object follows.
    void follow(const QPointF &pointer);

private:
    // The pointer in the parent's space of the dragged object.
    QPointF inParent(const DisplayObject &object, const QPointF &pointer) const;

    std::weak_ptr<DisplayObject> dragged;
    QPointF grab; // the object's position less the pointer's, in the parent's space
    std::optional<QRectF> bounds;
};

}
