#include "SoundWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
}

#include <cmath>

namespace swfmake {

namespace {

uint8_t formatByte(int codec, int rate, bool sixteenBit, int channels)
{
    int rateCode = rate >= 44100 ? 3 : rate >= 22050 ? 2 : rate >= 11025 ? 1 : 0;
    return uint8_t(codec << 4 | rateCode << 2 | (sixteenBit ? 2 : 0) | (channels == 2 ? 1 : 0));
}

QByteArray littleEndian(const int16_t *samples, size_t count)
{
    QByteArray out;
    out.reserve(qsizetype(count * 2));
    for (size_t i = 0; i < count; ++i) {
        out.append(char(uint16_t(samples[i]) & 0xFF));
        out.append(char(uint16_t(samples[i]) >> 8));
    }
    return out;
}

// Where movie frame `k` starts, in samples.
int64_t frameStart(int64_t k, double samplesPerFrame)
{
    return std::llround(double(k) * samplesPerFrame);
}

struct Mp3 {
    std::vector<QByteArray> frames; // one MP3 frame each
    int frameSize = 1152;           // samples per MP3 frame
    int delay = 0;                  // decoded samples before the first input sample
};

std::optional<Mp3> encodeMp3(const Pcm &pcm, int kbps)
{
    const AVCodec *codec = avcodec_find_encoder(AV_CODEC_ID_MP3);
    if (!codec)
        return std::nullopt;
    AVCodecContext *c = avcodec_alloc_context3(codec);
    c->sample_rate = pcm.rate;
    av_channel_layout_default(&c->ch_layout, pcm.channels);
    c->sample_fmt = AV_SAMPLE_FMT_S16P;
    c->bit_rate = int64_t(kbps) * 1000;
    if (avcodec_open2(c, codec, nullptr) < 0) {
        avcodec_free_context(&c);
        return std::nullopt;
    }
    Mp3 out;
    out.frameSize = c->frame_size;
    out.delay = c->initial_padding;
    AVFrame *frame = av_frame_alloc();
    AVPacket *packet = av_packet_alloc();
    auto drain = [&] {
        while (avcodec_receive_packet(c, packet) == 0) {
            out.frames.emplace_back(reinterpret_cast<const char *>(packet->data), packet->size);
            av_packet_unref(packet);
        }
    };
    int total = pcm.frames();
    for (int at = 0; at < total; at += c->frame_size) {
        frame->nb_samples = std::min(c->frame_size, total - at);
        frame->format = c->sample_fmt;
        av_channel_layout_copy(&frame->ch_layout, &c->ch_layout);
        frame->sample_rate = pcm.rate;
        if (av_frame_get_buffer(frame, 0) < 0)
            break;
        for (int ch = 0; ch < pcm.channels; ++ch) {
            auto *plane = reinterpret_cast<int16_t *>(frame->data[ch]);
            for (int i = 0; i < frame->nb_samples; ++i)
                plane[i] = pcm.samples[size_t(at + i) * size_t(pcm.channels) + size_t(ch)];
        }
        avcodec_send_frame(c, frame);
        av_frame_unref(frame);
        drain();
    }
    avcodec_send_frame(c, nullptr);
    drain();
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&c);
    return out;
}

void writeInfo(BitWriter &w, const SoundStart &how)
{
    w.u8((how.stop ? 0x20 : 0) | (how.noMultiple ? 0x10 : 0) | (!how.envelope.empty() ? 0x08 : 0)
         | (how.loops ? 0x04 : 0) | (how.outPoint ? 0x02 : 0) | (how.inPoint ? 0x01 : 0));
    if (how.inPoint)
        w.u32(*how.inPoint);
    if (how.outPoint)
        w.u32(*how.outPoint);
    if (how.loops)
        w.u16(*how.loops);
    if (!how.envelope.empty()) {
        w.u8(int(how.envelope.size()));
        for (const auto &p : how.envelope) {
            w.u32(p.position44);
            w.u16(p.left);
            w.u16(p.right);
        }
    }
}

}

SoundData pcmSound(const Pcm &pcm)
{
    SoundData s;
    s.format = formatByte(3, pcm.rate, true, pcm.channels);
    s.sampleCount = uint32_t(pcm.frames());
    s.data = littleEndian(pcm.samples.data(), pcm.samples.size());
    return s;
}

