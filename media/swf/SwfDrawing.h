#pragma once
// What scripts draw into a clip with the drawing methods (beginFill,
// lineStyle, moveTo, lineTo, curveTo, endFill, clear), kept as a shape the
// shape painter draws like one from the file, beneath the clip's children.
// Each fill begun starts a layer drawn over the ones before; a fill is
// closed back to where each of its outlines began. Points are in twips.
#include "SwfShape.h"

#include <memory>
#include <optional>

namespace swf {

class Drawing {
public:
    // Edges beyond this are ignored, so a script drawing in a loop cannot
    // grow the clip without end.
    static constexpr size_t kMaxEdges = 200000;

    void beginFill(const FillStyle &fill);
    void endFill();
    // The line of the edges drawn next; nothing: no line.
    void lineStyle(const std::optional<LineStyle> &line);
    // The line set last, or null.
    const LineStyle *line() const { return lineNow ? &*lineNow : nullptr; }
    void moveTo(const QPointF &to);
    void lineTo(const QPointF &to);
    void curveTo(const QPointF &control, const QPointF &to);
    void clear();

    bool empty() const { return layers.empty() && current.edges.empty(); }
    // The shape drawn so far, the open fill closed. A new shape object after
    // each change, so pictures kept of the old one are not taken for it.
    std::shared_ptr<const Shape> shape() const;

private:
    void addEdge(const QPointF &control, const QPointF &to, bool curve);
    // Closes the outline being filled back to where it began.
    void closeOutline(ShapeLayer &layer) const;
    void finishLayer();
    void changed() { made.reset(); }

    std::vector<ShapeLayer> layers; // finished
    ShapeLayer current;
    bool filling = false;
    int lineIndex = 0; // of the current layer's line style, counted from 1
    std::optional<LineStyle> lineNow;
    QPointF pen, outlineStart;
    size_t edgeCount = 0;
    mutable std::shared_ptr<const Shape> made;
};

}
