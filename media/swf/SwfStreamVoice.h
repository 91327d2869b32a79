#pragma once
// A timeline's stream sound playing: its blocks arrive from the timeline a
// little ahead of time and are decoded in order. When the next block has
// not arrived yet the voice falls silent and its clock waits with it.
#include "SwfSound.h"
#include "SwfSoundDecoder.h"
#include "SwfSoundVoice.h"

#include <deque>

namespace swf {

class StreamVoice : public SoundVoice {
public:
    explicit StreamVoice(const StreamHead &head);

    // More blocks in frame order; `last` when no more will come.
    void append(std::vector<StreamBlock> blocks, bool last);

protected:
    void produce(std::vector<int16_t> &out, int frames) override;
    bool exhausted() const override { return ended; }

private:
    StreamHead head;
    SoundDecoder decoder;
    std::deque<StreamBlock> blocks;
    bool complete = false; // every block has arrived
    bool ended = false;
    int64_t skip = -1; // decoded frames still to drop at the start; -1 before the first block
    std::vector<int16_t> decoded;
};

}
