#include "SUIMemo.h"

TsuiMemo::TsuiMemo(TComponent *AOwner) : TsuiScrollLinked(AOwner)
{
    SetUpBoxBorder(AOwner);
    FLink.OnLinksChanged = [this] {
        const bool vertical = FLink.VScrollBar() != nullptr;
        const bool horizontal = FLink.HScrollBar() != nullptr;
        SetScrollBars(vertical && horizontal ? ssBoth : vertical ? ssVertical : horizontal ? ssHorizontal : ssNone);
    };
}
