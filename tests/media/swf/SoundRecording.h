#pragma once
// The recording sink of the sound tests: pulls a mixer as an output would
// and keeps every frame it was given, and makes PCM sounds to play.
#include "swf/SwfSound.h"
#include "swf/SwfSoundMixer.h"

#include <QByteArray>
#include <cmath>
#include <cstdint>
#include <vector>

namespace soundtest {

struct Recording {
    std::vector<int16_t> samples; // stereo

    // Pulls `frames` frames from `mixer` in pieces of `piece`.
    void pull(swf::SoundMixer &mixer, int frames, int piece = 441)
    {
        while (frames > 0) {
            int n = std::min(frames, piece);
            size_t at = samples.size();
            samples.resize(at + size_t(n) * 2);
            mixer.mix(samples.data() + at, n);
            frames -= n;
        }
    }
    int frames() const { return int(samples.size() / 2); }
    int16_t left(int frame) const { return samples[size_t(frame) * 2]; }
    int16_t right(int frame) const { return samples[size_t(frame) * 2 + 1]; }
    // The first frame that is not silent, or -1.
    int firstSound() const
    {
        for (int i = 0; i < frames(); ++i)
            if (left(i) != 0 || right(i) != 0)
                return i;
        return -1;
    }
};

// 16-bit little-endian PCM of `samples` (interleaved when stereo).
inline QByteArray pcm16(const std::vector<int16_t> &samples)
{
    QByteArray data;
    for (int16_t s : samples) {
        data.append(char(uint16_t(s) & 0xFF));
        data.append(char(uint16_t(s) >> 8));
    }
    return data;
}

// The format byte of 16-bit little-endian PCM.
inline uint8_t pcmFormatByte(int rateCode, bool stereo)
{
    return uint8_t(3 << 4 | rateCode << 2 | 2 | (stereo ? 1 : 0));
}

inline swf::EventSound pcmSound(const std::vector<int16_t> &samples, int rateCode = 3, bool stereo = false)
{
    swf::EventSound sound;
    sound.format = swf::readSoundFormat(pcmFormatByte(rateCode, stereo));
    sound.sampleCount = uint32_t(samples.size() / (stereo ? 2 : 1));
    sound.data = pcm16(samples);
    return sound;
}

// A ramp 1, 2, 3, ... that makes every sample's place visible.
inline std::vector<int16_t> ramp(int count, int step = 1)
{
    std::vector<int16_t> s(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        s[size_t(i)] = int16_t((i + 1) * step);
    return s;
}

inline std::vector<int16_t> sine(int count, int rate, double hz, double amplitude = 12000, int channels = 1)
{
    std::vector<int16_t> s(size_t(count) * size_t(channels));
    for (int i = 0; i < count; ++i)
        for (int c = 0; c < channels; ++c)
            s[size_t(i) * size_t(channels) + size_t(c)] =
                int16_t(std::lround(amplitude * std::sin(2 * M_PI * hz * (c + 1) * i / rate)));
    return s;
}

}
