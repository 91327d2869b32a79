// Filters as functions on pictures: box blurs, their width at the stage's
// scale and their passes, shadows moved by the distance at the stage's
// scale, glows, inner and knockout effects, hidden objects, bevels' light
// and dark sides and how they lie with see-through objects, gradient glows,
// convolution and the colour matrix.
#include "swf/SwfFilters.h"

#include <QPainter>
#include <gtest/gtest.h>

using swf::Filter;

namespace {

// A white square of `side` pixels in the middle of a transparent picture.
QImage square(int size = 40, int side = 10)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(QRect((size - side) / 2, (size - side) / 2, side, side), Qt::white);
    return image;
}

int alphaAt(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y));
}

Filter filter(Filter::Kind kind, double blur = 0)
{
    Filter f;
    f.kind = kind;
    f.blurX = f.blurY = blur;
    f.passes = 1;
    f.color = Qt::red;
    return f;
}

}

TEST(SwfFilters, BoxBlurIsExactlyTheAmountWide)
{
    // The square spans 15..24. A blur of 5 averages over 5 whole pixels; one
    // of 4 over 3 whole pixels and half of the next on either side.
    QImage five = swf::applyFilter(filter(Filter::Blur, 5), square(), 1);
    EXPECT_EQ(alphaAt(five, 12, 20), 0);
    EXPECT_EQ(alphaAt(five, 13, 20), 255 / 5);
    EXPECT_EQ(alphaAt(five, 14, 20), 2 * 255 / 5);
    EXPECT_EQ(alphaAt(five, 17, 20), 255);
    EXPECT_EQ(qRed(five.pixel(14, 20)), 2 * 255 / 5) << "colours blur with their alpha";

    QImage four = swf::applyFilter(filter(Filter::Blur, 4), square(), 1);
    EXPECT_EQ(alphaAt(four, 12, 20), 0);
    EXPECT_EQ(alphaAt(four, 13, 20), 255 / 8);
    EXPECT_EQ(alphaAt(four, 14, 20), 3 * 255 / 8);
    EXPECT_EQ(alphaAt(four, 15, 20), 5 * 255 / 8);
    EXPECT_EQ(alphaAt(four, 17, 20), 255);
}

TEST(SwfFilters, BlurReachGrowsWithTheStageScale)
{
    // A blur of 2 reaches half a pixel each way at the movie's size, and one
    // whole pixel at twice its size: a box of three.
    QImage out = swf::applyFilter(filter(Filter::Blur, 2), square(), 2);
    EXPECT_EQ(alphaAt(out, 13, 20), 0);
    EXPECT_EQ(alphaAt(out, 14, 20), 255 / 3);
    EXPECT_EQ(alphaAt(out, 15, 20), 2 * 255 / 3);
    EXPECT_EQ(swf::applyFilter(filter(Filter::Blur, 1), square(), 2), square()) << "a blur of 1 stays sharp at any scale";
}

TEST(SwfFilters, SmallBlursAndMorePasses)
{
    EXPECT_EQ(swf::applyFilter(filter(Filter::Blur, 1), square(), 1), square()) << "under two pixels: no blur";
    Filter twice = filter(Filter::Blur, 4);
    twice.passes = 2;
    QImage out = swf::applyFilter(twice, square(), 1);
    EXPECT_GT(alphaAt(out, 11, 20), 0) << "a second pass reaches twice as far";
    EXPECT_EQ(alphaAt(out, 10, 20), 0);
}

TEST(SwfFilters, DropShadowMovesByTheDistanceAtTheStageScale)
{
    Filter f = filter(Filter::DropShadow);
    f.distance = 3;
    f.angle = 0;
    QImage out = swf::applyFilter(f, square(), 2);
    EXPECT_EQ(out.pixel(20, 20), qRgb(255, 255, 255)) << "the object over its shadow";
    EXPECT_EQ(out.pixel(26, 20), qRgb(255, 0, 0)) << "six pixels to the right";
    EXPECT_EQ(alphaAt(out, 31, 20), 0);
    EXPECT_EQ(alphaAt(out, 14, 20), 0);

    f.angle = M_PI / 2;
    out = swf::applyFilter(f, square(), 1);
    EXPECT_EQ(out.pixel(20, 26), qRgb(255, 0, 0)) << "an angle of 90 degrees points down";
}

