#include "SUIScrollBar.h"

#include "SUIPublic.h"

namespace {
// How often a held arrow steps again.
constexpr int ArrowRepeatInterval = 100;
// The shortest thumb.
constexpr int MinThumbLength = 18;
}

TsuiScrollBar::TsuiScrollBar(TComponent *AOwner) : TCustomPanel(AOwner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    FFirstSlice = std::make_unique<TBitmap>();
    FMiddleSlice = std::make_unique<TBitmap>();
    FLastSlice = std::make_unique<TBitmap>();

    FTrackBar = new TsuiScrollTrackBar(this);
    FTrackBar->SetParent(this);
    FTrackBar->SetUIStyle(Custom);

    FDownButton = new TsuiImageButton(this);
    FDownButton->SetParent(this);
    FDownButton->OnMouseContinuouslyDown = [this](TObject *) { LineDown(); };
    FDownButton->SetMouseContinuouslyDownInterval(ArrowRepeatInterval);
    FUpButton = new TsuiImageButton(this);
    FUpButton->SetParent(this);
    FUpButton->OnMouseContinuouslyDown = [this](TObject *) { LineUp(); };
    FUpButton->SetMouseContinuouslyDownInterval(ArrowRepeatInterval);

    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetOrientation(suiVertical);
    FSmallChange = 1;
    SetLineButton(0);
    SetHeight(185);

    SetUIStyle(GetContainerUIStyle(AOwner));
    ArrangeParts();
}

TsuiScrollBar::~TsuiScrollBar()
{
    delete FUpButton;
    FUpButton = nullptr;
    delete FDownButton;
    FDownButton = nullptr;
    delete FTrackBar;
    FTrackBar = nullptr;
}

void TsuiScrollBar::SetUIStyle(TsuiUIStyle Value)
{
    if (Value == FUIStyle)
        return;
    FUIStyle = Value;
    if (FUIStyle == Custom)
        return;
    SetColor(GetThemeColor(FUIStyle, 84));
    FTrackBar->SetColor(Color());
    LoadScrollBarPictures();
    ArrangeParts();
}

void TsuiScrollBar::SetOrientation(TsuiProgressBarOrientation Value)
{
    if (Value == FOrientation)
        return;
    FOrientation = Value;
    LoadScrollBarPictures();
    ArrangeParts();
}

void TsuiScrollBar::SetLineButton(int Value)
{
    if (Value == FLineButton)
        return;
    FLineButton = Value;
    BuildThumb();
}

void TsuiScrollBar::SetPageSize(int Value)
{
    FTrackBar->SetPageSize(Value);
    BuildThumb();
}

void TsuiScrollBar::SetThumbVisible(bool Value)
{
    FTrackBar->SetSliderVisible(Value);
}

void TsuiScrollBar::LineUp()
{
    FTrackBar->SetPosition(FTrackBar->Position() - FSmallChange);
}

void TsuiScrollBar::LineDown()
{
    FTrackBar->SetPosition(FTrackBar->Position() + FSmallChange);
}

void TsuiScrollBar::WMSize(TMessage &Message)
{
    TCustomPanel::WMSize(Message);
    ArrangeParts();
}

void TsuiScrollBar::CMColorChanged(TMessage &Message)
{
    TCustomPanel::CMColorChanged(Message);
    if (FTrackBar)
        FTrackBar->SetColor(Color());
}

void TsuiScrollBar::Resize()
{
    TCustomPanel::Resize();
    ArrangeParts();
}

void TsuiScrollBar::LoadButtonPicture(TsuiImageButton *Button, void (TsuiImageButton::*Set)(const TPicture *),
                                      int Entry)
{
    TPicture picture;
    picture.Bitmap()->LoadFromResourceName(HInstance, GetThemeString(FUIStyle, Entry));
    if (FOrientation == suiHorizontal)
        RotateBitmapLeft(picture.Bitmap());
    (Button->*Set)(&picture);
}

