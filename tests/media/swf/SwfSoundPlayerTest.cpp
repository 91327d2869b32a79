// Event sounds started by frames: of the root and of sprites, once per
// frame shown, not from frames a jump passes over, with "no second copy"
// and "stop" honoured, and silenced by stopping the player.
#include "SoundRecording.h"
#include "SoundWriter.h"
#include "SwfTestUtil.h"

#include <gtest/gtest.h>

using namespace soundtest;

namespace {

// Sound `id` holds `value` for 10 ms, or for a second when `longer`.
void defineValue(swfmake::MovieWriter &m, int id, int value, bool longer = false)
{
    swfmake::Pcm pcm;
    pcm.samples.assign(longer ? 44100 : 441, int16_t(value));
    swfmake::defineSound(m, id, swfmake::pcmSound(pcm));
}

class SwfSoundPlayer : public testing::Test {
protected:
    void open(const QByteArray &bytes)
    {
        player.sound().setManualOutput(true);
        player.setAutoPlay(false);
        movie = swftest::load(bytes);
        player.setMovie(movie);
    }
    // The loudest sample of the next 20 ms.
    int listen()
    {
        Recording r;
        r.pull(player.sound().mixer(), 882);
        int most = 0;
        for (int16_t s : r.samples)
            most = std::max<int>(most, s);
        return most;
    }

    swf::Player player;
    std::shared_ptr<swf::Movie> movie;
};

}

TEST_F(SwfSoundPlayer, FramesStartTheirSoundsWhenShownButNotWhenPassedOver)
{
    swfmake::MovieWriter m(100, 100, 12);
    for (int i = 1; i <= 4; ++i)
        defineValue(m, i, 1000 * i);
    for (int f = 0; f < 4; ++f) {
        swfmake::startSound(m, f + 1);
        m.showFrame();
    }
    open(m.finish());
    EXPECT_EQ(listen(), 1000) << "the first frame's sound";
    EXPECT_EQ(listen(), 0);
    player.setFrameNum(1);
    EXPECT_EQ(listen(), 2000);
    player.setFrameNum(3);
    EXPECT_EQ(listen(), 4000) << "the frame jumped to, not frame 2 passed over";
    player.setFrameNum(3);
    EXPECT_EQ(listen(), 0) << "staying on a frame does not start its sound again";
}

TEST_F(SwfSoundPlayer, SpritesPlayTheSoundsOfTheirOwnFrames)
{
    swfmake::MovieWriter m(100, 100, 12);
    defineValue(m, 1, 1500);
    swfmake::TagWriter sprite;
    sprite.showFrame();
    swfmake::startSound(sprite, 1);
    sprite.showFrame();
    m.defineSprite(2, sprite);
    m.place({1, false, 2, QTransform(), {}, {}, {}, {}});
    m.showFrame();
    m.showFrame();
    open(m.finish());
    EXPECT_EQ(listen(), 0);
    player.tick(); // the root stands, the sprite moves to its second frame
    EXPECT_EQ(listen(), 1500);
}

TEST_F(SwfSoundPlayer, NoSecondCopyAndStopActOnTheSameSound)
{
    swfmake::MovieWriter m(100, 100, 12);
    defineValue(m, 1, 1000, true);
    swfmake::startSound(m, 1);
    m.showFrame();
    swfmake::SoundStart once;
    once.noMultiple = true;
    swfmake::startSound(m, 1, once);
    m.showFrame();
    swfmake::startSound(m, 1);
    m.showFrame();
    swfmake::SoundStart stop;
    stop.stop = true;
    swfmake::startSound(m, 1, stop);
    m.showFrame();
    open(m.finish());
    EXPECT_EQ(listen(), 1000);
    player.setFrameNum(1);
    EXPECT_EQ(listen(), 1000) << "no second copy while the first plays";
    player.setFrameNum(2);
    EXPECT_EQ(listen(), 2000) << "a plain start adds a copy";
    player.setFrameNum(3);
    EXPECT_EQ(listen(), 0) << "stop silences every copy";
}

TEST_F(SwfSoundPlayer, StoppingThePlayerSilencesEventSoundsToo)
{
    swfmake::MovieWriter m(100, 100, 12);
    defineValue(m, 1, 1000, true);
    swfmake::startSound(m, 1);
    m.showFrame();
    open(m.finish());
    EXPECT_EQ(listen(), 1000);
    player.stop();
    EXPECT_EQ(listen(), 0);
    player.tick();
    EXPECT_EQ(player.sound().eventsPlaying(), 0);
}

TEST_F(SwfSoundPlayer, NoMoreThanThirtyTwoEventSoundsPlayAtOnce)
{
    swfmake::MovieWriter m(100, 100, 12);
    defineValue(m, 1, 10, true);
    for (int i = 0; i < 40; ++i)
        swfmake::startSound(m, 1);
    m.showFrame();
    open(m.finish());
    EXPECT_EQ(player.sound().eventsPlaying(), 32);
    EXPECT_EQ(listen(), 320);
}
