// Clips over HTTP (with range requests for seeking), from ".ram" lists, and
// from a real RTSP server on loopback.
#include "stream/StreamErrors.h"
#include "stream/StreamPlayer.h"
#include "stream/StreamStatus.h"
#include "StreamTestMedia.h"
#include "TestServers.h"
#include "WaitFor.h"

#include <QFileInfo>

#include <gtest/gtest.h>

TEST(StreamNetwork, HttpClipSeeksWithRangeRequests)
{
    HttpFileServer http;
    http.ServeFile("/long.mp3", StreamTestMedia::LongMp3());
    // Slow enough that a seek far ahead is not served from data already sent.
    http.SetRate(200000);
    StreamPlayer player;
    player.SetSource(http.Url("/long.mp3"));
    ASSERT_TRUE(WaitFor([&] { return player.Position() > 0.2; }, 5000)) << player.Status().toStdString();
    ASSERT_TRUE(player.Seekable());
    player.Seek(28.5);
    ASSERT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Idle; }, 4000));
    EXPECT_EQ(player.Status(), StreamStatus::Finished());
    EXPECT_NEAR(player.Position(), 30.0, 0.15);
    EXPECT_GE(http.RangeRequests(), 1);
}

TEST(StreamNetwork, SlowServerShowsBufferingProgressBeforePlaying)
{
    HttpFileServer http;
    QString clip = StreamTestMedia::Ac3Long();
    http.ServeFile("/tone.rm", clip);
    http.SetRate(int(QFileInfo(clip).size() / 2));
    StreamPlayer player;
    QStringList statuses;
    QObject::connect(&player, &StreamPlayer::Changed, &player, [&] {
        if (statuses.isEmpty() || statuses.last() != player.Status())
            statuses << player.Status();


    });
    player.SetSource(http.Url("/tone.rm"));
    ASSERT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Idle; }, 10000));
    ASSERT_GE(statuses.size(), 4) << statuses.join(", ").toStdString();
    EXPECT_EQ(statuses.first(), StreamStatus::Connecting());
    QStringList buffering = statuses.filter(QRegularExpression(QStringLiteral("^正在缓冲 \\d+%$")));
    EXPECT_GE(buffering.size(), 2) << statuses.join(", ").toStdString();
    EXPECT_TRUE(statuses.contains(StreamStatus::Playing()));
    EXPECT_EQ(statuses.last(), StreamStatus::Finished());
}

TEST(StreamNetwork, RamListPlaysItsFirstAddress)
{
    HttpFileServer http;
    http.ServeFile("/tone.mp3", StreamTestMedia::Mp3());
    http.Serve("/show.ram", "# programme list\n\n" + http.Url("/tone.mp3").toUtf8() + "\n" + http.Url("/other.rm").toUtf8() + "\n");
    http.Serve("/empty.ram", "# nothing here\n");
    StreamPlayer player;
    player.SetSource(http.Url("/show.ram"));
    ASSERT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Playing; }, 5000)) << player.Status().toStdString();
    EXPECT_NEAR(player.Duration(), 1.5, 0.1);

    player.SetSource(http.Url("/empty.ram"));
    ASSERT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Idle; }, 5000));
    EXPECT_TRUE(player.Failed());
    EXPECT_EQ(player.Status(), NoMediaFailure().what);
}

TEST(StreamNetwork, RtspStreamFromALoopbackServerPlaysToItsEnd)
{
    // Interleaved over TCP where the server allows it, else over UDP.
    for (bool udpOnly : {false, true}) {
        SCOPED_TRACE(udpOnly ? "UDP only" : "any transport");
        RtspServer server(StreamTestMedia::Mp3(), udpOnly);
        if (server.Url().isEmpty())
            GTEST_SKIP() << "RTSP server unavailable: " << server.Why().toStdString();
        StreamPlayer player;
        double reached = 0;
        QObject::connect(&player, &StreamPlayer::Changed, &player, [&] { reached = std::max(reached, player.Position()); });
        player.SetSource(server.Url());
        ASSERT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Idle; }, 10000))
            << player.Status().toStdString();
        EXPECT_EQ(player.Status(), StreamStatus::Finished());
        EXPECT_NEAR(reached, 1.5, 0.15);
    }
}
