#pragma once
// Controls: the visual component classes. A TControl has bounds inside its
// Parent and handles messages; a TWinControl also owns a window (its handle,
// a QWidget) and holds child controls; TGraphicControl paints on its parent's
// window; TCustomControl is a windowed control that paints itself.
//
// Messages. Perform(Msg, WParam, LParam) calls WindowProc, which is WndProc
// unless someone replaced it (keep the old value and call it to chain).
// WndProc hands the message to Dispatch, which calls the virtual message
// method named after it (WMPaint, CMMouseEnter, ...); a message without a
// method goes to DefaultHandler. Qt's events reach a control the same way:
// the handle turns them into WM_* messages (mouse coordinates in client
// pixels, keys as virtual-key codes).
//
// Windows. HandleNeeded() creates the window through CreateWindowHandle(),
// which by default makes the framework's host widget: it paints by sending
// WM_NCPAINT (for the BorderWidth margin), WM_ERASEBKGND and WM_PAINT, then
// lets the graphic children paint in z-order. A control that shows a Qt
// widget's own content (a tree, a list, an editor) overrides
// CreateWindowHandle to return that widget; the framework hooks it so its
// events pass through the control's messages, and DefaultHandler hands the
// event back to the Qt widget. A WMPaint override therefore calls the
// inherited WMPaint (the Qt widget paints) and then draws over it with
// GetWindowDC(Handle()). Call HookWidget on further widgets whose painting
// should pass through WM_PAINT (a scroll area's viewport).
//
// Painting into a given canvas. WM_ERASEBKGND and WM_PAINT sent with a
// TCanvas* in WParam paint into that canvas at its origin instead of into the
// window.
#include "Classes.h"
#include "Graphics.h"
#include "Messages.h"
#include "Windows.h"

#include <memory>
#include <vector>

class QWidget;
class QEvent;
class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;

// An operation the control cannot do in its state (no parent window).
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

enum TControlStyleFlag : unsigned {
    csAcceptsControls = 0x1,
    csCaptureMouse = 0x2,
    csDesignInteractive = 0x4,
    csClickEvents = 0x8,
    csFramed = 0x10,
    csSetCaption = 0x20,
    csOpaque = 0x40,
    csDoubleClicks = 0x80,
    csFixedWidth = 0x100,
    csFixedHeight = 0x200,
    csNoDesignVisible = 0x400,
    csReplicatable = 0x800,
    csNoStdEvents = 0x1000,
    csDisplayDragImage = 0x2000,
    csReflector = 0x4000,
    csActionClient = 0x8000,
    csMenuEvents = 0x10000,
};
using TControlStyle = unsigned;

enum TControlStateFlag : unsigned {
    csLButtonDown = 0x1,
    csClicked = 0x2,
    csPalette = 0x4,
    csReadingState = 0x8,
    csAlignmentNeeded = 0x10,
    csFocusing = 0x20,
    csCreating = 0x40,
    csPaintCopy = 0x80,
    csCustomPaint = 0x100,
    csDestroyingHandle = 0x200,
};
using TControlState = unsigned;

// Mouse cursors: 0 the default, negative the standard shapes.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TCaption = String;

using TMouseEvent = std::function<void(TObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject *Sender, TShiftState Shift, int X, int Y)>;
// Setting Key to 0 consumes the key.
using TKeyEvent = std::function<void(TObject *Sender, int &Key, TShiftState Shift)>;
// Setting Key to 0 consumes the character.
using TKeyPressEvent = std::function<void(TObject *Sender, QChar &Key)>;
using TCanResizeEvent = std::function<void(TObject *Sender, int &NewWidth, int &NewHeight, bool &Resize)>;
using TWndMethod = std::function<void(TMessage &Message)>;

// Limits on a control's size; 0 means no limit. A change re-applies them.
class TSizeConstraints : public TPersistent {
public:
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value);
    int MinHeight() const { return FMinHeight; }
    void SetMinHeight(int Value);
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value);
    int MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(int Value);
    void Assign(const TPersistent *Source) override;

    TNotifyEvent OnChange;

