#include "SUIScrollBarLink.h"

#include "WindowsScroll.h"

#include <cstdlib>

namespace {
// Sets a flag for the length of a scope.
struct TFlagScope {
    bool &Flag;
    explicit TFlagScope(bool &AFlag) : Flag(AFlag) { Flag = true; }
    ~TFlagScope() { Flag = false; }
};
}

TsuiScrollBarLink::TsuiScrollBarLink(TWinControl *Control, TScrollLinkKind Kind)
    : FControl(Control), FKind(Kind), FPaintedTimer(std::make_unique<TTimer>(nullptr))
{
    FPaintedTimer->SetEnabled(false);
    FPaintedTimer->SetInterval(1);
    FPaintedTimer->OnTimer = [this](TObject *) {
        FPaintedTimer->SetEnabled(false);
        UpdateScrollBars();
    };
}

TsuiScrollBarLink::~TsuiScrollBarLink()
{
    for (TsuiScrollBar *bar : {FVScrollBar, FHScrollBar})
        if (bar) {
            bar->SetOnChange(nullptr);
            bar->RemoveFreeNotification(FControl);
        }
}

void TsuiScrollBarLink::SetVScrollBar(TsuiScrollBar *Value)
{
    SetScrollBar(FVScrollBar, Value, suiVertical);
}

void TsuiScrollBarLink::SetHScrollBar(TsuiScrollBar *Value)
{
    SetScrollBar(FHScrollBar, Value, suiHorizontal);
}

void TsuiScrollBarLink::SetScrollBar(TsuiScrollBar *&Link, TsuiScrollBar *Value, TsuiProgressBarOrientation Orientation)
{
    if (Value == Link)
        return;
    TsuiScrollBar *old = Link;
    Link = Value;
    if (old)
        Release(old);
    if (!Value) {
        if (OnLinksChanged)
            OnLinksChanged();
        return;
    }
    Value->SetOrientation(Orientation);
    const UINT msg = Orientation == suiVertical ? WM_VSCROLL : WM_HSCROLL;
    Value->SetOnChange([this, Value, msg](TObject *) { ScrollChange(Value, msg); });
    Value->BringToFront();
    // A bar of another owner clears its link too when it goes.
    Value->FreeNotification(FControl);
    if (OnLinksChanged)
        OnLinksChanged();
    PlaceScrollBars();
}

void TsuiScrollBarLink::Release(TsuiScrollBar *Bar)
{
    Bar->SetOnChange(nullptr);
    Bar->SetLineButton(0);
    Bar->SetMax(100);
    Bar->SetEnabled(true);
    if (Bar != FVScrollBar && Bar != FHScrollBar)
        Bar->RemoveFreeNotification(FControl);
}

void TsuiScrollBarLink::PlaceScrollBars()
{
    const int L = FControl->Left();
    const int T = FControl->Top();
    const int W = FControl->Width();
    const int H = FControl->Height();
    if (FKind == TScrollLinkKind::ListBox) {
        if (FVScrollBar)
            FVScrollBar->SetBounds(L + W - FVScrollBar->Width() - 2, T + 1, FVScrollBar->Width(), H - 2);
    } else {
        if (FHScrollBar) {
            const int width = FVScrollBar ? W - FVScrollBar->Width() - 1 : W - 1;
            FHScrollBar->SetBounds(L + 1, T + H - FHScrollBar->Height() - 2, width, FHScrollBar->Height());
        }
        if (FVScrollBar) {
            const int height = FHScrollBar ? H - FHScrollBar->Height() - 1 : H - 1;
            FVScrollBar->SetBounds(L + W - FVScrollBar->Width() - 2, T + 1, FVScrollBar->Width(), height);
        }
    }
    UpdateScrollBars();
}

void TsuiScrollBarLink::UpdateScrollBars()
{
    if (!FVScrollBar && !FHScrollBar)
        return;
    // Without a window, and without a parent to make one in, there is no native state yet.
    if ((FControl->ComponentState() & csDestroying) || (!FControl->HandleAllocated() && !FControl->Parent()))
        return;
    TFlagScope updating(FUpdating);
    if (FHScrollBar)
        UpdateScrollBar(FHScrollBar, OBJID_HSCROLL, SB_HORZ);
    if (FVScrollBar)
        UpdateScrollBar(FVScrollBar, OBJID_VSCROLL, SB_VERT);
}

void TsuiScrollBarLink::UpdateScrollBar(TsuiScrollBar *Bar, long IdObject, int BarKind)
{
    HWND wnd = FControl->Handle();
    TScrollBarInfo barInfo;
    if (!GetScrollBarInfo(wnd, IdObject, &barInfo))
        return;
    const DWORD state = barInfo.rgstate[0];
    const bool usable = state != STATE_SYSTEM_INVISIBLE && state != STATE_SYSTEM_UNAVAILABLE;
    Bar->SetLineButton(usable ? std::abs(barInfo.xyThumbBottom - barInfo.xyThumbTop) : 0);
    Bar->SetEnabled(usable);
    if (FKind == TScrollLinkKind::ListBox)
        Bar->SetVisible(usable);
    else
        Bar->SetThumbVisible(usable);

    TScrollInfo info;
    info.fMask = SIF_ALL;
    if (!GetScrollInfo(wnd, BarKind, &info))
        return;
    Bar->SetMax(info.nMax - static_cast<int>(info.nPage) + 1);
    Bar->SetMin(info.nMin);
    Bar->SetPosition(info.nPos);
}

void TsuiScrollBarLink::ScrollChange(TsuiScrollBar *Bar, UINT Msg)
{
    if (FUpdating)
        return;
    FControl->Perform(Msg, MAKEWPARAM(SB_THUMBPOSITION, Bar->Position()), 0);
    FControl->Invalidate();
}

bool TsuiScrollBarLink::Synchronises(UINT Msg) const
{
    switch (Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_KEYDOWN:
    // Typed characters reach the native control after their key: typing
    // (a line break, a list's incremental search) scrolls there.
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case CM_ENABLEDCHANGED:
        return true;
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_SETCOUNT:
    case WM_DELETEITEM:
    case WM_CREATE:
        return FKind == TScrollLinkKind::ListBox;
    case WM_SETTEXT:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
        return FKind == TScrollLinkKind::Memo;
    default:
        return false;
    }
}

void TsuiScrollBarLink::Handled(const TMessage &Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_MOVE:
        PlaceScrollBars();
        return;
    case WM_LBUTTONDOWN:
        FLButtonDown = true;
        UpdateScrollBars();
        return;
    case WM_MOUSEMOVE:
        if (FLButtonDown)
            UpdateScrollBars();
        return;
    case WM_LBUTTONUP:
        FLButtonDown = false;
        return;
    case WM_PAINT:
        if (FVScrollBar || FHScrollBar)
            FPaintedTimer->SetEnabled(true);
        return;
    default:
        if (Synchronises(Message.Msg))
            UpdateScrollBars();
        return;
    }
}

void TsuiScrollBarLink::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation != opRemove)
        return;
    if (AComponent == FVScrollBar)
        FVScrollBar = nullptr;
    if (AComponent == FHScrollBar)
        FHScrollBar = nullptr;
}
