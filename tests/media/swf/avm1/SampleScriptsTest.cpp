// The sample scripts (the fuzz seeds and the benchmark loop) do what they
// are written to do, so the seeds reach deep into the interpreter.
#include "ScriptTestHost.h"
#include "SampleScripts.h"

#include <gtest/gtest.h>

using namespace scripttest;

namespace {

// `collectEvery`: collect that often (0: as the heap grows).
QStringList runSample(const QString &name, size_t collectEvery = 0)
{
    Machine m;
    if (collectEvery)
        m.vm.heap.setCollectEvery(collectEvery);
    m.host.addClip(QStringLiteral("clip"));
    for (const auto &[sample, block] : swfmake::sampleScripts())
        if (sample == name)
            return m.runBytes(block);
    return {QStringLiteral("no such sample")};
}

}

TEST(SampleScripts, ComputeWhatTheySay)
{
    EXPECT_EQ(runSample(QStringLiteral("arithmetic")), QStringList({"4.5", "12.5", "0", "31"}));
    EXPECT_EQ(runSample(QStringLiteral("functions")), QStringList({"144", "closure", "2"}));
    EXPECT_EQ(runSample(QStringLiteral("exceptions")), QStringList({"thrown", "finally", "again"}));
    EXPECT_EQ(runSample(QStringLiteral("classes")), QStringList({"v=9", "true", "v=9"}));
}

TEST(SampleScripts, GiveTheSameResultsWhenCollectingAtEverySafePoint)
{
    for (const auto &[name, block] : swfmake::sampleScripts())
        EXPECT_EQ(runSample(name, 1), runSample(name)) << name.toStdString();
}

TEST(SampleScripts, BenchmarkLoopSumsItsPasses)
{
    Machine m;
    m.runBytes(swfmake::loopBenchmark(1000));
    Context cx(m.vm, 8, nullptr);
    EXPECT_EQ(m.host.rootClip->get(cx, m.vm.name(QStringLiteral("result"))).number(), 999000.0);
}
