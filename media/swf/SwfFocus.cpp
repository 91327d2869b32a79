#include "SwfFocus.h"

#include "SwfEditTextObject.h"
#include "SwfStage.h"

namespace swf {

namespace {

TextField *modelOf(DisplayObject *object)
{
    return object && object->kind() == DisplayObject::Kind::EditText
        ? &static_cast<EditTextObject *>(object)->textField()
        : nullptr;
}

}

DisplayObject *Focus::current() const
{
    DisplayObject *object = focused.lock().get();
    return object && !object->removed() ? object : nullptr;
}

void Focus::set(DisplayObject *object)
{
    DisplayObject *before = current();
    if (object == before)
        return;
    std::shared_ptr<DisplayObject> keepBefore = before ? before->shared_from_this() : nullptr;
    std::shared_ptr<DisplayObject> keepNow = object ? object->shared_from_this() : nullptr;
    focused = keepNow;
    if (TextField *field = modelOf(before)) {
        field->focused = false;
        field->setSelection(0, 0);
    }
    if (TextField *field = modelOf(object)) {
        field->focused = true;
        field->caretShown = true;
        field->setSelection(0, field->length());
    }
    ScriptHost &scripts = stage.scripts();
    if (before)
        scripts.callHandler(*before, QStringLiteral("onKillFocus"), {object});
    if (object)
        scripts.callHandler(*object, QStringLiteral("onSetFocus"), {before});
    scripts.broadcast(QStringLiteral("Selection"), QStringLiteral("onSetFocus"), {before, object});
}

void Focus::placeCaret(int index)
{
    if (TextField *field = modelOf(current()))
        field->setSelection(index, index);
}

}
