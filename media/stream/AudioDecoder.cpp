#include "AudioDecoder.h"

#include "AudioBuffer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

AudioDecoder::AudioDecoder(AVCodecContext *codec, PacketQueue &queue, std::shared_ptr<AudioBuffer> buffer)
    : Decoder(codec, queue), output(std::move(buffer))
{
}

AudioDecoder::~AudioDecoder()
{
    Join();
    swr_free(&resampler);
}

bool AudioDecoder::Configure(const AVFrame *frame)
{
    uint64_t mask = frame->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? frame->ch_layout.u.mask : 0;
    if (resampler && frame->format == inputFormat && frame->sample_rate == inputRate
        && frame->ch_layout.nb_channels == inputChannels && mask == inputMask)
        return true;
    swr_free(&resampler);
    AVChannelLayout in{};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&in, frame->ch_layout.nb_channels);
    else
        av_channel_layout_copy(&in, &frame->ch_layout);
    AVChannelLayout out{};
    av_channel_layout_default(&out, output->Channels());
    int err = swr_alloc_set_opts2(&resampler, &out, AV_SAMPLE_FMT_S16, output->SampleRate(), &in,
                                  AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    if (err < 0 || swr_init(resampler) < 0) {
        swr_free(&resampler);
        return false;
    }
    inputFormat = frame->format;
    inputRate = frame->sample_rate;
    inputChannels = frame->ch_layout.nb_channels;
    inputMask = mask;
    return true;
}

void AudioDecoder::Convert(const uint8_t **input, int frames, int serial)
{
    int room = swr_get_out_samples(resampler, frames);
    if (room <= 0)
        return;
    converted.resize(size_t(room) * size_t(output->BytesPerFrame()));
    uint8_t *out = converted.data();
    int made = swr_convert(resampler, &out, room, input, frames);
    if (made > 0)
        output->Write(converted.data(), made, serial);
}

void AudioDecoder::OnFrame(AVFrame *frame, int serial)
{
    if (frame->nb_samples <= 0 || frame->sample_rate <= 0 || !Configure(frame))
        return;
    Convert(const_cast<const uint8_t **>(frame->extended_data), frame->nb_samples, serial);
}

void AudioDecoder::OnRestart(int)
{
    // Samples held back for resampling belong to the old position.
    swr_free(&resampler);
}

void AudioDecoder::OnEnd(int serial)
{
    if (resampler)
        Convert(nullptr, 0, serial);
}
