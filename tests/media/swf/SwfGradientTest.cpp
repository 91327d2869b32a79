// Gradients: the 256-colour ramp from the stops (out-of-order and repeated
// ratios, linear RGB, colour transforms), colours mixed between neighbouring
// entries, and the three spreads.
#include "swf/SwfGradient.h"
#include "swf/SwfShape.h"

#include <gtest/gtest.h>

using swf::FillStyle;

namespace {

FillStyle gradient(FillStyle::Kind kind, std::vector<std::pair<int, QColor>> stops)
{
    FillStyle f;
    f.kind = kind;
    for (auto &[ratio, color] : stops)
        f.stops.append({ratio / 255.0, color});
    return f;
}

int red(QRgb c)
{
    return qRed(c);
}

// A point of the linear gradient square at the middle of ramp entry `index`.
QPointF entry(double index)
{
    return QPointF((index + 0.5) / 256 * 32768 - 16384, 0);
}

}

TEST(SwfGradient, RampHoldsTheEndColoursBeyondTheStops)
{
    auto f = gradient(FillStyle::LinearGradient, {{50, Qt::red}, {150, Qt::blue}});
    auto ramp = swf::gradientRamp(f, {});
    EXPECT_EQ(ramp[0], QColor(Qt::red).rgba());
    EXPECT_EQ(ramp[50], QColor(Qt::red).rgba());
    EXPECT_EQ(ramp[100], qRgba(128, 0, 128, 255));
    EXPECT_EQ(ramp[150], QColor(Qt::blue).rgba());
    EXPECT_EQ(ramp[255], QColor(Qt::blue).rgba());
}

TEST(SwfGradient, StopsOutOfOrderAreTakenAsTheyCome)
{
    // Each entry mixes the first stop at or past it with the stop before it
    // in the record; a stop behind its predecessor is reached only after it.
    auto f = gradient(FillStyle::LinearGradient,
                      {{31, Qt::red}, {80, Qt::green}, {50, Qt::cyan}, {100, Qt::magenta}, {200, Qt::blue},
                       {150, Qt::yellow}});
    auto ramp = swf::gradientRamp(f, {});
    EXPECT_EQ(ramp[20], QColor(Qt::red).rgba());
    EXPECT_EQ(ramp[80], QColor(Qt::green).rgba()) << "red to green up to 80";
    EXPECT_EQ(qRed(ramp[75]), qRound(255 * 5 / 49.0));
    EXPECT_EQ(qGreen(ramp[90]), qRound(255 * 0.2)) << "cyan to magenta from 80 to 100";
    EXPECT_EQ(qRed(ramp[90]), qRound(255 * 0.8));
    EXPECT_EQ(ramp[150], qRgba(128, 0, 255, 255)) << "magenta to blue";
    EXPECT_EQ(ramp[201], QColor(Qt::yellow).rgba()) << "the last stop's colour after the highest";
}

TEST(SwfGradient, RepeatedRatiosMakeAHardStep)
{
    auto f = gradient(FillStyle::LinearGradient, {{0, Qt::red}, {128, Qt::red}, {128, Qt::blue}, {255, Qt::blue}});
    auto ramp = swf::gradientRamp(f, {});
    EXPECT_EQ(ramp[127], QColor(Qt::red).rgba());
    EXPECT_EQ(ramp[128], QColor(Qt::red).rgba());
    EXPECT_EQ(ramp[129], QColor(Qt::blue).rgba());
}

TEST(SwfGradient, LinearRgbMixesLight)
{
    auto f = gradient(FillStyle::LinearGradient, {{0, Qt::black}, {254, Qt::white}});
    auto plain = swf::gradientRamp(f, {});
    f.interpolation = 1;
    auto linear = swf::gradientRamp(f, {});
    EXPECT_NEAR(red(plain[127]), 128, 1);
    EXPECT_GT(red(linear[127]), 175) << "half the light is brighter than half the value";
    EXPECT_EQ(red(linear[0]), 0);
}

TEST(SwfGradient, RampIsColourTransformedAndPremultiplied)
{
    auto f = gradient(FillStyle::LinearGradient, {{0, QColor(200, 100, 0, 255)}, {255, QColor(200, 100, 0, 255)}});
    swf::ColorTransform cx;
    cx.mult[3] = 128;
    auto ramp = swf::gradientRamp(f, cx);
    EXPECT_NEAR(qAlpha(ramp[10]), 128, 1);
    EXPECT_NEAR(qRed(ramp[10]), 100, 1);
}

TEST(SwfGradient, ColoursMixBetweenNeighbouringEntries)
{
    auto f = gradient(FillStyle::LinearGradient, {{0, Qt::black}, {255, Qt::white}});
    auto ramp = swf::gradientRamp(f, {});
    EXPECT_EQ(red(swf::gradientColor(f, ramp, entry(10))), 10);
    EXPECT_EQ(red(swf::gradientColor(f, ramp, entry(10.5))), 11) << "half way between entries 10 and 11";
    EXPECT_EQ(red(swf::gradientColor(f, ramp, QPointF(-16384, 0))), 0);
    EXPECT_EQ(red(swf::gradientColor(f, ramp, QPointF(16384, 0))), 255);
}

TEST(SwfGradient, Spreads)
{
    auto f = gradient(FillStyle::LinearGradient, {{0, Qt::black}, {255, Qt::white}});
    auto ramp = swf::gradientRamp(f, {});
    QPointF beyond(16384 + 32768 / 4, 0); // a quarter past the end
    f.spread = QGradient::PadSpread;
    EXPECT_EQ(red(swf::gradientColor(f, ramp, beyond)), 255);
    f.spread = QGradient::RepeatSpread;
    EXPECT_NEAR(red(swf::gradientColor(f, ramp, beyond)), 64, 1);
    f.spread = QGradient::ReflectSpread;
    EXPECT_NEAR(red(swf::gradientColor(f, ramp, beyond)), 191, 1);
}

TEST(SwfGradient, RadialAndFocal)
{
    auto f = gradient(FillStyle::RadialGradient, {{0, Qt::black}, {255, Qt::white}});
    auto ramp = swf::gradientRamp(f, {});
    EXPECT_EQ(red(swf::gradientColor(f, ramp, QPointF(0, 0))), 0);
    EXPECT_NEAR(red(swf::gradientColor(f, ramp, QPointF(0, 8192))), 127, 1);
    EXPECT_EQ(red(swf::gradientColor(f, ramp, QPointF(-20000, 0))), 255);

    f.kind = FillStyle::FocalGradient;
    f.focal = 0.5;
    EXPECT_EQ(red(swf::gradientColor(f, ramp, QPointF(8192, 0))), 0) << "the focal point starts the ramp";
    EXPECT_NEAR(red(swf::gradientColor(f, ramp, QPointF(12288, 0))), 127, 1) << "half way to the rim";
    EXPECT_NEAR(red(swf::gradientColor(f, ramp, QPointF(-4096, 0))), 127, 1) << "half way the other way";
}
