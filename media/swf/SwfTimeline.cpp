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

PlaceCommand readPlaceObject2(BitReader &in, int version, bool third)
{
    PlaceCommand p;
    int flags = in.u8();
    int flags3 = third ? in.u8() : 0;
    p.depth = in.u16();
    p.move = flags & 0x01;
    if (third && (flags3 & 0x08))
        in.string(version); // class name
    if (flags & 0x02)
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
    // Filters, blend modes and clip actions follow; they are not drawn.
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
    case tag::DoAction:
        pending.commands.emplace_back(ActionCommand{readActions(in, version)});
        return true;
    case tag::FrameLabel:
        labels.insert(in.string(version), int(frames.size()));
        return true;
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
