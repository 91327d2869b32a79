#include "ExtCtrls.h"
#include "Forms.h"

#include <QTimer>

TTimer::TTimer(TComponent *AOwner) : TComponent(AOwner), FTimer(new QTimer)
{
    QObject::connect(FTimer, &QTimer::timeout, [this] { CallGuarded(this, [this] { Timer(); }); });
    UpdateTimer();
}

TTimer::~TTimer()
{
    Destroying();
    delete FTimer;
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned Value)
{
    if (Value == FInterval)
        return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    FTimer->stop();
    if (FEnabled && FInterval > 0)
        FTimer->start(static_cast<int>(FInterval));
}

void TTimer::Timer()
{
    if (FEnabled && OnTimer)
        OnTimer(this);
}

void Frame3D(TCanvas *Canvas, TRect &Rect, TColor TopColor, TColor BottomColor, int Width)
{
    Canvas->Pen()->SetWidth(1);
    --Rect.Bottom;
    --Rect.Right;
    while (Width-- > 0) {
        Canvas->Pen()->SetColor(TopColor);
        Canvas->Polyline({{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}});
        Canvas->Pen()->SetColor(BottomColor);
        Canvas->Polyline({{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}});
        InflateRect(Rect, -1, -1);
    }
    ++Rect.Bottom;
    ++Rect.Right;
}

TCustomPanel::TCustomPanel(TComponent *AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks | csReplicatable);
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value)
{
    FBevelInner = Value;
    BevelChanged();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value)
{
    FBevelOuter = Value;
    BevelChanged();
}

void TCustomPanel::SetBevelWidth(int Value)
{
    FBevelWidth = std::max(Value, 1);
    BevelChanged();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    BevelChanged();
}

void TCustomPanel::BevelChanged()
{
    Realign();
    Invalidate();
}

// Children are laid out inside the frame and the bevels.
void TCustomPanel::AdjustClientRect(TRect &Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    int inset = FBorderStyle == bsSingle ? 1 : 0;
    if (FBevelOuter != bvNone)
        inset += FBevelWidth;
    if (FBevelInner != bvNone)
        inset += FBevelWidth;
    InflateRect(Rect, -inset, -inset);
}

void TCustomPanel::Paint()
{
    TCanvas *canvas = Canvas();
    TRect rect = ClientRect();
    auto bevelColors = [](TPanelBevel Bevel, TColor &Top, TColor &Bottom) {
        Top = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
        Bottom = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
    };
    TColor top;
    TColor bottom;
    if (FBorderStyle == bsSingle)
        Frame3D(canvas, rect, clWindowFrame, clWindowFrame, 1);
    if (FBevelOuter != bvNone) {
        bevelColors(FBevelOuter, top, bottom);
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
    if (FBevelInner != bvNone) {
        bevelColors(FBevelInner, top, bottom);
        Frame3D(canvas, rect, top, bottom, FBevelWidth);
    }
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(rect);
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    const int fontHeight = canvas->TextHeight(QStringLiteral("W"));
    rect.Top = (rect.Bottom + rect.Top - fontHeight) / 2;
    rect.Bottom = rect.Top + fontHeight;
    const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    DrawText(canvas, Caption(), rect, DT_EXPANDTABS | DT_VCENTER | alignments[FAlignment]);
}

void TCustomPanel::CMTextChanged(TMessage &Message)
{
    TCustomControl::CMTextChanged(Message);
    Invalidate();
}
