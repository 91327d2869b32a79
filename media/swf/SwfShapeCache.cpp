#include "SwfShapeCache.h"

#include "SwfShape.h"

#include <QPainter>
#include <cmath>

namespace swf {

namespace {
// Two pixels around the bounds leave room for antialiased edges.
constexpr int kMargin = 2;

std::string keyOf(const Shape &shape, const QTransform &world, const ColorTransform &cx, bool antialias)
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
    add(antialias);
    return key;
}
}

void ShapeCache::draw(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx,
                      const std::function<void(QPainter &, const QTransform &)> &paint)
{
    bool antialias = painter.testRenderHint(QPainter::Antialiasing);
    if (world.type() > QTransform::TxRotate || painter.device()->devicePixelRatio() != 1) {
        paint(painter, world);
        return;
    }
    std::string key = keyOf(shape, world, cx, antialias);
    auto hit = kept.find(key);
    if (hit == kept.end()) {
        auto [was, fresh] = seen.try_emplace(key, true);
        bool repeated = !fresh && !was->second; // drawn the frame before
        was->second = true;
        QRect area = world.mapRect(shape.bounds).toAlignedRect().adjusted(-kMargin, -kMargin, kMargin, kMargin);
        qint64 pixels = qint64(area.width()) * area.height();
        if (!repeated || area.isEmpty() || pixels > kMaxPictureArea || totalArea + pixels > kMaxTotalArea) {
            paint(painter, world);
            return;
        }
        Picture picture;
        picture.origin = area.topLeft();
        picture.image = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        picture.image.fill(Qt::transparent);
        QPainter p(&picture.image);
        p.setRenderHints(painter.renderHints());
        paint(p, world * QTransform::fromTranslate(-area.left(), -area.top()));
        p.end();
        totalArea += pixels;
        seen.erase(key);
        hit = kept.emplace(std::move(key), std::move(picture)).first;
    }
    hit->second.used = true;
    painter.save();
    painter.setTransform(QTransform());
    painter.drawImage(hit->second.origin, hit->second.image);
    painter.restore();
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
