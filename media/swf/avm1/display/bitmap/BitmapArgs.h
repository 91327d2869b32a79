#pragma once
// Reading the arguments of BitmapData's methods. The methods answer what
// they cannot use with small negative numbers that movies test for: -1 for
// too few arguments or a disposed bitmap, -2, -3, ... for the argument in
// the place the method names.
#include "swf/avm1/Value.h"

#include <QPoint>
#include <QRect>

#include <memory>

namespace swf::avm1 {

class BitmapPixels;
class Context;
class Object;

extern const Value kRefused;

int intArg(Context &cx, Args args, size_t i);
// A rectangle: any object with x, y, width and height.
bool rectArg(Context &cx, const Value &value, QRect &out);
// A point: x and y of any object, 0 where missing.
QPoint pointArg(Context &cx, const Value &value);

// Another bitmap given as argument: its pixels, or the code for a value
// that is no bitmap (`notBitmap`) or a disposed one (`disposed`).
struct BitmapArg {
    BitmapPixels *pixels = nullptr;
    Value problem;
};
BitmapArg bitmapArg(const Value &value, int notBitmap, int disposed);

// A new BitmapData object of the class of `like`, counted against the
// script memory.
Object *newBitmapData(Context &cx, const Value &like, std::shared_ptr<BitmapPixels> pixels);

}
