#pragma once
// A timeline as stored in the movie: per frame the display list changes and
// actions that lead to it, and the frame labels. The root movie and every
// sprite have one.
#include "SwfBlend.h"
#include "SwfFilterList.h"
#include "SwfSound.h"
#include "SwfTypes.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace swf {

class BitReader;

// The events a placed sprite's clip actions answer (a mask of these).
// Movies before version 6 store only the low 16 bits.
namespace ClipEvent {
enum : uint32_t {
    Load = 0x01, EnterFrame = 0x02, Unload = 0x04, MouseMove = 0x08, MouseDown = 0x10, MouseUp = 0x20,
    KeyDown = 0x40, KeyUp = 0x80, Data = 0x100, Initialize = 0x200, Press = 0x400, Release = 0x800,
    ReleaseOutside = 0x1000, RollOver = 0x2000, RollOut = 0x4000, DragOver = 0x8000, DragOut = 0x10000,
    KeyPress = 0x20000, Construct = 0x40000,
};
}

struct ClipAction {
    uint32_t events = 0;
    int keyCode = 0; // with KeyPress: the key it waits for
    QByteArray bytecode;
    bool operator==(const ClipAction &) const = default;
};

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
    std::optional<QString> className;
    std::optional<std::vector<Filter>> filters;
    std::optional<BlendMode> blendMode;
    std::optional<bool> cacheAsBitmap;
    std::optional<bool> visible;
    std::optional<QColor> backgroundColor; // an opaque background for the cached bitmap
    uint32_t clipEvents = 0; // all events of the clip actions
    std::vector<ClipAction> clipActions;
    bool operator==(const PlaceCommand &) const = default;
};

struct RemoveCommand {
    int depth = 0;
};

// DoAction: the frame's action bytecode, run by the script host.
struct ActionCommand {
    QByteArray bytecode;
};

// DoInitAction: run once, before the frame's actions, for a sprite.
struct InitActionCommand {
    uint16_t spriteId = 0;
    QByteArray bytecode;
};

// SetTabIndex: the tab order of the object at a depth.
struct TabIndexCommand {
    int depth = 0;
    int index = 0;
};

using FrameCommand = std::variant<PlaceCommand, RemoveCommand, ActionCommand, InitActionCommand, TabIndexCommand,
                                  StartSoundCommand>;

struct Frame {
    std::vector<FrameCommand> commands;
    std::optional<StreamBlock> streamBlock; // this frame's share of the stream sound
};

struct Timeline {
    std::vector<Frame> frames; // complete frames only
    QHash<QString, int> labels;
    QSet<QString> anchors;      // labels that are named anchors
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
