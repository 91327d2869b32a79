// TCustomForm: the top-level window, its frame, state, focus and closing.
#include "Forms.h"

#include "Menus.h"
#include "ControlsHost.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

TCustomForm::TCustomForm(TComponent *AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>(this, false))
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks);
    FVisible = false;
    SetParentColor(false);
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    TNotifyEvent constraintsChanged = Constraints()->OnChange;
    Constraints()->OnChange = [this, constraintsChanged](TObject *Sender) {
        ApplyWindowConstraints();
        constraintsChanged(Sender);
    };
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (OnDestroy)
        OnDestroy(this);
    Screen->RemoveForm(this);
    if (Application->MainForm() == this)
        Application->FMainForm = nullptr;
    FActiveControl = nullptr;
    FFocusedControl = nullptr;
    FCanvas->Release();
}

void TCustomForm::AfterConstruction()
{
    DoCreate();
}

void TCustomForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

QWidget *TCustomForm::CreateWindowHandle(QWidget *ParentWidget)
{
    QWidget *widget = TWinControl::CreateWindowHandle(ParentWidget);
    widget->setWindowFlag(Qt::Window, true);
    widget->setWindowTitle(Caption());
    return widget;
}

void TCustomForm::CreateWnd()
{
    ApplyFrame();
    ApplyWindowConstraints();
    TWinControl::CreateWnd();
}

// The system frame and buttons follow BorderStyle and BorderIcons.
void TCustomForm::ApplyFrame()
{
    QWidget *w = FHandle;
    if (!w)
        return;
    const bool visible = w->isVisible();
    Qt::WindowFlags flags = Qt::Window;
    switch (FBorderStyle) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog: flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint; break;
    case bsToolWindow:
    case bsSizeToolWin: flags = Qt::Tool; break;
    default:
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (FBorderIcons & biSystemMenu)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (FBorderIcons & biMinimize)
            flags |= Qt::WindowMinimizeButtonHint;
        if (FBorderIcons & biMaximize)
            flags |= Qt::WindowMaximizeButtonHint;
        break;
    }
    if (FFormStyle == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (flags == w->windowFlags())
        return;
    w->setWindowFlags(flags);
    if (TWindowInfo *info = WindowInfo(w))
        info->Style = 0;
    if (visible)
        ShowWindowState();
}

void TCustomForm::SetClientWidth(int Value)
{
    if (ComponentState() & csLoading)
        FLoadedClientWidth = Value;
    TControl::SetClientWidth(Value);
}

void TCustomForm::SetClientHeight(int Value)
{
    if (ComponentState() & csLoading)
        FLoadedClientHeight = Value;
    TControl::SetClientHeight(Value);
}

void TCustomForm::Loaded()
{
    TWinControl::Loaded();
    if (FLoadedClientWidth > 0)
        TControl::SetClientWidth(FLoadedClientWidth);
    if (FLoadedClientHeight > 0)
        TControl::SetClientHeight(FLoadedClientHeight);
    FLoadedClientWidth = 0;
    FLoadedClientHeight = 0;
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    ApplyFrame();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value)
{
    if (Value == FBorderIcons)
        return;
    FBorderIcons = Value;
    ApplyFrame();
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (Value == FFormStyle)
        return;
    FFormStyle = Value;
    ApplyFrame();
}

void TCustomForm::SetMenu(TMainMenu *Value)
{
    if (Value == FMenu)
        return;
    FMenu = Value;
    UpdateFormMenuBar(this);
    Perform(CM_MENUCHANGED, 0, 0);
}

void TCustomForm::ApplyWindowConstraints()
{
    if (!FHandle)
        return;
    const TSizeConstraints *c = Constraints();
    const QSize frame = FHandle->frameGeometry().size() - FHandle->size();
    FHandle->setMinimumSize(std::max(c->MinWidth() - frame.width(), 0), std::max(c->MinHeight() - frame.height(), 0));
    FHandle->setMaximumSize(c->MaxWidth() > 0 ? std::max(c->MaxWidth() - frame.width(), 0) : QWIDGETSIZE_MAX,
                            c->MaxHeight() > 0 ? std::max(c->MaxHeight() - frame.height(), 0) : QWIDGETSIZE_MAX);
}

// A form's bounds include the system frame; the window's own size is the
// client area.
void TCustomForm::UpdateBoundsRect()
{
    if (!FHandle || FHandle->isMaximized() || FHandle->isMinimized())
        return;
    const QSize frame = FHandle->frameGeometry().size() - FHandle->size();
    FHandle->resize(std::max(Width() - frame.width(), 1), std::max(Height() - frame.height(), 1));
    FHandle->move(Left(), Top());
}

