#pragma once
// The script object of a display object (a movie clip, a button, a text
// field): the native data tying it to the object on the stage, through which
// scripts read and set the display properties (_x, _alpha, ...) and reach the
// children of a clip by their instance names.
#include "swf/avm1/Object.h"
#include "swf/SwfScriptHost.h"

#include <QString>
#include <memory>

namespace swf {
class DisplayObject;
}

namespace swf::avm1 {

class Vm;
struct Frame;

class DisplayData : public NativeData {
public:
    explicit DisplayData(const std::shared_ptr<DisplayObject> &object);
    // The display object while it is on the stage, else null.
    DisplayObject *object() const;
    // Whether the object was itself taken out of its parent's list (or is
    // gone), rather than removed with an ancestor.
    bool takenOut() const;
    // The path the object had on the stage, once it has left it: script
    // references to it now reach whatever stands at that path.
    const QString &pathAtRemoval() const { return removedPath; }
    void setPathAtRemoval(const QString &path) { removedPath = path; }

    bool get(Context &cx, Object &self, String *name, Value &out) override;
    bool set(Context &cx, Object &self, String *name, const Value &value) override;
    void enumerate(Context &cx, Object &self, std::vector<String *> &names) override;
    const char *typeOf() const override;

private:
    std::weak_ptr<DisplayObject> target;
    QString removedPath;
    bool clip; // typeof says "movieclip", also once the clip is gone
};

// What a display object keeps of its script object: it stays alive (pinned)
// as long as the display object does.
class ScriptLink : public ScriptData {
public:
    explicit ScriptLink(Object *object) : object(object) { object->pin(); }
    ~ScriptLink() override { object->unpin(); }
    Object *const object;
};

// The script object of a display object; null for objects scripts do not
// see (shapes, static text, bitmaps).
Object *scriptObject(const DisplayObject *object);
// The display object `o` stands for while it is on the stage, else null.
DisplayObject *displayOf(const Object *o);
// A frame running on the clip `timeline`, in which names and target paths
// resolve as in the clip's frame actions.
Frame timelineFrame(Vm &vm, int version, Object *timeline);
// The child of `object` named `name` (compared as the code's SWF version
// compares names) that scripts can see, or null.
DisplayObject *childNamed(Context &cx, DisplayObject &object, const QString &name);

}
