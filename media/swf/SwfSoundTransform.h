#pragma once
// How a sound reaches the speakers: a volume and the share, in percent, of
// each input channel in each output channel (full left to left and right to
// right by default), as scripts set them.
#include <cstdint>

namespace swf {

struct SoundTransform {
    int volume = 100;
    int leftToLeft = 100;
    int rightToLeft = 0;
    int leftToRight = 0;
    int rightToRight = 100;

    // Pan -100 (left only) .. 100 (right only): the other side is turned down.
    static SoundTransform panned(int pan, int volume = 100);
    int pan() const;
    bool plain() const;
    // This transform's sound passed on through `outer` (a clip's sound
    // through the clips holding it, then through the movie's).
    SoundTransform within(const SoundTransform &outer) const;
    // Applies the transform to one stereo frame.
    void apply(int32_t &left, int32_t &right) const;
};

}
