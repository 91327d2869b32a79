#include "SwfEditTextObject.h"

#include "SwfText.h"

namespace swf {

EditTextObject::EditTextObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id,
                               const EditTextCharacter &field)
    : DisplayObject(Kind::EditText, stage, std::move(movie), id, &field), model(field.field ? *field.field : TextField())
{
}

const EditTextCharacter &EditTextObject::record() const
{
    return *static_cast<const EditTextCharacter *>(character());
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
