// Event sounds through the mixer, checked on the recorded samples: exact
// copies of PCM, loops, in and out points, envelopes, pan and volume,
// clipping, resampling and what the output has not played yet.
#include "SoundRecording.h"
#include "swf/SwfEventVoice.h"
#include "swf/SwfSoundMixer.h"

#include <gtest/gtest.h>

using namespace soundtest;
using swf::EventVoice;
using swf::SoundInfo;
using swf::SoundMixer;

namespace {

SoundMixer::VoiceId play(SoundMixer &mixer, const swf::EventSound &sound, const SoundInfo &info = {})
{
    return mixer.start(std::make_unique<EventVoice>(sound, info));
}

}

TEST(SwfSoundMix, MonoPcmPlaysUnchangedOnBothSidesThenEnds)
{
    SoundMixer mixer;
    auto id = play(mixer, pcmSound(ramp(1000)));
    Recording r;
    r.pull(mixer, 1500, 300);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(r.left(i), i + 1) << i;
        ASSERT_EQ(r.right(i), i + 1) << i;
    }
    EXPECT_EQ(r.left(1000), 0);
    EXPECT_TRUE(mixer.progress(id).finished);
    EXPECT_EQ(mixer.takeFinished(), std::vector<SoundMixer::VoiceId>{id});
    EXPECT_TRUE(mixer.silent());
}

TEST(SwfSoundMix, StereoKeepsItsSidesAndEightBitIsCentredOnZero)
{
    SoundMixer mixer;
    play(mixer, pcmSound({100, -200, 300, -400}, 3, true));
    swf::EventSound eight;
    eight.format = swf::readSoundFormat(uint8_t(3 << 4 | 3 << 2)); // 8-bit mono at 44.1 kHz
    eight.sampleCount = 3;
    eight.data = QByteArray("\x80\xff\x00", 3);
    Recording r;
    r.pull(mixer, 4);
    EXPECT_EQ(r.left(0), 100);
    EXPECT_EQ(r.right(0), -200);
    EXPECT_EQ(r.left(1), 300);
    EXPECT_EQ(r.right(1), -400);

    SoundMixer other;
    play(other, eight);
    Recording e;
    e.pull(other, 3);
    EXPECT_EQ(e.left(0), 0);
    EXPECT_EQ(e.left(1), 127 << 8);
    EXPECT_EQ(e.left(2), -128 << 8);
}

TEST(SwfSoundMix, LoopsRepeatTheCutBetweenInAndOutPoints)
{
    SoundMixer mixer;
    SoundInfo info;
    info.inPoint = 100;
    info.outPoint = 300;
    info.loops = 3;
    play(mixer, pcmSound(ramp(1000)), info);
    Recording r;
    r.pull(mixer, 700, 128);
    for (int loop = 0; loop < 3; ++loop)
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ(r.left(loop * 200 + i), 101 + i) << loop << " " << i;
    EXPECT_EQ(r.left(600), 0);
}

TEST(SwfSoundMix, AnOutPointPastTheEndAndZeroLoopsPlayTheSoundOnce)
{
    SoundMixer mixer;
    SoundInfo info;
    info.outPoint = 5000;
    info.loops = 0;
    play(mixer, pcmSound(ramp(300)), info);
    Recording r;
    r.pull(mixer, 700);
    EXPECT_EQ(r.left(299), 300);
    EXPECT_EQ(r.left(300), 0);
}

TEST(SwfSoundMix, EnvelopeScalesEachSideBetweenItsPoints)
{
    SoundMixer mixer;
    SoundInfo info;
    info.envelope = {{0, 0, 32768}, {1000, 32768, 0}, {2000, 16384, 16384}};
    std::vector<int16_t> flat(3000, 10000);
    play(mixer, pcmSound(flat), info);
    Recording r;
    r.pull(mixer, 3000);
    EXPECT_EQ(r.left(0), 0);
    EXPECT_EQ(r.right(0), 10000);
    EXPECT_EQ(r.left(500), 5000);
    EXPECT_EQ(r.right(500), 5000);
    EXPECT_EQ(r.left(1000), 10000);
    EXPECT_EQ(r.right(1000), 0);
    EXPECT_EQ(r.left(1500), 7500);
    EXPECT_EQ(r.right(1500), 2500);
    EXPECT_EQ(r.left(2999), 5000) << "after the last point its level holds";
    EXPECT_EQ(r.right(2999), 5000);
}

