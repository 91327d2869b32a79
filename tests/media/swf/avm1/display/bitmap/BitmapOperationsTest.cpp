// Area operations on script bitmaps: the arithmetic movies read back pixel
// by pixel, copies that overlap their own source, and the rules by which
// pixels count as found or hit.
#include "swf/avm1/display/bitmap/BitmapColorOps.h"
#include "swf/avm1/display/bitmap/BitmapCopy.h"
#include "swf/avm1/display/bitmap/BitmapNoise.h"
#include "swf/avm1/display/bitmap/BitmapPixels.h"
#include "swf/avm1/display/bitmap/BitmapScan.h"
#include "swf/avm1/display/geom/ColorTransformData.h"

#include <gtest/gtest.h>

using namespace swf::avm1;

TEST(BitmapOperations, ColorTransformSaturatesAndKeepsClearPixels)
{
    BitmapPixels bitmap(2, 1, true, 0xFF802030u);
    bitmap.setPixel32(1, 0, 0);
    ColorTransformData colors;
    colors.mult[0] = 127.99609375;
    colors.add[0] = -16255;
    colors.add[1] = 300;
    colors.add[3] = 50;
    transformColors(bitmap, bitmap.rect(), colors);
    // 0x80 * 32767 / 256 - 16255 = 128: no clamping before the end.
    EXPECT_EQ(bitmap.pixel32(0, 0), 0xFF80FF30u);
    EXPECT_EQ(bitmap.pixel32(1, 0), 0u);

    ColorTransformData alphaOnly;
    alphaOnly.mult[3] = 2;
    BitmapPixels half(1, 1, true, 0x80FFFFFFu);
    uint32_t before = half.pixel32(0, 0);
    transformColors(half, half.rect(), alphaOnly);
    EXPECT_EQ(half.pixel32(0, 0), before);
}

