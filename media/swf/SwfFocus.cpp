#include "SwfFocus.h"

#include "SwfEditTextObject.h"
#include "SwfMovieClip.h"
#include "SwfStage.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace swf {

namespace {

TextField *modelOf(DisplayObject *object)
{
    return object && object->kind() == DisplayObject::Kind::EditText
        ? &static_cast<EditTextObject *>(object)->textField()
        : nullptr;
}

}

namespace {

bool actsAsButton(DisplayObject &clip, ScriptHost &host)
{
    for (const char *handler : {"onPress", "onRelease", "onRollOver", "onRollOut"})
        if (host.hasHandler(clip, QString::fromLatin1(handler)))
            return true;
    return false;
}

struct Tabbable {
    DisplayObject *object;
    std::optional<double> index;
    QPointF at; // top left on the stage
};

void collectTabbable(DisplayObject &object, ScriptHost &host, std::vector<Tabbable> &out)
{
    if (!object.visible())
        return;
    std::optional<double> enabled = host.numberProperty(object, QStringLiteral("tabEnabled"));
    bool byDefault = false;
    switch (object.kind()) {
    case DisplayObject::Kind::Button:
        byDefault = true;
        break;
    case DisplayObject::Kind::EditText:
        byDefault = static_cast<EditTextObject &>(object).textField().editable;
        break;
    case DisplayObject::Kind::MovieClip:
        byDefault = actsAsButton(object, host);
        break;
    default:
        return;
    }
    // Level roots take no part in the tab order.
    if (object.parent() && (enabled ? *enabled != 0 : byDefault)) {
        QRectF bounds = object.stageMatrix().mapRect(object.localBounds());
        out.push_back({&object, host.numberProperty(object, QStringLiteral("tabIndex")), bounds.topLeft()});
    }
    std::optional<double> children = host.numberProperty(object, QStringLiteral("tabChildren"));
    if (object.kind() == DisplayObject::Kind::MovieClip && (!children || *children != 0))
        for (const auto &[depth, child] : static_cast<MovieClip &>(object).children())
            collectTabbable(*child, host, out);
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
    if (object != before)
        move(before, object);
    highlight = object && object->focusRect().value_or(rects);
}

bool Focus::highlighted() const
{
    DisplayObject *object = current();
    return highlight && object && object->kind() != DisplayObject::Kind::EditText;
}

void Focus::tab(bool backwards)
{
    std::vector<Tabbable> all;
    for (const auto &[level, root] : stage.levels())
        collectTabbable(*root, stage.scripts(), all);
    bool custom = std::any_of(all.begin(), all.end(), [](const Tabbable &t) { return t.index.has_value(); });
    if (custom) {
        std::erase_if(all, [](const Tabbable &t) { return !t.index; });
        std::stable_sort(all.begin(), all.end(), [](const Tabbable &a, const Tabbable &b) { return *a.index < *b.index; });
    } else {
        std::stable_sort(all.begin(), all.end(), [](const Tabbable &a, const Tabbable &b) {
            return a.at.y() != b.at.y() ? a.at.y() < b.at.y() : a.at.x() < b.at.x();
        });
    }
    if (all.empty())
        return;
    DisplayObject *now = current();
    auto it = std::find_if(all.begin(), all.end(), [now](const Tabbable &t) { return t.object == now; });
    int n = int(all.size());
    int next = it == all.end() ? (backwards ? n - 1 : 0) : (int(it - all.begin()) + (backwards ? n - 1 : 1)) % n;
    set(all[next].object);
    // Tab selects all of a text field, also of the one that had the focus.
    if (TextField *field = modelOf(all[next].object))
        field->setSelection(0, field->length());
}

void Focus::objectRemoved(DisplayObject &object)
{
    if (focused.lock().get() == &object)
        move(&object, nullptr);
}

void Focus::move(DisplayObject *before, DisplayObject *object)
{
    std::shared_ptr<DisplayObject> keepBefore = before ? before->shared_from_this() : nullptr;
    std::shared_ptr<DisplayObject> keepNow = object ? object->shared_from_this() : nullptr;
    focused = keepNow;
    if (TextField *field = modelOf(before)) {
        field->focused = false;
        field->setSelection(0, 0);
    }
    ScriptHost &scripts = stage.scripts();
    if (before)
        scripts.callHandler(*before, QStringLiteral("onKillFocus"), {object});
    if (object)
        scripts.callHandler(*object, QStringLiteral("onSetFocus"), {before});
    scripts.broadcast(QStringLiteral("Selection"), QStringLiteral("onSetFocus"), {before, object});
    // A text field shows its caret and selects all once the handlers have
    // run: while they run it has no selection yet.
    if (TextField *field = modelOf(object); field && current() == object) {
        field->focused = true;
        field->caretShown = true;
        field->setSelection(0, field->length());
    }
}

void Focus::placeCaret(int index)
{
    if (TextField *field = modelOf(current()))
        field->setSelection(index, index);
}

}
