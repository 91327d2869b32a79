#pragma once
// The button family, drawn entirely from bitmaps: push buttons, check boxes,
// radio buttons and picture buttons. TsuiCustomButton holds the state machine
// (normal, mouse-on, pressed, disabled, focused), the double-buffered
// painting, pictures loaded by resource name, the repeat timer, dialog keys
// and ModalResult.
#include "ExtCtrls.h"
#include "Forms.h"
#include "SUIThemes.h"

#include <memory>

enum TButtonLayout : uint8_t { blGlyphLeft = 0, blGlyphRight = 1, blGlyphTop = 2, blGlyphBottom = 3 };

class TsuiCustomButton : public TCustomControl {
public:
    explicit TsuiCustomButton(TComponent *AOwner);
    ~TsuiCustomButton() override;

    virtual void SetPicMouseDownResName(const String &Value);
    virtual void SetPicMouseOnResName(const String &Value);
    virtual void SetPicNormalResName(const String &Value);
    virtual String PicMouseDownResName() const { return FPicMouseDownResName; }
    virtual String PicMouseOnResName() const { return FPicMouseOnResName; }
    virtual String PicNormalResName() const { return FPicNormalResName; }
    // 0 stands for the program's own module, both ways.
    HINSTANCE ResHandle() const { return FResHandle == HInstance ? 0 : FResHandle; }
    virtual void SetResHandle(HINSTANCE Value);

    void SetAutoSize(bool Value) override;
    // The button's own caption, apart from the control text.
    String Caption() const { return FCaption; }
    void SetCaption(const String &Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    bool PictureMasked() const { return FPictureMasked; }
    void SetPictureMasked(bool Value) { FPictureMasked = Value; }
    int MouseContinuouslyDownInterval() const { return FMouseContinuouslyDownInterval; }
    void SetMouseContinuouslyDownInterval(int Value) { FMouseContinuouslyDownInterval = Value; }
    void SetEnabled(bool Value) override;

    bool MouseOn() const { return FMouseOn; }
    bool Pressed() const { return FPressed; }

    void Click() override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;
    TNotifyEvent OnMouseContinuouslyDown;

protected:
    void Paint() override;
    virtual void UpdateAutoSize();
    virtual void CaptionChanged();
    virtual void FontChanged();
    virtual void TransparentChanged();
    virtual void EnabledChanged();
    virtual void UIStyleChanged();
    virtual void DrawPicture(TCanvas *ACanvas, TBitmap *Picture);
    virtual void DrawCaption(TCanvas *ACanvas, const String &ACaption);
    virtual void DrawFocus(TCanvas *ACanvas);
    virtual void GetNormalPicture(TBitmap *Bitmap);
    virtual void GetMouseOnPicture(TBitmap *Bitmap);
    virtual void GetMouseDownPicture(TBitmap *Bitmap);
    virtual void GetDisabledPicture(TBitmap *Bitmap);
    virtual void SetStyleResNames(TsuiUIStyle Style) = 0;

    // Loads a named picture from ResHandle; a failed load gives a blank
    // 74 x 21 picture.
    void LoadPicture(TBitmap *Bitmap, const String &ResName) const;
    HINSTANCE OwnResHandle() const { return FResHandle; }

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage &Message) override;
    void CMMouseLeave(TMessage &Message) override;
    void WMKeyDown(TMessage &Message) override;
    void WMKeyUp(TMessage &Message) override;
    void CMDialogChar(TMessage &Message) override;
    void CMDialogKey(TMessage &Message) override;
    void WMSetFocus(TMessage &Message) override;
    void WMKillFocus(TMessage &Message) override;
    void CMFocusChanged(TMessage &Message) override;
    void CMFontChanged(TMessage &Message) override;
    void WMEraseBkgnd(TMessage &Message) override;

    bool FPressed = false;
    bool FMouseOn = false;

private:
    void StopRepeat();

    String FPicNormalResName;
    String FPicMouseDownResName;
    String FPicMouseOnResName;
    String FCaption;
    bool FTabStop = false;
    bool FCancel = false;
    bool FDefault = false;
    bool FTransparent = false;
    TModalResult FModalResult = mrNone;
    TsuiUIStyle FUIStyle = Custom;
    bool FPictureMasked = false;
    std::unique_ptr<TTimer> FRepeatTimer;
    int FMouseContinuouslyDownInterval = 100;
    HINSTANCE FResHandle = HInstance;
};

// The push button: the style's face stretched by corners and edges, with an
// optional glyph placed by Layout and Spacing.
class TsuiButton : public TsuiCustomButton {
public:
    explicit TsuiButton(TComponent *AOwner);
    ~TsuiButton() override;

    TBitmap *Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap *Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TPoint CaptionPos() const { return FCaptionPos; }

