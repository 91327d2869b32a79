// Servers that misbehave on purpose, against the movie control: one that
// drips a byte a second, one that declares a terabyte, one that redirects
// without end, one that sends noise where the movie should be. Each ends with
// its true message or a playing movie, closes its connection and keeps the
// bytes read bounded, and the control stays responsive meanwhile.
#include "WaitFor.h"
#include "SwfWriter.h"
#include "TestHttpServer.h"
#include "swf/FlashControl.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray smallMovie()
{
    swfmake::MovieWriter m(100, 80, 12);
    m.setBackground(Qt::white);
    for (int f = 0; f < 3; ++f)
        m.showFrame();
    return m.finish('F');
}

// Pseudo-random bytes, the same every run.
QByteArray noise(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = 2463534242u;
    for (char &b : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = char(x);
    }
    return bytes;
}

// The longest the event loop went without running a 20 ms timer while
// `until` did not hold (or `timeoutMs` passed).
template <typename Condition>
qint64 longestStall(Condition &&until, int timeoutMs)
{
    QElapsedTimer clock, sinceTick;
    clock.start();
    sinceTick.start();
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, sinceTick.restart());
    });
    tick.start(20);
    WaitFor([&] { return until() || clock.elapsed() > timeoutMs; }, timeoutMs + 1000);
    return longest;
}

}

TEST(HostileServer, ADrippingServerKeepsLoadingWithoutFreezingAndANewMovieDropsIt)
{
    TestHttpServer server;
    server.route("/drip.swf", {TestHttpServer::Mode::Drip, smallMovie(), {}, 0});
    server.route("/next.swf", {TestHttpServer::Mode::Serve, smallMovie(), {}, 0});
    swf::FlashControl control;
    qint64 received = 0;
    QObject::connect(&control.loader(), &swf::Loader::progress, [&](qint64 bytes, qint64) { received = bytes; });
    control.setMovie(server.url("/drip.swf"));
    const qint64 stall = longestStall([&] { return received >= 3; }, 6000);
    EXPECT_GE(received, 3) << "the bytes come in as they drip";
    EXPECT_TRUE(control.loading()) << "a byte a second is slow, not stalled";
    EXPECT_TRUE(control.errorText().isEmpty()) << control.errorText().toStdString();
    EXPECT_LT(stall, 1000) << "the event loop ran throughout";

    control.setMovie(server.url("/next.swf"));
    EXPECT_TRUE(WaitFor([&] { return !control.loading() && control.player().movie()->framesLoaded() == 3; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return server.open() == 0; }, 5000)) << "the dripping connection is closed";
}

TEST(HostileServer, AGiganticDeclaredLengthReadsOnlyTheMovie)
{
    TestHttpServer server;
    server.route("/huge.swf", {TestHttpServer::Mode::Endless, smallMovie(), {}, 0});
    swf::FlashControl control;
    control.setMovie(server.url("/huge.swf"));
    EXPECT_TRUE(WaitFor([&] { return !control.loading(); }, 10000));
    EXPECT_TRUE(control.errorText().isEmpty()) << control.errorText().toStdString();
    EXPECT_EQ(control.player().movie()->framesLoaded(), 3);
    EXPECT_TRUE(WaitFor([&] { return server.open() == 0; }, 5000)) << "the transfer is dropped at the movie's end";
    EXPECT_LT(server.bytesSent, 16 << 20) << "what follows the movie is not read on";
}

TEST(HostileServer, NoiseWithAGiganticLengthIsNotAMovie)
{
    TestHttpServer server;
    server.route("/noise.swf", {TestHttpServer::Mode::Endless, noise(4096), {}, 0});
    swf::FlashControl control;
    control.setMovie(server.url("/noise.swf"));
    EXPECT_TRUE(WaitFor([&] { return !control.loading(); }, 10000));
    EXPECT_TRUE(control.errorText().contains(QStringLiteral("不是可以播放的影片"))) << control.errorText().toStdString();
    EXPECT_TRUE(WaitFor([&] { return server.open() == 0; }, 5000));
    EXPECT_LT(server.bytesSent, 16 << 20);
}

TEST(HostileServer, ARedirectLoopEndsWithItsOwnMessage)
{
    TestHttpServer server;
    server.route("/loop.swf", {TestHttpServer::Mode::Redirect, {}, "/loop.swf", 0});
    swf::FlashControl control;
    control.setMovie(server.url("/loop.swf"));
    EXPECT_TRUE(WaitFor([&] { return !control.loading(); }, 10000));
    EXPECT_TRUE(control.errorText().contains(QStringLiteral("转向"))) << control.errorText().toStdString();
    EXPECT_LT(server.requests, 100) << "redirects are followed a bounded number of times";
}
