// Movie control: drawing a busy frame and the memory a 1 MB movie takes.
#include "SampleMovies.h"
#include "swf/SwfMovie.h"
#include "swf/SwfPlayer.h"
#include "swf/SwfRenderer.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

std::shared_ptr<swf::Movie> load(const QByteArray &bytes)
{
    auto movie = std::make_shared<swf::Movie>();
    movie->append(bytes);
    movie->finish();
    return movie;
}

// 500 shapes with gradient fills, curved edges and outlines, drawn
// antialiased at 550 x 400 as the control draws a frame.
void SwfRenderBusyFrame(benchmark::State &state)
{
    auto movie = load(swfmake::busyMovie(int(state.range(0))));
    swf::TimelineInstance root(*movie, movie->timeline(), 0);
    root.advance();
    swf::Renderer renderer(*movie);
    QImage image(550, 400, QImage::Format_ARGB32_Premultiplied);
    QTransform toImage = QTransform::fromScale(550 / movie->frameSize().width(), 400 / movie->frameSize().height());
    for (auto _ : state) {
        image.fill(movie->backgroundColor());
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(painter, root, toImage);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["frames_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(SwfRenderBusyFrame)->Arg(500)->Unit(benchmark::kMillisecond);

// Heap taken by a loaded movie of about 1 MB (uncompressed), made of many
// curved gradient shapes, the costliest content per byte.
void SwfMovieMemory(benchmark::State &state)
{
    QByteArray bytes = swfmake::busyMovie(int(state.range(0)), 'C');
    double heapMb = 0, bodyMb = 0;
    for (auto _ : state) {
        size_t before = mallinfo2().uordblks;
        auto movie = load(bytes);
        swf::TimelineInstance root(*movie, movie->timeline(), 0);
        root.advance();
        size_t after = mallinfo2().uordblks;
        heapMb = double(after - before) / (1 << 20);
        bodyMb = double(movie->bodyBytes()) / (1 << 20);
    }
    state.counters["movie_MB"] = bodyMb;
    state.counters["heap_MB"] = heapMb;
}
BENCHMARK(SwfMovieMemory)->Arg(12000)->Iterations(1)->Unit(benchmark::kMillisecond);

}
