// Plays generated clips through the player on the null sink (no sound server
// here) and checks what a user would see: status, position, duration, end.
#include "stream/StreamPlayer.h"
#include "stream/StreamStatus.h"
#include "StreamTestMedia.h"
#include "WaitFor.h"

#include <gtest/gtest.h>

namespace {

struct PlayedClip {
    double duration = 0;
    double lastPosition = 0;
    int positionUpdates = 0;
    bool sawPicture = false;
    QString status;
};

// Plays `address` to its end and records what the player showed.
PlayedClip PlayToEnd(StreamPlayer &player, const QString &address)
{
    PlayedClip seen;
    QObject guard;
    QObject::connect(&player, &StreamPlayer::Changed, &guard, [&] {
        if (player.GetState() == StreamPlayer::State::Playing && player.Position() > seen.lastPosition) {
            seen.lastPosition = player.Position();
            ++seen.positionUpdates;
        }
        seen.duration = std::max(seen.duration, player.Duration());
    });
    QObject::connect(&player, &StreamPlayer::PictureChanged, &guard, [&] {
        seen.sawPicture = seen.sawPicture || !player.Picture().isNull();
    });
    player.SetSource(address);
    EXPECT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Idle; }, 15000))
        << "still " << player.Status().toStdString();
    seen.status = player.Status();
    return seen;
}
}

TEST(StreamPlayback, RealAudio144PlaysItsWholeLengthOnTheNullSink)
{
    // This clip's packets all carry time stamp 0 and its header no length:
    // the position must come from the sound played.
    StreamPlayer player;
    PlayedClip clip = PlayToEnd(player, StreamTestMedia::RealAudio144());
    EXPECT_EQ(clip.status, StreamStatus::Finished());
    EXPECT_FALSE(player.Failed());
    EXPECT_EQ(clip.duration, 0);
    EXPECT_NEAR(clip.lastPosition, 1.5, 0.15);
    EXPECT_GT(clip.positionUpdates, 10);
    EXPECT_FALSE(player.SoundDeviceOpen());
}

TEST(StreamPlayback, RealVideoWithAc3ShowsPicturesAndKeepsTime)
{
    StreamPlayer player;
    PlayedClip clip = PlayToEnd(player, StreamTestMedia::RealVideo10Ac3());
    EXPECT_EQ(clip.status, StreamStatus::Finished());
    EXPECT_NEAR(clip.duration, 1.5, 0.1);
    EXPECT_NEAR(clip.lastPosition, 1.5, 0.15);
    EXPECT_TRUE(clip.sawPicture);
    EXPECT_EQ(player.Picture().size(), QSize(176, 144));
}

TEST(StreamPlayback, ClipWithoutSoundRunsOnTheSystemClock)
{
    StreamPlayer player;
    QElapsedTimer timer;
    timer.start();
    PlayedClip clip = PlayToEnd(player, StreamTestMedia::RealVideo20());
    EXPECT_EQ(clip.status, StreamStatus::Finished());
    EXPECT_TRUE(clip.sawPicture);
    EXPECT_NEAR(clip.lastPosition, 1.5, 0.15);
    // Played in real time, not as fast as it decodes.
    EXPECT_GE(timer.elapsed(), 1300);
}

TEST(StreamPlayback, CommonFormatsPlayToTheirEnd)
{
    for (const QString &file : {StreamTestMedia::Mp3(), StreamTestMedia::Mpeg4Video()}) {
        SCOPED_TRACE(file.toStdString());
        StreamPlayer player;
        PlayedClip clip = PlayToEnd(player, file);
        EXPECT_EQ(clip.status, StreamStatus::Finished());
        EXPECT_NEAR(clip.duration, 1.5, 0.1);
        EXPECT_NEAR(clip.lastPosition, 1.5, 0.15);
    }
}

TEST(StreamPlayback, SeveralBitRatesOfOneKindPlayAsOneStream)
{
    StreamPlayer player;
    PlayedClip clip = PlayToEnd(player, StreamTestMedia::TwoRateAc3());
    EXPECT_EQ(clip.status, StreamStatus::Finished());
    EXPECT_NEAR(clip.lastPosition, 1.5, 0.15);
}

TEST(StreamPlayback, SeekMovesThePositionAndPlaysOnFromThere)
{
    StreamPlayer player;
    player.SetSource(StreamTestMedia::LongMp3());
    ASSERT_TRUE(WaitFor([&] { return player.Position() > 0.3; }, 5000)) << player.Status().toStdString();
    ASSERT_TRUE(player.Seekable());
    EXPECT_NEAR(player.Duration(), 30.0, 0.1);
    QElapsedTimer timer;
    timer.start();
    player.Seek(28.5);
    EXPECT_DOUBLE_EQ(player.Position(), 28.5);
    ASSERT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Playing && player.Position() > 28.6; }, 3000));
    ASSERT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Idle; }, 4000));
    EXPECT_EQ(player.Status(), StreamStatus::Finished());
    EXPECT_NEAR(player.Position(), 30.0, 0.15);
    // About 1.5 s were left after the seek, not 29.5.
    EXPECT_LT(timer.elapsed(), 3500);
}

TEST(StreamPlayback, PauseHoldsThePositionAndPlayResumes)
{
    StreamPlayer player;
    player.SetSource(StreamTestMedia::LongMp3());
    ASSERT_TRUE(WaitFor([&] { return player.Position() > 0.2; }, 5000));
    player.Pause();
    EXPECT_EQ(player.GetState(), StreamPlayer::State::Paused);
    EXPECT_EQ(player.Status(), StreamStatus::Paused());
    double held = player.Position();
    QTest::qWait(300);
    EXPECT_NEAR(player.Position(), held, 0.02);
    player.Play();
    ASSERT_TRUE(WaitFor([&] { return player.Position() > held + 0.2; }, 3000));
    EXPECT_EQ(player.Status(), StreamStatus::Playing());
}

TEST(StreamPlayback, StopReleasesTheClipAndPlayStartsItAgain)
{
    StreamPlayer player;
    player.SetSource(StreamTestMedia::Mp3());
    ASSERT_TRUE(WaitFor([&] { return player.Position() > 0.2; }, 5000));
    player.Stop();
    EXPECT_EQ(player.GetState(), StreamPlayer::State::Idle);
    EXPECT_EQ(player.Status(), StreamStatus::Stopped());
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Source(), StreamTestMedia::Mp3());
    QTest::qWait(100);
    EXPECT_EQ(player.Position(), 0);
    player.Play();
    ASSERT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Playing; }, 5000));
}

TEST(StreamPlayback, NewSourceReplacesThePlayingClip)
{
    StreamPlayer player;
    player.SetSource(StreamTestMedia::LongMp3());
    ASSERT_TRUE(WaitFor([&] { return player.Position() > 0.2; }, 5000));
    player.SetSource(StreamTestMedia::Mp3());
    EXPECT_EQ(player.Position(), 0);
    ASSERT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Playing; }, 5000));
    EXPECT_NEAR(player.Duration(), 1.5, 0.1);
}