private:
    void Change();
    int FMinWidth = 0;
    int FMinHeight = 0;
    int FMaxWidth = 0;
    int FMaxHeight = 0;
};

// A canvas on a control's window. Outside painting it opens on the window's
// surface (client area, or the whole window for a window DC); while the
// control paints it draws through the paint DC.
class TControlCanvas : public TCanvas {
public:
    TControlCanvas(TControl *AControl, bool AWindowDC);
    ~TControlCanvas() override;
    TControl *Control() const { return FControl; }
    // Draws through DC's painter (DC's origin and clip) until SetDC(nullptr).
    void SetDC(TCanvas *DC);

protected:
    void CreateHandle() override;

private:
    TControl *FControl;
    bool FWindowDC;
};

class TControl : public TComponent {
public:
    explicit TControl(TComponent *AOwner);
    ~TControl() override;

    // A control whose caption still is its name (csSetCaption) takes the
    // new name as caption too.
    void SetName(const String &Value) override;

    TWinControl *Parent() const { return FParent; }
    virtual void SetParent(TWinControl *AParent);

    // Bounds, in the parent's client coordinates.
    int Left() const { return FLeft; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    int Top() const { return FTop; }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    int Width() const { return FWidth; }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    int Height() const { return FHeight; }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Applies the constraints and CanResize, moves the window, realigns the
    // parent and sends WM_SIZE / WM_MOVE when something changed.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect &Rect) { SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); }
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    void SetClientWidth(int Value);
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientHeight(int Value);
    // Screen position of the client area's top-left pixel.
    virtual TPoint ClientOrigin() const;
    TPoint ScreenToClient(const TPoint &Point) const;
    TPoint ClientToScreen(const TPoint &Point) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value) { FAnchors = Value; }
    TSizeConstraints *Constraints() const { return FConstraints.get(); }
    void SetConstraints(const TSizeConstraints *Value) { FConstraints->Assign(Value); }
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont *Font() const { return FFont.get(); }
    void SetFont(const TFont *Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    TCaption Caption() const { return FText; }
    void SetCaption(const TCaption &Value) { SetText(Value); }
    // Stores the text and sends CM_TEXTCHANGED when it changed.
    String Text() const { return FText; }
    void SetText(const String &Value);
    String Hint() const { return FHint; }
    void SetHint(const String &Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value) { FParentShowHint = Value; }
    // Whether the hint shows: the parent's say while ParentShowHint is set.
    bool ShowsHint() const;
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TPopupMenu *PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu *Value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    // The control holds the mouse: it gets every move and the release, also
    // outside its bounds (SetCaptureControl).
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    // Messages.
    LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    TWndMethod WindowProc;
    virtual void WndProc(TMessage &Message);
    virtual void Dispatch(TMessage &Message);
    virtual void DefaultHandler(TMessage &Message);

    // Painting.
    virtual void Invalidate();
    // Paints at once what is invalid.
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }

    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }
    virtual void SetZOrder(bool TopMost);

    // Visible and all parents visible (and windowed parents shown).
    bool IsVisibleOnScreen() const;
    // True while this control or one of its parents has no window.
    bool HasParent() const { return FParent != nullptr; }

    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;

    void Loaded() override;