void TsuiScrollBar::LoadScrollBarPictures()
{
    if (FUIStyle == Custom)
        return;
    FTrackBar->BarImage()->Assign(nullptr);

    TBitmap strip;
    strip.LoadFromResourceName(HInstance, GetThemeString(FUIStyle, 91));
    RotateBitmapLeft(&strip);
    // Three equal slices side by side, each 16 high.
    const int sliceWidth = strip.Width() / 3;
    TBitmap *slices[] = {FFirstSlice.get(), FMiddleSlice.get(), FLastSlice.get()};
    for (int i = 0; i < 3; ++i) {
        slices[i]->SetSize(sliceWidth, 16);
        slices[i]->Canvas()->CopyRect(Rect(0, 0, sliceWidth, 16), strip.Canvas(),
                                      Rect(i * sliceWidth, 0, (i + 1) * sliceWidth, 16));
        if (FOrientation == suiVertical)
            RotateBitmapRight(slices[i]);
    }

    LoadButtonPicture(FUpButton, &TsuiImageButton::SetPicNormal, 85);
    LoadButtonPicture(FUpButton, &TsuiImageButton::SetPicMouseOn, 86);
    LoadButtonPicture(FUpButton, &TsuiImageButton::SetPicMouseDown, 87);
    LoadButtonPicture(FDownButton, &TsuiImageButton::SetPicNormal, 88);
    LoadButtonPicture(FDownButton, &TsuiImageButton::SetPicMouseOn, 89);
    LoadButtonPicture(FDownButton, &TsuiImageButton::SetPicMouseDown, 90);
    FUpButton->SetAutoSize(true);
    FDownButton->SetAutoSize(true);
}

void TsuiScrollBar::ArrangeParts()
{
    // Resizes arrive while the panel itself is being built, before its parts.
    if (!FUpButton)
        return;
    FTrackBar->SetOrientation(FOrientation);
    // The track is as thick as the thumb it carries.
    if (FOrientation == suiVertical) {
        FUpButton->SetBounds(0, 0, FUpButton->Width(), FUpButton->Height());
        FTrackBar->SetBounds(0, FUpButton->Height(), FFirstSlice->Width(),
                             Height() - FDownButton->Height() - FUpButton->Height() - 1);
        FDownButton->SetBounds(0, Height() - FDownButton->Height(), FDownButton->Width(), FDownButton->Height());
        SetWidth(FUpButton->Width());
    } else {
        FUpButton->SetBounds(0, 0, FUpButton->Width(), FUpButton->Height());
        FTrackBar->SetBounds(FUpButton->Width(), 0, Width() - FDownButton->Width() - FUpButton->Width(),
                             FFirstSlice->Height());
        FDownButton->SetBounds(Width() - FDownButton->Width(), 0, FDownButton->Width(), FDownButton->Height());
        SetHeight(FUpButton->Height());
    }
    BuildThumb();
}

void TsuiScrollBar::BuildThumb()
{
    if (!FUpButton)
        return;
    const bool vertical = FOrientation == suiVertical;
    int length;
    if (FLineButton > 0) {
        if (FLineButton < MinThumbLength)
            FLineButton = MinThumbLength;
        length = FLineButton;
    } else {
        int pageSize = FTrackBar->PageSize();
        if (pageSize < 10 || pageSize > 100)
            pageSize = 10;
        length = pageSize * (vertical ? FTrackBar->Height() : FTrackBar->Width()) / 100;
    }

    TBitmap thumb;
    if (vertical) {
        const int width = FFirstSlice->Width();
        thumb.SetSize(width, length);
        thumb.Canvas()->Draw(0, 0, FFirstSlice.get());
        thumb.Canvas()->Draw(0, length - FLastSlice->Height(), FLastSlice.get());
        thumb.Canvas()->StretchDraw(Rect(0, FFirstSlice->Height(), width, length - FLastSlice->Height()),
                                    FMiddleSlice.get());
    } else {
        const int height = FFirstSlice->Height();
        thumb.SetSize(length, height);
        thumb.Canvas()->Draw(0, 0, FFirstSlice.get());
        thumb.Canvas()->Draw(length - FLastSlice->Width(), 0, FLastSlice.get());
        thumb.Canvas()->StretchDraw(Rect(FFirstSlice->Width(), 0, length - FLastSlice->Width(), height),
                                    FMiddleSlice.get());
    }
    TPicture picture;
    picture.Bitmap()->Assign(&thumb);
    FTrackBar->SetSliderImage(&picture);
    FTrackBar->SetSliderAutoSize();
    const TPoint place = FTrackBar->GetSliderPoint();
    FTrackBar->Slider()->SetBounds(place.X, place.Y, FTrackBar->Slider()->Width(), FTrackBar->Slider()->Height());
}
