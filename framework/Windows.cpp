// The windowing functions over Qt: styles, regions, show states, messages,
// the mouse and keyboard state and the desktop's work area.
#include "Windows.h"
#include "Controls.h"
#include "ControlsHost.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cmath>

namespace {
std::function<TPoint()> gCursorPos;
std::function<TRect()> gWorkArea;

constexpr long FramedStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
}

long GetWindowLong(HWND Wnd, int Index)
{
    TWindowInfo *info = WindowInfo(Wnd);
    if (!info || Index != GWL_STYLE)
        return 0;
    long style = info->Style;
    if (Wnd->isWindow()) {
        style &= ~FramedStyle;
        if (!(Wnd->windowFlags() & Qt::FramelessWindowHint))
            style |= FramedStyle;
    } else {
        style |= WS_CHILD;
    }
    if (Wnd->isVisible())
        style |= WS_VISIBLE;
    return style;
}

// A top-level window keeps its system frame only while WS_CAPTION is set.
long SetWindowLong(HWND Wnd, int Index, long NewLong)
{
    TWindowInfo *info = WindowInfo(Wnd);
    if (!info || Index != GWL_STYLE)
        return 0;
    const long old = GetWindowLong(Wnd, Index);
    info->Style = NewLong & ~WS_VISIBLE;
    if (Wnd->isWindow()) {
        const bool frameless = (NewLong & WS_CAPTION) != WS_CAPTION;
        if (frameless != bool(Wnd->windowFlags() & Qt::FramelessWindowHint)) {
            const bool visible = Wnd->isVisible();
            // Title and button hints would bring the frame back.
            const Qt::WindowFlags kept = Wnd->windowFlags() & (Qt::WindowType_Mask | Qt::WindowStaysOnTopHint);
            Wnd->setWindowFlags(frameless ? kept | Qt::FramelessWindowHint : kept);
            if (visible)
                Wnd->show();
        }
    }
    return old;
}

bool ShowWindow(HWND Wnd, int CmdShow)
{
    if (!Wnd)
        return false;
    const bool was = Wnd->isVisible();
    switch (CmdShow) {
    case SW_HIDE: Wnd->hide(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE: Wnd->showMinimized(); break;
    case SW_SHOWMAXIMIZED: Wnd->showMaximized(); break;
    case SW_SHOWNORMAL:
    case SW_RESTORE: Wnd->showNormal(); break;
    default: Wnd->show(); break;
    }
    return was;
}

bool IsWindowVisible(HWND Wnd)
{
    return Wnd && Wnd->isVisible();
}

bool IsIconic(HWND Wnd)
{
    return Wnd && Wnd->isMinimized();
}

bool IsZoomed(HWND Wnd)
{
    return Wnd && Wnd->isMaximized();
}

LRESULT SendMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TWinControl *control = FindControl(Wnd);
    return control ? control->Perform(Msg, WParam, LParam) : 0;
}

bool PostMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (!FindControl(Wnd))
        return false;
    QPointer<QWidget> target(Wnd);
    QTimer::singleShot(0, qApp, [target, Msg, WParam, LParam] {
        if (target)
            SendMessage(target, Msg, WParam, LParam);
    });
    return true;
}

HRGN CreateRectRgn(int X1, int Y1, int X2, int Y2)
{
    return new QRegion(QRect(QPoint(std::min(X1, X2), std::min(Y1, Y2)), QPoint(std::max(X1, X2) - 1, std::max(Y1, Y2) - 1)));
}

HRGN CreateRoundRectRgn(int X1, int Y1, int X2, int Y2, int W, int H)
{
    const int left = std::min(X1, X2);
    const int right = std::max(X1, X2);
    const int top = std::min(Y1, Y2);
    const int bottom = std::max(Y1, Y2);
    const double rx = std::min(W, right - left) / 2.0;
    const double ry = std::min(H, bottom - top) / 2.0;
    auto *region = new QRegion;
    if (rx <= 0 || ry <= 0) {
        *region = QRegion(left, top, right - left, bottom - top);
        return region;
    }
    // Row by row: how far the corner ellipse cuts into the row.
    for (int y = top; y < bottom; ++y) {
        double dy = 0;
        if (y + 0.5 < top + ry)
            dy = (top + ry) - (y + 0.5);
        else if (y + 0.5 > bottom - ry)
            dy = (y + 0.5) - (bottom - ry);
        const double t = std::min(dy / ry, 1.0);
        const int inset = static_cast<int>(std::lround(rx - rx * std::sqrt(1.0 - t * t)));
        if (right - left - 2 * inset > 0)
            *region += QRect(left + inset, y, right - left - 2 * inset, 1);
    }
    return region;
}

