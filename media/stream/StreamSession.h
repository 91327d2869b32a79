#pragma once
// One opened clip: the reading thread opens the address, picks one sound and
// one picture stream (a clip recorded at several bit rates carries several of
// each; the others are discarded), starts a decoding thread for each and feeds
// their packet queues until the end, a seek or a stop. Every FFmpeg call,
// opening and closing included, happens on these threads; the GUI thread only
// reads the session's state and its buffers.
#include "FrameQueue.h"
#include "PacketQueue.h"
#include "StreamErrors.h"
#include "StreamInterrupt.h"

#include <QSize>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class AudioBuffer;
class AudioDecoder;
class VideoDecoder;
struct AVFormatContext;

class StreamSession {
public:
    struct State {
        bool opened = false;
        StreamFailure error;    // why opening failed
        StreamFailure endError; // why reading broke off before the end
        double duration = 0;    // seconds; 0 when unknown (live)
        bool seekable = false;
        bool atEnd = false;     // everything up to the end has been read
        std::shared_ptr<AudioBuffer> audio; // null without sound
        bool hasVideo = false;
        int audioDoneSerial = -1;
        int videoDoneSerial = -1;
    };

    StreamSession(const QString &address, int openTimeoutMs);
    // Stops and waits for the threads.
    ~StreamSession();
    StreamSession(const StreamSession &) = delete;
    StreamSession &operator=(const StreamSession &) = delete;

    void Start();
    // Ends every blocking call and lets the threads finish; does not wait.
    void RequestStop();
    // All threads are done, so destroying the session does not block.
    bool Finished() const { return finished; }

    State Snapshot() const;
    FrameQueue &Pictures() { return pictures; }
    // Moves to `seconds`; data of older serials is dropped everywhere.
    void Seek(double seconds, int serial);
    // While paused nothing is read, and a network stream is told to pause.
    void SetPaused(bool paused);

private:
    void Run();
    bool Open(AVFormatContext *&format);
    void FailOpen(int averror);
    // avformat_open_input with our interrupt and time-outs; an FFmpeg error code.
    int OpenInput(AVFormatContext *&format, const QString &target, const char *rtspTransport);
    bool OpenStreams(AVFormatContext *format);
    void ReadLoop(AVFormatContext *format);
    bool QueuesFull() const;
    void Fail(const StreamFailure &failure);
    void Wait(int ms);

    const QString address;
    const int openTimeoutMs;
    StreamInterrupt interrupt;
    std::thread reader;
    std::atomic<bool> finished{false};
    class FfmpegErrorLog *ffmpegErrors = nullptr; // the reading thread's, while it runs

    PacketQueue audioPackets;
    PacketQueue videoPackets;
    FrameQueue pictures;
    std::unique_ptr<AudioDecoder> audioDecoder;
    std::unique_ptr<VideoDecoder> videoDecoder;
    int audioIndex = -1;
    int videoIndex = -1;

    mutable std::mutex mutex;
    std::condition_variable wake;
    State state;
    bool paused = false;
    bool seekPending = false;
    double seekTarget = 0;
    int seekSerial = 0;
};
