// Objects drawn on pictures of their own: blend modes laid on what lies
// under them (and under masks), alpha and erase only inside a layer, filters
// reaching beyond the object and faded by its colour transform.
#include "SwfTestUtil.h"
#include "SwfWriter.h"

#include <gtest/gtest.h>

using swfmake::Fill;
using swfmake::MovieWriter;
using swfmake::Place;
using swfmake::ShapeBuilder;
using swfmake::TagWriter;

namespace {

constexpr int kTw = 20;

bool near(QRgb a, QColor b, int tolerance = 2)
{
    return std::abs(qRed(a) - b.red()) <= tolerance && std::abs(qGreen(a) - b.green()) <= tolerance
        && std::abs(qBlue(a) - b.blue()) <= tolerance && std::abs(qAlpha(a) - b.alpha()) <= tolerance;
}

void defineRect(MovieWriter &m, int id, const QColor &color, QRect px)
{
    ShapeBuilder s;
    s.setStyles(0, s.addFill(Fill::solid(color)), 0);
    s.rect(px.x() * kTw, px.y() * kTw, px.width() * kTw, px.height() * kTw);
    m.defineShape(id, s);
}

// A sprite showing the given characters at depths 1, 2, ...
void defineSprite(MovieWriter &m, int id, const std::vector<Place> &places)
{
    TagWriter t;
    for (const Place &p : places)
        t.place3(p);
    t.showFrame();
    m.defineSprite(id, t);
}

QImage renderFrame(MovieWriter &m, QSize size)
{
    m.showFrame();
    auto movie = swftest::load(m.finish());
    return swftest::render(*swftest::at(movie, 0), size);
}

Place placed(int depth, int character)
{
    Place p;
    p.depth = depth;
    p.character = character;
    return p;
}

}

TEST(SwfLayers, BlendModesMixWithWhatLiesUnderAndKeepToMasks)
{
    MovieWriter m(40, 20, 12);
    defineRect(m, 1, QColor(200, 100, 50), QRect(0, 0, 20, 20)); // backdrop on the left half
    defineRect(m, 2, QColor(128, 255, 0), QRect(10, 0, 20, 20));
    defineRect(m, 3, Qt::black, QRect(0, 0, 40, 10)); // mask over the top half
    defineSprite(m, 4, {placed(1, 2)});
    m.place({1, false, 1, QTransform(), {}, {}, {}, {}});
    Place multiply = placed(2, 4);
    multiply.blendMode = 3;
    m.place3(multiply);
    Place mask = placed(4, 3);
    mask.clipDepth = 5;
    m.place3(mask);
    Place masked = placed(5, 4);
    masked.blendMode = 3;
    m.place3(masked);
    QImage image = renderFrame(m, QSize(40, 20));

    EXPECT_TRUE(near(image.pixel(5, 5), QColor(200, 100, 50)));   // backdrop alone
    EXPECT_TRUE(near(image.pixel(15, 5), QColor(50, 100, 0)));    // multiplied twice under the mask
    EXPECT_TRUE(near(image.pixel(25, 5), QColor(64, 255, 0)));
    EXPECT_TRUE(near(image.pixel(15, 15), QColor(100, 100, 0)));  // multiplied once below it
    EXPECT_TRUE(near(image.pixel(25, 15), QColor(128, 255, 0)));  // white times the colour
    EXPECT_TRUE(near(image.pixel(35, 15), QColor(Qt::white)));
}

TEST(SwfLayers, AlphaCutsIntoItsLayerAndLeavesTheStageAlone)
{
    MovieWriter m(40, 20, 12);
    defineRect(m, 1, Qt::red, QRect(0, 0, 20, 20));
    defineRect(m, 2, QColor(0, 0, 255, 128), QRect(0, 0, 10, 20));
    Place alpha = placed(2, 2);
    alpha.blendMode = 11;
    // Sprite 3: a red square with a half-transparent cut over its left half.
    defineSprite(m, 3, {placed(1, 1), alpha});
    Place layer = placed(1, 3);
    layer.blendMode = 2;
    m.place3(layer);
    // Sprite 3 again without a layer: the cut does nothing on the stage.
    Place plain = placed(2, 3);
    plain.matrix = QTransform::fromTranslate(20 * kTw, 0);
    m.place3(plain);
    QImage image = renderFrame(m, QSize(40, 20));

    EXPECT_TRUE(near(image.pixel(5, 10), QColor(255, 127, 127), 3)); // half of the red left
    EXPECT_TRUE(near(image.pixel(15, 10), QColor(Qt::red)));
    EXPECT_TRUE(near(image.pixel(25, 10), QColor(Qt::red)));
    EXPECT_TRUE(near(image.pixel(35, 10), QColor(Qt::red)));
}

