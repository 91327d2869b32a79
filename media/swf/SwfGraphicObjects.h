#pragma once
// The display objects that only show their character: shapes, morph shapes
// (at their ratio), bitmaps, video (at the frame given by the ratio) and
// static text.
#include "SwfDisplayObject.h"

#include <QImage>

#include <memory>

namespace swf {

struct Shape;
struct ShapeCharacter;
struct MorphShapeCharacter;
struct BitmapCharacter;
struct TextCharacter;
struct VideoCharacter;

class ShapeObject : public DisplayObject {
public:
    ShapeObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const ShapeCharacter &shape);
    const Shape &shape() const;
    QRectF localBounds() const override;
    bool hitTestLocal(const QPointF &point, bool exact) const override;
};

class MorphShapeObject : public DisplayObject {
public:
    MorphShapeObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const MorphShapeCharacter &morph);
    // The shape at the object's ratio.
    std::shared_ptr<const Shape> shape() const;
    QRectF localBounds() const override;
    bool hitTestLocal(const QPointF &point, bool exact) const override;
};

// A bitmap of the movie's library, or a picture scripts made and change
// (attached with attachBitmap), shown as it is at each drawing.
class BitmapObject : public DisplayObject {
public:
    BitmapObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const BitmapCharacter &bitmap);
    BitmapObject(Stage &stage, std::shared_ptr<const Movie> movie, std::shared_ptr<const QImage> picture,
                 bool smoothing);
    const QImage &image() const { return *picture; }
    bool smoothing() const { return smooth; }
    QRectF localBounds() const override;
    bool hitTestLocal(const QPointF &point, bool exact) const override;

private:
    std::shared_ptr<const QImage> picture;
    bool smooth = false;
};

class VideoObject : public DisplayObject {
public:
    VideoObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const VideoCharacter &video);
    const VideoCharacter &video() const;
    QRectF localBounds() const override;
    bool hitTestLocal(const QPointF &point, bool exact) const override;
};

class StaticTextObject : public DisplayObject {
public:
    StaticTextObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const TextCharacter &text);
    const TextCharacter &text() const;
    QRectF localBounds() const override;
    bool hitTestLocal(const QPointF &point, bool exact) const override;
};

}
