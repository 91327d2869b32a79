#pragma once
// The interrupt callback handed to FFmpeg for one stream: it ends any blocking
// call (opening, reading, closing) once the stream is told to stop or once the
// armed deadline has passed. FFmpeg polls it at least every 100 ms while it
// waits on the network.
#include <atomic>
#include <cstdint>

struct AVIOInterruptCB;

class StreamInterrupt {
public:
    void Abort() { aborted = true; }
    bool Aborted() const { return aborted; }
    // Gives the next blocking calls `ms` milliseconds in all.
    void Arm(int ms);
    void Disarm() { deadline = 0; }
    // True once a call was cut short by the deadline (cleared by Arm).
    bool TimedOut() const { return timedOut; }
    AVIOInterruptCB Callback();

private:
    static int Check(void *opaque);
    std::atomic<bool> aborted{false};
    std::atomic<bool> timedOut{false};
    std::atomic<int64_t> deadline{0}; // steady clock, nanoseconds; 0 = none
};
