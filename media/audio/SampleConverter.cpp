#include "SampleConverter.h"

#include <algorithm>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/frame.h>
#include <libswresample/swresample.h>
}

SampleConverter::SampleConverter(int rate, int channels) : outRate(rate), outChannels(channels) {}

SampleConverter::~SampleConverter()
{
    swr_free(&resampler);
}

bool SampleConverter::configure(const AVFrame *frame)
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
    av_channel_layout_default(&out, outChannels);
    int err = swr_alloc_set_opts2(&resampler, &out, AV_SAMPLE_FMT_S16, outRate, &in, AVSampleFormat(frame->format),
                                  frame->sample_rate, 0, nullptr);
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

void SampleConverter::run(const uint8_t **input, int frames, std::vector<int16_t> &out)
{
    int room = swr_get_out_samples(resampler, frames);
    if (room <= 0)
        return;
    size_t at = out.size();
    out.resize(at + size_t(room) * size_t(outChannels));
    auto *target = reinterpret_cast<uint8_t *>(out.data() + at);
    int made = swr_convert(resampler, &target, room, input, frames);
    out.resize(at + size_t(std::max(made, 0)) * size_t(outChannels));
}

bool SampleConverter::convert(const AVFrame *frame, std::vector<int16_t> &out)
{
    if (frame->nb_samples <= 0 || frame->sample_rate <= 0 || !configure(frame))
        return false;
    run(const_cast<const uint8_t **>(frame->extended_data), frame->nb_samples, out);
    return true;
}

void SampleConverter::drain(std::vector<int16_t> &out)
{
    if (resampler)
        run(nullptr, 0, out);
}

void SampleConverter::reset()
{
    swr_free(&resampler);
}
