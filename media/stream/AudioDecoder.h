#pragma once
// Decodes the sound stream and converts it with libswresample to 16-bit
// interleaved samples at the output's rate and channel count, written into the
// audio buffer.
#include "Decoder.h"
#include "audio/SampleConverter.h"

#include <memory>
#include <vector>

class AudioBuffer;

class AudioDecoder : public Decoder {
public:
    AudioDecoder(AVCodecContext *context, PacketQueue &queue, std::shared_ptr<AudioBuffer> output);
    ~AudioDecoder() override;

protected:
    void OnFrame(AVFrame *frame, int serial) override;
    void OnRestart(int serial) override;
    void OnEnd(int serial) override;

private:
    void Write(int serial);

    std::shared_ptr<AudioBuffer> output;
    SampleConverter converter;
    std::vector<int16_t> converted;
};
