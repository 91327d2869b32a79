// Movie control: drawing a busy frame and the memory a 1 MB movie takes.
#include "SampleMovies.h"
#include "swf/SwfMovie.h"
#include "swf/SwfRenderer.h"
#include "swf/SwfStage.h"
#include "swf/avm1/display/MovieScripts.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <chrono>
#include <malloc.h>

namespace {

std::shared_ptr<swf::Movie> load(const QByteArray &bytes)
{
    auto movie = std::make_shared<swf::Movie>();
    movie->append(bytes);
    movie->finish();
    return movie;
}

// A frame of `shapes` shapes with gradient fills, curved edges and
// outlines, drawn antialiased at 550 x 400 as the control draws a frame.
struct BusyScene {
    explicit BusyScene(int shapes)
        : movie(load(swfmake::busyMovie(shapes))), stage(host), renderer(*movie),
          image(550, 400, QImage::Format_ARGB32_Premultiplied),
          toImage(QTransform::fromScale(550 / movie->frameSize().width(), 400 / movie->frameSize().height()))
    {
        stage.loadLevel(0, movie);
    }
    void draw(const QTransform &shift)
    {
        image.fill(movie->backgroundColor());
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(painter, stage, toImage * shift);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    std::shared_ptr<swf::Movie> movie;
    swf::avm1::MovieScripts host{nullptr};
    swf::Stage stage;
    swf::Renderer renderer;
    QImage image;
    QTransform toImage;
};

// Frames per second as a viewer sees them: frames over the wall time since
// `start`, not over the CPU time the benchmark measures.
void countFrames(benchmark::State &state, std::chrono::steady_clock::time_point start)
{
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["frames_per_second"] = seconds > 0 ? double(state.iterations()) / seconds : 0;
}

// The busy frame over and over: a still scene, drawn from kept pictures
// after the second frame.
void SwfRenderBusyFrame(benchmark::State &state)
{
    BusyScene scene(int(state.range(0)));
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        scene.draw(QTransform());
    countFrames(state, start);
}
BENCHMARK(SwfRenderBusyFrame)->Arg(500)->Unit(benchmark::kMillisecond);

// The same frame with every shape moving each frame (a quarter pixel), so
// nothing can come from kept pictures: the cost of filling every path.
void SwfRenderBusyFrameMoving(benchmark::State &state)
{
    BusyScene scene(int(state.range(0)));
    int frame = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        scene.draw(QTransform::fromTranslate((++frame % 4) * 0.25, 0));
    countFrames(state, start);
}
BENCHMARK(SwfRenderBusyFrameMoving)->Arg(500)->Unit(benchmark::kMillisecond);

// Heap taken by a loaded movie of about 1 MB (uncompressed), made of many
// curved gradient shapes, the costliest content per byte.
void SwfMovieMemory(benchmark::State &state)
{
    QByteArray bytes = swfmake::busyMovie(int(state.range(0)), 'C');
    double heapMb = 0, bodyMb = 0;
    for (auto _ : state) {
        size_t before = mallinfo2().uordblks;
        auto movie = load(bytes);
        swf::avm1::MovieScripts host(nullptr);
        swf::Stage stage(host);
        stage.loadLevel(0, movie);
        size_t after = mallinfo2().uordblks;
        heapMb = double(after - before) / (1 << 20);
        bodyMb = double(movie->bodyBytes()) / (1 << 20);
    }
    state.counters["movie_MB"] = bodyMb;
    state.counters["heap_MB"] = heapMb;
}
BENCHMARK(SwfMovieMemory)->Arg(12000)->Iterations(1)->Unit(benchmark::kMillisecond);

}
