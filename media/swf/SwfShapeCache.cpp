#include "SwfShapeCache.h"

#include "SwfShape.h"

#include <QPainter>

namespace swf {

namespace {
std::string keyOf(const Shape &shape, const QTransform &world, const ColorTransform &cx, int samples)
{
    std::string key;
    auto add = [&key](const auto &value) { key.append(reinterpret_cast<const char *>(&value), sizeof value); };
    add(&shape);
    for (double v : {world.m11(), world.m12(), world.m21(), world.m22(), world.dx(), world.dy()})
        add(v);
    for (int i = 0; i < 4; ++i) {
        add(cx.mult[i]);
        add(cx.add[i]);
    }
    add(samples);
    return key;
}

void drawAt(QPainter &painter, QPoint origin, const QImage &image)
{
    painter.save();
    painter.setTransform(QTransform());
    painter.drawImage(origin, image);
    painter.restore();
}
}

void ShapeCache::draw(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx,
                      int samples, const QRect &bounds, const QRect &visible, const PaintFunction &paint)
{
    std::string key = keyOf(shape, world, cx, samples);
    auto hit = kept.find(key);
    if (hit == kept.end()) {
        auto [was, fresh] = seen.try_emplace(key, true);
        bool repeated = !fresh && !was->second; // drawn the frame before
        was->second = true;
        qint64 pixels = qint64(bounds.width()) * bounds.height();
        bool keep = repeated && pixels <= kMaxPictureArea && totalArea + pixels <= kMaxTotalArea;
        QRect area = keep ? bounds : bounds & visible;
        Picture picture;
        picture.origin = area.topLeft();
        picture.image = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        picture.image.fill(Qt::transparent);
        paint(picture.image, picture.origin);
        if (!keep) {
            drawAt(painter, picture.origin, picture.image);
            return;
        }
        totalArea += pixels;
        seen.erase(key);
        hit = kept.emplace(std::move(key), std::move(picture)).first;
    }
    hit->second.used = true;
    drawAt(painter, hit->second.origin, hit->second.image);
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