TEST(SwfFilters, KnockoutAndHiddenObjects)
{
    Filter f = filter(Filter::Glow, 4);
    f.knockout = true;
    QImage out = swf::applyFilter(f, square(), 1);
    EXPECT_EQ(alphaAt(out, 20, 20), 0) << "a knocked-out glow leaves a hole where the object was";
    EXPECT_GT(alphaAt(out, 14, 20), 0);

    f.knockout = false;
    f.compositeSource = false;
    out = swf::applyFilter(f, square(), 1);
    EXPECT_EQ(out.pixel(20, 20), qRgb(255, 0, 0)) << "the object hidden, the glow shows alone";
}

TEST(SwfFilters, InnerGlowKeepsToTheObject)
{
    Filter f = filter(Filter::Glow, 4);
    f.inner = true;
    QImage out = swf::applyFilter(f, square(), 1);
    EXPECT_EQ(alphaAt(out, 14, 20), 0) << "nothing outside";
    QRgb edge = out.pixel(15, 20), middle = out.pixel(20, 20);
    EXPECT_GT(qRed(edge), qGreen(edge)) << "red at the inside of the edge";
    EXPECT_EQ(middle, qRgb(255, 255, 255)) << "the middle untouched";
}

TEST(SwfFilters, StrengthMultipliesTheEffect)
{
    Filter f = filter(Filter::Glow, 8);
    f.compositeSource = false;
    int weak = alphaAt(swf::applyFilter(f, square(), 1), 12, 20);
    f.strength = 2;
    EXPECT_EQ(alphaAt(swf::applyFilter(f, square(), 1), 12, 20), std::min(255, weak * 2));
}

TEST(SwfFilters, BevelLightsOneSideAndShadesTheOther)
{
    Filter f = filter(Filter::Bevel, 2);
    f.inner = true;
    f.distance = 2;
    f.angle = M_PI / 4; // the shadow falls down and right
    f.highlight = Qt::white;
    f.color = Qt::black;
    QImage source = square();
    source.fill(Qt::transparent);
    QPainter(&source).fillRect(QRect(15, 15, 10, 10), Qt::gray);
    QImage out = swf::applyFilter(f, source, 1);
    EXPECT_GT(qRed(out.pixel(15, 15)), 200) << "the top left inside edge lit";
    EXPECT_LT(qRed(out.pixel(24, 24)), 60) << "the bottom right inside edge dark";
    EXPECT_EQ(alphaAt(out, 13, 13), 0) << "an inner bevel stays inside";
}

// A half see-through object keeps showing what lies behind it as much
// with an inner bevel as without, and shows an outer bevel through itself.
TEST(SwfFilters, BevelsOnASeeThroughObject)
{
    Filter f = filter(Filter::Bevel, 2);
    f.distance = 2;
    f.angle = M_PI / 4;
    f.highlight = Qt::white;
    f.color = Qt::black;
    QImage source = square();
    source.fill(Qt::transparent);
    QPainter(&source).fillRect(QRect(15, 15, 10, 10), QColor(0, 0, 255, 128));

    f.inner = true;
    QImage inner = swf::applyFilter(f, source, 1);
    EXPECT_NEAR(alphaAt(inner, 15, 15), alphaAt(source, 15, 15), 1) << "the lit edge as see-through as the object";
    EXPECT_GT(qRed(inner.pixel(15, 15)), 40) << "the highlight shows on the lit edge";
    EXPECT_EQ(inner.pixel(20, 20), source.pixel(20, 20)) << "the flat middle untouched";

    f.inner = false;
    QImage outer = swf::applyFilter(f, source, 1);
    f.onTop = true;
    f.compositeSource = false;
    QImage effect = swf::applyFilter(f, source, 1);
    int lit = qRed(effect.pixel(15, 15));
    ASSERT_GT(lit, 100);
    EXPECT_NEAR(qRed(outer.pixel(15, 15)), lit * 127 / 255, 2) << "the outer bevel seen through the half see-through object";
}

