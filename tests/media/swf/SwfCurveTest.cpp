// Cutting curves into straight pieces: as few as keep every piece within a
// tenth of a pixel of the curve, so edge pixels fall where the player's do.
#include "swf/SwfCurve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using swf::curvePoint;
using swf::curveSteps;

namespace {

// The largest distance between the curve and its straight pieces.
double worstStray(QPointF a, QPointF c, QPointF b, int steps)
{
    double worst = 0;
    for (int i = 0; i < steps; ++i) {
        QPointF p = curvePoint(a, c, b, double(i) / steps), q = curvePoint(a, c, b, double(i + 1) / steps);
        QPointF mid = curvePoint(a, c, b, (i + 0.5) / steps);
        QPointF d = q - p;
        double length = std::hypot(d.x(), d.y());
        double off = length > 0 ? std::abs(d.x() * (mid.y() - p.y()) - d.y() * (mid.x() - p.x())) / length : 0;
        worst = std::max(worst, off);
    }
    return worst;
}

}

TEST(SwfCurve, NearlyStraightCurvesStayOnePiece)
{
    EXPECT_EQ(curveSteps({0, 0}, {5, 0}, {10, 0}), 1);
    EXPECT_EQ(curveSteps({0, 0}, {5, 0.2}, {10, 0}), 1);
}

TEST(SwfCurve, PiecesKeepWithinATenthOfAPixel)
{
    struct Row {
        QPointF a, c, b;
        int steps;
    } rows[] = {
        {{0, 0}, {5, 1}, {10, 0}, 3},
        {{0, 0}, {10, 10}, {20, 0}, 8},
        {{0, 0}, {100, 100}, {200, 0}, 23},
    };
    for (const Row &r : rows) {
        int steps = curveSteps(r.a, r.c, r.b);
        EXPECT_EQ(steps, r.steps) << r.c.x();
        EXPECT_LE(worstStray(r.a, r.c, r.b, steps), 0.1 + 1e-9);
        EXPECT_GT(worstStray(r.a, r.c, r.b, steps - 1), 0.1);
    }
}

TEST(SwfCurve, HostileCurvesAreBounded)
{
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(curveSteps({0, 0}, {inf, 0}, {1, 0}), 1);
    EXPECT_EQ(curveSteps({0, 0}, {1e12, 1e12}, {1, 0}), 256);
}
