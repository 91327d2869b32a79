// Shapes: the edge model (fills on either side of an edge, joined into
// closed paths), layers, lines, curves and gradients, checked against
// pictures drawn directly with QPainter.
#include "SwfTestUtil.h"
#include "SwfWriter.h"

#include <gtest/gtest.h>

using swfmake::Fill;
using swfmake::MovieWriter;
using swfmake::ShapeBuilder;

namespace {

constexpr int kTw = 20;
const QSize kSize(80, 80);

// One frame showing `shape` at the origin of an 80 x 80 stage on white.
QImage renderShape(const ShapeBuilder &shape, bool antialias = false, int version = 3)
{
    MovieWriter m(kSize.width(), kSize.height(), 12);
    m.setBackground(Qt::white);
    m.defineShape(1, shape, version);
    m.place({1, false, 1, QTransform(), {}, {}, {}, {}});
    m.showFrame();
    auto movie = swftest::load(m.finish());
    EXPECT_FALSE(movie->failed());
    return swftest::render(*swftest::at(movie, 0), kSize, antialias);
}

QImage blank()
{
    QImage image(kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// Pixels differing by more than `tolerance` in any channel.
int differences(const QImage &a, const QImage &b, int tolerance = 0)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) > tolerance || std::abs(p.green() - q.green()) > tolerance
                || std::abs(p.blue() - q.blue()) > tolerance)
                ++count;
        }
    return count;
}

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

void edge(ShapeBuilder &s, int fill0, int fill1, QPoint from, QPoint to)
{
    s.setStyles(fill0, fill1, 0);
    s.moveTo(from.x() * kTw, from.y() * kTw);
    s.lineTo(to.x() * kTw, to.y() * kTw);
}

}

TEST(SwfShapeEdges, FillOnTheRightOfOuterEdgesAndLeftOfInnerEdgesMakesAHole)
{
    ShapeBuilder s;
    int red = s.addFill(Fill::solid(Qt::red));
    s.setStyles(0, red, 0);
    s.rect(10 * kTw, 10 * kTw, 60 * kTw, 60 * kTw);
    // The hole runs the same way round but with the fill on its other side.
    s.setStyles(red, 0, 0);
    s.rect(30 * kTw, 30 * kTw, 20 * kTw, 20 * kTw);
    QImage expected = blank();
    QPainter p(&expected);
    p.fillRect(10, 10, 60, 60, Qt::red);
    p.fillRect(30, 30, 20, 20, Qt::white);
    p.end();
    EXPECT_EQ(differences(renderShape(s), expected), 0);
}

TEST(SwfShapeEdges, SharedEdgeSeparatesTwoFillsWithoutSeamInAnyEdgeOrder)
{
    // Left square red, right square blue; the middle edge carries both.
    struct E {
        int f0, f1;
        QPoint a, b;
    };
    std::vector<E> edges = {
        {0, 1, {0, 0}, {40, 0}},   {0, 2, {40, 0}, {80, 0}},   {0, 2, {80, 0}, {80, 40}},
        {0, 2, {80, 40}, {40, 40}}, {0, 1, {40, 40}, {0, 40}}, {0, 1, {0, 40}, {0, 0}},
        {2, 1, {40, 0}, {40, 40}},
    };
    QImage expected = blank();
    QPainter p(&expected);
    p.fillRect(0, 0, 40, 40, Qt::red);
    p.fillRect(40, 0, 40, 40, Qt::blue);
    p.end();
    for (std::vector<int> order : {std::vector<int>{0, 1, 2, 3, 4, 5, 6}, {6, 3, 0, 5, 1, 4, 2}, {2, 6, 4, 1, 5, 0, 3}}) {
        ShapeBuilder s;
        s.addFill(Fill::solid(Qt::red));
        s.addFill(Fill::solid(Qt::blue));
        for (int i : order)
            edge(s, edges[size_t(i)].f0, edges[size_t(i)].f1, edges[size_t(i)].a, edges[size_t(i)].b);
        EXPECT_EQ(differences(renderShape(s), expected), 0);
    }
}

TEST(SwfShapeEdges, ReversedEdgesOfTheSameFillCloseOneContour)
{
    // One square whose edges alternate between fill1 and reversed fill0.
    ShapeBuilder s;
    int green = s.addFill(Fill::solid(Qt::green));
    edge(s, 0, green, {10, 10}, {70, 10});
    edge(s, green, 0, {70, 70}, {70, 10});
    edge(s, 0, green, {70, 70}, {10, 70});
    edge(s, green, 0, {10, 10}, {10, 70});
    QImage expected = blank();
    QPainter p(&expected);
    p.fillRect(10, 10, 60, 60, Qt::green);
    p.end();
    EXPECT_EQ(differences(renderShape(s), expected), 0);
}

