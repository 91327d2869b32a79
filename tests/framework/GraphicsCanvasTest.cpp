// Canvas drawing by the device-context rules, checked pixel by pixel on a
// bitmap's canvas.
#include "Graphics.h"

#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A white bitmap of the given size.
std::unique_ptr<TBitmap> WhiteBitmap(int w, int h)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(w, h);
    return bmp;
}

// The rectangle of the bitmap's pixels that differ from white (empty if
// none), whatever the canvas origin.
TRect PaintedArea(TBitmap *bmp)
{
    TRect r{bmp->Width(), bmp->Height(), 0, 0};
    const QImage &image = bmp->Image();
    for (int y = 0; y < bmp->Height(); ++y)
        for (int x = 0; x < bmp->Width(); ++x)
            if (QRgbToColor(image.pixel(x, y)) != clWhite) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return IsRectEmpty(r) ? TRect{} : r;
}

} // namespace

TEST(Colors, SystemColoursResolveToFixedValues)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(236, 233, 216));
    EXPECT_EQ(ColorToRGB(clMenuBar), RGB(236, 233, 216));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(49, 106, 197));
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clActiveCaption), RGB(0, 84, 227));
    EXPECT_LT(clScrollBar, 0);
    EXPECT_EQ(clMenuBar, static_cast<TColor>(0x8000001E));
    // Plain colours and the special values pass unchanged.
    EXPECT_EQ(ColorToRGB(0x00DEEBEF), 0x00DEEBEF);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(GetRValue(0x00C82C00), 0x00);
    EXPECT_EQ(GetGValue(0x00C82C00), 0x2C);
    EXPECT_EQ(GetBValue(0x00C82C00), 0xC8);
    EXPECT_EQ(RGB(1, 2, 3), 0x00030201);
    EXPECT_EQ(ColorToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(QColorToColor(QColor(0, 0, 255)), clBlue);
}

struct ColorNameRow {
    const char *Text;
    TColor Color;
    const char *Written; // what ColorToString gives back
};

class ColorNames : public ::testing::TestWithParam<ColorNameRow> {};

TEST_P(ColorNames, ReadAndWrite)
{
    const ColorNameRow row = GetParam();
    EXPECT_EQ(StringToColor(QString::fromUtf8(row.Text)), row.Color);
    EXPECT_EQ(ColorToString(row.Color), QString::fromUtf8(row.Written));
}

INSTANTIATE_TEST_SUITE_P(Rows, ColorNames,
                         ::testing::Values(ColorNameRow{"clBtnFace", clBtnFace, "clBtnFace"},
                                           ColorNameRow{"clbtnface", clBtnFace, "clBtnFace"},
                                           ColorNameRow{"clLtGray", clSilver, "clSilver"},
                                           ColorNameRow{"cl3DDkShadow", cl3DDkShadow, "cl3DDkShadow"},
                                           ColorNameRow{"$00DEEBEF", 0x00DEEBEF, "$00DEEBEF"},
                                           ColorNameRow{"14609391", 0x00DEEBEF, "$00DEEBEF"},
                                           ColorNameRow{"-2147483633", clBtnFace, "clBtnFace"},
                                           ColorNameRow{"$1FFFFFFF", clNone, "clNone"}));

TEST(Colors, BadNamesRaiseAndCharsetsHaveNames)
{
    EXPECT_THROW(StringToColor(QStringLiteral("clNoSuch")), EConvertError);
    EXPECT_THROW(StringToColor(QStringLiteral("$1FFFFFFFF")), EConvertError);
    int charset = 0;
    EXPECT_TRUE(IdentToCharset(QStringLiteral("GB2312_CHARSET"), charset));
    EXPECT_EQ(charset, 134);
    String name;
    EXPECT_TRUE(CharsetToIdent(DEFAULT_CHARSET, name));
    EXPECT_EQ(name, QStringLiteral("DEFAULT_CHARSET"));
    EXPECT_FALSE(IdentToCharset(QStringLiteral("KLINGON_CHARSET"), charset));
}

