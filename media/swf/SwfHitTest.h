#pragma once
// Hit testing: whether a point falls on what a shape draws, and which
// display object takes the mouse at a point of the stage.
#include <QPointF>

namespace swf {

class DisplayObject;
class ScriptHost;
class Stage;
struct Shape;

// Whether `point` (shape space, twips) is inside one of the shape's fills or
// on one of its lines.
bool shapeContains(const Shape &shape, const QPointF &point);

// The object that takes the mouse at `point` (stage twips): the topmost
// button, or clip with button handlers, whose shapes are under the point and
// not masked away there; null when none.
DisplayObject *mouseTargetAt(const Stage &stage, const QPointF &point);
// What `dragged` would be dropped on at `point`: the topmost button, text
// field or clip (the clip holding a shape) under the point, apart from
// `dragged` and what it holds; null when none.
DisplayObject *dropTargetAt(const Stage &stage, const QPointF &point, const DisplayObject &dragged);
// The topmost text field a click at `point` selects in or follows a link
// of (a selectable or input field, or one with links, under the point), or
// null.
DisplayObject *textFieldAt(const Stage &stage, const QPointF &point);

}
