// TWinControl: the window, child controls, alignment, tab order, focus,
// keyboard routing and painting.
#include "Controls.h"
#include "ControlsHost.h"
#include "Forms.h"

#include <QWidget>
#include <algorithm>

TWinControl::TWinControl(TComponent *AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl()
{
    Destroying();
    if (TCustomForm *form = GetParentForm(this); form && form != this)
        form->RemoveFocusOf(this);
    while (!FControls.empty()) {
        TControl *child = FControls.back();
        RemoveControl(child);
        delete child;
    }
    DestroyHandle();
}

TControl *TWinControl::Controls(int Index) const
{
    if (Index < 0 || Index >= ControlCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FControls[Index];
}

void TWinControl::InsertControl(TControl *AControl)
{
    AControl->Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    Insert(AControl);
    if (!(AControl->ComponentState() & csLoading)) {
        if (AControl->FParentColor)
            AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (AControl->FParentFont)
            AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
    }
    if (auto win = dynamic_cast<TWinControl *>(AControl); win && FHandle)
        win->HandleNeeded();
    AControl->Invalidate();
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    AControl->RequestAlign();
}

void TWinControl::Insert(TControl *AControl)
{
    FControls.push_back(AControl);
    if (auto win = dynamic_cast<TWinControl *>(AControl))
        FTabList.push_back(win);
    AControl->FParent = this;
}

void TWinControl::RemoveControl(TControl *AControl)
{
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (auto win = dynamic_cast<TWinControl *>(AControl)) {
        if (TCustomForm *form = GetParentForm(this))
            form->RemoveFocusOf(win);
        win->DestroyHandle();
    } else {
        AControl->Invalidate();
    }
    ForgetControl(AControl);
    Remove(AControl);
    Realign();
}

void TWinControl::Remove(TControl *AControl)
{
    std::erase(FControls, AControl);
    if (auto win = dynamic_cast<TWinControl *>(AControl))
        std::erase(FTabList, win);
    AControl->FParent = nullptr;
}

bool TWinControl::ContainsControl(const TControl *Control) const
{
    for (; Control; Control = Control->Parent())
        if (Control == this)
            return true;
    return false;
}

TControl *TWinControl::ControlAtPos(const TPoint &Pos, bool AllowDisabled, bool AllowWinControls) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl *c = *it;
        if (!AllowWinControls && dynamic_cast<TWinControl *>(c))
            continue;
        if (!c->Visible() || (!AllowDisabled && !c->Enabled()))
            continue;
        if (!PtInRect(c->BoundsRect(), Pos))
            continue;
        if (c->Perform(CM_HITTEST, 0, MAKELPARAM(Pos.X - c->Left(), Pos.Y - c->Top())) != 0)
            return c;
    }
    return nullptr;
}

void TWinControl::Broadcast(TMessage &Message)
{
    const std::vector<TControl *> controls = FControls;
    for (TControl *c : controls) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end())
            continue;
        c->WindowProc(Message);
        if (Message.Result != 0)
            return;
    }
}

// Alignment

void TWinControl::DisableAlign()
{
    ++FAlignLevel;
}

void TWinControl::EnableAlign()
{
    if (FAlignLevel > 0 && --FAlignLevel == 0 && (FControlState & csAlignmentNeeded))
        Realign();
}

void TWinControl::Realign()
{
    AlignControl(nullptr);
}

void TWinControl::AlignControl(TControl *AControl)
{
    if (FAlignLevel > 0 || (ComponentState() & (csLoading | csDestroying))) {
        FControlState |= csAlignmentNeeded;
        return;
    }
    if (FAligning)
        return;
    FAligning = true;
    FControlState &= ~csAlignmentNeeded;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(AControl, rect);
    FAligning = false;
}

void TWinControl::AdjustClientRect(TRect &) {}

namespace {
// Whether C1 goes before C2 among controls of one alignment.
bool InsertBefore(const TControl *C1, const TControl *C2, TAlign Align)
{
    switch (Align) {
    case alTop: return C1->Top() < C2->Top();
    case alBottom: return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
    case alLeft: return C1->Left() < C2->Left();
    case alRight: return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
    default: return false;
    }
}
}

