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
    // Where auto size moved the field, in twips of its parent's space: _x and
    // _y count it, as the field grows from its right edge or its centre.
    QPointF autoSizeShift() const;
    // The value of the field's variable it last showed or stored.
    const QString &variableText() const { return shownValue; }
    void setVariableText(const QString &value) { shownValue = value; }

private:
    TextField model;
    QString shownValue;
};

}