TEST(BitmapOperations, ThresholdComparesStoredValuesAndCounts)
{
    BitmapPixels source(2, 2, true, 0x12345678u);
    source.setPixel32(0, 0, 0xFFFFFFFFu);
    BitmapPixels dest(3, 3, true, 0xFF000000u);
    ThresholdTest test;
    test.comparison = comparisonNamed("<");
    test.threshold = 0x330000;
    test.mask = 0xFF0000;
    test.color = 0xFF00FF00u;
    test.copySource = true;
    // The stored red of 0x12345678 is 4, below 0x33; white's is not.
    EXPECT_EQ(threshold(dest, source, QRect(0, 0, 2, 2), QPoint(1, 1), test), 3);
    EXPECT_EQ(dest.pixel32(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(dest.pixel32(2, 2), 0xFF00FF00u);
    EXPECT_EQ(dest.pixel32(0, 0), 0xFF000000u);
    EXPECT_EQ(comparisonNamed(">=("), Comparison::Less);
    // Outside the destination nothing is tested.
    EXPECT_EQ(threshold(dest, source, QRect(0, 0, 2, 2), QPoint(100, 100), test), 0);
}

TEST(BitmapOperations, PaletteMapSumsTableEntries)
{
    BitmapPixels bitmap(1, 1, false, 0xFF102030u);
    PaletteTables tables;
    tables[0].emplace();
    tables[0]->fill(0);
    (*tables[0])[0x10] = 0x000001;
    paletteMap(bitmap, bitmap, bitmap.rect(), QPoint(), tables);
    EXPECT_EQ(bitmap.pixel32(0, 0), 0xFF002031u);
}

TEST(BitmapOperations, CopiesOverlappingTheirSource)
{
    BitmapPixels bitmap(4, 1, true, 0);
    for (int x = 0; x < 4; ++x)
        bitmap.setPixel32(x, 0, 0xFF000000u | uint32_t(x));
    scroll(bitmap, 1, 0);
    EXPECT_EQ(bitmap.pixel32(0, 0), 0xFF000000u);
    EXPECT_EQ(bitmap.pixel32(1, 0), 0xFF000000u);
    EXPECT_EQ(bitmap.pixel32(3, 0), 0xFF000002u);
    copyPixels(bitmap, bitmap, QRect(1, 0, 3, 1), QPoint(0, 0), {}, false);
    EXPECT_EQ(bitmap.pixel32(0, 0), 0xFF000000u);
    EXPECT_EQ(bitmap.pixel32(2, 0), 0xFF000002u);
    copyChannel(bitmap, bitmap, QRect(0, 0, 1, 1), QPoint(0, 0), 8, 1);
    EXPECT_EQ(bitmap.pixel32(0, 0), 0xFFFF0000u);
}

TEST(BitmapOperations, CopyPixelsMergesAlphaOnlyWhenAsked)
{
    BitmapPixels dest(1, 1, true, 0xFF0000FFu);
    BitmapPixels half(1, 1, true, 0x80FF0000u);
    copyPixels(dest, half, dest.rect(), QPoint(), {}, false);
    EXPECT_EQ(dest.pixel32(0, 0) >> 24, 0x80u);
    dest.fillRect(dest.rect(), 0xFF0000FFu);
    copyPixels(dest, half, dest.rect(), QPoint(), {}, true);
    uint32_t merged = dest.pixel32(0, 0);
    EXPECT_EQ(merged >> 24, 0xFFu);
    EXPECT_NEAR(int(merged >> 16 & 0xFF), 0x80, 1);
    EXPECT_NEAR(int(merged & 0xFF), 0x7F, 1);
    BitmapPixels mask(1, 1, true, 0);
    copyPixels(dest, half, dest.rect(), QPoint(), {&mask, QPoint()}, false);
    EXPECT_EQ(dest.pixel32(0, 0), 0u);
}

TEST(BitmapOperations, CompareGivesDifferencesOrNothing)
{
    BitmapPixels a(2, 1, true, 0xFF102030u), b(2, 1, true, 0xFF102030u);
    EXPECT_FALSE(difference(a, b));
    b.setPixel32(0, 0, 0xFF203040u);
    b.setPixel32(1, 0, 0x80102030u);
    auto diff = difference(a, b);
    ASSERT_TRUE(diff);
    EXPECT_EQ(diff->pixel32(0, 0), 0xFFF0F0F0u);
    EXPECT_EQ(diff->pixel32(1, 0), 0x7FFFFFFFu);
}

TEST(BitmapOperations, ColorBoundsAndHits)
{
    BitmapPixels bitmap(5, 5, true, 0);
    bitmap.fillRect(QRect(1, 2, 2, 1), 0xA0FFFFFFu);
    EXPECT_EQ(colorBounds(bitmap, 0xFF000000u, 0xA0000000u, true), QRect(1, 2, 2, 1));
    EXPECT_EQ(colorBounds(bitmap, 0xFF000000u, 0xA0000000u, false), QRect(0, 0, 5, 5));
    EXPECT_EQ(colorBounds(bitmap, 0, 0x123456, true), QRect(0, 0, 5, 5));
    EXPECT_TRUE(colorBounds(bitmap, 0xFF000000u, 0x10000000u, true).isEmpty());

    EXPECT_TRUE(opaqueAt(bitmap, QPoint(1, 2), 0xA0));
    EXPECT_FALSE(opaqueAt(bitmap, QPoint(1, 2), 0xFF));
    EXPECT_FALSE(opaqueAt(bitmap, QPoint(0, 0), 0));
    EXPECT_FALSE(opaqueAt(bitmap, QPoint(9, 9), 0));
    EXPECT_TRUE(opaqueWithin(bitmap, QRect(0, 0, 1, 1), 0));
    EXPECT_FALSE(opaqueWithin(bitmap, QRect(3, 0, 2, 5), 1));
    EXPECT_TRUE(opaqueOverlap(bitmap, QPoint(0, 0), 0xA0, bitmap, QPoint(1, 0), 0xA0));
    EXPECT_FALSE(opaqueOverlap(bitmap, QPoint(0, 0), 0xA0, bitmap, QPoint(0, 1), 0xA0));
}

TEST(BitmapOperations, FloodFillStopsAtOtherColoursAndCorners)
{
    BitmapPixels bitmap(4, 3, false, 0xFFFFFFFFu);
    // A wall at x = 2; (3, 0) and (3, 2) are walled off by it and by (3, 1).
    for (int y = 0; y < 3; ++y)
        bitmap.setPixel32(2, y, 0xFF000000u);
    bitmap.setPixel32(3, 1, 0xFF000000u);
    floodFill(bitmap, 0, 0, 0xFFFF0000u);
    EXPECT_EQ(bitmap.pixel32(1, 2), 0xFFFF0000u);
    EXPECT_EQ(bitmap.pixel32(2, 1), 0xFF000000u);
    EXPECT_EQ(bitmap.pixel32(3, 0), 0xFFFFFFFFu);
    EXPECT_EQ(bitmap.pixel32(3, 2), 0xFFFFFFFFu);
    floodFill(bitmap, 9, 9, 0xFF00FF00u);
    floodFill(bitmap, 0, 0, 0xFFFF0000u);
    EXPECT_EQ(bitmap.pixel32(0, 0), 0xFFFF0000u);
}

TEST(BitmapOperations, NoiseKeepsItsRangeChannelsAndSeed)
{
    BitmapPixels a(16, 16, true, 0), b(16, 16, true, 0), other(16, 16, true, 0);
    noise(a, 42, {10, 20, 1 | 4, false});
    noise(b, 42, {10, 20, 1 | 4, false});
    noise(other, 43, {10, 20, 1 | 4, false});
    EXPECT_EQ(a.image(), b.image());
    EXPECT_NE(a.image(), other.image());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            uint32_t p = a.pixel32(x, y);
            EXPECT_EQ(p >> 24, 255u);
            EXPECT_EQ(p >> 8 & 0xFF, 0u);
            EXPECT_GE(p >> 16 & 0xFF, 10u);
            EXPECT_LE(p >> 16 & 0xFF, 20u);
            EXPECT_GE(p & 0xFF, 10u);
            EXPECT_LE(p & 0xFF, 20u);
        }
    }
    noise(a, 7, {0, 255, 7, true});
    uint32_t gray = a.pixel32(3, 3);
    EXPECT_EQ(gray >> 16 & 0xFF, gray & 0xFF);
}
