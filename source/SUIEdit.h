#pragma once
// The skinned edit: the framework's single-line edit with a flat two-line
// border in the style's border colour.
#include "SUIBoxBorder.h"
#include "StdCtrls.h"

class TsuiEdit : public TsuiBoxBorder<TCustomEdit> {
public:
    explicit TsuiEdit(TComponent *AOwner);
};
