#include "VideoDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMaxStep = 10.0; // seconds
}

VideoDecoder::VideoDecoder(AVCodecContext *codec, PacketQueue &queue, FrameQueue &frames,
                           double base, double start, double duration)
    : Decoder(codec, queue), output(frames), timeBase(base), startTime(start), frameDuration(duration)
{
}

VideoDecoder::~VideoDecoder()
{
    Join();
    sws_freeContext(scaler);
}

double VideoDecoder::FrameTime(const AVFrame *frame)
{
    double time = lastTime + frameDuration;
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE) {
        double stamped = double(frame->best_effort_timestamp) * timeBase - startTime;
        // A stamp that jumps far ahead is as untrustworthy as one that stands still.
        bool forward = firstOfSerial ? stamped >= 0 : stamped > lastTime && stamped < lastTime + kMaxStep;
        if (std::isfinite(stamped) && forward)
            time = stamped;
    } else if (firstOfSerial) {
        time = restartTime;
    }
    firstOfSerial = false;
    lastTime = time;
    return time;
}

void VideoDecoder::OnFrame(AVFrame *frame, int serial)
{
    if (frame->width <= 0 || frame->height <= 0)
        return;
    double time = FrameTime(frame);
    int width = frame->width;
    int height = frame->height;
    AVRational aspect = frame->sample_aspect_ratio;
    if (aspect.num > 0 && aspect.den > 0 && aspect.num != aspect.den)
        width = std::max(1, int(std::lround(width * av_q2d(aspect))));
    scaler = sws_getCachedContext(scaler, frame->width, frame->height, AVPixelFormat(frame->format),
                                  width, height, AV_PIX_FMT_RGB32, SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!scaler)
        return;
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return;
    uint8_t *planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, strides);
    output.Put({std::move(image), time, serial});
}

void VideoDecoder::OnRestart(int)
{
    firstOfSerial = true;
    lastTime = restartTime - frameDuration;
}
