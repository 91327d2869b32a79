#pragma once
// What a playing timeline tells the sound of its movie: the frames it shows
// (their event sounds start, their stream sound starts or goes on), that it
// stopped or started playing, and that it is going away.
namespace swf {

class TimelineInstance;

class TimelineSound {
public:
    virtual ~TimelineSound() = default;
    // `frame` is shown: played into, or jumped to (a goto, a seek, a loop
    // back to the start).
    virtual void frameShown(const TimelineInstance &timeline, int frame, bool jumped) = 0;
    virtual void playingChanged(const TimelineInstance &timeline) = 0;
    virtual void timelineGone(const TimelineInstance &timeline) = 0;
};

}
