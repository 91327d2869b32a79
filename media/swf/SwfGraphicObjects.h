#pragma once
// The display objects that only show their character: shapes, morph shapes
// (at their ratio), bitmaps, video (at the frame given by the ratio) and
// static text.
#include "SwfDisplayObject.h"

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

class BitmapObject : public DisplayObject {
public:
    BitmapObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const BitmapCharacter &bitmap);
    const BitmapCharacter &bitmap() const;
    QRectF localBounds() const override;
    bool hitTestLocal(const QPointF &point, bool exact) const override;
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
