#pragma once
// The speed button: a window-less button with a glyph and a caption, flat
// (a frame only under the pointer or while down) or raised. Buttons with a
// GroupIndex stay down when clicked; in a group of one with AllowAllUp a
// second click releases it (a toggle).
#include "Controls.h"

#include <memory>

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent *AOwner);
    ~TSpeedButton() override;

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // Buttons of one parent with the same non-zero index let one be down.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // Only a grouped button stays down.
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    // Drawn centred, transparent in its bottom-left pixel's colour.
    TBitmap *Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap *Value);

    // Under the pointer / held down with the mouse.
    bool MouseInControl() const { return FMouseInControl; }
    bool Pressed() const { return FPressed; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CMMouseEnter(TMessage &Message) override;
    void CMMouseLeave(TMessage &Message) override;
    void CMEnabledChanged(TMessage &Message) override;
    void CMTextChanged(TMessage &Message) override;

private:
    // Releases the other buttons of the group.
    void UpdateExclusive();

    bool FFlat = false;
    int FGroupIndex = 0;
    bool FAllowAllUp = false;
    bool FDown = false;
    std::unique_ptr<TBitmap> FGlyph;
    bool FMouseInControl = false;
    bool FPressed = false;
};
