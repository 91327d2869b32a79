#pragma once
// The skinned check list box: the framework's check list box with flat check
// boxes and a flat border in the style's border colour. Its border is locked:
// one pixel of margin and no native border, whatever is written.
#include "CheckLst.h"
#include "SUIBoxBorder.h"

class TsuiCheckListBox : public TsuiBoxBorder<TCheckListBox> {
public:
    explicit TsuiCheckListBox(TComponent *AOwner);

    // Reads bsSingle; any value written leaves the native border off.
    TBorderStyle BorderStyle() const { return bsSingle; }
    void SetBorderStyle(TBorderStyle Value);
    // Reads 1; any value written leaves a margin of one pixel.
    int BorderWidth() const { return 1; }
    void SetBorderWidth(int Value);
};
