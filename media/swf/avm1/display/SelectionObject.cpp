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

// setFocus(target): a text field, clip or button, or a path to one; null
// or undefined takes the focus away. True when the focus moved.
Value setFocus(Context &cx, const Value &, Args args)
{
    Stage *stage = currentStage(cx);
    if (!stage)
        return false;
    Value target = arg(args, 0);
    DisplayObject *object = nullptr;
    if (!target.isNullish()) {
        Frame frame = timelineFrame(cx.vm, cx.version, cx.target);
        object = displayOf(target.isString() ? resolvePath(frame, toQString(cx, target)) : target.asObject());
        if (!object)
            return false;
    }
    bool moved = stage->focus().current() != object;
    stage->focus().set(object);
    return moved;
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

// setSelection(begin, end) in the focused text field, clamped to its text.
Value setSelection(Context &cx, const Value &, Args args)
{
    TextField *field = focusedField(cx);
    if (!field || args.empty())
        return Value();
    int n = field->length();
    int begin = std::clamp(toInt(cx, args[0]), 0, n);
    int end = args.size() > 1 ? std::clamp(toInt(cx, args[1]), 0, n) : begin;
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
