#pragma once
// The skinned scroll bar: a bevel-less panel holding two arrow buttons and a
// track whose slider is the thumb, all drawn from the style's pictures. Used
// alone it is a position control with OnChange; a list box or memo may link
// it over its own native scroll bar.
#include "SUIButton.h"
#include "SUITrackBar.h"

#include <cstdint>
#include <memory>

// The step of one arrow repeat, 1..32767.
using TScrollBarInc = int16_t;

class TsuiScrollBar : public TCustomPanel {
public:
    explicit TsuiScrollBar(TComponent *AOwner);
    ~TsuiScrollBar() override;

    int LineButton() const { return FLineButton; }
    void SetLineButton(int Value);
    TsuiProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TsuiProgressBarOrientation Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    int Max() const { return FTrackBar->Max(); }
    void SetMax(int Value) { FTrackBar->SetMax(Value); }
    int Min() const { return FTrackBar->Min(); }
    void SetMin(int Value) { FTrackBar->SetMin(Value); }
    int Position() const { return FTrackBar->Position(); }
    void SetPosition(int Value) { FTrackBar->SetPosition(Value); }
    TScrollBarInc SmallChange() const { return FSmallChange; }
    void SetSmallChange(TScrollBarInc Value) { FSmallChange = Value; }
    TScrollBarInc LargeChange() const { return static_cast<TScrollBarInc>(FTrackBar->PageSize() & 0xFFFF); }
    void SetLargeChange(TScrollBarInc Value) { FTrackBar->SetPageSize(Value); }
    int PageSize() const { return FTrackBar->PageSize(); }
    void SetPageSize(int Value);
    // The track's change event: reading and writing pass through.
    const TNotifyEvent &OnChange() const { return FTrackBar->OnChange; }
    void SetOnChange(TNotifyEvent Value) { FTrackBar->OnChange = std::move(Value); }

    // Shows or hides the thumb alone; the bar stays as it is.
    void SetThumbVisible(bool Value);

    // The parts, for callers that place the pointer on them.
    TsuiScrollTrackBar *TrackBar() const { return FTrackBar; }
    TsuiImageButton *UpButton() const { return FUpButton; }
    TsuiImageButton *DownButton() const { return FDownButton; }

protected:
    void WMSize(TMessage &Message) override;
    void CMColorChanged(TMessage &Message) override;
    void Resize() override;

private:
    void LineUp();
    void LineDown();
    void LoadScrollBarPictures();
    void ArrangeParts();
    void BuildThumb();
    // Loads a button picture drawn for a vertical bar, turned for a horizontal one.
    void LoadButtonPicture(TsuiImageButton *Button, void (TsuiImageButton::*Set)(const TPicture *), int Entry);

    TsuiScrollTrackBar *FTrackBar = nullptr;
    TsuiImageButton *FDownButton = nullptr;
    TsuiImageButton *FUpButton = nullptr;
    std::unique_ptr<TBitmap> FFirstSlice;
    std::unique_ptr<TBitmap> FMiddleSlice;
    std::unique_ptr<TBitmap> FLastSlice;
    TsuiUIStyle FUIStyle = Custom;
    TsuiProgressBarOrientation FOrientation = suiVertical;
    TScrollBarInc FSmallChange = 1;
    int FLineButton = 0;
};
