#pragma once
// Decoded sound waiting to be played: a ring of 16-bit interleaved samples
// written by the audio decoding thread and read by the audio output on the
// GUI thread. The frames read since the last reset are what the playback
// clock counts, so the clock rests on sound actually handed to the device,
// never on time stamps in the stream.
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

class AudioBuffer {
public:
    AudioBuffer(int sampleRate, int channels, int capacityMs);

    int SampleRate() const { return sampleRate; }
    int Channels() const { return channels; }
    int BytesPerFrame() const { return channels * 2; }
    int CapacityFrames() const { return capacityFrames; }

    // Writes `frames` frames of serial `serial`, waiting while the ring is full.
    // Returns false when the buffer was aborted or has moved to another serial
    // (the rest of the data is then stale and dropped).
    bool Write(const uint8_t *data, int frames, int serial);
    // Copies up to `maxFrames` frames out without waiting; returns the count.
    int Read(char *out, int maxFrames);
    // Drops the content and restarts the frame count for serial `serial`.
    void Reset(int serial);
    void Abort();

    int AvailableFrames() const;
    int64_t FramesRead() const;

private:
    const int sampleRate;
    const int channels;
    const int capacityFrames;
    mutable std::mutex mutex;
    std::condition_variable spaceFreed;
    std::vector<char> ring;
    size_t head = 0; // read position in bytes
    size_t used = 0; // bytes stored
    int serial = 0;
    bool aborted = false;
    int64_t framesRead = 0;
};
