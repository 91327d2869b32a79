#pragma once
// Mixes a movie control's sounds into 44.1 kHz stereo. The control's thread
// asks for sounds to start and stop and reads their progress; the output's
// thread pulls the mix. Requests wait in a queue that the next pull takes
// up, so neither side waits for the other's decoding.
#include "SwfSoundTransform.h"
#include "SwfSoundVoice.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace swf {

class SoundMixer {
public:
    using VoiceId = uint32_t;

    // A voice's progress as the output has played it.
    struct Progress {
        bool known = false;    // the voice has been taken up by the mixer
        bool finished = false; // it has played out (or was stopped)
        int64_t framesPlayed = 0;
    };

    SoundMixer();

    // Control's side.
    VoiceId start(std::unique_ptr<SoundVoice> voice);
    void stop(VoiceId id);
    void stopAll();
    // Runs `change` on the voice in the mixing thread (more stream blocks, a
    // new transform); nothing when the voice has gone.
    void update(VoiceId id, std::function<void(SoundVoice &)> change);
    // 0..100, the control's volume over everything.
    void setVolume(int percent);
    Progress progress(VoiceId id) const;
    // Voices that finished since the last call.
    std::vector<VoiceId> takeFinished();
    // Nothing plays and nothing waits to start.
    bool silent() const;

    // Output's side: the next `frames` frames of the mix.
    void mix(int16_t *out, int frames);
    // How many mixed frames the output holds that have not been heard yet.
    void setOutputDelay(int64_t frames);
    // Frames mixed and heard since the mixer was made.
    int64_t framesHeard() const;

private:
    struct Entry {
        VoiceId id = 0;
        std::unique_ptr<SoundVoice> voice;
    };
    // Where a voice was at the end of recent pulls, to tell how far it has
    // been heard while the output still holds what was mixed last.
    struct Checkpoint {
        int64_t mixFrame = 0;
        int64_t voiceFrames = 0;
    };
    struct Published {
        std::deque<Checkpoint> checkpoints;
        int64_t finishedAt = -1; // the mix frame where it played out
    };
    struct Request {
        enum Kind { Start, Stop, StopAll, Update } kind = Start;
        VoiceId id = 0;
        std::unique_ptr<SoundVoice> voice;
        std::function<void(SoundVoice &)> change;
    };

    void post(Request request);
    void take(std::vector<Request> &todo);
    int64_t heardLocked() const;
    static int64_t heardFrames(const Published &p, int64_t heard);

    // Mixing thread only.
    std::vector<Entry> voices;
    std::vector<int32_t> sums;

    // Shared, under the lock.
    mutable std::mutex lock;
    std::vector<Request> requests;
    std::map<VoiceId, Published> published;
    VoiceId nextId = 1;
    int volume = 100;
    int64_t mixed = 0;
    int64_t delay = 0;
    size_t playing = 0;
};

}
