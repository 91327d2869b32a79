// The spoken lesson swfmake writes (an MP3 stream under growing pictures,
// then an MP3 event sound on the last frame) played through the player
// with a recording: the stream's samples come out in frame with the
// pictures and the event sound follows once the lesson has stopped.
#include "SampleMovies.h"
#include "SoundRecording.h"
#include "SwfTestUtil.h"

#include <gtest/gtest.h>

using namespace soundtest;

namespace {

swfmake::Pcm voice(int ms, int rate, double hz)
{
    swfmake::Pcm pcm;
    pcm.rate = rate;
    pcm.samples = sine(rate * ms / 1000, rate, hz, 10000);
    return pcm;
}

}

TEST(SwfSoundLesson, TheStreamPlaysUnderItsFramesThenTheEventSoundAfterTheStop)
{
    auto movie = swftest::load(swfmake::spokenLesson(voice(1000, 22050, 300), voice(500, 22050, 600)));
    ASSERT_GT(movie->framesLoaded(), 12);
    swf::Player player;
    player.sound().setManualOutput(true);
    player.setMovie(movie);
    Recording r;
    int last = movie->framesLoaded() - 1;
    std::vector<std::pair<int, int>> frameAt; // (recorded frames, movie frame)
    for (int i = 0; i < 400 && !(player.frameNum() == last && player.sound().mixer().silent()); ++i) {
        r.pull(player.sound().mixer(), 441);
        if (i % 8 == 0) { // the GUI ticks every 80 ms
            player.tick();
            frameAt.emplace_back(r.frames(), player.frameNum());
        }
    }
    ASSERT_EQ(player.frameNum(), last);
    ASSERT_TRUE(player.sound().mixer().silent());
    // While the word plays the pictures keep its pace: 12 frames a second.
    for (auto [heard, frame] : frameAt) {
        if (heard < 44100) {
            EXPECT_NEAR(frame, heard * 12 / 44100, 1) << heard;
        }
    }
    // A 300 Hz word for a second, then quiet, then the 600 Hz praise.
    auto loud = [&](int from, int to) {
        int n = 0;
        for (int i = from; i < std::min(to, r.frames()); ++i)
            n += std::abs(r.left(i)) > 3000;
        return n;
    };
    EXPECT_GT(loud(2000, 40000), 10000);
    EXPECT_EQ(loud(50000, 80000), 0);
    EXPECT_GT(loud(80000, r.frames()), 3000);
}
