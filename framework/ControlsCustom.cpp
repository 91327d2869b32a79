// Canvases on controls, and the two painting control classes.
#include "Controls.h"
#include "ControlsHost.h"

#include <QPainter>
#include <QPointer>

namespace {
// A canvas that drew outside painting keeps its painter until the window
// next shows its surface; this remembers where to unregister it.
QHash<const TCanvas *, QPointer<QWidget>> &OpenOn()
{
    static QHash<const TCanvas *, QPointer<QWidget>> open;
    return open;
}

QImage &Scratch()
{
    static QImage scratch;
    return scratch;
}
}

TControlCanvas::TControlCanvas(TControl *AControl, bool AWindowDC) : FControl(AControl), FWindowDC(AWindowDC) {}

TControlCanvas::~TControlCanvas()
{
    if (QWidget *widget = OpenOn().take(this))
        if (TWindowInfo *info = WindowInfo(widget))
            std::erase(info->OpenCanvases, this);
    Release();
}

void TControlCanvas::SetDC(TCanvas *DC)
{
    if (!DC) {
        EndPainting();
        return;
    }
    QPainter *painter = DC->Painter();
    if (!painter)
        return;
    const TRect clip = DC->ClipRect();
    BeginPainting(painter);
    SetOrigin({0, 0});
    SetClipRect(clip);
}

// Opens the canvas on the control's window: during painting through the
// paint DC, otherwise on the window's surface (which the window then shows).
void TControlCanvas::CreateHandle()
{
    TWinControl *owner = dynamic_cast<TWinControl *>(FControl);
    TPoint offset{0, 0};
    TRect clip;
    if (owner) {
        const int bw = owner->BorderWidth();
        offset = FWindowDC ? TPoint{0, 0} : TPoint{bw, bw};
        clip = FWindowDC ? Rect(0, 0, owner->Width(), owner->Height()) : owner->ClientRect();
    } else {
        owner = FControl->Parent();
        if (!owner)
            throw EInvalidOperation(QStringLiteral("Control '%1' has no parent window").arg(FControl->Name()));
        const int bw = owner->BorderWidth();
        offset = {bw + FControl->Left(), bw + FControl->Top()};
        const TRect client = owner->ClientRect();
        IntersectRect(clip, Rect(0, 0, FControl->Width(), FControl->Height()),
                      Rect(client.Left - FControl->Left(), client.Top - FControl->Top(), client.Right - FControl->Left(),
                           client.Bottom - FControl->Top()));
    }
    QWidget *handle = owner->Handle();
    TWindowInfo *info = WindowInfo(handle);
    if (info->Host) {
        EnsureSurface(handle, info);
        if (info->PaintDC) {
            QPainter *painter = info->PaintDC->Painter();
            if (!painter)
                return;
            const TRect dcClip = info->PaintDC->ClipRect();
            BeginPainting(painter);
            const TPoint o = info->PaintDC->Origin();
            SetOrigin({offset.X - o.X, offset.Y - o.Y});
            TRect visible;
            OffsetRect(clip, offset.X - o.X, offset.Y - o.Y);
            IntersectRect(visible, clip, dcClip);
            SetOrigin({0, 0});
            SetClipRect(visible);
            SetOrigin({offset.X - o.X, offset.Y - o.Y});
        } else {
            SetDevice(&info->Surface);
            TCanvas::CreateHandle();
            SetOrigin(offset);
            SetClipRect(clip);
            handle->update();
        }
    } else if (info->PaintingWidget) {
        QWidget *painting = info->PaintingWidget;
        const QPoint d = painting == handle ? QPoint() : painting->mapTo(handle, QPoint());
        SetDevice(painting);
        TCanvas::CreateHandle();
        SetOrigin({offset.X - d.x(), offset.Y - d.y()});
        SetClipRect(clip);
    } else {
        // A Qt widget can only be drawn on while it paints: the drawing goes
        // nowhere and the widget paints again (WM_PAINT) soon.
        Scratch() = QImage(handle->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        SetDevice(&Scratch());
        TCanvas::CreateHandle();
        handle->update();
    }
    info->OpenCanvases.push_back(this);
    OpenOn().insert(this, handle);
}

HDC GetDC(HWND Wnd)
{
    TWinControl *control = FindControl(Wnd);
    return control ? new TControlCanvas(control, false) : nullptr;
}

HDC GetWindowDC(HWND Wnd)
{
    TWinControl *control = FindControl(Wnd);
    return control ? new TControlCanvas(control, true) : nullptr;
}

int ReleaseDC(HWND, HDC DC)
{
    delete DC;
    return DC ? 1 : 0;
}

TCustomControl::TCustomControl(TComponent *AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this, false))
{
}

TCustomControl::~TCustomControl()
{
    Destroying();
    FCanvas->Release();
}

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow(TCanvas *DC)
{
    struct Unbind {
        TControlCanvas *Canvas;
        ~Unbind() { Canvas->SetDC(nullptr); }
    } unbind{FCanvas.get()};
    FCanvas->SetDC(DC);
    Paint();
}

TGraphicControl::TGraphicControl(TComponent *AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this, false))
{
}

TGraphicControl::~TGraphicControl()
{
    Destroying();
    FCanvas->Release();
}

void TGraphicControl::Paint() {}

void TGraphicControl::WMPaint(TMessage &Message)
{
    if (!Message.WParam || (ComponentState() & csDestroying))
        return;
    struct Unbind {
        TControlCanvas *Canvas;
        ~Unbind() { Canvas->SetDC(nullptr); }
    } unbind{FCanvas.get()};
    FCanvas->SetDC(reinterpret_cast<TCanvas *>(Message.WParam));
    Paint();
}
