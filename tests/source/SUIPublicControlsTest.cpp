// The skin routines that work on controls and windows: a parent's background
// under a control, borders over a control's window edge, the flat frame of a
// drop-down window, and window placement.
#include "SUIMenu.h"
#include "SUIPublic.h"
#include "SkinBitmaps.h"

#include <QImage>
#include <QLabel>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

constexpr TColor PanelColor = 0x00C0FFEE;
constexpr TColor CanvasColor = clBlack;

// A container that erases to its colour and paints two marks; it notes the
// order of the two messages.
class TMarkedPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<String> Log;

protected:
    void WMEraseBkgnd(TMessage &Message) override
    {
        Log.push_back(QStringLiteral("erase"));
        TCustomControl::WMEraseBkgnd(Message);
    }
    void Paint() override
    {
        Log.push_back(QStringLiteral("paint"));
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(10, 5, 14, 9));
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(Rect(30, 20, 34, 24));
    }
};

// A control without a window, painted by its parent.
class TGreenBox : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clLime);
        Canvas()->FillRect(ClientRect());
    }
};

// A windowed control that fills its client area with its colour.
class TFilledControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

// A boxed control over a Qt widget: after the widget paints, the skin's
// border goes over its edge.
class TBoxedLabel : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override
    {
        auto *label = new QLabel(QStringLiteral("Lesson"), ParentWidget);
        label->setAutoFillBackground(true);
        return label;
    }
    void WMPaint(TMessage &Message) override
    {
        TWinControl::WMPaint(Message);
        DrawControlBorder(this, clBtnShadow, clTeal);
    }
};

struct ParentBackground : ::testing::Test {
    TForm Form{nullptr};
    TMarkedPanel *Panel = nullptr;
    TFilledControl *Child = nullptr;
    std::unique_ptr<TBitmap> Buffer;

    void SetUp() override
    {
        Panel = new TMarkedPanel(&Form);
        Panel->SetBounds(0, 0, 40, 30);
        Panel->SetColor(PanelColor);
        Panel->SetParent(&Form);
        Child = new TFilledControl(&Form);
        Child->SetParent(Panel);
        Buffer = FilledBitmap(30, 25, CanvasColor);
    }
    TColor At(int x, int y) { return Buffer->Canvas()->Pixels(x, y); }
};

} // namespace

TEST_F(ParentBackground, ShowsWhatLiesUnderTheControl)
{
    Child->SetBounds(8, 3, 30, 25);
    DrawParentBackground(Buffer->Canvas(), Child);
    EXPECT_EQ(Panel->Log, (std::vector<String>{"erase", "paint"}));
    EXPECT_EQ(At(0, 0), PanelColor);
    EXPECT_EQ(At(2, 2), clRed);    // the panel's (10, 5)
    EXPECT_EQ(At(5, 5), clRed);    // the panel's (13, 8)
    EXPECT_EQ(At(6, 6), PanelColor);
    EXPECT_EQ(At(22, 17), clBlue); // the panel's (30, 20)
    EXPECT_EQ(At(29, 24), PanelColor);
    // The canvas's origin and clip are given back.
    EXPECT_EQ(Buffer->Canvas()->Origin(), Point(0, 0));
    EXPECT_EQ(Buffer->Canvas()->ClipRect(), Rect(0, 0, 30, 25));
}

TEST_F(ParentBackground, ClippedToTheParentsClientArea)
{
    Child->SetBounds(20, 10, 30, 25);
    DrawParentBackground(Buffer->Canvas(), Child);
    EXPECT_EQ(At(0, 0), PanelColor);
    EXPECT_EQ(At(19, 19), PanelColor);
    EXPECT_EQ(At(13, 13), clBlue);
    EXPECT_EQ(At(20, 0), CanvasColor);
    EXPECT_EQ(At(0, 20), CanvasColor);
    EXPECT_EQ(At(29, 24), CanvasColor);
}

TEST_F(ParentBackground, ParentsGraphicChildrenAreIncluded)
{
    auto *box = new TGreenBox(&Form);
    box->SetBounds(20, 0, 5, 5);
    box->SetParent(Panel);
    Child->SetBounds(15, 0, 20, 20);
    DrawParentBackground(Buffer->Canvas(), Child);
    EXPECT_EQ(At(4, 0), PanelColor);
    EXPECT_EQ(At(5, 0), clLime);
    EXPECT_EQ(At(9, 4), clLime);
}

TEST_F(ParentBackground, WithoutParentNothingIsDrawn)
{
    TFilledControl orphan(nullptr);
    orphan.SetBounds(0, 0, 30, 25);
    DrawParentBackground(Buffer->Canvas(), &orphan);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(At(x, y), CanvasColor) << x << ", " << y;
}

