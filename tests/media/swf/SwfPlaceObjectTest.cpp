// PlaceObject2 and 3 as stored, written here field by field: class name,
// every filter with its fields, blend mode, bitmap caching, visibility,
// background colour and clip actions with 16- and 32-bit event masks.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfTimeline.h"

#include <gtest/gtest.h>
#include <cstring>

using swfmake::BitWriter;
using swf::ClipEvent::KeyPress;
using swf::ClipEvent::Press;
using swf::ClipEvent::Release;

namespace {

void fixed16(BitWriter &w, double v)
{
    w.u32(uint32_t(int32_t(v * 65536)));
}

void f32(BitWriter &w, float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    w.u32(bits);
}

// One filter of each kind, with values that tell the fields apart.
void writeEveryFilter(BitWriter &w)
{
    w.u8(8);
    w.u8(0); // drop shadow
    w.rgba(QColor(1, 2, 3, 4));
    fixed16(w, 5);
    fixed16(w, 6);
    fixed16(w, 0.5);
    fixed16(w, 7);
    w.u16(0x0180); // strength 1.5
    w.ub(1, 1);    // inner
    w.ub(0, 1);    // knockout
    w.ub(0, 1);    // composite source: hide the object
    w.ub(3, 5);    // passes
    w.u8(1); // blur
    fixed16(w, 9);
    fixed16(w, 10);
    w.ub(2, 5);
    w.ub(0, 3);
    w.u8(2); // glow
    w.rgba(QColor(0, 255, 255, 255));
    fixed16(w, 10);
    fixed16(w, 10);
    w.u16(0x0166);
    w.u8(0xE2); // inner, knockout, composite, 2 passes
    w.u8(3); // bevel: highlight first
    w.rgba(QColor(0, 255, 0, 255));
    w.rgba(QColor(0, 0, 255, 255));
    fixed16(w, 10);
    fixed16(w, 10);
    fixed16(w, 0.75);
    fixed16(w, 10);
    w.u16(0x0180);
    w.u8(0xA2); // inner, composite, not on top, 2 passes
    for (int id : {4, 7}) { // gradient glow and gradient bevel
        w.u8(id);
        w.u8(3);
        w.rgba(QColor(255, 0, 255, 255));
        w.rgba(QColor(255, 0, 0, 0));
        w.rgba(QColor(0, 255, 204, 255));
        w.u8(0);
        w.u8(128);
        w.u8(255);
        fixed16(w, 10);
        fixed16(w, 10);
        fixed16(w, 0.25);
        fixed16(w, 10);
        w.u16(0x0119);
        w.u8(id == 4 ? 0x72 : 0x62); // knockout, composite, on top (glow only), 2 passes
    }
    w.u8(5); // convolution
    w.u8(3);
    w.u8(2);
    f32(w, 2);
    f32(w, 1);
    for (int i = 0; i < 6; ++i)
        f32(w, float(i) / 4);
    w.rgba(QColor(255, 102, 0, 255));
    w.u8(0x02); // clamp, not preserving alpha
    w.u8(6); // colour matrix
    for (int i = 0; i < 20; ++i)
        f32(w, float(i) - 0.5f);
}

const swf::PlaceCommand &onlyPlacement(const swf::Movie &movie)
{
    const auto &commands = movie.timeline().frames.at(0).commands;
    const swf::PlaceCommand *p = nullptr;
    for (const swf::FrameCommand &c : commands)
        if (auto *place = std::get_if<swf::PlaceCommand>(&c))
            p = place;
    EXPECT_NE(p, nullptr);
    static const swf::PlaceCommand none;
    return p ? *p : none;
}

std::shared_ptr<swf::Movie> movieWith(int code, const QByteArray &body, int version = 8)
{
    swfmake::MovieWriter m(100, 100, 12, version);
    m.tag(code, body);
    m.showFrame();
    return swftest::load(m.finish());
}

}

