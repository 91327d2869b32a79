#pragma once
// Turns Qt painter paths into SWF shape edges, so that art drawn with
// QPainterPath (ellipses, polygons, Bézier curves) and glyph outlines of a
// system font can be written into movies. Cubic curves become quadratic
// ones within a tolerance; each closed contour gets its fill on the side
// where the path is filled.
#include "SwfWriter.h"

#include <QPainterPath>
#include <QTransform>

namespace swfmake {

// Appends Path's contours, mapped by ToTwips, with fill style Fill (and line
// style Line, 0 for none). Overlapping contours are merged first, so the
// edges enclose exactly the area the path fills under its own fill rule.
void addPath(ShapeBuilder &Shape, const QPainterPath &Path, const QTransform &ToTwips, int Fill, int Line = 0);

// Path mapped by ToTwips and filled with Colour, painted over what Shape
// holds so far (in a layer of its own).
void addFilledLayer(ShapeBuilder &Shape, const QPainterPath &Path, const QTransform &ToTwips, const QColor &Colour);

}
