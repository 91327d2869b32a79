// The windows behind windowed controls: Qt's events become messages here.
#include "ControlsHost.h"
#include "Forms.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

namespace {
QHash<const QWidget *, TWindowInfo *> &Windows()
{
    static QHash<const QWidget *, TWindowInfo *> windows;
    return windows;
}

TControl *gMouseControl = nullptr;
TControl *gCaptureControl = nullptr;
QPointer<QWidget> gCaptureWidget;
TShiftState gShiftState = 0;
TPoint gLastMousePos;
TPendingEvent *gPending = nullptr;

// Reports an exception that escaped a handler and lets the program go on;
// the event counts as taken then.
template <typename F>
bool Guarded(TControl *Sender, F &&Body)
{
    bool taken = true;
    CallGuarded(Sender, [&] { taken = Body(); });
    return taken;
}

class TPendingScope {
public:
    TPendingScope(QWidget *Widget, QEvent *Event, UINT Msg) : FPending{Widget, Event, Msg, false, gPending}
    {
        gPending = &FPending;
    }
    ~TPendingScope() { gPending = FPending.Outer; }
    TPendingScope(const TPendingScope &) = delete;
    TPendingScope &operator=(const TPendingScope &) = delete;

private:
    TPendingEvent FPending;
};

TShiftState ModifiersToShift(Qt::KeyboardModifiers Modifiers)
{
    TShiftState shift = 0;
    if (Modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (Modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (Modifiers & Qt::AltModifier)
        shift |= ssAlt;
    return shift;
}

TShiftState ButtonsToShift(Qt::MouseButtons Buttons)
{
    TShiftState shift = 0;
    if (Buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (Buttons & Qt::RightButton)
        shift |= ssRight;
    if (Buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

WPARAM MouseKeys(const QMouseEvent *Event)
{
    WPARAM keys = 0;
    const Qt::MouseButtons buttons = Event->buttons();
    if (buttons & Qt::LeftButton)
        keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        keys |= MK_MBUTTON;
    if (Event->modifiers() & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (Event->modifiers() & Qt::ControlModifier)
        keys |= MK_CONTROL;
    return keys;
}

UINT ButtonMessage(Qt::MouseButton Button, QEvent::Type Type)
{
    const UINT base = Button == Qt::RightButton ? WM_RBUTTONDOWN : Button == Qt::MiddleButton ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
    switch (Type) {
    case QEvent::MouseButtonPress: return base;
    case QEvent::MouseButtonRelease: return base + 1;
    default: return base + 2; // double click
    }
}

int QtKeyToVK(int Key)
{
    if (Key >= Qt::Key_A && Key <= Qt::Key_Z)
        return 'A' + (Key - Qt::Key_A);
    if (Key >= Qt::Key_0 && Key <= Qt::Key_9)
        return '0' + (Key - Qt::Key_0);
    if (Key >= Qt::Key_F1 && Key <= Qt::Key_F12)
        return VK_F1 + (Key - Qt::Key_F1);
    switch (Key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    default: return 0;
    }
}

// The control that owns a widget: its own window or a window it hooked.
TWindowInfo *OwnerInfo(QWidget *Widget)
{
    for (QWidget *w = Widget; w; w = w->parentWidget())
        if (TWindowInfo *info = WindowInfo(w))
            return info;
    return nullptr;
}

// The widget's control as it is now: handlers may have destroyed either.
TWinControl *LiveControl(const QPointer<QWidget> &Widget)
{
    TWindowInfo *info = Widget ? OwnerInfo(Widget) : nullptr;
    return info ? info->Control : nullptr;
}

QPoint ToHandle(QWidget *Widget, TWinControl *Control, const QPoint &Pos)
{
    QWidget *handle = Control->Handle();
    return Widget == handle ? Pos : Widget->mapTo(handle, Pos);
}

Qt::CursorShape HitCursor(LRESULT Hit)
{
    switch (Hit) {
    case HTLEFT:
    case HTRIGHT: return Qt::SizeHorCursor;
    case HTTOP:
    case HTBOTTOM: return Qt::SizeVerCursor;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return Qt::SizeFDiagCursor;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

void ShowCursorFor(QWidget *Widget, LRESULT Hit, TControl *Target)
{
    if (Hit != HTCLIENT) {
        Widget->setCursor(HitCursor(Hit));
        return;
    }
    const TCursor cursor = Target ? Target->Cursor() : crDefault;
    if (cursor == crDefault)
        Widget->unsetCursor();
    else
        Widget->setCursor(CursorShape(cursor));
}

// The control under the mouse after a move: a graphic child, the control, or
// whatever lies under the pointer when it is outside the window.
void TrackMouse(QWidget *Widget, TWinControl *Control, const QPoint &HandlePos, const QPoint &Global)
{
    QWidget *handle = Control->Handle();
    QWidget *child = handle->rect().contains(HandlePos) ? handle->childAt(HandlePos) : nullptr;
    if (handle->rect().contains(HandlePos) && (!child || OwnerInfo(child)->Control == Control)) {
        const int bw = Control->BorderWidth();
        TControl *target = Control->ControlAtPos({HandlePos.x() - bw, HandlePos.y() - bw}, true);
        SetMouseControl(target ? target : Control);
        return;
    }
    Q_UNUSED(Widget);
    SetMouseControl(FindDragTarget({Global.x(), Global.y()}, true));
}

bool RouteMouse(QWidget *Widget, TWindowInfo *Info, QMouseEvent *Event)
{
    TWinControl *control = Info->Control;
    const QPoint global = Event->globalPosition().toPoint();
    gLastMousePos = {global.x(), global.y()};
    SetCurrentShiftState(ModifiersToShift(Event->modifiers()) | ButtonsToShift(Event->buttons()));
    const QPoint pos = ToHandle(Widget, control, Event->position().toPoint());
    const LPARAM screen = MAKELPARAM(global.x(), global.y());
    const QEvent::Type type = Event->type();
    const bool held = CaptureWidget() != nullptr || (type == QEvent::MouseMove && Event->buttons() != Qt::NoButton) ||
                      type == QEvent::MouseButtonRelease;
    QPointer<QWidget> guard(Widget);
    if (!held) {
        const LRESULT hit = control->Perform(WM_NCHITTEST, 0, screen);
        if (LiveControl(guard) != control)
            return true;
        if (hit == HTTRANSPARENT) {
            Event->ignore();
            return false;
        }
        if (type == QEvent::MouseMove) {
            const int bw = control->BorderWidth();
            TControl *target = control->ControlAtPos({pos.x() - bw, pos.y() - bw}, false);
            ShowCursorFor(Widget, hit, target ? target : control);
        }
        if (hit != HTCLIENT) {
            UINT msg = WM_NCMOUSEMOVE;
            if (type == QEvent::MouseButtonPress)
                msg = Event->button() == Qt::RightButton ? WM_NCRBUTTONDOWN : WM_NCLBUTTONDOWN;
            else if (type == QEvent::MouseButtonDblClick)
                msg = Event->button() == Qt::LeftButton ? WM_NCLBUTTONDBLCLK : WM_NCRBUTTONDOWN;
            control->Perform(msg, static_cast<WPARAM>(hit), screen);
            if (type == QEvent::MouseMove && LiveControl(guard) == control)
                SetMouseControl(control);
            return true;
        }
    }
    const int bw = control->BorderWidth();
    const LPARAM client = MAKELPARAM(pos.x() - bw, pos.y() - bw);
    UINT msg = WM_MOUSEMOVE;
    if (type != QEvent::MouseMove)
        msg = ButtonMessage(Event->button(), type);
    TPendingScope pending(Widget, Event, msg);
    control->Perform(msg, MouseKeys(Event), client);
    if (type == QEvent::MouseMove && LiveControl(guard) == control)
        TrackMouse(Widget, control, pos, global);
    return true;
}

bool RouteWheel(QWidget *Widget, TWindowInfo *Info, QWheelEvent *Event)
{
    const QPoint global = Event->globalPosition().toPoint();
    WPARAM keys = 0;
    if (Event->modifiers() & Qt::ShiftModifier)
        keys |= MK_SHIFT;
    if (Event->modifiers() & Qt::ControlModifier)
        keys |= MK_CONTROL;
    const int delta = Event->angleDelta().y();
    TPendingScope pending(Widget, Event, WM_MOUSEWHEEL);
    Info->Control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(static_cast<int>(keys), delta), MAKELPARAM(global.x(), global.y()));
    return true;
}

// A key goes as the framework's input loop would send it: the application's
// OnMessage, then CN_KEYDOWN (dialog keys), then WM_KEYDOWN; its characters
// the same way as CN_CHAR and WM_CHAR. A key the dialog handling took makes
// no characters.
bool RouteKey(QWidget *Widget, TWindowInfo *Info, QKeyEvent *Event)
{
    SetCurrentShiftState(ModifiersToShift(Event->modifiers()) | (CurrentShiftState() & (ssLeft | ssRight | ssMiddle)));
    if (Event->key() == Qt::Key_Backtab)
        SetCurrentShiftState(CurrentShiftState() | ssShift);
    const bool down = Event->type() == QEvent::KeyPress;
    const bool alt = Event->modifiers() & Qt::AltModifier;
    const int vk = QtKeyToVK(Event->key());
    LPARAM keyData = 1;
    if (alt)
        keyData |= 1 << 29;
    if (Event->isAutoRepeat())
        keyData |= 1 << 30;
    if (!down)
        keyData |= (1 << 30) | (1u << 31);
    const bool host = Info->Host;
    String text = Event->text();
    // Control characters Qt reports for Ctrl+letter are not typed text.
    if (!text.isEmpty() && text[0].unicode() < 32 && vk != VK_RETURN && vk != VK_ESCAPE && vk != VK_BACK && vk != VK_TAB)
        text.clear();
    if (vk == VK_TAB || vk == VK_RETURN)
        text = QString(QChar(vk));
    QPointer<QWidget> guard(Widget);
    auto control = [&] { return LiveControl(guard); };
    if (vk != 0) {
        const UINT msg = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
        TMessage m{msg, static_cast<WPARAM>(vk), keyData, 0};
        if (Application->ProcessInputMessage(Widget, m))
            return true;
        if (!control() || control()->Perform(CN_BASE + msg, m.WParam, m.LParam) != 0)
            return true;
        TPendingScope pending(Widget, Event, host || !down || text.isEmpty() ? msg : 0);
        if (!control())
            return true;
        control()->Perform(msg, m.WParam, m.LParam);
    }
    if (!down)
        return true;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        const UINT msg = alt ? WM_SYSCHAR : WM_CHAR;
        if (!control())
            return true;
        TMessage m{msg, ch.unicode(), keyData, 0};
        if (Application->ProcessInputMessage(Widget, m))
            continue;
        if (!control() || control()->Perform(CN_BASE + msg, m.WParam, m.LParam) != 0)
            continue;
        // A Qt widget gets its key event with the last character.
        TPendingScope pending(Widget, Event, host || i == text.size() - 1 ? msg : 0);
        if (!control())
            return true;
        control()->Perform(msg, m.WParam, m.LParam);
    }
    return true;
}
}

// Registry

TWindowInfo *WindowInfo(const QWidget *Widget)
{
    return Widget ? Windows().value(Widget, nullptr) : nullptr;
}

void RegisterWindow(QWidget *Widget, TWinControl *Control, bool Host)
{
    auto *info = new TWindowInfo;
    info->Control = Control;
    info->Host = Host;
    Windows().insert(Widget, info);
}

void UnregisterWindow(QWidget *Widget)
{
    TWindowInfo *info = Windows().take(Widget);
    if (!info)
        return;
    ReleaseCanvases(info);
    delete info;
}

TWinControl *FindControl(HWND Handle)
{
    TWindowInfo *info = WindowInfo(Handle);
    return info ? info->Control : nullptr;
}

void ReleaseCanvases(TWindowInfo *Info)
{
    const std::vector<TCanvas *> canvases = std::move(Info->OpenCanvases);
    Info->OpenCanvases.clear();
    for (TCanvas *canvas : canvases)
        canvas->Release();
}

void EnsureSurface(QWidget *Widget, TWindowInfo *Info)
{
    const QSize size = Widget->size().expandedTo(QSize(1, 1));
    if (Info->Surface.size() == size)
        return;
    ReleaseCanvases(Info);
    QImage surface(size, QImage::Format_RGB32);
    surface.fill(Qt::white);
    if (!Info->Surface.isNull()) {
        QPainter p(&surface);
        p.drawImage(0, 0, Info->Surface);
    }
    Info->Surface = surface;
    Info->Invalid = true;
}

void PaintSurface(QWidget *, TWindowInfo *Info)
{
    TWinControl *control = Info->Control;
    ReleaseCanvases(Info);
    TCanvas dc(&Info->Surface);
    Info->PaintDC = &dc;
    Info->Invalid = false;
    struct Reset {
        TWindowInfo *Info;
        ~Reset()
        {
            ReleaseCanvases(Info);
            Info->PaintDC = nullptr;
        }
    } reset{Info};
    const int bw = control->BorderWidth();
    control->Perform(WM_NCPAINT, reinterpret_cast<WPARAM>(&dc), 0);
    dc.SetOrigin({bw, bw});
    dc.SetClipRect(control->ClientRect());
    control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
    control->Perform(WM_PAINT, 0, 0);
    ReleaseCanvases(Info);
    dc.Release();
}

// Events

bool RouteEvent(QWidget *Widget, QEvent *Event)
{
    TWindowInfo *info = OwnerInfo(Widget);
    if (!info || !info->Control)
        return false;
    TWinControl *control = info->Control;
    QWidget *handle = control->Handle();
    return Guarded(control, [&]() -> bool {
        switch (Event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return RouteMouse(Widget, info, static_cast<QMouseEvent *>(Event));
        case QEvent::Wheel:
            return RouteWheel(Widget, info, static_cast<QWheelEvent *>(Event));
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return RouteKey(Widget, info, static_cast<QKeyEvent *>(Event));
        case QEvent::Enter: {
            if (QApplication::mouseButtons() != Qt::NoButton)
                return false;
            const auto *enter = static_cast<QEnterEvent *>(Event);
            TrackMouse(Widget, control, ToHandle(Widget, control, enter->position().toPoint()), enter->globalPosition().toPoint());
            return false;
        }
        case QEvent::Leave: {
            TControl *mouse = GetMouseControl();
            if (Widget == handle && mouse && (mouse == control || (mouse->Parent() == control && !dynamic_cast<TWinControl *>(mouse))) &&
                QApplication::mouseButtons() == Qt::NoButton)
                SetMouseControl(nullptr);
            return false;
        }
        case QEvent::FocusIn: {
            if (Widget != handle)
                return false;
            TPendingScope pending(Widget, Event, WM_SETFOCUS);
            control->Perform(WM_SETFOCUS, 0, 0);
            return !info->Host;
        }
        case QEvent::FocusOut: {
            if (Widget != handle)
                return false;
            TPendingScope pending(Widget, Event, WM_KILLFOCUS);
            control->Perform(WM_KILLFOCUS, 0, 0);
            return !info->Host;
        }
        case QEvent::Resize:
        case QEvent::Move:
            if (Widget == handle)
                control->UpdateBounds(false);
            return false;
        case QEvent::WindowStateChange:
            if (Widget == handle && Widget->isWindow())
                control->UpdateBounds(true);
            return false;
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            if (Widget == handle && Widget->isWindow())
                control->Perform(WM_ACTIVATE, Event->type() == QEvent::WindowActivate ? WA_ACTIVE : WA_INACTIVE, 0);
            return false;
        case QEvent::ToolTip: {
            const QPoint pos = ToHandle(Widget, control, static_cast<QHelpEvent *>(Event)->pos());
            const int bw = control->BorderWidth();
            TControl *target = control->ControlAtPos({pos.x() - bw, pos.y() - bw}, true);
            if (!target)
                target = control;
            if (target->ShowsHint() && !target->Hint().isEmpty()) {
                QToolTip::showText(static_cast<QHelpEvent *>(Event)->globalPos(), target->Hint(), Widget);
                return true;
            }
            // Without a hint of the control's own, the native widget may
            // have tips of its own parts (a tree's cut captions).
            QToolTip::hideText();
            return false;
        }
        case QEvent::Close:
            if (Widget != handle)
                return false;
            Event->ignore();
            control->Perform(WM_CLOSE, 0, 0);
            return true;
        case QEvent::Paint: {
            if (info->Host)
                return false;
            info->PaintingWidget = Widget;
            struct Reset {
                TWindowInfo *Info;
                ~Reset()
                {
                    ReleaseCanvases(Info);
                    Info->PaintingWidget = nullptr;
                }
            } reset{info};
            TPendingScope pending(Widget, Event, WM_PAINT);
            control->Perform(WM_PAINT, 0, 0);
            return true;
        }
        default:
            return false;
        }
    });
}

namespace {
// Reaches the scroll area's handling of its viewport's events.
struct TViewportAccess : QAbstractScrollArea {
    using QAbstractScrollArea::viewportEvent;
};
}

// A scroll area handles its viewport's events itself (through a filter on
// the viewport that the framework's hook runs before), so the event goes to
// the area's viewportEvent first, as Qt would send it.
void DeliverToWidget(QWidget *Widget, QEvent *Event)
{
    auto *area = qobject_cast<QAbstractScrollArea *>(Widget->parentWidget());
    if (area && area->viewport() == Widget && (area->*(&TViewportAccess::viewportEvent))(Event))
        return;
    static_cast<QObject *>(Widget)->event(Event);
}

TPendingEvent *PendingEvent()
{
    return gPending;
}

bool DeliverPendingEvent(const TMessage &Message)
{
    TPendingEvent *pending = gPending;
    if (!pending || pending->Delivered || pending->Msg != Message.Msg || !pending->Widget)
        return false;
    TWindowInfo *info = OwnerInfo(pending->Widget);
    if (!info || info->Host)
        return false;
    pending->Delivered = true;
    DeliverToWidget(pending->Widget, pending->Event);
    return true;
}

THostWidget::THostWidget(TWinControl *, QWidget *Parent) : QWidget(Parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

THostWidget::~THostWidget()
{
    UnregisterWindow(this);
}

bool THostWidget::event(QEvent *Event)
{
    if (RouteEvent(this, Event))
        return true;
    return QWidget::event(Event);
}

void THostWidget::paintEvent(QPaintEvent *Event)
{
    TWindowInfo *info = WindowInfo(this);
    if (!info || !info->Control)
        return;
    EnsureSurface(this, info);
    if (info->Invalid)
        Guarded(info->Control, [&] {
            PaintSurface(this, info);
            return true;
        });
    if (!WindowInfo(this))
        return;
    ReleaseCanvases(info);
    QPainter painter(this);
    painter.drawImage(Event->rect(), info->Surface, Event->rect());
}

bool TWidgetHook::eventFilter(QObject *Watched, QEvent *Event)
{
    auto *widget = qobject_cast<QWidget *>(Watched);
    return widget && RouteEvent(widget, Event);
}

// Mouse tracking and capture

TControl *GetMouseControl()
{
    return gMouseControl;
}

void SetMouseControl(TControl *Control)
{
    if (Control == gMouseControl)
        return;
    TControl *old = gMouseControl;
    gMouseControl = Control;
    if (old)
        old->Perform(CM_MOUSELEAVE, 0, 0);
    if (Control && gMouseControl == Control)
        Control->Perform(CM_MOUSEENTER, 0, 0);
}

void ForgetControl(TControl *Control)
{
    if (gMouseControl == Control)
        gMouseControl = nullptr;
    if (gCaptureControl == Control)
        gCaptureControl = nullptr;
}

TControl *FindDragTarget(const TPoint &Pos, bool AllowDisabled)
{
    QWidget *widget = QApplication::widgetAt(QPoint(Pos.X, Pos.Y));
    TWindowInfo *info = widget ? OwnerInfo(widget) : nullptr;
    if (!info || !info->Control)
        return nullptr;
    TWinControl *control = info->Control;
    TControl *child = control->ControlAtPos(control->ScreenToClient(Pos), AllowDisabled);
    return child ? child : control;
}

TShiftState CurrentShiftState()
{
    return gShiftState;
}

void SetCurrentShiftState(TShiftState Shift)
{
    gShiftState = Shift;
}

TPoint LastMousePos()
{
    return gLastMousePos;
}

QWidget *CaptureWidget()
{
    return gCaptureWidget;
}

HWND SetCapture(HWND Wnd)
{
    HWND old = gCaptureWidget;
    if (old && old != Wnd && QWidget::mouseGrabber() == old)
        old->releaseMouse();
    gCaptureWidget = Wnd;
    // Without a display server the pressed window keeps the mouse anyway.
    if (Wnd && Wnd->isVisible() && QGuiApplication::platformName() != QLatin1String("offscreen"))
        Wnd->grabMouse();
    return old;
}

bool ReleaseCapture()
{
    if (gCaptureWidget && QWidget::mouseGrabber() == gCaptureWidget)
        gCaptureWidget->releaseMouse();
    gCaptureWidget = nullptr;
    return true;
}

HWND GetCapture()
{
    return gCaptureWidget;
}

TControl *GetCaptureControl()
{
    TWinControl *window = FindControl(GetCapture());
    if (window && gCaptureControl && gCaptureControl->Parent() == window)
        return gCaptureControl;
    return window;
}

void SetCaptureControl(TControl *Control)
{
    ReleaseCapture();
    gCaptureControl = nullptr;
    if (!Control)
        return;
    auto *window = dynamic_cast<TWinControl *>(Control);
    if (!window) {
        if (!Control->Parent())
            return;
        gCaptureControl = Control;
        window = Control->Parent();
    }
    SetCapture(window->Handle());
}

QCursor CursorShape(TCursor Cursor)
{
    switch (Cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crNo: return Qt::ForbiddenCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

namespace {
// Moves or resizes a window with the mouse from a press on its caption or
// edge, by the distance the mouse has moved since the press, until the
// release. Nothing moves until the mouse does: a click is no drag. The
// window is moved here rather than by the window manager, which would start
// from the pointer position it last knew and make the window jump.
class TMoveSizeLoop : public QObject {
public:
    TMoveSizeLoop(QWidget *Window, LRESULT Hit, const QPoint &Start)
        : FWindow(Window), FHit(Hit), FStart(Start), FGeometry(Window->geometry()), FPos(Window->pos())
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *Event) override
    {
        if (Event->type() != QEvent::MouseMove && Event->type() != QEvent::MouseButtonRelease)
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(Event);
        // A move without the left button means its release went elsewhere
        // (the window was unmapped or lost the pointer grab): the drag is over.
        const bool released = Event->type() == QEvent::MouseButtonRelease || !(mouse->buttons() & Qt::LeftButton);
        if (!FWindow || released) {
            Finish();
            return FWindow != nullptr && Event->type() == QEvent::MouseButtonRelease;
        }
        const QPoint d = mouse->globalPosition().toPoint() - FStart;
        if (d.manhattanLength() < QApplication::startDragDistance() && !FDragging)
            return true;
        FDragging = true;
        if (FHit == HTCAPTION)
            FWindow->move(FPos + d);
        else
            FWindow->setGeometry(Resized(d));
        return true;
    }

private:
    void Finish()
    {
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QRect Resized(const QPoint &D) const
    {
        QRect r = FGeometry;
        const QSize min = FWindow->minimumSize().expandedTo(QSize(1, 1));
        const QSize max = FWindow->maximumSize();
        const bool left = FHit == HTLEFT || FHit == HTTOPLEFT || FHit == HTBOTTOMLEFT;
        const bool right = FHit == HTRIGHT || FHit == HTTOPRIGHT || FHit == HTBOTTOMRIGHT;
        const bool top = FHit == HTTOP || FHit == HTTOPLEFT || FHit == HTTOPRIGHT;
        const bool bottom = FHit == HTBOTTOM || FHit == HTBOTTOMLEFT || FHit == HTBOTTOMRIGHT;
        if (left)
            r.setLeft(std::clamp(r.left() + D.x(), r.right() + 1 - max.width(), r.right() + 1 - min.width()));
        if (right)
            r.setRight(std::clamp(r.right() + D.x(), r.left() - 1 + min.width(), r.left() - 1 + max.width()));
        if (top)
            r.setTop(std::clamp(r.top() + D.y(), r.bottom() + 1 - max.height(), r.bottom() + 1 - min.height()));
        if (bottom)
            r.setBottom(std::clamp(r.bottom() + D.y(), r.top() - 1 + min.height(), r.top() - 1 + max.height()));
        return r;
    }

    QPointer<QWidget> FWindow;
    LRESULT FHit;
    QPoint FStart;
    QRect FGeometry;
    QPoint FPos;
    bool FDragging = false;
};
}

void BeginSystemMoveSize(QWidget *Window, LRESULT Hit)
{
    if (!Window || !Window->isVisible() || Window->isMaximized())
        return;
    const TPoint start = LastMousePos();
    new TMoveSizeLoop(Window, Hit, QPoint(start.X, start.Y));
}
