#include "StreamInterrupt.h"

#include <chrono>

extern "C" {
#include <libavformat/avio.h>
}

namespace {
int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch()).count();
}
}

void StreamInterrupt::Arm(int ms)
{
    timedOut = false;
    deadline = Now() + int64_t(ms) * 1000000;
}

AVIOInterruptCB StreamInterrupt::Callback()
{
    return AVIOInterruptCB{&StreamInterrupt::Check, this};
}

int StreamInterrupt::Check(void *opaque)
{
    auto *self = static_cast<StreamInterrupt *>(opaque);
    if (self->aborted)
        return 1;
    int64_t end = self->deadline;
    if (end != 0 && Now() > end) {
        self->timedOut = true;
        return 1;
    }
    return 0;
}
