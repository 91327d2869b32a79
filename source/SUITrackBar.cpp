#include "SUITrackBar.h"

#include "SUIPublic.h"

#include <algorithm>

namespace {
// How often a held press on the bar pages again.
constexpr unsigned PagingInterval = 500;
}

TsuiTrackBar::TsuiTrackBar(TComponent *AOwner) : TCustomPanel(AOwner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    FBarBitmap = std::make_unique<TBitmap>();
    FBarImage = std::make_unique<TPicture>();
    FSlider = new TsuiImagePanel(this);
    FSlider->SetParent(this);
    FSlider->OnMouseDown = [this](TObject *, TMouseButton Button, TShiftState Shift, int X, int Y) {
        SliderMouseDown(Button, Shift, X, Y);
    };
    FMin = 0;
    FMax = 100;
    SetPosition(0);
    FLastPosition = 0;
    FOrientation = suiHorizontal;
    FPageSize = 10;
    FDragging = false;
    SetUIStyle(GetContainerUIStyle(AOwner));
    UpdatePosition();
}

TsuiTrackBar::~TsuiTrackBar() = default;

void TsuiTrackBar::SetPosition(int Value)
{
    if (Value < FMin)
        Value = FMin;
    else if (Value > FMax)
        Value = FMax;
    FPosition = Value;
    UpdatePosition();
}

void TsuiTrackBar::SetMin(int Value)
{
    FMin = Value;
    UpdatePosition();
}

void TsuiTrackBar::SetMax(int Value)
{
    FMax = Value;
    UpdatePosition();
}

void TsuiTrackBar::SetPageSize(int Value)
{
    if (Value >= 0 && Value <= 100)
        FPageSize = Value;
}

void TsuiTrackBar::SetOrientation(TsuiProgressBarOrientation Value)
{
    if (Value == FOrientation)
        return;
    FOrientation = Value;
    RefreshAll();
}

void TsuiTrackBar::SetUIStyle(TsuiUIStyle Value)
{
    if (Value == FUIStyle)
        return;
    FUIStyle = Value;
    if (FUIStyle == Custom)
        return;
    SetColor(GetThemeColor(FUIStyle, 79));
    RefreshAll();
}

void TsuiTrackBar::SetBarImage(const TPicture *Value)
{
    FBarImage->Assign(Value);
    RefreshAll();
}

void TsuiTrackBar::SetSliderImage(const TPicture *Value)
{
    FSlider->SetPicture(Value);
    Repaint();
}

void TsuiTrackBar::SetSliderVisible(bool Value)
{
    if (FSlider->Visible() != Value)
        FSlider->SetVisible(Value);
}

void TsuiTrackBar::SetSliderAutoSize()
{
    FSlider->SetAutoSize(true);
}

TPoint TsuiTrackBar::GetSliderPoint() const
{
    const int w = Width(), h = Height();
    const int sw = FSlider->Width(), sh = FSlider->Height();
    if (FOrientation == suiHorizontal) {
        const int x = FMin == FMax ? 0 : (FPosition - FMin) * (w - sw) / (FMax - FMin);
        return {x, std::max(h - sh, 0) / 2};
    }
    const int y = FMin == FMax ? 0 : (FPosition - FMin) * (h - sh) / (FMax - FMin);
    return {std::max(w - sw, 0) / 2, y};
}

int TsuiTrackBar::PixelToValue(int X, int Y) const
{
    const int w = Width(), h = Height();
    const int sw = FSlider->Width(), sh = FSlider->Height();
    if (FOrientation == suiHorizontal)
        return sw == w ? 0 : FMin + (X - sw / 2) * (FMax - FMin) / (w - sw);
    return sh == h ? 0 : FMin + (Y - sh / 2) * (FMax - FMin) / (h - sh);
}

void TsuiTrackBar::UpdatePosition()
{
    if (FPosition == FLastPosition)
        return;
    FLastPosition = FPosition;
    PlaceControl(FSlider, GetSliderPoint());
    Repaint();
    if (OnChange)
        OnChange(this);
    FLastPosition = FPosition;
}

void TsuiTrackBar::RefreshAll()
{
    UpdatePosition();
    UpdatePictures();
    UpdateThickness();
    Repaint();
}

void TsuiTrackBar::BuildBar(TBitmap *Picture, int Length)
{
    FBarBitmap->SetSize(Length, Picture->Height());
    DrawThreeSlice(Picture, FBarBitmap->Canvas(), Rect(0, 0, Length, Picture->Height()), false);
    if (FOrientation == suiVertical)
        RotateBitmapLeft(FBarBitmap.get());
}

