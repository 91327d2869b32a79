// Painting shapes: fill edges on exactly the pixels the player fills,
// fills meeting without seams, layers, line widths as objects and the stage
// scale them, and kept pictures drawn where they belong.
#include "swf/SwfMovie.h"
#include "swf/SwfShape.h"
#include "swf/SwfShapePainter.h"

#include <QPainter>
#include <gtest/gtest.h>

using swf::Edge;
using swf::FillStyle;
using swf::LineStyle;
using swf::Shape;
using swf::ShapeLayer;

namespace {

constexpr double kTw = 20;

FillStyle solid(const QColor &c)
{
    FillStyle f;
    f.color = c;
    return f;
}

void edge(ShapeLayer &layer, QPointF from, QPointF to, int fill0, int fill1, int line = 0)
{
    Edge e;
    e.from = from * kTw;
    e.to = to * kTw;
    e.fill0 = fill0;
    e.fill1 = fill1;
    e.line = line;
    layer.edges.push_back(e);
}

// A rectangle in pixels, clockwise, with `fill` inside and `line` along it.
void rect(ShapeLayer &layer, QRectF r, int fill, int line = 0)
{
    edge(layer, r.topLeft(), r.topRight(), 0, fill, line);
    edge(layer, r.topRight(), r.bottomRight(), 0, fill, line);
    edge(layer, r.bottomRight(), r.bottomLeft(), 0, fill, line);
    edge(layer, r.bottomLeft(), r.topLeft(), 0, fill, line);
}

Shape shapeOf(std::vector<ShapeLayer> layers, QRectF boundsPx)
{
    Shape s;
    s.layers = std::move(layers);
    s.bounds = QRectF(boundsPx.topLeft() * kTw, boundsPx.bottomRight() * kTw);
    return s;
}

QImage draw(const Shape &shape, int samples, const QTransform &world = QTransform::fromScale(1 / kTw, 1 / kTw),
            QSize size = QSize(40, 40))
{
    swf::Movie movie;
    swf::ShapePainter painter(movie);
    painter.setSamples(samples);
    painter.setStage(QTransform::fromScale(1 / kTw, 1 / kTw));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    painter.draw(p, shape, world, {});
    p.end();
    return image;
}

int count(const QImage &image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

// Rows of `image` at column `x` that are not black.
int thickness(const QImage &image, int x)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += image.pixel(x, y) != qRgb(0, 0, 0);
    return n;
}

}

TEST(SwfShapePainter, FillCoversExactlyItsPixelsWithoutAntialiasing)
{
    ShapeLayer layer;
    layer.fills = {solid(Qt::red)};
    rect(layer, QRectF(10, 10, 10, 10), 1);
    QImage image = draw(shapeOf({layer}, QRectF(10, 10, 10, 10)), 1);
    EXPECT_EQ(count(image, qRgb(255, 0, 0)), 100) << "no extra column or row at the right and bottom";
    EXPECT_EQ(image.pixel(19, 19), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(20, 15), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(15, 20), qRgb(0, 0, 0));
}

TEST(SwfShapePainter, FillsMeetingAtAnEdgeLeaveNoSeam)
{
    // White on both sides of a diagonal over black: antialiased edge pixels
    // still add up to white.
    ShapeLayer layer;
    layer.fills = {solid(Qt::white), solid(Qt::white)};
    edge(layer, {5, 5}, {35, 5}, 0, 1);
    edge(layer, {35, 5}, {35, 35}, 0, 1);
    edge(layer, {35, 35}, {5, 5}, 2, 1);
    edge(layer, {35, 35}, {5, 35}, 0, 2);
    edge(layer, {5, 35}, {5, 5}, 0, 2);
    QImage image = draw(shapeOf({layer}, QRectF(5, 5, 30, 30)), 4);
    for (int i = 6; i < 34; ++i)
        EXPECT_GE(qRed(image.pixel(i, i)), 254) << i;
}

TEST(SwfShapePainter, LaterLayersAndLinesDrawOverEarlierOnes)
{
    ShapeLayer under, over;
    under.fills = {solid(Qt::red)};
    rect(under, QRectF(5, 5, 20, 20), 1);
    over.fills = {solid(Qt::blue)};
    LineStyle line;
    line.width = 2 * kTw;
    line.color = Qt::green;
    over.lines = {line};
    rect(over, QRectF(10, 10, 10, 10), 1, 1);
    QImage image = draw(shapeOf({under, over}, QRectF(4, 4, 22, 22)), 1);
    EXPECT_EQ(image.pixel(6, 6), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(15, 15), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(15, 10), qRgb(0, 255, 0)) << "the line lies over the fill";
    EXPECT_EQ(image.pixel(15, 9), qRgb(0, 255, 0));
}

