#pragma once
// Gradient fills as the player draws them: the stops become a ramp of 256
// colours, and each pixel takes the colour at its place in the gradient
// square (-16384..16384 twips on each axis), mixed between the two ramp
// entries nearest to it (entry i stands for the middle of the i-th of 256
// equal steps from start to end).
#include "SwfTypes.h"

#include <QGradient>
#include <QPointF>
#include <array>
#include <string>
#include <unordered_map>

namespace swf {

struct FillStyle;

// The ramp's colours, premultiplied, with a colour transform applied.
using GradientRamp = std::array<QRgb, 256>;

// Builds the ramp of a gradient fill: before the first stop its colour,
// after the last stop the last colour, in between the colour mixed between
// the first stop at or beyond the entry and the one before it in the
// record (stops out of order are taken as they come), in plain or linear RGB.
GradientRamp gradientRamp(const FillStyle &fill, const ColorTransform &cx);

// Ramps made for the frame before and this one, so that a gradient shown
// frame after frame is not mixed again each time.
class GradientRamps {
public:
    const GradientRamp &ramp(const FillStyle &fill, const ColorTransform &cx);
    // Forgets the ramps the frame did not use.
    void endFrame();
    size_t size() const { return ramps.size(); }

private:
    struct Entry {
        GradientRamp ramp;
        bool used = true;
    };
    std::unordered_map<std::string, Entry> ramps;
};

// Where a point of the gradient square lies from the gradient's start (0)
// to its end (1), before spreading.
double gradientPosition(const FillStyle &fill, QPointF square);
// The colour at position `t`, spread (pad, reflect or repeat) over the ramp.
QRgb rampColor(const GradientRamp &ramp, QGradient::Spread spread, double t);
// Both: the colour of the gradient at a point of its square.
QRgb gradientColor(const FillStyle &fill, const GradientRamp &ramp, QPointF square);

}
