// TControl: bounds, properties, message dispatch and mouse handling shared by
// all controls.
#include "Controls.h"
#include "ControlsHost.h"
#include "Forms.h"

#include <QWidget>
#include <algorithm>

void TSizeConstraints::SetMinWidth(int Value)
{
    if (Value == FMinWidth)
        return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth)
        FMaxWidth = FMinWidth;
    Change();
}

void TSizeConstraints::SetMinHeight(int Value)
{
    if (Value == FMinHeight)
        return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight)
        FMaxHeight = FMinHeight;
    Change();
}

void TSizeConstraints::SetMaxWidth(int Value)
{
    if (Value == FMaxWidth)
        return;
    FMaxWidth = Value;
    if (FMaxWidth > 0 && FMinWidth > FMaxWidth)
        FMinWidth = FMaxWidth;
    Change();
}

void TSizeConstraints::SetMaxHeight(int Value)
{
    if (Value == FMaxHeight)
        return;
    FMaxHeight = Value;
    if (FMaxHeight > 0 && FMinHeight > FMaxHeight)
        FMinHeight = FMaxHeight;
    Change();
}

void TSizeConstraints::Assign(const TPersistent *Source)
{
    if (auto source = dynamic_cast<const TSizeConstraints *>(Source)) {
        FMinWidth = source->FMinWidth;
        FMinHeight = source->FMinHeight;
        FMaxWidth = source->FMaxWidth;
        FMaxHeight = source->FMaxHeight;
        Change();
        return;
    }
    TPersistent::Assign(Source);
}

void TSizeConstraints::Change()
{
    if (OnChange)
        OnChange(this);
}

TControl::TControl(TComponent *AOwner)
    : TComponent(AOwner), FConstraints(std::make_unique<TSizeConstraints>()), FFont(std::make_unique<TFont>())
{
    WindowProc = [this](TMessage &Message) { WndProc(Message); };
    FConstraints->OnChange = [this](TObject *) { SetBounds(FLeft, FTop, FWidth, FHeight); };
    FFont->OnChange = [this](TObject *Sender) { FontChanged(Sender); };
}

TControl::~TControl()
{
    Destroying();
    ForgetControl(this);
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
    if (FParent)
        FParent->RemoveControl(this);
}

void TControl::SetName(const String &Value)
{
    const TComponent *owner = Owner();
    const bool ownerLoading = owner && dynamic_cast<const TControl *>(owner) && (owner->ComponentState() & csLoading);
    const bool changeText = (FControlStyle & csSetCaption) && !(ComponentState() & csLoading) && Name() == FText && !ownerLoading;
    TComponent::SetName(Value);
    if (changeText)
        SetText(Value);
}

void TControl::SetParent(TWinControl *AParent)
{
    if (AParent == FParent)
        return;
    if (AParent == this)
        throw EComponentError(QStringLiteral("A control cannot have itself as its parent"));
    if (FParent)
        FParent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

void TControl::ApplyConstraints(int &W, int &H) const
{
    if (FConstraints->MaxWidth() > 0)
        W = std::min(W, FConstraints->MaxWidth());
    if (FConstraints->MaxHeight() > 0)
        H = std::min(H, FConstraints->MaxHeight());
    W = std::max(W, FConstraints->MinWidth());
    H = std::max(H, FConstraints->MinHeight());
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (!CanResize(AWidth, AHeight))
        AWidth = FWidth, AHeight = FHeight;
    ApplyConstraints(AWidth, AHeight);
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    const bool moved = ALeft != FLeft || ATop != FTop;
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    if (!moved && !sized)
        return;
    if (!dynamic_cast<TWinControl *>(this))
        Invalidate(); // the old place on the parent
    SetBoundsNoAlign(ALeft, ATop, AWidth, AHeight);
    UpdateBoundsRect();
    Invalidate();
    if (sized)
        Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(ClientWidth(), ClientHeight()));
    if (moved)
        Perform(WM_MOVE, 0, MAKELPARAM(FLeft, FTop));
    RequestAlign();
}

void TControl::SetBoundsNoAlign(int ALeft, int ATop, int AWidth, int AHeight)
{
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
}

void TControl::UpdateBoundsRect() {}

