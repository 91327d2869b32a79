#pragma once
// The numbers of a script ColorTransform: multipliers (1 is unchanged) and
// offsets (-255 to 255 in use, any number kept) for red, green, blue, alpha.
#include "swf/SwfTypes.h"
#include "swf/avm1/Object.h"

namespace swf::avm1 {

class ColorTransformData : public NativeData {
public:
    double mult[4] = {1, 1, 1, 1};
    double add[4] = {0, 0, 0, 0};

    static ColorTransformData fromDisplay(const ColorTransform &colors);
    // The display transform (8.8 fixed-point multipliers, whole offsets).
    ColorTransform toDisplay() const;
    // Applies `inner` first, then these numbers (what concat makes).
    void concat(const ColorTransformData &inner);
    // The numbers as a display object keeps them: 16-bit 8.8 multipliers and
    // 16-bit whole offsets (rounded down), wrapping when out of range.
    ColorTransformData asStored() const;
};

}
