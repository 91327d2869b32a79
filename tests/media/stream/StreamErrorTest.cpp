// Bad addresses and bad files end in a clear status and an idle player, and a
// server that never answers cannot hold the player: stop, a new clip and the
// open deadline all take effect at once.
#include "stream/StreamPlayer.h"
#include "StreamTestMedia.h"
#include "TestServers.h"
#include "WaitFor.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {
// Plays `address` and returns the status it ended with.
QString EndStatus(StreamPlayer &player, const QString &address)
{
    player.SetSource(address);
    EXPECT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Idle; }, 10000))
        << "still " << player.Status().toStdString();
    return player.Status();
}

QString WriteFile(const QString &name, const QByteArray &bytes)
{
    QString path = StreamTestMedia::Path(name);
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(bytes);
    return path;
}

QByteArray ReadFile(const QString &path)
{
    QFile in(path);
    in.open(QIODevice::ReadOnly);
    return in.readAll();
}
}

TEST(StreamErrors, UnreachableAndMissingClipsEndWithAClearStatus)
{
    StreamPlayer player;
    quint16 closedPort;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        closedPort = probe.serverPort();
    }
    EXPECT_EQ(EndStatus(player, QStringLiteral("http://127.0.0.1:%1/a.rm").arg(closedPort)), "Connection refused");
    EXPECT_TRUE(player.Failed());
    EXPECT_EQ(EndStatus(player, QStringLiteral("rtsp://127.0.0.1:%1/a.rm").arg(closedPort)), "Connection refused");

    HttpFileServer http;
    EXPECT_EQ(EndStatus(player, http.Url("/missing.rm")), "Clip not found");
    EXPECT_TRUE(player.Failed());
    EXPECT_EQ(EndStatus(player, StreamTestMedia::Path("no-such-file.rm")), "Clip not found");
}

TEST(StreamErrors, FilesThatAreNotMediaOrCutShortEndIdle)
{
    StreamPlayer player;
    QString text = WriteFile("notes.rm", "These are not the sounds you are looking for.\n");
    EXPECT_EQ(EndStatus(player, text), "Not a playable media file");
    EXPECT_TRUE(player.Failed());

    QByteArray clip = ReadFile(StreamTestMedia::RealVideo10Ac3());
    ASSERT_GT(clip.size(), 4000);
    QString headerOnly = WriteFile("header.rm", clip.left(60));
    EndStatus(player, headerOnly);
    EXPECT_TRUE(player.Failed()) << player.Status().toStdString();
    EXPECT_FALSE(player.Status().isEmpty());

    // Cut in the middle: what is there plays, then the clip ends.
    QString half = WriteFile("half.rm", clip.left(clip.size() / 2));
    double reached = 0;
    QObject guard;
    QObject::connect(&player, &StreamPlayer::Changed, &guard, [&] { reached = std::max(reached, player.Position()); });
    QString status = EndStatus(player, half);
    EXPECT_TRUE(status == "Finished" || player.Failed()) << status.toStdString();
    EXPECT_GT(reached, 0.3);
    EXPECT_LT(reached, 1.4);
}

TEST(StreamErrors, StopAndNewSourceEndAHangingConnectionAtOnce)
{
    for (const char *scheme : {"http", "rtsp"}) {
        SCOPED_TRACE(scheme);
        SilentServer silent;
        StreamPlayer player;
        player.SetSource(QStringLiteral("%1://127.0.0.1:%2/clip.rm").arg(scheme).arg(silent.Port()));
        ASSERT_TRUE(WaitFor([&] { return silent.Accepted() == 1; }, 5000));
        EXPECT_EQ(player.Status(), "Connecting");
        QElapsedTimer timer;
        timer.start();
        player.Stop();
        EXPECT_EQ(player.GetState(), StreamPlayer::State::Idle);
        EXPECT_LT(timer.elapsed(), 50) << "Stop must not wait for the network";
        // The connection is let go well within a second.
        ASSERT_TRUE(WaitFor([&] { return silent.Closed() == 1; }, 1000));

        player.SetSource(QStringLiteral("%1://127.0.0.1:%2/clip.rm").arg(scheme).arg(silent.Port()));
        ASSERT_TRUE(WaitFor([&] { return silent.Accepted() == 2; }, 5000));
        player.SetSource(StreamTestMedia::Mp3());
        ASSERT_TRUE(WaitFor([&] { return silent.Closed() == 2; }, 1000));
        EXPECT_TRUE(WaitFor([&] { return player.GetState() == StreamPlayer::State::Playing; }, 3000));
    }
}

TEST(StreamErrors, AServerThatNeverAnswersTimesOut)
{
    SilentServer silent;
    StreamPlayer player;
    player.SetOpenTimeout(700);
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(EndStatus(player, QStringLiteral("http://127.0.0.1:%1/clip.rm").arg(silent.Port())), "Connection timed out");
    EXPECT_TRUE(player.Failed());
    EXPECT_LT(timer.elapsed(), 3000);
    EXPECT_TRUE(WaitFor([&] { return silent.Closed() == 1; }, 1000));
}

TEST(StreamErrors, DestroyingThePlayerWhileConnectingDoesNotHang)
{
    SilentServer silent;
    QElapsedTimer timer;
    {
        StreamPlayer player;
        player.SetSource(QStringLiteral("rtsp://127.0.0.1:%1/clip.rm").arg(silent.Port()));
        ASSERT_TRUE(WaitFor([&] { return silent.Accepted() == 1; }, 5000));
        timer.start();
    }
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_TRUE(WaitFor([&] { return silent.Closed() == 1; }, 1000));
}
