#pragma once
// The skinned colour box: a drop-down list of named colours, each with a
// swatch before its name, with optional "Default", "None" and "Custom..."
// entries; choosing the custom entry asks for a colour with the colour
// dialog. Each item carries its colour as its object value.
#include "SUIComboBox.h"

enum TColorBoxStyle : unsigned {
    cbStandardColors = 0x01,
    cbExtendedColors = 0x02,
    cbSystemColors = 0x04,
    cbIncludeNone = 0x08,
    cbIncludeDefault = 0x10,
    cbCustomColor = 0x20,
    cbPrettyNames = 0x40,
};
using TColorBoxStyles = unsigned;

// What Selected reads while no item is selected.
constexpr TColor NoColorSelected = static_cast<TColor>(0xFF000000);

class TsuiCustomColorBox : public TsuiCustomComboBox {
public:
    explicit TsuiCustomColorBox(TComponent *AOwner);

    TColorBoxStyles Style() const { return FStyle; }
    void SetStyle(TColorBoxStyles Value);
    TColor Selected() const;
    void SetSelected(TColor Value);
    TColor DefaultColorColor() const { return FDefaultColorColor; }
    void SetDefaultColorColor(TColor Value);
    TColor NoneColorColor() const { return FNoneColorColor; }
    void SetNoneColorColor(TColor Value);
    // The colour of item Index.
    TColor Colors(int Index) const;

protected:
    using TCustomComboBox::SetStyle;
    void CreateWnd() override;
    void DrawItem(int Index, const TRect &Rect, TOwnerDrawState State) override;
    void CloseUp() override;
    void KeyDown(int &Key, TShiftState Shift) override;
    void KeyPress(QChar &Key) override;
    void Select() override;
    // Asks for item 0's colour with the colour dialog; true when confirmed.
    bool PickCustomColor();
    // Refills the list from the style; without a window only marks it.
    void PopulateList();

private:
    bool FListSelected = false; // the list was just closed
    TColorBoxStyles FStyle = cbStandardColors | cbExtendedColors | cbSystemColors;
    bool FNeedToPopulate = false;
    TColor FDefaultColorColor = clBlack;
    TColor FNoneColorColor = clBlack;
    TColor FSelectedColor = clBlack;
};

class TsuiColorBox : public TsuiCustomColorBox {
public:
    using TsuiCustomColorBox::TsuiCustomColorBox;
};
