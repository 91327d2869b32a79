#include "SwfStroker.h"

#include "SwfCurve.h"

#include <cmath>
#include <numbers>

namespace swf {

namespace {
QPointF unit(QPointF v)
{
    double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF();
}

QPointF leftNormal(QPointF direction)
{
    return QPointF(-direction.y(), direction.x());
}

double cross(QPointF a, QPointF b)
{
    return a.x() * b.y() - a.y() * b.x();
}

double dotProduct(QPointF a, QPointF b)
{
    return a.x() * b.x() + a.y() * b.y();
}

// The directions a segment leaves its start and reaches its end in.
QPointF startDirection(const Segment &s)
{
    return unit(s.curve && s.control != s.from ? s.control - s.from : s.to - s.from);
}

QPointF endDirection(const Segment &s)
{
    return unit(s.curve && s.control != s.to ? s.to - s.control : s.to - s.from);
}

bool empty(const Segment &s)
{
    return s.from == s.to && (!s.curve || s.control == s.from);
}
}

Stroker::Stroker(Rasterizer &out, int style, const Pen &pen) : out(out), style(style), pen(pen), half(pen.width / 2)
{
}

void Stroker::stroke(const StrokePath &path)
{
    std::vector<Segment> segments;
    for (const Segment &s : path.segments)
        if (!empty(s) && std::isfinite(s.from.x()) && std::isfinite(s.to.x()) && std::isfinite(s.control.x()))
            segments.push_back(s);
    if (segments.empty()) {
        // A line of no length shows as its caps.
        if (!path.segments.empty()) {
            QPointF at = path.segments.front().from;
            if (pen.startCap == Qt::RoundCap)
                dot(at);
            else if (pen.startCap == Qt::SquareCap)
                polygon({at + QPointF(-half, -half), at + QPointF(half, -half), at + QPointF(half, half),
                         at + QPointF(-half, half)});
        }
        return;
    }
    for (const Segment &s : segments)
        band(s, 0);
    for (size_t i = 1; i < segments.size(); ++i)
        join(segments[i].from, endDirection(segments[i - 1]), startDirection(segments[i]));
    if (path.closed) {
        join(segments.front().from, endDirection(segments.back()), startDirection(segments.front()));
    } else {
        cap(segments.front().from, -startDirection(segments.front()), pen.startCap);
        cap(segments.back().to, endDirection(segments.back()), pen.endCap);
    }
}

void Stroker::polygon(std::vector<QPointF> points)
{
    double area = 0;
    for (size_t i = 0; i < points.size(); ++i)
        area += cross(points[i], points[(i + 1) % points.size()]);
    if (area < 0)
        std::reverse(points.begin(), points.end());
    for (size_t i = 0; i < points.size(); ++i)
        out.addEdge(points[i], points[(i + 1) % points.size()], 0, style);
}

void Stroker::dot(QPointF centre)
{
    // Enough sides that the polygon strays from the circle by under a tenth of a pixel.
    double step = half > 0.05 ? 2 * std::acos(std::max(-1.0, 1 - 0.1 / half)) : std::numbers::pi / 4;
    int sides = std::clamp(int(std::ceil(2 * std::numbers::pi / step)), 8, 256);
    std::vector<QPointF> points;
    for (int i = 0; i < sides; ++i) {
        double angle = 2 * std::numbers::pi * i / sides;
        points.push_back(centre + half * QPointF(std::cos(angle), std::sin(angle)));
    }
    polygon(std::move(points));
}

void Stroker::cap(QPointF at, QPointF outward, Qt::PenCapStyle style)
{
    if (style == Qt::RoundCap) {
        dot(at);
    } else if (style == Qt::SquareCap) {
        QPointF side = leftNormal(outward) * half, ahead = outward * half;
        polygon({at + side, at + side + ahead, at - side + ahead, at - side});
    }
}

// The band along a segment. A curve's sides are the curves through its
// ends moved out by half the width, meeting where their end tangents meet;
// a curve that turns a lot is halved first so that this stays close.
void Stroker::band(const Segment &s, int depth)
{
    QPointF in = startDirection(s), outDir = endDirection(s);
    if (!s.curve) {
        QPointF side = leftNormal(in) * half;
        polygon({s.from + side, s.to + side, s.to - side, s.from - side});
        return;
    }
    // Halving turns of over 50 degrees; not 45, which circles are made of.
    if (dotProduct(in, outDir) < std::cos(50 * std::numbers::pi / 180) && depth < 6) {
        QPointF c1 = (s.from + s.control) / 2, c2 = (s.control + s.to) / 2, middle = (c1 + c2) / 2;
        band({s.from, c1, middle, true}, depth + 1);
        band({middle, c2, s.to, true}, depth + 1);
        return;
    }
    auto offset = [&](double side) {
        QPointF na = leftNormal(in) * (half * side), nb = leftNormal(outDir) * (half * side);
        QPointF a = s.from + na, b = s.to + nb;
        double turn = cross(in, outDir);
        QPointF control = std::abs(turn) > 1e-9 ? a + in * (cross(b - a, outDir) / turn)
                                                : (a + b) / 2;
        return Segment{a, control, b, true};
    };
    Segment left = offset(1), right = offset(-1);
    std::vector<QPointF> points;
    int steps = curveSteps(left.from, left.control, left.to);
    for (int i = 0; i <= steps; ++i)
        points.push_back(curvePoint(left.from, left.control, left.to, double(i) / steps));
    steps = curveSteps(right.from, right.control, right.to);
    for (int i = steps; i >= 0; --i)
        points.push_back(curvePoint(right.from, right.control, right.to, double(i) / steps));
    polygon(std::move(points));
}

void Stroker::join(QPointF at, QPointF in, QPointF outDir)
{
    double turn = cross(in, outDir);
    if (std::abs(turn) < 1e-9 && dotProduct(in, outDir) > 0)
        return; // straight on: the bands meet without a gap
    if (pen.join == Qt::RoundJoin) {
        dot(at);
        return;
    }
    // The gap opens on the side away from the turn.
    double outward = turn > 0 ? -1 : 1;
    QPointF na = leftNormal(in) * (half * outward), nb = leftNormal(outDir) * (half * outward);
    if (pen.join == Qt::MiterJoin) {
        double cosHalf = std::sqrt(std::max(0.0, (1 + dotProduct(in, outDir)) / 2));
        if (cosHalf > 0 && 1 / cosHalf <= pen.miterLimit) {
            QPointF tip = at + unit(na + nb) * (half / cosHalf);
            polygon({at, at + na, tip, at + nb});
            return;
        }
    }
    polygon({at, at + na, at + nb});
}

}
