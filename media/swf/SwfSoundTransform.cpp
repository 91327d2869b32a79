#include "SwfSoundTransform.h"

#include <algorithm>
#include <cmath>

namespace swf {

SoundTransform SoundTransform::panned(int pan, int volume)
{
    SoundTransform t;
    t.volume = volume;
    pan = std::clamp(pan, -100, 100);
    if (pan > 0)
        t.leftToLeft = 100 - pan;
    else
        t.rightToRight = 100 + pan;
    return t;
}

int SoundTransform::pan() const
{
    if (leftToLeft == 100 && rightToRight == 100)
        return 0;
    return rightToRight < leftToLeft ? rightToRight - 100 : 100 - leftToLeft;
}

bool SoundTransform::plain() const
{
    return volume == 100 && leftToLeft == 100 && rightToLeft == 0 && leftToRight == 0 && rightToRight == 100;
}

SoundTransform SoundTransform::within(const SoundTransform &outer) const
{
    auto percent = [](double value) { return int(std::lround(value / 100)); };
    SoundTransform t;
    t.volume = percent(double(volume) * outer.volume);
    t.leftToLeft = percent(double(outer.leftToLeft) * leftToLeft + double(outer.rightToLeft) * leftToRight);
    t.rightToLeft = percent(double(outer.leftToLeft) * rightToLeft + double(outer.rightToLeft) * rightToRight);
    t.leftToRight = percent(double(outer.leftToRight) * leftToLeft + double(outer.rightToRight) * leftToRight);
    t.rightToRight = percent(double(outer.leftToRight) * rightToLeft + double(outer.rightToRight) * rightToRight);
    return t;
}

void SoundTransform::apply(int32_t &left, int32_t &right) const
{
    int64_t l = (int64_t(left) * leftToLeft + int64_t(right) * rightToLeft) * volume / 10000;
    int64_t r = (int64_t(left) * leftToRight + int64_t(right) * rightToRight) * volume / 10000;
    left = int32_t(std::clamp<int64_t>(l, INT32_MIN / 4, INT32_MAX / 4));
    right = int32_t(std::clamp<int64_t>(r, INT32_MIN / 4, INT32_MAX / 4));
}

}
