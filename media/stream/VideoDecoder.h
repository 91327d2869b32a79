#pragma once
// Decodes the picture stream and converts each picture with libswscale to a
// 32-bit image at its display size (pixel aspect applied), queued with its
// time for the GUI thread. Time stamps are used only while they move forward;
// otherwise a picture is one frame duration after the previous one.
#include "Decoder.h"
#include "FrameQueue.h"

#include <atomic>

struct SwsContext;

class VideoDecoder : public Decoder {
public:
    // `frameDuration` in seconds; `timeBase` and `startTime` convert stamps.
    VideoDecoder(AVCodecContext *context, PacketQueue &queue, FrameQueue &output,
                 double timeBase, double startTime, double frameDuration);
    ~VideoDecoder() override;
    // The position a seek lands on; set before the queue moves to the new serial.
    void SetRestartTime(double seconds) { restartTime = seconds; }

protected:
    void OnFrame(AVFrame *frame, int serial) override;
    void OnRestart(int serial) override;
    void OnEnd(int) override {}

private:
    double FrameTime(const AVFrame *frame);

    FrameQueue &output;
    const double timeBase;
    const double startTime;
    const double frameDuration;
    std::atomic<double> restartTime{0};
    double lastTime = 0;
    bool firstOfSerial = true;
    SwsContext *scaler = nullptr;
};
