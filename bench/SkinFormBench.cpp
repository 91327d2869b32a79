// A skinned window of 481 x 351: a full repaint (title bar, menu bar, border,
// client area) in each style, and a change of style with the re-layout it
// causes.
#include "SUIForm.h"
#include "SUIMainMenu.h"

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
        // The main window's menu bar: five entries, three of them with items.
        auto *menu = new TsuiMainMenu(Form.get());
        for (const char *caption : {"Open file", "Style", "Control", "Help", "Exit"}) {
            auto *item = new TMenuItem(Form.get());
            item->SetCaption(caption);
            menu->Items()->Add(item);
        }
        for (int i = 1; i <= 3; ++i)
            for (const char *caption : {"WinXP", "DeepBlue", "MacOS"}) {
                auto *item = new TMenuItem(Form.get());
                item->SetCaption(caption);
                menu->Items()->Items(i)->Add(item);
            }
        menu->Loaded();
        Form->Show();
    }
};

void BM_SkinFormRepaint(benchmark::State &state)
{
    BenchWindow w(static_cast<TsuiUIStyle>(state.range(0)));
    for (auto _ : state) {
        w.Skin->Invalidate();
        w.Skin->TitleBar()->Invalidate();
        w.Skin->MenuBar()->Invalidate();
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
