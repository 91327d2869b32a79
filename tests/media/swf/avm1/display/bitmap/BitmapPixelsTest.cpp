// The pixel store of script bitmaps: colours with partial alpha read back
// as premultiplied storage leaves them, opaque bitmaps stay opaque, and
// reads and writes outside the bitmap do nothing.
#include "swf/avm1/display/bitmap/BitmapPixels.h"

#include <gtest/gtest.h>

using swf::avm1::BitmapPixels;

TEST(BitmapPixels, PartialAlphaReadsBackAsThePlayerStoresIt)
{
    BitmapPixels transparent(3, 3, true, 0xAABBCCDDu);
    EXPECT_EQ(transparent.pixel32(1, 2), 0xAABBCCDCu);
    transparent.fillRect(QRect(0, 0, 2, 2), 0x98765432u);
    EXPECT_EQ(transparent.pixel32(1, 1), 0x98755432u);
    EXPECT_EQ(transparent.pixel32(2, 2), 0xAABBCCDCu);
    transparent.setPixel32(0, 0, 0x00123456u);
    EXPECT_EQ(transparent.pixel32(0, 0), 0u);
    transparent.setPixel32(0, 0, 0xFFFFFFFEu);
    EXPECT_EQ(transparent.pixel32(0, 0), 0xFFFFFFFEu);
}

TEST(BitmapPixels, OpaqueBitmapsIgnoreAlpha)
{
    BitmapPixels opaque(3, 3, false, 0xAABBCCDDu);
    EXPECT_EQ(opaque.pixel32(0, 0), 0xFFBBCCDDu);
    opaque.setPixel32(1, 1, 0x10203040u);
    EXPECT_EQ(opaque.pixel32(1, 1), 0xFF203040u);
}

TEST(BitmapPixels, SetPixelKeepsAlphaAndOutsideIsIgnored)
{
    BitmapPixels bitmap(2, 2, true, 0x80000000u);
    bitmap.setPixel(0, 0, 0xFF0000u);
    EXPECT_EQ(bitmap.pixel32(0, 0) >> 24, 0x80u);
    EXPECT_GE(bitmap.pixel32(0, 0) >> 16 & 0xFF, 0xFEu);
    EXPECT_EQ(bitmap.pixel32(0, 0) & 0xFFFF, 0u);
    bitmap.setPixel32(-1, 0, 0xFFFFFFFFu);
    bitmap.setPixel32(0, 2, 0xFFFFFFFFu);
    bitmap.fillRect(QRect(-5, -5, 6, 6), 0xFF00FF00u);
    EXPECT_EQ(bitmap.pixel32(0, 0), 0xFF00FF00u);
    EXPECT_EQ(bitmap.pixel32(1, 1) >> 24, 0x80u);
    EXPECT_EQ(bitmap.pixel32(2, 0), 0u);
    EXPECT_EQ(bitmap.pixel32(0, -1), 0u);
}
