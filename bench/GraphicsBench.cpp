// Canvas and bitmap speed: the off-screen composition the skinned windows do
// on every paint, and the per-paint loading of small skin bitmaps.
#include "Graphics.h"

#include <QBuffer>
#include <QFile>

#include <benchmark/benchmark.h>

namespace {

// The main window's skinned form size.
constexpr int FormWidth = 481;
constexpr int FormHeight = 351;

// A 21 x 21 picture at 8 bits per pixel, like the title bar buttons.
QByteArray ButtonBmp()
{
    TBitmap bmp;
    bmp.SetSize(21, 21);
    bmp.Canvas()->Brush()->SetColor(clFuchsia);
    bmp.Canvas()->FillRect(Rect(0, 0, 21, 21));
    bmp.Canvas()->Brush()->SetColor(RGB(0, 84, 227));
    bmp.Canvas()->FillRect(Rect(2, 2, 19, 19));
    bmp.SetPixelFormat(pf8bit);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    bmp.SaveToStream(&buffer);
    return data;
}

} // namespace

// Fill an off-screen bitmap of the form's size and copy it to another.
static void BM_FillAndBlitFormBitmap(benchmark::State &state)
{
    TBitmap buffer;
    buffer.SetSize(FormWidth, FormHeight);
    TBitmap screen;
    screen.SetSize(FormWidth, FormHeight);
    TColor colour = clBtnFace;
    for (auto _ : state) {
        buffer.Canvas()->Brush()->SetColor(colour);
        buffer.Canvas()->FillRect(Rect(0, 0, FormWidth, FormHeight));
        screen.Canvas()->Draw(0, 0, &buffer);
        colour ^= 0x010101;
    }
    benchmark::DoNotOptimize(screen.Canvas()->Pixels(0, 0));
}
BENCHMARK(BM_FillAndBlitFormBitmap)->Unit(benchmark::kMicrosecond);

// The same with the copied bitmap drawn through its transparent colour,
// which shows in its corners (as outside a rounded window frame).
static void BM_FillAndBlitFormBitmapTransparent(benchmark::State &state)
{
    TBitmap buffer;
    buffer.SetSize(FormWidth, FormHeight);
    buffer.SetTransparentColor(clFuchsia);
    buffer.SetTransparent(true);
    TBitmap screen;
    screen.SetSize(FormWidth, FormHeight);
    TColor colour = clBtnFace;
    for (auto _ : state) {
        buffer.Canvas()->Brush()->SetColor(colour);
        buffer.Canvas()->FillRect(Rect(0, 0, FormWidth, FormHeight));
        buffer.Canvas()->Brush()->SetColor(clFuchsia);
        buffer.Canvas()->FillRect(Rect(0, 0, 6, 6));
        buffer.Canvas()->FillRect(Rect(FormWidth - 6, 0, FormWidth, 6));
        screen.Canvas()->Draw(0, 0, &buffer);
        colour ^= 0x010101;
    }
    benchmark::DoNotOptimize(screen.Canvas()->Pixels(0, 0));
}
BENCHMARK(BM_FillAndBlitFormBitmapTransparent)->Unit(benchmark::kMicrosecond);

// Load a title bar button picture by resource name and draw it with its
// automatic transparent colour, as the title bar does on every paint.
static void BM_LoadResourceAndDraw21x21(benchmark::State &state)
{
    const QString name = QStringLiteral("WINXP_TITLEBTN_CLOSE_NORMAL");
    if (!QFile::exists(QStringLiteral(":/skin/%1.bmp").arg(name))) {
        state.SkipWithError("skin bitmap WINXP_TITLEBTN_CLOSE_NORMAL is not embedded");
        return;
    }
    TBitmap screen;
    screen.SetSize(100, 40);
    for (auto _ : state) {
        TBitmap picture;
        picture.LoadFromResourceName(HInstance, name);
        picture.SetTransparent(true);
        screen.Canvas()->Draw(10, 5, &picture);
    }
    benchmark::DoNotOptimize(screen.Canvas()->Pixels(10, 5));
}
BENCHMARK(BM_LoadResourceAndDraw21x21)->Unit(benchmark::kMicrosecond);

// The same decoding and drawing from a BMP held in memory.
static void BM_LoadStreamAndDraw21x21(benchmark::State &state)
{
    QByteArray data = ButtonBmp();
    TBitmap screen;
    screen.SetSize(100, 40);
    for (auto _ : state) {
        QBuffer in(&data);
        in.open(QIODevice::ReadOnly);
        TBitmap picture;
        picture.LoadFromStream(&in);
        picture.SetTransparent(true);
        screen.Canvas()->Draw(10, 5, &picture);
    }
    benchmark::DoNotOptimize(screen.Canvas()->Pixels(10, 5));
}
BENCHMARK(BM_LoadStreamAndDraw21x21)->Unit(benchmark::kMicrosecond);
