#pragma once
// Filters of placed objects (PlaceObject3 and button records): what each
// one is, as stored, and its drawing as a function on the object's picture.
#include "SwfGradient.h"

#include <QColor>
#include <QImage>
#include <QMargins>
#include <array>
#include <utility>
#include <vector>

namespace swf {

struct Filter {
    // The stored filter ids; a displacement map is made by scripts only.
    enum Kind { DropShadow = 0, Blur = 1, Glow = 2, Bevel = 3, GradientGlow = 4, Convolution = 5, ColorMatrix = 6,
                GradientBevel = 7, Displacement = 8 };
    Kind kind = Blur;

    // Blur, shadows, glows and bevels.
    double blurX = 4, blurY = 4; // pixels of the object's space before the stage scale
    int passes = 1;              // the filter's quality: how often the box blur runs
    double angle = 0;            // radians, of the shadow's or bevel's offset
    double distance = 0;         // pixels
    double strength = 1;
    bool inner = false;
    bool knockout = false;
    bool compositeSource = true; // false hides the object, leaving the effect alone
    bool onTop = false;          // bevels: drawn over the object
    QColor color;                // shadow and glow colour; a bevel's shadow
    QColor highlight;            // a bevel's highlight
    std::vector<std::pair<int, QColor>> gradient; // gradient glows and bevels: ratio 0..255 and colour

    // Convolution.
    int columns = 0, rows = 0;
    std::vector<float> matrix; // rows x columns, row by row
    float divisor = 1, bias = 0;
    QColor defaultColor;
    bool clamp = true;
    bool preserveAlpha = true;

    // Colour matrix: four rows of five (r, g, b, a, offset) on unpremultiplied 0..255 values.
    std::array<float, 20> colorMatrix{1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};

    // Displacement map: each pixel is taken from where the map's channels
    // (1 red, 2 green, 4 blue, 8 alpha; 128 is no move) send it, scaled by
    // scale / 256; `mapPoint` places the map in the object's own pixels.
    // Pixels sent outside the picture wrap around, clamp to its edge, stay
    // as they were (ignore) or take `defaultColor`.
    enum class Edges { Wrap, Clamp, Ignore, Color };
    QImage map;
    QPoint mapPoint;
    int componentX = 0, componentY = 0;
    double scaleX = 0, scaleY = 0;
    Edges edges = Edges::Wrap;

    bool operator==(const Filter &) const = default;
};

// How many device pixels `filters` reach beyond an object on each side:
// the margin its picture needs before they are applied.
QMargins filterReach(const std::vector<Filter> &filters, double stageScale);

// Draws `filter` on `picture` (the object drawn in device pixels, with room
// around it, its origin at `origin`): the picture it leaves, the same size.
// Distances are in the stage's pixels and scale with `stageScale`, as does
// how far a blur reaches beyond the pixel it blurs.
QImage applyFilter(const Filter &filter, const QImage &picture, double stageScale, QPoint origin = QPoint());

// The colours of a gradient glow's or bevel's stops spread over 256 entries.
GradientRamp filterRamp(const std::vector<std::pair<int, QColor>> &stops);

}
