#include "SwfButton.h"

#include "SwfBitReader.h"
#include "SwfError.h"

#include <algorithm>

namespace swf {

namespace {

bool readRecord(BitReader &in, bool second, ButtonCharacter::Record &record)
{
    int flags = in.u8();
    if (flags == 0)
        return false;
    record = ButtonCharacter::Record();
    record.states = flags & 0x0F;
    record.characterId = in.u16();
    record.depth = in.u16();
    record.matrix = readMatrix(in);
    if (!second)
        return true;
    record.colorTransform = readColorTransform(in, true);
    if (flags & 0x10)
        record.filters = readFilterList(in);
    if (flags & 0x20)
        record.blendMode = blendModeOf(in.u8());
    return true;
}

}

std::shared_ptr<ButtonCharacter> ButtonCharacter::read(BitReader &in, bool second)
{
    auto button = std::make_shared<ButtonCharacter>();
    size_t actionOffset = 0;
    size_t start = in.position();
    if (second) {
        button->trackAsMenu = in.u8() & 0x01;
        actionOffset = in.u16();
        if (actionOffset)
            actionOffset += in.position() - 2 - start;
    }
    Record record;
    while (readRecord(in, second, record))
        button->records.push_back(record);
    std::stable_sort(button->records.begin(), button->records.end(),
                     [](const Record &a, const Record &b) { return a.depth < b.depth; });
    if (!second) {
        // DefineButton: one action block, run on release.
        button->actions.push_back({OverDownToOverUp, in.bytes(in.remaining())});
        return button;
    }
    if (!actionOffset)
        return button;
    // Broken actions leave the button without them; it still shows.
    try {
        if (start + actionOffset < in.position())
            throw SwfError("button actions inside its records");
        in.skip(start + actionOffset - in.position());
        for (;;) {
            size_t size = in.u16();
            ConditionAction action;
            action.conditions = in.u16();
            if (size && size < 4)
                throw SwfError("button action shorter than its header");
            size_t body = size ? size - 4 : in.remaining();
            action.bytecode = in.bytes(body);
            button->actions.push_back(std::move(action));
            if (size == 0)
                break;
        }
    } catch (const SwfError &) {
    }
    return button;
}

}
