#include "SwfSoundVoice.h"

#include <algorithm>

namespace swf {

int SoundVoice::render(int32_t *mix, int frames)
{
    int added = 0;
    // Goes on past the last frame asked for when the buffer ran dry just
    // there, so a sound that has played out is known to be finished.
    while (!done) {
        size_t waiting = ready.size() / 2 - readyAt;
        if (waiting == 0) {
            ready.clear();
            readyAt = 0;
            produce(ready, std::max(1, frames - added));
            if (ready.empty()) {
                done = exhausted();
                break;
            }
            continue;
        }
        if (added == frames)
            break;
        int n = int(std::min<size_t>(waiting, size_t(frames - added)));
        const int16_t *from = ready.data() + readyAt * 2;
        int32_t *to = mix + size_t(added) * 2;
        bool plain = transform.plain();
        for (int i = 0; i < n; ++i) {
            int32_t left = from[2 * i];
            int32_t right = from[2 * i + 1];
            if (!plain)
                transform.apply(left, right);
            to[2 * i] += left;
            to[2 * i + 1] += right;
        }
        readyAt += size_t(n);
        added += n;
    }
    played += added;
    return added;
}

void SoundVoice::appendStereo(const int16_t *frames, int64_t count, int channels, std::vector<int16_t> &out)
{
    if (count <= 0)
        return;
    if (channels == 2) {
        out.insert(out.end(), frames, frames + count * 2);
        return;
    }
    size_t at = out.size();
    out.resize(at + size_t(count) * 2);
    for (int64_t i = 0; i < count; ++i) {
        out[at + size_t(i) * 2] = frames[i];
        out[at + size_t(i) * 2 + 1] = frames[i];
    }
}

}
