// The displacement map filter: pixels taken from where the map's channel
// sends them, each way of treating pixels sent off the picture, and the
// map's place in the object's own pixels.
#include "swf/SwfDisplacement.h"

#include <gtest/gtest.h>

using swf::Filter;

namespace {

const QRgb kRow[4] = {0xFF110000, 0xFF220000, 0xFF330000, 0xFF440000};

QImage row()
{
    QImage image(4, 1, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < 4; ++x)
        image.setPixel(x, 0, kRow[x]);
    return image;
}

// A map whose red channel moves every pixel one to the right's colour.
Filter oneRight(Filter::Edges edges)
{
    Filter f;
    f.kind = Filter::Displacement;
    f.map = QImage(4, 1, QImage::Format_ARGB32);
    f.map.fill(QColor(192, 0, 0));
    f.componentX = 1;
    f.componentY = 2; // green 0 with no vertical scale: no move
    f.scaleX = 4;     // (192 - 128) * 4 / 256 = 1
    f.edges = edges;
    f.defaultColor = QColor(0, 0, 255);
    return f;
}

std::vector<QRgb> pixels(const QImage &image)
{
    std::vector<QRgb> out;
    for (int x = 0; x < image.width(); ++x)
        out.push_back(image.pixel(x, 0));
    return out;
}

}

TEST(SwfDisplacement, PixelsSentOffThePictureFollowTheMode)
{
    struct Case {
        Filter::Edges edges;
        QRgb last;
    } cases[] = {
        {Filter::Edges::Wrap, kRow[0]},
        {Filter::Edges::Clamp, kRow[3]},
        {Filter::Edges::Ignore, kRow[3]},
        {Filter::Edges::Color, 0xFF0000FF},
    };
    for (const Case &c : cases) {
        QImage out = swf::displacementFilter(row(), oneRight(c.edges), 1.0, QPoint());
        EXPECT_EQ(pixels(out), std::vector<QRgb>({kRow[1], kRow[2], kRow[3], c.last})) << int(c.edges);
    }
}

TEST(SwfDisplacement, OnlyPixelsUnderTheMapMove)
{
    Filter f = oneRight(Filter::Edges::Clamp);
    f.mapPoint = QPoint(1, 0);
    // The object's origin at pixel 1 puts the map's first pixel at 2.
    QImage out = swf::displacementFilter(row(), f, 1.0, QPoint(1, 0));
    EXPECT_EQ(pixels(out), std::vector<QRgb>({kRow[0], kRow[1], kRow[3], kRow[3]}));
    f.map = QImage();
    EXPECT_EQ(pixels(swf::displacementFilter(row(), f, 1.0, QPoint())), pixels(row()));
}
