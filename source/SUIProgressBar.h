#pragma once
// The skinned progress bar: always 12 pixels thick, its filled part a
// stretched style picture, with an optional percentage caption.
#include "ExtCtrls.h"
#include "SUIThemes.h"

#include <memory>

enum TsuiProgressBarOrientation : uint8_t { suiHorizontal = 0, suiVertical = 1 };

class TsuiProgressBar : public TCustomPanel {
public:
    explicit TsuiProgressBar(TComponent *AOwner);
    ~TsuiProgressBar() override;

    int Max() const { return FMax; }
    void SetMax(int Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Position() const { return FPosition; }
    void SetPosition(int Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TsuiProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TsuiProgressBarOrientation Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // The unfilled part's colour (the bar's own, not the control's).
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TPicture *Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture *Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    TColor CaptionColor() const { return FCaptionColor; }
    void SetCaptionColor(TColor Value);
    bool SmartShowCaption() const { return FSmartShowCaption; }
    void SetSmartShowCaption(bool Value);

    // (Position - Min) * 100 div (Max - Min), 0 when Min = Max; not clamped.
    int Percent() const;

protected:
    void Paint() override;
    bool CanResize(int &NewWidth, int &NewHeight) override;

private:
    // The filled part of a bar Length pixels long, clamped to 0..Length.
    int FilledLength(int Length) const;
    void UpdateCaption();
    void UpdateStyle();

    int FMax = 100;
    int FMin = 0;
    int FPosition = 50;
    TsuiUIStyle FUIStyle = DeepBlue;
    TsuiProgressBarOrientation FOrientation = suiHorizontal;
    TColor FBorderColor = clBlack;
    TColor FColor = clBtnFace;
    std::unique_ptr<TPicture> FPicture;
    bool FShowCaption = true;
    TColor FCaptionColor = clBlack;
    bool FSmartShowCaption = false;
};
