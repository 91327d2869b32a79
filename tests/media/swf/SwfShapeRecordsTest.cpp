// Shape records as stored, written here field by field: every fill style
// type, DefineShape4's line styles (sixteen flag bits, miter limit, fill
// instead of colour), its edge bounds and flags, and morph shapes.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfBitReader.h"
#include "swf/SwfCharacter.h"
#include "swf/SwfMorphShape.h"

#include <gtest/gtest.h>

using swfmake::BitWriter;

namespace {

// A straight edge to (dx, dy) from the pen, in the general form.
void lineEdge(BitWriter &w, int dx, int dy)
{
    int bits = std::max({2, swfmake::signedBits(dx), swfmake::signedBits(dy)});
    w.ub(1, 1);
    w.ub(1, 1);
    w.ub(uint32_t(bits - 2), 4);
    w.ub(1, 1);
    w.sb(dx, bits);
    w.sb(dy, bits);
}

// A style change record choosing styles (and moving to the origin first
// when `move`).
void styleChange(BitWriter &w, int fillBits, int lineBits, int fill1, int line, bool move)
{
    w.ub(0, 1);
    w.ub(0, 1); // new styles
    w.ub(line >= 0, 1);
    w.ub(fill1 >= 0, 1);
    w.ub(0, 1); // fill 0
    w.ub(move, 1);
    if (move) {
        w.ub(1, 5);
        w.sb(0, 1);
        w.sb(0, 1);
    }
    if (fill1 >= 0)
        w.ub(uint32_t(fill1), fillBits);
    if (line >= 0)
        w.ub(uint32_t(line), lineBits);
}

void endShape(BitWriter &w)
{
    w.ub(0, 6);
    w.align();
}

// A gradient header byte and its stops (colours with alpha).
void gradient(BitWriter &w, int spread, int interpolation, const std::vector<std::pair<int, QColor>> &stops)
{
    w.ub(uint32_t(spread), 2);
    w.ub(uint32_t(interpolation), 2);
    w.ub(uint32_t(stops.size()), 4);
    for (const auto &[ratio, color] : stops) {
        w.u8(ratio);
        w.rgba(color);
    }
}

swf::Shape shapeFrom(const QByteArray &body, int version)
{
    swf::BitReader in(body);
    return swf::readShape(in, version);
}

}

