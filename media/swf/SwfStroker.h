#pragma once
// Lines of shapes as areas: each piece of a line (a band along every edge,
// the joins between edges, the caps at open ends) becomes a polygon handed
// to the rasterizer with the same orientation, so that with the non-zero
// rule their union is filled once, overlaps and all. Along a curve the band
// is bounded by the curves parallel to it, cut into straight pieces.
#include "SwfRasterizer.h"

#include <QPointF>
#include <vector>

namespace swf {

struct Pen {
    double width = 1; // device pixels
    Qt::PenCapStyle startCap = Qt::RoundCap;
    Qt::PenCapStyle endCap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
    double miterLimit = 3; // the longest miter, in half widths from the corner
};

// An edge of a line in device pixels: straight, or curved over `control`.
struct Segment {
    QPointF from, control, to;
    bool curve = false;
};

// Edges that follow on from each other; a closed run ends where it started
// and gets a join there instead of caps.
struct StrokePath {
    std::vector<Segment> segments;
    bool closed = false;
};

class Stroker {
public:
    Stroker(Rasterizer &out, int style, const Pen &pen);
    void stroke(const StrokePath &path);

private:
    void polygon(std::vector<QPointF> points);
    void dot(QPointF centre);
    void cap(QPointF at, QPointF outward, Qt::PenCapStyle style);
    void band(const Segment &s, int depth);
    void join(QPointF at, QPointF in, QPointF out);

    Rasterizer &out;
    int style;
    Pen pen;
    double half;
};

}
