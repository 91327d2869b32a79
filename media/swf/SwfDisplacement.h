#pragma once
// The displacement map filter: pixels of an object's picture moved by the
// colours of a map bitmap.
#include "SwfFilters.h"

namespace swf {

// `source` (premultiplied) with each pixel taken from where `f.map` sends
// it; `origin` is where the object's (0, 0) lies in the picture and
// `stageScale` its device pixels per pixel of its own.
QImage displacementFilter(const QImage &source, const Filter &f, double stageScale, QPoint origin);

}
