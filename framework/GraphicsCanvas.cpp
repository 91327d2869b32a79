// The canvas: drawing by the device-context rules over a QPainter.
#include "Graphics.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

static QRect ToQRect(const TRect &r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

static TRect Normalized(int x1, int y1, int x2, int y2)
{
    return Rect(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
}

static QPainter::CompositionMode CompositionFor(TPenMode mode)
{
    switch (mode) {
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

// The colour a pen of this mode draws with (black and white modes ignore
// the pen's colour).
static QColor PenColor(const TPen *pen)
{
    switch (pen->Mode()) {
    case pmBlack:
        return Qt::black;
    case pmWhite:
        return Qt::white;
    default:
        return ColorToQColor(pen->Color());
    }
}

static Qt::PenStyle QtPenStyle(TPenStyle style)
{
    switch (style) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

static bool PenVisible(const TPen *pen)
{
    return pen->Style() != psClear && pen->Mode() != pmNop;
}

static QPen QtPen(const TPen *pen)
{
    if (!PenVisible(pen))
        return Qt::NoPen;
    QPen result(PenColor(pen), pen->Width(), QtPenStyle(pen->Style()), Qt::FlatCap, Qt::MiterJoin);
    return result;
}

TCanvas::TCanvas() : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
}

TCanvas::TCanvas(QPaintDevice *Device) : TCanvas()
{
    FDevice = Device;
}

TCanvas::~TCanvas()
{
    Release();
}

void TCanvas::SetDevice(QPaintDevice *Device)
{
    Release();
    FDevice = Device;
}

void TCanvas::BeginPainting(QPainter *Painter)
{
    Release();
    FDevice = Painter->device();
    FPainter = Painter;
    FPainter->save();
    FBaseTransform = FPainter->worldTransform();
    FStateDirty = true;
}

void TCanvas::EndPainting()
{
    if (!FPainter || FOwnPainter)
        return;
    FPainter->restore();
    FPainter = nullptr;
}

void TCanvas::Release()
{
    if (FOwnPainter) {
        FOwnPainter->end();
        FOwnPainter.reset();
        FPainter = nullptr;
    } else {
        EndPainting();
    }
}

void TCanvas::CreateHandle()
{
    if (!FDevice)
        throw EInvalidGraphicOperation(QStringLiteral("Canvas does not allow drawing"));
    if (FDevice->width() <= 0 || FDevice->height() <= 0)
        return;
    FOwnPainter = std::make_unique<QPainter>();
    if (!FOwnPainter->begin(FDevice)) {
        FOwnPainter.reset();
        return;
    }
    FPainter = FOwnPainter.get();
    FBaseTransform = QTransform();
    FStateDirty = true;
}

QPainter *TCanvas::Painter()
{
    if (!FPainter)
        CreateHandle();
    if (!FPainter)
        return nullptr;
    if (FStateDirty)
        ApplyState();
    return FPainter;
}

void TCanvas::ApplyState()
{
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    FPainter->setRenderHint(QPainter::TextAntialiasing, true);
    FPainter->setWorldTransform(FBaseTransform);
    if (FClip)
        FPainter->setClipRect(ToQRect(*FClip));
    else
        FPainter->setClipping(false);
    FPainter->translate(FOrigin.X, FOrigin.Y);
    FStateDirty = false;
}

// Sets up the painter for one operation: shapes combine with what is there
// by the pen's mode, fills simply cover it.
QPainter *TCanvas::ReadyPainter(bool PenMode)
{
    QPainter *p = Painter();
    if (p)
        p->setCompositionMode(PenMode ? CompositionFor(FPen->Mode()) : QPainter::CompositionMode_SourceOver);
    return p;
}

void TCanvas::Changed()
{
    if (OnChange)
        OnChange(this);
}

QImage *TCanvas::DeviceImage() const
{
    if (FDevice && FDevice->devType() == QInternal::Image)
        return static_cast<QImage *>(FDevice);
    return nullptr;
}

void TCanvas::FillRect(const TRect &Rect)
{
    const QBrush brush = FBrush->QtBrush();
    if (IsRectEmpty(Rect) || brush.style() == Qt::NoBrush)
        return;
    QPainter *p = ReadyPainter(false);
    if (!p)
        return;
    p->fillRect(ToQRect(Rect), brush);
    Changed();
}

void TCanvas::FrameRect(const TRect &Rect)
{
    const QBrush brush = FBrush->QtBrush();
    if (IsRectEmpty(Rect) || brush.style() == Qt::NoBrush)
        return;
    QPainter *p = ReadyPainter(false);
    if (!p)
        return;
    const int w = Rect.Width();
    const int h = Rect.Height();
    p->fillRect(QRect(Rect.Left, Rect.Top, w, 1), brush);
    p->fillRect(QRect(Rect.Left, Rect.Bottom - 1, w, 1), brush);
    p->fillRect(QRect(Rect.Left, Rect.Top, 1, h), brush);
    p->fillRect(QRect(Rect.Right - 1, Rect.Top, 1, h), brush);
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    const TRect r = Normalized(X1, Y1, X2, Y2);
    if (IsRectEmpty(r))
        return;
    QPainter *p = ReadyPainter(true);
    if (!p)
        return;
    const bool pen = PenVisible(FPen.get());
    const int pw = pen ? FPen->Width() : 0;
    // The outline is centred on the rectangle's edge, inside its right and
    // bottom limits; the brush fills what the outline leaves.
    const int lo = pw / 2;
    const TRect outer = Rect(r.Left - lo, r.Top - lo, r.Right - lo + pw - 1, r.Bottom - lo + pw - 1);
    const QBrush brush = FBrush->QtBrush();
    if (brush.style() != Qt::NoBrush) {
        TRect inner = pen ? Rect(outer.Left + pw, outer.Top + pw, outer.Right - pw, outer.Bottom - pw) : r;
        if (!IsRectEmpty(inner))
            p->fillRect(ToQRect(inner), brush);
    }
    if (pen) {
        if (FPen->Style() == psSolid || FPen->Style() == psInsideFrame) {
            const QColor color = PenColor(FPen.get());
            const int w = outer.Width();
            const int h = outer.Height();
            p->fillRect(QRect(outer.Left, outer.Top, w, pw), color);
            p->fillRect(QRect(outer.Left, outer.Bottom - pw, w, pw), color);
            p->fillRect(QRect(outer.Left, outer.Top, pw, h), color);
            p->fillRect(QRect(outer.Right - pw, outer.Top, pw, h), color);
        } else {
            p->setPen(QtPen(FPen.get()));
            p->setBrush(Qt::NoBrush);
            p->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
        }
    }
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    const TRect r = Normalized(X1, Y1, X2, Y2);
    if (IsRectEmpty(r))
        return;
    QPainter *p = ReadyPainter(true);
    if (!p)
        return;
    p->setPen(QtPen(FPen.get()));
    p->setBrush(FBrush->QtBrush());
    p->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    const TRect r = Normalized(X1, Y1, X2, Y2);
    if (IsRectEmpty(r))
        return;
    QPainter *p = ReadyPainter(true);
    if (!p)
        return;
    p->setPen(QtPen(FPen.get()));
    p->setBrush(FBrush->QtBrush());
    p->drawRoundedRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), X3 / 2.0, Y3 / 2.0);
    Changed();
}

void TCanvas::Polygon(const std::vector<TPoint> &Points)
{
    if (Points.size() < 2)
        return;
    QPainter *p = ReadyPainter(true);
    if (!p)
        return;
    QPolygon polygon;
    for (const TPoint &pt : Points)
        polygon << QPoint(pt.X, pt.Y);
    p->setPen(QtPen(FPen.get()));
    p->setBrush(FBrush->QtBrush());
    p->drawPolygon(polygon, Qt::OddEvenFill);
    Changed();
}

void TCanvas::DrawFocusRect(const TRect &Rect)
{
    if (IsRectEmpty(Rect))
        return;
    QPainter *p = Painter();
    if (!p)
        return;
    // Every other pixel of the frame inverted, so drawing it twice removes it.
    QPolygon dots;
    const auto dot = [&](int x, int y) {
        if (((x + y) & 1) == 0)
            dots << QPoint(x, y);
    };
    for (int x = Rect.Left; x < Rect.Right; ++x) {
        dot(x, Rect.Top);
        if (Rect.Bottom - 1 > Rect.Top)
            dot(x, Rect.Bottom - 1);
    }
    for (int y = Rect.Top + 1; y < Rect.Bottom - 1; ++y) {
        dot(Rect.Left, y);
        if (Rect.Right - 1 > Rect.Left)
            dot(Rect.Right - 1, y);
    }
    p->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p->setPen(QPen(Qt::white, 0));
    p->drawPoints(dots);
    Changed();
}

void TCanvas::MoveTo(int X, int Y)
{
    FPenPos = {X, Y};
}

// A line without its end point: straight lines as filled strips, others with
// a flat-capped pen that stops short of the end.
void TCanvas::DrawLineSegment(QPainter *P, const TPoint &From, const TPoint &To)
{
    if (From == To)
        return;
    const int w = FPen->Width();
    const int lo = w / 2;
    if (FPen->Style() == psSolid || FPen->Style() == psInsideFrame) {
        const QColor color = PenColor(FPen.get());
        if (From.Y == To.Y) {
            const int len = std::abs(To.X - From.X);
            P->fillRect(QRect(From.X < To.X ? From.X : To.X + 1, From.Y - lo, len, w), color);
            return;
        }
        if (From.X == To.X) {
            const int len = std::abs(To.Y - From.Y);
            P->fillRect(QRect(From.X - lo, From.Y < To.Y ? From.Y : To.Y + 1, w, len), color);
            return;
        }
    }
    P->setPen(QtPen(FPen.get()));
    P->drawLine(QPoint(From.X, From.Y), QPoint(To.X, To.Y));
}

void TCanvas::LineTo(int X, int Y)
{
    const TPoint from = FPenPos;
    FPenPos = {X, Y};
    if (!PenVisible(FPen.get()))
        return;
    QPainter *p = ReadyPainter(true);
    if (!p)
        return;
    DrawLineSegment(p, from, FPenPos);
    Changed();
}

void TCanvas::Polyline(const std::vector<TPoint> &Points)
{
    if (Points.size() < 2 || !PenVisible(FPen.get()))
        return;
    QPainter *p = ReadyPainter(true);
    if (!p)
        return;
    for (size_t i = 1; i < Points.size(); ++i)
        DrawLineSegment(p, Points[i - 1], Points[i]);
    Changed();
}

// ---------------------------------------------------------------------------
// Text

void TCanvas::FillBackground(const TRect &Rect)
{
    if (FBrush->Style() == bsClear || IsRectEmpty(Rect))
        return;
    if (QPainter *p = Painter()) {
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->fillRect(ToQRect(Rect), ColorToQColor(FBrush->Color()));
    }
}

void TCanvas::DrawTextLine(int X, int Y, const String &Text)
{
    QPainter *p = Painter();
    if (!p)
        return;
    const QFont font = FFont->QtFont();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setFont(font);
    p->setPen(ColorToQColor(FFont->Color()));
    p->drawText(QPoint(X, Y + QFontMetrics(font).ascent()), Text);
}

void TCanvas::TextOut(int X, int Y, const String &Text)
{
    const TSize size = TextExtent(Text);
    FillBackground(Bounds(X, Y, size.cx, size.cy));
    DrawTextLine(X, Y, Text);
    FPenPos = {X + size.cx, Y};
    Changed();
}

void TCanvas::TextRect(const TRect &Rect, int X, int Y, const String &Text)
{
    QPainter *p = Painter();
    if (!p)
        return;
    p->save();
    p->setClipRect(ToQRect(Rect), Qt::IntersectClip);
    FillBackground(Rect);
    DrawTextLine(X, Y, Text);
    p->restore();
    Changed();
}

int TCanvas::TextWidth(const String &Text)
{
    return TextExtent(Text).cx;
}

int TCanvas::TextHeight(const String &Text)
{
    return TextExtent(Text).cy;
}

TSize TCanvas::TextExtent(const String &Text)
{
    const QFontMetrics metrics(FFont->QtFont());
    return {metrics.horizontalAdvance(Text), metrics.height()};
}

// ---------------------------------------------------------------------------
// Graphics and pixels

void TCanvas::Draw(int X, int Y, TGraphic *Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
}

void TCanvas::StretchDraw(const TRect &Rect, TGraphic *Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    Graphic->Draw(this, Rect);
}

void TCanvas::DrawImage(const TRect &Rect, const QImage &Image, const QRect &Source)
{
    if (IsRectEmpty(Rect) || Image.isNull())
        return;
    QPainter *p = Painter();
    if (!p)
        return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->drawImage(ToQRect(Rect), Image, Source.isNull() ? Image.rect() : Source);
    Changed();
}

void TCanvas::CopyRect(const TRect &Dest, TCanvas *Canvas, const TRect &Source)
{
    if (!Canvas || IsRectEmpty(Source))
        return;
    const QImage *image = Canvas->DeviceImage();
    if (!image)
        return;
    QRect source = ToQRect(Source).translated(Canvas->FOrigin.X, Canvas->FOrigin.Y);
    // Reading from the canvas being drawn on needs a copy of the pixels.
    const QImage pixels = Canvas == this ? image->copy(source) : *image;
    if (Canvas == this)
        source.moveTo(0, 0);
    DrawImage(Dest, pixels, source);
}

TColor TCanvas::Pixels(int X, int Y)
{
    const QImage *image = DeviceImage();
    const int x = X + FOrigin.X;
    const int y = Y + FOrigin.Y;
    if (!image || !image->valid(x, y))
        return clNone;
    return QRgbToColor(image->pixel(x, y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value)
{
    QPainter *p = Painter();
    if (!p)
        return;
    p->setCompositionMode(QPainter::CompositionMode_Source);
    p->fillRect(QRect(X, Y, 1, 1), ColorToQColor(Value));
    Changed();
}

// ---------------------------------------------------------------------------
// Clipping, origin and saved states

TRect TCanvas::ClipRect() const
{
    TRect r = FDevice ? Rect(0, 0, FDevice->width(), FDevice->height()) : TRect{};
    if (FClip && !IntersectRect(r, r, *FClip))
        return {};
    OffsetRect(r, -FOrigin.X, -FOrigin.Y);
    return r;
}

void TCanvas::SetClipRect(const TRect &Rect)
{
    TRect device = Rect;
    OffsetRect(device, FOrigin.X, FOrigin.Y);
    FClip = device;
    FStateDirty = true;
}

void TCanvas::IntersectClipRect(const TRect &Rect)
{
    TRect device = Rect;
    OffsetRect(device, FOrigin.X, FOrigin.Y);
    if (FClip)
        IntersectRect(device, device, *FClip);
    FClip = device;
    FStateDirty = true;
}

void TCanvas::ResetClip()
{
    FClip.reset();
    FStateDirty = true;
}

void TCanvas::SetOrigin(const TPoint &Value)
{
    FOrigin = Value;
    FStateDirty = true;
}

int TCanvas::SaveState()
{
    FSaved.push_back({FOrigin, FClip, FPenPos});
    return static_cast<int>(FSaved.size());
}

void TCanvas::RestoreState(int Level)
{
    const int count = static_cast<int>(FSaved.size());
    const int level = Level < 0 ? count + Level + 1 : Level;
    if (level < 1 || level > count)
        return;
    const State state = FSaved[level - 1];
    FSaved.resize(level - 1);
    FOrigin = state.Origin;
    FClip = state.Clip;
    FPenPos = state.PenPos;
    FStateDirty = true;
}

// ---------------------------------------------------------------------------
// Device-context helpers

int SaveDC(HDC DC)
{
    return DC ? DC->SaveState() : 0;
}

bool RestoreDC(HDC DC, int SavedDC)
{
    if (!DC)
        return false;
    DC->RestoreState(SavedDC);
    return true;
}

bool GetViewportOrgEx(HDC DC, TPoint *Point)
{
    if (!DC)
        return false;
    if (Point)
        *Point = DC->Origin();
    return true;
}

bool SetViewportOrgEx(HDC DC, int X, int Y, TPoint *OldPoint)
{
    if (!DC)
        return false;
    if (OldPoint)
        *OldPoint = DC->Origin();
    DC->SetOrigin({X, Y});
    return true;
}

// Returns the kind of region left: 1 empty, 2 a rectangle (0 on error).
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom)
{
    if (!DC)
        return 0;
    DC->IntersectClipRect(Rect(Left, Top, Right, Bottom));
    return IsRectEmpty(DC->ClipRect()) ? 1 : 2;
}

bool BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Source, int XSrc, int YSrc, unsigned Rop)
{
    if (!Dest || !Source || Rop != SRCCOPY)
        return false;
    Dest->CopyRect(Bounds(X, Y, Width, Height), Source, Bounds(XSrc, YSrc, Width, Height));
    return true;
}
