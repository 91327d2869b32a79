#pragma once
// Text fields bound to variables (a field's `variable`): the field shows the
// variable's value, and what is typed into the field or set as its text goes
// into the variable. The variable lives on the field's parent clip, or on
// the clip its path names ("_root.score", "/a:name").
namespace swf {
class EditTextObject;
class Stage;
}

namespace swf::avm1 {

class Vm;

// `field` was made or given a variable: it shows the variable's value, or,
// when the variable is undefined, the variable takes the field's text
// unless it is empty.
void bindTextVariable(Vm &vm, EditTextObject &field);
// `field` shows its variable's current value now, as scripts reading its
// text see it.
void refreshTextVariable(Vm &vm, EditTextObject &field);
// The text of `field` changed: its variable, if it has one, takes it.
void storeTextVariable(Vm &vm, EditTextObject &field);
// Every bound field on `stage` shows its variable's current value (once a
// frame, after the frame's scripts).
void showTextVariables(Vm &vm, Stage &stage);

}
