#include "StdCtrls.h"

namespace {
// A canvas for measuring text outside painting.
TCanvas *MeasureCanvas()
{
    static TBitmap *bitmap = [] {
        auto *b = new TBitmap;
        b->SetSize(1, 1);
        return b;
    }();
    return bitmap->Canvas();
}
}

TCustomLabel::TCustomLabel(TComponent *AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
    SetBounds(0, 0, 65, 17);
    TControl::SetAutoSize(true);
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    if (Value == FLayout)
        return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    if (Value == FWordWrap)
        return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    if (Value == Transparent())
        return;
    SetControlStyle(Value ? ControlStyle() & ~csOpaque : ControlStyle() | csOpaque);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    if (Value == FShowAccelChar)
        return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl *Value)
{
    FFocusControl = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TCustomLabel::SetAutoSize(bool Value)
{
    if (Value == AutoSize())
        return;
    TControl::SetAutoSize(Value);
    AdjustBounds();
}

void TCustomLabel::Notification(TComponent *AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl)
        FFocusControl = nullptr;
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::DoDrawText(TCanvas *Canvas, TRect &Rect, UINT Flags)
{
    String text = Caption();
    if ((Flags & DT_CALCRECT) && (text.isEmpty() || (FShowAccelChar && text == QLatin1String("&"))))
        text += QLatin1Char(' ');
    if (!FShowAccelChar)
        Flags |= DT_NOPREFIX;
    Canvas->SetFont(Font());
    if (!Enabled() && !(Flags & DT_CALCRECT)) {
        OffsetRect(Rect, 1, 1);
        Canvas->Font()->SetColor(clBtnHighlight);
        DrawText(Canvas, text, Rect, Flags);
        OffsetRect(Rect, -1, -1);
        Canvas->Font()->SetColor(clBtnShadow);
    }
    DrawText(Canvas, text, Rect, Flags);
}

void TCustomLabel::Paint()
{
    TCanvas *canvas = Canvas();
    if (!Transparent()) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(ClientRect());
    }
    canvas->Brush()->SetStyle(bsClear);
    TRect rect = ClientRect();
    const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    const UINT style = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | alignments[FAlignment];
    if (FLayout != tlTop) {
        TRect calc = rect;
        DoDrawText(canvas, calc, style | DT_CALCRECT);
        OffsetRect(rect, 0, FLayout == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2);
    }
    DoDrawText(canvas, rect, style);
}

void TCustomLabel::AdjustBounds()
{
    if ((ComponentState() & (csLoading | csReading)) || !AutoSize())
        return;
    TRect rect = ClientRect();
    DoDrawText(MeasureCanvas(), rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    int x = Left();
    if (FAlignment == taRightJustify)
        x += Width() - rect.Right;
    SetBounds(x, Top(), rect.Right, rect.Bottom);
}

void TCustomLabel::CMTextChanged(TMessage &Message)
{
    TGraphicControl::CMTextChanged(Message);
    AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage &Message)
{
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage &Message)
{
    if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<int>(Message.WParam), Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}

TCustomGroupBox::TCustomGroupBox(TComponent *AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks | csReplicatable);
    SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight()
{
    TCanvas *canvas = MeasureCanvas();
    canvas->SetFont(Font());
    return canvas->TextHeight(QStringLiteral("0"));
}

// Children sit below the caption and inside the two-pixel frame.
void TCustomGroupBox::AdjustClientRect(TRect &Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    Rect.Top += CaptionHeight();
    InflateRect(Rect, -2, -2);
}

void TCustomGroupBox::Paint()
{
    TCanvas *canvas = Canvas();
    canvas->SetFont(Font());
    const int h = canvas->TextHeight(QStringLiteral("0"));
    TRect r = Rect(1, h / 2, Width(), Height());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(clBtnHighlight);
    canvas->FrameRect(r);
    OffsetRect(r, -1, -1);
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->FrameRect(r);
    if (Caption().isEmpty())
        return;
    r = Rect(8, 0, 0, h);
    DrawText(canvas, Caption(), r, DT_SINGLELINE | DT_CALCRECT);
    canvas->Brush()->SetColor(Color());
    DrawText(canvas, Caption(), r, DT_SINGLELINE);
}

void TCustomGroupBox::CMDialogChar(TMessage &Message)
{
    if (IsAccel(static_cast<int>(Message.WParam), Caption()) && CanFocus()) {
        SelectNext(nullptr, true, true);
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}

void TCustomGroupBox::CMTextChanged(TMessage &Message)
{
    TCustomControl::CMTextChanged(Message);
    Invalidate();
    Realign();
}

void TCustomGroupBox::CMFontChanged(TMessage &Message)
{
    TCustomControl::CMFontChanged(Message);
    Realign();
}
