#include "SwfStreamVoice.h"

#include <algorithm>

namespace swf {

StreamVoice::StreamVoice(const StreamHead &streamHead)
    : head(streamHead), decoder(head.format, kMixRate, head.format.channels())
{
    ended = !decoder.usable();
}

void StreamVoice::append(std::vector<StreamBlock> more, bool last)
{
    for (StreamBlock &b : more)
        blocks.push_back(std::move(b));
    complete = complete || last;
}

void StreamVoice::produce(std::vector<int16_t> &out, int frames)
{
    size_t wanted = out.size() + size_t(frames) * 2;
    int channels = head.format.channels();
    while (!ended && out.size() < wanted) {
        if (!blocks.empty()) {
            const StreamBlock &b = blocks.front();
            if (skip < 0) // the first block's seek samples come before the frame it starts
                skip = int64_t(std::max(0, b.seekSamples)) * kMixRate / head.format.sampleRate();
            decoder.decode(reinterpret_cast<const uint8_t *>(b.data.constData()), size_t(b.data.size()), decoded);
            blocks.pop_front();
        } else if (complete) {
            decoder.finish(decoded);
            ended = true;
        } else {
            return;
        }
        int64_t count = int64_t(decoded.size()) / channels;
        int64_t dropped = std::min(count, std::max<int64_t>(skip, 0));
        skip -= dropped;
        appendStereo(decoded.data() + dropped * channels, count - dropped, channels, out);
        decoded.clear();
    }
}

}
