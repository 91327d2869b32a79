#pragma once
// Quadratic curves cut into straight pieces for scan conversion.
#include <QPointF>
#include <vector>

namespace swf {

// How many straight pieces a curve from `a` over `control` to `b`, in
// device pixels, is cut into.
int curveSteps(QPointF a, QPointF control, QPointF b);

// The point at `t` (0..1) of the curve.
inline QPointF curvePoint(QPointF a, QPointF control, QPointF b, double t)
{
    double u = 1 - t;
    return u * u * a + 2 * t * u * control + t * t * b;
}

}
