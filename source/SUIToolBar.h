#pragma once
// The skinned tool bar: the framework's tool bar whose hot, pressed and
// checked buttons are drawn flat in the style's colours through its
// custom-draw events, over a background that can show what lies behind it.
// Button behaviour stays the framework's.
#include "ComCtrlsToolBar.h"
#include "SUIThemes.h"

class TCustomImageList;

class TsuiToolBar : public TToolBar {
public:
    explicit TsuiToolBar(TComponent *AOwner);

    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value);
    TColor ButtonBorderColor() const { return FButtonBorderColor; }
    void SetButtonBorderColor(TColor Value);
    TColor ButtonDownColor() const { return FButtonDownColor; }
    void SetButtonDownColor(TColor Value);

private:
    void ToolBarCustomDraw(TToolBar *Sender, const TRect &ARect, bool &DefaultDraw);
    void ToolBarCustomDrawButton(TToolBar *Sender, TToolButton *Button, TCustomDrawState State, bool &DefaultDraw);
    // The pressed face (image one pixel right and lower) or the normal one.
    void DrawFace(TToolButton *Button, TCustomImageList *Images, bool Down);
    // HotImages, or Images when there are no hot images.
    TCustomImageList *FaceImages() const;

    TsuiUIStyle FUIStyle = Custom;
    TColor FButtonColor = clBtnFace;
    TColor FButtonBorderColor = clBlack;
    TColor FButtonDownColor = clBtnShadow;
};
