// Movie control: the cost of a shown frame of a still busy movie, drawn by
// the control itself at the movie's size and stretched into the main
// window's movie area (x and y scales differ there).
#include "SampleMovies.h"
#include "swf/FlashControl.h"
#include "swf/SwfPlayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

void SwfControlStillFrame(benchmark::State &state)
{
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("busy.swf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(swfmake::busyMovie(int(state.range(0)))) < 0) {
        state.SkipWithError("cannot write the movie");
        return;
    }
    file.close();
    swf::FlashControl control;
    control.setScaleMode(swf::FlashControl::ScaleMode::ExactFit);
    control.resize(int(state.range(1)), int(state.range(2)));
    control.show();
    control.player().setManualTicks(true);
    control.setMovie(path);
    QElapsedTimer waited;
    waited.start();
    while (!control.player().stage() && waited.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        control.player().tick();
    }
    if (!control.player().stage()) {
        state.SkipWithError("the movie did not load");
        return;
    }
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        control.player().tick();
        control.repaint();
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["frames_per_second"] = seconds > 0 ? double(state.iterations()) / seconds : 0;
}
BENCHMARK(SwfControlStillFrame)
    ->ArgNames({"shapes", "width", "height"})
    ->Args({500, 550, 400})
    ->Args({500, 335, 247})
    ->Unit(benchmark::kMillisecond);

}
