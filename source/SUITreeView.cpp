#include "SUITreeView.h"

TsuiTreeView::TsuiTreeView(TComponent *AOwner) : TsuiBoxBorder(AOwner)
{
    SetUpBoxBorder(AOwner);
}
