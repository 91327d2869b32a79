#include "SUIImagePanel.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
QImage Grab(TWinControl &control)
{
    TBitmap bitmap;
    bitmap.SetSize(control.Width(), control.Height());
    control.PaintTo(bitmap.Canvas(), 0, 0);
    return bitmap.Image();
}

TPicture *SolidPicture(TPicture &picture, int w, int h, TColor color)
{
    TBitmap bitmap;
    bitmap.SetSize(w, h);
    bitmap.Canvas()->Brush()->SetColor(color);
    bitmap.Canvas()->FillRect(Rect(0, 0, w, h));
    picture.SetBitmap(&bitmap);
    return &picture;
}

struct Fixture : ::testing::Test {
    TCustomControl form{nullptr};
    TsuiImagePanel panel{&form};
    void SetUp() override
    {
        form.SetBounds(0, 0, 200, 200);
        panel.SetParent(&form);
        panel.SetBounds(10, 10, 60, 40);
    }
};
}

using ImagePanel = Fixture;

TEST_F(ImagePanel, IsBevelLess)
{
    EXPECT_EQ(panel.BevelInner(), bvNone);
    EXPECT_EQ(panel.BevelOuter(), bvNone);
    EXPECT_EQ(panel.DrawStyle(), suiNormal);
    EXPECT_FALSE(panel.Transparent());
}

TEST_F(ImagePanel, AutoSizeKeepsTheAlignedSide)
{
    TPicture picture;
    panel.SetAlign(alTop);
    const int width = panel.Width();
    panel.SetAutoSize(true);
    panel.SetPicture(SolidPicture(picture, 30, 25, clRed));
    EXPECT_EQ(panel.Height(), 25);
    EXPECT_EQ(panel.Width(), width);

    TsuiImagePanel free(&form);
    free.SetParent(&form);
    free.SetAutoSize(true);
    free.SetPicture(&picture);
    EXPECT_EQ(free.Width(), 30);
    EXPECT_EQ(free.Height(), 25);
}

TEST_F(ImagePanel, ColourOnlyWithoutAPicture)
{
    panel.SetColor(clBlue);
    EXPECT_EQ(Grab(panel).pixelColor(50, 30), QColor(Qt::blue));

    TPicture picture;
    panel.SetPicture(SolidPicture(picture, 20, 20, clRed));
    const QImage image = Grab(panel);
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(50, 30), QColor(Qt::blue)) << "Color is not painted beside a picture";
}

TEST_F(ImagePanel, StretchAndTileCoverTheClientArea)
{
    TPicture picture;
    panel.SetPicture(SolidPicture(picture, 7, 5, clRed));
    panel.SetDrawStyle(suiStretch);
    EXPECT_EQ(Grab(panel).pixelColor(59, 39), QColor(Qt::red));
    panel.SetDrawStyle(suiTile);
    EXPECT_EQ(Grab(panel).pixelColor(59, 39), QColor(Qt::red));
}

TEST_F(ImagePanel, BlankCaptionDrawsNothing)
{
    panel.SetColor(clWhite);
    panel.SetCaption("  ");
    const QImage blank = Grab(panel);
    for (int y = 0; y < blank.height(); ++y)
        for (int x = 0; x < blank.width(); ++x)
            ASSERT_EQ(blank.pixelColor(x, y), QColor(Qt::white));
    panel.SetCaption("Hi");
    const QImage text = Grab(panel);
    bool dark = false;
    for (int y = 0; y < text.height() && !dark; ++y)
        for (int x = 0; x < text.width() && !dark; ++x)
            dark = qGray(text.pixel(x, y)) < 128;
    EXPECT_TRUE(dark);
}

TEST_F(ImagePanel, TransparentPanelShowsItsParent)
{
    form.SetColor(clLime);
    panel.SetColor(clBlue);
    panel.SetTransparent(true);
    EXPECT_EQ(Grab(panel).pixelColor(30, 20), QColor(Qt::green));
}