TEST(SwfPlaceObject, ThirdVersionCarriesEveryField)
{
    BitWriter w;
    w.u8(0xFE);
    w.u8(0x6F); // background, visible, class name, cache, blend, filters
    w.u16(7);
    w.string("Hero");
    w.u16(3);
    w.matrix(QTransform(1, 0, 0, 1, 20, 40));
    const int mult[4] = {256, 128, 256, 256}, add[4] = {0, 0, 10, 0};
    w.colorTransform(mult, add, true);
    w.u16(500);
    w.string("hero_mc");
    w.u16(9);
    writeEveryFilter(w);
    w.u8(3);    // multiply
    w.u8(1);    // cached as a bitmap
    w.u8(0);    // hidden
    w.rgba(QColor(10, 20, 30, 40));
    w.u16(0);
    w.u32(Press | Release | KeyPress);
    w.u32(Press | Release);
    w.u32(2);
    w.u8(0x07);
    w.u8(0x00);
    w.u32(KeyPress);
    w.u32(3);
    w.u8(13); // enter
    w.u8(0x06);
    w.u8(0x00);
    w.u32(0);
    auto movie = movieWith(70, w.data());
    const swf::PlaceCommand &p = onlyPlacement(*movie);
    EXPECT_EQ(p.depth, 7);
    EXPECT_FALSE(p.move);
    EXPECT_EQ(p.className, "Hero");
    EXPECT_EQ(p.characterId, 3);
    EXPECT_EQ(p.matrix, QTransform(1, 0, 0, 1, 20, 40));
    EXPECT_EQ(p.colorTransform->mult[1], 128);
    EXPECT_EQ(p.colorTransform->add[2], 10);
    EXPECT_EQ(p.ratio, 500);
    EXPECT_EQ(p.name, "hero_mc");
    EXPECT_EQ(p.clipDepth, 9);
    EXPECT_EQ(p.blendMode, swf::BlendMode::Multiply);
    EXPECT_EQ(p.cacheAsBitmap, true);
    EXPECT_EQ(p.visible, false);
    EXPECT_EQ(p.backgroundColor, QColor(10, 20, 30, 40));
    EXPECT_EQ(p.clipEvents, Press | Release | KeyPress);
    ASSERT_EQ(p.clipActions.size(), 2u);
    EXPECT_EQ(p.clipActions[0].events, Press | Release);
    EXPECT_EQ(p.clipActions[0].bytecode, QByteArray("\x07\x00", 2));
    EXPECT_EQ(p.clipActions[1].keyCode, 13);
    EXPECT_EQ(p.clipActions[1].bytecode, QByteArray("\x06\x00", 2));

    ASSERT_TRUE(p.filters.has_value());
    const std::vector<swf::Filter> &f = *p.filters;
    ASSERT_EQ(f.size(), 8u);
    EXPECT_EQ(f[0].kind, swf::Filter::DropShadow);
    EXPECT_EQ(f[0].color, QColor(1, 2, 3, 4));
    EXPECT_EQ(f[0].blurX, 5);
    EXPECT_EQ(f[0].blurY, 6);
    EXPECT_EQ(f[0].angle, 0.5);
    EXPECT_EQ(f[0].distance, 7);
    EXPECT_EQ(f[0].strength, 1.5);
    EXPECT_TRUE(f[0].inner);
    EXPECT_FALSE(f[0].knockout);
    EXPECT_FALSE(f[0].compositeSource);
    EXPECT_EQ(f[0].passes, 3);
    EXPECT_EQ(f[1].kind, swf::Filter::Blur);
    EXPECT_EQ(f[1].blurY, 10);
    EXPECT_EQ(f[1].passes, 2);
    EXPECT_EQ(f[2].kind, swf::Filter::Glow);
    EXPECT_EQ(f[2].color, QColor(0, 255, 255));
    EXPECT_TRUE(f[2].inner && f[2].knockout && f[2].compositeSource);
    EXPECT_EQ(f[2].strength, 0x166 / 256.0);
    EXPECT_EQ(f[3].kind, swf::Filter::Bevel);
    EXPECT_EQ(f[3].highlight, QColor(0, 255, 0));
    EXPECT_EQ(f[3].color, QColor(0, 0, 255));
    EXPECT_EQ(f[3].angle, 0.75);
    EXPECT_TRUE(f[3].inner);
    EXPECT_FALSE(f[3].onTop);
    EXPECT_EQ(f[3].passes, 2);
    for (size_t i : {size_t(4), size_t(5)}) {
        EXPECT_EQ(f[i].kind, i == 4 ? swf::Filter::GradientGlow : swf::Filter::GradientBevel);
        ASSERT_EQ(f[i].gradient.size(), 3u);
        EXPECT_EQ(f[i].gradient[1], std::make_pair(128, QColor(255, 0, 0, 0)));
        EXPECT_EQ(f[i].gradient[2].second, QColor(0, 255, 204));
        EXPECT_EQ(f[i].angle, 0.25);
        EXPECT_TRUE(f[i].knockout);
        EXPECT_FALSE(f[i].inner);
        EXPECT_EQ(f[i].onTop, i == 4);
        EXPECT_EQ(f[i].passes, 2);
    }
    EXPECT_EQ(f[6].kind, swf::Filter::Convolution);
    EXPECT_EQ(f[6].columns, 3);
    EXPECT_EQ(f[6].rows, 2);
    EXPECT_EQ(f[6].divisor, 2);
    EXPECT_EQ(f[6].bias, 1);
    EXPECT_EQ(f[6].matrix, (std::vector<float>{0, 0.25f, 0.5f, 0.75f, 1, 1.25f}));
    EXPECT_EQ(f[6].defaultColor, QColor(255, 102, 0));
    EXPECT_TRUE(f[6].clamp);
    EXPECT_FALSE(f[6].preserveAlpha);
    EXPECT_EQ(f[7].kind, swf::Filter::ColorMatrix);
    EXPECT_EQ(f[7].colorMatrix[0], -0.5f);
    EXPECT_EQ(f[7].colorMatrix[19], 18.5f);
}

