// Running one test in-process: frames ticked by the runner, images taken at
// their triggers at the movie's or the viewport's size, recorded clicks
// reaching the movie through the control's window, trace output compared.
#include "SwfWriter.h"
#include "TestFiles.h"
#include "TestRun.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace swfcheck;

namespace {

// A 40 x 30 pixel movie on white: frame 1 stops with a red 10-pixel square
// at (5, 5) that is also a button going to the next frame when pressed;
// frame 2 shows a blue square at (20, 10).
QByteArray twoFrameMovie()
{
    swfmake::MovieWriter m(40, 30, 12);
    m.setBackground(Qt::white);
    auto square = [&](int id, QColor color) {
        swfmake::ShapeBuilder s;
        s.setStyles(0, s.addFill(swfmake::Fill::solid(color)), 0);
        s.rect(0, 0, 200, 200);
        m.defineShape(id, s);
    };
    square(1, Qt::red);
    square(2, Qt::blue);
    m.defineButton2(3, {{0x0F, 1, 1, QTransform()}}, {swfmake::ActionCode::NextFrame}, {});
    m.place(swfmake::Place{1, false, 3, QTransform::fromTranslate(100, 100), {}, {}, {}, {}});
    m.actions({swfmake::ActionCode::Stop});
    m.showFrame();
    m.remove(1);
    m.place(swfmake::Place{1, false, 2, QTransform::fromTranslate(400, 200), {}, {}, {}, {}});
    m.showFrame();
    return m.finish();
}

QImage expectedImage(QSize size, QRect square, QColor color)
{
    QImage image(size, QImage::Format_RGBA8888);
    image.fill(Qt::white);
    QPainter(&image).fillRect(square, color);
    return image;
}

class TestRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        write("test.swf", twoFrameMovie());
    }
    void write(const QString &name, const QByteArray &bytes) { writeTestFile(dir.filePath(name), bytes); }
    TestCase test(int frames)
    {
        TestCase t;
        t.name = QStringLiteral("image/sample");
        t.folder = dir.path();
        t.frames = frames;
        t.quality = QStringLiteral("low");
        return t;
    }
    QTemporaryDir dir;
};

}

TEST_F(TestRunTest, TakesImagesAtTheirTriggers)
{
    expectedImage({40, 30}, {5, 5, 10, 10}, Qt::red).save(dir.filePath("first.expected.png"));
    expectedImage({40, 30}, {5, 5, 10, 10}, Qt::red).save(dir.filePath("last.expected.png"));
    TestCase t = test(3);
    t.images = {{"first", {{0, 0}}, 1}, {"last", {{0, 0}}, 0}};
    Outcome outcome = runTestCase(t, QString());
    EXPECT_TRUE(outcome.passed) << outcome.reason.toStdString();
}

TEST_F(TestRunTest, RecordedClicksReachTheMovieInStagePixels)
{
    // The viewport doubles the stage, so stage pixels must be mapped.
    write("input.json", R"([
      { "type": "Wait" },
      { "type": "MouseMove", "pos": [10, 10] },
      { "type": "MouseDown", "pos": [10, 10], "btn": "Left" },
      { "type": "MouseUp", "pos": [10, 10], "btn": "Left" },
      { "type": "Wait" }
    ])");
    expectedImage({80, 60}, {10, 10, 20, 20}, Qt::red).save(dir.filePath("before.expected.png"));
    expectedImage({80, 60}, {40, 20, 20, 20}, Qt::blue).save(dir.filePath("after.expected.png"));
    TestCase t = test(2);
    t.viewport = QSize(80, 60);
    t.images = {{"before", {{0, 0}}, 1}, {"after", {{0, 0}}, 2}};
    Outcome outcome = runTestCase(t, QString());
    EXPECT_TRUE(outcome.passed) << outcome.reason.toStdString();
}

TEST_F(TestRunTest, FailuresSayWhyAndLeaveDifferenceImages)
{
    expectedImage({40, 30}, {5, 5, 10, 10}, Qt::green).save(dir.filePath("output.expected.png"));
    expectedImage({41, 30}, {5, 5, 10, 10}, Qt::red).save(dir.filePath("wide.expected.png"));
    write("output.txt", "hello\n");
    QTemporaryDir diffs;
    TestCase t = test(1);
    t.expectedOutput = dir.filePath("output.txt");
    t.images = {{"output", {{10, 5}}, 0}, {"wide", {{0, 0}}, 0}, {"missing", {{0, 0}}, 0}};
    Outcome outcome = runTestCase(t, diffs.path());
    EXPECT_FALSE(outcome.passed);
    // Red against green: two channels of 100 pixels differ.
    EXPECT_TRUE(outcome.reason.contains("output: 200 outliers (at most 5 allowed), largest difference 255"))
        << outcome.reason.toStdString();
    EXPECT_TRUE(outcome.reason.contains("wide: image is 40x30, expected 41x30"));
    EXPECT_TRUE(outcome.reason.contains("missing: cannot read missing.expected.png"));
    EXPECT_TRUE(outcome.reason.contains("trace line 1: expected \"hello\", got no more lines"));
    QImage diff(QDir(diffs.path()).filePath("image_sample.output.diff.png"));
    ASSERT_FALSE(diff.isNull());
    EXPECT_EQ(diff.pixelColor(7, 7), QColor(255, 0, 0));
    EXPECT_FALSE(QImage(QDir(diffs.path()).filePath("image_sample.output.actual.png")).isNull());
}

TEST_F(TestRunTest, EveryCheckHoldsWithItsOwnOutliers)
{
    // Red against a capture with 100 pixels of green: 200 channel values
    // differ by 255.
    expectedImage({40, 30}, {5, 5, 10, 10}, Qt::green).save(dir.filePath("output.expected.png"));
    TestCase t = test(1);
    t.images = {{"output", {{0, 200}, {254, 0}}, 0}};
    Outcome outcome = runTestCase(t, QString());
    EXPECT_FALSE(outcome.passed);
    EXPECT_TRUE(outcome.reason.contains("output: 200 outliers (at most 0 allowed)")) << outcome.reason.toStdString();
    t.images = {{"output", {{0, 200}, {255, 0}}, 0}};
    EXPECT_TRUE(runTestCase(t, QString()).passed);
}

TEST_F(TestRunTest, EmptyTraceAndUnrunnableDescriptions)
{
    write("output.txt", "");
    TestCase t = test(2);
    t.expectedOutput = dir.filePath("output.txt");
    EXPECT_TRUE(runTestCase(t, QString()).passed);

    t.problem = QStringLiteral("test.toml, line 3: expected a value");
    EXPECT_EQ(runTestCase(t, QString()).reason, t.problem);

    TestCase late = test(2);
    late.images = {{"output", {{0, 0}}, 5}};
    EXPECT_TRUE(runTestCase(late, QString()).reason.contains("past the last frame"));

    write("input.json", "[{ \"type\": \"Jump\" }]");
    EXPECT_TRUE(runTestCase(test(1), QString()).reason.startsWith("input.json: unknown input event Jump"));
}
