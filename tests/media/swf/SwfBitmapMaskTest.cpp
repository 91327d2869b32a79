// Bitmaps (lossless, JPEG with and without alpha, bitmap fills), masks by
// clip depth and morph shapes by ratio.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfBitReader.h"
#include "swf/SwfBitmap.h"
#include "swf/SwfCharacter.h"
#include "swf/SwfError.h"

#include <QBuffer>
#include <gtest/gtest.h>

using swfmake::Fill;
using swfmake::MovieWriter;
using swfmake::Place;
using swfmake::ShapeBuilder;

namespace {

constexpr int kTw = 20;

bool near(const QColor &a, const QColor &b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance && std::abs(a.alpha() - b.alpha()) <= tolerance;
}

// 4 x 4 picture of four 2 x 2 quadrants: red, green / blue, half-transparent white.
QImage quadrants()
{
    QImage image(4, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, y < 2 ? (x < 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                       : (x < 2 ? qRgb(0, 0, 255) : qRgba(255, 255, 255, 128)));
    return image;
}

const swf::BitmapCharacter *bitmapOf(const swf::Movie &movie, int id)
{
    return movie.characterAs<swf::BitmapCharacter>(uint16_t(id));
}

// A stage of `px` pixels with one shape filling it with bitmap 1 scaled by `scale`.
QImage renderBitmapFill(MovieWriter &m, int px, double scale, bool clipped)
{
    ShapeBuilder s;
    s.setStyles(0, s.addFill(Fill::bitmap(1, QTransform::fromScale(scale * kTw, scale * kTw), clipped)), 0);
    s.rect(0, 0, px * kTw, px * kTw);
    m.defineShape(2, s);
    m.place({1, false, 2, QTransform(), {}, {}, {}, {}});
    m.showFrame();
    auto movie = swftest::load(m.finish());
    return swftest::render(*swftest::at(movie, 0), QSize(px, px));
}

}

TEST(SwfBitmaps, LosslessKeepsColoursAndPremultipliedAlpha)
{
    MovieWriter m(10, 10, 12);
    m.defineBitsLossless(1, quadrants(), false);
    m.defineBitsLossless(2, quadrants(), true);
    m.showFrame();
    auto movie = swftest::load(m.finish());
    const auto *opaque = bitmapOf(*movie, 1);
    const auto *alpha = bitmapOf(*movie, 2);
    ASSERT_TRUE(opaque && alpha);
    EXPECT_EQ(opaque->image.size(), QSize(4, 4));
    EXPECT_EQ(opaque->image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(opaque->image.pixelColor(3, 0), QColor(0, 255, 0));
    EXPECT_EQ(opaque->image.pixelColor(3, 3).alpha(), 255);
    EXPECT_TRUE(near(alpha->image.pixelColor(3, 3), QColor(255, 255, 255, 128), 2));
    EXPECT_EQ(alpha->image.pixelColor(0, 3), QColor(0, 0, 255));
}

TEST(SwfBitmaps, JpegWithSeparateAlpha)
{
    MovieWriter m(10, 10, 12);
    QImage big = quadrants().scaled(32, 32);
    m.defineBitsJpeg2(1, big);
    m.defineBitsJpeg3(2, big);
    m.showFrame();
    auto movie = swftest::load(m.finish());
    const auto *jpeg = bitmapOf(*movie, 1);
    const auto *withAlpha = bitmapOf(*movie, 2);
    ASSERT_TRUE(jpeg && withAlpha);
    EXPECT_TRUE(near(jpeg->image.pixelColor(4, 4), QColor(255, 0, 0), 24));
    EXPECT_EQ(jpeg->image.pixelColor(28, 28).alpha(), 255);
    EXPECT_EQ(withAlpha->image.pixelColor(4, 4).alpha(), 255);
    EXPECT_NEAR(withAlpha->image.pixelColor(28, 28).alpha(), 128, 2);
}

TEST(SwfBitmaps, JpegColoursArePremultipliedByTheirAlpha)
{
    // A half-transparent red keeps its red: the stored colour is half red
    // already and is not darkened by the alpha a second time.
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0, 128));
    MovieWriter m(10, 10, 12);
    m.defineBitsJpeg3(1, red);
    m.showFrame();
    auto movie = swftest::load(m.finish());
    const auto *bitmap = bitmapOf(*movie, 1);
    ASSERT_TRUE(bitmap);
    EXPECT_TRUE(near(bitmap->image.pixelColor(8, 8), QColor(255, 0, 0, 128), 12));
}

TEST(SwfBitmaps, DefineBitsJoinsTheMovieJpegTables)
{
    // Split one JPEG after its tables: the first part goes into JPEGTables.
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        quadrants().scaled(16, 16).convertToFormat(QImage::Format_RGB32).save(&buffer, "JPEG", 90);
    }
    int sos = int(jpeg.indexOf(QByteArray("\xFF\xC0", 2)));
    ASSERT_GT(sos, 0);
    QByteArray tables = jpeg.left(sos) + QByteArray("\xFF\xD9", 2);
    QByteArray image = QByteArray("\xFF\xD8", 2) + jpeg.mid(sos);
    MovieWriter m(10, 10, 12);
    m.tag(8, tables);
    QByteArray body("\x01\x00", 2);
    m.tag(6, body + image);
    m.showFrame();
    auto movie = swftest::load(m.finish());
    const auto *bits = bitmapOf(*movie, 1);
    ASSERT_TRUE(bits);
    EXPECT_EQ(bits->image.size(), QSize(16, 16));
    EXPECT_TRUE(near(bits->image.pixelColor(2, 2), QColor(255, 0, 0), 30));
}

