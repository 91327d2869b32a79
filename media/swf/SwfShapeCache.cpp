#include "SwfShapeCache.h"

#include "SwfShape.h"

namespace swf {

std::string ShapeCache::keyOf(const Shape &shape, const QTransform &world, const ColorTransform &cx, int samples)
{
    std::string key;
    auto add = [&key](const auto &value) { key.append(reinterpret_cast<const char *>(&value), sizeof value); };
    add(&shape);
    add(shape.serial);
    for (double v : {world.m11(), world.m12(), world.m21(), world.m22(), world.dx(), world.dy()})
        add(v);
    for (int i = 0; i < 4; ++i) {
        add(cx.mult[i]);
        add(cx.add[i]);
    }
    add(samples);
    return key;
}

const ShapeCache::Picture *ShapeCache::find(const std::string &key)
{
    auto hit = kept.find(key);
    if (hit == kept.end())
        return nullptr;
    hit->second.used = true;
    return &hit->second;
}

bool ShapeCache::worthKeeping(const std::string &key, const QRect &bounds)
{
    auto [was, fresh] = seen.try_emplace(key, true);
    bool repeated = !fresh && !was->second; // drawn the frame before
    was->second = true;
    qint64 pixels = qint64(bounds.width()) * bounds.height();
    return repeated && !bounds.isEmpty() && pixels <= kMaxPictureArea && totalArea + pixels <= kMaxTotalArea;
}

const ShapeCache::Picture &ShapeCache::keep(const std::string &key, QImage image, QPoint origin)
{
    totalArea += qint64(image.width()) * image.height();
    seen.erase(key);
    Picture &picture = kept[key];
    picture = Picture{std::move(image), origin, true};
    return picture;
}

void ShapeCache::endFrame()
{
    for (auto it = kept.begin(); it != kept.end();) {
        if (it->second.used) {
            it->second.used = false;
            ++it;
        } else {
            totalArea -= qint64(it->second.image.width()) * it->second.image.height();
            it = kept.erase(it);
        }
    }
    for (auto it = seen.begin(); it != seen.end();) {
        if (it->second) {
            it->second = false;
            ++it;
        } else {
            it = seen.erase(it);
        }
    }
}

}
