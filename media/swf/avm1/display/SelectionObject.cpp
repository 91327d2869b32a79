// Selection: the global object through which scripts see and move the
// keyboard focus and select text in the focused text field. It is a
// broadcaster: its listeners hear onSetFocus.
#include "DisplayClasses.h"
#include "DisplayData.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfStage.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Frame.h"
#include "swf/avm1/Variables.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

namespace swf::avm1 {

namespace {

DisplayObject *focused(Context &cx)
{
    Stage *stage = currentStage(cx);
    return stage ? stage->focus().current() : nullptr;
}

TextField *focusedField(Context &cx)
{
    DisplayObject *object = focused(cx);
    return object && object->kind() == DisplayObject::Kind::EditText
        ? &static_cast<EditTextObject *>(object)->textField()
        : nullptr;
}

// getFocus(): the focused object's target path, or null.
Value getFocus(Context &cx, const Value &, Args)
{
    DisplayObject *object = focused(cx);
    return object ? Value(cx.vm.string(object->targetPath())) : Value::null();
}

// Text fields and buttons take the focus; clips other than level roots
// when focusEnabled is set or they act as buttons.
bool focusable(Context &cx, DisplayObject &object)
{
    if (!object.parent())
        return false;
    if (object.kind() != DisplayObject::Kind::MovieClip)
        return object.kind() == DisplayObject::Kind::EditText || object.kind() == DisplayObject::Kind::Button;
    Object *clip = scriptObject(&object);
    if (toBoolean(cx, clip->get(cx, cx.vm.name(QStringLiteral("focusEnabled")))))
        return true;
    for (const char *handler : {"onPress", "onRelease", "onRollOver", "onRollOut"})
        if (object.stage().scripts().hasHandler(object, QString::fromLatin1(handler)))
            return true;
    return false;
}

// setFocus(target): a text field, clip or button, or a path to one; null
// or undefined takes the focus away. False when the target cannot take it,
// and when no target or more than one is given.
Value setFocus(Context &cx, const Value &, Args args)
{
    Stage *stage = currentStage(cx);
    if (!stage || args.size() != 1)
        return false;
    Value target = arg(args, 0);
    DisplayObject *object = nullptr;
    if (!target.isNullish()) {
        Frame frame = timelineFrame(cx.vm, cx.version, cx.target);
        object = displayOf(target.isString() ? resolvePath(frame, toQString(cx, target)) : target.asObject());
        if (!object || !focusable(cx, *object))
            return false;
    }
    stage->focus().set(object);
    return true;
}

// The selection in the focused text field; -1 without one, also while the
// handlers of its gaining the focus run.
Value index(Context &cx, int which)
{
    TextField *field = focusedField(cx);
    if (!field || !field->focused)
        return -1;
    return which == 0 ? field->selectionBegin() : which == 1 ? field->selectionEnd() : field->caretIndex();
}

Value getBeginIndex(Context &cx, const Value &, Args)
{
    return index(cx, 0);
}

Value getEndIndex(Context &cx, const Value &, Args)
{
    return index(cx, 1);
}

Value getCaretIndex(Context &cx, const Value &, Args)
{
    return index(cx, 2);
}

// setSelection(anchor, caret) in the focused text field, clamped to its
// text, the caret at the second index. Any other number of arguments
// leaves the selection as it is.
Value setSelection(Context &cx, const Value &, Args args)
{
    TextField *field = focusedField(cx);
    if (field && args.size() == 2)
        field->setSelection(toInt(cx, args[0]), toInt(cx, args[1]));
    return Value();
}

}

void installSelection(Vm &vm)
{
    Object *selection = makeBroadcaster(vm, "Selection");
    vm.method(selection, "getFocus", getFocus);
    vm.method(selection, "setFocus", setFocus);
    vm.method(selection, "getBeginIndex", getBeginIndex);
    vm.method(selection, "getEndIndex", getEndIndex);
    vm.method(selection, "getCaretIndex", getCaretIndex);
    vm.method(selection, "setSelection", setSelection);
}

}