protected:
    // The mouse, in client coordinates.
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void Resize();
    // A size change may be refused or adjusted (OnCanResize).
    virtual bool CanResize(int &NewWidth, int &NewHeight);
    // The size an auto-sized control wants; false keeps the current size.
    virtual bool CanAutoSize(int &NewWidth, int &NewHeight);
    // Resizes an auto-sized control to what CanAutoSize says.
    virtual void AdjustSize();
    void RequestAlign();
    void Changed();
    // Moves the window (if any) to the current bounds.
    virtual void UpdateBoundsRect();
    virtual void VisibleChanged();
    // Sets the bounds without constraints, alignment or messages.
    void SetBoundsNoAlign(int ALeft, int ATop, int AWidth, int AHeight);
    bool InPaint() const;

    // Message methods, named after their messages. The default of each is
    // the framework's own handling (DefaultHandler where it has none).
    virtual void WMPaint(TMessage &Message);
    virtual void WMEraseBkgnd(TMessage &Message);
    virtual void WMNCPaint(TMessage &Message);
    virtual void WMSize(TMessage &Message);
    virtual void WMMove(TMessage &Message);
    virtual void WMNCHitTest(TMessage &Message);
    virtual void WMSetFocus(TMessage &Message);
    virtual void WMKillFocus(TMessage &Message);
    virtual void WMKeyDown(TMessage &Message);
    virtual void WMKeyUp(TMessage &Message);
    virtual void WMChar(TMessage &Message);
    virtual void WMSysKeyDown(TMessage &Message);
    virtual void WMSysKeyUp(TMessage &Message);
    virtual void WMSysChar(TMessage &Message);
    virtual void WMGetDlgCode(TMessage &Message);
    virtual void WMMouseMove(TMessage &Message);
    virtual void WMLButtonDown(TMessage &Message);
    virtual void WMLButtonUp(TMessage &Message);
    virtual void WMLButtonDblClk(TMessage &Message);
    virtual void WMRButtonDown(TMessage &Message);
    virtual void WMRButtonUp(TMessage &Message);
    virtual void WMRButtonDblClk(TMessage &Message);
    virtual void WMMButtonDown(TMessage &Message);
    virtual void WMMButtonUp(TMessage &Message);
    virtual void WMMButtonDblClk(TMessage &Message);
    virtual void WMMouseWheel(TMessage &Message);
    virtual void WMNCMouseMove(TMessage &Message);
    virtual void WMNCLButtonDown(TMessage &Message);
    virtual void WMNCLButtonUp(TMessage &Message);
    virtual void WMNCLButtonDblClk(TMessage &Message);
    virtual void WMSetCursor(TMessage &Message);
    virtual void WMContextMenu(TMessage &Message);
    virtual void WMCaptureChanged(TMessage &Message);
    virtual void WMCancelMode(TMessage &Message);
    virtual void WMShowWindow(TMessage &Message);
    virtual void WMActivate(TMessage &Message);
    virtual void WMClose(TMessage &Message);
    virtual void WMSysCommand(TMessage &Message);
    virtual void WMHScroll(TMessage &Message);
    virtual void WMVScroll(TMessage &Message);
    virtual void WMTimer(TMessage &Message);
    virtual void WMSetText(TMessage &Message);
    virtual void WMGetText(TMessage &Message);
    virtual void WMCreate(TMessage &Message);
    virtual void WMDestroy(TMessage &Message);
    virtual void CMMouseEnter(TMessage &Message);
    virtual void CMMouseLeave(TMessage &Message);
    virtual void CMHitTest(TMessage &Message);
    virtual void CMFontChanged(TMessage &Message);
    virtual void CMParentFontChanged(TMessage &Message);
    virtual void CMColorChanged(TMessage &Message);
    virtual void CMParentColorChanged(TMessage &Message);
    virtual void CMTextChanged(TMessage &Message);
    virtual void CMEnabledChanged(TMessage &Message);
    virtual void CMVisibleChanged(TMessage &Message);
    virtual void CMShowingChanged(TMessage &Message);
    virtual void CMCursorChanged(TMessage &Message);
    virtual void CMShowHintChanged(TMessage &Message);
    virtual void CMParentShowHintChanged(TMessage &Message);
    virtual void CMDialogKey(TMessage &Message);
    virtual void CMDialogChar(TMessage &Message);
    virtual void CMWantSpecialKey(TMessage &Message);
    virtual void CMChildKey(TMessage &Message);
    virtual void CMFocusChanged(TMessage &Message);
    virtual void CMEnter(TMessage &Message);
    virtual void CMExit(TMessage &Message);
    virtual void CMActivate(TMessage &Message);
    virtual void CMDeactivate(TMessage &Message);
    virtual void CMCancelMode(TMessage &Message);
    virtual void CMTabStopChanged(TMessage &Message);
    virtual void CMControlChange(TMessage &Message);
    virtual void CMControlListChange(TMessage &Message);
    virtual void CMRelease(TMessage &Message);
    virtual void CMInvalidate(TMessage &Message);
    virtual void CNKeyDown(TMessage &Message);
    virtual void CNKeyUp(TMessage &Message);
    virtual void CNChar(TMessage &Message);
    virtual void CNSysKeyDown(TMessage &Message);
    virtual void CNSysChar(TMessage &Message);

