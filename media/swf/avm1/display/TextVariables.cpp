#include "TextVariables.h"

#include "DisplayData.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfStage.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Frame.h"
#include "swf/avm1/Variables.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

namespace {

// Runs `body` with a frame whose timeline is the field's parent, as the
// field's variable name is read there; nothing when the field has no
// variable or no parent.
template <class F> void withVariable(Vm &vm, EditTextObject &field, F &&body)
{
    const QString &name = field.textField().variable;
    Object *parent = scriptObject(field.parent());
    if (name.isEmpty() || !parent || vm.disabled())
        return;
    Frame frame = timelineFrame(vm, field.movie().version(), parent);
    body(frame, vm.name(name));
}

void show(EditTextObject &field, const QString &value)
{
    field.setVariableText(value);
    TextField &model = field.textField();
    if (model.html)
        model.setHtmlText(value);
    else
        model.setText(value);
}

void showIn(Vm &vm, DisplayObject &object)
{
    if (object.kind() == DisplayObject::Kind::EditText) {
        auto &field = static_cast<EditTextObject &>(object);
        withVariable(vm, field, [&](Frame &frame, String *name) {
            Value value = getVariable(frame, name);
            if (value.isUndefined())
                return;
            QString text = toQString(frame.cx, value);
            if (text != field.variableText())
                show(field, text);
        });
    } else if (object.kind() == DisplayObject::Kind::MovieClip) {
        for (const auto &[depth, child] : static_cast<MovieClip &>(object).children())
            showIn(vm, *child);
    }
}

}

void bindTextVariable(Vm &vm, EditTextObject &field)
{
    withVariable(vm, field, [&](Frame &frame, String *name) {
        Value value = getVariable(frame, name);
        if (value.isUndefined()) {
            // An empty field leaves the variable undefined.
            if (field.textField().length() > 0)
                storeTextVariable(vm, field);
        } else
            show(field, toQString(frame.cx, value));
    });
}

void refreshTextVariable(Vm &vm, EditTextObject &field)
{
    showIn(vm, field);
}

void storeTextVariable(Vm &vm, EditTextObject &field)
{
    withVariable(vm, field, [&](Frame &frame, String *name) {
        QString text = field.textField().htmlText();
        setVariable(frame, name, vm.string(text));
        // The field follows the variable's changes from what it now holds: a
        // refused write (a read-only variable) leaves the field's new text.
        Value stored = getVariable(frame, name);
        field.setVariableText(stored.isUndefined() ? text : toQString(frame.cx, stored));
    });
}

void showTextVariables(Vm &vm, Stage &stage)
{
    for (const auto &[n, root] : stage.levels())
        showIn(vm, *root);
}

}
