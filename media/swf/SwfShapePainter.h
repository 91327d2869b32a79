#pragma once
// Paints shapes as the movie player does: every layer's fills scanned
// together (edge pixels shared between neighbouring fills, sampled at pixel
// centres without antialiasing or on a grid of points with it), then its
// lines, each style's line filled as one area. A shape is painted straight
// into the image the painter draws on where nothing stands between them, or into
// a picture of the pixels it covers, drawn with the painter so that its
// clipping applies; still shapes are drawn from the shape cache.
#include "SwfGradient.h"
#include "SwfShapeCache.h"
#include "SwfTypes.h"

#include <QHash>
#include <QImage>

class QPainter;

namespace swf {

class Movie;
struct Shape;
struct ShapeLayer;
class Paint;

class ShapePainter {
public:
    explicit ShapePainter(const Movie &movie) : movie(movie) {}

    // Sample points per pixel side: 1 draws without antialiasing.
    void setSamples(int perSide) { samples = perSide; }
    int samplesPerSide() const { return samples; }
    // The stage's twips to device pixels, the scale of lines that keep their width.
    void setStage(const QTransform &stageToDevice) { stage = stageToDevice; }

    // The device pixels `shape` can paint, lines included, when `world` maps
    // its twips to device pixels; empty when it cannot be placed.
    QRect deviceBounds(const Shape &shape, const QTransform &world) const;
    // `world` maps the shape's twips to the painter's device pixels.
    void draw(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx);
    // Draws a picture (a placed bitmap, a video frame) whose pixels
    // `pixelsToDevice` maps to the device, sampled at pixel centres like a
    // clipped bitmap fill, smoothed or not.
    void drawImage(QPainter &painter, const QImage &image, const QTransform &pixelsToDevice, bool smooth);
    // Paints the pixels `area` of `picture` (whose top left pixel is device
    // pixel `origin`) that `shape` covers, over what they show.
    void paint(QImage &picture, QPoint origin, const QRect &area, const Shape &shape, const QTransform &world,
               const ColorTransform &cx);
    // The bitmap character `id` with `cx` applied; null when there is none.
    QImage bitmap(uint16_t id, const ColorTransform &cx);
    // Ends a frame: the caches forget the pictures and ramps the frame did not use.
    void endFrame()
    {
        shapeCache.endFrame();
        ramps.endFrame();
    }
    const ShapeCache &cache() const { return shapeCache; }

private:
    void paintFills(QImage &picture, const QRect &area, const ShapeLayer &layer, const QTransform &toPicture,
                    const ColorTransform &cx, bool nonZero);
    void paintLines(QImage &picture, const QRect &area, const ShapeLayer &layer, const QTransform &toPicture,
                    const ColorTransform &cx);

    const Movie &movie;
    int samples = 1;
    QTransform stage;
    QHash<QString, QImage> tintedBitmaps;
    ShapeCache shapeCache;
    GradientRamps ramps;
};

}
