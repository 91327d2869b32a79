// The skin generator's colour reduction and file writing: what lands in the
// palettised files keeps the transparent key exact and reads back at the
// depth it was written.
#include "Graphics.h"
#include "Paint.h"
#include "Quantize.h"
#include "SkinFiles.h"

#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A smooth two-way gradient (far more colours than a palette holds) with a
// band of the key across it.
QImage GradientWithKey(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, y == h / 2 ? KeyColour.rgb() : qRgb(x * 255 / w, y * 255 / h, 128));
    return image;
}

QSet<QRgb> Colours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) | 0xFF000000);
    return colours;
}

class ReduceColoursTo : public ::testing::TestWithParam<int> {};

TEST_P(ReduceColoursTo, StaysWithinTheBudgetAndKeepsTheKey)
{
    const int budget = GetParam();
    const QImage source = GradientWithKey(40, 31);
    const QImage reduced = ReduceColours(source, budget);
    EXPECT_LE(Colours(reduced).size(), budget);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const bool key = (source.pixel(x, y) | 0xFF000000) == KeyColour.rgb();
            ASSERT_EQ(key, (reduced.pixel(x, y) | 0xFF000000) == KeyColour.rgb()) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(SkinFiles, ReduceColoursTo, ::testing::Values(2, 16, 256));

TEST(SkinFiles, ReducingIsExactWhenTheColoursFitAndTheSameEveryRun)
{
    QImage few(8, 8, QImage::Format_RGB32);
    few.fill(QColor(10, 20, 30));
    few.setPixel(3, 3, qRgb(200, 100, 50));
    EXPECT_EQ(few, ReduceColours(few, 16));

    const QImage many = GradientWithKey(50, 40);
    EXPECT_EQ(ReduceColours(many, 16), ReduceColours(many, 16));
}

struct DepthCase {
    int depth;
    TPixelFormat format;
};

class SaveSkinBitmapAt : public ::testing::TestWithParam<DepthCase> {};

TEST_P(SaveSkinBitmapAt, ReadsBackAtItsDepthWithTheKey)
{
    const DepthCase c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("PICTURE.bmp"));
    ASSERT_TRUE(SaveSkinBitmap(GradientWithKey(13, 9), c.depth, path));
    TBitmap bitmap;
    bitmap.LoadFromFile(path);
    EXPECT_EQ(c.format, bitmap.PixelFormat());
    EXPECT_EQ(13, bitmap.Width());
    EXPECT_EQ(9, bitmap.Height());
    EXPECT_EQ(0x00FF00FF, bitmap.Canvas()->Pixels(6, 4));
}

INSTANTIATE_TEST_SUITE_P(SkinFiles, SaveSkinBitmapAt,
    ::testing::Values(DepthCase{1, pf1bit}, DepthCase{4, pf4bit}, DepthCase{8, pf8bit}, DepthCase{24, pf24bit}),
    [](const auto &info) { return std::to_string(info.param.depth) + "Bits"; });

TEST(SkinFiles, SavingIntoAMissingFolderFails)
{
    EXPECT_FALSE(SaveSkinBitmap(GradientWithKey(4, 4), 8, QStringLiteral("/nonexistent/folder/X.bmp")));
}

// Mostly transparent pixels become the key, the rest are laid on the edge colour.
TEST(SkinFiles, KeyedThresholdsAtHalfCover)
{
    QImage art = NewCanvas(3, 1);
    art.setPixel(0, 0, qPremultiply(qRgba(0, 0, 255, 127)));
    art.setPixel(1, 0, qPremultiply(qRgba(0, 0, 255, 128)));
    art.setPixel(2, 0, qRgba(0, 0, 255, 255));
    const QImage keyed = Keyed(art, QColor(255, 255, 255));
    EXPECT_EQ(KeyColour.rgb(), keyed.pixel(0, 0) | 0xFF000000);
    EXPECT_NE(KeyColour.rgb(), keyed.pixel(1, 0) | 0xFF000000);
    EXPECT_EQ(qRgb(0, 0, 255), keyed.pixel(2, 0) | 0xFF000000);
}

TEST(SkinFiles, IconFileHoldsEverySize)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ICON.ico"));
    std::vector<QImage> images;
    for (int size : {16, 32}) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(qRgba(0, 128, 255, 255));
        image.setPixel(0, 0, 0);
        images.push_back(image);
    }
    ASSERT_TRUE(WriteIco(images, path));
    for (int size : {16, 32}) {
        TIcon icon;
        icon.SetSize(size, size);
        icon.LoadFromFile(path);
        EXPECT_EQ(size, icon.Width());
        EXPECT_EQ(0, qAlpha(icon.Image().pixel(0, 0))) << size;
        EXPECT_EQ(255, qAlpha(icon.Image().pixel(size - 1, size - 1))) << size;
    }
}

} // namespace
