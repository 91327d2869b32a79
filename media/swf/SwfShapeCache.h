#pragma once
// Keeps shapes that are drawn the same way frame after frame as finished
// pictures, so a still part of a scene costs one image copy per frame
// instead of painting it again. A shape is kept from the second frame in a
// row that draws it with the same matrix (moved by whole pixels at most),
// colour transform and sampling; pictures not used in a frame are dropped.
#include "SwfTypes.h"

#include <QImage>
#include <string>
#include <unordered_map>

namespace swf {

struct Shape;

class ShapeCache {
public:
    // Pictures larger than this are not kept, nor more than this in all.
    static constexpr qint64 kMaxPictureArea = 512 * 512;
    static constexpr qint64 kMaxTotalArea = 4 * 1024 * 1024;

    struct Picture {
        QImage image;
        QPoint origin; // the image's top left corner from the whole pixel the shape's origin lies in
        bool used = true;
    };

    // Names one way of drawing a shape.
    static std::string keyOf(const Shape &shape, const QTransform &world, const ColorTransform &cx, int samples);
    // The kept picture for `key`, or null; a frame that asks uses it.
    const Picture *find(const std::string &key);
    // Whether a picture of `bounds` (device pixels) should be made and kept:
    // the frame before drew it the same way and there is room.
    bool worthKeeping(const std::string &key, const QRect &bounds);
    const Picture &keep(const std::string &key, QImage image, QPoint origin);
    // Ends a frame: forgets what the frame did not draw.
    void endFrame();
    size_t pictures() const { return kept.size(); }

private:
    std::unordered_map<std::string, Picture> kept;
    std::unordered_map<std::string, bool> seen; // key -> drawn this frame
    qint64 totalArea = 0;
};

}
