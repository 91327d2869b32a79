#pragma once
// A playing timeline: its display list by depth and its frame position.
// Seeking replays the frames' commands; going back rebuilds the list from
// the first frame.
#include "SwfTimeline.h"
#include "SwfTypes.h"

#include <QString>
#include <cstdint>
#include <map>
#include <memory>

namespace swf {

class Movie;
struct Character;
class TimelineInstance;
class TimelineSound;

// Sprites placed inside sprites are nested no deeper than this, and a
// movie runs no more sprites than this at once, so sprites that place
// themselves (once or many times) cannot recurse without end.
constexpr int kMaxNesting = 32;
constexpr int kMaxSprites = 4096;

struct DisplayObject {
    int depth = 0;
    uint16_t characterId = 0;
    const Character *character = nullptr;
    QTransform matrix;
    ColorTransform colorTransform;
    int ratio = 0;
    QString name;
    int clipDepth = 0; // > 0: a mask for the depths above it up to clipDepth
    int placedAtFrame = 0;
    int buttonState = 0x01; // for buttons: up, over or down (ButtonCharacter::State)
    std::unique_ptr<TimelineInstance> sprite; // for sprite characters
};

class TimelineInstance {
public:
    // The root timeline of `movie` (or any timeline played on its own).
    TimelineInstance(const Movie &movie, const Timeline &timeline);
    ~TimelineInstance();
    TimelineInstance(const TimelineInstance &) = delete;
    TimelineInstance &operator=(const TimelineInstance &) = delete;

    // The frame shown, zero-based; -1 before the first frame is shown.
    int frame() const { return current; }
    int frameCount() const { return int(timeline.frames.size()); }
    bool playing() const { return isPlaying; }
    void setPlaying(bool playing);
    // Tells `sound` (and the sprites placed from now on) the frames shown
    // and changes of playing; null for silence.
    void setSound(TimelineSound *sound) { soundOut = sound; }

    // Shows `target` (clamped to the complete frames) without running the
    // actions of the frames passed over or reached.
    void gotoFrame(int target);
    // One tick of the movie's clock: nested sprites move on, then this
    // timeline shows its next frame when playing (back to the first after
    // the last when `loop`) and runs that frame's actions. The first call
    // shows the first frame, playing or not.
    void advance(bool loop = true);

    const std::map<int, DisplayObject> &displayList() const { return objects; }
    std::map<int, DisplayObject> &displayList() { return objects; }
    const Movie &movieOf() const { return movie; }
    const Timeline &definition() const { return timeline; }

    // Runs actions on this timeline (frame actions and button actions).
    void runActions(const std::vector<Action> &actions);

private:
    // A sprite's timeline, nested in `parent`.
    TimelineInstance(const TimelineInstance &parent, const Timeline &timeline);
    void applyFrame(int index, std::vector<Action> *actions);
    // Going back: builds the list again from the first frame up to `target`.
    void rebuildTo(int target);
    void place(const PlaceCommand &command, int frameIndex);
    void setCharacter(DisplayObject &object, uint16_t id);

    const Movie &movie;
    const Timeline &timeline;
    int nesting = 0;
    std::shared_ptr<int> liveSprites; // shared by a root and all its sprites
    TimelineSound *soundOut = nullptr;
    int current = -1;
    bool isPlaying = true;
    std::map<int, DisplayObject> objects;
    std::map<int, DisplayObject> *previous = nullptr; // the list being rebuilt
};

}
