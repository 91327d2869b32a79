#include "ExtCtrls.h"
#include "Forms.h"
#include "StdCtrls.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
QColor Rgb(TColor Color)
{
    return ColorToQColor(Color);
}

QImage Shot(TWinControl *Control)
{
    return Control->Handle()->grab().toImage();
}

// The number of pixels of a colour near Color in a rectangle.
int CountNear(const QImage &Image, const QRect &Area, const QColor &Color, int Tolerance = 60)
{
    int n = 0;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x) {
            const QColor c = Image.pixelColor(x, y);
            if (std::abs(c.red() - Color.red()) + std::abs(c.green() - Color.green()) + std::abs(c.blue() - Color.blue()) <= Tolerance)
                ++n;
        }
    return n;
}
}

TEST(Panels, RaisedAndLoweredBevelsFrameTheFace)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 120);
    auto *panel = new TPanel(&form);
    panel->SetBounds(10, 10, 100, 50);
    panel->SetParent(&form);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    form.Show();
    const QImage img = Shot(panel);
    // Outer raised bevel: light on top and left, dark on bottom and right.
    EXPECT_EQ(img.pixelColor(0, 0), Rgb(clBtnHighlight));
    EXPECT_EQ(img.pixelColor(1, 20), Rgb(clBtnHighlight));
    EXPECT_EQ(img.pixelColor(99, 20), Rgb(clBtnShadow));
    EXPECT_EQ(img.pixelColor(50, 48), Rgb(clBtnShadow));
    // Inner lowered bevel inside it, then the face.
    EXPECT_EQ(img.pixelColor(2, 20), Rgb(clBtnShadow));
    EXPECT_EQ(img.pixelColor(96, 20), Rgb(clBtnHighlight));
    EXPECT_EQ(img.pixelColor(4, 20), Rgb(clBtnFace));
    // Aligned children are laid out inside the bevels.
    auto *inner = new TPanel(&form);
    inner->SetParent(panel);
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), Rect(4, 4, 96, 46));
}

TEST(Panels, CaptionFollowsAlignment)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 120);
    auto *panel = new TPanel(&form);
    panel->SetBounds(0, 0, 240, 40);
    panel->SetParent(&form);
    panel->SetCaption("Wordlark");
    panel->Font()->SetColor(clBlack);
    form.Show();
    auto textColumns = [&] {
        const QImage img = Shot(panel);
        int first = -1;
        for (int x = 2; x < 238 && first < 0; ++x)
            if (CountNear(img, QRect(x, 2, 1, 36), QColor(0, 0, 0)) > 0)
                first = x;
        return first;
    };
    const int centred = textColumns();
    panel->SetAlignment(taLeftJustify);
    panel->Repaint();
    const int left = textColumns();
    EXPECT_GE(left, 1);
    EXPECT_GT(centred, left + 40);
}

TEST(Panels, NamingAControlNamesItsCaption)
{
    TForm form(nullptr);
    auto *panel = new TPanel(&form);
    panel->SetName("Panel1");
    EXPECT_EQ(panel->Caption(), "Panel1");
    panel->SetCaption(" ");
    panel->SetName("Panel2");
    EXPECT_EQ(panel->Caption(), " ");
}

TEST(Labels, AutoSizeFollowsTheText)
{
    TForm form(nullptr);
    auto *label = new TLabel(&form);
    label->SetParent(&form);
    label->SetCaption("Hi");
    const int shortWidth = label->Width();
    label->SetCaption("Hello, Wordlark");
    EXPECT_GT(label->Width(), shortWidth);
    const int oneLine = label->Height();
    label->Font()->SetSize(20);
    EXPECT_GT(label->Height(), oneLine);
    // A right-aligned label grows to the left.
    label->SetAlignment(taRightJustify);
    const int right = label->Left() + label->Width();
    label->SetCaption("Hello");
    EXPECT_EQ(label->Left() + label->Width(), right);
    label->SetAutoSize(false);
    label->SetCaption("Hello, Wordlark, hello again");
    EXPECT_EQ(label->Left() + label->Width(), right);
}

TEST(Labels, OpaqueOrTransparentOverTheParent)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    form.SetColor(clNavy);
    auto *label = new TLabel(&form);
    label->SetParent(&form);
    label->SetBounds(10, 10, 80, 30);
    label->SetAutoSize(false);
    label->SetParentColor(false);
    label->SetColor(clYellow);
    label->SetCaption("");
    form.Show();
    EXPECT_EQ(Shot(&form).pixelColor(50, 25), QColor(255, 255, 0));
    label->SetTransparent(true);
    form.Repaint();
    EXPECT_EQ(Shot(&form).pixelColor(50, 25), QColor(0, 0, 128));
}

TEST(Labels, AcceleratorFocusesTheLabelledControl)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto *first = new TPanel(&form);
    first->SetParent(&form);
    first->SetTabStop(true);
    auto *target = new TPanel(&form);
    target->SetParent(&form);
    target->SetTabStop(true);
    auto *label = new TLabel(&form);
    label->SetParent(&form);
    label->SetCaption("&Name:");
    label->SetFocusControl(target);
    form.Show();
    form.Handle()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Handle()));
    ASSERT_EQ(form.ActiveControl(), first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(form.ActiveControl(), target);
    // The label forgets a focus control that goes away.
    delete target;
    EXPECT_EQ(label->FocusControl(), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
}

TEST(GroupBoxes, FrameCaptionAndClientArea)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 260, 160);
    auto *box = new TGroupBox(&form);
    box->SetBounds(10, 10, 200, 100);
    box->SetParent(&form);
    box->SetCaption("Transport");
    box->Font()->SetColor(clBlack);
    auto *inside = new TPanel(&form);
    inside->SetParent(box);
    inside->SetAlign(alClient);
    inside->SetVisible(false);
    form.Show();
    const QImage img = Shot(box);
    const int h = inside->Top() - 2; // the caption's height
    EXPECT_GT(h, 5);
    // Etched frame: shadow line with a highlight line inside, below the caption's middle.
    EXPECT_EQ(img.pixelColor(0, 60), Rgb(clBtnShadow));
    EXPECT_EQ(img.pixelColor(1, 60), Rgb(clBtnHighlight));
    EXPECT_EQ(img.pixelColor(198, 60), Rgb(clBtnShadow));
    EXPECT_EQ(img.pixelColor(199, 60), Rgb(clBtnHighlight));
    // The caption interrupts the top line and is drawn in the font colour.
    EXPECT_GT(CountNear(img, QRect(8, 0, 60, h), QColor(0, 0, 0)), 10);
    EXPECT_NE(img.pixelColor(12, h / 2 - 1), Rgb(clBtnShadow));
    EXPECT_EQ(img.pixelColor(150, h / 2 - 1), Rgb(clBtnShadow));
    EXPECT_EQ(inside->BoundsRect(), Rect(2, h + 2, 198, 98));
}
