#pragma once
// Scan conversion: straight edges in device pixels, each with a style on
// either side, turned into how much of each pixel every style covers.
// A pixel is sampled at an n x n grid of points (n = 1: its centre only,
// which is how the movie player draws without antialiasing). Each sample
// belongs to the highest-numbered style whose edges enclose it, so fills
// that meet along an edge share its pixels without a seam between them.
#include <QPointF>
#include <QRect>
#include <cstdint>
#include <vector>

namespace swf {

class Rasterizer {
public:
    // Receives the coverage of one style over the pixels [x, x + count)
    // of row `y`, each 0 (none) to 255 (all of the pixel); `alone` when no
    // other style covers any pixel of the row.
    class Sink {
    public:
        virtual ~Sink() = default;
        virtual void span(int style, int y, int x, int count, const uint8_t *coverage, bool alone) = 0;
    };

    // Only the pixels of `area` are worked out; `samples` (1..16) points a
    // pixel side; `nonZero` picks the non-zero winding rule over even-odd.
    Rasterizer(const QRect &area, int samples, bool nonZero);

    // An edge with style `left` on its left and `right` on its right when
    // going from `from` to `to`; style 0 is none. Edges that are not finite
    // are ignored.
    void addEdge(QPointF from, QPointF to, int left, int right);
    bool empty() const { return edges.empty(); }
    // The pixels the edges touch, within the area.
    QRect bounds() const;

    // Sends the coverage row by row, top to bottom.
    void run(Sink &sink);

private:
    struct Edge {
        double y0, y1;    // top and bottom, y0 < y1
        double x0, slope; // x at y0, dx/dy
        int style;
        int dir;
    };
    struct Crossing {
        double x;
        int style;
        int dir;
    };
    struct Row {
        std::vector<int32_t> steps; // changes of the sample count from pixel to pixel
        int first = 0, last = -1;   // touched range, area-relative
        int style = 0;
    };
    void addOriented(QPointF from, QPointF to, int style, int dir);
    void sampleRow(double y, const std::vector<const Edge *> &active, bool oneStyle);
    void cover(int style, double from, double to);
    void flushRow(int y, Sink &sink);
    bool inside(int count) const { return nonZero ? count != 0 : (count & 1) != 0; }

    QRect area;
    int samples;
    bool nonZero;
    std::vector<Edge> edges;
    double minX, minY, maxX, maxY;
    int maxStyle = 0;

    // Working state of run().
    std::vector<Crossing> crossings;
    std::vector<int> counts;      // per style
    std::vector<int> insideStyles; // styles enclosing the current point, ascending
    std::vector<int> rowOf;       // per style: index into rows, or -1
    std::vector<Row> rows;
    size_t rowsUsed = 0;
    std::vector<uint8_t> alpha;
};

}