void TCustomForm::UpdateBounds(bool StateChanged)
{
    TWinControl::UpdateBounds(StateChanged);
}

TRect TCustomForm::ClientRect() const
{
    if (!FHandle)
        return TWinControl::ClientRect();
    const int bw = BorderWidth();
    return Rect(0, 0, std::max(FHandle->width() - 2 * bw, 0), std::max(FHandle->height() - 2 * bw, 0));
}

TPoint TCustomForm::ClientOrigin() const
{
    if (FHandle)
        return TWinControl::ClientOrigin();
    return {Left() + BorderWidth(), Top() + BorderWidth()};
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    if (Value == FWindowState)
        return;
    FWindowState = Value;
    if (FHandle && FHandle->isVisible())
        ShowWindowState();
}

void TCustomForm::ShowWindowState()
{
    switch (FWindowState) {
    case wsMaximized: FHandle->showMaximized(); break;
    case wsMinimized: FHandle->showMinimized(); break;
    default: FHandle->showNormal(); break;
    }
}

void TCustomForm::ApplyPosition()
{
    TRect area;
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        area = Screen->WorkAreaRect();
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm *main = Application->MainForm();
        if (!main || main == this)
            return;
        area = main->BoundsRect();
        break;
    }
    default:
        return;
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(), Height());
}