TEST(SwfFilters, GradientGlowColoursByStrength)
{
    Filter f = filter(Filter::GradientGlow, 4);
    f.gradient = {{0, QColor(0, 0, 255, 0)}, {255, QColor(0, 255, 0, 255)}};
    f.compositeSource = false;
    QImage out = swf::applyFilter(f, square(), 1);
    EXPECT_EQ(out.pixel(20, 20), qRgb(0, 255, 0)) << "full alpha takes the last colour";
    EXPECT_EQ(alphaAt(out, 10, 20), 0);
    EXPECT_GT(qGreen(out.pixel(13, 20)), 0);
}

TEST(SwfFilters, ColourMatrixWorksOnUnpremultipliedColours)
{
    Filter f = filter(Filter::ColorMatrix);
    f.colorMatrix = {0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0.5, 0}; // swap red and blue, half alpha
    QImage source(1, 1, QImage::Format_ARGB32_Premultiplied);
    source.fill(QColor(200, 100, 50));
    QColor out = QColor::fromRgba(swf::applyFilter(f, source, 1).convertToFormat(QImage::Format_ARGB32).pixel(0, 0));
    EXPECT_NEAR(out.red(), 50, 1);
    EXPECT_NEAR(out.green(), 100, 1);
    EXPECT_NEAR(out.blue(), 200, 1);
    EXPECT_NEAR(out.alpha(), 127, 1);
}

TEST(SwfFilters, ConvolutionWithDivisorBiasAndEdges)
{
    Filter f = filter(Filter::Convolution);
    f.columns = 3;
    f.rows = 1;
    f.matrix = {1, 1, 1};
    f.divisor = 3;
    f.clamp = false;
    f.defaultColor = QColor(0, 0, 0, 0);
    f.preserveAlpha = false;
    QImage source(3, 1, QImage::Format_ARGB32_Premultiplied);
    source.fill(QColor(90, 90, 90));
    QImage out = swf::applyFilter(f, source, 1).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qRed(out.pixel(1, 0)), 90);
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 170) << "the default colour counts beyond the edge";
    f.clamp = true;
    out = swf::applyFilter(f, source, 1).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 255) << "or the edge pixel itself";
    f.bias = 30;
    EXPECT_EQ(qRed(swf::applyFilter(f, source, 1).convertToFormat(QImage::Format_ARGB32).pixel(1, 0)), 120);
}

TEST(SwfFilters, ReachCoversBlurAndDistance)
{
    Filter glow = filter(Filter::Glow, 8);
    glow.passes = 2;
    Filter shadow = filter(Filter::DropShadow, 0);
    shadow.distance = 5;
    shadow.angle = 0;
    QMargins reach = swf::filterReach({glow, shadow}, 2);
    // The glow reaches 3.5 pixels each way at the movie's size, 7 at twice
    // it, for each of its passes; the shadow moves by twice its distance.
    EXPECT_EQ(reach.left(), 2 * 7 + 10);
    EXPECT_EQ(reach.top(), 2 * 7);
}

TEST(SwfFilters, HostileValuesStayBounded)
{
    Filter f = filter(Filter::DropShadow, 1e30);
    f.distance = std::numeric_limits<double>::infinity();
    f.passes = 1000;
    QImage out = swf::applyFilter(f, square(8, 4), 1);
    EXPECT_EQ(out.size(), QSize(8, 8));
    Filter bad = filter(Filter::Convolution);
    bad.columns = 5;
    bad.rows = 5;
    bad.matrix = {1}; // fewer values than the kernel needs
    EXPECT_EQ(swf::applyFilter(bad, square(), 1), square());
}
