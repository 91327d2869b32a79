#pragma once
// What a script BitmapData object holds: its pixels, shared with the clips
// showing it, until dispose() lets them go.
#include "swf/avm1/Object.h"

#include <memory>

namespace swf::avm1 {

class BitmapPixels;
class Vm;

class BitmapData : public NativeData {
public:
    explicit BitmapData(std::shared_ptr<BitmapPixels> pixels) : picture(std::move(pixels)) {}
    const std::shared_ptr<BitmapPixels> &pixels() const { return picture; }
    void dispose() { picture.reset(); }
    size_t extraBytes() const override;

private:
    std::shared_ptr<BitmapPixels> picture;
};

// The pixels of a BitmapData object; null for anything else or once disposed.
BitmapPixels *pixelsOf(const Value &bitmap);

// The class, and attachBitmap on the clip prototype.
void installBitmapData(Vm &vm, Object *clipPrototype);

}
