#pragma once
// The framework's side of a control's window: the host widget that turns
// Qt's events into messages, the hook that does the same for a Qt widget a
// control supplies, and the window registry. Private to the framework.
#include "Controls.h"

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QWidget>

class QMouseEvent;
class QKeyEvent;

// What the framework keeps per window: its control and, for host widgets,
// the surface the control paints on (the window's device context).
struct TWindowInfo {
    TWinControl *Control = nullptr;
    bool Host = false;        // the framework's host widget (else a hooked Qt widget)
    QImage Surface;           // host widgets: the window's pixels
    bool Invalid = true;      // the surface must be painted through WM_PAINT
    TCanvas *PaintDC = nullptr; // while the window paints
    QWidget *PaintingWidget = nullptr; // hooked widgets: the widget inside its paint event
    std::vector<TCanvas *> OpenCanvases; // canvases with a painter on this window
    long Style = 0;           // GWL_STYLE bits the program set
};

TWindowInfo *WindowInfo(const QWidget *Widget);
void RegisterWindow(QWidget *Widget, TWinControl *Control, bool Host);
void UnregisterWindow(QWidget *Widget);
// Ends the painters that canvases opened on the window.
void ReleaseCanvases(TWindowInfo *Info);
// Prepares the surface for the widget's size; a new size must be repainted.
void EnsureSurface(QWidget *Widget, TWindowInfo *Info);
// Paints the window's surface through its control's messages.
void PaintSurface(QWidget *Widget, TWindowInfo *Info);

// Turns a Qt input event into the control's messages. Returns true when the
// event was taken (for hooked widgets: the Qt widget must not see it again).
bool RouteEvent(QWidget *Widget, QEvent *Event);

// The Qt widget event being turned into messages right now, so that
// DefaultHandler can hand it back to a hooked Qt widget.
struct TPendingEvent {
    QWidget *Widget = nullptr;
    QEvent *Event = nullptr;
    UINT Msg = 0;
    bool Delivered = false;
    TPendingEvent *Outer = nullptr;
};
TPendingEvent *PendingEvent();
// Hands the pending event to its Qt widget when Message is the message made from it.
bool DeliverPendingEvent(const TMessage &Message);
// Hands an event to a Qt widget the way Qt delivers it (a scroll area's
// viewport through the area).
void DeliverToWidget(QWidget *Widget, QEvent *Event);

class THostWidget : public QWidget {
public:
    THostWidget(TWinControl *Control, QWidget *Parent);
    ~THostWidget() override;

protected:
    bool event(QEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
};

// Event filter over a control's own Qt widgets.
class TWidgetHook : public QObject {
public:
    explicit TWidgetHook(QObject *Parent) : QObject(Parent) {}

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;
};

// The mouse tracking behind CM_MOUSEENTER / CM_MOUSELEAVE.
void SetMouseControl(TControl *Control);
void ForgetControl(TControl *Control);
// The framework's own shift state, from the last input event.
TShiftState CurrentShiftState();
void SetCurrentShiftState(TShiftState Shift);
// The screen position of the last mouse event the framework saw.
TPoint LastMousePos();
// The window the framework captured the mouse for (SetCapture).
QWidget *CaptureWidget();
// What the windowing system does for a press on a window's caption or edge
// (hit-test code): once the mouse moves with the button held, the window
// follows it until the button is up; a click alone moves nothing.
void BeginSystemMoveSize(QWidget *Window, LRESULT Hit);
// The Qt cursor of a framework cursor.
QCursor CursorShape(TCursor Cursor);
