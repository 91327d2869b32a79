#pragma once
// A timeline as stored in the movie: per frame the display list changes and
// actions that lead to it, and the frame labels. The root movie and every
// sprite have one.
#include "SwfActions.h"
#include "SwfSound.h"
#include "SwfTypes.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace swf {

class BitReader;

// PlaceObject, PlaceObject2 and PlaceObject3.
struct PlaceCommand {
    int depth = 0;
    bool move = false; // change the object at depth instead of adding one
    std::optional<uint16_t> characterId;
    std::optional<QTransform> matrix;
    std::optional<ColorTransform> colorTransform;
    std::optional<int> ratio;
    std::optional<QString> name;
    std::optional<int> clipDepth;
};

struct RemoveCommand {
    int depth = 0;
};

struct ActionCommand {
    std::vector<Action> actions;
};

using FrameCommand = std::variant<PlaceCommand, RemoveCommand, ActionCommand, StartSoundCommand>;

struct Frame {
    std::vector<FrameCommand> commands;
    std::optional<StreamBlock> streamBlock; // this frame's share of the stream sound
};

struct Timeline {
    std::vector<Frame> frames; // complete frames only
    QHash<QString, int> labels;
    int declaredFrames = 0;
    std::optional<StreamHead> streamHead;

    // Adds a control tag to the frame being read; returns false for a tag
    // that is not a control tag.
    bool readControlTag(uint16_t code, BitReader &in, int version);
    // ShowFrame: the frame being read is complete.
    void showFrame();
    // Reads the control tags of a DefineSprite body.
    void readSprite(BitReader &in, int version);

private:
    Frame pending;
};

}
