#include "DisplayData.h"

#include "DisplayProperties.h"
#include "swf/SwfMovieClip.h"
#include "swf/avm1/Context.h"
#include "swf/avm1/Frame.h"
#include "swf/avm1/Scope.h"
#include "swf/avm1/String.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

DisplayData::DisplayData(const std::shared_ptr<DisplayObject> &object)
    : target(object), clip(object && object->kind() == DisplayObject::Kind::MovieClip)
{
}

DisplayObject *DisplayData::object() const
{
    DisplayObject *o = target.lock().get();
    return o && !o->removed() ? o : nullptr;
}

bool DisplayData::takenOut() const
{
    std::shared_ptr<DisplayObject> o = target.lock();
    return !o || o->takenOut();
}

bool DisplayData::get(Context &cx, Object &, String *name, Value &out)
{
    DisplayObject *o = object();
    if (!o)
        return false;
    if (getDisplayProperty(cx, *o, name->text(), out))
        return true;
    if (DisplayObject *child = childNamed(cx, *o, name->text())) {
        out = scriptObject(child);
        return true;
    }
    return false;
}

bool DisplayData::set(Context &cx, Object &, String *name, const Value &value)
{
    DisplayObject *o = object();
    return o && setDisplayProperty(cx, *o, name->text(), value);
}

void DisplayData::enumerate(Context &cx, Object &, std::vector<String *> &names)
{
    auto *clip = dynamic_cast<MovieClip *>(object());
    if (!clip)
        return;
    for (const auto &[depth, child] : clip->children())
        if (scriptObject(child.get()) && !child->name().isEmpty())
            names.push_back(cx.vm.name(child->name()));
}

const char *DisplayData::typeOf() const
{
    return clip ? "movieclip" : nullptr;
}

Object *scriptObject(const DisplayObject *object)
{
    auto *link = object ? dynamic_cast<ScriptLink *>(object->scriptData()) : nullptr;
    return link ? link->object : nullptr;
}

DisplayObject *displayOf(const Object *o)
{
    auto *data = o ? o->nativeAs<DisplayData>() : nullptr;
    return data ? data->object() : nullptr;
}

Frame timelineFrame(Vm &vm, int version, Object *timeline)
{
    Frame frame(vm, version, timeline);
    frame.scope = vm.heap.make<Scope>(nullptr, timeline, Scope::Timeline);
    return frame;
}

DisplayObject *childNamed(Context &cx, DisplayObject &object, const QString &name)
{
    if (object.kind() != DisplayObject::Kind::MovieClip)
        return nullptr;
    const Qt::CaseSensitivity cs = cx.caseSensitive() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (const auto &[depth, child] : static_cast<MovieClip &>(object).children())
        if (scriptObject(child.get()) && child->name().compare(name, cs) == 0)
            return child.get();
    return nullptr;
}

}
