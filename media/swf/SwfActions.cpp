#include "SwfActions.h"

#include "SwfBitReader.h"

namespace swf {

std::vector<Action> readActions(BitReader &in, int version)
{
    std::vector<Action> actions;
    while (!in.atEnd()) {
        int code = in.u8();
        if (code == 0)
            break;
        size_t length = code >= 0x80 ? in.u16() : 0;
        if (length > in.remaining())
            break;
        BitReader payload(in.current(), length);
        in.skip(length);
        switch (code) {
        case 0x04:
            actions.push_back(Action{Action::NextFrame, 0, {}});
            break;
        case 0x05:
            actions.push_back(Action{Action::PrevFrame, 0, {}});
            break;
        case 0x06:
            actions.push_back(Action{Action::Play, 0, {}});
            break;
        case 0x07:
            actions.push_back(Action{Action::Stop, 0, {}});
            break;
        case 0x81:
            actions.push_back(Action{Action::GotoFrame, payload.u16(), {}});
            break;
        case 0x8C:
            actions.push_back({Action::GotoLabel, 0, payload.string(version)});
            break;
        default:
            break;
        }
    }
    return actions;
}

}
