// Running cases in processes of their own: outcomes come back from the
// child, and a case that runs too long is stopped and reported.
#include "Runner.h"
#include "SwfWriter.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace swfcheck;

namespace {


// A test folder whose movie plays `frames` frames, drawn at `side` pixels
// square, and traces nothing.
void makeTest(const QString &folder, int frames, int side, const QByteArray &expectedTrace)
{
    swfmake::MovieWriter m(20, 20, 12);
    m.showFrame();
    writeTestFile(folder + "/test.swf", m.finish());
    writeTestFile(folder + "/test.toml", "num_frames = " + QByteArray::number(frames)
                      + "\n[player_options]\nviewport_dimensions = { width = " + QByteArray::number(side)
                      + ", height = " + QByteArray::number(side) + " }\n");
    writeTestFile(folder + "/output.txt", expectedTrace);
}

}

TEST(Runner, RunsEachCaseInItsOwnProcess)
{
    QTemporaryDir dir;
    makeTest(dir.filePath("quiet"), 2, 20, "");
    makeTest(dir.filePath("talkative"), 2, 20, "hello\n");
    // A hundred thousand frames of 16 million pixels take far longer than allowed.
    makeTest(dir.filePath("endless"), 100000, 4096, "");
    std::vector<TestCase> cases;
    for (const char *name : {"quiet", "talkative", "endless"})
        for (TestCase &c : readTestCases(dir.filePath(name), name))
            cases.push_back(c);
    RunnerOptions options;
    options.timeLimitSeconds = 3;
    options.program = QStringLiteral(SWFCHECK_PROGRAM);
    Runner runner(options);
    int reported = 0;
    std::vector<Result> results = runner.run(cases, [&](const Result &) { ++reported; });
    EXPECT_EQ(reported, 3);
    ASSERT_EQ(results.size(), 3u);
    EXPECT_EQ(results[0].line(), "pass quiet");
    EXPECT_EQ(results[1].line(), "fail talkative: trace line 1: expected \"hello\", got no more lines");
    EXPECT_EQ(results[2].status, Result::TimedOut);
    EXPECT_EQ(results[2].name, "endless");
}

TEST(Runner, NothingToRunEndsAtOnce)
{
    Runner runner(RunnerOptions{});
    EXPECT_TRUE(runner.run({}, [](const Result &) {}).empty());
}
