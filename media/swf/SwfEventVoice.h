#pragma once
// An event sound playing: the sound's data decoded from its start on every
// loop, cut to its in and out points and shaped by its envelope.
#include "SwfSound.h"
#include "SwfSoundDecoder.h"
#include "SwfSoundVoice.h"

namespace swf {

class EventVoice : public SoundVoice {
public:
    // `offsetMs` skips into the sound on the first loop (a script's start
    // offset); `loops` below 1 plays once.
    EventVoice(const EventSound &sound, const SoundInfo &info, int offsetMs = 0);

    uint16_t soundId() const { return id; }
    void setSoundId(uint16_t value) { id = value; }
    // Where in the sound the current loop is, in milliseconds.
    int positionMs() const;

protected:
    void produce(std::vector<int16_t> &out, int frames) override;
    bool exhausted() const override { return over; }

private:
    void startLoop();
    // Keeps the frames of `decoded` that lie within the cut, shaped.
    void take(std::vector<int16_t> &out);
    void applyEnvelope(int16_t *stereo, int64_t count, int64_t position) const;

    EventSound sound;
    SoundInfo info;
    SoundDecoder decoder;
    uint16_t id = 0;
    int64_t seek = 0;  // decoded frames before the sound's first sample
    int64_t loopBegin = 0; // the in point, in frames from the sound's first sample
    int64_t begin = 0;     // where this loop starts playing (the first adds the offset)
    int64_t end = 0;       // the out point
    size_t fed = 0;
    int64_t position = 0; // decoded frames of this loop so far, seek included
    bool flushed = false;
    int loopsLeft = 0;
    bool over = false;
    std::vector<int16_t> decoded;
};

}
