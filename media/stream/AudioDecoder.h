#pragma once
// Decodes the sound stream and converts it with libswresample to 16-bit
// interleaved samples at the output's rate and channel count, written into the
// audio buffer.
#include "Decoder.h"

#include <memory>
#include <vector>

class AudioBuffer;
struct SwrContext;

class AudioDecoder : public Decoder {
public:
    AudioDecoder(AVCodecContext *context, PacketQueue &queue, std::shared_ptr<AudioBuffer> output);
    ~AudioDecoder() override;

protected:
    void OnFrame(AVFrame *frame, int serial) override;
    void OnRestart(int serial) override;
    void OnEnd(int serial) override;

private:
    bool Configure(const AVFrame *frame);
    void Convert(const uint8_t **input, int frames, int serial);

    std::shared_ptr<AudioBuffer> output;
    SwrContext *resampler = nullptr;
    // The input format the resampler was set up for.
    int inputFormat = -1;
    int inputRate = 0;
    int inputChannels = 0;
    uint64_t inputMask = 0;
    std::vector<uint8_t> converted;
};
