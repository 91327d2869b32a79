#pragma once
// Extra controls: the timer, panels and the 3D frame they draw.
#include "Controls.h"
#include "Forms.h"

class QTimer;

// Fires OnTimer every Interval milliseconds while Enabled. Ticks come from
// the event loop, also while a modal box is up.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent *AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned Value);
    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    void UpdateTimer();
    QTimer *FTimer;
    bool FEnabled = true;
    unsigned FInterval = 1000;
};

// Draws Width nested one-pixel frames, TopColor on the top and left edges
// and BottomColor on the bottom and right ones, and shrinks Rect by Width.
void Frame3D(TCanvas *Canvas, TRect &Rect, TColor TopColor, TColor BottomColor, int Width);

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

// A container with the framework's 3D look: an outer bevel, an inner bevel
// and a caption centred vertically (horizontally by Alignment). BorderWidth
// is a margin in the control's colour outside the client area.
class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent *AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TPanelBevel BevelInner() const { return FBevelInner; }
    void SetBevelInner(TPanelBevel Value);
    TPanelBevel BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TPanelBevel Value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int Value);
    // bsSingle adds a one-pixel frame in the window's frame colour.
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool FullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }

protected:
    void Paint() override;
    void AdjustClientRect(TRect &Rect) override;
    void CMTextChanged(TMessage &Message) override;

private:
    void BevelChanged();

    TAlignment FAlignment = taCenter;
    TPanelBevel FBevelInner = bvNone;
    TPanelBevel FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    TBorderStyle FBorderStyle = bsNone;
    bool FFullRepaint = true;
};

class TPanel : public TCustomPanel {
public:
    using TCustomPanel::TCustomPanel;
};
