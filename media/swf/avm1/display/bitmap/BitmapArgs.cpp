#include "BitmapArgs.h"

#include "BitmapData.h"
#include "BitmapPixels.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/display/geom/GeomValues.h"

namespace swf::avm1 {

const Value kRefused = -1;

int intArg(Context &cx, Args args, size_t i)
{
    return toInt32(toNumber(cx, arg(args, i)));
}

bool rectArg(Context &cx, const Value &value, QRect &out)
{
    Value x = field(cx, value, "x"), y = field(cx, value, "y");
    Value width = field(cx, value, "width"), height = field(cx, value, "height");
    if (x.isUndefined() || y.isUndefined() || width.isUndefined() || height.isUndefined())
        return false;
    out = QRect(toInt32(toNumber(cx, x)), toInt32(toNumber(cx, y)), toInt32(toNumber(cx, width)),
                toInt32(toNumber(cx, height)));
    return true;
}

QPoint pointArg(Context &cx, const Value &value)
{
    return QPoint(toInt32(numberField(cx, value, "x")), toInt32(numberField(cx, value, "y")));
}

BitmapArg bitmapArg(const Value &value, int notBitmap, int disposed)
{
    Object *o = value.asObject();
    auto *data = o ? o->nativeAs<BitmapData>() : nullptr;
    if (!data)
        return {nullptr, notBitmap};
    if (!data->pixels())
        return {nullptr, disposed};
    return {data->pixels().get(), Value()};
}

Object *newBitmapData(Context &cx, const Value &like, std::shared_ptr<BitmapPixels> pixels)
{
    Object *made = cx.vm.heap.make<Object>(like.asObject()->proto());
    cx.vm.heap.grew(size_t(pixels->image().sizeInBytes()));
    made->setNative(std::make_unique<BitmapData>(std::move(pixels)));
    return made;
}

}
