#pragma once
// Decodes a movie's sound data with FFmpeg's decoders (PCM, the SWF ADPCM,
// MP3, Nellymoser, Speex) into 16-bit interleaved samples at a chosen rate
// and channel count. Data comes in pieces (an event sound a piece at a
// time, or a stream block at a time); MP3 frames and Nellymoser blocks
// split across pieces are joined.
#include "SwfAdpcmBlocks.h"
#include "SwfSound.h"
#include "audio/SampleConverter.h"

#include <cstdint>
#include <memory>
#include <vector>

struct AVCodecContext;
struct AVCodecParserContext;
struct AVFrame;
struct AVPacket;

namespace swf {

class SoundDecoder {
public:
    // Stream blocks are whole packets each; an event sound's data is one
    // stream cut anywhere.
    enum class Pieces { Packets, OneStream };

    SoundDecoder(const SoundFormat &format, int rate, int channels, Pieces pieces = Pieces::Packets);
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
    // The MP3 parser's input, followed by the zeroed padding FFmpeg's
    // parsers may read past the end of their input.
    std::vector<uint8_t> parserInput;
    // Bytes that wait for the rest of their block (Nellymoser, PCM frames).
    std::vector<uint8_t> pending;
    int blockBytes = 0;
    // An event sound's ADPCM, cut into a packet per block.
    std::unique_ptr<AdpcmBlocks> adpcm;
    std::vector<uint8_t> adpcmPacket;
};

}
