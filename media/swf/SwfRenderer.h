#pragma once
// Draws a playing movie's display list with QPainter: shapes with their
// gradients and bitmaps, morph shapes, sprites, text and buttons, each with
// its matrix and colour transform, under the masks of clip layers.
#include "SwfDisplayList.h"
#include "SwfShapeCache.h"

#include <QBrush>
#include <QHash>
#include <QImage>
#include <QPainterPath>

class QPainter;

namespace swf {

class Movie;
struct Shape;
struct FillStyle;

class Renderer {
public:
    explicit Renderer(const Movie &movie) : movie(movie) {}

    // `stageToDevice` maps the movie's twips to the painter's pixels.
    void render(QPainter &painter, const TimelineInstance &root, const QTransform &stageToDevice);

    void drawShape(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx);
    const ShapeCache &cache() const { return shapeCache; }

private:
    void paintShape(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx);
    void drawList(QPainter &painter, const std::map<int, DisplayObject> &list, const QTransform &world,
                  const ColorTransform &cx);
    void drawObject(QPainter &painter, const DisplayObject &object, const QTransform &world, const ColorTransform &cx);
    // The area an object covers, in device pixels: what a clip layer shows.
    QPainterPath coverage(const DisplayObject &object, const QTransform &world);
    QBrush brush(const FillStyle &fill, const ColorTransform &cx);
    QImage bitmap(uint16_t id, const ColorTransform &cx);

    const Movie &movie;
    QHash<QString, QImage> tintedBitmaps;
    ShapeCache shapeCache;
};

}
