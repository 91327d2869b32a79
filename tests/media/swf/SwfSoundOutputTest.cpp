// The output's own thread: with no sound device (as here) sounds play out
// on the silent clock at the pace of real time, and the output lets go of
// the device once the movie has been silent for a while.
#include "SoundWriter.h"
#include "SwfTestUtil.h"
#include "WaitFor.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

TEST(SwfSoundOutput, ASoundPlaysOutInRealTimeAndTheOutputIsLetGoAfterSilence)
{
    swfmake::MovieWriter m(100, 100, 12);
    swfmake::Pcm pcm;
    pcm.samples.assign(44100 / 4, 1000); // a quarter of a second
    swfmake::defineSound(m, 1, swfmake::pcmSound(pcm));
    m.showFrame();
    auto movie = swftest::load(m.finish());
    swf::SoundPlayer sound;
    sound.setMovie(movie.get());
    QElapsedTimer clock;
    clock.start();
    swf::SoundMixer::VoiceId id = sound.startSound(1, {});
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(sound.output().running());
    ASSERT_TRUE(WaitFor([&] { return sound.mixer().progress(id).finished; }, 3000));
    EXPECT_GE(clock.elapsed(), 240) << "played at the pace of real time";
    sound.update();
    EXPECT_EQ(sound.eventsPlaying(), 0);
    EXPECT_TRUE(WaitFor([&] { sound.update(); return !sound.output().running(); }, 6000))
        << "the device is let go after a few seconds of silence";
    id = sound.startSound(1, {});
    EXPECT_TRUE(sound.output().running()) << "and opened again for the next sound";
    EXPECT_TRUE(WaitFor([&] { return sound.mixer().progress(id).finished; }, 3000));
}
