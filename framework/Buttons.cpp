#include "Buttons.h"

#include "ExtCtrls.h"

TSpeedButton::TSpeedButton(TComponent *AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    SetBounds(Left(), Top(), 23, 22);
    SetControlStyle(csCaptureMouse | csDoubleClicks);
    SetParentFont(true);
    FGlyph->OnChange = [this](TObject *) { Invalidate(); };
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    UpdateExclusive();
}

void TSpeedButton::SetAllowAllUp(bool Value)
{
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value)
{
    if (FGroupIndex == 0)
        Value = false;
    if (Value == FDown)
        return;
    // The last down button of a group that needs one stays down.
    if (FDown && !FAllowAllUp)
        return;
    FDown = Value;
    if (FDown)
        UpdateExclusive();
    Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap *Value)
{
    FGlyph->Assign(Value);
    Invalidate();
}

void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || !Parent())
        return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto *other = dynamic_cast<TSpeedButton *>(Parent()->Controls(i));
        if (!other || other == this || other->FGroupIndex != FGroupIndex)
            continue;
        other->FAllowAllUp = FAllowAllUp;
        if (FDown && other->FDown) {
            other->FDown = false;
            other->Invalidate();
        }
    }
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    FPressed = true;
    Invalidate();
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    const bool inside = X >= 0 && X < Width() && Y >= 0 && Y < Height();
    if (inside != FMouseInControl && !FPressed) {
        FMouseInControl = inside;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FPressed)
        return;
    FPressed = false;
    Invalidate();
    if (X < 0 || X >= Width() || Y < 0 || Y >= Height())
        return;
    if (FGroupIndex != 0)
        SetDown(!FDown);
    Click();
}

void TSpeedButton::CMMouseEnter(TMessage &Message)
{
    TGraphicControl::CMMouseEnter(Message);
    FMouseInControl = true;
    Invalidate();
}

void TSpeedButton::CMMouseLeave(TMessage &Message)
{
    TGraphicControl::CMMouseLeave(Message);
    FMouseInControl = false;
    Invalidate();
}

void TSpeedButton::CMEnabledChanged(TMessage &Message)
{
    TGraphicControl::CMEnabledChanged(Message);
    Invalidate();
}

void TSpeedButton::CMTextChanged(TMessage &Message)
{
    TGraphicControl::CMTextChanged(Message);
    Invalidate();
}

void TSpeedButton::Paint()
{
    TCanvas *canvas = Canvas();
    TRect r = Rect(0, 0, Width(), Height());
    const bool sunken = FDown || FPressed;
    if (!FFlat) {
        canvas->Brush()->SetColor(clBtnFace);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(r);
    }
    if (sunken)
        Frame3D(canvas, r, clBtnShadow, clBtnHighlight, 1);
    else if (!FFlat || (FMouseInControl && Enabled()))
        Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
    const int shift = sunken ? 1 : 0;
    if (!FGlyph->Empty()) {
        FGlyph->SetTransparent(true);
        canvas->Draw((Width() - FGlyph->Width()) / 2 + shift, (Height() - FGlyph->Height()) / 2 + shift,
                     FGlyph.get());
    } else if (!Caption().isEmpty()) {
        TRect text = Rect(shift, shift, Width() + shift, Height() + shift);
        canvas->SetFont(Font());
        if (!Enabled())
            canvas->Font()->SetColor(clGrayText);
        canvas->Brush()->SetStyle(bsClear);
        DrawText(canvas, Caption(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
}
