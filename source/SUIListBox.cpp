#include "SUIListBox.h"

TsuiListBox::TsuiListBox(TComponent *AOwner) : TsuiScrollLinked(AOwner)
{
    SetUpBoxBorder(AOwner);
}