TEST(SwfSoundMix, EnvelopePositionsCountFromTheSoundsStartNotTheInPoint)
{
    SoundMixer mixer;
    SoundInfo info;
    info.inPoint = 1000;
    info.envelope = {{0, 0, 0}, {2000, 32768, 32768}};
    play(mixer, pcmSound(std::vector<int16_t>(3000, 8000)), info);
    Recording r;
    r.pull(mixer, 10);
    EXPECT_EQ(r.left(0), 4000);
}

TEST(SwfSoundMix, PanVolumeAndTheControlsVolume)
{
    struct Case {
        int pan, volume, control;
        int left, right;
    };
    for (const Case &c : {Case{0, 100, 100, 1000, 1000}, Case{-100, 100, 100, 1000, 0}, Case{100, 100, 100, 0, 1000},
                          Case{-50, 100, 100, 1000, 500}, Case{0, 50, 100, 500, 500}, Case{0, 100, 25, 250, 250},
                          Case{50, 40, 50, 100, 200}}) {
        SoundMixer mixer;
        mixer.setVolume(c.control);
        auto voice = std::make_unique<EventVoice>(pcmSound(std::vector<int16_t>(10, 1000)), SoundInfo{});
        voice->setTransform(swf::SoundTransform::panned(c.pan, c.volume));
        mixer.start(std::move(voice));
        Recording r;
        r.pull(mixer, 5);
        EXPECT_EQ(r.left(2), c.left) << c.pan << " " << c.volume << " " << c.control;
        EXPECT_EQ(r.right(2), c.right) << c.pan << " " << c.volume << " " << c.control;
    }
}

TEST(SwfSoundMix, TransformCrossesChannels)
{
    swf::SoundTransform swap;
    swap.leftToLeft = 0;
    swap.rightToRight = 0;
    swap.leftToRight = 100;
    swap.rightToLeft = 100;
    SoundMixer mixer;
    auto voice = std::make_unique<EventVoice>(pcmSound({1000, -3000}, 3, true), SoundInfo{});
    voice->setTransform(swap);
    mixer.start(std::move(voice));
    Recording r;
    r.pull(mixer, 1);
    EXPECT_EQ(r.left(0), -3000);
    EXPECT_EQ(r.right(0), 1000);
    EXPECT_EQ(swf::SoundTransform::panned(-30).pan(), -30);
    EXPECT_EQ(swf::SoundTransform::panned(70).pan(), 70);
}

TEST(SwfSoundMix, SoundsAddUpAndClipInsteadOfWrappingAround)
{
    SoundMixer mixer;
    play(mixer, pcmSound(std::vector<int16_t>(10, 30000)));
    play(mixer, pcmSound(std::vector<int16_t>(10, 30000)));
    play(mixer, pcmSound(std::vector<int16_t>(10, -1000)));
    Recording r;
    r.pull(mixer, 10);
    EXPECT_EQ(r.left(0), 32767);
    SoundMixer low;
    play(low, pcmSound(std::vector<int16_t>(10, -30000)));
    play(low, pcmSound(std::vector<int16_t>(10, -30000)));
    Recording q;
    q.pull(low, 10);
    EXPECT_EQ(q.left(0), -32768);
}

