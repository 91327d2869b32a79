#pragma once
// The skinned combo box: the framework's combo box with a flat border and a
// flat drop-down button with a small triangle painted over it in the style's
// colours (under MacOS the button is a picture). TsuiCustomComboBox is also
// the base of the colour, font and font-size combo boxes.
#include "StdCtrls.h"
#include "SUIThemes.h"

class TsuiCustomComboBox : public TCustomComboBox {
public:
    explicit TsuiCustomComboBox(TComponent *AOwner);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor ButtonColor() const { return FButtonColor; }
    void SetButtonColor(TColor Value);
    TColor ArrowColor() const { return FArrowColor; }
    void SetArrowColor(TColor Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    // Applied for every style, Custom too (whose theme colours are black).
    void SetUIStyle(TsuiUIStyle Value);
    void SetEnabled(bool Value) override;

protected:
    void WMPaint(TMessage &Message) override;
    void WMEraseBkgnd(TMessage &Message) override;

private:
    // The flat button with its triangle over the native one.
    void DrawButton();

    TColor FBorderColor = clBlack;
    TColor FButtonColor = clBlack;
    TColor FArrowColor = clBlack;
    TsuiUIStyle FUIStyle = Custom;
};

class TsuiComboBox : public TsuiCustomComboBox {
public:
    using TsuiCustomComboBox::TsuiCustomComboBox;
};
