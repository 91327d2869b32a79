// The main window made from its description with the real movie control:
// start-up to the first painted window (the notice answered at once), a
// full repaint, and the cost of its timers while it idles.
#include "Dialogs.h"
#include "Unit1.h"
#include "swf/FlashComponent.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <memory>

namespace {

// Answers the start-up notice at once for the life of the object.
struct NoticeAnswered {
    TDialogHandler Old = SetDialogHandler([](TDialogRequest &) { return IDNO; });
    ~NoticeAnswered() { SetDialogHandler(Old); }
};

std::unique_ptr<TForm1> ShownMainWindow()
{
    auto form = std::make_unique<TForm1>(nullptr);
    form->AfterConstruction();
    form->Show();
    return form;
}

void BM_MainWindowStartUp(benchmark::State &state)
{
    RegisterFlashControl();
    NoticeAnswered answered;
    for (auto _ : state) {
        auto form = ShownMainWindow();
        benchmark::DoNotOptimize(form->Handle()->grab());
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MainWindowStartUp)->Unit(benchmark::kMillisecond);

void BM_MainWindowRepaint(benchmark::State &state)
{
    RegisterFlashControl();
    NoticeAnswered answered;
    auto form = ShownMainWindow();
    for (auto _ : state) {
        form->Invalidate();
        benchmark::DoNotOptimize(form->Handle()->grab());
    }
}
BENCHMARK(BM_MainWindowRepaint)->Unit(benchmark::kMillisecond);

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Two seconds of the shown window idling with its timers running; reports
// the share of one core used and the resident memory.
void BM_MainWindowIdle(benchmark::State &state)
{
    RegisterFlashControl();
    NoticeAnswered answered;
    auto form = ShownMainWindow();
    double share = 0;
    for (auto _ : state) {
        QElapsedTimer wall;
        wall.start();
        const double cpu = CpuSeconds();
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec();
        share = (CpuSeconds() - cpu) / (wall.nsecsElapsed() / 1e9);
    }
    state.counters["core_percent"] = share * 100;
    state.counters["rss_MiB"] = ResidentKiB() / 1024.0;
}
BENCHMARK(BM_MainWindowIdle)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
