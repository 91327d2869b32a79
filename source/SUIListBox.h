#pragma once
// The skinned list box: the framework's list box with a flat two-line border
// in the style's border colour and an optional linked skinned vertical scroll
// bar that stands in front of the native one and keeps in step with it.
#include "SUIBoxBorder.h"
#include "SUIScrollBarLink.h"
#include "StdCtrls.h"

class TsuiListBox : public TsuiScrollLinked<TsuiBoxBorder<TCustomListBox>, TScrollLinkKind::ListBox> {
public:
    explicit TsuiListBox(TComponent *AOwner);

    // A scroll bar of the same parent (and owner), or nullptr.
    TsuiScrollBar *VScrollBar() const { return FLink.VScrollBar(); }
    void SetVScrollBar(TsuiScrollBar *Value) { FLink.SetVScrollBar(Value); }
};
