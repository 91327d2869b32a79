#pragma once
// The skinned track bar: a bar picture across the control and a slider (a
// child picture panel) moved over it. It keeps Position within Min..Max,
// lets the user drag the slider or page toward a click, and reports every
// change of Position through OnChange.
#include "SUIImagePanel.h"
#include "SUIProgressBar.h"

#include <memory>

class TsuiTrackBar : public TCustomPanel {
public:
    explicit TsuiTrackBar(TComponent *AOwner);
    ~TsuiTrackBar() override;

    TPicture *BarImage() const { return FBarImage.get(); }
    void SetBarImage(const TPicture *Value);
    TPicture *SliderImage() const { return FSlider->Picture(); }
    virtual void SetSliderImage(const TPicture *Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    TsuiProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TsuiProgressBarOrientation Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);

    TNotifyEvent OnChange;

    // For the scroll bar: the slider's visibility and its sizing to its picture.
    bool SliderVisible() const { return FSlider->Visible(); }
    void SetSliderVisible(bool Value);
    void SetSliderAutoSize();
    TsuiImagePanel *Slider() const { return FSlider; }

    // Where the slider's top-left corner goes for the current Position.
    TPoint GetSliderPoint() const;
    // The value of a point, taken as the slider's centre.
    int PixelToValue(int X, int Y) const;

protected:
    void Paint() override;
    virtual void UpdatePictures();
    void Resize() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMEraseBkgnd(TMessage &Message) override;

private:
    void UpdatePosition();
    void RefreshAll();
    void UpdateThickness();
    void SliderMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    // One paging step toward the client point.
    void PageToward(const TPoint &Point);
    void PagingTimerTick();
    // Slices (and for a vertical bar turns) Picture into the bar bitmap.
    void BuildBar(TBitmap *Picture, int Length);

    std::unique_ptr<TPicture> FBarImage;
    std::unique_ptr<TTimer> FPagingTimer;
    TsuiImagePanel *FSlider;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FLastPosition = 0;
    TsuiProgressBarOrientation FOrientation = suiHorizontal;
    TsuiUIStyle FUIStyle = Custom;
    bool FDragging = false;
    int FDragOffset = 0;
    int FPageSize = 10;
    std::unique_ptr<TBitmap> FBarBitmap;
};

// The scroll bar's track and thumb: a track bar under another name.
class TsuiScrollTrackBar : public TsuiTrackBar {
public:
    using TsuiTrackBar::TsuiTrackBar;
};
