// Scan conversion: which pixels a style covers without antialiasing (the
// pixel-centre rule), how much with it, fills sharing edges without seams,
// fill rules, overlapping styles and hostile edges.
#include "swf/SwfRasterizer.h"

#include <gtest/gtest.h>

#include <map>

using swf::Rasterizer;

namespace {

// Coverage per style and pixel, as the rasterizer hands it out.
struct Grid : Rasterizer::Sink {
    std::map<int, std::map<std::pair<int, int>, int>> cover;
    int spans = 0;
    void span(int style, int y, int x, int count, const uint8_t *coverage, bool) override
    {
        ++spans;
        for (int i = 0; i < count; ++i)
            cover[style][{x + i, y}] += coverage[i];
    }
    int at(int style, int x, int y) const
    {
        auto s = cover.find(style);
        if (s == cover.end())
            return 0;
        auto p = s->second.find({x, y});
        return p == s->second.end() ? 0 : p->second;
    }
    int pixels(int style) const
    {
        auto s = cover.find(style);
        return s == cover.end() ? 0 : int(s->second.size());
    }
};

// A closed polygon with `style` inside (its edges run clockwise on screen,
// so the inside is on their right).
void polygon(Rasterizer &r, std::vector<QPointF> points, int style)
{
    for (size_t i = 0; i < points.size(); ++i)
        r.addEdge(points[i], points[(i + 1) % points.size()], 0, style);
}

void rect(Rasterizer &r, double x0, double y0, double x1, double y1, int style)
{
    polygon(r, {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, style);
}

Grid run(Rasterizer &r)
{
    Grid grid;
    r.run(grid);
    return grid;
}

}

TEST(SwfRasterizer, AliasedFillsThePixelsWhoseCentresAreInside)
{
    Rasterizer r(QRect(0, 0, 20, 20), 1, false);
    rect(r, 2, 3, 6, 5, 1); // whole pixels: 2..5 by 3..4, nothing right or below
    rect(r, 10.5, 10.5, 12.49, 12.51, 2); // centres 10.5 and 11.5 in x, 10.5..12.5 in y
    Grid g = run(r);
    EXPECT_EQ(g.pixels(1), 4 * 2);
    EXPECT_EQ(g.at(1, 2, 3), 255);
    EXPECT_EQ(g.at(1, 5, 4), 255);
    EXPECT_EQ(g.at(1, 6, 4), 0) << "the right edge does not take the next column";
    EXPECT_EQ(g.at(1, 5, 5), 0) << "the bottom edge does not take the next row";
    EXPECT_EQ(g.pixels(2), 2 * 3);
    EXPECT_EQ(g.at(2, 10, 10), 255) << "a centre on the left or top edge is inside";
    EXPECT_EQ(g.at(2, 12, 12), 0);
    EXPECT_EQ(g.at(2, 11, 12), 255);
}

TEST(SwfRasterizer, CentresOnAnEdgeSurviveRoundingErrors)
{
    // A one-pixel band centred on y = 286, placed by arithmetic that left
    // its edges a hair off the row centres 285.5 and 286.5: the band takes
    // row 285 as an exact one would.
    Rasterizer r(QRect(0, 280, 10, 10), 1, false);
    rect(r, 0, 285.5 + 1e-12, 10, 286.5 + 1e-12, 1);
    Grid g = run(r);
    EXPECT_EQ(g.at(1, 3, 285), 255);
    EXPECT_EQ(g.at(1, 3, 286), 0);
}

TEST(SwfRasterizer, AliasedDiagonalFollowsTheCentres)
{
    // A right triangle below the line y = x: pixel (x, y) is in when x + 0.5 < y + 0.5.
    Rasterizer r(QRect(0, 0, 10, 10), 1, false);
    polygon(r, {{0, 0}, {10, 10}, {0, 10}}, 1);
    Grid g = run(r);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(g.at(1, x, y), x < y ? 255 : 0) << x << "," << y;
}

TEST(SwfRasterizer, AntialiasedCoverageCountsSamples)
{
    // 4 x 4 samples: an edge a quarter into a pixel leaves three columns of four.
    Rasterizer r(QRect(0, 0, 10, 10), 4, false);
    rect(r, 2.25, 2, 5, 2.5, 1);
    Grid g = run(r);
    EXPECT_EQ(g.at(1, 2, 2), (3 * 2 * 255 + 15) / 16) << "3 columns of 2 rows";
    EXPECT_EQ(g.at(1, 3, 2), (4 * 2 * 255 + 15) / 16);
    EXPECT_EQ(g.at(1, 5, 2), 0);
}

TEST(SwfRasterizer, NeighbouringFillsShareEdgePixelsWithoutSeam)
{
    // A square split along its diagonal between two styles: every pixel is
    // covered exactly once in all.
    Rasterizer r(QRect(0, 0, 12, 12), 4, false);
    r.addEdge({1, 1}, {11, 1}, 0, 1);
    r.addEdge({11, 1}, {11, 11}, 0, 1);
    r.addEdge({11, 11}, {1, 1}, 2, 1); // the shared edge: style 2 on its left, 1 on its right
    r.addEdge({11, 11}, {1, 11}, 0, 2);
    r.addEdge({1, 11}, {1, 1}, 0, 2);
    Grid g = run(r);
    int split = 0;
    for (int y = 1; y < 11; ++y)
        for (int x = 1; x < 11; ++x) {
            int a = g.at(1, x, y), b = g.at(2, x, y);
            if (a && b)
                ++split;
            EXPECT_NEAR(a + b, 255, 1) << x << "," << y;
        }
    EXPECT_GT(split, 5) << "the diagonal pixels are shared";
}

TEST(SwfRasterizer, HigherStyleWinsWhereStylesOverlap)
{
    Rasterizer r(QRect(0, 0, 10, 10), 1, false);
    rect(r, 0, 0, 6, 6, 2);
    rect(r, 3, 3, 9, 9, 1);
    Grid g = run(r);
    EXPECT_EQ(g.at(2, 4, 4), 255);
    EXPECT_EQ(g.at(1, 4, 4), 0);
    EXPECT_EQ(g.at(1, 7, 7), 255);
}

TEST(SwfRasterizer, EvenOddAndNonZeroRules)
{
    for (bool nonZero : {false, true}) {
        Rasterizer r(QRect(0, 0, 10, 10), 1, nonZero);
        rect(r, 0, 0, 6, 6, 1);
        rect(r, 3, 3, 9, 9, 1); // same direction: the overlap winds twice
        Grid g = run(r);
        EXPECT_EQ(g.at(1, 4, 4), nonZero ? 255 : 0) << nonZero;
        EXPECT_EQ(g.at(1, 1, 1), 255);
        EXPECT_EQ(g.at(1, 8, 8), 255);
    }
}

TEST(SwfRasterizer, EdgesWithTheSameStyleOnBothSidesDrawNothing)
{
    Rasterizer r(QRect(0, 0, 10, 10), 1, false);
    r.addEdge({2, 0}, {2, 10}, 1, 1);
    EXPECT_TRUE(r.empty());
}

TEST(SwfRasterizer, OnlyTheAreaIsWorkedOut)
{
    Rasterizer r(QRect(5, 5, 4, 4), 1, false);
    rect(r, -1e6, -1e6, 1e6, 1e6, 1);
    Grid g = run(r);
    EXPECT_EQ(g.pixels(1), 16);
    EXPECT_EQ(g.at(1, 5, 5), 255);
    EXPECT_EQ(g.at(1, 9, 9), 0);
}

TEST(SwfRasterizer, BrokenOutlinesStayWithinTheirRows)
{
    Rasterizer r(QRect(0, 0, 10, 10), 1, false);
    r.addEdge({2, 0}, {2, 5}, 0, 1); // enters, never leaves: nothing to fill
    r.addEdge({0, std::nan("")}, {5, 5}, 0, 1);
    r.addEdge({0, 0}, {std::numeric_limits<double>::infinity(), 5}, 0, 1);
    rect(r, 6, 6, 8, 8, 1);
    Grid g = run(r);
    EXPECT_EQ(g.pixels(1), 4) << "the open edge leaves no style behind for later rows";
}
