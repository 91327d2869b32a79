#pragma once
// Writes sound into movies: 16-bit PCM turned into an event sound or a
// stream split into per-frame blocks, uncompressed or as MP3 made with
// FFmpeg's encoder, and the tags that define, start and stream them.
#include "SwfWriter.h"

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <vector>

namespace swfmake {

// Interleaved 16-bit samples.
struct Pcm {
    std::vector<int16_t> samples;
    int rate = 44100; // 5512, 11025, 22050 or 44100
    int channels = 1;
    int frames() const { return int(samples.size()) / channels; }
};

// What DefineSound stores after the id.
struct SoundData {
    uint8_t format = 0;
    uint32_t sampleCount = 0;
    int seekSamples = 0; // MP3 only
    QByteArray data;
};

struct StreamBlockData {
    QByteArray data;
    int sampleCount = 0; // MP3 only
    int seekSamples = 0; // MP3 only
};

struct StreamData {
    uint8_t format = 0;
    int samplesPerFrame = 0;
    int latencySeek = 0;
    std::vector<StreamBlockData> blocks; // one per frame
};

// How StartSound plays a sound (absent fields are left out).
struct SoundStart {
    bool stop = false;
    bool noMultiple = false;
    std::optional<uint32_t> inPoint, outPoint;
    std::optional<int> loops;
    struct Point {
        uint32_t position44;
        int left, right; // 0..32768
    };
    std::vector<Point> envelope;
};

SoundData pcmSound(const Pcm &pcm);
StreamData pcmStream(const Pcm &pcm, double frameRate);
// MP3 at the PCM's rate, or nothing when FFmpeg has no MP3 encoder.
std::optional<SoundData> mp3Sound(const Pcm &pcm, int kbps = 64);
std::optional<StreamData> mp3Stream(const Pcm &pcm, double frameRate, int kbps = 64);

void defineSound(TagWriter &movie, int id, const SoundData &sound);
void startSound(TagWriter &timeline, int id, const SoundStart &how = {});
// SoundStreamHead, before the first block.
void writeStreamHead(TagWriter &timeline, const StreamData &stream);
// The block of frame `frame`, if the stream lasts that long; the caller
// ends the frame.
void writeStreamBlock(TagWriter &timeline, const StreamData &stream, int frame);
void defineButtonSound(TagWriter &movie, int buttonId, int overToIdle, int idleToOver, int overToDown,
                       int downToOver);

}
