#pragma once
// The yellow focus rectangle, drawn over the whole stage around the focused
// clip or button while the focus shows it.
class QPainter;
class QTransform;

namespace swf {

class Stage;

// `toDevice` maps the stage (twips) to the painter's pixels.
void paintFocusHighlight(QPainter &painter, const Stage &stage, const QTransform &toDevice);

}
