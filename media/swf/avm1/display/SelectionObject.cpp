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

#include <algorithm>

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
// and when no target is given at all.
Value setFocus(Context &cx, const Value &, Args args)
{
    Stage *stage = currentStage(cx);
    if (!stage || args.empty())
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

Value index(Context &cx, int which)
{
    TextField *field = focusedField(cx);
    if (!field)
        return -1;
    int begin = std::min(field->selectionBegin(), field->selectionEnd());
    int end = std::max(field->selectionBegin(), field->selectionEnd());
    return which == 0 ? begin : which == 1 ? end : field->selectionEnd();
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

// setSelection(begin[, end]) in the focused text field, clamped to its
// text; without an end the selection keeps its end. The caret goes to the
// end, and a begin past the end moves back to it.
Value setSelection(Context &cx, const Value &, Args args)
{
    TextField *field = focusedField(cx);
    if (!field || args.empty())
        return Value();
    int n = field->length();
    int end = args.size() > 1 ? std::clamp(toInt(cx, args[1]), 0, n) : field->selectionEnd();
    int begin = std::min(std::clamp(toInt(cx, args[0]), 0, n), end);
    field->setSelection(begin, end);
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
