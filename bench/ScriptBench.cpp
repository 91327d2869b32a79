// The interpreter on a loop of arithmetic, member access and a function
// call; reports the time per action (goal: under 50 ns).
#include "SampleScripts.h"
#include "swf/avm1/Object.h"
#include "swf/avm1/StandaloneHost.h"
#include "swf/avm1/Vm.h"

#include <benchmark/benchmark.h>

namespace {

using namespace swf::avm1;

void ScriptLoop(benchmark::State &state)
{
    const int iterations = int(state.range(0));
    QByteArray block = swfmake::loopBenchmark(iterations);
    StandaloneHost host;
    Vm vm(host);
    // A loaded machine must not stop the loop as a runaway script.
    vm.setTimeLimit(600000);
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
