#pragma once
// What the stage tells the sound of its movie: the frames a timeline shows
// (their event sounds start, their stream sound starts or goes on), that it
// stopped or started playing, that it is going away, and buttons' changes
// of state.
#include <cstdint>

namespace swf {

class MovieClip;

class TimelineSound {
public:
    virtual ~TimelineSound() = default;
    // `frame` is shown: played into, or jumped to (a goto, a seek, a loop
    // back to the start).
    virtual void frameShown(const MovieClip &timeline, int frame, bool jumped) = 0;
    virtual void playingChanged(const MovieClip &timeline) = 0;
    virtual void timelineGone(const MovieClip &timeline) = 0;
    // A button of the movie changed state: its sound for the change (a
    // ButtonSounds::Change) plays, if it has one.
    virtual void buttonChanged(uint16_t buttonId, int change) = 0;
    // Scripts stopped every sound playing.
    virtual void stopAll() = 0;
};

}
