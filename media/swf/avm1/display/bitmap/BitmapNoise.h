#pragma once
// Random pixels for script bitmaps (BitmapData.noise): the same seed gives
// the same picture.
#include <cstdint>

namespace swf::avm1 {

class BitmapPixels;

struct NoiseOptions {
    int low = 0, high = 255; // each channel's range, inclusive
    int channels = 7;        // flags: 1 red, 2 green, 4 blue, 8 alpha
    bool grayScale = false;  // one value for red, green and blue
};

// Fills the whole bitmap; channels left out are 0, and alpha 255.
void noise(BitmapPixels &bitmap, uint32_t seed, const NoiseOptions &options);

}
