#include "SwfShape.h"

#include "SwfBitReader.h"
#include "SwfError.h"
#include "SwfTypes.h"

#include <map>
#include <utility>

namespace swf {

Qt::PenCapStyle capStyle(int cap)
{
    return cap == 1 ? Qt::FlatCap : cap == 2 ? Qt::SquareCap : Qt::RoundCap;
}

Qt::PenJoinStyle joinStyle(int join)
{
    return join == 1 ? Qt::BevelJoin : join == 2 ? Qt::MiterJoin : Qt::RoundJoin;
}

QGradient::Spread gradientSpread(int mode)
{
    switch (mode) {
    case 1:
        return QGradient::ReflectSpread;
    case 2:
        return QGradient::RepeatSpread;
    default:
        return QGradient::PadSpread;
    }
}

int readLineFlags(BitReader &in, LineStyle &line)
{
    line.cap = capStyle(int(in.ub(2)));
    int join = int(in.ub(2));
    line.join = joinStyle(join);
    line.hasFill = in.ub(1);
    line.noHScale = in.ub(1);
    line.noVScale = in.ub(1);
    line.pixelHinting = in.ub(1);
    in.ub(5);
    line.noClose = in.ub(1);
    line.endCap = capStyle(int(in.ub(2)));
    return join;
}

namespace {

QColor readColor(BitReader &in, int shapeVersion)
{
    return shapeVersion >= 3 ? readRgba(in) : readRgb(in);
}

int readStyleCount(BitReader &in, int shapeVersion)
{
    int count = in.u8();
    if (count == 0xFF && shapeVersion >= 2)
        count = in.u16();
    return count;
}

FillStyle readFillStyle(BitReader &in, int shapeVersion)
{
    FillStyle f;
    int type = in.u8();
    switch (type) {
    case 0x00:
        f.color = readColor(in, shapeVersion);
        break;
    case 0x10:
    case 0x12:
    case 0x13: {
        f.kind = type == 0x10 ? FillStyle::LinearGradient : type == 0x12 ? FillStyle::RadialGradient : FillStyle::FocalGradient;
        f.matrix = readMatrix(in);
        f.spread = gradientSpread(int(in.ub(2)));
        f.interpolation = int(in.ub(2));
        int count = int(in.ub(4));
        for (int i = 0; i < count; ++i) {
            double ratio = in.u8() / 255.0;
            f.stops.append({ratio, readColor(in, shapeVersion)});
        }
        if (f.kind == FillStyle::FocalGradient)
            f.focal = in.fixed8();
        break;
    }
    case 0x40:
    case 0x41:
    case 0x42:
    case 0x43:
        f.kind = (type & 1) ? FillStyle::ClippedBitmap : FillStyle::RepeatingBitmap;
        f.smooth = type < 0x42;
        f.bitmapId = in.u16();
        f.matrix = readMatrix(in);
        break;
    default:
        // The style's length is unknown, so nothing after it can be read.
        throw SwfError("unknown fill style");
    }
    return f;
}

LineStyle readLineStyle(BitReader &in, int shapeVersion)
{
    LineStyle l;
    l.width = in.u16();
    if (shapeVersion < 4) {
        l.color = readColor(in, shapeVersion);
        return l;
    }
    int join = readLineFlags(in, l);
    if (join == 2)
        l.miterLimit = in.fixed8();
    if (l.hasFill)
        l.fill = readFillStyle(in, shapeVersion);
    else
        l.color = readRgba(in);
    return l;
}

// Joins edges that meet end to start into contours. Edges arrive in file
// order; a contour follows any unused edge that starts where it ended.
QPainterPath joinEdges(const std::vector<Edge> &edges, Qt::FillRule rule)
{
    QPainterPath path;
    path.setFillRule(rule);
    std::multimap<std::pair<double, double>, size_t> byStart;
    for (size_t i = 0; i < edges.size(); ++i)
        byStart.emplace(std::make_pair(edges[i].from.x(), edges[i].from.y()), i);
    std::vector<bool> used(edges.size(), false);
    for (size_t first = 0; first < edges.size(); ++first) {
        if (used[first])
            continue;
        path.moveTo(edges[first].from);
        size_t i = first;
        for (;;) {
            const Edge &e = edges[i];
            used[i] = true;
            if (e.curve)
                path.quadTo(e.control, e.to);
            else
                path.lineTo(e.to);
            auto [begin, end] = byStart.equal_range({e.to.x(), e.to.y()});
            auto next = begin;
            while (next != end && used[next->second])
                ++next;
            if (next == end)
                break;
            i = next->second;
        }
        path.closeSubpath();
    }
    return path;
}

Edge reversed(const Edge &e)
{
    Edge r = e;
    std::swap(r.from, r.to);
    return r;
}

}

void readFillStyles(BitReader &in, int shapeVersion, std::vector<FillStyle> &fills)
{
    int count = readStyleCount(in, shapeVersion);
    for (int i = 0; i < count; ++i)
        fills.push_back(readFillStyle(in, shapeVersion));
}

void readLineStyles(BitReader &in, int shapeVersion, std::vector<LineStyle> &lines)
{
    int count = readStyleCount(in, shapeVersion);
    for (int i = 0; i < count; ++i)
        lines.push_back(readLineStyle(in, shapeVersion));
}

void readShapeRecords(BitReader &in, int shapeVersion, std::vector<ShapeLayer> &layers)
{
    in.align();
    int fillBits = int(in.ub(4));
    int lineBits = int(in.ub(4));
    QPointF pen;
    int fill0 = 0, fill1 = 0, line = 0;
    for (;;) {
        if (in.ub(1) == 0) {
            int flags = int(in.ub(5));
            if (flags == 0)
                break;
            if (flags & 0x01) {
                int bits = int(in.ub(5));
                double x = in.sb(bits);
                double y = in.sb(bits);
                pen = QPointF(x, y);
            }
            if (flags & 0x02)
                fill0 = int(in.ub(fillBits));
            if (flags & 0x04)
                fill1 = int(in.ub(fillBits));
            if (flags & 0x08)
                line = int(in.ub(lineBits));
            if ((flags & 0x10) && shapeVersion >= 2) {
                layers.emplace_back();
                readFillStyles(in, shapeVersion, layers.back().fills);
                readLineStyles(in, shapeVersion, layers.back().lines);
                fillBits = int(in.ub(4));
                lineBits = int(in.ub(4));
            }
            continue;
        }
        Edge e;
        e.fill0 = fill0;
        e.fill1 = fill1;
        e.line = line;
        e.from = pen;
        bool straight = in.ub(1);
        int bits = int(in.ub(4)) + 2;
        if (straight) {
            double dx = 0, dy = 0;
            if (in.ub(1)) {
                dx = in.sb(bits);
                dy = in.sb(bits);
            } else if (in.ub(1)) {
                dy = in.sb(bits);
            } else {
                dx = in.sb(bits);
            }
            e.to = pen + QPointF(dx, dy);
        } else {
            double cdx = in.sb(bits), cdy = in.sb(bits);
            double adx = in.sb(bits), ady = in.sb(bits);
            e.control = pen + QPointF(cdx, cdy);
            e.to = e.control + QPointF(adx, ady);
            e.curve = true;
        }
        pen = e.to;
        if (layers.empty())
            layers.emplace_back();
        layers.back().edges.push_back(e);
    }
}

Shape readShape(BitReader &in, int shapeVersion)
{
    Shape shape;
    shape.bounds = readRect(in);
    if (shapeVersion == 4) {
        shape.edgeBounds = readRect(in);
        in.ub(5);
        shape.windingFill = in.ub(1);
        shape.nonScalingStrokes = in.ub(1);
        shape.scalingStrokes = in.ub(1);
    }
    shape.layers.emplace_back();
    readFillStyles(in, shapeVersion, shape.layers.back().fills);
    readLineStyles(in, shapeVersion, shape.layers.back().lines);
    readShapeRecords(in, shapeVersion, shape.layers);
    return shape;
}

Shape readGlyph(BitReader &in)
{
    Shape glyph;
    glyph.layers.emplace_back();
    FillStyle solid;
    solid.color = Qt::black;
    glyph.layers.back().fills.push_back(solid);
    readShapeRecords(in, 1, glyph.layers);
    glyph.bounds = glyph.outline().boundingRect();
    return glyph;
}

QPainterPath fillPath(const ShapeLayer &layer, size_t style, Qt::FillRule rule)
{
    std::vector<Edge> edges;
    for (const Edge &e : layer.edges) {
        if (e.fill1 == int(style))
            edges.push_back(e);
        if (e.fill0 == int(style))
            edges.push_back(reversed(e));
    }
    return joinEdges(edges, rule);
}

const QPainterPath &Shape::outline() const
{
    if (!areaKnown) {
        Qt::FillRule rule = windingFill ? Qt::WindingFill : Qt::OddEvenFill;
        for (const ShapeLayer &layer : layers)
            for (size_t style = 1; style <= layer.fills.size(); ++style) {
                QPainterPath p = fillPath(layer, style, rule);
                if (!p.isEmpty())
                    area = area.isEmpty() ? p : area.united(p);
            }
        areaKnown = true;
    }
    return area;
}

}
