// Test descriptions: what a test.toml asks for becomes a case (or one per
// subtest that applies here), and test folders are found under a root.
#include "PlatformFilter.h"
#include "TestCase.h"
#include "TestFiles.h"
#include "TomlReader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace swfcheck;

namespace {

std::vector<TestCase> casesOf(const char *toml, const QString &folder = QStringLiteral("/nowhere"))
{
    auto doc = readToml(toml);
    EXPECT_TRUE(doc.has_value());
    return testCasesFrom(doc.value_or(TomlValue()), folder, QStringLiteral("image/t"));
}


}

TEST(TestCase, TakesFramesImagesAndOptions)
{
    auto cases = casesOf(R"(num_ticks = 7
known_failure = true
image_comparisons."output.02".trigger = 2
[image_comparisons.output]
tolerance = 34
max_outliers = 1070
[[image_comparisons."output.02".checks]]
tolerance = 40
max_outliers = 9
[[image_comparisons."output.02".checks]]
tolerance = 2
[player_options]
with_renderer = { optional = true, quality = "LOW" }
viewport_dimensions = { width = 160, height = 120, scale_factor = 1 }
version = 9
)");
    ASSERT_EQ(cases.size(), 1u);
    const TestCase &c = cases[0];
    EXPECT_EQ(c.name, "image/t");
    EXPECT_EQ(c.frames, 7);
    EXPECT_TRUE(c.knownFailure);
    EXPECT_EQ(c.quality, "low");
    EXPECT_EQ(c.viewport, QSize(160, 120));
    EXPECT_EQ(c.playerVersion, 9);
    ASSERT_EQ(c.images.size(), 2u);
    EXPECT_EQ(c.images[0].name, "output.02");
    EXPECT_EQ(c.images[0].trigger, 2);
    // Every check must hold, each with its own number of outliers.
    ASSERT_EQ(c.images[0].limits.size(), 2u);
    EXPECT_EQ(c.images[0].limits[0].tolerance, 40);
    EXPECT_EQ(c.images[0].limits[0].maxOutliers, 9);
    EXPECT_EQ(c.images[0].limits[1].tolerance, 2);
    EXPECT_EQ(c.images[0].limits[1].maxOutliers, 0);
    EXPECT_EQ(c.images[1].name, "output");
    EXPECT_EQ(c.images[1].trigger, 0);
    ASSERT_EQ(c.images[1].limits.size(), 1u);
    EXPECT_EQ(c.images[1].limits[0].tolerance, 34);
    EXPECT_EQ(c.images[1].limits[0].maxOutliers, 1070);
    EXPECT_TRUE(c.problem.isEmpty());
}

TEST(TestCase, DefaultsAndProblemsAreExplicit)
{
    auto plain = casesOf("num_frames = 3\n[image_comparisons.output]\n");
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].frames, 3);
    EXPECT_EQ(plain[0].quality, "high");
    EXPECT_FALSE(plain[0].viewport);
    ASSERT_EQ(plain[0].images[0].limits.size(), 1u);
    EXPECT_EQ(plain[0].images[0].limits[0].tolerance, 0);
    // Nothing to compare, or a trigger we cannot honour, is a failure to report.
    EXPECT_FALSE(casesOf("num_frames = 3\n")[0].problem.isEmpty());
    EXPECT_TRUE(casesOf("[image_comparisons.output]\ntrigger = \"fs_command\"\n")[0].problem.contains("trigger"));
    // Absurd numbers are bounded rather than believed.
    auto wild = casesOf("num_frames = -5\n[image_comparisons.output]\ntolerance = 9999\n");
    EXPECT_EQ(wild[0].frames, 1);
    EXPECT_EQ(wild[0].images[0].limits[0].tolerance, 255);
}

TEST(TestCase, SubtestsApplyTheirOptionsAndFilters)
{
    QTemporaryDir dir;
    writeTestFile(dir.filePath("output.fp9.txt"), "nine\n");
    writeTestFile(dir.filePath("output.txt"), "default\n");
    auto cases = casesOf(R"(num_frames = 30
[image_comparisons.output]
tolerance = 3
[subtests.fp9]
output_path = "output.fp9.txt"
player_options.version = 9
[subtests.mac]
filter = 'os = "macos"'
[subtests.others]
filter = 'not(os = "macos")'
)",
                         dir.path());
    std::vector<QString> names;
    for (const TestCase &c : cases)
        names.push_back(c.name);
#ifdef Q_OS_MACOS
    EXPECT_EQ(names, (std::vector<QString>{"image/t#fp9", "image/t#mac"}));
#else
    EXPECT_EQ(names, (std::vector<QString>{"image/t#fp9", "image/t#others"}));
#endif
    EXPECT_EQ(cases[0].playerVersion, 9);
    EXPECT_EQ(cases[0].expectedOutput, dir.filePath("output.fp9.txt"));
    EXPECT_EQ(cases[0].images.size(), 1u); // inherited from the test
    EXPECT_EQ(cases[0].frames, 30);
    EXPECT_EQ(cases[1].expectedOutput, dir.filePath("output.txt"));
    EXPECT_FALSE(cases[1].playerVersion);
}

TEST(TestCase, PlatformFilters)
{
    EXPECT_EQ(platformMatches(R"(os = "no-such-os")"), false);
    EXPECT_EQ(platformMatches(R"(not(os = "no-such-os"))"), true);
    EXPECT_EQ(platformMatches(R"(all(not(os = "x"), not(os = "y")))"), true);
    EXPECT_EQ(platformMatches(R"(any(os = "x", os = "y"))"), false);
    EXPECT_EQ(platformMatches(R"(colour = "blue")"), false);
    EXPECT_FALSE(platformMatches(R"(os = macos)"));
    EXPECT_FALSE(platformMatches(R"(not(os = "x")))"));
    EXPECT_FALSE(platformMatches(R"(maybe(os = "x"))"));
    EXPECT_FALSE(platformMatches(QString(1000, '(')));
}

TEST(TestCase, FindsTestFoldersAndReportsBrokenDescriptions)
{
    QTemporaryDir dir;
    writeTestFile(dir.filePath("b/one/test.swf"), "FWS");
    writeTestFile(dir.filePath("b/one/test.toml"), "num_frames = 1\n");
    writeTestFile(dir.filePath("a/two/test.swf"), "FWS");
    writeTestFile(dir.filePath("a/two/test.toml"), "num_frames = \n");
    writeTestFile(dir.filePath("a/no-movie/test.toml"), "num_frames = 1\n");
    QStringList found = findTestFolders(dir.path());
    ASSERT_EQ(found.size(), 2);
    EXPECT_TRUE(found[0].endsWith("a/two"));
    EXPECT_TRUE(found[1].endsWith("b/one"));
    auto broken = readTestCases(found[0], "a/two");
    ASSERT_EQ(broken.size(), 1u);
    EXPECT_TRUE(broken[0].problem.contains("line 1")) << broken[0].problem.toStdString();
}
