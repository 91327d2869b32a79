// Blend modes on single pixels (premultiplied): the separable modes where
// both sides are opaque, their behaviour where either is transparent, and
// add, subtract, invert, alpha and erase.
#include "swf/SwfBlend.h"

#include <gtest/gtest.h>

using swf::BlendMode;

namespace {

struct Case {
    BlendMode mode;
    QRgb source, backdrop, expected;
};

class SwfBlendOpaque : public testing::TestWithParam<Case> {};

QRgb grey(int v)
{
    return qRgb(v, v, v);
}

}

TEST_P(SwfBlendOpaque, Pixel)
{
    const Case &c = GetParam();
    QRgb out = swf::blendPixel(c.mode, c.source, c.backdrop);
    EXPECT_NEAR(qRed(out), qRed(c.expected), 1);
    EXPECT_NEAR(qGreen(out), qGreen(c.expected), 1);
    EXPECT_NEAR(qBlue(out), qBlue(c.expected), 1);
    EXPECT_EQ(qAlpha(out), qAlpha(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SwfBlendOpaque,
    testing::Values(Case{BlendMode::Normal, grey(100), grey(200), grey(100)},
                    Case{BlendMode::Multiply, grey(128), grey(200), grey(100)},
                    Case{BlendMode::Screen, grey(128), grey(200), grey(228)},
                    Case{BlendMode::Lighten, qRgb(10, 200, 0), qRgb(100, 100, 100), qRgb(100, 200, 100)},
                    Case{BlendMode::Darken, qRgb(10, 200, 0), qRgb(100, 100, 100), qRgb(10, 100, 0)},
                    Case{BlendMode::Difference, grey(50), grey(200), grey(150)},
                    Case{BlendMode::Add, grey(100), grey(200), grey(255)},
                    Case{BlendMode::Subtract, grey(100), grey(200), grey(100)},
                    Case{BlendMode::Subtract, grey(200), grey(100), grey(0)},
                    Case{BlendMode::Invert, grey(30), qRgb(255, 0, 100), qRgb(0, 255, 155)},
                    Case{BlendMode::Overlay, grey(200), grey(50), grey(78)},
                    Case{BlendMode::Overlay, grey(200), grey(200), grey(231)},
                    Case{BlendMode::HardLight, grey(50), grey(200), grey(78)},
                    Case{BlendMode::HardLight, grey(200), grey(200), grey(231)}));

TEST(SwfBlend, TransparentSourceLeavesTheBackdrop)
{
    for (BlendMode mode : {BlendMode::Multiply, BlendMode::Screen, BlendMode::Darken, BlendMode::Difference,
                           BlendMode::Overlay, BlendMode::Invert, BlendMode::Add, BlendMode::Subtract})
        EXPECT_EQ(swf::blendPixel(mode, 0, qRgb(90, 40, 200)), qRgb(90, 40, 200)) << int(mode);
}

TEST(SwfBlend, TransparentBackdropTakesTheSourceForSeparableModes)
{
    for (BlendMode mode : {BlendMode::Multiply, BlendMode::Screen, BlendMode::Lighten, BlendMode::Darken,
                           BlendMode::Difference, BlendMode::HardLight})
        EXPECT_EQ(swf::blendPixel(mode, qRgb(90, 40, 200), 0), qRgb(90, 40, 200)) << int(mode);
}

TEST(SwfBlend, AlphaAndEraseCutTheBackdrop)
{
    QRgb half = qPremultiply(qRgba(0, 0, 0, 128));
    EXPECT_EQ(qAlpha(swf::blendPixel(BlendMode::Alpha, half, qRgb(200, 100, 0))), 128);
    EXPECT_EQ(qAlpha(swf::blendPixel(BlendMode::Erase, half, qRgb(200, 100, 0))), 127);
    EXPECT_EQ(swf::blendPixel(BlendMode::Erase, qRgb(0, 0, 0), qRgb(200, 100, 0)), 0u);
}

TEST(SwfBlend, IntoAnImageWithinItsBounds)
{
    QImage target(4, 4, QImage::Format_ARGB32_Premultiplied);
    target.fill(QColor(100, 100, 100));
    QImage layer(4, 4, QImage::Format_ARGB32_Premultiplied);
    layer.fill(QColor(255, 255, 255));
    swf::blendInto(target, layer, QPoint(2, -2), BlendMode::Difference);
    EXPECT_EQ(target.pixel(3, 1), qRgb(155, 155, 155));
    EXPECT_EQ(target.pixel(1, 1), qRgb(100, 100, 100));
    EXPECT_EQ(target.pixel(3, 2), qRgb(100, 100, 100));
}
