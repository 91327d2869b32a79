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
    // At least five pieces (as the player cuts curves of a few pixels), more
    // where pieces would stray by over a tenth of a pixel.
    return std::clamp(int(std::ceil(std::sqrt(deviation / 0.1))), 5, 256);
}

}
