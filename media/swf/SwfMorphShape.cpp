#include "SwfMorphShape.h"

#include "SwfBitReader.h"
#include "SwfError.h"
#include "SwfTypes.h"

namespace swf {

namespace {

constexpr size_t kCachedRatios = 16;

void readMorphFill(BitReader &in, FillStyle &a, FillStyle &b)
{
    int type = in.u8();
    if (type == 0x00) {
        a.color = readRgba(in);
        b.color = readRgba(in);
    } else if (type == 0x10 || type == 0x12 || type == 0x13) {
        a.kind = b.kind = type == 0x10 ? FillStyle::LinearGradient : type == 0x12 ? FillStyle::RadialGradient : FillStyle::FocalGradient;
        a.matrix = readMatrix(in);
        b.matrix = readMatrix(in);
        in.align();
        a.spread = b.spread = gradientSpread(int(in.ub(2)));
        a.interpolation = b.interpolation = int(in.ub(2));
        int count = int(in.ub(4));
        for (int i = 0; i < count; ++i) {
            double ra = in.u8() / 255.0;
            QColor ca = readRgba(in);
            double rb = in.u8() / 255.0;
            QColor cb = readRgba(in);
            a.stops.append({ra, ca});
            b.stops.append({rb, cb});
        }
        if (type == 0x13) {
            a.focal = in.fixed8();
            b.focal = in.fixed8();
        }
    } else if (type >= 0x40 && type <= 0x43) {
        a.kind = b.kind = (type & 1) ? FillStyle::ClippedBitmap : FillStyle::RepeatingBitmap;
        a.smooth = b.smooth = type < 0x42;
        a.bitmapId = b.bitmapId = in.u16();
        a.matrix = readMatrix(in);
        b.matrix = readMatrix(in);
    } else {
        throw SwfError("unknown morph fill style");
    }
}

void readMorphLine(BitReader &in, int version, LineStyle &a, LineStyle &b)
{
    a.width = in.u16();
    b.width = in.u16();
    if (version >= 2) {
        int join = readLineFlags(in, a);
        if (join == 2)
            a.miterLimit = in.fixed8();
        // Both states share everything but the width, colour and fill.
        double endWidth = b.width;
        b = a;
        b.width = endWidth;
        if (a.hasFill) {
            readMorphFill(in, a.fill, b.fill);
            return;
        }
    }
    a.color = readRgba(in);
    b.color = readRgba(in);
}

double mix(double a, double b, double t)
{
    return a + (b - a) * t;
}

QPointF mix(const QPointF &a, const QPointF &b, double t)
{
    return a + (b - a) * t;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor(int(mix(a.red(), b.red(), t) + 0.5), int(mix(a.green(), b.green(), t) + 0.5),
                  int(mix(a.blue(), b.blue(), t) + 0.5), int(mix(a.alpha(), b.alpha(), t) + 0.5));
}

QTransform mix(const QTransform &a, const QTransform &b, double t)
{
    return QTransform(mix(a.m11(), b.m11(), t), mix(a.m12(), b.m12(), t), mix(a.m21(), b.m21(), t),
                      mix(a.m22(), b.m22(), t), mix(a.dx(), b.dx(), t), mix(a.dy(), b.dy(), t));
}

FillStyle mix(const FillStyle &a, const FillStyle &b, double t)
{
    FillStyle f = a;
    f.color = mix(a.color, b.color, t);
    f.matrix = mix(a.matrix, b.matrix, t);
    f.focal = mix(a.focal, b.focal, t);
    for (int i = 0; i < f.stops.size() && i < b.stops.size(); ++i)
        f.stops[i] = {mix(a.stops[i].first, b.stops[i].first, t), mix(a.stops[i].second, b.stops[i].second, t)};
    return f;
}

// A straight edge as a curve, so it can be paired with a curve.
Edge asCurve(const Edge &e)
{
    Edge c = e;
    if (!c.curve) {
        c.control = (e.from + e.to) / 2;
        c.curve = true;
    }
    return c;
}

}

MorphShape MorphShape::read(BitReader &in, int version)
{
    MorphShape m;
    m.start.bounds = readRect(in);
    m.end.bounds = readRect(in);
    if (version >= 2) {
        m.start.edgeBounds = readRect(in);
        m.end.edgeBounds = readRect(in);
        in.ub(6);
        m.start.nonScalingStrokes = m.end.nonScalingStrokes = in.ub(1);
        m.start.scalingStrokes = m.end.scalingStrokes = in.ub(1);
    }
    uint32_t offset = in.u32();
    size_t endEdges = in.position() + offset;
    m.start.layers.emplace_back();
    m.end.layers.emplace_back();
    ShapeLayer &a = m.start.layers.back();
    ShapeLayer &b = m.end.layers.back();
    int fills = in.u8();
    if (fills == 0xFF)
        fills = in.u16();
    a.fills.resize(size_t(fills));
    b.fills.resize(size_t(fills));
    for (int i = 0; i < fills; ++i)
        readMorphFill(in, a.fills[size_t(i)], b.fills[size_t(i)]);
    int lines = in.u8();
    if (lines == 0xFF)
        lines = in.u16();
    a.lines.resize(size_t(lines));
    b.lines.resize(size_t(lines));
    for (int i = 0; i < lines; ++i)
        readMorphLine(in, version, a.lines[size_t(i)], b.lines[size_t(i)]);
    readShapeRecords(in, 3, m.start.layers);
    // The end edges start where the offset says, which may be past padding.
    if (offset && endEdges > in.position() && endEdges - in.position() <= in.remaining())
        in.skip(endEdges - in.position());
    std::vector<ShapeLayer> endLayers(1);
    readShapeRecords(in, 3, endLayers);
    b.edges = std::move(endLayers.front().edges);
    if (m.start.layers.size() != 1 || a.edges.size() != b.edges.size())
        throw SwfError("morph shape start and end do not match");
    return m;
}

std::shared_ptr<const Shape> MorphShape::at(int ratio) const
{
    auto hit = cache.find(ratio);
    if (hit != cache.end())
        return hit->second;
    double t = ratio / 65535.0;
    const ShapeLayer &a = start.layers.front();
    const ShapeLayer &b = end.layers.front();
    auto shape = std::make_shared<Shape>();
    shape->bounds = QRectF(mix(start.bounds.topLeft(), end.bounds.topLeft(), t),
                           mix(start.bounds.bottomRight(), end.bounds.bottomRight(), t));
    ShapeLayer layer;
    for (size_t i = 0; i < a.fills.size(); ++i)
        layer.fills.push_back(mix(a.fills[i], b.fills[i], t));
    for (size_t i = 0; i < a.lines.size(); ++i) {
        LineStyle l = a.lines[i];
        l.width = mix(a.lines[i].width, b.lines[i].width, t);
        l.color = mix(a.lines[i].color, b.lines[i].color, t);
        l.fill = mix(a.lines[i].fill, b.lines[i].fill, t);
        layer.lines.push_back(l);
    }
    for (size_t i = 0; i < a.edges.size(); ++i) {
        const Edge &ea = a.edges[i];
        const Edge &eb = b.edges[i];
        Edge e = ea;
        if (ea.curve || eb.curve) {
            Edge ca = asCurve(ea), cb = asCurve(eb);
            e.curve = true;
            e.control = mix(ca.control, cb.control, t);
        }
        e.from = mix(ea.from, eb.from, t);
        e.to = mix(ea.to, eb.to, t);
        layer.edges.push_back(e);
    }
    shape->layers.push_back(std::move(layer));
    if (cache.size() >= kCachedRatios)
        cache.erase(cache.begin());
    cache.emplace(ratio, shape);
    return shape;
}

}
