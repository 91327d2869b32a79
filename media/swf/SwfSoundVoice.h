#pragma once
// A sound playing in the mixer: adds its samples, at 44.1 kHz stereo, into
// the mix as they are made. Event sounds and stream sounds differ in where
// their data comes from and where it ends.
#include "SwfSoundTransform.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace swf {

constexpr int kMixRate = 44100;

class SoundVoice {
public:
    virtual ~SoundVoice() = default;

    // Adds up to `frames` stereo frames into `mix` (pairs of 32-bit sums);
    // returns how many it added. Fewer means the data ran out, for now (a
    // stream still arriving) or for good (then finished() is true).
    int render(int32_t *mix, int frames);
    bool finished() const { return done; }
    // Frames added to the mix since the start.
    int64_t framesPlayed() const { return played; }

    void setTransform(const SoundTransform &t) { transform = t; }

protected:
    // Appends about `frames` (or more) stereo frames ready to play to `out`;
    // appends none only when no data is at hand now or ever.
    virtual void produce(std::vector<int16_t> &out, int frames) = 0;
    // Nothing more will ever be produced.
    virtual bool exhausted() const = 0;
    // Appends `count` frames of `channels` channels as stereo.
    static void appendStereo(const int16_t *frames, int64_t count, int channels, std::vector<int16_t> &out);

private:
    std::vector<int16_t> ready; // stereo, waiting to be mixed
    size_t readyAt = 0;         // frames of `ready` already mixed
    SoundTransform transform;
    int64_t played = 0;
    bool done = false;
};

}
