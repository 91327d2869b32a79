#include "SUIProgressBar.h"
#include "SUIThemeTable.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
struct Host {
    TCustomControl form{nullptr};
    Host() { form.SetBounds(0, 0, 300, 300); }
};

QImage Grab(TWinControl &control)
{
    TBitmap bitmap;
    bitmap.SetSize(control.Width(), control.Height());
    control.PaintTo(bitmap.Canvas(), 0, 0);
    return bitmap.Image();
}
}

struct PercentRow {
    int min, max, position;
    int percent;
};

class ProgressBarArithmetic : public ::testing::TestWithParam<PercentRow> {};

TEST_P(ProgressBarArithmetic, PercentAndCaption)
{
    const PercentRow row = GetParam();
    Host host;
    TsuiProgressBar bar(&host.form);
    bar.SetMax(row.max);
    bar.SetMin(row.min);
    bar.SetPosition(row.position);
    EXPECT_EQ(bar.Percent(), row.percent);
    EXPECT_EQ(bar.Caption(), QString::number(row.percent) + "%");
}

INSTANTIATE_TEST_SUITE_P(Rows, ProgressBarArithmetic,
                         ::testing::Values(PercentRow{0, 100, 33, 33}, PercentRow{0, 100, 0, 0},
                                           PercentRow{0, 100, 150, 150}, PercentRow{0, 100, -20, -20},
                                           PercentRow{5, 5, 5, 0}, PercentRow{10, 20, 15, 50},
                                           PercentRow{0, 3, 1, 33}));

TEST(ProgressBar, StartsAtFiftyPercentTwelvePixelsHigh)
{
    Host host;
    TsuiProgressBar bar(&host.form);
    EXPECT_EQ(bar.Caption(), "50%");
    EXPECT_EQ(bar.Width(), 150);
    EXPECT_EQ(bar.Height(), 12);
    EXPECT_EQ(bar.UIStyle(), DeepBlue);
    EXPECT_EQ(bar.Color(), GetThemeColor(DeepBlue, 9));
    EXPECT_EQ(bar.BorderColor(), GetThemeColor(DeepBlue, 8));
    EXPECT_FALSE(bar.Picture()->Graphic() == nullptr);
}

TEST(ProgressBar, ThicknessIsLockedAndFollowsOrientation)
{
    Host host;
    TsuiProgressBar bar(&host.form);
    bar.SetHeight(20);
    EXPECT_EQ(bar.Height(), 12);
    bar.SetWidth(200);
    EXPECT_EQ(bar.Width(), 200);

    bar.SetOrientation(suiVertical);
    EXPECT_EQ(bar.Width(), 12);
    EXPECT_EQ(bar.Height(), 200);
    bar.SetWidth(30);
    EXPECT_EQ(bar.Width(), 12);

    bar.SetOrientation(suiHorizontal);
    EXPECT_EQ(bar.Height(), 12);
    EXPECT_EQ(bar.Width(), 200);
}

TEST(ProgressBar, CustomStyleKeepsItsColours)
{
    Host host;
    TsuiProgressBar bar(&host.form);
    bar.SetUIStyle(Custom);
    bar.SetColor(clRed);
    bar.SetBorderColor(clLime);
    bar.SetUIStyle(Custom);
    EXPECT_EQ(bar.Color(), clRed);
    EXPECT_EQ(bar.BorderColor(), clLime);
    bar.SetUIStyle(WinXP);
    EXPECT_EQ(bar.Color(), GetThemeColor(WinXP, 9));
}

TEST(ProgressBar, FilledPartIsPictureAndRestIsColour)
{
    Host host;
    TsuiProgressBar bar(&host.form);
    bar.SetParent(&host.form);
    bar.SetShowCaption(false);
    bar.SetUIStyle(Custom);
    TBitmap red;
    red.SetSize(3, 10);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(Rect(0, 0, 3, 10));
    TPicture picture;
    picture.SetBitmap(&red);
    bar.SetPicture(&picture);
    bar.SetColor(clBlue);
    bar.SetBorderColor(clBlack);
    bar.SetPosition(33);

    const QImage image = Grab(bar);
    const int filled = 149 * 33 / 100; // 49: the picture covers x = 1 .. 48
    EXPECT_EQ(image.pixelColor(0, 5), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(1, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(filled - 1, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(filled, 5), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(148, 5), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(149, 5), QColor(Qt::black));
}

TEST(ProgressBar, EmptyBarFillsColourFromTheFirstColumn)
{
    Host host;
    TsuiProgressBar bar(&host.form);
    bar.SetParent(&host.form);
    bar.SetUIStyle(Custom);
    bar.SetColor(clBlue);
    bar.SetPosition(0);
    bar.SetShowCaption(false);
    const QImage image = Grab(bar);
    EXPECT_EQ(image.pixelColor(1, 5), QColor(Qt::blue));
}

TEST(ProgressBar, SmartCaptionHidesAtMinimum)
{
    Host host;
    TsuiProgressBar bar(&host.form);
    bar.SetParent(&host.form);
    bar.SetUIStyle(Custom);
    bar.SetColor(clWhite);
    bar.SetCaptionColor(clBlack);
    bar.SetPosition(0);

    auto darkPixels = [&] {
        const QImage image = Grab(bar);
        int count = 0;
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x)
                count += qGray(image.pixel(x, y)) < 128;
        return count;
    };
    EXPECT_GT(darkPixels(), 0) << "0% is shown";
    bar.SetSmartShowCaption(true);
    EXPECT_EQ(darkPixels(), 0);
}

TEST(ProgressBar, VerticalBarFillsFromTheBottomAndDropsItsCaption)
{
    Host host;
    TsuiProgressBar bar(&host.form);
    bar.SetParent(&host.form);
    bar.SetOrientation(suiVertical);
    bar.SetUIStyle(Custom);
    TBitmap stripes;
    stripes.SetSize(10, 4);
    stripes.Canvas()->Brush()->SetColor(clRed);
    stripes.Canvas()->FillRect(Rect(0, 0, 10, 2));
    stripes.Canvas()->Brush()->SetColor(clLime);
    stripes.Canvas()->FillRect(Rect(0, 2, 10, 4));
    TPicture picture;
    picture.SetBitmap(&stripes);
    bar.SetPicture(&picture);
    bar.SetColor(clBlue);
    bar.SetPosition(50);

    const QImage image = Grab(bar);
    EXPECT_FALSE(bar.ShowCaption());
    const int h = bar.Height();
    EXPECT_EQ(image.pixelColor(5, 2), QColor(Qt::blue)) << "top is empty";
    // The picture is upside down: its last rows stand at the top of the filled part.
    EXPECT_EQ(image.pixelColor(5, h - 3), QColor(Qt::red));
    const int top = (h - 1) - (h - 1) / 2;
    EXPECT_EQ(image.pixelColor(5, top + 1), QColor(Qt::green));
}
