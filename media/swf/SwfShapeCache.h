#pragma once
// Keeps shapes that are drawn the same way frame after frame as finished
// pictures, so a still part of a scene costs one image copy per frame
// instead of painting it again. A shape is kept from the second frame in a
// row that draws it with the same matrix (sub-pixel position included),
// colour transform and sampling; pictures not used in a frame are dropped.
#include "SwfTypes.h"

#include <QImage>
#include <functional>
#include <string>
#include <unordered_map>

class QPainter;

namespace swf {

struct Shape;

class ShapeCache {
public:
    // Pictures larger than this are not kept, nor more than this in all.
    static constexpr qint64 kMaxPictureArea = 512 * 512;
    static constexpr qint64 kMaxTotalArea = 4 * 1024 * 1024;

    // Paints a picture with `paint` (given the picture, transparent, and
    // the device pixel of its top left corner) and draws it with `painter`,
    // or draws the kept one. `bounds` is all the shape covers in device
    // pixels, `visible` what of the device can be seen.
    using PaintFunction = std::function<void(QImage &, QPoint)>;
    void draw(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx, int samples,
              const QRect &bounds, const QRect &visible, const PaintFunction &paint);
    // Ends a frame: forgets what the frame did not draw.
    void endFrame();
    size_t pictures() const { return kept.size(); }

private:
    struct Picture {
        QImage image;
        QPoint origin;
        bool used = true;
    };
    std::unordered_map<std::string, Picture> kept;
    std::unordered_map<std::string, bool> seen; // key -> drawn this frame
    qint64 totalArea = 0;
};

}
