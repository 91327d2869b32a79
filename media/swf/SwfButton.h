#pragma once
// Buttons (DefineButton, DefineButton2): characters shown per state, the
// hit area, and the actions run when the button is pressed or released.
#include "SwfActions.h"
#include "SwfCharacter.h"

#include <optional>

namespace swf {

class BitReader;
class TimelineInstance;
struct DisplayObject;

struct ButtonCharacter : Character {
    enum State { Up = 0x01, Over = 0x02, Down = 0x04, HitTest = 0x08 };
    struct Record {
        int states = 0;
        uint16_t characterId = 0;
        int depth = 0;
        QTransform matrix;
        ColorTransform colorTransform;
    };
    std::vector<Record> records; // in depth order
    std::vector<Action> pressActions;
    std::vector<Action> releaseActions;

    static std::shared_ptr<ButtonCharacter> read(BitReader &in, int version, bool second);
};

// The button under a point and the timeline its actions work on.
struct ButtonHit {
    TimelineInstance *timeline = nullptr;
    DisplayObject *object = nullptr;
    const ButtonCharacter *button = nullptr;
};

// Finds the topmost button whose hit area covers `point` (device pixels).
std::optional<ButtonHit> buttonAt(TimelineInstance &root, const QTransform &stageToDevice, const QPointF &point);

}
