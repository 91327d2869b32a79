#include "BitmapLinks.h"

#include "BitmapArgs.h"
#include "BitmapData.h"
#include "BitmapPixels.h"
#include "swf/SwfCharacter.h"
#include "swf/SwfGraphicObjects.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"
#include "swf/avm1/display/ClipOperations.h"
#include "swf/avm1/display/DisplayData.h"

namespace swf::avm1 {

namespace {

// loadBitmap(linkageName): a new bitmap holding the library bitmap the
// running movie exports under that name (any case), or undefined.
Value loadBitmap(Context &cx, const Value &self, Args args)
{
    DisplayObject *timeline = displayOf(cx.target);
    Object *cls = self.asObject();
    if (!timeline || !cls || args.empty())
        return Value();
    const Movie &movie = timeline->movie();
    QString name = toQString(cx, args[0]);
    for (auto it = movie.info().exports.constBegin(); it != movie.info().exports.constEnd(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const auto *bitmap = movie.characterAs<BitmapCharacter>(it.value());
        if (!bitmap || bitmap->image.isNull())
            return Value();
        auto pixels = std::make_shared<BitmapPixels>(bitmap->image.width(), bitmap->image.height(), true, 0);
        pixels->image() = bitmap->image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        Value proto = cls->get(cx, cx.vm.name(QStringLiteral("prototype")));
        Object *made = cx.vm.heap.make<Object>(proto.asObject());
        cx.vm.heap.grew(size_t(pixels->image().sizeInBytes()));
        made->setNative(std::make_unique<BitmapData>(std::move(pixels)));
        return made;
    }
    return Value();
}

// clip.attachBitmap(bitmap, depth[, pixelSnapping, smoothing]): shows the
// bitmap's pixels, as they change, at the depth in the clip.
Value attachBitmap(Context &cx, const Value &self, Args args)
{
    auto *clip = dynamic_cast<MovieClip *>(displayOf(self.asObject()));
    Object *o = arg(args, 0).asObject();
    auto *data = o ? o->nativeAs<BitmapData>() : nullptr;
    if (!clip || !data || !data->pixels() || args.size() < 2)
        return Value();
    int depth = toInt(cx, args[1]);
    if (depth < kMinScriptDepth || depth > kMaxScriptDepth)
        return Value();
    std::shared_ptr<const QImage> picture(data->pixels(), &data->pixels()->image());
    bool smoothing = args.size() > 3 && toBoolean(cx, args[3]);
    clip->addChild(std::make_shared<BitmapObject>(clip->stage(), clip->movieShared(), std::move(picture), smoothing),
                   depth + kScriptDepthBase);
    return Value();
}

}

void installBitmapLinks(Vm &vm, Object *bitmapClass, Object *clipPrototype)
{
    vm.method(bitmapClass, "loadBitmap", loadBitmap);
    vm.method(clipPrototype, "attachBitmap", attachBitmap);
}

}
