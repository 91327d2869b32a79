#pragma once
// The Sound objects of one script engine whose sounds play or load: each is
// kept alive while it does (a script may drop its last reference to a sound
// still playing and must still hear its onSoundComplete), and hears when
// its sounds end.
#include "swf/SwfTimelineSound.h"

#include <map>
#include <memory>

namespace swf::avm1 {

class MovieScripts;
class Object;
class Vm;

class SoundObjects {
public:
    explicit SoundObjects(MovieScripts &scripts);
    ~SoundObjects();
    SoundObjects(const SoundObjects &) = delete;
    SoundObjects &operator=(const SoundObjects &) = delete;

    // The registry of the engine `vm` runs in.
    static SoundObjects &of(Vm &vm);

    // The sound of the stage the scripts run on, or null.
    TimelineSound *sound() const;
    // `object` started `voice`.
    void playing(Object *object, TimelineSound::VoiceId voice);
    // `object` loads a sound until `busy` turns false.
    void loading(Object *object, bool busy);

private:
    void ended(TimelineSound::VoiceId voice, bool completed, int64_t framesHeard);

    MovieScripts &scripts;
    std::map<TimelineSound::VoiceId, Object *> voices;
    std::map<Object *, int> loads;
    // Ends with this registry: the player's listener does nothing after it.
    std::shared_ptr<SoundObjects *> self;
};

}