StreamData pcmStream(const Pcm &pcm, double frameRate)
{
    StreamData s;
    s.format = formatByte(3, pcm.rate, true, pcm.channels);
    double perFrame = pcm.rate / frameRate;
    s.samplesPerFrame = int(std::lround(perFrame));
    for (int64_t k = 0; frameStart(k, perFrame) < pcm.frames(); ++k) {
        int64_t from = frameStart(k, perFrame);
        int64_t to = std::min<int64_t>(frameStart(k + 1, perFrame), pcm.frames());
        StreamBlockData b;
        b.data = littleEndian(pcm.samples.data() + from * pcm.channels, size_t((to - from) * pcm.channels));
        s.blocks.push_back(b);
    }
    return s;
}

std::optional<SoundData> mp3Sound(const Pcm &pcm, int kbps)
{
    std::optional<Mp3> mp3 = encodeMp3(pcm, kbps);
    if (!mp3)
        return std::nullopt;
    SoundData s;
    s.format = formatByte(2, pcm.rate, true, pcm.channels);
    s.sampleCount = uint32_t(pcm.frames());
    s.seekSamples = mp3->delay;
    for (const QByteArray &f : mp3->frames)
        s.data.append(f);
    return s;
}

std::optional<StreamData> mp3Stream(const Pcm &pcm, double frameRate, int kbps)
{
    std::optional<Mp3> mp3 = encodeMp3(pcm, kbps);
    if (!mp3)
        return std::nullopt;
    StreamData s;
    s.format = formatByte(2, pcm.rate, true, pcm.channels);
    double perFrame = pcm.rate / frameRate;
    s.samplesPerFrame = int(std::lround(perFrame));
    s.latencySeek = mp3->delay;
    // Block k holds the MP3 frames that finish the samples up to the end of
    // movie frame k; its seek is how far into its first MP3 frame frame k starts.
    size_t next = 0;
    for (int64_t k = 0; next < mp3->frames.size(); ++k) {
        int64_t from = frameStart(k, perFrame);
        int64_t to = frameStart(k + 1, perFrame);
        StreamBlockData b;
        b.sampleCount = int(std::max<int64_t>(0, std::min<int64_t>(to, pcm.frames()) - from));
        b.seekSamples = int(from + mp3->delay - int64_t(next) * mp3->frameSize);
        size_t last = size_t((to + mp3->delay + mp3->frameSize - 1) / mp3->frameSize);
        if (to >= pcm.frames())
            last = mp3->frames.size(); // the encoder's last frames go with the end
        for (; next < std::min(last, mp3->frames.size()); ++next)
            b.data.append(mp3->frames[next]);
        s.blocks.push_back(b);
    }
    return s;
}

void defineSound(TagWriter &movie, int id, const SoundData &sound)
{
    BitWriter w;
    w.u16(id);
    w.u8(sound.format);
    w.u32(sound.sampleCount);
    if (sound.format >> 4 == 2)
        w.u16(uint16_t(int16_t(sound.seekSamples)));
    w.bytes(sound.data);
    movie.tag(14, w.data());
}

void startSound(TagWriter &timeline, int id, const SoundStart &how)
{
    BitWriter w;
    w.u16(id);
    writeInfo(w, how);
    timeline.tag(15, w.data());
}

void writeStreamHead(TagWriter &timeline, const StreamData &stream)
{
    BitWriter head;
    head.u8(stream.format & 0x0F);
    head.u8(stream.format);
    head.u16(stream.samplesPerFrame);
    if (stream.format >> 4 == 2)
        head.u16(uint16_t(int16_t(stream.latencySeek)));
    timeline.tag(18, head.data());
}

void writeStreamBlock(TagWriter &timeline, const StreamData &stream, int frame)
{
    if (frame < 0 || size_t(frame) >= stream.blocks.size())
        return;
    const StreamBlockData &b = stream.blocks[size_t(frame)];
    BitWriter w;
    if (stream.format >> 4 == 2) {
        w.u16(b.sampleCount);
        w.u16(uint16_t(int16_t(b.seekSamples)));
    }
    w.bytes(b.data);
    timeline.tag(19, w.data());
}

void defineButtonSound(TagWriter &movie, int buttonId, int overToIdle, int idleToOver, int overToDown, int downToOver)
{
    BitWriter w;
    w.u16(buttonId);
    for (int id : {overToIdle, idleToOver, overToDown, downToOver}) {
        w.u16(id);
        if (id)
            writeInfo(w, {});
    }
    movie.tag(17, w.data());
}

}
