#pragma once
// The title bar button of the programme window that closes it.
#include "SUITitleBar.h"

// Its index in the title bar's buttons, -1 when there is none.
inline int CloseButtonIndex(TsuiTitleBar *Bar)
{
    for (int i = 0; i < Bar->Buttons()->Count(); ++i)
        if (Bar->Buttons()->Items(i)->ButtonType() == suiClose)
            return i;
    return -1;
}
