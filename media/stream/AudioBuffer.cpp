#include "AudioBuffer.h"

#include <algorithm>
#include <cstring>

AudioBuffer::AudioBuffer(int rate, int channelCount, int capacityMs)
    : sampleRate(rate), channels(channelCount),
      capacityFrames(std::max(1, int(int64_t(rate) * capacityMs / 1000))),
      ring(size_t(capacityFrames) * size_t(channelCount) * 2)
{
}

bool AudioBuffer::Write(const uint8_t *data, int frames, int dataSerial)
{
    size_t remaining = size_t(frames) * size_t(BytesPerFrame());
    std::unique_lock lock(mutex);
    while (remaining > 0) {
        spaceFreed.wait(lock, [&] { return aborted || serial != dataSerial || used < ring.size(); });
        if (aborted || serial != dataSerial)
            return false;
        // Whole frames only, so a reader never sees half a frame.
        size_t space = (ring.size() - used) / size_t(BytesPerFrame()) * size_t(BytesPerFrame());
        size_t chunk = std::min(remaining, space);
        size_t tail = (head + used) % ring.size();
        size_t first = std::min(chunk, ring.size() - tail);
        std::memcpy(ring.data() + tail, data, first);
        std::memcpy(ring.data(), data + first, chunk - first);
        used += chunk;
        data += chunk;
        remaining -= chunk;
    }
    return true;
}

int AudioBuffer::Read(char *out, int maxFrames)
{
    std::lock_guard lock(mutex);
    size_t chunk = std::min(used, size_t(maxFrames) * size_t(BytesPerFrame()));
    size_t first = std::min(chunk, ring.size() - head);
    std::memcpy(out, ring.data() + head, first);
    std::memcpy(out + first, ring.data(), chunk - first);
    head = (head + chunk) % ring.size();
    used -= chunk;
    int frames = int(chunk / size_t(BytesPerFrame()));
    framesRead += frames;
    if (chunk)
        spaceFreed.notify_all();
    return frames;
}

void AudioBuffer::Reset(int newSerial)
{
    std::lock_guard lock(mutex);
    head = used = 0;
    framesRead = 0;
    serial = newSerial;
    spaceFreed.notify_all();
}

void AudioBuffer::Abort()
{
    std::lock_guard lock(mutex);
    aborted = true;
    spaceFreed.notify_all();
}

int AudioBuffer::AvailableFrames() const
{
    std::lock_guard lock(mutex);
    return int(used / size_t(BytesPerFrame()));
}

int64_t AudioBuffer::FramesRead() const
{
    std::lock_guard lock(mutex);
    return framesRead;
}