TEST(Canvas, FillRectExcludesRightAndBottom)
{
    auto bmp = WhiteBitmap(20, 20);
    bmp->Canvas()->Brush()->SetColor(clRed);
    bmp->Canvas()->FillRect(Rect(2, 3, 7, 9));
    EXPECT_EQ(PaintedArea(bmp.get()), Rect(2, 3, 7, 9));
    EXPECT_EQ(bmp->Canvas()->Pixels(6, 8), clRed);
}

TEST(Canvas, ClearBrushFillsAndFramesNothing)
{
    auto bmp = WhiteBitmap(10, 10);
    bmp->Canvas()->Brush()->SetColor(clRed);
    bmp->Canvas()->Brush()->SetStyle(bsClear);
    bmp->Canvas()->FillRect(Rect(0, 0, 10, 10));
    bmp->Canvas()->FrameRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(PaintedArea(bmp.get()), TRect{});
}

TEST(Canvas, FrameRectIsOnePixelInside)
{
    auto bmp = WhiteBitmap(20, 20);
    bmp->Canvas()->Brush()->SetColor(clBlue);
    bmp->Canvas()->FrameRect(Rect(2, 2, 10, 8));
    EXPECT_EQ(PaintedArea(bmp.get()), Rect(2, 2, 10, 8));
    EXPECT_EQ(bmp->Canvas()->Pixels(9, 7), clBlue);
    EXPECT_EQ(bmp->Canvas()->Pixels(2, 5), clBlue);
    EXPECT_EQ(bmp->Canvas()->Pixels(5, 5), clWhite); // inside stays
}

TEST(Canvas, RectangleOutlinesWithPenAndFillsWithBrush)
{
    auto bmp = WhiteBitmap(20, 20);
    TCanvas *c = bmp->Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clLime);
    c->Rectangle(1, 1, 6, 5);
    EXPECT_EQ(PaintedArea(bmp.get()), Rect(1, 1, 6, 5));
    EXPECT_EQ(c->Pixels(1, 1), clBlack);
    EXPECT_EQ(c->Pixels(5, 4), clBlack);
    EXPECT_EQ(c->Pixels(2, 2), clLime);
    EXPECT_EQ(c->Pixels(4, 3), clLime);
}

TEST(Canvas, LineToLeavesOutEndPointAndMovesPen)
{
    auto bmp = WhiteBitmap(20, 20);
    TCanvas *c = bmp->Canvas();
    c->Pen()->SetColor(clRed);
    c->MoveTo(2, 3);
    c->LineTo(8, 3);
    EXPECT_EQ(c->PenPos(), Point(8, 3));
    EXPECT_EQ(PaintedArea(bmp.get()), Rect(2, 3, 8, 4));
    c->LineTo(8, 10);
    EXPECT_EQ(c->Pixels(8, 3), clRed);
    EXPECT_EQ(c->Pixels(8, 9), clRed);
    EXPECT_EQ(c->Pixels(8, 10), clWhite);
}

TEST(Canvas, DiagonalLineLeavesOutEndPoint)
{
    auto bmp = WhiteBitmap(20, 20);
    TCanvas *c = bmp->Canvas();
    c->Pen()->SetColor(clBlack);
    c->MoveTo(0, 0);
    c->LineTo(5, 5);
    EXPECT_EQ(c->Pixels(0, 0), clBlack);
    EXPECT_EQ(c->Pixels(4, 4), clBlack);
    EXPECT_EQ(c->Pixels(5, 5), clWhite);
}

TEST(Canvas, PolygonFillsAndOutlinesEveryVertex)
{
    // The drop-down arrow: a triangle through (x, y), (x + 6, y), (x + 3, y + 3).
    auto bmp = WhiteBitmap(12, 8);
    TCanvas *c = bmp->Canvas();
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clBlack);
    c->Polygon({{2, 2}, {8, 2}, {5, 5}});
    const int spans[][2] = {{2, 8}, {3, 7}, {4, 6}, {5, 5}};
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(c->Pixels(x, 2 + row), x >= spans[row][0] && x <= spans[row][1] ? clBlack : clWhite)
                << "x " << x << " row " << row;
    EXPECT_EQ(PaintedArea(bmp.get()), Rect(2, 2, 9, 6));
}

