// The programme control's running costs: CPU while a low-bit-rate audio
// programme plays (on the null sink, as on a machine without a sound server),
// and how long a stop takes to let go of a server that never answers.
#include "stream/StreamPlayer.h"
#include "stream/StreamView.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {
QTemporaryDir &MediaDir()
{
    static QTemporaryDir dir;
    return dir;
}

// An 8 s clip made by ffmpeg's own encoders; empty if ffmpeg failed.
QString Clip(const QString &name, const QStringList &encode)
{
    QString path = MediaDir().filePath(name);
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", QStringList{"-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                       "sine=frequency=440:sample_rate=22050:duration=8"}
                               + encode + QStringList{path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0 ? path : QString();
}

void RunEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

template <typename Done>
bool RunEventsUntil(Done done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU of the whole process, all threads, over 5 s of steady playback in the
// shown control (panel and image window painting included), as a percentage
// of one core.
void PlaybackCpu(benchmark::State &state, const QString &name, const QStringList &encode)
{
    QString clip = Clip(name, encode);
    if (clip.isEmpty()) {
        state.SkipWithError("ffmpeg could not make the clip");
        return;
    }
    for (auto _ : state) {
        StreamView view;
        view.resize(465, 337);
        view.show();
        StreamPlayer &player = *view.Player();
        player.SetSource(clip);
        if (!RunEventsUntil([&] { return player.Position() > 0.5; }, 5000)) {
            state.SkipWithError("the clip did not start");
            return;
        }
        double cpuBefore = CpuSeconds();
        QElapsedTimer wall;
        wall.start();
        RunEventsFor(5000);
        double cpu = CpuSeconds() - cpuBefore;
        double seconds = wall.nsecsElapsed() / 1e9;
        state.SetIterationTime(seconds);
        state.counters["cpu_percent"] = cpu / seconds * 100;
        player.Stop();
    }
}

void BM_ProgrammePlaybackCpu_Mp3_32k(benchmark::State &state)
{
    PlaybackCpu(state, "programme.mp3", {"-c:a", "libmp3lame", "-b:a", "32k"});
}
BENCHMARK(BM_ProgrammePlaybackCpu_Mp3_32k)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ProgrammePlaybackCpu_RealAudio144(benchmark::State &state)
{
    PlaybackCpu(state, "programme.rm", {"-ar", "8000", "-ac", "1", "-c:a", "real_144"});
}
BENCHMARK(BM_ProgrammePlaybackCpu_RealAudio144)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// Time from the stop request until the server sees the connection closed,
// while the player waits on a server that accepted and never answers.
void StopLatency(benchmark::State &state, const char *scheme)
{
    QTcpServer silent;
    silent.listen(QHostAddress::LocalHost);
    int accepted = 0;
    int closed = 0;
    QObject::connect(&silent, &QTcpServer::newConnection, &silent, [&] {
        while (QTcpSocket *socket = silent.nextPendingConnection()) {
            ++accepted;
            QObject::connect(socket, &QTcpSocket::disconnected, socket, [&closed, socket] {
                ++closed;
                socket->deleteLater();
            });
        }
    });
    QString address = QStringLiteral("%1://127.0.0.1:%2/programme.rm").arg(scheme).arg(silent.serverPort());
    StreamPlayer player;
    double worst = 0;
    for (auto _ : state) {
        int before = closed;
        int connections = accepted;
        player.SetSource(address);
        if (!RunEventsUntil([&] { return accepted > connections; }, 5000)) {
            state.SkipWithError("no connection");
            return;
        }
        RunEventsFor(100); // let the player settle into waiting
        QElapsedTimer timer;
        timer.start();
        player.Stop();
        if (!RunEventsUntil([&] { return closed > before; }, 5000)) {
            state.SkipWithError("the connection was not released");
            return;
        }
        double seconds = timer.nsecsElapsed() / 1e9;
        worst = std::max(worst, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["worst_ms"] = worst * 1000;
}

void BM_ProgrammeStopLatency_Http(benchmark::State &state)
{
    StopLatency(state, "http");
}
BENCHMARK(BM_ProgrammeStopLatency_Http)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

void BM_ProgrammeStopLatency_Rtsp(benchmark::State &state)
{
    StopLatency(state, "rtsp");
}
BENCHMARK(BM_ProgrammeStopLatency_Rtsp)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
}
