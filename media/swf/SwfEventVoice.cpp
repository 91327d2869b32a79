#include "SwfEventVoice.h"

#include <algorithm>
#include <limits>

namespace swf {

namespace {

// Bytes handed to the decoder at a time, so a long sound is decoded as it
// plays rather than all at once.
constexpr size_t kChunk = 4096;

int64_t toMixFrames(int64_t samples, int rate)
{
    return samples * kMixRate / rate;
}

}

EventVoice::EventVoice(const EventSound &source, const SoundInfo &startInfo, int offsetMs)
    : sound(source), info(startInfo), decoder(sound.format, kMixRate, sound.format.channels(), SoundDecoder::Pieces::OneStream)
{
    int rate = sound.format.sampleRate();
    seek = std::max<int64_t>(0, toMixFrames(sound.seekSamples, rate));
    int64_t length = sound.sampleCount ? toMixFrames(sound.sampleCount, rate) : std::numeric_limits<int64_t>::max() / 2;
    loopBegin = info.inPoint ? int64_t(*info.inPoint) : 0;
    end = info.outPoint ? std::min<int64_t>(length, *info.outPoint) : length;
    begin = loopBegin + int64_t(std::max(0, offsetMs)) * kMixRate / 1000;
    loopsLeft = std::max(1, info.loops);
    over = !decoder.usable() || end <= loopBegin;
    startLoop();
}

void EventVoice::startLoop()
{
    decoder.reset();
    fed = 0;
    position = 0;
    flushed = false;
    decoded.clear();
}

int EventVoice::positionMs() const
{
    return int(std::max<int64_t>(0, position - seek) * 1000 / kMixRate);
}

void EventVoice::produce(std::vector<int16_t> &out, int frames)
{
    size_t wanted = out.size() + size_t(frames) * 2;
    const auto *data = reinterpret_cast<const uint8_t *>(sound.data.constData());
    size_t size = size_t(sound.data.size());
    while (!over && out.size() < wanted) {
        if (fed < size) {
            size_t n = std::min(kChunk, size - fed);
            decoder.decode(data + fed, n, decoded);
            fed += n;
        } else if (!flushed) {
            decoder.finish(decoded);
            flushed = true;
        } else if (--loopsLeft > 0) {
            startLoop();
            begin = loopBegin;
            continue;
        } else {
            over = true;
            break;
        }
        take(out);
    }
}

void EventVoice::take(std::vector<int16_t> &out)
{
    int channels = sound.format.channels();
    int64_t count = int64_t(decoded.size()) / channels;
    int64_t from = position - seek; // the sound's frame at decoded[0]
    int64_t first = std::clamp<int64_t>(begin - from, 0, count);
    int64_t last = std::clamp<int64_t>(end - from, 0, count);
    size_t at = out.size();
    if (last > first)
        appendStereo(decoded.data() + first * channels, last - first, channels, out);
    if (!info.envelope.empty() && last > first)
        applyEnvelope(out.data() + at, last - first, from + first);
    position += count;
    decoded.clear();
    if (position - seek >= end) {
        // Past the out point: the rest of this loop is not decoded.
        fed = size_t(sound.data.size());
        flushed = true;
    }
}

void EventVoice::applyEnvelope(int16_t *stereo, int64_t count, int64_t at) const
{
    const auto &points = info.envelope;
    auto level = [&](int64_t pos, bool right) {
        auto value = [&](const EnvelopePoint &p) { return int64_t(right ? p.right : p.left); };
        if (pos <= int64_t(points.front().position44))
            return value(points.front());
        for (size_t i = 1; i < points.size(); ++i) {
            const EnvelopePoint &a = points[i - 1];
            const EnvelopePoint &b = points[i];
            if (pos < int64_t(b.position44)) {
                int64_t span = int64_t(b.position44) - int64_t(a.position44);
                if (span <= 0)
                    return value(b);
                return value(a) + (value(b) - value(a)) * (pos - int64_t(a.position44)) / span;
            }
        }
        return value(points.back());
    };
    for (int64_t i = 0; i < count; ++i) {
        int64_t pos = at + i;
        int64_t l = std::min<int64_t>(level(pos, false), 32768);
        int64_t r = std::min<int64_t>(level(pos, true), 32768);
        stereo[i * 2] = int16_t(stereo[i * 2] * l / 32768);
        stereo[i * 2 + 1] = int16_t(stereo[i * 2 + 1] * r / 32768);
    }
}

}
