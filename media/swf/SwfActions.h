#pragma once
// The frame actions this player runs: the timeline controls of DoAction.
#include <QString>
#include <vector>

namespace swf {

class BitReader;

struct Action {
    enum Kind { Play, Stop, NextFrame, PrevFrame, GotoFrame, GotoLabel };
    Kind kind = Play;
    int frame = 0; // GotoFrame, zero-based
    QString label; // GotoLabel
};

// Reads an action list up to its end code; other actions are skipped.
std::vector<Action> readActions(BitReader &in, int version);

}