private:
    friend class TWinControl;
    friend class TControlCanvas;
    friend class TCustomForm;
    void MouseButtonMessage(TMessage &Message, TMouseButton Button, bool Down, bool Double);
    void FontChanged(TObject *Sender);
    void ApplyConstraints(int &W, int &H) const;

    TWinControl *FParent = nullptr;
    int FLeft = 0;
    int FTop = 0;
    int FWidth = 0;
    int FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors = akLeft | akTop;
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FAutoSize = false;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    String FText;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu *FPopupMenu = nullptr;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
    TControlState FControlState = 0;
    bool FInFontChange = false;
};

// Whether Str's accelerator ("&P") is the key VK.
bool IsAccel(int VK, const String &Str);
TShiftState KeysToShiftState(WPARAM Keys);
TShiftState KeyDataToShiftState(LPARAM KeyData);

// The control that holds the mouse; graphic controls hold it through their
// parent's window.
TControl *GetCaptureControl();
void SetCaptureControl(TControl *Control);
// The control under the mouse as the framework tracks it for
// CM_MOUSEENTER / CM_MOUSELEAVE.
TControl *GetMouseControl();

// The windowed control of a window, or nullptr.
TWinControl *FindControl(HWND Handle);
// The visible control (windowed or not) under a screen position.
TControl *FindDragTarget(const TPoint &Pos, bool AllowDisabled);
// The form a control sits on (its topmost parent, when that is a form).
TCustomForm *GetParentForm(TControl *Control);

