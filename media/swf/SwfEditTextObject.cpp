#include "SwfEditTextObject.h"

#include "SwfMovie.h"
#include "SwfText.h"

namespace swf {

EditTextObject::EditTextObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id,
                               const EditTextCharacter &field)
    : DisplayObject(Kind::EditText, stage, movie, id, &field), model(field.field ? *field.field : TextField())
{
    model.alignedSpacesCount = movie->version() < 8;
}

namespace {

TextField emptyField(const Movie *movie, const QRectF &pixels)
{
    TextField field([movie](const QString &name, bool bold, bool italic) -> const FontFace * {
        return movie->embeddedFont(name, bold, italic);
    });
    field.setBounds(QRectF(0, 0, pixels.width(), pixels.height()));
    return field;
}

}

EditTextObject::EditTextObject(Stage &stage, std::shared_ptr<const Movie> movie, const QRectF &pixels)
    : DisplayObject(Kind::EditText, stage, movie, 0, nullptr), model(emptyField(movie.get(), pixels))
{
    setMatrix(QTransform::fromTranslate(pixels.x() * 20, pixels.y() * 20));
    model.alignedSpacesCount = movie->version() < 8;
}

QRectF EditTextObject::localBounds() const
{
    QRectF pixels = model.bounds();
    return QRectF(pixels.topLeft() * 20, pixels.size() * 20);
}

QPointF EditTextObject::cornerOffset() const
{
    QPointF shift = model.bounds().topLeft() * 20;
    const QTransform &m = matrix();
    return {m.m11() * shift.x() + m.m21() * shift.y(), m.m12() * shift.x() + m.m22() * shift.y()};
}

bool EditTextObject::hitTestLocal(const QPointF &point, bool) const
{
    return localBounds().contains(point);
}

}