TEST(SwfShapeEdges, NewStylesStartALayerDrawnOverTheLast)
{
    ShapeBuilder s;
    int red = s.addFill(Fill::solid(Qt::red));
    s.setStyles(0, red, 0);
    s.rect(0, 0, 60 * kTw, 60 * kTw);
    s.newStyles();
    int blue = s.addFill(Fill::solid(Qt::blue));
    s.setStyles(0, blue, 0);
    s.rect(20 * kTw, 20 * kTw, 60 * kTw, 60 * kTw);
    QImage expected = blank();
    QPainter p(&expected);
    p.fillRect(0, 0, 60, 60, Qt::red);
    p.fillRect(20, 20, 60, 60, Qt::blue);
    p.end();
    EXPECT_EQ(differences(renderShape(s), expected), 0);
}

TEST(SwfShapeEdges, FillsComeInStyleOrderThenLines)
{
    ShapeBuilder s;
    int second = s.addFill(Fill::solid(Qt::blue));
    int first = s.addFill(Fill::solid(Qt::red));
    int line = s.addLine({4 * kTw, QColor(Qt::black), 0});
    // Style 2 (red) is written first but drawn after style 1 (blue).
    s.setStyles(0, first, 0);
    s.rect(0, 0, 50 * kTw, 50 * kTw);
    s.setStyles(0, second, 0);
    s.rect(30 * kTw, 30 * kTw, 50 * kTw, 50 * kTw);
    s.setStyles(0, 0, line);
    s.moveTo(0, 40 * kTw);
    s.lineTo(80 * kTw, 40 * kTw);
    QImage image = renderShape(s);
    EXPECT_EQ(image.pixelColor(40, 35), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(60, 60), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(10, 40), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(70, 41), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(70, 43), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(10, 37), QColor(Qt::red));
}

TEST(SwfShapeEdges, CurvedEdgesFollowTheQuadraticCurve)
{
    ShapeBuilder s;
    int red = s.addFill(Fill::solid(Qt::red));
    s.setStyles(0, red, 0);
    s.moveTo(10 * kTw, 70 * kTw);
    s.curveTo(40 * kTw, -10 * kTw, 70 * kTw, 70 * kTw);
    s.lineTo(10 * kTw, 70 * kTw);
    QImage expected = blank();
    QPainter p(&expected);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(10, 70);
    path.quadTo(40, -10, 70, 70);
    path.closeSubpath();
    p.fillPath(path, Qt::red);
    p.end();
    QImage image = renderShape(s, true);
    EXPECT_LE(differences(image, expected, 40), 4);
    EXPECT_EQ(image.pixelColor(40, 40), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(15, 30), QColor(Qt::white));
}

TEST(SwfShapeEdges, DefineShape4WindingRuleAndLineCaps)
{
    ShapeBuilder s;
    int red = s.addFill(Fill::solid(Qt::red));
    int line = s.addLine({6 * kTw, QColor(Qt::black), 2});
    s.setStyles(0, red, 0);
    s.rect(10 * kTw, 10 * kTw, 30 * kTw, 30 * kTw);
    s.setStyles(0, 0, line);
    s.moveTo(50 * kTw, 60 * kTw);
    s.lineTo(70 * kTw, 60 * kTw);
    QImage image = renderShape(s, false, 4);
    EXPECT_EQ(image.pixelColor(25, 25), QColor(Qt::red));
    // Square caps reach 3 pixels past the line's ends.
    EXPECT_EQ(image.pixelColor(48, 60), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(72, 60), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(74, 60), QColor(Qt::white));
}

TEST(SwfShapeGradients, LinearRunsFromFirstToLastStop)
{
    ShapeBuilder s;
    int g = s.addFill(Fill::linear({0, 0}, {80 * kTw, 0}, {{0, QColor(255, 0, 0)}, {255, QColor(0, 0, 255)}}));
    s.setStyles(0, g, 0);
    s.rect(0, 0, 80 * kTw, 80 * kTw);
    QImage image = renderShape(s, true);
    EXPECT_TRUE(near(image.pixelColor(0, 40), QColor(255, 0, 0), 8));
    EXPECT_TRUE(near(image.pixelColor(79, 40), QColor(0, 0, 255), 8));
    EXPECT_TRUE(near(image.pixelColor(40, 10), QColor(128, 0, 128), 10));
    EXPECT_EQ(image.pixelColor(40, 10), image.pixelColor(40, 70)) << "horizontal gradient is constant down a column";
}

TEST(SwfShapeGradients, RadialAndFocalCentreColours)
{
    for (double focal : {0.0, 0.5}) {
        ShapeBuilder s;
        int g = s.addFill(Fill::radial({40 * kTw, 40 * kTw}, 40 * kTw, {{0, QColor(255, 255, 0)}, {255, QColor(0, 128, 0)}}, focal));
        s.setStyles(0, g, 0);
        s.rect(0, 0, 80 * kTw, 80 * kTw);
        QImage image = renderShape(s, true);
        QPoint hot = focal == 0 ? QPoint(40, 40) : QPoint(60, 40);
        EXPECT_TRUE(near(image.pixelColor(hot), QColor(255, 255, 0), 12)) << focal;
        EXPECT_TRUE(near(image.pixelColor(1, 1), QColor(0, 128, 0), 8)) << "beyond the radius the last stop pads";
    }
}
