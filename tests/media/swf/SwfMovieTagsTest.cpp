// Tags about the movie rather than its pictures, written here field by
// field: file attributes, protection, debugging, script limits, exports and
// imports, the first background colour, init actions, tab order, named
// anchors, nine-slice grids and DefineBitsJPEG4.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfCharacter.h"
#include "swf/SwfTimeline.h"

#include <QBuffer>
#include <gtest/gtest.h>

using swfmake::BitWriter;

namespace {

std::shared_ptr<swf::Movie> movieOf(const std::vector<std::pair<int, QByteArray>> &tags, int version = 8)
{
    swfmake::MovieWriter m(100, 100, 12, version);
    for (const auto &[code, body] : tags)
        code == 1 ? m.showFrame() : m.tag(code, body);
    return swftest::load(m.finish());
}

template <class F> QByteArray bytes(F write)
{
    BitWriter w;
    write(w);
    return w.data();
}

}

TEST(SwfMovieTags, MovieInfoTags)
{
    auto movie = movieOf({
        {69, bytes([](BitWriter &w) { w.u32(0x19); })}, // metadata, AS3 flag, network
        {24, QByteArray()},
        {64, bytes([](BitWriter &w) { w.u16(0); w.string("hash"); })},
        {65, bytes([](BitWriter &w) { w.u16(1000); w.u16(30); })},
        {56, bytes([](BitWriter &w) { w.u16(2); w.u16(3); w.string("Ball"); w.u16(4); w.string("Ball"); })},
        {57, bytes([](BitWriter &w) { w.string("lib.swf"); w.u16(1); w.u16(9); w.string("Tree"); })},
        {71, bytes([](BitWriter &w) { w.string("more.swf"); w.u8(1); w.u8(0); w.u16(1); w.u16(10); w.string("Rock"); })},
        {1, {}},
    });
    const swf::MovieInfo &info = movie->info();
    EXPECT_TRUE(info.useNetwork);
    EXPECT_TRUE(info.actionScript3);
    EXPECT_TRUE(info.hasMetadata);
    EXPECT_FALSE(info.useGpu);
    EXPECT_TRUE(info.protectedMovie);
    EXPECT_TRUE(info.debuggerEnabled);
    EXPECT_EQ(info.maxRecursionDepth, 1000);
    EXPECT_EQ(info.scriptTimeoutSeconds, 30);
    EXPECT_EQ(info.exports.value("Ball"), 3); // the first export of a name stands
    ASSERT_EQ(info.imports.size(), 2u);
    EXPECT_EQ(info.imports[0].url, "lib.swf");
    EXPECT_EQ(info.imports[0].assets, (std::vector<std::pair<uint16_t, QString>>{{9, "Tree"}}));
    EXPECT_EQ(info.imports[1].url, "more.swf");
    EXPECT_EQ(info.imports[1].assets.at(0).second, "Rock");
    // The importing frame waits until both movies were provided, even as failures.
    EXPECT_EQ(movie->framesLoaded(), 0);
    EXPECT_FALSE(movie->finished());
    movie->provideImport(1, nullptr);
    movie->provideImport(0, nullptr);
    EXPECT_EQ(movie->framesLoaded(), 1);
    EXPECT_TRUE(movie->finished());
    EXPECT_EQ(movie->character(9), nullptr);
}

TEST(SwfMovieTags, TheFirstBackgroundColourCounts)
{
    auto movie = movieOf({{9, bytes([](BitWriter &w) { w.rgb(QColor(1, 2, 3)); })},
                          {9, bytes([](BitWriter &w) { w.rgb(QColor(200, 0, 0)); })},
                          {1, {}}});
    EXPECT_EQ(movie->backgroundColor(), QColor(1, 2, 3));
    EXPECT_EQ(movieOf({{1, {}}})->backgroundColor(), QColor(Qt::white));
}

TEST(SwfMovieTags, FrameTagsInitActionsTabOrderAndAnchors)
{
    auto movie = movieOf({
        {59, bytes([](BitWriter &w) { w.u16(5); w.u8(0x07); w.u8(0); })},
        {66, bytes([](BitWriter &w) { w.u16(3); w.u16(12); })},
        {43, bytes([](BitWriter &w) { w.string("intro"); w.u8(1); })},
        {1, {}},
        {43, bytes([](BitWriter &w) { w.string("plain"); })},
        {1, {}},
    });
    ASSERT_EQ(movie->framesLoaded(), 2);
    const auto &commands = movie->timeline().frames[0].commands;
    ASSERT_EQ(commands.size(), 2u);
    auto *init = std::get_if<swf::InitActionCommand>(&commands[0]);
    ASSERT_NE(init, nullptr);
    EXPECT_EQ(init->spriteId, 5);
    EXPECT_EQ(init->bytecode, QByteArray("\x07\x00", 2));
    auto *tab = std::get_if<swf::TabIndexCommand>(&commands[1]);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->depth, 3);
    EXPECT_EQ(tab->index, 12);
    EXPECT_EQ(movie->timeline().labels.value("intro"), 0);
    EXPECT_EQ(movie->timeline().labels.value("plain"), 1);
    EXPECT_TRUE(movie->timeline().anchors.contains("intro"));
    EXPECT_FALSE(movie->timeline().anchors.contains("plain"));
}

TEST(SwfMovieTags, DoActionKeepsItsBytecode)
{
    QByteArray code("\x96\x02\x00\x08\x00\x26\x07\x00", 8); // push, trace, stop
    auto movie = movieOf({{12, code}, {1, {}}});
    auto *action = std::get_if<swf::ActionCommand>(&movie->timeline().frames.at(0).commands.at(0));
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->bytecode, code);
}

TEST(SwfMovieTags, ScalingGridAndJpeg4)
{
    QImage picture(8, 4, QImage::Format_RGB32);
    picture.fill(QColor(0, 100, 0)); // green 200 premultiplied by the half alpha below
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPEG", 100);
    QByteArray alpha = qCompress(QByteArray(32, '\x80')).mid(4); // zlib data without Qt's length
    auto movie = movieOf({
        {90, bytes([&](BitWriter &w) { w.u16(2); w.u32(uint32_t(jpeg.size())); w.u16(0x0100); w.bytes(jpeg); w.bytes(alpha); })},
        {78, bytes([](BitWriter &w) { w.u16(2); w.rect(QRect(20, 20, 100, 40)); })},
        {1, {}},
    });
    auto *bitmap = movie->characterAs<swf::BitmapCharacter>(2);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_EQ(bitmap->image.size(), QSize(8, 4));
    EXPECT_EQ(qAlpha(bitmap->image.pixel(3, 2)), 0x80);
    EXPECT_NEAR(qGreen(bitmap->image.pixel(3, 2)), 100, 3);
    EXPECT_EQ(bitmap->scalingGrid, QRectF(20, 20, 100, 40));
}
