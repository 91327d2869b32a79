#include "PacketQueue.h"

extern "C" {
#include <libavcodec/packet.h>
}

PacketQueue::~PacketQueue()
{
    DropAll();
}

void PacketQueue::Put(AVPacket *packet)
{
    AVPacket *copy = av_packet_alloc();
    av_packet_move_ref(copy, packet);
    std::lock_guard lock(mutex);
    if (aborted) {
        av_packet_free(&copy);
        return;
    }
    bytes += copy->size;
    items.push_back({copy, serial});
    cond.notify_all();
}

void PacketQueue::PutEnd()
{
    std::lock_guard lock(mutex);
    items.push_back({nullptr, serial});
    cond.notify_all();
}

PacketQueue::Result PacketQueue::Get(AVPacket *packet, int &itemSerial)
{
    std::unique_lock lock(mutex);
    cond.wait(lock, [this] { return aborted || !items.empty(); });
    if (aborted)
        return Result::Aborted;
    Item item = items.front();
    items.pop_front();
    itemSerial = item.serial;
    if (!item.packet)
        return Result::End;
    bytes -= item.packet->size;
    av_packet_move_ref(packet, item.packet);
    av_packet_free(&item.packet);
    return Result::Packet;
}

void PacketQueue::Flush(int newSerial)
{
    std::lock_guard lock(mutex);
    DropAll();
    serial = newSerial;
    cond.notify_all();
}

void PacketQueue::Abort()
{
    std::lock_guard lock(mutex);
    aborted = true;
    cond.notify_all();
}

int64_t PacketQueue::Bytes() const
{
    std::lock_guard lock(mutex);
    return bytes;
}

int PacketQueue::Count() const
{
    std::lock_guard lock(mutex);
    return int(items.size());
}

void PacketQueue::DropAll()
{
    for (Item &item : items)
        av_packet_free(&item.packet);
    items.clear();
    bytes = 0;
}
