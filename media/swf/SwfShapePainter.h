#pragma once
// Paints shapes: their fills (solid colours, gradients, bitmaps) and lines,
// with a matrix and a colour transform, from kept pictures where the shape
// cache has one.
#include "SwfShapeCache.h"
#include "SwfTypes.h"

#include <QBrush>
#include <QHash>
#include <QImage>

class QPainter;

namespace swf {

class Movie;
struct Shape;
struct FillStyle;

class ShapePainter {
public:
    explicit ShapePainter(const Movie &movie) : movie(movie) {}

    void draw(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx);
    // The bitmap character `id` with `cx` applied; null when there is none.
    QImage bitmap(uint16_t id, const ColorTransform &cx);
    // Ends a frame: the cache forgets the pictures the frame did not use.
    void endFrame() { shapeCache.endFrame(); }
    const ShapeCache &cache() const { return shapeCache; }

private:
    void paint(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx);
    QBrush brush(const FillStyle &fill, const ColorTransform &cx);

    const Movie &movie;
    QHash<QString, QImage> tintedBitmaps;
    ShapeCache shapeCache;
};

}
