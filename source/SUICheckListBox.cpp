#include "SUICheckListBox.h"

TsuiCheckListBox::TsuiCheckListBox(TComponent *AOwner) : TsuiBoxBorder(AOwner)
{
    SetFlat(true);
    TCustomListBox::SetBorderStyle(bsNone);
    TWinControl::SetBorderWidth(1);
    SetBorderColor(GetContainerBorderColor(AOwner));
}

void TsuiCheckListBox::SetBorderStyle(TBorderStyle)
{
    TCustomListBox::SetBorderStyle(bsNone);
}

void TsuiCheckListBox::SetBorderWidth(int)
{
    TWinControl::SetBorderWidth(1);
}
