#pragma once
// What a Sound object holds: the clip its sounds belong to, the sound
// attached to it (from a movie's library, or loaded from a file) and where
// the copy it started last has got to.
#include "swf/SwfTimelineSound.h"
#include "swf/avm1/Object.h"

#include <QString>
#include <memory>
#include <optional>

namespace swf {
struct EventSound;
}

namespace swf::avm1 {

class SoundLoad;

class SoundData : public NativeData {
public:
    // `target`: the path of the clip whose sounds it controls; none for
    // every sound of the movie.
    explicit SoundData(std::optional<QString> target);

    const std::optional<QString> &target() const { return clipPath; }

    // The sound to start: null before attachSound or a load.
    const EventSound *sound() const { return attached.get(); }
    // Takes `sound` (kept alive by the pointer) lasting `durationMs`.
    void attach(std::shared_ptr<const EventSound> sound, int durationMs);
    int durationMs() const { return length; }

    // A copy started `offsetMs` into the sound: it is the one position follows.
    void started(TimelineSound::VoiceId voice, int offsetMs);
    // A copy ended after `framesHeard` frames, or played out (`completed`).
    void ended(TimelineSound::VoiceId voice, bool completed, int64_t framesHeard);
    // Where the copy started last has got to, in milliseconds.
    int positionMs(const TimelineSound *player) const;

    // The file loadSound fetches, or null.
    SoundLoad *load() const { return loading.get(); }
    // Takes over from the load before, which stops.
    void setLoad(SoundLoad *load);

    // duration and position, for SWF 6 and later, while there is a sound.
    bool get(Context &cx, Object &self, String *name, Value &out) override;

private:
    int position(int64_t framesHeard) const;

    std::optional<QString> clipPath;
    std::shared_ptr<const EventSound> attached;
    int length = 0;
    TimelineSound::VoiceId voice = 0;
    int offset = 0;
    int stoppedAt = 0;
    // A load goes later, not at once: its own onLoad may start the next.
    struct LaterDeleter {
        void operator()(SoundLoad *load) const;
    };
    std::unique_ptr<SoundLoad, LaterDeleter> loading;
};

// The Sound data of a script value, or null.
SoundData *soundDataOf(const Value &v);

}