TEST(SwfLayers, LayerAppliesTransparencyToTheGroup)
{
    MovieWriter m(40, 20, 12);
    defineRect(m, 1, Qt::blue, QRect(0, 0, 20, 20));
    defineRect(m, 2, Qt::blue, QRect(10, 0, 20, 20));
    defineSprite(m, 3, {placed(1, 1), placed(2, 2)});
    Place group = placed(1, 3);
    group.blendMode = 2;
    group.colorTransform = std::make_pair(std::vector<int>{256, 256, 256, 128}, std::vector<int>{0, 0, 0, 0});
    m.place3(group);
    QImage image = renderFrame(m, QSize(40, 20));

    // Where the two squares overlap the group is no more opaque than elsewhere.
    EXPECT_EQ(image.pixel(15, 10), image.pixel(5, 10));
    EXPECT_TRUE(near(image.pixel(5, 10), QColor(127, 127, 255), 3));
}

TEST(SwfLayers, CachedPictureIsFadedWithRounding)
{
    // 76/256 of an opaque pixel is 75.7: the cached picture keeps 76 of it,
    // and 76/256 of the half-transparent square's 127 is 37.7, kept as 38.
    MovieWriter m(40, 20, 12);
    defineRect(m, 1, Qt::blue, QRect(0, 0, 20, 20));
    Place half = placed(2, 1);
    half.matrix = QTransform::fromTranslate(20 * kTw, 0);
    half.colorTransform = std::make_pair(std::vector<int>{256, 256, 256, 128}, std::vector<int>{0, 0, 0, 0});
    TagWriter t;
    t.place3(placed(1, 1));
    t.place3(half);
    t.showFrame();
    m.defineSprite(3, t);
    Place cached = placed(1, 3);
    cached.cacheAsBitmap = true;
    cached.colorTransform = std::make_pair(std::vector<int>{256, 256, 256, 76}, std::vector<int>{0, 0, 0, 0});
    m.place3(cached);
    QImage image = renderFrame(m, QSize(40, 20));

    EXPECT_EQ(image.pixel(5, 10), qRgb(179, 179, 255));
    EXPECT_EQ(image.pixel(25, 10), qRgb(217, 217, 255));
}

TEST(SwfLayers, LayerPictureHoldsWhatItsChildrenFilterBeyondIt)
{
    // A blurred square inside a layered clip, and a blurred square mostly
    // off the stage: both blurs show past the squares' edges.
    MovieWriter m(60, 20, 12);
    defineRect(m, 1, Qt::black, QRect(0, 0, 10, 10));
    Place blurred = placed(1, 1);
    blurred.filters = swfmake::blurFilters(8, 8, 1);
    defineSprite(m, 2, {blurred});
    Place group = placed(1, 2);
    group.matrix = QTransform::fromTranslate(10 * kTw, 5 * kTw);
    group.blendMode = 2;
    m.place3(group);
    Place edge = placed(2, 1);
    edge.matrix = QTransform::fromTranslate(-8 * kTw, 5 * kTw);
    edge.filters = swfmake::blurFilters(8, 8, 1);
    m.place3(edge);
    QImage image = renderFrame(m, QSize(60, 20));

    EXPECT_LT(qRed(image.pixel(22, 10)), 250) << "the child's blur reaches past the clip's square";
    EXPECT_LT(qRed(image.pixel(8, 10)), 250) << "the blur of a square off the stage reaches into view";
    EXPECT_TRUE(near(image.pixel(50, 10), QColor(Qt::white)));
}

