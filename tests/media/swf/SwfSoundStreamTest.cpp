// Stream sound and the timeline: the root follows its stream sound over ten
// minutes of simulated play while the output stalls and jumps and the GUI
// thread hangs, seeking and pausing restart the sound where the pictures
// are, and a movie still arriving plays as far as it has come. Each frame's
// block holds one value, so the recorded samples tell which frame's sound
// is being heard.
#include "SoundRecording.h"
#include "SoundWriter.h"
#include "SwfTestUtil.h"

#include <gtest/gtest.h>
#include <random>

using namespace soundtest;

namespace {

constexpr double kFps = 12;
constexpr int kRate = 11025;
constexpr int kCycle = 300; // frames before the values repeat

int16_t frameValue(int frame)
{
    return int16_t(100 * (frame % kCycle + 1));
}

// A movie of `frames` frames whose stream sound holds frameValue(k) in frame k.
QByteArray valueMovie(int frames)
{
    swfmake::Pcm pcm;
    pcm.rate = kRate;
    double perFrame = kRate / kFps;
    for (int k = 0; k < frames; ++k) {
        auto from = std::llround(k * perFrame), to = std::llround((k + 1) * perFrame);
        pcm.samples.insert(pcm.samples.end(), size_t(to - from), frameValue(k));
    }
    swfmake::MovieWriter movie(100, 100, kFps);
    swfmake::StreamData stream = swfmake::pcmStream(pcm, kFps);
    swfmake::writeStreamHead(movie, stream);
    for (int k = 0; k < frames; ++k) {
        swfmake::writeStreamBlock(movie, stream, k);
        movie.showFrame();
    }
    return movie.finish();
}

// Which frame's sound the last pulled samples are, or -1 for silence.
int heardFrame(const Recording &r)
{
    if (r.frames() == 0)
        return -1;
    int value = r.left(r.frames() - 1);
    return value < 50 ? -1 : (value + 50) / 100 - 1;
}

// Frames apart, on the cycle of values.
int apart(int shown, int heard)
{
    int d = std::abs(shown % kCycle - heard);
    return std::min(d, kCycle - d);
}

class SwfSoundStream : public testing::Test {
protected:
    void open(const QByteArray &bytes)
    {
        player.sound().setManualOutput(true);
        movie = swftest::load(bytes);
        player.setMovie(movie);
    }
    // Pulls `ms` milliseconds of sound.
    void listen(int ms) { recording.pull(player.sound().mixer(), int(int64_t(ms) * swf::kMixRate / 1000)); }

    swf::Player player;
    std::shared_ptr<swf::Movie> movie;
    Recording recording;
};

}

TEST_F(SwfSoundStream, FramesFollowTheSoundForTenMinutesWhileClocksStallAndJump)
{
    const int frames = 7200;
    open(valueMovie(frames));
    std::mt19937 random(23);
    int64_t pulled = 0;
    int64_t nextPull = 0, nextTick = 0;
    int64_t audioStallUntil = 0, guiStallUntil = 0;
    int checks = 0, worst = 0, skipped = 0, held = 0;
    for (int64_t ms = 0; ms < 600000; ++ms) {
        // The output: 10 ms pieces; now and then it stalls for up to 0.8 s
        // and then takes everything it owes at once.
        if (ms >= audioStallUntil && ms >= nextPull) {
            if (random() % 400 == 0)
                audioStallUntil = ms + 200 + random() % 600;
            int64_t due = ms * swf::kMixRate / 1000 - pulled;
            if (due > 0) {
                recording.samples.clear();
                recording.pull(player.sound().mixer(), int(due), 1 + int(random() % 2000));
                pulled += due;
            }
            nextPull = ms + 10;
        }
        // The GUI thread: ticks at the frame rate with jitter, and hangs
        // for up to 1.5 s now and then.
        if (ms >= guiStallUntil && ms >= nextTick) {
            if (random() % 300 == 0)
                guiStallUntil = ms + 100 + random() % 1400;
            int before = player.frameNum();
            player.tick();
            int step = player.frameNum() - before;
            skipped += step > 1;
            held += step == 0;
            int heard = heardFrame(recording);
            if (heard >= 0 && player.frameNum() < frames - 1) {
                int d = apart(player.frameNum(), heard);
                worst = std::max(worst, d);
                ++checks;
                ASSERT_LE(d, 1) << "at " << ms << " ms: frame " << player.frameNum() << ", sound of " << heard;
            }
            nextTick = ms + 1000 / int(kFps) + int(random() % 7) - 3;
        }
    }
    EXPECT_GT(checks, 5000);
    EXPECT_GT(skipped, 10) << "frames were skipped to catch up";
    EXPECT_GT(held, 10) << "frames were held to wait";
    EXPECT_GT(player.frameNum(), frames - 40) << "the whole movie played in its ten minutes";
}

