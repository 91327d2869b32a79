#include "PathShape.h"

#include <cmath>
#include <vector>

namespace swfmake {
namespace {

struct Cubic {
    QPointF p0, c1, c2, p3;
};

QPoint Twips(const QPointF &p)
{
    return {int(std::lround(p.x())), int(std::lround(p.y())), };
}

// Splits a cubic until a single quadratic control point fits each piece
// within Tolerance (twips), then emits the quadratics.
void AddCubic(ShapeBuilder &Shape, const Cubic &c, double Tolerance, int Depth)
{
    const QPointF fromStart = (3 * c.c1 - c.p0) / 2, fromEnd = (3 * c.c2 - c.p3) / 2;
    if (Depth >= 6 || QLineF(fromStart, fromEnd).length() <= Tolerance) {
        const QPoint control = Twips((fromStart + fromEnd) / 2), to = Twips(c.p3);
        Shape.curveTo(control.x(), control.y(), to.x(), to.y());
        return;
    }
    const QPointF a = (c.p0 + c.c1) / 2, b = (c.c1 + c.c2) / 2, d = (c.c2 + c.p3) / 2;
    const QPointF ab = (a + b) / 2, bd = (b + d) / 2, mid = (ab + bd) / 2;
    AddCubic(Shape, {c.p0, a, ab, mid}, Tolerance, Depth + 1);
    AddCubic(Shape, {mid, bd, d, c.p3}, Tolerance, Depth + 1);
}

// True when the area Filled covers lies to the left of the contour's first
// edge of some length (in screen terms, y down).
bool FilledOnLeft(const QPainterPath &Filled, const QPolygonF &Contour)
{
    for (int i = 0; i + 1 < Contour.size(); ++i) {
        const QLineF edge(Contour[i], Contour[i + 1]);
        if (edge.length() < 1e-6)
            continue;
        const QPointF middle = edge.center();
        const QPointF left(edge.dy() / edge.length(), -edge.dx() / edge.length());
        const double step = qMax(1e-3, edge.length() * 1e-3);
        return Filled.contains(middle + left * step);
    }
    return false;
}

} // namespace

void addPath(ShapeBuilder &Shape, const QPainterPath &Path, const QTransform &ToTwips, int Fill, int Line)
{
    // Merged contours: no two overlap, so each bounds filled area on one side.
    const QPainterPath merged = ToTwips.map(Path).simplified();
    const QList<QPolygonF> contours = merged.toSubpathPolygons();
    int contour = -1;
    for (int i = 0; i < merged.elementCount(); ++i) {
        const QPainterPath::Element e = merged.elementAt(i);
        if (e.isMoveTo()) {
            ++contour;
            const bool left = contour < contours.size() && FilledOnLeft(merged, contours[contour]);
            Shape.setStyles(left ? Fill : 0, left ? 0 : Fill, Line);
            const QPoint at = Twips(e);
            Shape.moveTo(at.x(), at.y());
        } else if (e.isLineTo()) {
            const QPoint at = Twips(e);
            Shape.lineTo(at.x(), at.y());
        } else if (e.isCurveTo()) {
            const QPointF from = merged.elementAt(i - 1);
            AddCubic(Shape, {from, e, merged.elementAt(i + 1), merged.elementAt(i + 2)}, 1.0, 0);
            i += 2;
        }
    }
}

void addFilledLayer(ShapeBuilder &Shape, const QPainterPath &Path, const QTransform &ToTwips, const QColor &Colour)
{
    // The first layer needs no new styles (a style change written with new
    // styles is read with the bit widths of the layer before, which has none).
    if (Shape.bounds() != QRect(0, 0, 0, 0))
        Shape.newStyles();
    addPath(Shape, Path, ToTwips, Shape.addFill(Fill::solid(Colour)));
}

}