using TTabOrder = int;

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent *AOwner);
    ~TWinControl() override;

    // The window, created when first asked for. For a control without a
    // parent the window is top-level.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // Destroys the window; it is made again on the next need.
    void DestroyHandle();
    // A top-level window owned by another (the window of a form without parent).
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND Value);

    // Child controls, in the order they were inserted.
    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl *Controls(int Index) const;
    void InsertControl(TControl *AControl);
    void RemoveControl(TControl *AControl);
    bool ContainsControl(const TControl *Control) const;
    // The topmost visible child control at Pos (client coordinates).
    TControl *ControlAtPos(const TPoint &Pos, bool AllowDisabled, bool AllowWinControls = false) const;
    // Sends Message to every child control until one answers non-zero.
    void Broadcast(TMessage &Message);
    // Child controls by z-order (the last is on top).
    void DisableAlign();
    void EnableAlign();
    void Realign();
    void ScrollBy(int DeltaX, int DeltaY);

    TTabOrder TabOrder() const;
    void SetTabOrder(TTabOrder Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    // The windowed children in tab order, descending into containers.
    void GetTabOrderList(std::vector<TWinControl *> &List) const;
    // The next (or previous) control after CurControl that can take the
    // focus, or nullptr.
    TWinControl *FindNextControl(TWinControl *CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
    void SelectNext(TWinControl *CurControl, bool GoForward, bool CheckTabStop);

    virtual bool CanFocus() const;
    virtual void SetFocus();
    virtual bool Focused() const;
    bool Showing() const;

    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int Value);
    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    bool ParentBackground() const { return FParentBackground; }
    void SetParentBackground(bool Value) { FParentBackground = Value; }

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void SetZOrder(bool TopMost) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // Paints the non-client margin, the background, the control and its
    // graphic children into DC (the window's paint DC when painting).
    void PaintTo(TCanvas *DC, int X, int Y);

    // Hooks a Qt widget so its events pass through this control's messages.
    void HookWidget(QWidget *Widget);

protected:
    // Makes the window; ParentWidget is nullptr for a top-level window.
    virtual QWidget *CreateWindowHandle(QWidget *ParentWidget);
    // After the window exists (sent WM_CREATE).
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Dialog keys and characters go to the form: CN_KEYDOWN / CN_CHAR.
    virtual void KeyDown(int &Key, TShiftState Shift);
    virtual void KeyUp(int &Key, TShiftState Shift);
    virtual void KeyPress(QChar &Key);
    bool DoKeyDown(TMessage &Message);
    bool DoKeyUp(TMessage &Message);
    bool DoKeyPress(TMessage &Message);
    virtual void DoEnter();
    virtual void DoExit();
    // Lays out the aligned children within Rect (the client area).
    virtual void AlignControls(TControl *AControl, TRect &Rect);
    virtual void AdjustClientRect(TRect &Rect);
    // Paints the control itself into DC (WM_PAINT's default handling).
    virtual void PaintWindow(TCanvas *DC);
    void PaintHandler(TMessage &Message);
    void PaintControls(TCanvas *DC, TControl *First);
    void UpdateBoundsRect() override;
    // Takes the bounds from the window after Qt moved or resized it;
    // StateChanged also reports a window state change as WM_SIZE.
    virtual void UpdateBounds(bool StateChanged);
    void VisibleChanged() override;

    void WndProc(TMessage &Message) override;
    void DefaultHandler(TMessage &Message) override;
    void WMPaint(TMessage &Message) override;
    void WMEraseBkgnd(TMessage &Message) override;
    void WMNCPaint(TMessage &Message) override;
    void WMNCHitTest(TMessage &Message) override;
    void WMSetFocus(TMessage &Message) override;
    void WMKillFocus(TMessage &Message) override;
    void WMKeyDown(TMessage &Message) override;
    void WMKeyUp(TMessage &Message) override;
    void WMChar(TMessage &Message) override;
    void WMSysKeyDown(TMessage &Message) override;
    void WMSysChar(TMessage &Message) override;
    void WMSize(TMessage &Message) override;
    void WMNCLButtonDown(TMessage &Message) override;
    void CMDialogKey(TMessage &Message) override;
    void CMDialogChar(TMessage &Message) override;
    void CMFocusChanged(TMessage &Message) override;
    void CMEnter(TMessage &Message) override;
    void CMExit(TMessage &Message) override;
    void CMEnabledChanged(TMessage &Message) override;
    void CMShowingChanged(TMessage &Message) override;
    void CMColorChanged(TMessage &Message) override;
    void CMFontChanged(TMessage &Message) override;
    void CMCursorChanged(TMessage &Message) override;
    void CMTextChanged(TMessage &Message) override;
    void CMVisibleChanged(TMessage &Message) override;
    void CNKeyDown(TMessage &Message) override;
    void CNChar(TMessage &Message) override;
    void CNSysKeyDown(TMessage &Message) override;
    void CNSysChar(TMessage &Message) override;

private:
    friend class TControl;
    friend class TControlCanvas;
    friend class THostWidget;
    friend class TWidgetHook;
    friend class TCustomForm;
    void Insert(TControl *AControl);
    void Remove(TControl *AControl);
    void AlignControl(TControl *AControl);
    void UpdateShowing();
    friend bool RouteEvent(QWidget *Widget, QEvent *Event);
    QWidget *ParentWidgetForHandle();

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    std::vector<TControl *> FControls;
    std::vector<TWinControl *> FTabList;
    bool FTabStop = false;
    int FBorderWidth = 0;
    bool FDoubleBuffered = false;
    bool FParentBackground = false;
    int FAlignLevel = 0;
    bool FAligning = false;
};

// Device contexts of a window: GetDC covers the client area, GetWindowDC the
// whole window with its BorderWidth margin. Give them back with ReleaseDC.
HDC GetDC(HWND Wnd);
HDC GetWindowDC(HWND Wnd);
int ReleaseDC(HWND Wnd, HDC DC);

// A windowed control that paints itself: override Paint and draw on Canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent *AOwner);
    ~TCustomControl() override;
    TCanvas *Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint();
    void PaintWindow(TCanvas *DC) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// A control without a window: it paints on its parent's window when the
// parent paints, and gets its mouse messages through the parent.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent *AOwner);
    ~TGraphicControl() override;
    TCanvas *Canvas() const { return FCanvas.get(); }

protected:
    virtual void Paint();
    void WMPaint(TMessage &Message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
