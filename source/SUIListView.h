#pragma once
// The skinned list view: the framework's list view with a flat two-line
// border whose outer line takes the style's border colour. Its header and
// scroll bars stay native; the style reaches it only as the border colour.
#include "ComCtrls.h"
#include "SUIBoxBorder.h"

class TsuiListView : public TsuiBoxBorder<TCustomListView> {
public:
    explicit TsuiListView(TComponent *AOwner);
};
