#pragma once
// One decoding thread: takes packets from its queue, decodes them with
// send/receive, drains the codec at the end of the stream and flushes it when
// the queue's serial changes (after a seek). What happens to a decoded frame
// is the subclass's business.
#include <atomic>
#include <thread>

struct AVCodecContext;
struct AVFrame;
class PacketQueue;

class Decoder {
public:
    // Takes ownership of `context`, an opened codec.
    Decoder(AVCodecContext *context, PacketQueue &queue);
    virtual ~Decoder();
    Decoder(const Decoder &) = delete;
    Decoder &operator=(const Decoder &) = delete;

    void Start();
    // Waits for the thread; the queue must have been aborted.
    void Join();
    // The serial whose end of stream has been decoded completely, or -1.
    int DoneSerial() const { return doneSerial; }

protected:
    // A decoded frame of serial `serial`.
    virtual void OnFrame(AVFrame *frame, int serial) = 0;
    // The codec was flushed and packets of `serial` follow.
    virtual void OnRestart(int serial) = 0;
    // Everything of `serial` has been decoded.
    virtual void OnEnd(int serial) = 0;

    AVCodecContext *context;

private:
    void Run();
    void Receive(AVFrame *frame, int serial);

    PacketQueue &queue;
    std::thread thread;
    std::atomic<int> doneSerial{-1};
};
