#pragma once
// What may set the pace of a movie's root timeline instead of its frame
// rate: a stream sound playing on it. The player asks on every tick which
// frame the root should show; it skips frames to catch up and holds a frame
// to wait.
#include <optional>

namespace swf {

class FrameClock {
public:
    virtual ~FrameClock() = default;
    // The frame the root timeline should show now; nothing while the frame
    // rate sets the pace.
    virtual std::optional<int> wantedFrame() = 0;
};

}
