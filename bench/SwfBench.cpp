// Movie control: drawing a busy frame and the memory a 1 MB movie takes.
#include "SampleMovies.h"
#include "SwfWriter.h"
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
// outlines, drawn antialiased as the control draws a frame: at the movie's
// own 550 x 400 or stretched to another size (x and y scales then differ,
// as in the main window's movie area).
struct BusyScene {
    explicit BusyScene(int shapes, QSize size = QSize(550, 400))
        : movie(load(swfmake::busyMovie(shapes))), stage(host), renderer(*movie),
          image(size, QImage::Format_ARGB32_Premultiplied),
          toImage(QTransform::fromScale(size.width() / movie->frameSize().width(),
                                        size.height() / movie->frameSize().height()))
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

// The sizes a busy frame is drawn at: the movie's own, the main window's
// movie area and a big window.
QSize sizeOf(const benchmark::State &state)
{
    return QSize(int(state.range(1)), int(state.range(2)));
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"shapes", "width", "height"});
    for (auto [w, h] : {std::pair(550, 400), std::pair(549, 400), std::pair(335, 247), std::pair(1280, 960)})
        b->Args({500, w, h});
}

// The busy frame over and over: a still scene, drawn from kept pictures
// after the second frame.
void SwfRenderBusyFrame(benchmark::State &state)
{
    BusyScene scene(int(state.range(0)), sizeOf(state));
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        scene.draw(QTransform());
    countFrames(state, start);
}
BENCHMARK(SwfRenderBusyFrame)->Apply(sizes)->Unit(benchmark::kMillisecond);

// The same frame with every shape moving each frame (a quarter pixel), so
// nothing can come from kept pictures: the cost of filling every path.
void SwfRenderBusyFrameMoving(benchmark::State &state)
{
    BusyScene scene(int(state.range(0)), sizeOf(state));
    int frame = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        scene.draw(QTransform::fromTranslate((++frame % 4) * 0.25, 0));
    countFrames(state, start);
}
BENCHMARK(SwfRenderBusyFrameMoving)->Apply(sizes)->Unit(benchmark::kMillisecond);

// The frame with every shape moving by a whole pixel each frame, as a
// scrolling scene does.
void SwfRenderBusyFrameMovingWholePixels(benchmark::State &state)
{
    BusyScene scene(int(state.range(0)));
    int frame = 0;
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        scene.draw(QTransform::fromTranslate(++frame % 40, 0));
    countFrames(state, start);
}
BENCHMARK(SwfRenderBusyFrameMovingWholePixels)->Arg(500)->Unit(benchmark::kMillisecond);

// `count` small squares, each in a clip drawn on a picture of its own (the
// layer blend mode), at 550 x 400.
QByteArray layeredMovie(int count)
{
    constexpr int tw = 20;
    swfmake::MovieWriter m(550, 400, 30);
    swfmake::ShapeBuilder square;
    square.setStyles(0, square.addFill(swfmake::Fill::solid(QColor(200, 60, 40, 180))), 0);
    square.rect(0, 0, 30 * tw, 30 * tw);
    m.defineShape(1, square);
    swfmake::TagWriter inside;
    inside.place({1, false, 1, QTransform(), {}, {}, {}, {}});
    inside.showFrame();
    m.defineSprite(2, inside);
    for (int i = 0; i < count; ++i) {
        swfmake::Place p;
        p.depth = i + 1;
        p.character = 2;
        p.matrix = QTransform::fromTranslate((i * 97) % 520 * tw, (i * 61) % 370 * tw);
        p.blendMode = 2;
        m.place3(p);
    }
    m.showFrame();
    return m.finish();
}

// `count` small squares, each in a clip under a mask with slanted edges, at
// 550 x 400.
QByteArray maskedMovie(int count)
{
    constexpr int tw = 20;
    swfmake::MovieWriter m(550, 400, 30);
    swfmake::ShapeBuilder square;
    square.setStyles(0, square.addFill(swfmake::Fill::solid(QColor(200, 60, 40))), 0);
    square.rect(0, 0, 30 * tw, 30 * tw);
    m.defineShape(1, square);
    swfmake::ShapeBuilder wedge;
    wedge.setStyles(0, wedge.addFill(swfmake::Fill::solid(Qt::black)), 0);
    wedge.moveTo(3 * tw, 0);
    wedge.lineTo(30 * tw, 7 * tw);
    wedge.lineTo(20 * tw, 30 * tw);
    wedge.lineTo(3 * tw, 0);
    m.defineShape(2, wedge);
    swfmake::TagWriter inside;
    swfmake::Place mask;
    mask.depth = 1;
    mask.character = 2;
    mask.clipDepth = 2;
    inside.place3(mask);
    inside.place({2, false, 1, QTransform(), {}, {}, {}, {}});
    inside.showFrame();
    m.defineSprite(3, inside);
    for (int i = 0; i < count; ++i)
        m.place({i + 1, false, 3, QTransform::fromTranslate((i * 97) % 520 * tw, (i * 61) % 370 * tw), {}, {}, {}, {}});
    m.showFrame();
    return m.finish();
}

// Draws the first frame of `bytes` over and over, antialiased at 550 x 400.
void renderStill(benchmark::State &state, const QByteArray &bytes)
{
    auto movie = load(bytes);
    swf::avm1::MovieScripts host(nullptr);
    swf::Stage stage(host);
    stage.loadLevel(0, movie);
    swf::Renderer renderer(*movie);
    QImage image(550, 400, QImage::Format_ARGB32_Premultiplied);
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(painter, stage, QTransform::fromScale(1.0 / 20, 1.0 / 20));
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    countFrames(state, start);
}

// A still frame of 100 layered clips: the cost of their pictures.
void SwfRenderLayeredFrame(benchmark::State &state)
{
    renderStill(state, layeredMovie(int(state.range(0))));
}
BENCHMARK(SwfRenderLayeredFrame)->Arg(100)->Unit(benchmark::kMillisecond);

// A still frame of 100 masked clips: the cost of their masks' edges.
void SwfRenderMaskedFrame(benchmark::State &state)
{
    renderStill(state, maskedMovie(int(state.range(0))));
}
BENCHMARK(SwfRenderMaskedFrame)->Arg(100)->Unit(benchmark::kMillisecond);

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
