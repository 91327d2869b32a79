// The renderer's placement of nested objects: where a child of a scaled
// sprite lands on the stage.
#include "SwfTestUtil.h"
#include "SwfWriter.h"

#include <gtest/gtest.h>

using swfmake::Fill;
using swfmake::MovieWriter;
using swfmake::ShapeBuilder;
using swfmake::TagWriter;

TEST(SwfRenderer, NestedOriginsLandOnWholeTwips)
{
    // A sprite a quarter size at x = 100 twips holds squares at x = 41 and
    // 39: their origins, at 110.25 and 109.75 twips, are kept to 110, the
    // edge between pixels 4 and 5 half a pixel left of pixel 5's centre, which
    // both squares then cover.
    MovieWriter m(20, 20, 12);
    ShapeBuilder s;
    s.setStyles(0, s.addFill(Fill::solid(Qt::black)), 0);
    s.rect(0, 0, 400, 400);
    m.defineShape(1, s);
    TagWriter sprite;
    sprite.place({1, false, 1, QTransform::fromTranslate(41, 0), {}, {}, {}, {}});
    sprite.place({2, false, 1, QTransform::fromTranslate(39, 800), {}, {}, {}, {}});
    sprite.showFrame();
    m.defineSprite(2, sprite);
    m.place({1, false, 2, QTransform(0.25, 0, 0, 0.25, 100, 0), {}, {}, {}, {}});
    m.showFrame();
    auto movie = swftest::load(m.finish());
    QImage image = swftest::render(*swftest::at(movie, 0), QSize(20, 20));

    for (int y : {2, 12}) {
        EXPECT_EQ(image.pixel(4, y), qRgb(255, 255, 255)) << y;
        EXPECT_EQ(image.pixel(5, y), qRgb(0, 0, 0)) << y;
        EXPECT_EQ(image.pixel(9, y), qRgb(0, 0, 0)) << y;
        EXPECT_EQ(image.pixel(10, y), qRgb(255, 255, 255)) << y;
    }
}