TRect TControl::ClientRect() const
{
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientWidth(int Value)
{
    SetWidth(Value + FWidth - ClientWidth());
}

void TControl::SetClientHeight(int Value)
{
    SetHeight(Value + FHeight - ClientHeight());
}

TPoint TControl::ClientOrigin() const
{
    if (!FParent)
        return {FLeft, FTop};
    const TPoint p = FParent->ClientOrigin();
    return {p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ScreenToClient(const TPoint &Point) const
{
    const TPoint origin = ClientOrigin();
    return {Point.X - origin.X, Point.Y - origin.Y};
}

TPoint TControl::ClientToScreen(const TPoint &Point) const
{
    const TPoint origin = ClientOrigin();
    return {Point.X + origin.X, Point.Y + origin.Y};
}

void TControl::SetAlign(TAlign Value)
{
    if (Value == FAlign)
        return;
    const TAlign old = FAlign;
    FAlign = Value;
    // A control leaving alClient keeps a usable size.
    if (old == alClient && FParent && (Value == alTop || Value == alBottom))
        SetBoundsNoAlign(FLeft, FTop, FWidth, std::max(FHeight / 2, 1));
    RequestAlign();
}

void TControl::RequestAlign()
{
    if (FParent)
        FParent->AlignControl(this);
}

void TControl::SetAutoSize(bool Value)
{
    if (Value == FAutoSize)
        return;
    FAutoSize = Value;
    if (Value)
        AdjustSize();
}

bool TControl::CanResize(int &NewWidth, int &NewHeight)
{
    bool resize = true;
    if (OnCanResize)
        OnCanResize(this, NewWidth, NewHeight, resize);
    return resize;
}

bool TControl::CanAutoSize(int &, int &)
{
    return false;
}

void TControl::AdjustSize()
{
    if (!FAutoSize || (ComponentState() & csLoading))
        return;
    int w = FWidth;
    int h = FHeight;
    if (CanAutoSize(w, h))
        SetBounds(FLeft, FTop, w, h);
}

void TControl::Resize()
{
    if (OnResize)
        OnResize(this);
}

void TControl::SetVisible(bool Value)
{
    if (Value == FVisible)
        return;
    FVisible = Value;
    VisibleChanged();
}

void TControl::VisibleChanged()
{
    Perform(CM_VISIBLECHANGED, FVisible ? 1 : 0, 0);
    RequestAlign();
}

void TControl::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value)
{
    if (Value == FColor && !FParentColor)
        return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value)
{
    if (Value == FParentColor)
        return;
    FParentColor = Value;
    if (Value && FParent)
        Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged(TObject *)
{
    if (FInFontChange)
        return;
    FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value)
{
    if (Value == FParentFont)
        return;
    FParentFont = Value;
    if (Value && FParent)
        Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetText(const String &Value)
{
    if (Value == FText)
        return;
    FText = Value;
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value)
{
    FParentShowHint = false;
    if (Value == FShowHint)
        return;
    FShowHint = Value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

bool TControl::ShowsHint() const
{
    if (FParentShowHint && FParent)
        return FParent->ShowsHint();
    return FShowHint;
}

void TControl::SetCursor(TCursor Value)
{
    if (Value == FCursor)
        return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu *Value)
{
    FPopupMenu = Value;
}

bool TControl::MouseCapture() const
{
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value)
{
    if (MouseCapture() == Value)
        return;
    SetCaptureControl(Value ? this : nullptr);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage message{Msg, WParam, LParam, 0};
    WindowProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage &Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A press on a disabled control never reaches it.
        if (!FEnabled)
            return;
        FControlState |= csLButtonDown;
        break;
    case WM_LBUTTONUP:
        FControlState &= ~csLButtonDown;
        break;
    default:
        break;
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage &Message)
{
    switch (Message.Msg) {
    case WM_PAINT: WMPaint(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    case WM_NCPAINT: WMNCPaint(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_MOVE: WMMove(Message); break;
    case WM_NCHITTEST: WMNCHitTest(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case WM_KEYDOWN: WMKeyDown(Message); break;
    case WM_KEYUP: WMKeyUp(Message); break;
    case WM_CHAR: WMChar(Message); break;
    case WM_SYSKEYDOWN: WMSysKeyDown(Message); break;
    case WM_SYSKEYUP: WMSysKeyUp(Message); break;
    case WM_SYSCHAR: WMSysChar(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_MOUSEMOVE: WMMouseMove(Message); break;
    case WM_LBUTTONDOWN: WMLButtonDown(Message); break;
    case WM_LBUTTONUP: WMLButtonUp(Message); break;
    case WM_LBUTTONDBLCLK: WMLButtonDblClk(Message); break;
    case WM_RBUTTONDOWN: WMRButtonDown(Message); break;
    case WM_RBUTTONUP: WMRButtonUp(Message); break;
    case WM_RBUTTONDBLCLK: WMRButtonDblClk(Message); break;
    case WM_MBUTTONDOWN: WMMButtonDown(Message); break;
    case WM_MBUTTONUP: WMMButtonUp(Message); break;
    case WM_MBUTTONDBLCLK: WMMButtonDblClk(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_NCMOUSEMOVE: WMNCMouseMove(Message); break;
    case WM_NCLBUTTONDOWN: WMNCLButtonDown(Message); break;
    case WM_NCLBUTTONUP: WMNCLButtonUp(Message); break;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(Message); break;
    case WM_SETCURSOR: WMSetCursor(Message); break;
    case WM_CONTEXTMENU: WMContextMenu(Message); break;
    case WM_CAPTURECHANGED: WMCaptureChanged(Message); break;
    case WM_CANCELMODE: WMCancelMode(Message); break;
    case WM_SHOWWINDOW: WMShowWindow(Message); break;
    case WM_ACTIVATE: WMActivate(Message); break;
    case WM_CLOSE: WMClose(Message); break;
    case WM_SYSCOMMAND: WMSysCommand(Message); break;
    case WM_HSCROLL: WMHScroll(Message); break;
    case WM_VSCROLL: WMVScroll(Message); break;
    case WM_TIMER: WMTimer(Message); break;
    case WM_SETTEXT: WMSetText(Message); break;
    case WM_GETTEXT: WMGetText(Message); break;
    case WM_CREATE: WMCreate(Message); break;
    case WM_DESTROY: WMDestroy(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_HITTEST: CMHitTest(Message); break;
    case CM_FONTCHANGED: CMFontChanged(Message); break;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(Message); break;
    case CM_COLORCHANGED: CMColorChanged(Message); break;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(Message); break;
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_VISIBLECHANGED: CMVisibleChanged(Message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(Message); break;
    case CM_CURSORCHANGED: CMCursorChanged(Message); break;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(Message); break;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(Message); break;
    case CM_DIALOGKEY: CMDialogKey(Message); break;
    case CM_DIALOGCHAR: CMDialogChar(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    case CM_CHILDKEY: CMChildKey(Message); break;
    case CM_FOCUSCHANGED: CMFocusChanged(Message); break;
    case CM_ENTER: CMEnter(Message); break;
    case CM_EXIT: CMExit(Message); break;
    case CM_ACTIVATE: CMActivate(Message); break;
    case CM_DEACTIVATE: CMDeactivate(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case CM_TABSTOPCHANGED: CMTabStopChanged(Message); break;
    case CM_CONTROLCHANGE: CMControlChange(Message); break;
    case CM_CONTROLLISTCHANGE: CMControlListChange(Message); break;
    case CM_RELEASE: CMRelease(Message); break;
    case CM_INVALIDATE: CMInvalidate(Message); break;
    case CN_KEYDOWN: CNKeyDown(Message); break;
    case CN_KEYUP: CNKeyUp(Message); break;
    case CN_CHAR: CNChar(Message); break;
    case CN_SYSKEYDOWN: CNSysKeyDown(Message); break;
    case CN_SYSCHAR: CNSysChar(Message); break;
    default: DefaultHandler(Message); break;
    }
}

void TControl::DefaultHandler(TMessage &Message)
{
    switch (Message.Msg) {
    case WM_GETTEXT:
        if (Message.LParam)
            *reinterpret_cast<String *>(Message.LParam) = FText;
        Message.Result = FText.size();
        break;
    case WM_SETTEXT:
        SetText(Message.LParam ? *reinterpret_cast<const String *>(Message.LParam) : String());
        Message.Result = 1;
        break;
    case CM_HITTEST:
        Message.Result = HTCLIENT;
        break;
    default:
        break;
    }
}

// Mouse

TShiftState KeysToShiftState(WPARAM Keys)
{
    TShiftState shift = 0;
    if (Keys & MK_SHIFT)
        shift |= ssShift;
    if (Keys & MK_CONTROL)
        shift |= ssCtrl;
    if (Keys & MK_LBUTTON)
        shift |= ssLeft;
    if (Keys & MK_RBUTTON)
        shift |= ssRight;
    if (Keys & MK_MBUTTON)
        shift |= ssMiddle;
    if (CurrentShiftState() & ssAlt)
        shift |= ssAlt;
    return shift;
}

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    TShiftState shift = CurrentShiftState() & (ssShift | ssCtrl);
    if (KeyData & (1 << 29))
        shift |= ssAlt;
    return shift;
}

void TControl::MouseButtonMessage(TMessage &Message, TMouseButton Button, bool Down, bool Double)
{
    const int x = GET_X_LPARAM(Message.LParam);
    const int y = GET_Y_LPARAM(Message.LParam);
    TShiftState shift = KeysToShiftState(Message.WParam);
    if (Down) {
        if (FControlStyle & csCaptureMouse)
            SetMouseCapture(true);
        if (Button == mbLeft && (FControlStyle & csClickEvents) && !Double)
            FControlState |= csClicked;
        if (Double) {
            shift |= ssDouble;
            if (Button == mbLeft && (FControlStyle & csClickEvents))
                DblClick();
        }
        if (!(FControlStyle & csNoStdEvents))
            MouseDown(Button, shift, x, y);
        return;
    }
    if (FControlStyle & csCaptureMouse)
        SetMouseCapture(false);
    if (Button == mbLeft && (FControlState & csClicked)) {
        FControlState &= ~csClicked;
        if (PtInRect(ClientRect(), Point(x, y)))
            Click();
    }
    if (!(FControlStyle & csNoStdEvents))
        MouseUp(Button, shift, x, y);
}

void TControl::WMLButtonDown(TMessage &Message)
{
    DefaultHandler(Message);
    MouseButtonMessage(Message, mbLeft, true, false);
}

void TControl::WMLButtonDblClk(TMessage &Message)
{
    DefaultHandler(Message);
    MouseButtonMessage(Message, mbLeft, true, true);
}

void TControl::WMLButtonUp(TMessage &Message)
{
    DefaultHandler(Message);
    MouseButtonMessage(Message, mbLeft, false, false);
}

void TControl::WMRButtonDown(TMessage &Message)
{
    DefaultHandler(Message);
    MouseButtonMessage(Message, mbRight, true, false);
}

void TControl::WMRButtonDblClk(TMessage &Message)
{
    DefaultHandler(Message);
    MouseButtonMessage(Message, mbRight, true, true);
}

void TControl::WMRButtonUp(TMessage &Message)
{
    DefaultHandler(Message);
    MouseButtonMessage(Message, mbRight, false, false);
}

void TControl::WMMButtonDown(TMessage &Message)
{
    DefaultHandler(Message);
    MouseButtonMessage(Message, mbMiddle, true, false);
}

void TControl::WMMButtonDblClk(TMessage &Message)
{
    DefaultHandler(Message);
    MouseButtonMessage(Message, mbMiddle, true, true);
}

void TControl::WMMButtonUp(TMessage &Message)
{
    DefaultHandler(Message);
    MouseButtonMessage(Message, mbMiddle, false, false);
}

void TControl::WMMouseMove(TMessage &Message)
{
    DefaultHandler(Message);
    if (!(FControlStyle & csNoStdEvents))
        MouseMove(KeysToShiftState(Message.WParam), GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

// Painting and order

void TControl::Invalidate()
{
    if (FParent && FVisible)
        FParent->Invalidate();
}

void TControl::Update()
{
    if (FParent)
        FParent->Update();
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

bool TControl::InPaint() const
{
    for (const TControl *c = this; c; c = c->FParent)
        if (auto w = dynamic_cast<const TWinControl *>(c); w && w->FHandle)
            if (TWindowInfo *info = WindowInfo(w->FHandle); info && (info->PaintDC || info->PaintingWidget))
                return true;
    return false;
}

void TControl::SetZOrder(bool TopMost)
{
    if (!FParent)
        return;
    auto &list = FParent->FControls;
    std::erase(list, this);
    if (TopMost)
        list.push_back(this);
    else
        list.insert(list.begin(), this);
    Invalidate();
}

bool TControl::IsVisibleOnScreen() const
{
    for (const TControl *c = this; c; c = c->FParent)
        if (!c->FVisible)
            return false;
    return true;
}

void TControl::Changed()
{
    Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
}

void TControl::Loaded()
{
    TComponent::Loaded();
    if (FParent) {
        if (FParentColor)
            Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (FParentFont)
            Perform(CM_PARENTFONTCHANGED, 0, 0);
    }
    AdjustSize();
    RequestAlign();
}

// Message methods without framework handling beyond the default.

void TControl::WMPaint(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMEraseBkgnd(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMNCPaint(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMMove(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMSetFocus(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMKillFocus(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMKeyDown(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMKeyUp(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMChar(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMSysKeyDown(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMSysKeyUp(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMSysChar(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMGetDlgCode(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMMouseWheel(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMNCMouseMove(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMNCLButtonDown(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMNCLButtonUp(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMNCLButtonDblClk(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMSetCursor(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMContextMenu(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMCaptureChanged(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMShowWindow(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMActivate(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMClose(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMSysCommand(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMHScroll(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMVScroll(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMTimer(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMSetText(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMGetText(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMCreate(TMessage &Message) { DefaultHandler(Message); }
void TControl::WMDestroy(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMMouseEnter(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMMouseLeave(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMHitTest(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMDialogKey(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMDialogChar(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMWantSpecialKey(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMFocusChanged(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMEnter(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMExit(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMActivate(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMDeactivate(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMTabStopChanged(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMControlChange(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMControlListChange(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMRelease(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMShowHintChanged(TMessage &Message) { DefaultHandler(Message); }
void TControl::CMParentShowHintChanged(TMessage &Message) { DefaultHandler(Message); }
void TControl::CNKeyDown(TMessage &Message) { DefaultHandler(Message); }
void TControl::CNKeyUp(TMessage &Message) { DefaultHandler(Message); }
void TControl::CNChar(TMessage &Message) { DefaultHandler(Message); }
void TControl::CNSysKeyDown(TMessage &Message) { DefaultHandler(Message); }
void TControl::CNSysChar(TMessage &Message) { DefaultHandler(Message); }

void TControl::WMSize(TMessage &Message)
{
    DefaultHandler(Message);
    Resize();
}

void TControl::WMNCHitTest(TMessage &Message)
{
    DefaultHandler(Message);
    Message.Result = HTCLIENT;
}

void TControl::WMCancelMode(TMessage &Message)
{
    DefaultHandler(Message);
    if (MouseCapture())
        SetMouseCapture(false);
}

void TControl::CMCancelMode(TMessage &Message)
{
    DefaultHandler(Message);
    if (MouseCapture())
        SetMouseCapture(false);
}

void TControl::CMFontChanged(TMessage &Message)
{
    DefaultHandler(Message);
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage &Message)
{
    DefaultHandler(Message);
    if (FParentFont && FParent) {
        FInFontChange = true;
        FFont->Assign(FParent->Font());
        FInFontChange = false;
        FParentFont = true;
        Perform(CM_FONTCHANGED, 0, 0);
    }
}

void TControl::CMColorChanged(TMessage &Message)
{
    DefaultHandler(Message);
    Invalidate();
}

void TControl::CMParentColorChanged(TMessage &Message)
{
    DefaultHandler(Message);
    if (FParentColor && FParent) {
        FColor = FParent->Color();
        Perform(CM_COLORCHANGED, 0, 0);
        FParentColor = true;
    }
}

void TControl::CMTextChanged(TMessage &Message)
{
    DefaultHandler(Message);
    Invalidate();
}

void TControl::CMEnabledChanged(TMessage &Message)
{
    DefaultHandler(Message);
    Invalidate();
}

void TControl::CMVisibleChanged(TMessage &Message)
{
    DefaultHandler(Message);
    if (!FVisible)
        ForgetControl(this);
    if (FParent)
        FParent->Invalidate();
}

void TControl::CMShowingChanged(TMessage &Message)
{
    DefaultHandler(Message);
}

void TControl::CMCursorChanged(TMessage &Message)
{
    DefaultHandler(Message);
}

void TControl::CMChildKey(TMessage &Message)
{
    DefaultHandler(Message);
    if (Message.Result == 0 && FParent)
        Message.Result = FParent->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
}

void TControl::CMInvalidate(TMessage &Message)
{
    DefaultHandler(Message);
    Invalidate();
}

bool IsAccel(int VK, const String &Str)
{
    for (int i = 0; i + 1 < Str.size(); ++i) {
        if (Str[i] != QLatin1Char('&'))
            continue;
        ++i;
        if (Str[i] == QLatin1Char('&'))
            continue;
        return Str[i].toUpper() == QChar(VK).toUpper();
    }
    return false;
}

TCustomForm *GetParentForm(TControl *Control)
{
    if (!Control)
        return nullptr;
    while (Control->Parent())
        Control = Control->Parent();
    return dynamic_cast<TCustomForm *>(Control);
}
