// The shared skin drawing routines, checked pixel by pixel on bitmaps.
#include "SUIPublic.h"
#include "SkinBitmaps.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Background = 0x00336699;

// A canvas pixel and the face pixel it must show.
struct PixelFrom {
    int X, Y;
    int FaceX, FaceY;
};

void ExpectPixelsFrom(TBitmap *canvas, const std::vector<PixelFrom> &rows)
{
    for (const PixelFrom &p : rows)
        EXPECT_EQ(canvas->Canvas()->Pixels(p.X, p.Y), CodedColor(p.FaceX, p.FaceY))
            << "canvas pixel (" << p.X << ", " << p.Y << ") should come from face (" << p.FaceX << ", " << p.FaceY
            << ")";
}

int CountPixels(TBitmap *bmp, TColor color)
{
    int n = 0;
    for (int y = 0; y < bmp->Height(); ++y)
        for (int x = 0; x < bmp->Width(); ++x)
            n += bmp->Canvas()->Pixels(x, y) == color;
    return n;
}

} // namespace

TEST(PointInRect, AllFourEdgesCount)
{
    const TRect r = Rect(10, 20, 30, 40);
    struct Row {
        int x, y;
        bool inside;
    };
    const Row rows[] = {
        {10, 20, true},  {30, 40, true},  {30, 20, true},  {10, 40, true},  {20, 30, true},
        {9, 30, false},  {31, 30, false}, {20, 19, false}, {20, 41, false}, {31, 41, false},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(PointInRect(row.x, row.y, r), row.inside) << row.x << ", " << row.y;
        EXPECT_EQ(PointInRect(Point(row.x, row.y), r), row.inside) << row.x << ", " << row.y;
    }
}

TEST(DrawTiled, TilesFromTheCanvasOriginOverTheRectanglesSize)
{
    auto picture = CodedBitmap(4, 3);
    auto canvas = FilledBitmap(20, 20, Background);
    // Only the size 10 x 7 counts: tiles start at (0, 0) and cover 16 x 12.
    DrawTiled(canvas->Canvas(), picture.get(), Rect(5, 5, 15, 12));
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), CodedColor(0, 0));
    EXPECT_EQ(canvas->Canvas()->Pixels(5, 4), CodedColor(1, 1));
    EXPECT_EQ(canvas->Canvas()->Pixels(15, 11), CodedColor(3, 2));
    EXPECT_EQ(canvas->Canvas()->Pixels(16, 0), Background);
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 12), Background);
    EXPECT_EQ(CountPixels(canvas.get(), Background), 20 * 20 - 16 * 12);
}

TEST(DrawTiled, EmptyPictureDrawsNothing)
{
    TBitmap empty;
    auto canvas = FilledBitmap(8, 8, Background);
    DrawTiled(canvas->Canvas(), &empty, Rect(0, 0, 8, 8));
    EXPECT_EQ(CountPixels(canvas.get(), Background), 64);
}

// The 18 x 21 push-button face stretched over 75 x 25: halves of 9 x 10, so
// the top corners are 9 x 10 and 8 x 10, the bottom ones 9 x 9 and 8 x 9.
TEST(DrawNineSlice, ButtonFaceIntoWiderTallerRectangle)
{
    auto face = CodedBitmap(18, 21);
    auto canvas = FilledBitmap(75, 25, Background);
    DrawNineSlice(face.get(), canvas->Canvas(), Rect(0, 0, 75, 25), false);
    ExpectPixelsFrom(canvas.get(), {
                                       // top-left corner (0, 0, 9, 10)
                                       {0, 0, 0, 0},
                                       {8, 9, 8, 9},
                                       // top-right corner (67, 0, 75, 10) from columns 10..17
                                       {67, 0, 10, 0},
                                       {74, 9, 17, 9},
                                       // bottom-left corner (0, 16, 9, 25) from rows 12..20
                                       {0, 16, 0, 12},
                                       {7, 24, 7, 20},
                                       // bottom-right corner (67, 16, 75, 25)
                                       {67, 16, 10, 12},
                                       {74, 24, 17, 20},
                                       // left edge: the face's middle row 10
                                       {0, 10, 0, 10},
                                       {8, 14, 8, 10},
                                       // right edge: the row below it
                                       {67, 10, 10, 11},
                                       {74, 15, 17, 11},
                                       // top edge: column 9 stretched across
                                       {9, 0, 9, 0},
                                       {66, 9, 9, 9},
                                       // centre: the single pixel (9, 10)
                                       {9, 10, 9, 10},
                                       {66, 14, 9, 10},
                                       // bottom edge: one column to the left and one row
                                       // up of the corners, over them
                                       {8, 15, 9, 11},
                                       {8, 24, 9, 20},
                                       {40, 15, 9, 11},
                                       {66, 24, 9, 20},
                                   });
    EXPECT_EQ(CountPixels(canvas.get(), Background), 0);
}

// Smaller than the face: the outer corners stay, cut towards the centre.
TEST(DrawNineSlice, SmallerRectangleKeepsTheOuterCorners)
{
    auto face = CodedBitmap(18, 21);
    auto canvas = FilledBitmap(10, 8, Background);
    DrawNineSlice(face.get(), canvas->Canvas(), Rect(0, 0, 10, 8), false);
    ExpectPixelsFrom(canvas.get(), {
                                       {0, 0, 0, 0},
                                       {4, 3, 4, 3},
                                       {9, 0, 17, 0},
                                       {6, 3, 14, 3},
                                       {0, 7, 0, 20},
                                       {3, 5, 3, 18},
                                       {9, 7, 17, 20},
                                       {6, 5, 14, 18},
                                       {0, 4, 0, 10},
                                       {9, 4, 17, 11},
                                       {5, 0, 9, 0},
                                       {5, 3, 9, 3},
                                       {4, 4, 9, 17},
                                       {4, 7, 9, 20},
                                       {5, 7, 9, 20},
                                   });
    EXPECT_EQ(CountPixels(canvas.get(), Background), 0);
}

