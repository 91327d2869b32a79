#pragma once
// The side channel: a panel docked to the left or right edge of its parent
// that shows only a narrow bar while collapsed. Resting the pointer on the
// bar (or clicking it, by choice) slides it out to its full width with a
// title and a pin; it slides back in 500 ms after the pointer has left it,
// unless pinned. Controls are placed on it as on any panel.
#include "ExtCtrls.h"
#include "SUIThemes.h"
#include "SUITitleBar.h"

class TsuiButton;
class TSpeedButton;

// The edge to dock to: suiLeft or suiRight, the values the title bar's
// sections align by (suiClient docks left).
using TsuiSideChannelAlign = TsuiTitleBarAlign;
enum TsuiSideChannelPopupMode : uint8_t { suiMouseOn, suiMouseClick };

class TsuiSideChannel : public TCustomPanel {
public:
    explicit TsuiSideChannel(TComponent *AOwner);
    ~TsuiSideChannel() override;

    // The expanded width; at run time the control's width changes only by
    // sliding.
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TColor SideBarColor() const;
    void SetSideBarColor(TColor Value);
    int SideBarWidth() const;
    void SetSideBarWidth(int Value);
    String Caption() const { return FCaption; }
    void SetCaption(const String &Value);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment Value);
    TsuiSideChannelAlign Align() const { return FAlign; }
    void SetAlign(TsuiSideChannelAlign Value);
    // Pinned: stays open.
    bool StayOn() const { return FStayOn; }
    void SetStayOn(bool Value);
    TsuiSideChannelPopupMode PopupMode() const { return FPopupMode; }
    void SetPopupMode(TsuiSideChannelPopupMode Value) { FPopupMode = Value; }
    // Open and close at once, without sliding.
    bool QuickMove() const { return FQuickMove; }
    void SetQuickMove(bool Value) { FQuickMove = Value; }

    // Slides out to the expanded width (at once when Quick).
    void PopOut(bool Quick);
    // Slides in to the side bar's width (at once when Quick).
    void PushIn(bool Quick);
    // Expanded or sliding: the pin shows.
    bool IsOpen() const;

    TPanel *SideBar() const { return FSideBar; }
    TPanel *TitlePanel() const { return FTitlePanel; }
    TSpeedButton *PinButton() const { return FPinButton; }
    TsuiButton *BarButton() const { return FBarButton; }
    TTimer *HideTimer() const { return FHideTimer; }

    // The channel's own events; the control's framework resize events are
    // used inside.
    TNotifyEvent OnResize;
    TCanResizeEvent OnCanResize;
    TNotifyEvent OnPop;
    TNotifyEvent OnPush;

protected:
    void CMFontChanged(TMessage &Message) override;

private:
    void MouseHover(TObject *Sender, TShiftState Shift, int X, int Y);
    void BarClick(TObject *Sender);
    void PinClick(TObject *Sender);
    void HideCheck(TObject *Sender);
    void ChannelResize(TObject *Sender);
    void ChannelCanResize(TObject *Sender, int &NewWidth, int &NewHeight, bool &Resize);
    bool Designing() const { return ComponentState() & csDesigning; }

    TPanel *FSideBar = nullptr;
    TPanel *FTitlePanel = nullptr;
    TSpeedButton *FPinButton = nullptr;
    TsuiButton *FBarButton = nullptr;
    TTimer *FHideTimer = nullptr;
    int FWidth = 0;
    bool FSliding = false;
    String FCaption;
    TsuiSideChannelAlign FAlign = suiLeft;
    bool FStayOn = false;
    TsuiSideChannelPopupMode FPopupMode = suiMouseOn;
    bool FQuickMove = false;
};
