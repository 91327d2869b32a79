#pragma once
// Shapes: fill and line styles and the edges between them.
#include <QColor>
#include <QGradient>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>
#include <cstdint>
#include <vector>

namespace swf {

class BitReader;

struct FillStyle {
    enum Kind { Solid, LinearGradient, RadialGradient, FocalGradient, RepeatingBitmap, ClippedBitmap };
    Kind kind = Solid;
    QColor color;
    QTransform matrix; // gradient square or bitmap pixels to shape space
    QGradientStops stops;
    QGradient::Spread spread = QGradient::PadSpread;
    double focal = 0; // -1..1 along the gradient's x axis
    int interpolation = 0; // gradients: 0 mixes stored RGB values, 1 linear RGB
    uint16_t bitmapId = 0;
    bool smooth = true;

    bool isGradient() const { return kind == LinearGradient || kind == RadialGradient || kind == FocalGradient; }
    bool isBitmap() const { return kind == RepeatingBitmap || kind == ClippedBitmap; }
    bool operator==(const FillStyle &) const = default;
};

struct LineStyle {
    double width = 20; // twips
    QColor color;
    Qt::PenCapStyle cap = Qt::RoundCap;    // at the start of a line
    Qt::PenCapStyle endCap = Qt::RoundCap; // at its end
    Qt::PenJoinStyle join = Qt::RoundJoin;
    double miterLimit = 3;
    bool noHScale = false, noVScale = false; // the width keeps to the stage's scale on that axis
    bool pixelHinting = false;
    bool noClose = false; // a line ending where it started gets caps, not a join
    bool hasFill = false;
    FillStyle fill;
    bool operator==(const LineStyle &) const = default;
};

// One edge in shape coordinates with the styles on its left (fill0) and
// right (fill1) side and its line; style numbers count from 1, 0 is none.
struct Edge {
    QPointF from, control, to;
    bool curve = false;
    int fill0 = 0, fill1 = 0, line = 0;
    bool operator==(const Edge &) const = default;
};

// A record that brings new styles starts a new layer, drawn over the last.
struct ShapeLayer {
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<Edge> edges;
};

// The outline of fill style `style` (counted from 1) of a layer as a
// closed painter path.
QPainterPath fillPath(const ShapeLayer &layer, size_t style, Qt::FillRule rule);

struct Shape {
    QRectF bounds;
    // DefineShape4: the bounds without the strokes, and what the strokes do.
    QRectF edgeBounds;
    bool windingFill = false;
    bool nonScalingStrokes = false, scalingStrokes = false;
    std::vector<ShapeLayer> layers;
    // Of a shape drawn by script: a number no other version of any drawing
    // has, so the picture kept of one is never taken for another made at
    // the same address.
    uint64_t serial = 0;

    // The union of all fills, in shape coordinates (for masks and hit
    // tests); worked out on first use.
    const QPainterPath &outline() const;

private:
    mutable QPainterPath area;
    mutable bool areaKnown = false;
};

// Reads DefineShape 1 to 4 after its character id.
Shape readShape(BitReader &in, int shapeVersion);
// Reads the styles-less shape of a font glyph: fill 1 is the glyph's fill.
Shape readGlyph(BitReader &in);

// Shared with morph shapes: the stored codes of spreads, caps and joins.
QGradient::Spread gradientSpread(int mode);
Qt::PenCapStyle capStyle(int cap);
Qt::PenJoinStyle joinStyle(int join);
// The 16 flag bits of a DefineShape4 line style (and a morph's): caps,
// join, fill, scaling, hinting and closing. Returns the join's code.
int readLineFlags(BitReader &in, LineStyle &line);
// Reads SHAPE records into layers; `layers` holds the first layer's styles.
void readShapeRecords(BitReader &in, int shapeVersion, std::vector<ShapeLayer> &layers);
void readFillStyles(BitReader &in, int shapeVersion, std::vector<FillStyle> &fills);
void readLineStyles(BitReader &in, int shapeVersion, std::vector<LineStyle> &lines);

}