TEST(SwfLayers, FiltersReachBeyondTheObjectAndFadeWithIt)
{
    MovieWriter m(60, 20, 12);
    defineRect(m, 1, Qt::black, QRect(10, 5, 10, 10));
    defineSprite(m, 2, {placed(1, 1)});
    Place blurred = placed(1, 2);
    blurred.filters = swfmake::blurFilters(4, 4, 1);
    m.place3(blurred);
    Place faded = blurred;
    faded.depth = 2;
    faded.matrix = QTransform::fromTranslate(30 * kTw, 0);
    faded.colorTransform = std::make_pair(std::vector<int>{256, 256, 256, 128}, std::vector<int>{0, 0, 0, 0});
    m.place3(faded);
    QImage image = renderFrame(m, QSize(60, 20));

    int outside = qRed(image.pixel(9, 10)), inside = qRed(image.pixel(15, 10));
    EXPECT_LT(outside, 230) << "the blur spreads past the square's edge";
    EXPECT_GT(outside, inside);
    EXPECT_TRUE(near(image.pixel(2, 10), QColor(Qt::white)));
    // The faded copy's blur is half as dark, inside and out.
    EXPECT_NEAR(255 - qRed(image.pixel(39, 10)), (255 - outside) / 2, 3);
    EXPECT_NEAR(255 - qRed(image.pixel(45, 10)), (255 - inside) / 2, 3);
}

TEST(SwfLayers, FilteredObjectsSitOnWholePixels)
{
    // A square 10.5 pixels wide: at x = 10.4 it covers the centres of
    // pixels 10 to 20, moved to x = 10 those of 10 to 19 only.
    MovieWriter m(40, 20, 12);
    ShapeBuilder s;
    s.setStyles(0, s.addFill(Fill::solid(Qt::black)), 0);
    s.rect(0, 0, 210, 10 * kTw);
    m.defineShape(1, s);
    defineSprite(m, 2, {placed(1, 1)});
    Place plain = placed(1, 2);
    plain.matrix = QTransform::fromTranslate(208, 0);
    m.place3(plain);
    Place filtered = placed(2, 2);
    filtered.matrix = QTransform::fromTranslate(208, 10 * kTw);
    filtered.filters = swfmake::blurFilters(0, 0, 1);
    m.place3(filtered);
    QImage image = renderFrame(m, QSize(40, 20));

    EXPECT_EQ(image.pixel(20, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(19, 15), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20, 15), qRgb(255, 255, 255));
}

TEST(SwfLayers, MasksHaveAntialiasedEdgesWhenDrawingIsAntialiased)
{
    MovieWriter m(40, 20, 12);
    ShapeBuilder mask;
    mask.setStyles(0, mask.addFill(Fill::solid(Qt::black)), 0);
    mask.rect(0, 0, 20 * kTw, 10 * kTw + kTw / 2); // the bottom edge halfway down row 10
    m.defineShape(1, mask);
    defineRect(m, 2, Qt::red, QRect(0, 0, 40, 20));
    Place clip = placed(1, 1);
    clip.clipDepth = 2;
    m.place3(clip);
    m.place3(placed(2, 2));
    m.showFrame();
    auto movie = swftest::load(m.finish());
    QImage smooth = swftest::render(*swftest::at(movie, 0), QSize(40, 20), true);

    EXPECT_EQ(smooth.pixel(0, 0), qRgb(255, 0, 0)) << "edges on pixel boundaries cover their pixels whole";
    EXPECT_EQ(smooth.pixel(19, 9), qRgb(255, 0, 0));
    EXPECT_TRUE(near(smooth.pixel(5, 10), QColor(255, 128, 128), 3)) << "half of row 10 is masked";
    EXPECT_EQ(smooth.pixel(20, 5), qRgb(255, 255, 255));
    EXPECT_EQ(smooth.pixel(5, 11), qRgb(255, 255, 255));

    QImage aliased = swftest::render(*swftest::at(movie, 0), QSize(40, 20));
    QRgb row10 = aliased.pixel(5, 10);
    EXPECT_TRUE(row10 == qRgb(255, 0, 0) || row10 == qRgb(255, 255, 255)) << "without antialiasing a pixel is in or out";
}
