#include "SwfGraphicObjects.h"

#include "SwfHitTest.h"
#include "SwfText.h"
#include "SwfVideo.h"

namespace swf {

ShapeObject::ShapeObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const ShapeCharacter &shape)
    : DisplayObject(Kind::Shape, stage, std::move(movie), id, &shape)
{
}

const Shape &ShapeObject::shape() const
{
    return static_cast<const ShapeCharacter *>(character())->shape;
}

QRectF ShapeObject::localBounds() const
{
    return shape().bounds;
}

bool ShapeObject::hitTestLocal(const QPointF &point, bool exact) const
{
    return exact ? shapeContains(shape(), point) : shape().bounds.contains(point);
}

MorphShapeObject::MorphShapeObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id,
                                   const MorphShapeCharacter &morph)
    : DisplayObject(Kind::MorphShape, stage, std::move(movie), id, &morph)
{
}

std::shared_ptr<const Shape> MorphShapeObject::shape() const
{
    return static_cast<const MorphShapeCharacter *>(character())->morph.at(ratio());
}

QRectF MorphShapeObject::localBounds() const
{
    return shape()->bounds;
}

bool MorphShapeObject::hitTestLocal(const QPointF &point, bool exact) const
{
    auto now = shape();
    return exact ? shapeContains(*now, point) : now->bounds.contains(point);
}

BitmapObject::BitmapObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const BitmapCharacter &bitmap)
    : DisplayObject(Kind::Bitmap, stage, movie, id, &bitmap), picture(movie, &bitmap.image)
{
}

BitmapObject::BitmapObject(Stage &stage, std::shared_ptr<const Movie> movie, std::shared_ptr<const QImage> picture,
                           bool smoothing)
    : DisplayObject(Kind::Bitmap, stage, std::move(movie), 0, nullptr), picture(std::move(picture)), smooth(smoothing)
{
}

QRectF BitmapObject::localBounds() const
{
    return QRectF(0, 0, picture->width() * 20.0, picture->height() * 20.0);
}

bool BitmapObject::hitTestLocal(const QPointF &point, bool) const
{
    return localBounds().contains(point);
}

VideoObject::VideoObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const VideoCharacter &video)
    : DisplayObject(Kind::Video, stage, std::move(movie), id, &video)
{
}

const VideoCharacter &VideoObject::video() const
{
    return *static_cast<const VideoCharacter *>(character());
}

QRectF VideoObject::localBounds() const
{
    return QRectF(0, 0, video().width * 20.0, video().height * 20.0);
}

bool VideoObject::hitTestLocal(const QPointF &point, bool) const
{
    return localBounds().contains(point);
}

StaticTextObject::StaticTextObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id,
                                   const TextCharacter &text)
    : DisplayObject(Kind::StaticText, stage, std::move(movie), id, &text)
{
}

const TextCharacter &StaticTextObject::text() const
{
    return *static_cast<const TextCharacter *>(character());
}

QRectF StaticTextObject::localBounds() const
{
    return text().matrix.mapRect(text().bounds);
}

bool StaticTextObject::hitTestLocal(const QPointF &point, bool) const
{
    return localBounds().contains(point);
}

}