TEST(SwfShapeRecords, DefineShape4LineStylesHaveSixteenFlagBitsThenMiterLimitAndFill)
{
    BitWriter w;
    w.rect(QRect(-20, -20, 140, 140));
    w.rect(QRect(0, 0, 100, 100));
    w.u8(0x05); // winding fill and scaling strokes, not non-scaling ones
    w.u8(1);
    w.u8(0x00);
    w.rgba(QColor(10, 20, 30, 255));
    w.u8(2);
    // A flat-capped mitred line with every flag set, a square end cap and a
    // gradient fill...
    w.u16(40);
    w.ub(1, 2);  // start cap: none
    w.ub(2, 2);  // join: miter
    w.ub(1, 1);  // has fill
    w.ub(1, 1);  // no horizontal scale
    w.ub(0, 1);  // vertical scale
    w.ub(1, 1);  // pixel hinting
    w.ub(0, 5);  // reserved
    w.ub(1, 1);  // no close
    w.ub(2, 2);  // end cap: square
    w.u16(0x0280); // miter limit 2.5
    w.u8(0x10);
    w.matrix(QTransform());
    gradient(w, 1, 1, {{0, Qt::red}, {255, Qt::blue}});
    // ...and a plain round one with a colour.
    w.u16(20);
    w.u16(0);
    w.rgba(QColor(1, 2, 3, 4));
    w.ub(1, 4);
    w.ub(2, 4);
    styleChange(w, 1, 2, 1, 2, true);
    lineEdge(w, 100, 0);
    styleChange(w, 1, 2, -1, 1, false);
    lineEdge(w, 0, 100);
    endShape(w);

    swf::Shape shape = shapeFrom(w.data(), 4);
    EXPECT_EQ(shape.bounds, QRectF(-20, -20, 140, 140));
    EXPECT_EQ(shape.edgeBounds, QRectF(0, 0, 100, 100));
    EXPECT_TRUE(shape.windingFill);
    EXPECT_FALSE(shape.nonScalingStrokes);
    EXPECT_TRUE(shape.scalingStrokes);
    ASSERT_EQ(shape.layers.size(), 1u);
    const swf::ShapeLayer &layer = shape.layers[0];
    ASSERT_EQ(layer.fills.size(), 1u);
    EXPECT_EQ(layer.fills[0].color, QColor(10, 20, 30, 255));
    ASSERT_EQ(layer.lines.size(), 2u);
    const swf::LineStyle &a = layer.lines[0];
    EXPECT_EQ(a.width, 40);
    EXPECT_EQ(a.cap, Qt::FlatCap);
    EXPECT_EQ(a.endCap, Qt::SquareCap);
    EXPECT_EQ(a.join, Qt::MiterJoin);
    EXPECT_EQ(a.miterLimit, 2.5);
    EXPECT_TRUE(a.noHScale);
    EXPECT_FALSE(a.noVScale);
    EXPECT_TRUE(a.pixelHinting);
    EXPECT_TRUE(a.noClose);
    ASSERT_TRUE(a.hasFill);
    EXPECT_EQ(a.fill.kind, swf::FillStyle::LinearGradient);
    EXPECT_EQ(a.fill.spread, QGradient::ReflectSpread);
    EXPECT_EQ(a.fill.interpolation, 1);
    ASSERT_EQ(a.fill.stops.size(), 2);
    EXPECT_EQ(a.fill.stops[1].second, QColor(Qt::blue));
    const swf::LineStyle &b = layer.lines[1];
    EXPECT_EQ(b.color, QColor(1, 2, 3, 4));
    EXPECT_EQ(b.cap, Qt::RoundCap);
    EXPECT_EQ(b.join, Qt::RoundJoin);
    EXPECT_FALSE(b.hasFill);
    // The records after the styles are read in step: two edges, stroked
    // with the second line style and then the first.
    ASSERT_EQ(layer.edges.size(), 2u);
    EXPECT_EQ(layer.edges[0].fill1, 1);
    EXPECT_EQ(layer.edges[0].line, 2);
    EXPECT_EQ(layer.edges[0].to, QPointF(100, 0));
    EXPECT_EQ(layer.edges[1].line, 1);
    EXPECT_EQ(layer.edges[1].to, QPointF(100, 100));
}

TEST(SwfShapeRecords, FillStylesOfEveryType)
{
    BitWriter w;
    w.rect(QRect(0, 0, 100, 100));
    w.u8(8);
    w.u8(0x00);
    w.rgba(QColor(9, 8, 7, 6));
    w.u8(0x10);
    w.matrix(QTransform(2, 0, 0, 2, 5, 6));
    std::vector<std::pair<int, QColor>> fifteen;
    for (int i = 0; i < 15; ++i)
        fifteen.emplace_back(i * 17, QColor(i, 0, 0, 255));
    gradient(w, 2, 0, fifteen);
    w.u8(0x12);
    w.matrix(QTransform());
    gradient(w, 0, 0, {{0, Qt::white}, {255, Qt::black}});
    w.u8(0x13);
    w.matrix(QTransform());
    gradient(w, 0, 0, {{0, Qt::white}, {255, Qt::black}});
    w.u16(0xFF80); // focal point -0.5
    for (int type = 0x40; type <= 0x43; ++type) {
        w.u8(type);
        w.u16(type);
        w.matrix(QTransform::fromScale(20, 20));
    }
    w.u8(0);
    w.ub(0, 4);
    w.ub(0, 4);
    endShape(w);

    swf::Shape shape = shapeFrom(w.data(), 3);
    const auto &f = shape.layers.at(0).fills;
    ASSERT_EQ(f.size(), 8u);
    EXPECT_EQ(f[0].kind, swf::FillStyle::Solid);
    EXPECT_EQ(f[0].color, QColor(9, 8, 7, 6));
    EXPECT_EQ(f[1].kind, swf::FillStyle::LinearGradient);
    EXPECT_EQ(f[1].matrix, QTransform(2, 0, 0, 2, 5, 6));
    EXPECT_EQ(f[1].spread, QGradient::RepeatSpread);
    EXPECT_EQ(f[1].interpolation, 0);
    ASSERT_EQ(f[1].stops.size(), 15);
    EXPECT_DOUBLE_EQ(f[1].stops[14].first, 14 * 17 / 255.0);
    EXPECT_EQ(f[1].stops[14].second, QColor(14, 0, 0));
    EXPECT_EQ(f[2].kind, swf::FillStyle::RadialGradient);
    EXPECT_EQ(f[2].spread, QGradient::PadSpread);
    EXPECT_EQ(f[3].kind, swf::FillStyle::FocalGradient);
    EXPECT_EQ(f[3].focal, -0.5);
    for (int i = 0; i < 4; ++i) {
        const swf::FillStyle &bitmap = f[size_t(4 + i)];
        EXPECT_EQ(bitmap.bitmapId, 0x40 + i);
        EXPECT_EQ(bitmap.kind, i % 2 ? swf::FillStyle::ClippedBitmap : swf::FillStyle::RepeatingBitmap);
        EXPECT_EQ(bitmap.smooth, i < 2);
        EXPECT_EQ(bitmap.matrix, QTransform::fromScale(20, 20));
    }
}

