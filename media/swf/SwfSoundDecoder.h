#pragma once
// Decodes a movie's sound data with FFmpeg's decoders (PCM, the SWF ADPCM,
// MP3, Nellymoser, Speex) into 16-bit interleaved samples at a chosen rate
// and channel count. Data comes in pieces (a whole event sound, or a stream
// block at a time); MP3 frames and Nellymoser blocks split across pieces are
// joined.
#include "SwfSound.h"
#include "audio/SampleConverter.h"

#include <cstdint>
#include <vector>

struct AVCodecContext;
struct AVCodecParserContext;
struct AVFrame;
struct AVPacket;

namespace swf {

class SoundDecoder {
public:
    SoundDecoder(const SoundFormat &format, int rate, int channels);
    ~SoundDecoder();
    SoundDecoder(const SoundDecoder &) = delete;
    SoundDecoder &operator=(const SoundDecoder &) = delete;

    // False when FFmpeg has no decoder for the format.
    bool usable() const { return context != nullptr; }
    // Decodes `size` bytes and appends the samples to `out`. Undecodable
    // data is skipped.
    void decode(const uint8_t *data, size_t size, std::vector<int16_t> &out);
    // Appends what the decoder and the resampler still hold.
    void finish(std::vector<int16_t> &out);
    // Forgets everything held, to decode data from another position.
    void reset();

private:
    void send(const uint8_t *data, int size, std::vector<int16_t> &out);
    void receive(std::vector<int16_t> &out);

    SoundFormat format;
    SampleConverter converter;
    AVCodecContext *context = nullptr;
    AVCodecParserContext *parser = nullptr;
    AVPacket *packet = nullptr;
    AVFrame *frame = nullptr;
    // Bytes that wait for the rest of their block (Nellymoser, PCM frames).
    std::vector<uint8_t> pending;
    int blockBytes = 0;
};

}
