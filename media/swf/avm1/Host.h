#pragma once
// What the virtual machine needs from the movie it runs in: trace output,
// the clips scripts name (levels, parents, children by instance name, target
// paths) and the timeline actions. Clips are known by their script objects;
// the movie gives each display object one (see the display bindings).
#include <QString>

namespace swf::avm1 {

class Context;
class Object;
class String;

class Host {
public:
    virtual ~Host() = default;

    // A line of trace() output.
    virtual void trace(const QString &line) = 0;
    // Something a developer may want to know (a script stopped, a bad
    // action): goes to the debug log.
    virtual void warn(const QString &message) = 0;

    // Whether `object` is a display object's script object.
    virtual bool isClip(const Object *object) const = 0;
    // The live clip that `clip` stands for: itself while it is in the tree;
    // after its removal the clip now at its target path, or null.
    virtual Object *follow(Object *clip) = 0;
    // Whether the clip was itself taken out of its parent's list (a clip
    // that went with an ancestor stays in its own parent's list).
    virtual bool takenOut(Object *) { return false; }
    // _levelN, or null.
    virtual Object *level(int n) = 0;
    // _root as seen from `clip` (its movie's root, or the root it locks).
    virtual Object *root(Object *clip) = 0;
    // The clip holding `clip`, or null at the top.
    virtual Object *parent(Object *clip) = 0;
    // The child of `clip` with the instance name `name` (case as the SWF
    // version of the asking code compares names), or null.
    virtual Object *child(Context &cx, Object *clip, String *name) = 0;
    // "_level0.a.b" (dots) or "/a/b" (slashes).
    virtual QString targetPath(Object *clip, bool slashes) = 0;

    enum class Control { Play, Stop, NextFrame, PrevFrame, ToggleQuality, StopSounds, EndDrag };
    virtual void control(Object *clip, Control what) = 0;
    // Goes to frame `frame` (from 0) of `clip`'s timeline, then plays or stops.
    virtual void gotoFrame(Object *clip, int frame, bool play) = 0;
    // The frame labelled `label`, from 0, or -1.
    virtual int frameOfLabel(Object *clip, const QString &label) = 0;
    // How many frames of `clip` WaitForFrame finds loaded.
    virtual int framesLoaded(Object *clip) = 0;
    // Runs the frame actions of frame `frame` (from 0) of `clip` now (the
    // Call action).
    virtual void callFrame(Object *clip, int frame) = 0;

    // GetURL and GetURL2: `method` 0 none, 1 GET, 2 POST; `target` a window
    // name, "_levelN" or a clip path; `loadTarget`/`loadVariables` as the
    // action's flags say.
    virtual void getUrl(Context &cx, const QString &url, const QString &target, int method, bool loadTarget,
                        bool loadVariables) = 0;
    // CloneSprite, RemoveSprite and StartDrag on a clip.
    virtual void cloneSprite(Context &cx, Object *clip, const QString &name, int depth) = 0;
    virtual void removeSprite(Context &cx, Object *clip) = 0;
    virtual void startDrag(Context &cx, Object *clip, bool lockCenter, const double *bounds) = 0;

protected:
    Host() = default;
};

}
