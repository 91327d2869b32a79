// Still shapes drawn from kept pictures look as when drawn afresh; moving
// or huge shapes are not kept.
#include "SampleMovies.h"
#include "SwfTestUtil.h"
#include "SwfWriter.h"

#include <gtest/gtest.h>

namespace {

QImage draw(swf::Renderer &renderer, const swf::Movie &movie, const swftest::Scene &scene, QSize size,
           const QTransform &shift = QTransform())
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(movie.backgroundColor());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(painter, scene.stage, QTransform::fromScale(size.width() / movie.frameSize().width(),
                                                         size.height() / movie.frameSize().height())
                                        * shift);
    return image;
}

int largestChannelDifference(const QImage &a, const QImage &b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

}

TEST(SwfShapeCache, KeptPicturesLookLikeShapesDrawnAfresh)
{
    auto movie = swftest::load(swfmake::busyMovie(120));
    auto root = swftest::at(movie, 0);
    swf::Renderer renderer(*movie);
    QImage fresh = draw(renderer, *movie, *root, QSize(550, 400));
    EXPECT_EQ(renderer.cache().pictures(), 0u) << "nothing is kept after one frame";
    draw(renderer, *movie, *root, QSize(550, 400));
    EXPECT_EQ(renderer.cache().pictures(), 120u);
    QImage kept = draw(renderer, *movie, *root, QSize(550, 400));
    if (!qEnvironmentVariableIsEmpty("SWF_DUMP"))
        kept.save(qEnvironmentVariable("SWF_DUMP") + "/busy.png");
    // Only the rounding of the premultiplied picture's translucent pixels differs.
    EXPECT_LE(largestChannelDifference(fresh, kept), 6);
}

TEST(SwfShapeCache, ShapesMovedByWholePixelsAreDrawnFromKeptPictures)
{
    auto movie = swftest::load(swfmake::busyMovie(120));
    auto root = swftest::at(movie, 0);
    swf::Renderer renderer(*movie);
    for (int x = 0; x < 3; ++x)
        draw(renderer, *movie, *root, QSize(550, 400), QTransform::fromTranslate(x, 0));
    EXPECT_EQ(renderer.cache().pictures(), 120u);
    QImage kept = draw(renderer, *movie, *root, QSize(550, 400), QTransform::fromTranslate(7, -3));
    EXPECT_EQ(renderer.cache().pictures(), 120u) << "the same pictures, shifted";
    swf::Renderer afresh(*movie);
    QImage fresh = draw(afresh, *movie, *root, QSize(550, 400), QTransform::fromTranslate(7, -3));
    EXPECT_LE(largestChannelDifference(fresh, kept), 6);

    // Half a pixel further along, the pictures no longer fit.
    draw(renderer, *movie, *root, QSize(550, 400), QTransform::fromTranslate(7.5, -3));
    EXPECT_EQ(renderer.cache().pictures(), 0u);
}

TEST(SwfShapeCache, MovingAndHugeShapesAreDrawnAfresh)
{
    auto movie = swftest::load(swfmake::demoMovie('F'));
    auto root = swftest::at(movie, 0);
    swf::Renderer renderer(*movie);
    for (int i = 0; i < 4; ++i) {
        root->tick();
        draw(renderer, *movie, *root, QSize(550, 400));
    }
    // Still: ground, sun's face, sign, stripes' mask and the three button
    // and title parts; the sky (550 x 300) is too large, the ball, flower,
    // turning sun and stripes move.
    size_t still = renderer.cache().pictures();
    EXPECT_GE(still, 3u);
    EXPECT_LE(still, 8u);
    draw(renderer, *movie, *root, QSize(2200, 1600));
    EXPECT_LE(renderer.cache().pictures(), still) << "a new scale starts afresh";
}