TEST(DrawNineSlice, EmptyRectangleDrawsNothing)
{
    auto face = CodedBitmap(18, 21);
    auto canvas = FilledBitmap(20, 20, Background);
    DrawNineSlice(face.get(), canvas->Canvas(), Rect(0, 0, 0, 0), true);
    DrawNineSlice(face.get(), canvas->Canvas(), Rect(0, 0, 0, 0), false);
    EXPECT_EQ(CountPixels(canvas.get(), Background), 400);
}

// The magenta key is left out of the corners only when asked, of the edges
// and centre always.
TEST(DrawNineSlice, MagentaKey)
{
    for (const bool transparent : {false, true}) {
        auto face = CodedBitmap(18, 21);
        face->Canvas()->SetPixels(0, 0, SUI_TRANSPARENT_KEY);  // top-left corner
        face->Canvas()->SetPixels(9, 10, SUI_TRANSPARENT_KEY); // centre and left edge
        auto canvas = FilledBitmap(75, 25, Background);
        DrawNineSlice(face.get(), canvas->Canvas(), Rect(0, 0, 75, 25), transparent);
        EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), transparent ? Background : SUI_TRANSPARENT_KEY);
        EXPECT_EQ(canvas->Canvas()->Pixels(30, 12), Background);
        EXPECT_EQ(canvas->Canvas()->Pixels(0, 12), CodedColor(0, 10));
        EXPECT_EQ(CountPixels(canvas.get(), SUI_TRANSPARENT_KEY), transparent ? 0 : 1);
    }
}

// Three equal columns; the one or two columns beyond 3 * (width div 3) are
// never drawn.
TEST(DrawThreeSlice, CapsAtTheirSizeMiddleStretched)
{
    for (const int width : {45, 46, 47}) {
        SCOPED_TRACE(width);
        auto bmp = CodedBitmap(width, 4);
        auto canvas = FilledBitmap(60, 8, Background);
        DrawThreeSlice(bmp.get(), canvas->Canvas(), Rect(2, 1, 52, 5), false);
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(canvas->Canvas()->Pixels(2, 1 + y), CodedColor(0, y));
            EXPECT_EQ(canvas->Canvas()->Pixels(16, 1 + y), CodedColor(14, y));
            EXPECT_EQ(canvas->Canvas()->Pixels(17, 1 + y), CodedColor(15, y));
            EXPECT_EQ(canvas->Canvas()->Pixels(36, 1 + y), CodedColor(29, y));
            EXPECT_EQ(canvas->Canvas()->Pixels(37, 1 + y), CodedColor(30, y));
            EXPECT_EQ(canvas->Canvas()->Pixels(51, 1 + y), CodedColor(44, y));
        }
        EXPECT_EQ(canvas->Canvas()->Pixels(52, 1), Background);
        EXPECT_EQ(canvas->Canvas()->Pixels(1, 1), Background);
        EXPECT_EQ(canvas->Canvas()->Pixels(2, 0), Background);
        EXPECT_EQ(canvas->Canvas()->Pixels(2, 5), Background);
        EXPECT_EQ(CountPixels(canvas.get(), Background), 60 * 8 - 50 * 4);
    }
}

// With the transparent flag the caps leave out the colour of pixel (0, 0).
TEST(DrawThreeSlice, TransparentCapsLeaveOutTheTopLeftColour)
{
    auto bmp = CodedBitmap(45, 4);
    bmp->Canvas()->SetPixels(1, 1, CodedColor(0, 0));
    bmp->Canvas()->SetPixels(40, 2, CodedColor(0, 0));
    auto canvas = FilledBitmap(60, 8, Background);
    DrawThreeSlice(bmp.get(), canvas->Canvas(), Rect(0, 0, 60, 4), true);
    EXPECT_EQ(canvas->Canvas()->Pixels(0, 0), Background);
    EXPECT_EQ(canvas->Canvas()->Pixels(1, 1), Background);
    EXPECT_EQ(canvas->Canvas()->Pixels(2, 1), CodedColor(2, 1));
    EXPECT_EQ(canvas->Canvas()->Pixels(55, 2), Background);
    EXPECT_EQ(canvas->Canvas()->Pixels(56, 2), CodedColor(41, 2));
}

TEST(RotateBitmap, QuarterTurnsMoveEachPixel)
{
    auto bmp = CodedBitmap(3, 2);
    RotateBitmapLeft(bmp.get());
    ASSERT_EQ(bmp->Width(), 2);
    ASSERT_EQ(bmp->Height(), 3);
    // Counter-clockwise: (x, y) goes to (y, W - 1 - x).
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(bmp->Canvas()->Pixels(y, 2 - x), CodedColor(x, y));

    auto right = CodedBitmap(3, 2);
    RotateBitmapRight(right.get());
    ASSERT_EQ(right->Width(), 2);
    ASSERT_EQ(right->Height(), 3);
    // Clockwise: (x, y) goes to (H - 1 - y, x).
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(right->Canvas()->Pixels(1 - y, x), CodedColor(x, y));
}

TEST(RotateBitmap, LeftThenRightGivesTheBitmapBack)
{
    const auto original = CodedBitmap(16, 21);
    auto bmp = CodedBitmap(16, 21);
    RotateBitmapLeft(bmp.get());
    RotateBitmapRight(bmp.get());
    EXPECT_EQ(bmp->Image(), original->Image());
    RotateBitmapRight(bmp.get());
    RotateBitmapLeft(bmp.get());
    EXPECT_EQ(bmp->Image(), original->Image());
}
