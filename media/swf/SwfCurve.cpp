#include "SwfCurve.h"

#include <algorithm>
#include <cmath>

namespace swf {

int curveSteps(QPointF a, QPointF control, QPointF b)
{
    // The curve strays from its chord by half the control point's distance
    // from the chord's middle; pieces stray by that over their count squared.
    QPointF bulge = (control - (a + b) / 2) / 2;
    double deviation = std::hypot(bulge.x(), bulge.y());
    if (!std::isfinite(deviation))
        return 1;
    // As few pieces as keep each within a tenth of a pixel of the curve: a
    // nearly straight curve is one piece, as the player draws it.
    return std::clamp(int(std::ceil(std::sqrt(deviation / 0.1))), 1, 256);
}

}
