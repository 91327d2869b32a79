#include "SwfTimeline.h"

#include "SwfBitReader.h"
#include "SwfError.h"
#include "SwfTags.h"

namespace swf {

namespace {

PlaceCommand readPlaceObject(BitReader &in)
{
    PlaceCommand p;
    p.characterId = in.u16();
    p.depth = in.u16();
    p.matrix = readMatrix(in);
    if (!in.atEnd())
        p.colorTransform = readColorTransform(in, false);
    return p;
}

// Clip actions: their reserved word and combined events, then a record per
// handler (events, size, the key of a key press, bytecode) until events of 0.
void readClipActions(BitReader &in, int version, PlaceCommand &p)
{
    auto events = [&] { return version >= 6 ? in.u32() : uint32_t(in.u16()); };
    in.u16();
    p.clipEvents = events();
    for (;;) {
        ClipAction action;
        action.events = events();
        if (action.events == 0)
            break;
        size_t size = in.u32();
        if (action.events & ClipEvent::KeyPress) {
            if (size < 1)
                throw SwfError("key press handler without its key");
            action.keyCode = in.u8();
            --size;
        }
        action.bytecode = in.bytes(size);
        p.clipActions.push_back(std::move(action));
    }
}

// What follows the name and clip depth of PlaceObject3.
void readPlaceObject3Extras(BitReader &in, int flags3, PlaceCommand &p)
{
    if (flags3 & 0x01)
        p.filters = readFilterList(in);
    if (flags3 & 0x02)
        p.blendMode = blendModeOf(in.u8());
    if (flags3 & 0x04)
        p.cacheAsBitmap = in.u8() != 0;
    if (flags3 & 0x20)
        p.visible = in.u8() != 0;
    if (flags3 & 0x40)
        p.backgroundColor = readRgba(in);
}

PlaceCommand readPlaceObject2(BitReader &in, int version, bool third)
{
    PlaceCommand p;
    int flags = in.u8();
    int flags3 = third ? in.u8() : 0;
    p.depth = in.u16();
    p.move = flags & 0x01;
    bool hasCharacter = flags & 0x02;
    // A class name comes with its flag, or with an image flag and a character.
    if ((flags3 & 0x08) || ((flags3 & 0x10) && hasCharacter))
        p.className = in.string(version);
    if (hasCharacter)
        p.characterId = in.u16();
    if (flags & 0x04)
        p.matrix = readMatrix(in);
    if (flags & 0x08)
        p.colorTransform = readColorTransform(in, true);
    if (flags & 0x10)
        p.ratio = in.u16();
    if (flags & 0x20)
        p.name = in.string(version);
    if (flags & 0x40)
        p.clipDepth = in.u16();
    // A placement stands even when what follows is unreadable (an unknown
    // filter, cut-off clip actions): the object shows without them.
    try {
        readPlaceObject3Extras(in, flags3, p);
        if (flags & 0x80)
            readClipActions(in, version, p);
    } catch (const SwfError &) {
    }
    return p;
}

}

bool Timeline::readControlTag(uint16_t code, BitReader &in, int version)
{
    switch (code) {
    case tag::ShowFrame:
        showFrame();
        return true;
    case tag::PlaceObject:
        pending.commands.emplace_back(readPlaceObject(in));
        return true;
    case tag::PlaceObject2:
    case tag::PlaceObject3:
        pending.commands.emplace_back(readPlaceObject2(in, version, code == tag::PlaceObject3));
        return true;
    case tag::RemoveObject:
        in.u16();
        pending.commands.emplace_back(RemoveCommand{in.u16()});
        return true;
    case tag::RemoveObject2:
        pending.commands.emplace_back(RemoveCommand{in.u16()});
        return true;
    case tag::DoAction: {
        pending.commands.emplace_back(ActionCommand{in.bytes(in.remaining())});
        return true;
    }
    case tag::DoInitAction: {
        uint16_t sprite = in.u16();
        pending.commands.emplace_back(InitActionCommand{sprite, in.bytes(in.remaining())});
        return true;
    }
    case tag::SetTabIndex: {
        int depth = in.u16();
        pending.commands.emplace_back(TabIndexCommand{depth, in.u16()});
        return true;
    }
    case tag::FrameLabel: {
        QString label = in.string(version);
        labels.insert(label, int(frames.size()));
        // Version 6 and later may mark the label as a named anchor.
        if (!in.atEnd() && in.u8() == 1)
            anchors.insert(label);
        return true;
    }
    case tag::StartSound:
    case tag::StartSound2:
        pending.commands.emplace_back(readStartSound(in, code == tag::StartSound2, version));
        return true;
    case tag::SoundStreamHead:
    case tag::SoundStreamHead2:
        streamHead = readStreamHead(in);
        return true;
    case tag::SoundStreamBlock:
        // A block before any head cannot be decoded and is left out.
        if (streamHead)
            pending.streamBlock = readStreamBlock(in, *streamHead);
        return true;
    default:
        return false;
    }
}

void Timeline::showFrame()
{
    frames.push_back(std::move(pending));
    pending = Frame();
}

void Timeline::readSprite(BitReader &in, int version)
{
    declaredFrames = in.u16();
    while (in.remaining() >= 2) {
        uint16_t header = in.u16();
        uint16_t code = header >> 6;
        size_t length = header & 0x3F;
        if (length == 0x3F)
            length = in.u32();
        if (code == tag::End)
            break;
        if (length > in.remaining())
            throw SwfError("sprite tag runs past the sprite");
        BitReader body(in.current(), length);
        in.skip(length);
        try {
            readControlTag(code, body, version);
        } catch (const SwfError &) {
            // A broken control tag is left out; the sprite's other tags stay.
        }
    }
}

}