TEST(SwfShapeRecords, EarlyShapesUseRgbAndExtendedStyleCounts)
{
    BitWriter w;
    w.rect(QRect(0, 0, 10, 10));
    w.u8(0xFF);
    w.u16(300);
    for (int i = 0; i < 300; ++i) {
        w.u8(0x00);
        w.rgb(QColor(i % 256, 1, 2));
    }
    w.u8(1);
    w.u16(20);
    w.rgb(QColor(3, 4, 5));
    w.ub(9, 4);
    w.ub(1, 4);
    endShape(w);
    swf::Shape shape = shapeFrom(w.data(), 2);
    ASSERT_EQ(shape.layers[0].fills.size(), 300u);
    EXPECT_EQ(shape.layers[0].fills[299].color, QColor(299 % 256, 1, 2, 255));
    EXPECT_EQ(shape.layers[0].lines.at(0).color, QColor(3, 4, 5, 255));
}

TEST(SwfShapeRecords, UnknownFillStyleLeavesTheShapeOutAndTheMoviePlays)
{
    BitWriter w;
    w.u16(1);
    w.rect(QRect(0, 0, 10, 10));
    w.u8(1);
    w.u8(0x20); // no such fill style
    w.rgba(Qt::red);
    w.u8(0);
    w.ub(1, 4);
    w.ub(0, 4);
    endShape(w);
    swfmake::MovieWriter m(10, 10, 12);
    m.tag(32, w.data());
    m.showFrame();
    auto movie = swftest::load(m.finish());
    EXPECT_EQ(movie->character(1), nullptr);
    EXPECT_EQ(movie->framesLoaded(), 1);
}

