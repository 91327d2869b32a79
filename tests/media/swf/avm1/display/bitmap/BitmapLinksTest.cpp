// Script bitmaps on the stage: a clip shows an attached bitmap where the
// clip is, and later changes to the bitmap's pixels show at the next frame.
#include "../ScriptTestUtil.h"
#include "swf/SwfMovieClip.h"

#include <gtest/gtest.h>

using namespace swftest::scripts;

TEST(BitmapLinks, AttachedBitmapShowsItsPixelsAsTheyChange)
{
    ActionWriter w;
    // bmp = new flash.display.BitmapData(4, 3, false, 0xFF0000FF)
    w.push({QStringLiteral("bmp"), 0xFF0000FFu * 1.0, false, 3, 4, 4});
    get(w, QStringLiteral("flash.display")).push({QStringLiteral("BitmapData")}).op(Op::NewMethod).op(Op::SetVariable);
    // clip.attachBitmap(bmp, 5)
    w.push({5}).getVariable(QStringLiteral("bmp")).push({2});
    get(w, QStringLiteral("clip")).push({QStringLiteral("attachBitmap")}).op(Op::CallMethod).op(Op::Pop);
    // bmp.setPixel32(3, 2, 0xFF00FF00), after attaching
    w.push({0xFF00FF00u * 1.0, 2, 3, 3});
    get(w, QStringLiteral("bmp")).push({QStringLiteral("setPixel32")}).op(Op::CallMethod).op(Op::Pop);
    Played p(boxMovie(w));
    // The clip is at (10, 10); its bitmap covers (10, 10) to (14, 13), above the box.
    QImage shown = swftest::render(p.scene, QSize(200, 200));
    EXPECT_EQ(shown.pixel(10, 10), 0xFF0000FFu);
    EXPECT_EQ(shown.pixel(12, 11), 0xFF0000FFu);
    EXPECT_EQ(shown.pixel(13, 12), 0xFF00FF00u);
    EXPECT_EQ(shown.pixel(14, 10), 0xFFFF0000u);
}
