#include "SwfDragging.h"

#include "SwfDisplayObject.h"

#include <algorithm>
#include <cmath>

namespace swf {

QPointF Dragging::inParent(const DisplayObject &object, const QPointF &pointer) const
{
    const DisplayObject *parent = object.parent();
    return parent ? parent->stageMatrix().inverted().map(pointer) : pointer;
}

void Dragging::start(DisplayObject &object, const QPointF &pointer, bool lockCenter, std::optional<QRectF> area)
{
    dragged = object.shared_from_this();
    bounds = area;
    const QTransform &m = object.matrix();
    grab = lockCenter ? QPointF() : QPointF(m.dx(), m.dy()) - inParent(object, pointer);
    follow(pointer);
}

DisplayObject *Dragging::object() const
{
    DisplayObject *o = dragged.lock().get();
    return o && !o->removed() ? o : nullptr;
}

void Dragging::follow(const QPointF &pointer)
{
    DisplayObject *o = object();
    if (!o)
        return;
    QPointF to = inParent(*o, pointer) + grab;
    if (bounds) {
        to.setX(std::clamp(to.x(), bounds->left(), bounds->right()));
        to.setY(std::clamp(to.y(), bounds->top(), bounds->bottom()));
    }
    const QTransform &m = o->matrix();
    o->setMatrix(QTransform(m.m11(), m.m12(), m.m21(), m.m22(), std::round(to.x()), std::round(to.y())));
    o->setTransformedByScript(true);
}

}