TEST(SwfShapePainter, LineWidthsFollowTheScaleTheyKeepTo)
{
    // A one-pixel horizontal line shown 4 times wider and 2 times taller.
    auto lineShape = [](bool noH, bool noV) {
        ShapeLayer layer;
        LineStyle line;
        line.width = kTw;
        line.color = Qt::white;
        line.cap = line.endCap = Qt::FlatCap;
        line.noHScale = noH;
        line.noVScale = noV;
        layer.lines = {line};
        edge(layer, {1, 4}, {8, 4}, 0, 0, 1);
        return shapeOf({layer}, QRectF(0, 0, 10, 10));
    };
    QTransform stretch = QTransform::fromScale(4 / kTw, 2 / kTw);
    EXPECT_EQ(thickness(draw(lineShape(false, false), 1, stretch), 16), 2) << "the smaller of the two scales";
    EXPECT_EQ(thickness(draw(lineShape(true, false), 1, stretch), 16), 2) << "keeps to the vertical scale";
    EXPECT_EQ(thickness(draw(lineShape(false, true), 1, stretch), 16), 4) << "keeps to the horizontal scale";
    EXPECT_EQ(thickness(draw(lineShape(true, true), 1, stretch), 16), 1) << "keeps to the stage alone";
}

TEST(SwfShapePainter, HairlinesAreOnePixelWide)
{
    ShapeLayer layer;
    LineStyle line;
    line.width = 0;
    line.color = Qt::white;
    layer.lines = {line};
    edge(layer, {2, 10.5}, {30, 10.5}, 0, 0, 1);
    EXPECT_EQ(thickness(draw(shapeOf({layer}, QRectF(0, 0, 32, 20)), 1), 15), 1);
}

TEST(SwfShapePainter, KeptPicturesLandWhereFreshOnesDo)
{
    ShapeLayer layer;
    layer.fills = {solid(Qt::yellow)};
    rect(layer, QRectF(3.3, 7.6, 12.2, 5.1), 1);
    Shape shape = shapeOf({layer}, QRectF(3.3, 7.6, 12.2, 5.1));
    swf::Movie movie;
    swf::ShapePainter painter(movie);
    QImage first;
    for (int frame = 0; frame < 3; ++frame) {
        QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter p(&image);
        painter.draw(p, shape, QTransform::fromScale(1 / kTw, 1 / kTw), {});
        p.end();
        painter.endFrame();
        if (frame == 0)
            first = image;
        else
            EXPECT_EQ(image, first) << frame;
    }
    EXPECT_EQ(painter.cache().pictures(), 1u);
}

TEST(SwfShapePainter, PaintingDoesNotDependOnWhereThePictureStarts)
{
    // A curved, outlined shape at a fractional position, painted into
    // pictures whose corners sit at different device pixels.
    ShapeLayer layer;
    layer.fills = {solid(QColor(200, 30, 60, 200))};
    LineStyle line;
    line.width = kTw;
    line.color = Qt::white;
    layer.lines = {line};
    auto curve = [&](QPointF from, QPointF control, QPointF to) {
        Edge e;
        e.from = from * kTw;
        e.control = control * kTw;
        e.to = to * kTw;
        e.curve = true;
        e.fill1 = 1;
        e.line = 1;
        layer.edges.push_back(e);
    };
    curve({0, 10}, {0, 0}, {10, 0});
    curve({10, 0}, {20, 0}, {20, 10});
    curve({20, 10}, {10, 20}, {0, 10});
    Shape shape = shapeOf({layer}, QRectF(-1, -1, 22, 22));
    swf::Movie movie;
    for (int samples : {1, 4}) {
        swf::ShapePainter painter(movie);
        painter.setSamples(samples);
        QTransform world = QTransform::fromScale(1.37 / kTw, 1.37 / kTw) * QTransform().rotate(17)
            * QTransform::fromTranslate(20.3, 7.6);
        QImage a(50, 50, QImage::Format_ARGB32_Premultiplied), b(60, 60, QImage::Format_ARGB32_Premultiplied);
        a.fill(Qt::transparent);
        b.fill(Qt::transparent);
        painter.paint(a, QPoint(0, 0), a.rect(), shape, world, {});
        painter.paint(b, QPoint(-7, -3), b.rect(), shape, world, {});
        EXPECT_EQ(a, b.copy(7, 3, 50, 50)) << samples;
    }
}