void TsuiTrackBar::UpdatePictures()
{
    if (FUIStyle == Custom) {
        FBarBitmap->Assign(FBarImage->Bitmap());
        if (FOrientation == suiVertical)
            RotateBitmapLeft(FBarBitmap.get());
        return;
    }
    const bool horizontal = FOrientation == suiHorizontal;
    FBarImage->Bitmap()->LoadFromResourceName(HInstance, GetThemeString(FUIStyle, horizontal ? 75 : 77));
    BuildBar(FBarImage->Bitmap(), horizontal ? Width() : Height());
    FSlider->Picture()->Bitmap()->LoadFromResourceName(HInstance, GetThemeString(FUIStyle, horizontal ? 76 : 78));
    FSlider->SetAutoSize(true);
}

void TsuiTrackBar::UpdateThickness()
{
    if (FOrientation == suiHorizontal)
        SetHeight(std::max(FBarImage->Height(), FSlider->Height()));
    else
        SetWidth(std::max(FBarImage->Height(), FSlider->Width()));
    Repaint();
}

void TsuiTrackBar::Resize()
{
    TCustomPanel::Resize();
    RefreshAll();
}

void TsuiTrackBar::Paint()
{
    TBitmap buffer;
    buffer.SetSize(Width(), Height());
    buffer.Canvas()->Brush()->SetColor(Color());
    buffer.Canvas()->FillRect(Rect(0, 0, Width(), Height()));
    const int thickness = FBarImage->Height();
    if (FOrientation == suiHorizontal)
        buffer.Canvas()->Draw(0, (Height() - thickness) / 2, FBarBitmap.get());
    else
        buffer.Canvas()->Draw((Width() - thickness) / 2, 0, FBarBitmap.get());
    Canvas()->Draw(0, 0, &buffer);
}

void TsuiTrackBar::WMEraseBkgnd(TMessage &Message)
{
    Message.Result = 1;
}

void TsuiTrackBar::SliderMouseDown(TMouseButton, TShiftState, int X, int Y)
{
    FDragOffset = FOrientation == suiHorizontal ? X : Y;
    FDragging = true;
    SetMouseCapture(true);
}

void TsuiTrackBar::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseMove(Shift, X, Y);
    if (FDragging) {
        if (FOrientation == suiHorizontal)
            FSlider->SetLeft(std::clamp(X - FDragOffset, 0, std::max(Width() - FSlider->Width(), 0)));
        else
            FSlider->SetTop(std::clamp(Y - FDragOffset, 0, std::max(Height() - FSlider->Height(), 0)));
        // Held within Min..Max like the setter, without placing the slider.
        FPosition = std::max(FMin, std::min(PixelToValue(X, Y), FMax));
        if (FPosition != FLastPosition) {
            if (OnChange)
                OnChange(this);
            FLastPosition = FPosition;
        }
    } else if (X < 0 || X > Width() || Y < 0 || Y > Height()) {
        FPagingTimer.reset();
    }
}

void TsuiTrackBar::PageToward(const TPoint &Point)
{
    const TPoint slider = GetSliderPoint();
    const int pointer = FOrientation == suiHorizontal ? Point.X : Point.Y;
    const int edge = FOrientation == suiHorizontal ? slider.X : slider.Y;
    if (pointer > edge)
        SetPosition(std::min(FPosition + FPageSize, PixelToValue(Point.X, Point.Y)));
    else if (pointer < edge)
        SetPosition(std::max(FPosition - FPageSize, PixelToValue(Point.X, Point.Y)));
}

void TsuiTrackBar::PagingTimerTick()
{
    TPoint cursor;
    GetCursorPos(&cursor);
    PageToward(ScreenToClient(cursor));
}

void TsuiTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    PageToward({X, Y});
    if (!FPagingTimer) {
        FPagingTimer = std::make_unique<TTimer>(nullptr);
        FPagingTimer->OnTimer = [this](TObject *) { PagingTimerTick(); };
        FPagingTimer->SetInterval(PagingInterval);
        FPagingTimer->SetEnabled(true);
    }
}

void TsuiTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomPanel::MouseUp(Button, Shift, X, Y);
    FPagingTimer.reset();
    FDragging = false;
    SetMouseCapture(false);
}
