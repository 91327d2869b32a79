#pragma once
// The skinned tree view: the framework's tree view with a flat two-line
// border whose outer line takes the style's border colour. The style reaches
// it only as that colour.
#include "ComCtrls.h"
#include "SUIBoxBorder.h"

class TsuiTreeView : public TsuiBoxBorder<TCustomTreeView> {
public:
    explicit TsuiTreeView(TComponent *AOwner);
};
