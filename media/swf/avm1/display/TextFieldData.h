#pragma once
// The data of a text field's script object: besides the field on the stage,
// the values of its properties that the field's text model has no use for.
#include "DisplayData.h"
#include "swf/avm1/Heap.h"
#include "swf/avm1/Value.h"

namespace swf::avm1 {

class TextFieldData : public DisplayData {
public:
    using DisplayData::DisplayData;

    Value styleSheet; // the style sheet object, or undefined
    Value tabIndex;   // as given; the tab order reads it as a number
    Value filters;    // the array last given

    void trace(Tracer &tracer) override
    {
        tracer.mark(styleSheet);
        tracer.mark(tabIndex);
        tracer.mark(filters);
    }
};

}
