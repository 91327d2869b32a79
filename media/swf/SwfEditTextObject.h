#pragma once
// A text field on the stage: placed from a DefineEditText record, with a
// text field model of its own that scripts and typing change.
#include "SwfDisplayObject.h"
#include "SwfTextField.h"

namespace swf {

struct EditTextCharacter;

class EditTextObject : public DisplayObject {
public:
    EditTextObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const EditTextCharacter &field);
    const EditTextCharacter &record() const;
    const TextField &textField() const { return model; }
    TextField &textField() { return model; }
    QRectF localBounds() const override;
    bool hitTestLocal(const QPointF &point, bool exact) const override;

private:
    TextField model;
};

}
