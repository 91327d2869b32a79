#pragma once
// Draws a text field: background, border, the visible lines of its layout
// (scrolled, clipped to the field), underlines, the selection of a focused
// field as white text on black, and the caret of a focused editable field.
// Fields in device fonts show only upright: their slight turns are dropped,
// and turned, mirrored or skewed ones are not drawn.
#include "SwfTypes.h"

class QPainter;
class QTransform;

namespace swf {

class TextField;

// `world` maps twips of the field's own space to the device.
void paintTextField(QPainter &painter, const TextField &field, const QTransform &world, const ColorTransform &cx);

}
