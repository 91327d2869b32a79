#pragma once
// Tag codes of the tags this player reads.
#include <cstdint>

namespace swf::tag {

enum : uint16_t {
    End = 0,
    ShowFrame = 1,
    DefineShape = 2,
    PlaceObject = 4,
    RemoveObject = 5,
    DefineBits = 6,
    DefineButton = 7,
    JPEGTables = 8,
    SetBackgroundColor = 9,
    DefineFont = 10,
    DefineText = 11,
    DoAction = 12,
    DefineFontInfo = 13,
    DefineSound = 14,
    StartSound = 15,
    DefineButtonSound = 17,
    SoundStreamHead = 18,
    SoundStreamBlock = 19,
    DefineBitsLossless = 20,
    DefineBitsJPEG2 = 21,
    DefineShape2 = 22,
    PlaceObject2 = 26,
    RemoveObject2 = 28,
    DefineShape3 = 32,
    DefineText2 = 33,
    DefineButton2 = 34,
    DefineBitsJPEG3 = 35,
    DefineBitsLossless2 = 36,
    DefineEditText = 37,
    DefineSprite = 39,
    SoundStreamHead2 = 45,
    FrameLabel = 43,
    DefineMorphShape = 46,
    DefineFont2 = 48,
    DefineFontInfo2 = 62,
    DefineFont3 = 75,
    PlaceObject3 = 70,
    DefineShape4 = 83,
    StartSound2 = 89,
    DefineMorphShape2 = 84,
};

}
