#pragma once
// Decoded, converted video pictures waiting for their moment: written by the
// video decoding thread, taken by the GUI thread when the playback clock
// reaches a picture's time.
#include <QImage>

#include <condition_variable>
#include <deque>
#include <mutex>

class FrameQueue {
public:
    struct Frame {
        QImage image;
        double time = 0; // seconds from the start of the clip
        int serial = 0;
    };

    explicit FrameQueue(int capacity = 4) : capacity(capacity) {}

    // Waits while the queue is full; returns false when aborted or when the
    // frame's serial is stale.
    bool Put(Frame frame);
    // The newest frame due at `clock` (older due frames are dropped), or a null
    // frame when none is due yet.
    Frame TakeDue(double clock);
    // Drops the content and accepts only frames of serial `serial` from now on.
    void Reset(int serial);
    void Abort();
    int Count() const;

private:
    const int capacity;
    mutable std::mutex mutex;
    std::condition_variable spaceFreed;
    std::deque<Frame> frames;
    int serial = 0;
    bool aborted = false;
};