TEST(SwfBitmaps, LyingSizesAreRefused)
{
    struct Row {
        QByteArray tag;
        const char *why;
    };
    const Row rows[] = {
        {QByteArray("\x05\xFF\xFF\xFF\xFF", 5), "side too large"},
        {QByteArray("\x05\x00\x00\x04\x00", 5), "zero width"},
        {QByteArray("\x05\x04\x00\x04\x00\x78\x9C\x03\x00", 9), "data shorter than the size"},
        {QByteArray("\x09\x04\x00\x04\x00", 5), "unknown format"},
    };
    for (const Row &row : rows) {
        swf::BitReader in(row.tag);
        EXPECT_THROW(swf::readDefineBitsLossless(in, true), swf::SwfError) << row.why;
    }
}

TEST(SwfBitmapFills, RepeatingFillTilesAndClippedFillDrawsOnce)
{
    MovieWriter repeat(40, 40, 12);
    repeat.defineBitsLossless(1, quadrants(), false);
    QImage tiled = renderBitmapFill(repeat, 40, 5, false); // 20 x 20 pixels per tile
    EXPECT_EQ(tiled.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(tiled.pixelColor(15, 5), QColor(0, 255, 0));
    EXPECT_EQ(tiled.pixelColor(5, 15), QColor(0, 0, 255));
    EXPECT_EQ(tiled.pixelColor(25, 25), QColor(255, 0, 0)) << "second tile";
    EXPECT_EQ(tiled.pixelColor(35, 25), QColor(0, 255, 0));

    MovieWriter clip(40, 40, 12);
    clip.defineBitsLossless(1, quadrants(), false);
    QImage once = renderBitmapFill(clip, 40, 5, true);
    EXPECT_EQ(once.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_NE(once.pixelColor(25, 25), QColor(255, 0, 0)) << "no second tile";
}

TEST(SwfMasks, ClipLayerShowsTheLayersAboveOnlyInsideItsShape)
{
    MovieWriter m(80, 80, 12);
    m.setBackground(Qt::white);
    ShapeBuilder mask;
    mask.setStyles(0, mask.addFill(Fill::solid(Qt::black)), 0);
    mask.rect(20 * kTw, 20 * kTw, 40 * kTw, 40 * kTw);
    m.defineShape(1, mask);
    ShapeBuilder red;
    red.setStyles(0, red.addFill(Fill::solid(Qt::red)), 0);
    red.rect(0, 0, 80 * kTw, 80 * kTw);
    m.defineShape(2, red);
    ShapeBuilder blue;
    blue.setStyles(0, blue.addFill(Fill::solid(Qt::blue)), 0);
    blue.rect(0, 0, 80 * kTw, 10 * kTw);
    m.defineShape(3, blue);
    m.place({1, false, 1, QTransform(), {}, {}, {}, 3}); // masks depths 2..3
    m.place({2, false, 2, QTransform(), {}, {}, {}, {}});
    m.place({4, false, 3, QTransform(), {}, {}, {}, {}}); // above the mask's reach
    m.showFrame();
    auto movie = swftest::load(m.finish());
    QImage image = swftest::render(*swftest::at(movie, 0), QSize(80, 80));
    EXPECT_EQ(image.pixelColor(40, 40), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(10, 40), QColor(Qt::white)) << "outside the mask";
    EXPECT_EQ(image.pixelColor(70, 70), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::blue)) << "depth 4 is not masked";
    EXPECT_EQ(image.pixelColor(25, 25), QColor(Qt::red));
}

TEST(SwfMorphShapes, RatioMovesEdgesAndColoursBetweenStartAndEnd)
{
    MovieWriter m(80, 80, 12);
    m.setBackground(Qt::white);
    ShapeBuilder start, end;
    start.setStyles(0, start.addFill(Fill::solid(QColor(255, 0, 0))), 0);
    start.rect(0, 0, 20 * kTw, 80 * kTw);
    end.addFill(Fill::solid(QColor(0, 0, 255)));
    end.rect(0, 0, 80 * kTw, 80 * kTw);
    m.defineMorphShape(1, start, end);
    for (int ratio : {0, 32768, 65535}) {
        m.place({1, ratio > 0, ratio == 0 ? std::optional<int>(1) : std::nullopt, QTransform(), {}, ratio, {}, {}});
        m.showFrame();
    }
    auto movie = swftest::load(m.finish());
    ASSERT_TRUE(movie->characterAs<swf::MorphShapeCharacter>(1));
    auto root = swftest::at(movie, 0);
    QImage a = swftest::render(*root, QSize(80, 80));
    root->root().gotoFrame(1, false);
    QImage b = swftest::render(*root, QSize(80, 80));
    root->root().gotoFrame(2, false);
    QImage c = swftest::render(*root, QSize(80, 80));
    EXPECT_EQ(a.pixelColor(10, 40), QColor(255, 0, 0));
    EXPECT_EQ(a.pixelColor(30, 40), QColor(Qt::white));
    EXPECT_TRUE(near(b.pixelColor(10, 40), QColor(128, 0, 127), 1));
    EXPECT_TRUE(near(b.pixelColor(45, 40), QColor(128, 0, 127), 1)) << "edge half way, at 50 pixels";
    EXPECT_EQ(b.pixelColor(55, 40), QColor(Qt::white));
    EXPECT_EQ(c.pixelColor(75, 40), QColor(0, 0, 255));
}
