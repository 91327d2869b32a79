#pragma once
// Converts decoded audio frames to 16-bit interleaved samples at one rate
// and channel count with libswresample. The resampler is set up again
// whenever the frames' format changes.
#include <cstdint>
#include <vector>

struct AVFrame;
struct SwrContext;

class SampleConverter {
public:
    SampleConverter(int rate, int channels);
    ~SampleConverter();
    SampleConverter(const SampleConverter &) = delete;
    SampleConverter &operator=(const SampleConverter &) = delete;

    int rate() const { return outRate; }
    int channels() const { return outChannels; }

    // Appends the converted samples of `frame` to `out`; false when the
    // frame's format cannot be converted.
    bool convert(const AVFrame *frame, std::vector<int16_t> &out);
    // Appends the samples the resampler still holds back.
    void drain(std::vector<int16_t> &out);
    // Forgets held-back samples (they belong to a position left behind).
    void reset();

private:
    bool configure(const AVFrame *frame);
    void run(const uint8_t **input, int frames, std::vector<int16_t> &out);

    const int outRate;
    const int outChannels;
    SwrContext *resampler = nullptr;
    int inputFormat = -1;
    int inputRate = 0;
    int inputChannels = 0;
    uint64_t inputMask = 0;
};
