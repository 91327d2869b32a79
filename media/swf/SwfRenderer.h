#pragma once
// Draws a playing movie's display list with QPainter: shapes with their
// gradients and bitmaps, morph shapes, sprites, text and buttons, each with
// its matrix and colour transform, under the masks of clip layers.
#include "SwfShapePainter.h"
#include "SwfVideo.h"

#include <QPainterPath>
#include <memory>
#include <unordered_map>

class QPainter;

namespace swf {

class DisplayList;
class DisplayObject;
class Movie;
class Stage;

class Renderer {
public:
    explicit Renderer(const Movie &movie) : shapes(movie) {}

    // Draws every level of `stage`, level 0 first; `stageToDevice` maps the
    // stage's twips to the painter's pixels.
    void render(QPainter &painter, const Stage &stage, const QTransform &stageToDevice);

    // Draws `object` alone, as scripts draw a clip into a bitmap: its
    // content and children without its own matrix, colour transform or
    // effects; `toDevice` maps its space (twips) to the painter's pixels.
    void renderObject(QPainter &painter, const DisplayObject &object, const QTransform &toDevice,
                      const ColorTransform &cx);
    const ShapeCache &cache() const { return shapes.cache(); }

private:
    // Sets up drawing with `stageToDevice` mapping twips to the painter's pixels.
    void begin(QPainter &painter, const QTransform &stageToDevice);
    // Draws the objects of `list` in depth order; clip layers mask the
    // depths they cover.
    void drawList(QPainter &painter, const DisplayList &list, const QTransform &world, const ColorTransform &cx);
    // Draws an object where `maskArea` (device pixels) covers it.
    void drawMasked(QPainter &painter, const DisplayObject &object, const QTransform &world, const ColorTransform &cx,
                    const QPainterPath &maskArea);
    // Draws an object, on a picture of its own when its effects need one.
    void drawObject(QPainter &painter, const DisplayObject &object, const QTransform &world, const ColorTransform &cx);
    void drawContent(QPainter &painter, const DisplayObject &object, const QTransform &world,
                     const ColorTransform &cx);
    // `matrix` of an object placed in a parent drawn with `parentWorld`:
    // what maps the object to device pixels, its origin on a whole twip of
    // the stage.
    QTransform placed(const QTransform &matrix, const QTransform &parentWorld) const;
    // The device pixels an object drawn with `world` can paint, its
    // children's and filters' reach included.
    QRect drawnArea(const DisplayObject &object, const QTransform &world) const;
    // The area an object covers, in device pixels: what a clip layer shows.
    QPainterPath coverage(const DisplayObject &object, const QTransform &world);

    ShapePainter shapes;
    QTransform toStage, fromStage; // device pixels to the stage's twips and back
    double stageScale = 1; // the stage's device pixels per movie pixel
    int openLayers = 0;    // layers the object being drawn is drawn into
    // Each video stream's decoder, kept while the movie plays.
    std::unordered_map<const VideoCharacter *, std::unique_ptr<VideoDecoder>> videos;
};

}
