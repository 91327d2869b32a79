// Lines as areas: widths, the three caps, joins and the miter limit,
// closed runs, dots for lines of no length, curves.
#include "swf/SwfRasterizer.h"
#include "swf/SwfStroker.h"

#include <gtest/gtest.h>

#include <map>

using swf::Pen;
using swf::Rasterizer;
using swf::Segment;
using swf::StrokePath;

namespace {

// The pixels a stroke covers, without antialiasing.
struct Pixels : Rasterizer::Sink {
    std::map<std::pair<int, int>, int> cover;
    void span(int, int y, int x, int count, const uint8_t *coverage, bool) override
    {
        for (int i = 0; i < count; ++i)
            cover[{x + i, y}] += coverage[i];
    }
    bool has(int x, int y) const { return cover.count({x, y}) > 0; }
};

Pixels stroke(const StrokePath &path, const Pen &pen)
{
    Rasterizer r(QRect(0, 0, 40, 40), 1, true);
    swf::Stroker(r, 1, pen).stroke(path);
    Pixels p;
    r.run(p);
    return p;
}

StrokePath line(std::vector<QPointF> points, bool closed = false)
{
    StrokePath path;
    for (size_t i = 1; i < points.size(); ++i)
        path.segments.push_back({points[i - 1], {}, points[i], false});
    path.closed = closed;
    return path;
}

Pen pen(double width, Qt::PenCapStyle cap, Qt::PenJoinStyle join = Qt::RoundJoin)
{
    Pen p;
    p.width = width;
    p.startCap = p.endCap = cap;
    p.join = join;
    return p;
}

}

TEST(SwfStroker, WidthIsCentredOnTheLine)
{
    Pixels p = stroke(line({{10, 20}, {30, 20}}), pen(4, Qt::FlatCap));
    for (int y = 15; y < 25; ++y)
        EXPECT_EQ(p.has(20, y), y >= 18 && y < 22) << y;
    EXPECT_FALSE(p.has(9, 20)) << "flat caps stop at the ends";
    EXPECT_FALSE(p.has(30, 20));
    EXPECT_TRUE(p.has(29, 20));
}

TEST(SwfStroker, CapsReachPastTheEnds)
{
    Pixels square = stroke(line({{10, 20}, {30, 20}}), pen(4, Qt::SquareCap));
    EXPECT_TRUE(square.has(8, 18)) << "a square cap reaches half the width, corners included";
    EXPECT_TRUE(square.has(31, 21));
    EXPECT_FALSE(square.has(7, 20));

    Pixels round = stroke(line({{10, 20}, {30, 20}}), pen(4, Qt::RoundCap));
    EXPECT_TRUE(round.has(8, 20)) << "a round cap reaches half the width straight ahead";
    EXPECT_FALSE(round.has(8, 18)) << "but not at its corners";
}

TEST(SwfStroker, StartAndEndCapsDiffer)
{
    Pen p = pen(4, Qt::SquareCap);
    p.endCap = Qt::FlatCap;
    Pixels pixels = stroke(line({{10, 20}, {30, 20}}), p);
    EXPECT_TRUE(pixels.has(8, 20));
    EXPECT_FALSE(pixels.has(30, 20));
}

TEST(SwfStroker, JoinsAndTheMiterLimit)
{
    // A right angle at (20, 20): the outside corner is (22, 18).
    auto corner = line({{5, 20}, {20, 20}, {20, 35}});
    EXPECT_TRUE(stroke(corner, pen(4, Qt::FlatCap, Qt::MiterJoin)).has(21, 18)) << "a miter fills the corner";
    EXPECT_FALSE(stroke(corner, pen(4, Qt::FlatCap, Qt::BevelJoin)).has(21, 18)) << "a bevel cuts it";
    EXPECT_FALSE(stroke(corner, pen(4, Qt::FlatCap, Qt::RoundJoin)).has(21, 18)) << "a round join rounds it";
    EXPECT_TRUE(stroke(corner, pen(4, Qt::FlatCap, Qt::RoundJoin)).has(21, 19));

    // A sharp turn whose miter would reach far past the limit is bevelled.
    auto sharp = line({{5, 20}, {30, 20}, {5, 23}});
    Pen limited = pen(2, Qt::FlatCap, Qt::MiterJoin);
    limited.miterLimit = 3;
    EXPECT_FALSE(stroke(sharp, limited).has(34, 19));
    limited.miterLimit = 100;
    EXPECT_TRUE(stroke(sharp, limited).has(34, 19));
}

TEST(SwfStroker, ClosedRunsJoinWhereTheyStarted)
{
    auto square = line({{10, 10}, {30, 10}, {30, 30}, {10, 30}, {10, 10}}, true);
    auto open = square;
    open.closed = false;
    Pen p = pen(4, Qt::FlatCap, Qt::MiterJoin);
    EXPECT_TRUE(stroke(square, p).has(8, 8)) << "the first corner is mitred";
    EXPECT_FALSE(stroke(open, p).has(8, 8)) << "an open run gets flat caps there instead";
}

TEST(SwfStroker, LinesOfNoLengthAreDots)
{
    StrokePath point;
    point.segments.push_back({{20, 20}, {}, {20, 20}, false});
    EXPECT_TRUE(stroke(point, pen(6, Qt::RoundCap)).has(18, 20));
    EXPECT_TRUE(stroke(point, pen(6, Qt::SquareCap)).has(17, 17));
    EXPECT_TRUE(stroke(point, pen(6, Qt::FlatCap)).cover.empty());
}

TEST(SwfStroker, CurvesKeepTheirWidth)
{
    // A half circle of radius 10 round (20, 20) from (10, 20) to (30, 20) as two curves.
    StrokePath arc;
    arc.segments.push_back({{10, 20}, {10, 10}, {20, 10}, true});
    arc.segments.push_back({{20, 10}, {30, 10}, {30, 20}, true});
    Pixels p = stroke(arc, pen(4, Qt::FlatCap));
    EXPECT_TRUE(p.has(20, 9));
    EXPECT_TRUE(p.has(20, 11));
    EXPECT_FALSE(p.has(20, 13));
    EXPECT_FALSE(p.has(20, 6));
    EXPECT_TRUE(p.has(13, 13)) << "the band follows the bend";
    EXPECT_FALSE(p.has(20, 20));
}