TEST(Canvas, ClearPenDrawsNoLine)
{
    auto bmp = WhiteBitmap(10, 10);
    bmp->Canvas()->Pen()->SetStyle(psClear);
    bmp->Canvas()->MoveTo(0, 0);
    bmp->Canvas()->LineTo(9, 0);
    EXPECT_EQ(PaintedArea(bmp.get()), TRect{});
    EXPECT_EQ(bmp->Canvas()->PenPos(), Point(9, 0));
}

TEST(Canvas, OriginMovesDrawingAndClipLimitsIt)
{
    auto bmp = WhiteBitmap(30, 30);
    TCanvas *c = bmp->Canvas();
    c->SetOrigin(Point(-5, -4));
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(10, 10, 15, 15));
    EXPECT_EQ(PaintedArea(bmp.get()), Rect(5, 6, 10, 11));
    EXPECT_EQ(c->Pixels(10, 10), clRed); // logical coordinates
    EXPECT_EQ(c->ClipRect(), Rect(5, 4, 35, 34));

    c->SetOrigin(Point(0, 0));
    c->IntersectClipRect(Rect(20, 20, 25, 25));
    EXPECT_EQ(c->ClipRect(), Rect(20, 20, 25, 25));
    c->Brush()->SetColor(clBlue);
    c->FillRect(Rect(0, 0, 30, 30));
    EXPECT_EQ(c->Pixels(19, 19), clWhite);
    EXPECT_EQ(c->Pixels(20, 20), clBlue);
    EXPECT_EQ(c->Pixels(25, 25), clWhite);
}

TEST(Canvas, SavedStateRestoresOriginAndClip)
{
    auto bmp = WhiteBitmap(30, 30);
    HDC dc = bmp->Canvas();
    const int saved = SaveDC(dc);
    TPoint old;
    SetViewportOrgEx(dc, 7, 8, &old);
    EXPECT_EQ(old, Point(0, 0));
    EXPECT_EQ(IntersectClipRect(dc, 0, 0, 4, 4), 2);
    EXPECT_EQ(IntersectClipRect(dc, 10, 10, 12, 12), 1);
    RestoreDC(dc, saved);
    TPoint now;
    GetViewportOrgEx(dc, &now);
    EXPECT_EQ(now, Point(0, 0));
    EXPECT_EQ(dc->ClipRect(), Rect(0, 0, 30, 30));
}

TEST(Canvas, PixelsOutsideTheBitmapReadAsNone)
{
    auto bmp = WhiteBitmap(4, 4);
    EXPECT_EQ(bmp->Canvas()->Pixels(4, 0), clNone);
    EXPECT_EQ(bmp->Canvas()->Pixels(-1, 0), clNone);
    bmp->Canvas()->SetPixels(3, 3, clMaroon);
    EXPECT_EQ(bmp->Canvas()->Pixels(3, 3), clMaroon);
}

TEST(Canvas, CanvasWithoutDeviceRaises)
{
    TCanvas canvas;
    EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidGraphicOperation);
    // An empty bitmap's canvas silently draws nothing.
    TBitmap empty;
    EXPECT_NO_THROW(empty.Canvas()->FillRect(Rect(0, 0, 5, 5)));
}

TEST(Canvas, DrawFocusRectTwiceRestores)
{
    auto bmp = WhiteBitmap(12, 12);
    TCanvas *c = bmp->Canvas();
    c->DrawFocusRect(Rect(1, 1, 11, 11));
    EXPECT_EQ(PaintedArea(bmp.get()), Rect(1, 1, 11, 11));
    EXPECT_NE(c->Pixels(1, 1), c->Pixels(2, 1)); // dotted
    c->DrawFocusRect(Rect(1, 1, 11, 11));
    EXPECT_EQ(PaintedArea(bmp.get()), TRect{});
}

