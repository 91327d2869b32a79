// Bad addresses and bad files end in a clear status and an idle player, and a
// server that never answers cannot hold the player: stop, a new clip and the
// open deadline all take effect at once.
#include "stream/StreamErrors.h"
#include "stream/StreamPlayer.h"
#include "stream/StreamStatus.h"
#include "StreamTestMedia.h"
#include "TestServers.h"
#include "WaitFor.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

extern "C" {
#include <libavutil/error.h>
}

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

TEST(StreamErrors, UnreachableAndMissingClipsSayWhatHappened)
{
    StreamPlayer player;
    quint16 closedPort;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        closedPort = probe.serverPort();
    }
    const QString refused = QStringLiteral("服务器 127.0.0.1 拒绝了连接。");
    EXPECT_EQ(EndStatus(player, QStringLiteral("http://127.0.0.1:%1/a.rm").arg(closedPort)), refused);
    EXPECT_TRUE(player.Failed());
    EXPECT_FALSE(player.FailureDetail().isEmpty());
    EXPECT_EQ(EndStatus(player, QStringLiteral("rtsp://127.0.0.1:%1/a.rm").arg(closedPort)), refused);

    HttpFileServer http;
    EXPECT_EQ(EndStatus(player, http.Url("/missing.rm")), QStringLiteral("服务器 127.0.0.1 上没有这个节目（404）。"));
    EXPECT_TRUE(player.Failed());
    EXPECT_EQ(EndStatus(player, StreamTestMedia::Path("no-such-file.rm")), QStringLiteral("找不到这个节目文件。"));
}

// FFmpeg returns a bare input/output error for an RTSP host whose name does
// not resolve; its log knows why, and the user is told.
TEST(StreamErrors, AnUnknownRtspHostIsNamedWithFfmpegsReason)
{
    StreamPlayer player;
    EXPECT_EQ(EndStatus(player, QStringLiteral("rtsp://no-such-host.invalid/a.rm")),
              QStringLiteral("找不到服务器 no-such-host.invalid，请检查网络连接和地址。"));
    EXPECT_TRUE(player.FailureDetail().contains("no-such-host.invalid")) << player.FailureDetail().toStdString();
    EXPECT_FALSE(player.Status().contains("Input/output"));
}

TEST(StreamErrors, FfmpegsWordsNameTheCauseOfABareInputOutputError)
{
    const QString address = QStringLiteral("rtsp://media.example.org/a.rm");
    const struct {
        const char *logged;
        const char *what;
    } rows[] = {
        {"Failed to resolve hostname media.example.org: Name or service not known", "找不到服务器 media.example.org"},
        {"Connection to tcp://media.example.org:554 failed: Connection refused", "拒绝了连接"},
        {"Connection to tcp://media.example.org:554 failed: Connection timed out", "连接超时"},
        {"Connection to tcp://media.example.org:554 failed: No route to host", "无法到达服务器"},
        {"", "无法播放这个节目"},
    };
    for (const auto &row : rows) {
        const StreamFailure failure = DescribeStreamError(AVERROR(EIO), QString::fromUtf8(row.logged), address);
        EXPECT_TRUE(failure.what.contains(QString::fromUtf8(row.what))) << row.logged << " -> " << failure.what.toStdString();
        EXPECT_EQ(failure.detail, *row.logged ? QString::fromUtf8(row.logged) : QStringLiteral("Input/output error"));
    }
    // A precise code is not second-guessed by the log.
    EXPECT_TRUE(DescribeStreamError(AVERROR(ECONNREFUSED), "resolve", address).what.contains(QStringLiteral("拒绝")));
}

TEST(StreamErrors, FilesThatAreNotMediaOrCutShortEndIdle)
{
    StreamPlayer player;
    QString text = WriteFile("notes.rm", "These are not the sounds you are looking for.\n");
    EXPECT_EQ(EndStatus(player, text), NoMediaFailure().what);
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
    EXPECT_TRUE(status == StreamStatus::Finished() || player.Failed()) << status.toStdString();
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
        EXPECT_EQ(player.Status(), StreamStatus::Connecting());
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
    EXPECT_EQ(EndStatus(player, QStringLiteral("http://127.0.0.1:%1/clip.rm").arg(silent.Port())),
              TimedOutFailure("http://127.0.0.1/").what);
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
