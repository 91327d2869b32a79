#pragma once
// Standard controls: the label and the group box.
#include "Controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };

// A caption without a window. It sizes itself to its text (AutoSize), and
// its accelerator ("&Name") focuses FocusControl.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent *AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // A transparent label leaves what is under it and draws only its text.
    bool Transparent() const { return !(ControlStyle() & csOpaque); }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl *FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl *Value);
    void SetAutoSize(bool Value) override;

protected:
    void Paint() override;
    // Draws (or with DT_CALCRECT measures) the caption into Rect.
    void DoDrawText(TCanvas *Canvas, TRect &Rect, UINT Flags);
    // Sizes an auto-sized label to its text.
    void AdjustBounds();
    void Notification(TComponent *AComponent, TOperation Operation) override;
    void Loaded() override;
    void CMTextChanged(TMessage &Message) override;
    void CMFontChanged(TMessage &Message) override;
    void CMDialogChar(TMessage &Message) override;

private:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl *FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};

// A framed container with its caption set into the top edge. Its
// accelerator focuses its first control.
class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent *AOwner);

protected:
    void Paint() override;
    void AdjustClientRect(TRect &Rect) override;
    void CMDialogChar(TMessage &Message) override;
    void CMTextChanged(TMessage &Message) override;
    void CMFontChanged(TMessage &Message) override;

private:
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
};

// The list box, the edit and the memo, over Qt's own widgets.
#include "StdCtrlsComboBox.h"
#include "StdCtrlsEdit.h"
#include "StdCtrlsListBox.h"
