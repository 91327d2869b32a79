#include "SwfDrawing.h"

#include <atomic>

namespace swf {

void Drawing::finishLayer()
{
    if (filling)
        closeOutline(current);
    if (!current.edges.empty())
        layers.push_back(std::move(current));
    current = ShapeLayer();
    filling = false;
    lineIndex = 0;
    if (lineNow) {
        current.lines.push_back(*lineNow);
        lineIndex = 1;
    }
}

void Drawing::beginFill(const FillStyle &fill)
{
    finishLayer();
    current.fills.push_back(fill);
    filling = true;
    outlineStart = pen;
    changed();
}

void Drawing::endFill()
{
    if (!filling)
        return;
    finishLayer();
    changed();
}

void Drawing::lineStyle(const std::optional<LineStyle> &style)
{
    lineNow = style;
    if (style) {
        current.lines.push_back(*style);
        lineIndex = int(current.lines.size());
    } else {
        lineIndex = 0;
    }
}

void Drawing::closeOutline(ShapeLayer &layer) const
{
    if (pen != outlineStart)
        layer.edges.push_back(Edge{pen, pen, outlineStart, false, 0, 1, 0});
}

void Drawing::moveTo(const QPointF &to)
{
    if (filling) {
        closeOutline(current);
        changed();
    }
    pen = outlineStart = to;
}

void Drawing::addEdge(const QPointF &control, const QPointF &to, bool curve)
{
    if ((filling || lineIndex) && edgeCount < kMaxEdges) {
        current.edges.push_back(Edge{pen, control, to, curve, 0, filling ? 1 : 0, lineIndex});
        ++edgeCount;
        changed();
    }
    pen = to;
}

void Drawing::lineTo(const QPointF &to)
{
    addEdge(to, to, false);
}

void Drawing::curveTo(const QPointF &control, const QPointF &to)
{
    addEdge(control, to, true);
}

void Drawing::clear()
{
    layers.clear();
    current = ShapeLayer();
    filling = false;
    lineIndex = 0;
    lineNow.reset();
    pen = outlineStart = QPointF();
    edgeCount = 0;
    changed();
}

std::shared_ptr<const Shape> Drawing::shape() const
{
    if (made)
        return made;
    static std::atomic<uint64_t> serials{0};
    auto shape = std::make_shared<Shape>();
    shape->serial = ++serials;
    shape->layers = layers;
    shape->layers.push_back(current);
    if (filling)
        closeOutline(shape->layers.back());
    QRectF bounds, edgeBounds;
    for (const ShapeLayer &layer : shape->layers)
        for (const Edge &e : layer.edges) {
            QRectF box = QRectF(e.from, e.to).normalized();
            if (e.curve)
                box |= QRectF(e.control, e.control);
            edgeBounds = edgeBounds.isNull() ? box : edgeBounds | box;
            if (e.line) {
                const double half = layer.lines[size_t(e.line - 1)].width / 2;
                box.adjust(-half, -half, half, half);
            }
            bounds = bounds.isNull() ? box : bounds | box;
        }
    shape->bounds = bounds;
    shape->edgeBounds = edgeBounds;
    made = shape;
    return made;
}

}
