#include "Decoder.h"

#include "PacketQueue.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

Decoder::Decoder(AVCodecContext *codec, PacketQueue &packets) : context(codec), queue(packets)
{
}

Decoder::~Decoder()
{
    Join();
    avcodec_free_context(&context);
}

void Decoder::Start()
{
    thread = std::thread([this] { Run(); });
}

void Decoder::Join()
{
    if (thread.joinable())
        thread.join();
}

void Decoder::Run()
{
    AVPacket *packet = av_packet_alloc();
    AVFrame *frame = av_frame_alloc();
    int current = 0;
    for (;;) {
        int serial = 0;
        PacketQueue::Result got = queue.Get(packet, serial);
        if (got == PacketQueue::Result::Aborted)
            break;
        if (serial != current) {
            avcodec_flush_buffers(context);
            current = serial;
            doneSerial = -1;
            OnRestart(serial);
        }
        if (got == PacketQueue::Result::End) {
            // Drain what the codec still holds, then make it usable again for
            // packets that follow a seek back.
            if (avcodec_send_packet(context, nullptr) >= 0)
                Receive(frame, serial);
            avcodec_flush_buffers(context);
            OnEnd(serial);
            doneSerial = serial;
            continue;
        }
        for (;;) {
            int err = avcodec_send_packet(context, packet);
            if (err == AVERROR(EAGAIN)) {
                Receive(frame, serial);
                continue;
            }
            // A damaged packet is skipped; the next one may decode.
            break;
        }
        av_packet_unref(packet);
        Receive(frame, serial);
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
}

void Decoder::Receive(AVFrame *frame, int serial)
{
    while (avcodec_receive_frame(context, frame) >= 0) {
        OnFrame(frame, serial);
        av_frame_unref(frame);
    }
}
