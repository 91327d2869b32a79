#pragma once
// The skinned memo: the framework's memo with a flat two-line border in the
// style's border colour and up to two linked skinned scroll bars in front of
// its native ones. Its native scroll bars follow the links: linking a bar
// switches the native bar of that direction on, unlinking it switches it off.
#include "SUIBoxBorder.h"
#include "SUIScrollBarLink.h"
#include "StdCtrls.h"

class TsuiMemo : public TsuiScrollLinked<TsuiBoxBorder<TCustomMemo>, TScrollLinkKind::Memo> {
public:
    explicit TsuiMemo(TComponent *AOwner);

    // Scroll bars of the same parent (and owner), or nullptr.
    TsuiScrollBar *VScrollBar() const { return FLink.VScrollBar(); }
    void SetVScrollBar(TsuiScrollBar *Value) { FLink.SetVScrollBar(Value); }
    TsuiScrollBar *HScrollBar() const { return FLink.HScrollBar(); }
    void SetHScrollBar(TsuiScrollBar *Value) { FLink.SetHScrollBar(Value); }
};
