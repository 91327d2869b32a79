#include "SwfRasterizer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace swf {

Rasterizer::Rasterizer(const QRect &area, int samples, bool nonZero)
    : area(area), samples(std::clamp(samples, 1, 16)), nonZero(nonZero),
      minX(std::numeric_limits<double>::max()), minY(minX), maxX(-minX), maxY(-minX)
{
}

namespace {
QPointF snapped(QPointF p)
{
    constexpr double grid = 1024;
    return QPointF(std::round(std::clamp(p.x(), -1e9, 1e9) * grid) / grid,
                   std::round(std::clamp(p.y(), -1e9, 1e9) * grid) / grid);
}
}

void Rasterizer::addEdge(QPointF from, QPointF to, int left, int right)
{
    if (left == right || !std::isfinite(from.x()) || !std::isfinite(from.y()) || !std::isfinite(to.x())
        || !std::isfinite(to.y()))
        return;
    // Points are kept to a 1/1024 pixel grid, as a fixed-point rasterizer
    // keeps them: an edge meant to lie exactly on a sample (a one-pixel line
    // centred on a pixel's edge) then does, whatever rounding the arithmetic
    // that placed it left behind.
    from = snapped(from);
    to = snapped(to);
    if (right > 0)
        addOriented(from, to, right, 1);
    if (left > 0)
        addOriented(from, to, left, -1);
}

void Rasterizer::addOriented(QPointF from, QPointF to, int style, int dir)
{
    minX = std::min({minX, from.x(), to.x()});
    maxX = std::max({maxX, from.x(), to.x()});
    minY = std::min({minY, from.y(), to.y()});
    maxY = std::max({maxY, from.y(), to.y()});
    if (from.y() == to.y())
        return; // a level edge crosses no row of samples
    if (from.y() > to.y()) {
        std::swap(from, to);
        dir = -dir;
    }
    double slope = (to.x() - from.x()) / (to.y() - from.y());
    edges.push_back({from.y(), to.y(), from.x(), slope, style, dir});
    maxStyle = std::max(maxStyle, style);
}

QRect Rasterizer::bounds() const
{
    if (edges.empty())
        return QRect();
    auto clampToInt = [](double v) { return int(std::clamp(v, -1e9, 1e9)); };
    QRect touched(QPoint(clampToInt(std::floor(minX)), clampToInt(std::floor(minY))),
                  QPoint(clampToInt(std::ceil(maxX)), clampToInt(std::ceil(maxY))));
    return touched.intersected(area);
}

void Rasterizer::run(Sink &sink)
{
    QRect rowsToDo = bounds();
    if (rowsToDo.isEmpty())
        return;
    std::sort(edges.begin(), edges.end(), [](const Edge &a, const Edge &b) { return a.y0 < b.y0; });
    counts.assign(size_t(maxStyle) + 1, 0);
    rowOf.assign(size_t(maxStyle) + 1, -1);
    alpha.resize(size_t(area.width()));
    insideStyles.clear();
    rowsUsed = 0;

    bool oneStyle = std::all_of(edges.begin(), edges.end(), [&](const Edge &e) { return e.style == edges[0].style; });
    std::vector<const Edge *> active;
    size_t next = 0;
    for (int y = rowsToDo.top(); y <= rowsToDo.bottom(); ++y) {
        for (int k = 0; k < samples; ++k) {
            double sampleY = y + (k + 0.5) / samples;
            while (next < edges.size() && edges[next].y0 <= sampleY)
                active.push_back(&edges[next++]);
            std::erase_if(active, [&](const Edge *e) { return e->y1 <= sampleY; });
            sampleRow(sampleY, active, oneStyle);
        }
        flushRow(y, sink);
        if (active.empty() && next == edges.size())
            break;
    }
}

// Walks one row of samples from left to right, handing the stretch between
// two crossings to the style that owns it.
void Rasterizer::sampleRow(double y, const std::vector<const Edge *> &active, bool oneStyle)
{
    crossings.clear();
    for (const Edge *e : active) {
        Crossing c{e->x0 + (y - e->y0) * e->slope, e->style, e->dir};
        // Crossings come nearly in order from row to row: insert each in place.
        size_t at = crossings.size();
        crossings.push_back(c);
        for (; at > 0 && crossings[at - 1].x > c.x; --at)
            crossings[at] = crossings[at - 1];
        crossings[at] = c;
    }
    if (oneStyle) {
        int count = 0;
        double from = 0;
        for (const Crossing &c : crossings) {
            if (inside(count))
                cover(c.style, from, c.x);
            count += c.dir;
            from = c.x;
        }
        return;
    }
    double from = 0;
    for (const Crossing &c : crossings) {
        if (!insideStyles.empty())
            cover(insideStyles.back(), from, c.x);
        int &count = counts[size_t(c.style)];
        bool was = inside(count);
        count += c.dir;
        bool is = inside(count);
        if (was != is) {
            auto at = std::lower_bound(insideStyles.begin(), insideStyles.end(), c.style);
            if (is)
                insideStyles.insert(at, c.style);
            else
                insideStyles.erase(at);
        }
        from = c.x;
    }
    // An unclosed outline can leave a style open at the end of the row.
    for (const Crossing &c : crossings)
        counts[size_t(c.style)] = 0;
    insideStyles.clear();
}

// Counts the samples of the row whose centres lie in [from, to) for `style`,
// as steps up and down that the row's end adds up.
void Rasterizer::cover(int style, double from, double to)
{
    const int n = samples;
    const double left = double(area.left()) * n;
    const double limit = double(area.width()) * n;
    double first = std::clamp(std::ceil(from * n - 0.5) - left, 0.0, limit);
    double end = std::clamp(std::ceil(to * n - 0.5) - left, 0.0, limit);
    if (end <= first)
        return;
    int j = int(first), stop = int(end);

    int slot = rowOf[size_t(style)];
    if (slot < 0) {
        if (rowsUsed == rows.size())
            rows.emplace_back().steps.assign(size_t(area.width()) + 1, 0);
        slot = int(rowsUsed++);
        rowOf[size_t(style)] = slot;
        rows[size_t(slot)].style = style;
        rows[size_t(slot)].first = area.width();
        rows[size_t(slot)].last = -1;
    }
    Row &row = rows[size_t(slot)];
    int32_t *step = row.steps.data();
    int p = j / n, q = (stop - 1) / n;
    row.first = std::min(row.first, p);
    row.last = std::max(row.last, q);
    if (p == q) {
        step[p] += stop - j;
        step[p + 1] -= stop - j;
        return;
    }
    // A partial pixel at the start, whole pixels, a partial pixel at the end.
    int head = (p + 1) * n - j, tail = stop - q * n;
    step[p] += head;
    step[p + 1] += n - head;
    step[q] += tail - n;
    step[q + 1] -= tail;
}

void Rasterizer::flushRow(int y, Sink &sink)
{
    const int full = samples * samples;
    for (size_t s = 0; s < rowsUsed; ++s) {
        Row &row = rows[s];
        int32_t *step = row.steps.data();
        int value = 0;
        int start = -1;
        for (int x = row.first; x <= row.last + 1; ++x) {
            value += step[x];
            step[x] = 0;
            if (value > 0 && x <= row.last) {
                if (start < 0)
                    start = x;
                alpha[size_t(x - start)] = uint8_t((value * 255 + full - 1) / full);
            } else if (start >= 0) {
                sink.span(row.style, y, area.left() + start, x - start, alpha.data(), rowsUsed == 1);
                start = -1;
            }
        }
        rowOf[size_t(row.style)] = -1;
    }
    rowsUsed = 0;
}

}