// Controls take their place alignment by alignment (top, bottom, left,
// right, client); within one alignment by position, the control that asked
// for the layout first.
void TWinControl::AlignControls(TControl *AControl, TRect &Rect)
{
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl *> list;
        if (AControl && AControl->Align() == align && AControl->Visible() && AControl->Parent() == this)
            list.push_back(AControl);
        for (TControl *c : FControls) {
            if (c == AControl || c->Align() != align || !c->Visible())
                continue;
            auto at = list.begin();
            while (at != list.end() && !InsertBefore(c, *at, align))
                ++at;
            list.insert(at, c);
        }
        for (TControl *c : list) {
            const int w = std::max(Rect.Width(), 0);
            const int h = std::max(Rect.Height(), 0);
            switch (align) {
            case alTop:
                c->SetBounds(Rect.Left, Rect.Top, w, c->Height());
                Rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(Rect.Left, Rect.Bottom - c->Height(), w, c->Height());
                Rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(Rect.Left, Rect.Top, c->Width(), h);
                Rect.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(Rect.Right - c->Width(), Rect.Top, c->Width(), h);
                Rect.Right -= c->Width();
                break;
            default:
                c->SetBounds(Rect.Left, Rect.Top, w, h);
                break;
            }
        }
    }
}

void TWinControl::ScrollBy(int DeltaX, int DeltaY)
{
    DisableAlign();
    for (TControl *c : FControls)
        c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
    FControlState &= ~csAlignmentNeeded;
    --FAlignLevel;
    Invalidate();
}

// Tab order and focus

