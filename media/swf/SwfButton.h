#pragma once
// Buttons (DefineButton, DefineButton2): characters shown per state, the
// hit area, and the actions run when the button is pressed or released.
#include "SwfBlend.h"
#include "SwfCharacter.h"
#include "SwfFilterList.h"

#include <QByteArray>
#include <optional>

namespace swf {

class BitReader;

struct ButtonCharacter : Character {
    enum State { Up = 0x01, Over = 0x02, Down = 0x04, HitTest = 0x08 };
    struct Record {
        int states = 0;
        uint16_t characterId = 0;
        int depth = 0;
        QTransform matrix;
        ColorTransform colorTransform;
        std::vector<Filter> filters;
        BlendMode blendMode = BlendMode::Normal;
        bool operator==(const Record &) const = default;
    };
    // The state changes that run a button's actions (a mask of these); a key
    // press stores its key code from bit 9 on.
    enum Condition : uint16_t {
        IdleToOverUp = 0x01, OverUpToIdle = 0x02, OverUpToOverDown = 0x04, OverDownToOverUp = 0x08,
        OverDownToOutDown = 0x10, OutDownToOverDown = 0x20, OutDownToIdle = 0x40, IdleToOverDown = 0x80,
        OverDownToIdle = 0x100,
    };
    struct ConditionAction {
        uint16_t conditions = 0;
        QByteArray bytecode;
        int keyCode() const { return conditions >> 9; }
        bool operator==(const ConditionAction &) const = default;
    };
    std::vector<Record> records; // in depth order
    bool trackAsMenu = false;
    std::vector<ConditionAction> actions;
    // DefineButtonCxform: the colour transform of a DefineButton's characters.
    std::optional<ColorTransform> colorTransform;

    static std::shared_ptr<ButtonCharacter> read(BitReader &in, bool second);
};

}
