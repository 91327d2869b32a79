#include "BitmapNoise.h"

#include "BitmapPixels.h"

#include <algorithm>

namespace swf::avm1 {

namespace {

// A small linear congruential generator: cheap and the same everywhere.
class Random {
public:
    explicit Random(uint32_t seed) : state(seed ? seed : 1) {}
    uint32_t next()
    {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    }

private:
    uint32_t state;
};

}

void noise(BitmapPixels &bitmap, uint32_t seed, const NoiseOptions &options)
{
    int low = std::clamp(std::min(options.low, options.high), 0, 255);
    int high = std::clamp(std::max(options.low, options.high), 0, 255);
    uint32_t span = uint32_t(high - low + 1);
    Random random(seed);
    auto value = [&] { return uint32_t(low) + random.next() % span; };
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            uint32_t argb = 0;
            if (options.grayScale) {
                uint32_t v = value();
                argb = v << 16 | v << 8 | v;
            } else {
                for (int i = 0; i < 3; ++i)
                    if (options.channels & (1 << i))
                        argb |= value() << (16 - 8 * i);
            }
            argb |= (options.channels & 8 ? value() : 255u) << 24;
            bitmap.store(x, y, argb);
        }
    }
}

}
