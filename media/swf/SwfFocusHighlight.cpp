#include "SwfFocusHighlight.h"

#include "SwfDisplayObject.h"
#include "SwfStage.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace swf {

namespace {

constexpr int kThickness = 3;
const QColor kYellow(255, 255, 0);

}

void paintFocusHighlight(QPainter &painter, const Stage &stage, const QTransform &toDevice)
{
    const Focus &focus = stage.focus();
    DisplayObject *object = focus.current();
    if (!focus.highlighted() || !object)
        return;
    QRectF local = object->localBounds();
    if (local.isNull())
        return;
    // Inside the object's bounds on whole pixels, whatever its turn.
    QRectF device = (object->stageMatrix() * toDevice).mapRect(local);
    QRect box(QPoint(int(std::lround(device.left())), int(std::lround(device.top()))),
              QPoint(int(std::lround(device.right())) - 1, int(std::lround(device.bottom())) - 1));
    painter.save();
    painter.setTransform(QTransform());
    painter.setPen(Qt::NoPen);
    QPainterPath frame;
    frame.addRect(box);
    if (QRect inner = box.adjusted(kThickness, kThickness, -kThickness, -kThickness); inner.isValid())
        frame.addRect(inner);
    painter.fillPath(frame, kYellow);
    painter.restore();
}

}
