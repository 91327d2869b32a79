// What a run reports: the Markdown summary by folder and the comparison
// with the recorded list of passing tests.
#include "Report.h"

#include <gtest/gtest.h>

using namespace swfcheck;

namespace {

Result result(const char *name, Result::Status status, const char *reason = "")
{
    Result r;
    r.name = name;
    r.status = status;
    r.reason = reason;
    return r;
}

}

TEST(Report, LinesSayWhatHappened)
{
    EXPECT_EQ(result("image/a", Result::Passed).line(), "pass image/a");
    EXPECT_EQ(result("image/a", Result::Failed, "output: 3 outliers").line(), "fail image/a: output: 3 outliers");
    EXPECT_EQ(result("trace/b", Result::TimedOut, "no outcome after 20 s").line(),
              "time-out trace/b: no outcome after 20 s");
    EXPECT_EQ(result("trace/c", Result::Crashed).line(), "crash trace/c");
}

TEST(Report, TablesPassesByFolderAndListsFailures)
{
    std::vector<Result> results{result("image/x/one", Result::Passed), result("image/x/two", Result::Failed, "a|b"),
                                result("trace/y/three#sub", Result::Crashed, "died"), result("top", Result::Passed)};
    QString md = markdownReport(results);
    EXPECT_TRUE(md.contains("2 passed, 2 failed"));
    EXPECT_TRUE(md.contains("| image/x | 1 | 2 |"));
    EXPECT_TRUE(md.contains("| trace/y | 0 | 1 |"));
    EXPECT_TRUE(md.contains("| . | 1 | 1 |"));
    EXPECT_TRUE(md.contains("| **all** | **2** | **4** |"));
    EXPECT_TRUE(md.contains("- `image/x/two` fail: a|b"));
    EXPECT_TRUE(md.contains("- `trace/y/three#sub` crash: died"));
    EXPECT_FALSE(md.contains("`image/x/one`"));
}

TEST(Report, ComparesWithThePassingList)
{
    QStringList listed = parsePassingList("# tests that pass\nimage/a\n\n  trace/b  \ntrace/gone\n");
    EXPECT_EQ(listed, (QStringList{"image/a", "trace/b", "trace/gone"}));
    std::vector<Result> results{result("image/a", Result::Passed), result("trace/b", Result::TimedOut, "slow"),
                                result("trace/new", Result::Passed), result("trace/bad", Result::Failed)};
    ListComparison c = compareWithList(results, listed);
    EXPECT_EQ(c.regressions, QStringList{"time-out trace/b: slow"});
    EXPECT_EQ(c.newlyPassing, QStringList{"trace/new"});
    EXPECT_EQ(c.notRun, QStringList{"trace/gone"});
}