    // Setting a picture name makes the button Custom; outside Custom the
    // names read empty, so style pictures never reach a stored form.
    void SetPicMouseDownResName(const String &Value) override;
    void SetPicMouseOnResName(const String &Value) override;
    void SetPicNormalResName(const String &Value) override;
    String PicMouseDownResName() const override;
    String PicMouseOnResName() const override;
    String PicNormalResName() const override;

protected:
    void SetStyleResNames(TsuiUIStyle Style) override;
    void UIStyleChanged() override;
    bool CanResize(int &NewWidth, int &NewHeight) override;
    void DrawPicture(TCanvas *ACanvas, TBitmap *Picture) override;
    void DrawCaption(TCanvas *ACanvas, const String &ACaption) override;
    void DrawFocus(TCanvas *ACanvas) override;

private:
    std::unique_ptr<TBitmap> FGlyph;
    TButtonLayout FLayout = blGlyphLeft;
    TPoint FCaptionPos;
    int FSpacing = 4;
};

// Common base of check box and radio button: Checked, the state picture at
// the left and the caption beside it. A base constructor's virtual calls do
// not reach the subclass, so the concrete classes' constructors apply the
// owner's style.
class TsuiCustomButtonEx : public TsuiCustomButton {
public:
    explicit TsuiCustomButtonEx(TComponent *AOwner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    TRect CaptionRect() const { return FCaptionRect; }

    void Click() override;

protected:
    virtual void Toggle() = 0;
    virtual void CheckedChanged();
    virtual int GetPictureWidth() = 0;
    virtual int GetPictureHeight() = 0;

    void UpdateAutoSize() override;
    void CaptionChanged() override;
    void FontChanged() override;
    void Resize() override;
    void DrawPicture(TCanvas *ACanvas, TBitmap *Picture) override;
    void DrawCaption(TCanvas *ACanvas, const String &ACaption) override;
    void DrawFocus(TCanvas *ACanvas) override;

private:
    bool FChecked = false;
    TRect FCaptionRect;
};

class TsuiCheckBox : public TsuiCustomButtonEx {
public:
    explicit TsuiCheckBox(TComponent *AOwner);

protected:
    virtual void AfterToggle();
    void Toggle() override;
    void CheckedChanged() override;
    void EnabledChanged() override;
    void TransparentChanged() override;
    void UIStyleChanged() override;
    int GetPictureWidth() override;
    int GetPictureHeight() override;
    void SetStyleResNames(TsuiUIStyle Style) override;

    // The theme entries of the state pictures: checked or not, then the
    // normal enabled, normal disabled, mouse-on and pressed picture.
    struct TStatePictures {
        int Normal, Disabled, MouseOn, MouseDown;
    };
    virtual TStatePictures StatePictures(bool Checked) const;
};

// A radio button: checking one unchecks the others of its GroupIndex among
// its parent's controls; the user never unchecks one.
class TsuiRadioButton : public TsuiCheckBox {
public:
    explicit TsuiRadioButton(TComponent *AOwner);

    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }

protected:
    void Toggle() override;
    void CheckedChanged() override;
    void TransparentChanged() override;
    void SetStyleResNames(TsuiUIStyle Style) override;
    TStatePictures StatePictures(bool Checked) const override;

private:
    int FGroupIndex = 0;
};

// A button drawn from four pictures of the application's own.
class TsuiImageButton : public TsuiCustomButton {
public:
    explicit TsuiImageButton(TComponent *AOwner);
    ~TsuiImageButton() override;

    TPicture *PicNormal() const { return FPicNormal.get(); }
    void SetPicNormal(const TPicture *Value);
    TPicture *PicMouseOn() const { return FPicMouseOn.get(); }
    void SetPicMouseOn(const TPicture *Value);
    TPicture *PicMouseDown() const { return FPicMouseDown.get(); }
    void SetPicMouseDown(const TPicture *Value);
    TPicture *PicDisabled() const { return FPicDisabled.get(); }
    void SetPicDisabled(const TPicture *Value);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);

protected:
    void GetNormalPicture(TBitmap *Bitmap) override;
    void GetMouseOnPicture(TBitmap *Bitmap) override;
    void GetMouseDownPicture(TBitmap *Bitmap) override;
    void GetDisabledPicture(TBitmap *Bitmap) override;
    void DrawPicture(TCanvas *ACanvas, TBitmap *Picture) override;
    void UpdateAutoSize() override;
    void SetStyleResNames(TsuiUIStyle Style) override;

private:
    void SetPictureOf(TPicture *Target, const TPicture *Value);
    // Copies State, or PicNormal when State is empty, into Bitmap.
    void CopyPicture(TPicture *State, TBitmap *Bitmap);

    std::unique_ptr<TPicture> FPicNormal;
    std::unique_ptr<TPicture> FPicMouseOn;
    std::unique_ptr<TPicture> FPicMouseDown;
    std::unique_ptr<TPicture> FPicDisabled;
    bool FStretch = false;
};
