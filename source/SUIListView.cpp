#include "SUIListView.h"

TsuiListView::TsuiListView(TComponent *AOwner) : TsuiBoxBorder(AOwner)
{
    SetUpBoxBorder(AOwner);
}
