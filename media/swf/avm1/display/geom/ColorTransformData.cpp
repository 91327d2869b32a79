#include "ColorTransformData.h"

#include "swf/avm1/Convert.h"

#include <cmath>

namespace swf::avm1 {

ColorTransformData ColorTransformData::fromDisplay(const ColorTransform &colors)
{
    ColorTransformData out;
    for (int i = 0; i < 4; ++i) {
        out.mult[i] = colors.mult[i] / 256.0;
        out.add[i] = colors.add[i];
    }
    return out;
}

ColorTransform ColorTransformData::toDisplay() const
{
    ColorTransform out;
    for (int i = 0; i < 4; ++i) {
        out.mult[i] = toInt32(mult[i] * 256.0);
        out.add[i] = toInt32(add[i]);
    }
    return out;
}

void ColorTransformData::concat(const ColorTransformData &inner)
{
    for (int i = 0; i < 4; ++i) {
        add[i] += inner.add[i] * mult[i];
        mult[i] *= inner.mult[i];
    }
}

ColorTransformData ColorTransformData::asStored() const
{
    ColorTransformData out;
    for (int i = 0; i < 4; ++i) {
        out.mult[i] = int16_t(toInt32(mult[i] * 256.0)) / 256.0;
        out.add[i] = int16_t(toInt32(std::floor(add[i])));
    }
    return out;
}

}