TEST(Canvas, PenModeXorInverts)
{
    auto bmp = WhiteBitmap(10, 10);
    TCanvas *c = bmp->Canvas();
    c->Pen()->SetColor(clWhite);
    c->Pen()->SetMode(pmXor);
    c->MoveTo(0, 0);
    c->LineTo(5, 0);
    EXPECT_EQ(c->Pixels(0, 0), clBlack);
    EXPECT_EQ(c->Pixels(5, 0), clWhite);
    // Fills and text are not combined by the pen's mode.
    c->Brush()->SetColor(clRed);
    c->FillRect(Rect(0, 2, 10, 4));
    EXPECT_EQ(c->Pixels(0, 2), clRed);
    c->DrawFocusRect(Rect(0, 5, 10, 10));
    c->Brush()->SetColor(clBlue);
    c->TextOut(0, 5, QStringLiteral("x"));
    EXPECT_EQ(c->Pixels(0, 5), clBlue);
}

TEST(Canvas, PatternBrushTilesFromOrigin)
{
    TBitmap pattern;
    pattern.SetSize(2, 2);
    pattern.Canvas()->SetPixels(0, 0, clRed);
    auto bmp = WhiteBitmap(8, 8);
    TCanvas *c = bmp->Canvas();
    c->Brush()->SetBitmap(&pattern);
    c->FillRect(Rect(1, 1, 8, 8));
    EXPECT_EQ(c->Pixels(2, 2), clRed);
    EXPECT_EQ(c->Pixels(4, 6), clRed);
    EXPECT_EQ(c->Pixels(3, 2), clWhite);
    EXPECT_EQ(c->Pixels(0, 0), clWhite); // outside the rectangle
    // The pattern fills even with a clear brush style.
    c->Brush()->SetStyle(bsClear);
    c->FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(c->Pixels(0, 0), clRed);
}

namespace {

// A widget that paints through a canvas bound to its own painter.
class CanvasWidget : public QWidget {
public:
    std::function<void(TCanvas *)> PaintWith;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        TCanvas canvas;
        canvas.BeginPainting(&painter);
        PaintWith(&canvas);
        canvas.EndPainting();
    }
};

// A canvas that opens its painter on a device of its own choosing only
// when first drawn on.
class LazyCanvas : public TCanvas {
public:
    QImage Target{8, 8, QImage::Format_RGB32};
    int Opened = 0;

protected:
    void CreateHandle() override
    {
        ++Opened;
        SetDevice(&Target);
        TCanvas::CreateHandle();
    }
};

} // namespace

TEST(Canvas, BindsToAWidgetWhilePainting)
{
    CanvasWidget widget;
    widget.resize(40, 30);
    widget.PaintWith = [](TCanvas *c) {
        c->Brush()->SetColor(clNavy);
        c->FillRect(c->ClipRect());
        SetViewportOrgEx(c, 10, 10, nullptr); // as when painting a parent under a child
        c->Brush()->SetColor(clYellow);
        c->FillRect(Rect(0, 0, 5, 5));
    };
    const QImage image = widget.grab().toImage();
    EXPECT_EQ(QRgbToColor(image.pixel(0, 0)), clNavy);
    EXPECT_EQ(QRgbToColor(image.pixel(39, 29)), clNavy);
    EXPECT_EQ(QRgbToColor(image.pixel(10, 10)), clYellow);
    EXPECT_EQ(QRgbToColor(image.pixel(15, 15)), clNavy);
}

TEST(Canvas, OverriddenCreateHandleOpensOnFirstDrawing)
{
    LazyCanvas canvas;
    canvas.Target.fill(Qt::white);
    EXPECT_FALSE(canvas.HandleAllocated());
    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(1, 1, 3, 3));
    canvas.FillRect(Rect(4, 4, 5, 5));
    EXPECT_EQ(canvas.Opened, 1);
    canvas.Release();
    EXPECT_EQ(QRgbToColor(canvas.Target.pixel(2, 2)), clRed);
    EXPECT_EQ(QRgbToColor(canvas.Target.pixel(4, 4)), clRed);
    EXPECT_EQ(QRgbToColor(canvas.Target.pixel(3, 3)), clWhite);
}
