// The interpreter on a loop of arithmetic, member access and a function
// call; reports the time per action (goal: under 50 ns).
#include "SampleScripts.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Object.h"
#include "swf/avm1/Vm.h"

#include <benchmark/benchmark.h>

namespace {

using namespace swf::avm1;

class SilentHost : public Host {
public:
    Object *rootClip = nullptr;

    void trace(const QString &) override {}
    void warn(const QString &) override {}
    bool isClip(const Object *o) const override { return o == rootClip; }
    Object *follow(Object *clip) override { return clip; }
    Object *level(int) override { return rootClip; }
    Object *root(Object *) override { return rootClip; }
    Object *parent(Object *) override { return nullptr; }
    Object *child(Context &, Object *, String *) override { return nullptr; }
    QString targetPath(Object *, bool) override { return QStringLiteral("_level0"); }
    void control(Object *, Control) override {}
    void gotoFrame(Object *, int, bool) override {}
    int frameOfLabel(Object *, const QString &) override { return -1; }
    int framesLoaded(Object *) override { return 1; }
    void callFrame(Object *, int) override {}
    void getUrl(Context &, const QString &, const QString &, int, bool, bool) override {}
    void cloneSprite(Context &, Object *, const QString &, int) override {}
    void removeSprite(Context &, Object *) override {}
    void startDrag(Context &, Object *, bool, const double *) override {}
};

void ScriptLoop(benchmark::State &state)
{
    const int iterations = int(state.range(0));
    QByteArray block = swfmake::loopBenchmark(iterations);
    SilentHost host;
    Vm vm(host);
    host.rootClip = vm.newObject();
    Pinned<Object> keep(host.rootClip);
    for (auto _ : state)
        vm.runBlock(block, 8, host.rootClip);
    Context cx(vm, 8, host.rootClip);
    double expected = double(iterations) * (iterations - 1);
    if (host.rootClip->get(cx, vm.name(QStringLiteral("result"))).number() != expected)
        state.SkipWithError("the loop computed a wrong result");
    double actions = double(iterations) * swfmake::loopBenchmarkActionsPerPass();
    // Seconds per action (shown with an SI prefix: "25n" is 25 ns).
    state.counters["per_action"] =
        benchmark::Counter(actions, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}

BENCHMARK(ScriptLoop)->Arg(1000000)->Unit(benchmark::kMillisecond);
