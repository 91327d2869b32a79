// Painter paths written as SWF shapes: holes stay holes, overlapping parts
// stay filled, curves keep their shape, and installed fonts' glyphs draw.
#include "../../media/swf/SwfTestUtil.h"
#include "EmbeddedFont.h"
#include "PathShape.h"

#include <gtest/gtest.h>

namespace {

using namespace swfmake;

QImage Render(const QByteArray &Bytes)
{
    auto movie = swftest::load(Bytes);
    EXPECT_FALSE(movie->failed()) << movie->error().toStdString();
    return swftest::render(*swftest::at(movie, 0), QSize(200, 100), false);
}

bool Red(const QImage &Image, int X, int Y)
{
    const QColor c = Image.pixelColor(X, Y);
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

TEST(PathShape, HolesStayOpenAndOverlapsStayFilled)
{
    QPainterPath ring;
    ring.addEllipse(QPointF(50, 50), 40, 40);
    ring.addEllipse(QPointF(50, 50), 20, 20); // odd-even: a hole
    QPainterPath pair;
    pair.setFillRule(Qt::WindingFill);
    pair.addEllipse(QPointF(130, 50), 30, 30);
    pair.addEllipse(QPointF(160, 50), 30, 30); // winding: the overlap is filled
    ShapeBuilder shape;
    addFilledLayer(shape, ring, QTransform::fromScale(20, 20), Qt::red);
    addFilledLayer(shape, pair, QTransform::fromScale(20, 20), Qt::red);
    MovieWriter movie(200, 100, 12);
    movie.setBackground(Qt::white);
    movie.defineShape(1, shape, 3);
    movie.place({1, false, 1, QTransform(), {}, {}, {}, {}});
    movie.showFrame();
    const QImage image = Render(movie.finish('F'));
    EXPECT_FALSE(Red(image, 50, 50));  // the hole
    EXPECT_TRUE(Red(image, 50, 20));   // the ring
    EXPECT_TRUE(Red(image, 82, 50));   // the ring, on its curve
    EXPECT_FALSE(Red(image, 50, 5));   // outside the ring
    EXPECT_TRUE(Red(image, 145, 50));  // where the two circles overlap
    EXPECT_TRUE(Red(image, 185, 50));
}

TEST(EmbeddedFont, GlyphsOfInstalledFontsDraw)
{
    EmbeddedFont latin(QStringLiteral("DejaVu Sans"), 1), chinese(QStringLiteral("WenQuanYi Zen Hei"), 2);
    ASSERT_TRUE(latin.Valid());
    ASSERT_TRUE(chinese.Valid());
    EXPECT_FALSE(EmbeddedFont(QStringLiteral("No Such Family 12345"), 3).Valid());
    const EmbeddedFont::Placed word = latin.Centred(QStringLiteral("Hello"), 50 * 20, 45 * 20, 40 * 20, Qt::red);
    const EmbeddedFont::Placed hanzi = chinese.Centred(QString::fromUtf8("你好"), 150 * 20, 45 * 20, 40 * 20, Qt::red);
    // "l" twice is one glyph: the font keeps each glyph once.
    EXPECT_EQ(word.Run.glyphs[2].first, word.Run.glyphs[3].first);
    EXPECT_NEAR(word.Bounds.center().x(), 50 * 20, 40);
    MovieWriter movie(200, 100, 12);
    movie.setBackground(Qt::white);
    latin.Define(movie);
    chinese.Define(movie);
    movie.defineText(3, word.Bounds, {word.Run}, true);
    movie.defineText(4, hanzi.Bounds, {hanzi.Run}, true);
    movie.place({1, false, 3, QTransform(), {}, {}, {}, {}});
    movie.place({2, false, 4, QTransform(), {}, {}, {}, {}});
    movie.showFrame();
    const QImage image = Render(movie.finish('F'));
    int left = 0, right = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            (x < 100 ? left : right) += Red(image, x, y);
    EXPECT_GT(left, 150);
    EXPECT_GT(right, 150);
}

} // namespace