int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode)
{
    if (!Dest || !Src1 || (Mode != RGN_COPY && !Src2))
        return RGN_ERROR;
    switch (Mode) {
    case RGN_AND: *Dest = *Src1 & *Src2; break;
    case RGN_OR: *Dest = *Src1 | *Src2; break;
    case RGN_XOR: *Dest = *Src1 ^ *Src2; break;
    case RGN_DIFF: *Dest = *Src1 - *Src2; break;
    case RGN_COPY: *Dest = *Src1; break;
    default: return RGN_ERROR;
    }
    if (Dest->isEmpty())
        return NULLREGION;
    return Dest->rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool PtInRegion(HRGN Rgn, int X, int Y)
{
    return Rgn && Rgn->contains(QPoint(X, Y));
}

bool DeleteObject(HRGN Object)
{
    delete Object;
    return Object != nullptr;
}

int SetWindowRgn(HWND Wnd, HRGN Rgn, bool Redraw)
{
    if (!Wnd) {
        delete Rgn;
        return 0;
    }
    if (Rgn)
        Wnd->setMask(*Rgn);
    else
        Wnd->clearMask();
    delete Rgn;
    if (Redraw)
        Wnd->update();
    return 1;
}

bool GetWindowRect(HWND Wnd, TRect *Rect)
{
    if (!Wnd || !Rect)
        return false;
    const QRect r = Wnd->isWindow() ? Wnd->frameGeometry() : QRect(Wnd->mapToGlobal(QPoint()), Wnd->size());
    *Rect = Bounds(r.x(), r.y(), r.width(), r.height());
    return true;
}

bool GetClientRect(HWND Wnd, TRect *Rect)
{
    if (!Wnd || !Rect)
        return false;
    TWinControl *control = FindControl(Wnd);
    *Rect = control ? control->ClientRect() : Bounds(0, 0, Wnd->width(), Wnd->height());
    return true;
}

bool InvalidateRect(HWND Wnd, const TRect *, bool)
{
    TWinControl *control = FindControl(Wnd);
    if (control)
        control->Invalidate();
    return control != nullptr;
}

bool UpdateWindow(HWND Wnd)
{
    TWinControl *control = FindControl(Wnd);
    if (control)
        control->Update();
    return control != nullptr;
}

void SetCursorPosProvider(std::function<TPoint()> Provider)
{
    gCursorPos = std::move(Provider);
}

bool GetCursorPos(TPoint *Point)
{
    if (!Point)
        return false;
    if (gCursorPos) {
        *Point = gCursorPos();
    } else {
        const QPoint p = QCursor::pos();
        *Point = {p.x(), p.y()};
    }
    return true;
}

HWND GetFocus()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (FindControl(w))
            return w;
    return nullptr;
}

HWND SetFocus(HWND Wnd)
{
    HWND old = GetFocus();
    if (TWinControl *control = FindControl(Wnd))
        control->SetFocus();
    return old;
}

short GetKeyState(int VirtKey)
{
    const TShiftState shift = CurrentShiftState();
    bool down = false;
    switch (VirtKey) {
    case VK_SHIFT: down = shift & ssShift; break;
    case VK_CONTROL: down = shift & ssCtrl; break;
    case VK_MENU: down = shift & ssAlt; break;
    case VK_LBUTTON: down = shift & ssLeft; break;
    case VK_RBUTTON: down = shift & ssRight; break;
    case VK_MBUTTON: down = shift & ssMiddle; break;
    default: break;
    }
    return down ? static_cast<short>(-128) : 0;
}

void SetWorkAreaProvider(std::function<TRect()> Provider)
{
    gWorkArea = std::move(Provider);
}

bool SystemParametersInfo(UINT Action, UINT, void *Data, UINT)
{
    if (Action != SPI_GETWORKAREA || !Data)
        return false;
    TRect &area = *static_cast<TRect *>(Data);
    if (gWorkArea) {
        area = gWorkArea();
        return true;
    }
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    const QRect r = screen->availableGeometry();
    area = Bounds(r.x(), r.y(), r.width(), r.height());
    return true;
}
