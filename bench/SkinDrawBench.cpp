// Skin drawing: a push-button face stretched over a 60 x 23 button, with the
// temporary bitmaps and image lists each call makes.
#include "SUIPublic.h"

#include <benchmark/benchmark.h>

static void BM_DrawNineSliceButtonFace(benchmark::State &state)
{
    TBitmap face;
    face.SetSize(18, 21);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 18; ++x)
            face.Canvas()->SetPixels(x, y, (x == 0 && y == 0) ? SUI_TRANSPARENT_KEY : RGB(x * 14, y * 12, 200));
    TBitmap button;
    button.SetSize(60, 23);
    for (auto _ : state) {
        DrawNineSlice(&face, button.Canvas(), Rect(0, 0, 60, 23), true);
        benchmark::DoNotOptimize(button.Canvas()->Pixels(30, 11));
    }
}
BENCHMARK(BM_DrawNineSliceButtonFace)->Unit(benchmark::kMicrosecond);
