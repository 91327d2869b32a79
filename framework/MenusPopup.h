#pragma once
// The drop-down windows of menus and the tracking that runs a chain of them:
// the pointer selects and opens sub-menus, the keyboard moves through the
// items, a click outside closes them, and a chosen item's Click runs once
// they have closed. One chain is open at a time; opening another closes it.
#include "Controls.h"
#include "Menus.h"

#include <QTimer>

#include <vector>

class TMenuTracker;

// What the one who opened a drop-down (a pop-up menu, a tool bar's menu
// button) hears while it is open. Every hook is optional.
struct TMenuTrackHooks {
    // The pointer moved (Press false) or was pressed outside every drop-down
    // window, at a screen point. True when the opener took it (it switched to
    // another menu or closed this one); a press nobody takes closes the chain.
    std::function<bool(const TPoint &Screen, bool Press)> OutsideMouse;
    // Left (-1) or Right (+1) on the first drop-down, where no sub-menu opens
    // or closes. True when the opener moved to a neighbouring menu.
    std::function<bool(int Direction)> Navigate;
    // The chain closed, whatever the reason.
    std::function<void()> Closed;
};

// Opens the drop-down of Item's sub-items at the screen point Pos (its left
// edge, or right edge or centre by Alignment; moved to stay within the work
// area) and returns at once. With SelectFirst the first item is selected, as
// when a menu is opened by the keyboard.
void TrackMenu(TMenuItem *Item, const TPoint &Pos, TPopupAlignment Alignment, TMenuTrackHooks Hooks,
               bool SelectFirst = false);
// Closes the open chain, if any, without choosing.
void CloseMenus();
// The drop-down windows open now, the first level first.
std::vector<class TMenuWindow *> OpenMenuWindows();
// An item is going away: a chain that shows it closes.
void ForgetMenuItem(TMenuItem *Item);

// A drop-down window: the visible sub-items of one item, stacked from the
// top, each as high as it measured and all as wide as the widest, inside a
// three-pixel frame.
class TMenuWindow : public TCustomControl {
public:
    TMenuWindow(TMenuTracker *Tracker, TMenuItem *Item, int Level);
    ~TMenuWindow() override;

    TMenuItem *Item() const { return FItem; }
    int Level() const { return FLevel; }
    // Client rectangle of sub-item Index; empty for a hidden item.
    TRect ItemRect(int Index) const;
    // The sub-item under a client point, -1 for none.
    int ItemAtPos(const TPoint &Pos) const;
    int Selected() const { return FSelected; }
    void SetSelected(int Index);
    // The next visible item that is not a separator, from Index in Step
    // direction, wrapping; -1 when there is none.
    int NextSelectable(int Index, int Step) const;

    // Measures the items and sizes the window for them.
    void Layout();

protected:
    void Paint() override;
    void WMNCPaint(TMessage &Message) override;
    void WMNCHitTest(TMessage &Message) override;
    void WMGetDlgCode(TMessage &Message) override;
    void WMMouseMove(TMessage &Message) override;
    void WMLButtonDown(TMessage &Message) override;
    void WMLButtonUp(TMessage &Message) override;
    void WMLButtonDblClk(TMessage &Message) override;
    void WMRButtonDown(TMessage &Message) override;
    void WMRButtonUp(TMessage &Message) override;
    void WMKeyDown(TMessage &Message) override;
    void WMSysKeyDown(TMessage &Message) override;
    void WMChar(TMessage &Message) override;
    void WMClose(TMessage &Message) override;
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override;

private:
    TPoint ScreenPoint(const TMessage &Message) const;

    TMenuTracker *FTracker;
    TMenuItem *FItem;
    int FLevel;
    std::vector<TRect> FRects;
    int FSelected = -1;
};

// The state of one open chain of drop-down windows.
class TMenuTracker {
public:
    TMenuTracker(TMenuTrackHooks Hooks);
    ~TMenuTracker();

    // Opens the first level.
    void Open(TMenuItem *Item, const TPoint &Pos, TPopupAlignment Alignment, bool SelectFirst);
    // Closes every window; with a chosen item, runs its Click afterwards.
    void Close(TMenuItem *Chosen);
    bool Shows(const TMenuItem *Item) const;
    const std::vector<TMenuWindow *> &Windows() const { return FWindows; }

    // Input from the windows, in screen coordinates.
    void MouseMove(const TPoint &Screen);
    void MouseDown(const TPoint &Screen);
    void MouseUp(const TPoint &Screen);
    void KeyDown(int Key);
    void Char(QChar Key);

private:
    TMenuWindow *WindowAt(const TPoint &Screen) const;
    // Opens the sub-menu of the selected item of the window at Level.
    void OpenSubMenu(int Level, bool SelectFirst);
    // Closes the windows deeper than Level.
    void CloseAbove(int Level);
    // Acts on item Index of the deepest window as Enter would.
    void Activate(TMenuWindow *Window, int Index, bool SelectFirst);
    void HoverTimeout();

    TMenuTrackHooks FHooks;
    std::vector<TMenuWindow *> FWindows;
    QTimer FHoverTimer;
    TMenuWindow *FHoverWindow = nullptr;
    bool FClosed = false;
    // Where the pointer was when the chain opened; a release chooses only
    // after a press in a drop-down or a move onto one from there.
    TPoint FOpenedAt;
    bool FReleaseChooses = false;
};
