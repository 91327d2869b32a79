#include "FrameQueue.h"

bool FrameQueue::Put(Frame frame)
{
    std::unique_lock lock(mutex);
    spaceFreed.wait(lock, [&] { return aborted || serial != frame.serial || int(frames.size()) < capacity; });
    if (aborted || serial != frame.serial)
        return false;
    frames.push_back(std::move(frame));
    return true;
}

FrameQueue::Frame FrameQueue::TakeDue(double clock)
{
    std::lock_guard lock(mutex);
    Frame due;
    while (!frames.empty() && frames.front().time <= clock) {
        due = std::move(frames.front());
        frames.pop_front();
    }
    if (!due.image.isNull())
        spaceFreed.notify_all();
    return due;
}

void FrameQueue::Reset(int newSerial)
{
    std::lock_guard lock(mutex);
    frames.clear();
    serial = newSerial;
    spaceFreed.notify_all();
}

void FrameQueue::Abort()
{
    std::lock_guard lock(mutex);
    aborted = true;
    spaceFreed.notify_all();
}

int FrameQueue::Count() const
{
    std::lock_guard lock(mutex);
    return int(frames.size());
}