TEST(SwfPlaceObject, ClipActionEventsAreSixteenBitsBeforeVersionSix)
{
    BitWriter w;
    w.u8(0x82);
    w.u16(1);
    w.u16(3);
    w.u16(0);
    w.u16(swf::ClipEvent::EnterFrame | swf::ClipEvent::Load);
    w.u16(swf::ClipEvent::EnterFrame);
    w.u32(1);
    w.u8(0);
    w.u16(swf::ClipEvent::Load);
    w.u32(1);
    w.u8(0);
    w.u16(0);
    auto movie = movieWith(26, w.data(), 5);
    const swf::PlaceCommand &p = onlyPlacement(*movie);
    EXPECT_EQ(p.clipEvents, swf::ClipEvent::EnterFrame | swf::ClipEvent::Load);
    ASSERT_EQ(p.clipActions.size(), 2u);
    EXPECT_EQ(p.clipActions[1].events, swf::ClipEvent::Load);
}

TEST(SwfPlaceObject, UnreadableExtrasKeepThePlacement)
{
    // An unknown filter: the object is still placed, without effects.
    BitWriter w;
    w.u8(0x02);
    w.u8(0x03);
    w.u16(4);
    w.u16(2);
    w.u8(1);
    w.u8(42);
    w.u32(0);
    auto movie = movieWith(70, w.data());
    const swf::PlaceCommand &p = onlyPlacement(*movie);
    EXPECT_EQ(p.depth, 4);
    EXPECT_EQ(p.characterId, 2);
    EXPECT_FALSE(p.filters.has_value());
    EXPECT_FALSE(p.blendMode.has_value());

    // Clip actions cut short: likewise.
    BitWriter cut;
    cut.u8(0x82);
    cut.u16(5);
    cut.u16(2);
    cut.u16(0);
    cut.u32(swf::ClipEvent::Load);
    cut.u32(swf::ClipEvent::Load);
    cut.u32(1000);
    cut.u8(0);
    auto second = movieWith(26, cut.data());
    EXPECT_EQ(onlyPlacement(*second).depth, 5);
    EXPECT_TRUE(onlyPlacement(*second).clipActions.empty());
}
