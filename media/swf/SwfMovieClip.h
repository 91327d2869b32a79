#pragma once
// A movie clip: the root of a movie or an instance of a sprite. It plays its
// own timeline and holds a display list of the objects its frames place and
// the objects scripts put into it.
#include "SwfDisplayList.h"
#include "SwfDisplayObject.h"
#include "SwfDrawing.h"

#include <memory>

namespace swf {

struct Timeline;

class MovieClip : public DisplayObject {
public:
    // `timeline` belongs to `movie` (its root timeline or a sprite's).
    MovieClip(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t characterId, const Character *character,
              const Timeline &timeline);
    ~MovieClip() override;

    const Timeline &timeline() const { return frames; }
    const DisplayList &children() const { return list; }
    DisplayList &children() { return list; }
    // The level this clip is the root of, or -1.
    int level() const { return levelNumber; }
    void setLevel(int level) { levelNumber = level; }

    // The frame shown, zero-based; -1 before the first frame is shown.
    int currentFrame() const { return current; }
    // The frames of the timeline: those declared, or those found when more
    // arrived than declared.
    int totalFrames() const;
    // The frames complete so far (less than totalFrames while loading).
    int framesLoaded() const;
    bool playing() const { return isPlaying; }
    void play() { setPlaying(true); }
    void stop() { setPlaying(false); }
    // Whether the clip starts again at its last frame (level roots can be
    // told not to).
    void setLooping(bool on) { loops = on; }

    // One frame of the clip's clock: the next frame when playing (the first
    // again after the last), its objects placed and its actions queued. The
    // first call shows the first frame, playing or not.
    void runFrame();
    // Shows `frame` (zero-based, clamped to the loaded frames): going forward
    // applies the frames' placements, going back rebuilds the list and keeps
    // the objects that stand where they were placed. The target frame's
    // actions are queued when `runActions`. Stops or plays the clip as told.
    void gotoFrame(int frame, bool play, bool runActions = true);
    // The frame a label names (zero-based), or -1.
    int frameOfLabel(const QString &label) const;

    // Puts `object` (made by Stage::instantiate) at `depth`, replacing what
    // was there, and brings it to life: it gets its default name, a clip
    // runs its first frame, the script host hears of it.
    void addChild(std::shared_ptr<DisplayObject> object, int depth);
    // Takes away the object at `depth` (a timeline removal, removeMovieClip):
    // at once, or once its unload handlers have run.
    void takeAway(int depth);

    // What scripts drew into the clip, drawn beneath its children; null
    // while they drew nothing.
    const Drawing *drawing() const { return drawn.get(); }
    Drawing &startDrawing();
    // A duplicate draws what the original drew.
    void copyDrawing(const MovieClip &from);

    QRectF localBounds() const override;
    bool hitTestLocal(const QPointF &point, bool exact) const override;
    void markRemoved() override;

private:
    void setPlaying(bool on);
    // The sound of the movie hears of the frame shown.
    void frameShown(bool jumped);
    void applyCommands(int frame, bool runActions);
    void place(const PlaceCommand &command, int frame);
    void rebuild(int frame, bool runActions);
    // Clips taken away during the last frame waited below the stage while
    // their unload handlers ran; the next frame removes them.
    void dropUnloaded();
    // Makes the object a placement asks for and puts it in the list.
    void instantiate(const PlaceCommand &command, int frame);
    void applyProperties(DisplayObject &object, const PlaceCommand &command);

    const Timeline &frames;
    DisplayList list{this};
    std::unique_ptr<Drawing> drawn;
    int levelNumber = -1;
    int current = -1;
    bool isPlaying = true;
    bool loops = true;
};

}
