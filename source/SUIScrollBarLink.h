#pragma once
// Skinned scroll bars linked to a control with native scroll bars (a list
// box, a memo). A linked bar is laid over the control's native bar, follows
// the native scroll state after every message that can change it, and
// scrolls the control by sending it WM_VSCROLL / WM_HSCROLL. The control
// owns one link object (TsuiScrollLinked below adds it to a control class).
#include "ExtCtrls.h"
#include "SUIScrollBar.h"

#include <functional>
#include <memory>

// Which control the bars are linked to: the list box hides its linked bar
// while the native one cannot scroll, the memo keeps it visible without a
// thumb; the two also differ in placement and in the messages they follow.
enum class TScrollLinkKind { ListBox, Memo };

class TsuiScrollBarLink {
public:
    TsuiScrollBarLink(TWinControl *Control, TScrollLinkKind Kind);
    // Releases the linked bars, so they never call into a control that is gone.
    ~TsuiScrollBarLink();
    TsuiScrollBarLink(const TsuiScrollBarLink &) = delete;
    TsuiScrollBarLink &operator=(const TsuiScrollBarLink &) = delete;

    TsuiScrollBar *VScrollBar() const { return FVScrollBar; }
    void SetVScrollBar(TsuiScrollBar *Value);
    TsuiScrollBar *HScrollBar() const { return FHScrollBar; }
    void SetHScrollBar(TsuiScrollBar *Value);

    // Runs when the links changed, before placement: the memo switches its
    // native scroll bars to the links present.
    std::function<void()> OnLinksChanged;

    // Lays the linked bars over the control's edges, then synchronises.
    void PlaceScrollBars();
    // Copies the native scroll state into the linked bars.
    void UpdateScrollBars();
    // What the control does after its own handling of Message: placement,
    // synchronisation, or keeping track of the left button.
    void Handled(const TMessage &Message);
    // The owner's removal notification: a destroyed bar is unlinked.
    void Notification(TComponent *AComponent, TOperation Operation);

private:
    void SetScrollBar(TsuiScrollBar *&Link, TsuiScrollBar *Value, TsuiProgressBarOrientation Orientation);
    void Release(TsuiScrollBar *Bar);
    void UpdateScrollBar(TsuiScrollBar *Bar, long IdObject, int BarKind);
    // The linked bar moved: the control scrolls to its position.
    void ScrollChange(TsuiScrollBar *Bar, UINT Msg);
    bool Synchronises(UINT Msg) const;

    TWinControl *FControl;
    TScrollLinkKind FKind;
    // True between WM_LBUTTONDOWN and WM_LBUTTONUP on the control.
    bool FLButtonDown = false;
    TsuiScrollBar *FVScrollBar = nullptr;
    TsuiScrollBar *FHScrollBar = nullptr;
    // True while the native state is copied into the bars.
    bool FUpdating = false;
    // Synchronises once after the control painted: the native control lays
    // out its content (and so its scroll range) when it first paints it.
    std::unique_ptr<TTimer> FPaintedTimer;
};

// A control with linked scroll bars: every message, after the control's own
// handling, and every removal notification go to its link.
template <class Base, TScrollLinkKind Kind>
class TsuiScrollLinked : public Base {
public:
    using Base::Base;

protected:
    void WndProc(TMessage &Message) override
    {
        Base::WndProc(Message);
        FLink.Handled(Message);
    }
    void Notification(TComponent *AComponent, TOperation Operation) override
    {
        Base::Notification(AComponent, Operation);
        FLink.Notification(AComponent, Operation);
    }

    TsuiScrollBarLink FLink{this, Kind};
};
