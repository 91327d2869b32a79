#pragma once
// What the stage tells the sound of its movie: the frames a timeline shows
// (their event sounds start, their stream sound starts or goes on), that it
// stopped or started playing, that it is going away, and buttons' changes
// of state. Scripts' Sound objects start and stop event sounds for a clip
// and set how loud, and on which side, a clip's sounds are heard.
#include "SwfSoundTransform.h"

#include <QByteArray>
#include <cstdint>
#include <functional>

namespace swf {

// How many seconds of a sound arriving as it plays are awaited before it
// starts, until scripts say otherwise (_soundbuftime).
constexpr int kSoundBufferSeconds = 5;

class MovieClip;
struct EventSound;
struct SoundFormat;
struct SoundInfo;

class TimelineSound {
public:
    using VoiceId = uint32_t;
    // An event sound ended: played out to the end of its last loop
    // (`completed`) or stopped after `framesHeard` frames at 44.1 kHz.
    using EventEnded = std::function<void(VoiceId voice, bool completed, int64_t framesHeard)>;

    virtual ~TimelineSound() = default;
    // `frame` is shown: played into, or jumped to (a goto, a seek, a loop
    // back to the start).
    virtual void frameShown(const MovieClip &timeline, int frame, bool jumped) = 0;
    virtual void playingChanged(const MovieClip &timeline) = 0;
    virtual void timelineGone(const MovieClip &timeline) = 0;
    // A button of the movie in `owner` changed state: its sound for the
    // change (a ButtonSounds::Change) plays as a sound of that clip, if it
    // has one.
    virtual void buttonChanged(uint16_t buttonId, int change, const MovieClip *owner) = 0;
    // Scripts stopped every sound playing.
    virtual void stopAll() = 0;

    // Starts (or, as `info` says, stops) `sound` as a sound of `owner` (null:
    // of the movie as a whole), `offsetMs` into its first loop; the voice
    // started, or 0.
    virtual VoiceId startSound(const EventSound &sound, const SoundInfo &info, const MovieClip *owner,
                               int offsetMs) = 0;
    // Starts a sound of `owner` whose data arrives while it plays (MP3
    // frames a script loads), known by `sound` as event sounds are known by
    // theirs; it waits, silent, for data that is late. The voice, or 0.
    virtual VoiceId startArriving(const SoundFormat &format, const MovieClip *owner, const void *sound) = 0;
    // More data for a sound started so; `last` when no more will come.
    virtual void arrived(VoiceId voice, const QByteArray &data, bool last) = 0;
    // Stops the event sounds of `owner` and of the clips inside it (null:
    // of the whole movie); only copies of `sound` when it is given.
    virtual void stopSounds(const MovieClip *owner, const void *sound) = 0;
    // Frames of `voice` heard so far, at 44.1 kHz.
    virtual int64_t framesHeard(VoiceId voice) const = 0;
    // The transform of `clip`'s sounds (null: of every sound of the movie);
    // a clip's sounds go through its own transform and then its parents'.
    virtual SoundTransform transform(const MovieClip *clip) const = 0;
    virtual void setTransform(const MovieClip *clip, const SoundTransform &transform) = 0;
    // _soundbuftime: the seconds a sound arriving as it plays is awaited.
    virtual int bufferSeconds() const = 0;
    virtual void setBufferSeconds(int seconds) = 0;
    // Hears of every event sound that ends; one listener at a time.
    virtual void setEventEnded(EventEnded listener) = 0;
};

}
