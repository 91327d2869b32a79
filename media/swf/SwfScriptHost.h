#pragma once
// The script engine as the display tree sees it. Action bytecode stays raw
// in the movie (frame actions, init actions, clip event handlers, button
// condition actions); the tree decides when each block runs and on which
// clip, and asks the engine to run it. It also tells the engine when objects
// come and go and when events reach them, so the handlers and listeners that
// scripts set up run. Scripts reach the tree through the display objects'
// own methods (DisplayObject, MovieClip, ButtonObject, EditTextObject) and
// the Stage (levels, paths, focus, mouse, dragging).
//
// The engine holds display objects through weak pointers (or for no longer
// than a call): the stage and its objects go before the engine does.
//
// Calls may nest: running a block can place objects (a goto, attachMovie)
// whose construction calls back into the engine. Actions queued while a
// block runs (the frame actions of a goto) run after it, when the stage
// drains its queue.
#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>
#include <vector>

namespace swf {

class DisplayObject;
class MovieClip;

// What the engine keeps for a display object (its script object, its
// variables); the engine derives from it. It lives as long as the object.
class ScriptData {
public:
    virtual ~ScriptData() = default;
};

// An argument of a handler: undefined, a number, a string or a display
// object (null for none).
using ScriptArg = std::variant<std::monostate, double, QString, DisplayObject *>;

class ScriptHost {
public:
    virtual ~ScriptHost() = default;

    // Runs `bytecode` (a DoAction block, an onClipEvent or on() handler, a
    // button condition action) on `target`: `this` and the timeline that
    // unqualified names and timeline actions refer to.
    virtual void runActions(MovieClip &target, const QByteArray &bytecode) = 0;
    // Runs a DoInitAction block; `target` is the root of the movie holding it.
    virtual void runInitActions(MovieClip &target, const QByteArray &bytecode) = 0;
    // Calls the method named `name` ("onEnterFrame", "onPress", ...) that a
    // script set on `object`, if there is one.
    virtual void callHandler(DisplayObject &object, const QString &name, const std::vector<ScriptArg> &args) = 0;
    // Whether a script set a method named `name` on `object` (a clip with
    // onPress, onRelease, ... takes the mouse like a button).
    virtual bool hasHandler(DisplayObject &object, const QString &name) = 0;
    // Calls `name` on every listener of the built-in broadcaster `source`
    // ("Key", "Mouse", "Stage", "Selection").
    virtual void broadcast(const QString &source, const QString &name, const std::vector<ScriptArg> &args) = 0;
    // `object` was just made (by the timeline, attachMovie, duplicateMovieClip,
    // createEmptyMovieClip, createTextField) and is in the tree.
    virtual void objectCreated(DisplayObject &object) = 0;
    // The clip takes on the class registered for its symbol, if any: it gets
    // the class's prototype, then its on(construct) handlers
    // (`constructHandlers`, run on the clip) run, then the class constructor.
    // Clips placed by the timeline are constructed once the frame is built
    // (after the frame's init actions, before its frame actions).
    virtual void constructObject(MovieClip &clip, const std::vector<QByteArray> &constructHandlers) = 0;
    // `object` left the tree; references to it resolve by target path from now.
    virtual void objectRemoved(DisplayObject &object) = 0;
    // The frame's scripts have run: text fields bound to variables show
    // their values.
    virtual void frameScriptsDone() = 0;
    // The user changed the text of the text field `field` (typing): its
    // variable takes the text, and its onChanged handler and listeners run.
    virtual void textChanged(DisplayObject &field) = 0;
    // A property scripts set on `object` (tabEnabled, tabIndex, ...) as a
    // number (true 1, false 0), or none while it is undefined.
    virtual std::optional<double> numberProperty(DisplayObject &object, const QString &name) = 0;
    // What runs between beginTurn and endTurn (one frame, one input event)
    // shares one script time limit. Turns nest.
    virtual void beginTurn() = 0;
    virtual void endTurn() = 0;
};

// One turn for the lifetime of the guard.
class ScriptTurn {
public:
    explicit ScriptTurn(ScriptHost &host) : host(host) { host.beginTurn(); }
    ~ScriptTurn() { host.endTurn(); }
    ScriptTurn(const ScriptTurn &) = delete;
    ScriptTurn &operator=(const ScriptTurn &) = delete;

private:
    ScriptHost &host;
};

}
