#include "SUIEdit.h"

TsuiEdit::TsuiEdit(TComponent *AOwner) : TsuiBoxBorder(AOwner)
{
    SetUpBoxBorder(AOwner);
}