TTabOrder TWinControl::TabOrder() const
{
    if (!FParent)
        return -1;
    const auto &list = FParent->FTabList;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(TTabOrder Value)
{
    if (!FParent)
        return;
    auto &list = FParent->FTabList;
    std::erase(list, this);
    if (Value < 0 || Value >= static_cast<int>(list.size()))
        list.push_back(this);
    else
        list.insert(list.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value)
{
    if (Value == FTabStop)
        return;
    FTabStop = Value;
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl *> &List) const
{
    for (TWinControl *c : FTabList) {
        List.push_back(c);
        c->GetTabOrderList(List);
    }
}

TWinControl *TWinControl::FindNextControl(TWinControl *CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const
{
    std::vector<TWinControl *> list;
    GetTabOrderList(list);
    const int n = static_cast<int>(list.size());
    if (n == 0)
        return nullptr;
    int start = static_cast<int>(std::find(list.begin(), list.end(), CurControl) - list.begin());
    if (start == n)
        start = GoForward ? n - 1 : 0;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
        TWinControl *c = list[i];
        if (c == CurControl)
            break;
        if ((!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus())
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl *CurControl, bool GoForward, bool CheckTabStop)
{
    if (TWinControl *next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
        next->SetFocus();
}

bool TWinControl::CanFocus() const
{
    TCustomForm *form = GetParentForm(const_cast<TWinControl *>(this));
    if (!form)
        return false;
    for (const TControl *c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus()
{
    TCustomForm *form = GetParentForm(this);
    if (form)
        form->FocusControl(this);
    else if (FHandle)
        FHandle->setFocus(Qt::OtherFocusReason);
    else
        throw EInvalidOperation(QStringLiteral("Control '%1' has no parent window").arg(Name()));
}

bool TWinControl::Focused() const
{
    return FHandle && FHandle->hasFocus();
}

bool TWinControl::Showing() const
{
    return FHandle && FHandle->isVisible();
}

// Keys. The window's key events arrive as CN_KEYDOWN / CN_CHAR first: the
// form gets its dialog keys and characters from there; what is left goes on
// as WM_KEYDOWN / WM_CHAR to the events.

void TWinControl::CNKeyDown(TMessage &Message)
{
    Message.Result = 1;
    if (!(ComponentState() & csDesigning)) {
        if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0)
            return;
        LRESULT mask = 0;
        switch (Message.WParam) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN:
        case VK_ESCAPE: mask = DLGC_WANTALLKEYS; break;
        default: break;
        }
        if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, 0) == 0 && (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
            TCustomForm *form = GetParentForm(this);
            if (form && form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
                return;
        }
    }
    Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage &Message)
{
    Message.Result = Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0 ? 1 : 0;
}

void TWinControl::CNChar(TMessage &Message)
{
    Message.Result = 0;
    if (ComponentState() & csDesigning)
        return;
    if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
        TCustomForm *form = GetParentForm(this);
        if (form && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
            Message.Result = 1;
    }
}

// Alt with a character: the form's accelerators.
void TWinControl::CNSysChar(TMessage &Message)
{
    Message.Result = 0;
    TCustomForm *form = GetParentForm(this);
    if (form && Message.WParam != VK_SPACE && form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
        Message.Result = 1;
}

bool TWinControl::DoKeyDown(TMessage &Message)
{
    TCustomForm *form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyDown(Message))
        return true;
    if (ControlStyle() & csNoStdEvents)
        return false;
    int key = static_cast<int>(Message.WParam);
    KeyDown(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = static_cast<WPARAM>(key);
    return key == 0;
}

bool TWinControl::DoKeyUp(TMessage &Message)
{
    TCustomForm *form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyUp(Message))
        return true;
    if (ControlStyle() & csNoStdEvents)
        return false;
    int key = static_cast<int>(Message.WParam);
    KeyUp(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = static_cast<WPARAM>(key);
    return key == 0;
}

bool TWinControl::DoKeyPress(TMessage &Message)
{
    TCustomForm *form = GetParentForm(this);
    if (form && form != this && form->KeyPreview() && form->DoKeyPress(Message))
        return true;
    if (ControlStyle() & csNoStdEvents)
        return false;
    QChar key(static_cast<char16_t>(Message.WParam));
    KeyPress(key);
    Message.WParam = key.unicode();
    return key.unicode() == 0;
}

void TWinControl::KeyDown(int &Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(int &Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(QChar &Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TMessage &Message)
{
    if (!DoKeyDown(Message))
        DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TMessage &Message)
{
    if (!DoKeyDown(Message))
        DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage &Message)
{
    if (!DoKeyUp(Message))
        DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage &Message)
{
    if (!DoKeyPress(Message))
        DefaultHandler(Message);
}

void TWinControl::WMSysChar(TMessage &Message)
{
    DefaultHandler(Message);
}

void TWinControl::CMDialogKey(TMessage &Message)
{
    Broadcast(Message);
}

void TWinControl::CMDialogChar(TMessage &Message)
{
    Broadcast(Message);
}

void TWinControl::CMFocusChanged(TMessage &Message)
{
    Broadcast(Message);
}

void TWinControl::CMEnter(TMessage &Message)
{
    DefaultHandler(Message);
    DoEnter();
}

void TWinControl::CMExit(TMessage &Message)
{
    DefaultHandler(Message);
    DoExit();
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TWinControl::WMSetFocus(TMessage &Message)
{
    DefaultHandler(Message);
    Invalidate();
}

void TWinControl::WMKillFocus(TMessage &Message)
{
    DefaultHandler(Message);
    Invalidate();
}

// The window procedure: the form learns of focus, graphic children get the
// mouse messages over them.
void TWinControl::WndProc(TMessage &Message)
{
    switch (Message.Msg) {
    case WM_SETFOCUS:
        if (TCustomForm *form = GetParentForm(this); form && !form->SetFocusedControl(this))
            return;
        break;
    case WM_KILLFOCUS:
        if (ControlState() & csFocusing)
            return;
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: {
        const TPoint pos{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        TControl *target = nullptr;
        TControl *capture = GetCaptureControl();
        if (capture && capture != this) {
            if (capture->Parent() == this)
                target = capture;
        } else if (!capture) {
            target = ControlAtPos(pos, false);
        }
        if (target) {
            target->Perform(Message.Msg, Message.WParam, MAKELPARAM(pos.X - target->Left(), pos.Y - target->Top()));
            return;
        }
        break;
    }
    default:
        break;
    }
    TControl::WndProc(Message);
}

// Window handle

HWND TWinControl::Handle()
{
    HandleNeeded();
    return FHandle;
}

QWidget *TWinControl::ParentWidgetForHandle()
{
    if (FParent) {
        FParent->HandleNeeded();
        return FParent->FHandle;
    }
    return FParentWindow;
}

void TWinControl::HandleNeeded()
{
    if (FHandle)
        return;
    if (ComponentState() & csDestroying)
        throw EInvalidOperation(QStringLiteral("Control '%1' is being destroyed").arg(Name()));
    QWidget *parentWidget = ParentWidgetForHandle();
    if (FHandle) // the parent's handle made ours already
        return;
    FControlState |= csCreating;
    QWidget *widget = CreateWindowHandle(parentWidget);
    if (widget->parentWidget() != parentWidget)
        widget->setParent(parentWidget, widget->windowFlags());
    FHandle = widget;
    RegisterWindow(widget, this, dynamic_cast<THostWidget *>(widget) != nullptr);
    if (!dynamic_cast<THostWidget *>(widget))
        HookWidget(widget);
    UpdateBoundsRect();
    CreateWnd();
    for (TControl *c : FControls)
        if (auto win = dynamic_cast<TWinControl *>(c))
            win->HandleNeeded();
    FControlState &= ~csCreating;
    UpdateShowing();
}

QWidget *TWinControl::CreateWindowHandle(QWidget *ParentWidget)
{
    return new THostWidget(this, ParentWidget);
}

void TWinControl::CreateWnd()
{
    FHandle->setEnabled(Enabled());
    Perform(WM_CREATE, 0, 0);
    Realign();
}

void TWinControl::HookWidget(QWidget *Widget)
{
    Widget->installEventFilter(new TWidgetHook(Widget));
    Widget->setAttribute(Qt::WA_Hover, false);
    Widget->setMouseTracking(true);
}

void TWinControl::DestroyHandle()
{
    if (!FHandle)
        return;
    for (TControl *c : FControls)
        if (auto win = dynamic_cast<TWinControl *>(c))
            win->DestroyHandle();
    FControlState |= csDestroyingHandle;
    DestroyWnd();
    FControlState &= ~csDestroyingHandle;
}

void TWinControl::DestroyWnd()
{
    if (!(ComponentState() & csDestroying))
        Perform(WM_DESTROY, 0, 0);
    QWidget *widget = FHandle;
    FHandle = nullptr;
    if (CaptureWidget() == widget)
        ReleaseCapture();
    UnregisterWindow(widget);
    widget->hide();
    widget->setParent(nullptr);
    widget->deleteLater();
}

void TWinControl::SetParentWindow(HWND Value)
{
    if (Value == FParentWindow)
        return;
    FParentWindow = Value;
    if (!FParent && FHandle) {
        DestroyHandle();
        HandleNeeded();
    }
}

void TWinControl::UpdateBoundsRect()
{
    if (!FHandle)
        return;
    if (FParent) {
        const int bw = FParent->FBorderWidth;
        FHandle->setGeometry(Left() + bw, Top() + bw, Width(), Height());
    } else {
        FHandle->setGeometry(Left(), Top(), Width(), Height());
    }
}

void TWinControl::UpdateBounds(bool StateChanged)
{
    if (!FHandle)
        return;
    QRect r;
    if (FParent) {
        const int bw = FParent->FBorderWidth;
        r = FHandle->geometry().translated(-bw, -bw);
    } else {
        r = FHandle->frameGeometry();
    }
    const bool moved = r.x() != Left() || r.y() != Top();
    const bool sized = r.width() != Width() || r.height() != Height();
    if (!moved && !sized && !StateChanged)
        return;
    SetBoundsNoAlign(r.x(), r.y(), r.width(), r.height());
    if (sized || StateChanged) {
        const WPARAM kind = FHandle->isMinimized() ? SIZE_MINIMIZED : FHandle->isMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
        Perform(WM_SIZE, kind, MAKELPARAM(ClientWidth(), ClientHeight()));
    }
    if (moved)
        Perform(WM_MOVE, 0, MAKELPARAM(Left(), Top()));
}

void TWinControl::UpdateShowing()
{
    if (!FHandle || FHandle->isHidden() == !Visible())
        return;
    FHandle->setVisible(Visible());
    Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TWinControl::VisibleChanged()
{
    UpdateShowing();
    TControl::VisibleChanged();
}

void TWinControl::CMVisibleChanged(TMessage &Message)
{
    DefaultHandler(Message);
    if (!Visible()) {
        ForgetControl(this);
        if (TCustomForm *form = GetParentForm(this); form && form != this)
            form->RemoveFocusOf(this);
    }
}

void TWinControl::CMShowingChanged(TMessage &Message)
{
    DefaultHandler(Message);
}

void TWinControl::CMEnabledChanged(TMessage &Message)
{
    if (!Enabled() && FHandle && FHandle->hasFocus())
        if (TCustomForm *form = GetParentForm(this); form && form != this)
            form->RemoveFocusOf(this);
    if (FHandle)
        FHandle->setEnabled(Enabled());
    TControl::CMEnabledChanged(Message);
}

void TWinControl::CMColorChanged(TMessage &Message)
{
    TControl::CMColorChanged(Message);
    TMessage notify{CM_PARENTCOLORCHANGED, 0, 0, 0};
    for (TControl *c : std::vector<TControl *>(FControls))
        c->WindowProc(notify);
}

void TWinControl::CMFontChanged(TMessage &Message)
{
    TControl::CMFontChanged(Message);
    if (FHandle && !WindowInfo(FHandle)->Host)
        FHandle->setFont(Font()->QtFont());
    TMessage notify{CM_PARENTFONTCHANGED, 0, 0, 0};
    for (TControl *c : std::vector<TControl *>(FControls))
        c->WindowProc(notify);
}

void TWinControl::CMCursorChanged(TMessage &Message)
{
    DefaultHandler(Message);
}

void TWinControl::CMTextChanged(TMessage &Message)
{
    TControl::CMTextChanged(Message);
    if (FHandle && !FParent)
        FHandle->setWindowTitle(Text());
}

void TWinControl::SetBorderWidth(int Value)
{
    Value = std::max(Value, 0);
    if (Value == FBorderWidth)
        return;
    FBorderWidth = Value;
    for (TControl *c : FControls)
        if (auto win = dynamic_cast<TWinControl *>(c))
            win->UpdateBoundsRect();
    Perform(CM_BORDERCHANGED, 0, 0);
    Realign();
    Invalidate();
}

TRect TWinControl::ClientRect() const
{
    return Rect(0, 0, std::max(Width() - 2 * FBorderWidth, 0), std::max(Height() - 2 * FBorderWidth, 0));
}

TPoint TWinControl::ClientOrigin() const
{
    if (FHandle) {
        const QPoint p = FHandle->mapToGlobal(QPoint(FBorderWidth, FBorderWidth));
        return {p.x(), p.y()};
    }
    const TPoint origin = TControl::ClientOrigin();
    return {origin.X + FBorderWidth, origin.Y + FBorderWidth};
}

void TWinControl::WMSize(TMessage &Message)
{
    DefaultHandler(Message);
    Realign();
    if (!(ComponentState() & csLoading))
        Resize();
}

void TWinControl::WMNCHitTest(TMessage &Message)
{
    DefaultHandler(Message);
    const TPoint p = ScreenToClient({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
    Message.Result = PtInRect(ClientRect(), p) ? HTCLIENT : HTBORDER;
}

void TWinControl::WMNCLButtonDown(TMessage &Message)
{
    DefaultHandler(Message);
}

void TWinControl::SetZOrder(bool TopMost)
{
    TControl::SetZOrder(TopMost);
    if (FHandle) {
        if (TopMost)
            FHandle->raise();
        else
            FHandle->lower();
    }
}

// Painting

void TWinControl::Invalidate()
{
    if (!FHandle)
        return;
    if (TWindowInfo *info = WindowInfo(FHandle))
        info->Invalid = true;
    FHandle->update();
}

void TWinControl::Update()
{
    if (FHandle && FHandle->isVisible())
        if (TWindowInfo *info = WindowInfo(FHandle); info && info->Invalid && !info->PaintDC)
            FHandle->repaint();
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::WMNCPaint(TMessage &Message)
{
    DefaultHandler(Message);
    if (FBorderWidth <= 0 || !Message.WParam)
        return;
    // The margin shows the control's colour unless someone paints over it.
    TCanvas *dc = reinterpret_cast<TCanvas *>(Message.WParam);
    dc->Brush()->SetColor(Color());
    dc->Brush()->SetStyle(bsSolid);
    const int w = Width();
    const int h = Height();
    const int b = FBorderWidth;
    dc->FillRect(Rect(0, 0, w, b));
    dc->FillRect(Rect(0, h - b, w, h));
    dc->FillRect(Rect(0, b, b, h - b));
    dc->FillRect(Rect(w - b, b, w, h - b));
}

void TWinControl::WMEraseBkgnd(TMessage &Message)
{
    DefaultHandler(Message);
    if (!Message.WParam)
        return;
    TCanvas *dc = reinterpret_cast<TCanvas *>(Message.WParam);
    dc->Brush()->SetColor(Color());
    dc->Brush()->SetStyle(bsSolid);
    dc->FillRect(ClientRect());
    Message.Result = 1;
}

void TWinControl::WMPaint(TMessage &Message)
{
    if (FHandle && !WindowInfo(FHandle)->Host && !Message.WParam) {
        DefaultHandler(Message); // the Qt widget paints itself
        return;
    }
    PaintHandler(Message);
}

void TWinControl::PaintHandler(TMessage &Message)
{
    TCanvas *dc = reinterpret_cast<TCanvas *>(Message.WParam);
    if (!dc && FHandle)
        dc = WindowInfo(FHandle)->PaintDC;
    if (!dc)
        return;
    PaintWindow(dc);
    PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(TCanvas *DC)
{
    TMessage message{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
    DefaultHandler(message);
}

// Graphic children paint over the control, bottom to top.
void TWinControl::PaintControls(TCanvas *DC, TControl *First)
{
    auto it = First ? std::find(FControls.begin(), FControls.end(), First) : FControls.begin();
    const TPoint origin = DC->Origin();
    for (; it != FControls.end(); ++it) {
        TControl *c = *it;
        if (dynamic_cast<TWinControl *>(c) || !c->Visible() || c->Width() <= 0 || c->Height() <= 0)
            continue;
        const int saved = DC->SaveState();
        DC->SetOrigin({origin.X + c->Left(), origin.Y + c->Top()});
        DC->IntersectClipRect(Rect(0, 0, c->Width(), c->Height()));
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        DC->RestoreState(saved);
    }
}

void TWinControl::PaintTo(TCanvas *DC, int X, int Y)
{
    const int saved = DC->SaveState();
    const TPoint origin = DC->Origin();
    DC->SetOrigin({origin.X + X, origin.Y + Y});
    Perform(WM_NCPAINT, reinterpret_cast<WPARAM>(DC), 0);
    DC->SetOrigin({origin.X + X + FBorderWidth, origin.Y + Y + FBorderWidth});
    DC->IntersectClipRect(ClientRect());
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    DC->RestoreState(saved);
}

void TWinControl::DefaultHandler(TMessage &Message)
{
    if (DeliverPendingEvent(Message))
        return;
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        // Qt's own widgets take arrows and characters, as native controls do.
        if (FHandle && !WindowInfo(FHandle)->Host)
            Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_NCLBUTTONDOWN:
        if (FHandle && (Message.WParam == HTCAPTION || (Message.WParam >= HTLEFT && Message.WParam <= HTBOTTOMRIGHT)))
            BeginSystemMoveSize(FHandle->window(), static_cast<LRESULT>(Message.WParam));
        return;
    case WM_NCLBUTTONDBLCLK:
        if (FHandle && Message.WParam == HTCAPTION)
            Perform(WM_SYSCOMMAND, FHandle->window()->isMaximized() ? SC_RESTORE : SC_MAXIMIZE, 0);
        return;
    case WM_SYSCOMMAND:
        if (FHandle) {
            QWidget *window = FHandle->window();
            switch (Message.WParam & 0xFFF0) {
            case SC_MINIMIZE: window->showMinimized(); break;
            case SC_MAXIMIZE: window->showMaximized(); break;
            case SC_RESTORE: window->showNormal(); break;
            case SC_CLOSE: window->close(); break;
            default: break;
            }
        }
        return;
    default:
        TControl::DefaultHandler(Message);
        return;
    }
}