TEST_F(SwfSoundStream, SeekingAndPausingRestartTheSoundWhereThePicturesAre)
{
    open(valueMovie(600));
    listen(520);
    player.tick();
    EXPECT_EQ(player.frameNum(), 6);
    EXPECT_EQ(heardFrame(recording), 6);

    player.setFrameNum(250);
    listen(50);
    EXPECT_EQ(heardFrame(recording), 250) << "the sound starts again at the frame sought";
    player.tick();
    EXPECT_EQ(player.frameNum(), 250) << "held until the frame's sound has played";
    listen(100);
    player.tick();
    EXPECT_EQ(player.frameNum(), 251);

    player.stop();
    listen(200);
    EXPECT_EQ(heardFrame(recording), -1) << "pausing silences the stream";
    player.tick();
    EXPECT_EQ(player.frameNum(), 251);
    player.play();
    listen(40);
    EXPECT_EQ(heardFrame(recording), 251);
    listen(480);
    player.tick();
    EXPECT_EQ(player.frameNum(), 251 + 6);
}

TEST_F(SwfSoundStream, AMovieStillArrivingPlaysItsSoundAsFarAsItHasCome)
{
    QByteArray bytes = valueMovie(120);
    movie = std::make_shared<swf::Movie>();
    player.sound().setManualOutput(true);
    movie->append(bytes.left(bytes.size() / 2));
    player.setMovie(movie);
    int arrived = movie->framesLoaded();
    ASSERT_GT(arrived, 10);
    for (int i = 0; i < 200; ++i) {
        listen(100);
        player.tick();
    }
    EXPECT_EQ(player.frameNum(), arrived - 1) << "waits at the last frame that has arrived";
    EXPECT_EQ(heardFrame(recording), -1) << "and its sound has run out";
    movie->append(bytes.mid(bytes.size() / 2));
    movie->finish();
    player.movieGrew();
    player.tick();
    listen(100);
    player.tick();
    EXPECT_GE(heardFrame(recording), arrived - 1);
    EXPECT_LE(heardFrame(recording), arrived + 1);
    EXPECT_LE(std::abs(player.frameNum() - heardFrame(recording)), 1);
}

TEST_F(SwfSoundStream, ANewMovieAndStoppingSilenceTheOldSounds)
{
    open(valueMovie(100));
    listen(200);
    EXPECT_GE(heardFrame(recording), 0);
    player.setMovie(nullptr);
    listen(20);
    EXPECT_EQ(heardFrame(recording), -1);
    EXPECT_TRUE(player.sound().mixer().silent());
}

TEST_F(SwfSoundStream, AnMp3StreamSoughtIntoStartsWithTheSoundOfThatFrame)
{
    // Each second of the stream is a tone of its own pitch: 300, 400, ... Hz.
    const int seconds = 6;
    swfmake::Pcm pcm;
    pcm.rate = 44100;
    for (int s = 0; s < seconds; ++s) {
        std::vector<int16_t> tone = sine(44100, 44100, 300 + 100 * s, 12000);
        pcm.samples.insert(pcm.samples.end(), tone.begin(), tone.end());
    }
    std::optional<swfmake::StreamData> stream = swfmake::mp3Stream(pcm, kFps, 128);
    ASSERT_TRUE(stream);
    swfmake::MovieWriter m(100, 100, kFps);
    swfmake::writeStreamHead(m, *stream);
    for (int k = 0; k < int(seconds * kFps); ++k) {
        swfmake::writeStreamBlock(m, *stream, k);
        m.showFrame();
    }
    open(m.finish());
    auto pitchHeard = [&] {
        // Upward zero crossings in the last 0.2 s of the recording.
        int n = 0, from = recording.frames() - 8820;
        for (int i = from + 1; i < recording.frames(); ++i)
            n += recording.left(i - 1) < 0 && recording.left(i) >= 0;
        return n * 5;
    };
    for (int second : {4, 1, 3}) {
        player.setFrameNum(int(second * kFps) + 2); // a little into the second
        recording.samples.clear();
        listen(400);
        EXPECT_NEAR(pitchHeard(), 300 + 100 * second, 10) << "sought to second " << second;
    }
}

TEST_F(SwfSoundStream, APlayerTickedByHandHearsAFramesTimeOfSoundPerTick)
{
    movie = swftest::load(valueMovie(100));
    player.sound().setTicked(true);
    player.setMovie(movie);
    for (int i = 1; i <= 60; ++i) {
        player.tick();
        ASSERT_NEAR(player.frameNum(), i, 1) << "tick " << i;
    }
    EXPECT_FALSE(player.sound().output().running()) << "no device for a player ticked by hand";
}
