#pragma once
// The stage: the levels of movies shown (level 0 is the movie loaded first)
// and the frame loop that plays them. Each frame, every clip runs its frame
// (the clip made last goes first, the level roots last), placing objects and
// queueing frame actions and events; then the queue runs, each block through
// the script host: init actions and initialize handlers first, then the
// construction of new clips, then frame actions and events in the order they
// were queued.
#include "SwfFocus.h"
#include "SwfKeyboard.h"
#include "SwfMouseInput.h"
#include "SwfScriptHost.h"
#include "SwfTimeline.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace swf {

class DisplayObject;
class Movie;
class MovieClip;
class TimelineSound;

// Clips and buttons nest no deeper than this, and a stage holds no more of
// them than this at once, so sprites and buttons that place themselves (once
// or many times) cannot recurse without end.
constexpr int kMaxNesting = 32;
constexpr int kMaxClips = 4096;

class Stage {
public:
    explicit Stage(ScriptHost &host);
    ~Stage();
    Stage(const Stage &) = delete;
    Stage &operator=(const Stage &) = delete;

    ScriptHost &scripts() const { return host; }
    // What hears of the frames clips show and of their playing (the movie's
    // sound); null for silence. It must outlive the stage.
    TimelineSound *sound() const { return soundOut; }
    void setSound(TimelineSound *sound) { soundOut = sound; }

    // Shows `movie` as level `level`, replacing what was there; returns its root.
    MovieClip *loadLevel(int level, std::shared_ptr<const Movie> movie);
    void unloadLevel(int level);
    MovieClip *level(int level) const;
    MovieClip *root() const { return level(0); }
    const std::map<int, std::shared_ptr<MovieClip>> &levels() const { return roots; }

    // One frame of the movie's clock for every clip, then the queued actions.
    void tick();
    // Runs the queued actions and events until the queue is empty (scripts
    // may queue more while it runs).
    void runQueuedActions();
    void queueActions(MovieClip &target, const QByteArray &bytecode);
    // Queues `object`'s onClipEvent handlers for `event` and the handler
    // method a script may have set for it.
    void queueEvent(DisplayObject &object, uint32_t event);
    // Queues a DoInitAction block of `clip`'s movie, unless that sprite's init
    // actions were queued already.
    void queueInitActions(MovieClip &clip, uint16_t spriteId, const QByteArray &bytecode);
    // Queues the construction of a clip the timeline placed.
    void queueConstruct(MovieClip &clip);

    // A display object for character `id` of `movie`, to be put into
    // `parent`; null when the movie has no such character or the clip limits
    // are reached.
    std::shared_ptr<DisplayObject> instantiate(const std::shared_ptr<const Movie> &movie, uint16_t id,
                                               const DisplayObject *parent);
    // `object` was put into the tree: it gets its default name, clips join
    // the frame loop and run their first frame, and the script host hears.
    void added(DisplayObject &object);
    // `object` left the tree (called once per object): its unload handlers
    // are queued unless they were already, and the script host hears.
    void removed(DisplayObject &object);
    // Whether `object` or something inside it has an unload handler.
    bool hasUnloadHandlers(DisplayObject &object);
    // The timeline took `object` away while it has unload handlers: the
    // unload handlers of what it holds and then its own are queued, and it
    // leaves its parent when the parent runs its next frame.
    void startUnload(DisplayObject &object);
    // The clips and buttons alive now.
    int liveClips() const { return clipCount; }
    // The clips on the stage in the order they run their frames (newest first).
    std::vector<std::shared_ptr<MovieClip>> clipsInOrder() const;

    MouseInput &mouse() { return pointer; }
    const MouseInput &mouse() const { return pointer; }
    KeyboardInput &keyboard() { return keys; }
    const KeyboardInput &keyboard() const { return keys; }
    Focus &focus() { return focusOn; }
    const Focus &focus() const { return focusOn; }

private:
    friend class MovieClip;
    friend class ButtonObject;
    enum Priority { InitPriority, ConstructPriority, NormalPriority, Priorities };
    struct Queued {
        // EventActions: an onClipEvent handler.
        enum Kind { Actions, EventActions, InitActions, Handler, Construct } kind;
        std::shared_ptr<DisplayObject> target;
        QByteArray bytecode;
        QString handler;
        // How long the target takes the entry: while it is on the stage,
        // also while it waits for its unload handlers, or even once removed.
        enum Reach { OnStage, WhileUnloading, EvenRemoved } reach = OnStage;
    };
    void enqueue(Priority priority, Queued entry);
    void run(const Queued &entry);
    void queueUnloads(DisplayObject &object);
    void clipMade() { ++clipCount; }
    void clipGone() { --clipCount; }

    ScriptHost &host;
    TimelineSound *soundOut = nullptr;
    std::map<int, std::shared_ptr<MovieClip>> roots;
    // Clips in the order they run their frames: the newest last, run first.
    std::vector<std::weak_ptr<MovieClip>> executionOrder;
    std::deque<Queued> queues[Priorities];
    bool draining = false;
    bool closing = false;
    std::set<std::pair<const Movie *, uint16_t>> initActionsRun;
    int instanceCount = 0;
    int clipCount = 0;
    MouseInput pointer{*this};
    KeyboardInput keys{*this};
    Focus focusOn{*this};
};

}
