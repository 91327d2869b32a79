// Comparing results with references: images channel by channel within a
// tolerance, trace output line by line.
#include "ImageCompare.h"
#include "TraceCompare.h"

#include <gtest/gtest.h>

using namespace swfcheck;

TEST(ImageCompare, CountsChannelsBeyondTheTolerance)
{
    QImage expected(4, 2, QImage::Format_RGBA8888);
    expected.fill(QColor(100, 100, 100, 255));
    QImage actual = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(compareImages(actual, expected, 0).outliers, 0);
    EXPECT_TRUE(compareImages(actual, expected, 0).sameSize);

    actual.setPixelColor(1, 1, QColor(103, 100, 90, 255)); // red +3, blue -10
    ImageDifference d = compareImages(actual, expected, 2);
    EXPECT_EQ(d.outliers, 2);
    EXPECT_EQ(d.largest, 10);
    EXPECT_EQ(compareImages(actual, expected, 3).outliers, 1);
    EXPECT_EQ(compareImages(actual, expected, 10).outliers, 0);
}

TEST(ImageCompare, ComparesAlphaAndSize)
{
    QImage expected(2, 2, QImage::Format_RGBA8888);
    expected.fill(QColor(0, 0, 0, 0));
    QImage opaque(2, 2, QImage::Format_ARGB32_Premultiplied);
    opaque.fill(QColor(0, 0, 0, 255));
    EXPECT_EQ(compareImages(opaque, expected, 0).outliers, 4);
    EXPECT_FALSE(compareImages(QImage(3, 2, QImage::Format_RGB32), expected, 0).sameSize);
}

TEST(ImageCompare, DifferenceImageMarksOutliers)
{
    QImage expected(3, 1, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QImage actual = expected;
    actual.setPixelColor(2, 0, Qt::black);
    QImage diff = differenceImage(actual, expected, 5);
    ASSERT_EQ(diff.size(), expected.size());
    EXPECT_EQ(diff.pixelColor(2, 0), QColor(255, 0, 0));
    EXPECT_NE(diff.pixelColor(0, 0), QColor(255, 0, 0));
    // Where the actual image is smaller, everything beyond it differs.
    QImage narrow = differenceImage(actual.copy(0, 0, 1, 1), expected, 5);
    EXPECT_EQ(narrow.pixelColor(1, 0), QColor(255, 0, 0));
}

TEST(TraceCompare, AgreesOnEqualOutput)
{
    EXPECT_EQ(traceDifference({"a", "b"}, "a\nb\n"), "");
    EXPECT_EQ(traceDifference({"a", "b"}, "a\r\nb"), "");
    EXPECT_EQ(traceDifference({}, ""), "");
    // A traced value holding a line break counts as two lines.
    EXPECT_EQ(traceDifference({"a\rb", "c"}, "a\nb\nc\n"), "");
    // One empty trace is one empty line, not nothing.
    EXPECT_EQ(traceDifference({""}, "\n"), "");
    EXPECT_NE(traceDifference({}, "\n"), "");
}

TEST(TraceCompare, NamesTheFirstDifferingLine)
{
    EXPECT_EQ(traceDifference({"a", "x", "y"}, "a\nb\nc\n"), "line 2: expected \"b\", got \"x\"");
    EXPECT_EQ(traceDifference({"a"}, "a\nb\n"), "line 2: expected \"b\", got no more lines");
    EXPECT_EQ(traceDifference({"a", "extra"}, "a\n"), "line 2: expected no more lines, got \"extra\"");
    QString longLine(500, 'z');
    EXPECT_LT(traceDifference({longLine}, "short\n").size(), 200);
}