// The two frames cover the control's two-pixel border; the client area keeps
// its own painting.
TEST(ControlBorder, TwoFramesOverTheWindowEdge)
{
    TForm form(nullptr);
    form.SetBounds(50, 50, 120, 90);
    auto *boxed = new TFilledControl(&form);
    boxed->SetBounds(10, 10, 30, 20);
    boxed->SetBorderWidth(2);
    boxed->SetColor(clYellow);
    boxed->SetParent(&form);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Handle()));
    boxed->Handle()->grab();
    DrawControlBorder(boxed, clBtnShadow, clTeal);
    const QImage shot = boxed->Handle()->grab().toImage();
    const QColor outer = ColorToQColor(clBtnShadow);
    const QColor inner = ColorToQColor(clTeal);
    for (const QPoint p : {QPoint(0, 0), QPoint(29, 0), QPoint(0, 19), QPoint(29, 19), QPoint(15, 0), QPoint(0, 10)})
        EXPECT_EQ(shot.pixelColor(p), outer) << p.x() << ", " << p.y();
    for (const QPoint p : {QPoint(1, 1), QPoint(28, 1), QPoint(1, 18), QPoint(28, 18), QPoint(15, 18)})
        EXPECT_EQ(shot.pixelColor(p), inner) << p.x() << ", " << p.y();
    for (const QPoint p : {QPoint(2, 2), QPoint(27, 17), QPoint(15, 10)})
        EXPECT_EQ(shot.pixelColor(p), ColorToQColor(clYellow)) << p.x() << ", " << p.y();
}

TEST(ControlBorder, DrawnAfterAQtWidgetPaints)
{
    TForm form(nullptr);
    form.SetBounds(50, 50, 120, 90);
    auto *boxed = new TBoxedLabel(&form);
    boxed->SetBounds(10, 10, 60, 40);
    boxed->SetParent(&form);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Handle()));
    const QImage shot = boxed->Handle()->grab().toImage();
    for (const QPoint p : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 39), QPoint(59, 39), QPoint(30, 39)})
        EXPECT_EQ(shot.pixelColor(p), ColorToQColor(clBtnShadow)) << p.x() << ", " << p.y();
    for (const QPoint p : {QPoint(1, 1), QPoint(58, 1), QPoint(1, 38), QPoint(58, 38), QPoint(30, 1)})
        EXPECT_EQ(shot.pixelColor(p), ColorToQColor(clTeal)) << p.x() << ", " << p.y();
}

// On a 40 x 30 frameless drop-down window: a border frame one row down from the top and one
// pixel in from the right and bottom, white inside it, and the line along
// the bottom, up the right side and back along the top row.
TEST(FlatMenuFrame, FrameAndLineAlongTheWindowEdge)
{
    TForm dropDown(nullptr);
    dropDown.SetBorderStyle(bsNone);
    dropDown.SetBounds(200, 150, 40, 30);
    dropDown.SetColor(clGray);
    dropDown.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dropDown.Handle()));
    dropDown.Handle()->grab();
    DrawFlatMenuFrame(dropDown.Handle(), clNavy, clRed);
    const QImage shot = dropDown.Handle()->grab().toImage();
    struct Row {
        int x, y;
        TColor color;
    };
    const Row rows[] = {
        {0, 0, clGray},   {1, 0, clRed},    {39, 0, clRed},   {39, 15, clRed},  {39, 29, clRed},
        {0, 29, clRed},   {20, 29, clRed},  {0, 1, clNavy},   {38, 1, clNavy},  {0, 28, clNavy},
        {38, 28, clNavy}, {20, 1, clNavy},  {1, 2, clWhite},  {37, 2, clWhite}, {1, 27, clWhite},
        {37, 27, clWhite}, {2, 3, clGray},  {36, 26, clGray},
    };
    for (const Row &row : rows)
        EXPECT_EQ(shot.pixelColor(row.x, row.y), ColorToQColor(row.color)) << row.x << ", " << row.y;
}

TEST(Placement, WorkAreaFormBoundsAndControlPosition)
{
    SetWorkAreaProvider([] { return Rect(0, 24, 1280, 1000); });
    TRect area;
    GetWorkAreaRect(area);
    SetWorkAreaProvider({});
    EXPECT_EQ(area, Rect(0, 24, 1280, 1000));

    TForm form(nullptr);
    SetFormBounds(&form, Rect(30, 40, 330, 240));
    EXPECT_EQ(form.BoundsRect(), Rect(30, 40, 330, 240));

    auto *control = new TFilledControl(&form);
    control->SetParent(&form);
    control->SetBounds(1, 2, 10, 10);
    PlaceControl(control, Point(17, 19));
    EXPECT_EQ(control->BoundsRect(), Rect(17, 19, 27, 29));
}