TEST(SwfShapeRecords, MorphShape2KeepsLineFlagsFillsAndFindsEndEdgesByOffset)
{
    BitWriter styles;
    styles.u8(1);
    styles.u8(0x13); // focal gradient, start and end
    styles.matrix(QTransform());
    styles.matrix(QTransform::fromTranslate(40, 0));
    styles.ub(1, 2);
    styles.ub(1, 2);
    styles.ub(2, 4);
    for (int i = 0; i < 2; ++i) {
        styles.u8(i * 255);
        styles.rgba(QColor(255, 0, 0, 255));
        styles.u8(i * 200);
        styles.rgba(QColor(0, 0, 255, 128));
    }
    styles.u16(0x0040); // focal 0.25
    styles.u16(0xFFC0); // focal -0.25
    styles.u8(1);
    styles.u16(20);
    styles.u16(60);
    styles.ub(2, 2);  // square start cap
    styles.ub(2, 2);  // miter
    styles.ub(0, 1);  // colour, not fill
    styles.ub(0, 1);
    styles.ub(1, 1);  // no vertical scale
    styles.ub(0, 1);
    styles.ub(0, 5);
    styles.ub(0, 1);
    styles.ub(1, 2);  // flat end cap
    styles.u16(0x0300); // miter limit 3
    styles.rgba(QColor(1, 1, 1, 255));
    styles.rgba(QColor(2, 2, 2, 255));
    BitWriter startEdges;
    startEdges.ub(1, 4);
    startEdges.ub(1, 4);
    styleChange(startEdges, 1, 1, 1, 1, true);
    lineEdge(startEdges, 100, 0);
    endShape(startEdges);
    QByteArray padding(3, '\xAA'); // bytes between the start and end edges
    BitWriter endEdges;
    endEdges.ub(0, 4);
    endEdges.ub(0, 4);
    styleChange(endEdges, 0, 0, -1, -1, true);
    lineEdge(endEdges, 0, 200);
    endShape(endEdges);

    BitWriter w;
    w.rect(QRect(0, 0, 100, 10));
    w.rect(QRect(0, 0, 10, 200));
    w.rect(QRect(0, 0, 100, 0));
    w.rect(QRect(0, 0, 0, 200));
    w.u8(0x01); // scaling strokes
    w.u32(uint32_t(styles.data().size() + startEdges.data().size() + padding.size()));
    w.bytes(styles.data());
    w.bytes(startEdges.data());
    w.bytes(padding);
    w.bytes(endEdges.data());
    swf::BitReader in(w.data());
    swf::MorphShape morph = swf::MorphShape::read(in, 2);

    const swf::Shape &start = morph.startShape(), &end = morph.endShape();
    EXPECT_EQ(start.edgeBounds, QRectF(0, 0, 100, 0));
    EXPECT_EQ(end.edgeBounds, QRectF(0, 0, 0, 200));
    EXPECT_TRUE(start.scalingStrokes);
    EXPECT_FALSE(start.nonScalingStrokes);
    const swf::FillStyle &fa = start.layers[0].fills.at(0), &fb = end.layers[0].fills.at(0);
    EXPECT_EQ(fa.kind, swf::FillStyle::FocalGradient);
    EXPECT_EQ(fa.spread, QGradient::ReflectSpread);
    EXPECT_EQ(fb.interpolation, 1);
    EXPECT_EQ(fa.focal, 0.25);
    EXPECT_EQ(fb.focal, -0.25);
    EXPECT_EQ(fb.matrix, QTransform::fromTranslate(40, 0));
    EXPECT_DOUBLE_EQ(fb.stops.at(1).first, 200 / 255.0);
    EXPECT_EQ(fb.stops.at(1).second, QColor(0, 0, 255, 128));
    const swf::LineStyle &la = start.layers[0].lines.at(0), &lb = end.layers[0].lines.at(0);
    EXPECT_EQ(la.width, 20);
    EXPECT_EQ(lb.width, 60);
    for (const swf::LineStyle *l : {&la, &lb}) {
        EXPECT_EQ(l->cap, Qt::SquareCap);
        EXPECT_EQ(l->endCap, Qt::FlatCap);
        EXPECT_EQ(l->join, Qt::MiterJoin);
        EXPECT_EQ(l->miterLimit, 3);
        EXPECT_TRUE(l->noVScale);
        EXPECT_FALSE(l->noHScale);
    }
    EXPECT_EQ(la.color, QColor(1, 1, 1));
    EXPECT_EQ(lb.color, QColor(2, 2, 2));
    ASSERT_EQ(end.layers[0].edges.size(), 1u);
    EXPECT_EQ(end.layers[0].edges[0].to, QPointF(0, 200));
    // Halfway the edge runs to the middle of both ends.
    auto half = morph.at(32768);
    ASSERT_EQ(half->layers[0].edges.size(), 1u);
    EXPECT_NEAR(half->layers[0].edges[0].to.x(), 50, 0.01);
    EXPECT_NEAR(half->layers[0].edges[0].to.y(), 100, 0.01);
}