TEST(SwfSoundMix, LowerRatesAreResampledToTheMixRate)
{
    SoundMixer mixer;
    auto id = play(mixer, pcmSound(sine(11025, 11025, 441), 1)); // one second at 11 kHz
    Recording r;
    r.pull(mixer, 50000);
    EXPECT_TRUE(mixer.progress(id).finished);
    int last = 0;
    for (int i = 0; i < r.frames(); ++i)
        if (r.left(i) != 0)
            last = i;
    EXPECT_NEAR(last, 44100, 64);
    // A 441 Hz tone crosses zero upwards every 100 frames at 44.1 kHz.
    int crossings = 0;
    for (int i = 1000; i < 11000; ++i)
        if (r.left(i - 1) < 0 && r.left(i) >= 0)
            ++crossings;
    EXPECT_EQ(crossings, 100);
}

TEST(SwfSoundMix, ProgressCountsOnlyWhatTheOutputHasPlayed)
{
    SoundMixer mixer;
    auto id = play(mixer, pcmSound(std::vector<int16_t>(44100, 1)));
    Recording r;
    r.pull(mixer, 4410);
    EXPECT_EQ(mixer.progress(id).framesPlayed, 4410);
    mixer.setOutputDelay(1000);
    EXPECT_EQ(mixer.progress(id).framesPlayed, 3410);
    r.pull(mixer, 44100 - 4410);
    EXPECT_EQ(mixer.progress(id).framesPlayed, 44100 - 1000);
    EXPECT_FALSE(mixer.progress(id).finished) << "the last piece is still in the output";
    EXPECT_TRUE(mixer.takeFinished().empty());
    mixer.setOutputDelay(0);
    EXPECT_TRUE(mixer.progress(id).finished);
}

TEST(SwfSoundMix, StoppedSoundsFallSilentAtTheNextPull)
{
    SoundMixer mixer;
    auto a = play(mixer, pcmSound(std::vector<int16_t>(44100, 100)));
    play(mixer, pcmSound(std::vector<int16_t>(44100, 10)));
    Recording r;
    r.pull(mixer, 100);
    mixer.stop(a);
    r.pull(mixer, 100);
    EXPECT_EQ(r.left(99), 110);
    EXPECT_EQ(r.left(100), 10);
    mixer.stopAll();
    r.pull(mixer, 100);
    EXPECT_EQ(r.left(200), 0);
    EXPECT_TRUE(mixer.silent());
    EXPECT_TRUE(mixer.takeFinished().empty()) << "stopped sounds did not play out";
}

TEST(SwfSoundMix, StopAllLetsGoOfQueuedSoundsWhileNothingPulls)
{
    // A voice that says when it is released.
    struct Watched : EventVoice {
        Watched(const swf::EventSound &sound, int &alive) : EventVoice(sound, {}), alive(alive) { ++alive; }
        ~Watched() override { --alive; }
        int &alive;
    };
    SoundMixer mixer;
    const swf::EventSound sound = pcmSound(std::vector<int16_t>(100, 7));
    int alive = 0;
    for (int movie = 0; movie < 50; ++movie) {
        mixer.start(std::make_unique<Watched>(sound, alive));
        mixer.stopAll();
    }
    EXPECT_EQ(alive, 0) << "stopped sounds are kept until an output pulls";
    auto kept = mixer.start(std::make_unique<Watched>(sound, alive));
    Recording r;
    r.pull(mixer, 50);
    EXPECT_EQ(r.left(0), 7) << "a sound started after the stop still plays";
    EXPECT_FALSE(mixer.progress(kept).finished);
}

TEST(SwfSoundMix, BrokenDataEndsTheSoundQuietly)
{
    for (int codec : {1, 2, 4, 5, 6, 11, 9}) {
        swf::EventSound sound;
        sound.format = swf::readSoundFormat(uint8_t(codec << 4 | 3 << 2 | 2));
        sound.sampleCount = 100000;
        sound.data = QByteArray(3000, '\x5a');
        SoundMixer mixer;
        auto id = play(mixer, sound);
        Recording r;
        r.pull(mixer, 44100 * 3, 4410);
        EXPECT_TRUE(mixer.progress(id).finished) << codec;
    }
}
