#include "SwfSoundDecoder.h"

#include <algorithm>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
}

namespace swf {

namespace {

AVCodecID codecId(const SoundFormat &f)
{
    switch (f.codec) {
    case SoundCodec::PcmNative:
    case SoundCodec::PcmLittle:
        return f.sixteenBit ? AV_CODEC_ID_PCM_S16LE : AV_CODEC_ID_PCM_U8;
    case SoundCodec::Adpcm:
        return AV_CODEC_ID_ADPCM_SWF;
    case SoundCodec::Mp3:
        return AV_CODEC_ID_MP3;
    case SoundCodec::Nellymoser16k:
    case SoundCodec::Nellymoser8k:
    case SoundCodec::Nellymoser:
        return AV_CODEC_ID_NELLYMOSER;
    case SoundCodec::Speex:
        return AV_CODEC_ID_SPEEX;
    }
    return AV_CODEC_ID_NONE;
}

}

SoundDecoder::SoundDecoder(const SoundFormat &format, int rate, int channels, Pieces pieces)
    : format(format), converter(rate, channels)
{
    const AVCodec *codec = avcodec_find_decoder(codecId(format));
    if (!codec)
        return;
    context = avcodec_alloc_context3(codec);
    context->sample_rate = format.sampleRate();
    av_channel_layout_default(&context->ch_layout, format.channels());
    if (avcodec_open2(context, codec, nullptr) < 0) {
        avcodec_free_context(&context);
        return;
    }
    if (format.codec == SoundCodec::Mp3)
        parser = av_parser_init(AV_CODEC_ID_MP3);
    bool nelly = codecId(format) == AV_CODEC_ID_NELLYMOSER;
    bool pcm = format.codec == SoundCodec::PcmNative || format.codec == SoundCodec::PcmLittle;
    blockBytes = nelly ? 64 : pcm ? format.channels() * (format.sixteenBit ? 2 : 1) : 0;
    if (format.codec == SoundCodec::Adpcm && pieces == Pieces::OneStream)
        adpcm = std::make_unique<AdpcmBlocks>(format.channels());
    packet = av_packet_alloc();
    frame = av_frame_alloc();
}

SoundDecoder::~SoundDecoder()
{
    av_parser_close(parser);
    avcodec_free_context(&context);
    av_packet_free(&packet);
    av_frame_free(&frame);
}

void SoundDecoder::decode(const uint8_t *data, size_t size, std::vector<int16_t> &out)
{
    if (!context || size == 0)
        return;
    if (parser) {
        parserInput.assign(data, data + size);
        parserInput.resize(size + AV_INPUT_BUFFER_PADDING_SIZE, 0);
        data = parserInput.data();
        while (size > 0) {
            uint8_t *piece = nullptr;
            int pieceSize = 0;
            int used = av_parser_parse2(parser, context, &piece, &pieceSize, data, int(std::min<size_t>(size, 1 << 30)),
                                        AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
            if (used < 0)
                return;
            data += used;
            size -= size_t(used);
            if (pieceSize > 0)
                send(piece, pieceSize, out);
            if (used == 0 && pieceSize == 0)
                return;
        }
        return;
    }
    if (adpcm) {
        adpcm->append(data, size);
        while (adpcm->next(adpcmPacket))
            send(adpcmPacket.data(), int(adpcmPacket.size()), out);
        return;
    }
    if (blockBytes <= 1) {
        send(data, int(std::min<size_t>(size, 1 << 30)), out);
        return;
    }
    // Whole blocks only; the rest waits for the next piece.
    pending.insert(pending.end(), data, data + size);
    size_t whole = pending.size() / size_t(blockBytes) * size_t(blockBytes);
    if (whole == 0)
        return;
    send(pending.data(), int(std::min<size_t>(whole, 1 << 30)), out);
    pending.erase(pending.begin(), pending.begin() + std::ptrdiff_t(whole));
}

void SoundDecoder::send(const uint8_t *data, int size, std::vector<int16_t> &out)
{
    // The packet borrows the bytes: FFmpeg copies what it keeps. Every frame
    // is taken out after each packet, so the decoder always has room.
    packet->data = const_cast<uint8_t *>(data);
    packet->size = size;
    avcodec_send_packet(context, packet);
    packet->data = nullptr;
    packet->size = 0;
    receive(out);
}

void SoundDecoder::receive(std::vector<int16_t> &out)
{
    while (avcodec_receive_frame(context, frame) == 0) {
        converter.convert(frame, out);
        av_frame_unref(frame);
    }
}

void SoundDecoder::finish(std::vector<int16_t> &out)
{
    if (!context)
        return;
    if (parser) {
        uint8_t *piece = nullptr;
        int pieceSize = 0;
        av_parser_parse2(parser, context, &piece, &pieceSize, nullptr, 0, AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
        if (pieceSize > 0)
            send(piece, pieceSize, out);
    }
    if (adpcm && adpcm->rest(adpcmPacket))
        send(adpcmPacket.data(), int(adpcmPacket.size()), out);
    avcodec_send_packet(context, nullptr);
    receive(out);
    converter.drain(out);
    reset();
}

void SoundDecoder::reset()
{
    if (!context)
        return;
    avcodec_flush_buffers(context);
    if (parser) {
        av_parser_close(parser);
        parser = av_parser_init(AV_CODEC_ID_MP3);
    }
    pending.clear();
    if (adpcm)
        adpcm->clear();
    converter.reset();
}

}
