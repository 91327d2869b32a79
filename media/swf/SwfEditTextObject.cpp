#include "SwfEditTextObject.h"

#include "SwfMovie.h"
#include "SwfText.h"

namespace swf {

EditTextObject::EditTextObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id,
                               const EditTextCharacter &field)
    : DisplayObject(Kind::EditText, stage, std::move(movie), id, &field), model(field.field ? *field.field : TextField())
{
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
}

QRectF EditTextObject::localBounds() const
{
    QRectF pixels = model.bounds();
    return QRectF(pixels.topLeft() * 20, pixels.size() * 20);
}

bool EditTextObject::hitTestLocal(const QPointF &point, bool) const
{
    return localBounds().contains(point);
}

}
