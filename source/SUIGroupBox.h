#pragma once
// Skinned group boxes: a framed, captioned container drawn in the style's
// border and caption colours over the picture panel. The frame's top line
// runs through the middle of the caption's line and leaves a gap for it.
#include "SUIImagePanel.h"

class TsuiCustomGroupBox : public TsuiCustomPanel {
public:
    explicit TsuiCustomGroupBox(TComponent *AOwner);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // The group box's own caption; the control text stays a single blank so
    // that the panel draws no caption of its own.
    String Caption() const { return FCaption; }
    void SetCaption(const String &Value);
    // Enables or disables the group box and each of its direct children.
    void SetEnabled(bool Value) override;

    // Hands Style to the group box's skinned children.
    virtual void ApplyStyle(TsuiUIStyle Style);

    // Where the items of a group go: the client area inside the frame and
    // below the caption's line.
    TRect ItemArea() const;

protected:
    void Paint() override;
    void CMFontChanged(TMessage &Message) override;

private:
    TColor FBorderColor = clBlack;
    String FCaption;
};

class TsuiGroupBox : public TsuiCustomGroupBox {
public:
    using TsuiCustomGroupBox::TsuiCustomGroupBox;
};