// Showing: OnShow, the window in its state, WM_SHOWWINDOW; the first control
// in tab order becomes active. Hiding: OnHide, then the window goes.
void TCustomForm::VisibleChanged()
{
    if (Visible()) {
        HandleNeeded();
        if (!FShown) {
            FShown = true;
            ApplyPosition();
        }
        DoShow();
        Perform(WM_SHOWWINDOW, 1, 0);
        if (!Visible() || !FHandle)
            return;
        UpdateBoundsRect();
        ShowWindowState();
        if (!FActiveControl)
            FActiveControl = FindNextControl(nullptr, true, true, false);
        FHandle->activateWindow();
    } else {
        DoHide();
        Perform(WM_SHOWWINDOW, 0, 0);
        if (FHandle)
            FHandle->hide();
    }
    Perform(CM_VISIBLECHANGED, Visible() ? 1 : 0, 0);
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::Paint()
{
    if (OnPaint)
        OnPaint(this);
}

void TCustomForm::PaintWindow(TCanvas *DC)
{
    struct Unbind {
        TControlCanvas *Canvas;
        ~Unbind() { Canvas->SetDC(nullptr); }
    } unbind{FCanvas.get()};
    FCanvas->SetDC(DC);
    Paint();
}

// Focus

void TCustomForm::SetActiveControl(TWinControl *Control)
{
    if (Control == FActiveControl)
        return;
    if (Control && (Control == this || GetParentForm(Control) != this || (!(ComponentState() & csLoading) && !Control->CanFocus())))
        throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
    FActiveControl = Control;
    if (!(ComponentState() & csLoading) && FActive)
        SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl *Control)
{
    const bool wasActive = FActive;
    SetActiveControl(Control);
    if (!wasActive && Visible() && FHandle) {
        FHandle->activateWindow();
        if (Control)
            Control->Handle()->setFocus(Qt::OtherFocusReason);
    }
}

void TCustomForm::SetFocus()
{
    if (!FActive) {
        if (!Visible() || !Enabled())
            throw EInvalidOperation(QStringLiteral("Cannot focus a disabled or invisible window"));
        FHandle->activateWindow();
        SetWindowFocus();
        return;
    }
    SetWindowFocus();
}

bool TCustomForm::CanFocus() const
{
    return Visible() && Enabled();
}

void TCustomForm::SetWindowFocus()
{
    TWinControl *target = FActiveControl ? FActiveControl : this;
    target->Handle()->setFocus(Qt::ActiveWindowFocusReason);
}

bool TCustomForm::SetFocusedControl(TWinControl *Control)
{
    FActiveControl = Control != this ? Control : nullptr;
    Screen->FActiveControl = Control;
    Screen->FActiveForm = this;
    if (Control->ControlState() & csFocusing)
        return true;
    Control->SetControlState(Control->ControlState() | csFocusing);
    struct Done {
        TWinControl *Control;
        ~Done() { Control->SetControlState(Control->ControlState() & ~csFocusing); }
    } done{Control};
    if (!FFocusedControl)
        FFocusedControl = this;
    if (FFocusedControl == Control)
        return true;
    while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
        TWinControl *leaving = FFocusedControl;
        FFocusedControl = FFocusedControl->Parent();
        leaving->Perform(CM_EXIT, 0, 0);
    }
    while (FFocusedControl != Control) {
        TWinControl *entering = Control;
        while (entering->Parent() != FFocusedControl)
            entering = entering->Parent();
        FFocusedControl = entering;
        entering->Perform(CM_ENTER, 0, 0);
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    return true;
}

void TCustomForm::RemoveFocusOf(TWinControl *Control)
{
    if (Control->ContainsControl(FFocusedControl))
        FFocusedControl = Control->Parent();
    if (Control->ContainsControl(FActiveControl)) {
        const bool hadFocus = FActiveControl->HandleAllocated() && FActiveControl->Focused();
        FActiveControl = nullptr;
        if (hadFocus && FHandle)
            FHandle->setFocus(Qt::OtherFocusReason);
    }
    if (Control->ContainsControl(Screen->FActiveControl))
        Screen->FActiveControl = nullptr;
}

void TCustomForm::WMActivate(TMessage &Message)
{
    DefaultHandler(Message);
    FActive = LOWORD(Message.WParam) != WA_INACTIVE;
    if (FActive) {
        Screen->FActiveForm = this;
        SetWindowFocus();
        Activate();
    } else {
        Deactivate();
    }
}

void TCustomForm::Activate()
{
    if (OnActivate)
        OnActivate(this);
}

void TCustomForm::Deactivate()
{
    if (OnDeactivate)
        OnDeactivate(this);
}

// Keys: Tab walks the tab order, arrows move among siblings; the rest goes
// to the controls (default and cancel buttons).
void TCustomForm::CMDialogKey(TMessage &Message)
{
    if (GetKeyState(VK_MENU) >= 0) {
        switch (Message.WParam) {
        case VK_TAB:
            if (GetKeyState(VK_CONTROL) >= 0) {
                SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
                Message.Result = 1;
                return;
            }
            break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
            if (FActiveControl && FActiveControl->Parent()) {
                FActiveControl->Parent()->SelectNext(FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
                Message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TWinControl::CMDialogKey(Message);
}

bool TCustomForm::IsShortCut(TMessage &Message)
{
    bool handled = false;
    if (OnShortCut)
        OnShortCut(Message, handled);
    if (!handled && FMenu)
        handled = FMenu->IsShortCut(Message);
    return handled;
}

void TCustomForm::CNKeyDown(TMessage &Message)
{
    if (IsShortCut(Message)) {
        Message.Result = 1;
        return;
    }
    TWinControl::CNKeyDown(Message);
}

// Closing

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction &Action)
{
    if (OnClose)
        OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (FModal) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release()
{
    PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage &)
{
    delete this;
}

int TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || FModal)
        throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
    FModal = true;
    FModalResult = mrNone;
    HandleNeeded();
    FHandle->setWindowModality(Qt::ApplicationModal);
    Show();
    while (true) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
        if (Application->Terminated())
            FModalResult = mrCancel;
        if (FModalResult == mrNone)
            continue;
        // Closing may be refused: the form stays up.
        if (!CloseQuery()) {
            FModalResult = mrNone;
            continue;
        }
        TCloseAction action = caHide;
        DoClose(action);
        if (action == caNone) {
            FModalResult = mrNone;
            continue;
        }
        break;
    }
    const TModalResult result = FModalResult;
    Hide();
    FHandle->setWindowModality(Qt::NonModal);
    FModal = false;
    return result;
}

void TCustomForm::WMClose(TMessage &)
{
    Close();
}

// The window's state follows the real window.
void TCustomForm::WMSize(TMessage &Message)
{
    if (FHandle && FHandle->isVisible()) {
        if (FHandle->isMinimized())
            FWindowState = wsMinimized;
        else if (FHandle->isMaximized())
            FWindowState = wsMaximized;
        else
            FWindowState = wsNormal;
    }
    TWinControl::WMSize(Message);
}

void TCustomForm::WMSysCommand(TMessage &Message)
{
    if ((Message.WParam & 0xFFF0) == SC_MINIMIZE && Application->MainForm() == this) {
        Application->Minimize();
        return;
    }
    DefaultHandler(Message);
}

void TCustomForm::CMTextChanged(TMessage &Message)
{
    TWinControl::CMTextChanged(Message);
    if (FHandle)
        FHandle->setWindowTitle(Caption());
}
