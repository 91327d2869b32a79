// A skinned window of 481 x 351: a full repaint (title bar, border, client
// area) in each style, and a change of style with the re-layout it causes.
#include "SUIForm.h"

#include <QWidget>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct BenchWindow {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TsuiForm *Skin;
    explicit BenchWindow(TsuiUIStyle Style) : Skin(new TsuiForm(Form.get()))
    {
        Form->SetBounds(0, 0, 481, 351);
        Skin->SetParent(Form.get());
        Skin->SetUIStyle(Style);
        Skin->SetCaption("Wordlark lessons");
        Form->Show();
    }
};

void BM_SkinFormRepaint(benchmark::State &state)
{
    BenchWindow w(static_cast<TsuiUIStyle>(state.range(0)));
    for (auto _ : state) {
        w.Skin->Invalidate();
        w.Skin->TitleBar()->Invalidate();
        w.Form->Invalidate();
        benchmark::DoNotOptimize(w.Form->Handle()->grab());
    }
}
BENCHMARK(BM_SkinFormRepaint)->DenseRange(MacOS, BlueGlass)->Unit(benchmark::kMillisecond);

void BM_SkinFormStyleChange(benchmark::State &state)
{
    BenchWindow w(WinXP);
    const auto style = static_cast<TsuiUIStyle>(state.range(0));
    for (auto _ : state) {
        w.Skin->SetUIStyle(style);
        state.PauseTiming();
        w.Skin->SetUIStyle(style == WinXP ? DeepBlue : WinXP);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SkinFormStyleChange)->DenseRange(MacOS, BlueGlass)->Unit(benchmark::kMillisecond);

} // namespace
