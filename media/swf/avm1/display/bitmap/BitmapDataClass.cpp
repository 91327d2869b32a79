// flash.display.BitmapData: a picture scripts make, read and change pixel
// by pixel. Methods called with too few arguments, or on a disposed bitmap,
// do nothing and return -1, as movies expect.
#include "BitmapArgs.h"
#include "BitmapData.h"
#include "BitmapDataMethods.h"
#include "BitmapLinks.h"
#include "BitmapPixels.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/display/geom/GeomValues.h"


namespace swf::avm1 {

namespace {

// The largest bitmap: 2880 pixels a side for SWF 9 and older movies; later
// ones allow 8191 a side and 16777215 pixels in all.
bool sizeAllowed(int version, int width, int height)
{
    if (width <= 0 || height <= 0)
        return false;
    if (version < 10)
        return width <= 2880 && height <= 2880;
    return width <= 8191 && height <= 8191 && qint64(width) * height <= 16777215;
}

Value construct(Context &cx, const Value &self, Args args)
{
    Object *o = self.asObject();
    int width = toInt32(toNumber(cx, arg(args, 0))), height = toInt32(toNumber(cx, arg(args, 1)));
    if (!o || !sizeAllowed(cx.version, width, height))
        return Value::null();
    bool transparent = args.size() > 2 ? toBoolean(cx, args[2]) : true;
    uint32_t fill = args.size() > 3 ? toUint32(toNumber(cx, args[3])) : 0xFFFFFFFFu;
    auto pixels = std::make_shared<BitmapPixels>(width, height, transparent, fill);
    cx.vm.heap.grew(size_t(pixels->image().sizeInBytes()));
    o->setNative(std::make_unique<BitmapData>(std::move(pixels)));
    return self;
}

Value getWidth(Context &, const Value &self, Args)
{
    BitmapPixels *pixels = pixelsOf(self);
    return pixels ? pixels->width() : -1;
}

Value getHeight(Context &, const Value &self, Args)
{
    BitmapPixels *pixels = pixelsOf(self);
    return pixels ? pixels->height() : -1;
}

Value getTransparent(Context &, const Value &self, Args)
{
    BitmapPixels *pixels = pixelsOf(self);
    return pixels ? Value(pixels->transparent()) : kRefused;
}

Value getRectangle(Context &cx, const Value &self, Args)
{
    BitmapPixels *pixels = pixelsOf(self);
    return pixels ? Value(newRectangle(cx, 0, 0, pixels->width(), pixels->height())) : kRefused;
}

Value getPixel(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.size() < 2)
        return kRefused;
    return double(pixels->pixel32(intArg(cx, args, 0), intArg(cx, args, 1)) & 0xFFFFFF);
}

Value getPixel32(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.size() < 2)
        return kRefused;
    return double(int32_t(pixels->pixel32(intArg(cx, args, 0), intArg(cx, args, 1))));
}

// setPixel and setPixel32: x, y and the colour, stored by `put`.
Value putPixel(Context &cx, const Value &self, Args args, void (BitmapPixels::*put)(int, int, uint32_t))
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels || args.size() < 3)
        return kRefused;
    (pixels->*put)(intArg(cx, args, 0), intArg(cx, args, 1), uint32_t(intArg(cx, args, 2)));
    return Value();
}

Value setPixel(Context &cx, const Value &self, Args args)
{
    return putPixel(cx, self, args, &BitmapPixels::setPixel);
}

Value setPixel32(Context &cx, const Value &self, Args args)
{
    return putPixel(cx, self, args, &BitmapPixels::setPixel32);
}

Value fillRect(Context &cx, const Value &self, Args args)
{
    BitmapPixels *pixels = pixelsOf(self);
    QRect area;
    if (!pixels || args.size() < 2 || !rectArg(cx, args[0], area))
        return kRefused;
    pixels->fillRect(area, uint32_t(intArg(cx, args, 1)));
    return 0;
}

Value clone(Context &cx, const Value &self, Args)
{
    BitmapPixels *pixels = pixelsOf(self);
    if (!pixels)
        return kRefused;
    return newBitmapData(cx, self, std::make_shared<BitmapPixels>(*pixels));
}

Value dispose(Context &, const Value &self, Args)
{
    Object *o = self.asObject();
    if (auto *data = o ? o->nativeAs<BitmapData>() : nullptr)
        data->dispose();
    return Value();
}

}

BitmapPixels *pixelsOf(const Value &bitmap)
{
    Object *o = bitmap.asObject();
    auto *data = o ? o->nativeAs<BitmapData>() : nullptr;
    return data ? data->pixels().get() : nullptr;
}

void installBitmapData(Vm &vm, Object *clipPrototype)
{
    Object *proto = vm.newObject();
    Object *cls = vm.makeClass(flashPackage(vm, "display"), "BitmapData", construct, nullptr, proto);
    addAccessors(vm, proto,
                 {
                     {"width", getWidth},
                     {"height", getHeight},
                     {"transparent", getTransparent},
                     {"rectangle", getRectangle},
                 },
                 0);
    vm.method(proto, "getPixel", getPixel);
    vm.method(proto, "getPixel32", getPixel32);
    vm.method(proto, "setPixel", setPixel);
    vm.method(proto, "setPixel32", setPixel32);
    vm.method(proto, "fillRect", fillRect);
    vm.method(proto, "clone", clone);
    vm.method(proto, "dispose", dispose);
    installBitmapMethods(vm, proto);
    installBitmapLinks(vm, cls, clipPrototype);
    // The channel flags copyChannel and noise take.
    for (auto [name, flag] : {std::pair{"RED_CHANNEL", 1}, {"GREEN_CHANNEL", 2}, {"BLUE_CHANNEL", 4}, {"ALPHA_CHANNEL", 8}})
        cls->put(vm.name(QString::fromLatin1(name)), flag, PropertyFlag::DontEnum);
}

}
