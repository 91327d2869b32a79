#pragma once
// A text field on the stage: placed from a DefineEditText record or made by
// a script, with a text field model of its own that scripts and typing change.
#include "SwfDisplayObject.h"
#include "SwfTextField.h"

namespace swf {

struct EditTextCharacter;

class EditTextObject : public DisplayObject {
public:
    EditTextObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const EditTextCharacter &field);
    // An empty field made by a script (createTextField) over `pixels` of its
    // parent's space, finding embedded fonts in `movie`.
    EditTextObject(Stage &stage, std::shared_ptr<const Movie> movie, const QRectF &pixels);
    const TextField &textField() const { return model; }
    TextField &textField() { return model; }
    QRectF localBounds() const override;
    bool hitTestLocal(const QPointF &point, bool exact) const override;
    // Where the field's top-left corner lies, in twips of its parent's space
    // from the field's origin: _x and _y count it, so they follow the record's
    // bounds and auto size that grows from the right edge or the centre.
    QPointF cornerOffset() const;
    // The value of the field's variable it last showed or stored.
    const QString &variableText() const { return shownValue; }
    void setVariableText(const QString &value) { shownValue = value; }

private:
    TextField model;
    QString shownValue;
};

}
