#pragma once
// A thread-safe queue of demuxed packets between the reading thread and one
// decoding thread. Every packet carries the queue's serial number at the time
// it was queued; a flush (after a seek) moves to a new serial so that decoders
// can tell stale packets and codec state from fresh ones.
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

struct AVPacket;

class PacketQueue {
public:
    enum class Result { Packet, End, Aborted };

    PacketQueue() = default;
    ~PacketQueue();
    PacketQueue(const PacketQueue &) = delete;
    PacketQueue &operator=(const PacketQueue &) = delete;

    // Moves the packet's data into the queue; `packet` is left blank.
    void Put(AVPacket *packet);
    // Marks the end of the stream; the decoder drains its codec when it gets here.
    void PutEnd();
    // Waits for the next item. On Packet the data is moved into `packet`.
    Result Get(AVPacket *packet, int &serial);
    // Drops everything queued and starts serial `serial`.
    void Flush(int serial);
    // Wakes every waiter for good; Get returns Aborted from now on.
    void Abort();

    int64_t Bytes() const;
    int Count() const;

private:
    struct Item {
        AVPacket *packet; // nullptr marks the end of the stream
        int serial;
    };
    void DropAll();

    mutable std::mutex mutex;
    std::condition_variable cond;
    std::deque<Item> items;
    int64_t bytes = 0;
    int serial = 0;
    bool aborted = false;
};
