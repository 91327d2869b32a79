#include "SwfTextMouse.h"

#include "SwfEditTextObject.h"
#include "SwfHitTest.h"
#include "SwfMovie.h"
#include "SwfMovieClip.h"
#include "SwfStage.h"

namespace swf {

namespace {

QPointF pixelsIn(const DisplayObject &field, const QPointF &point)
{
    return field.stageMatrix().inverted().map(point) / 20.0;
}

// A GetURL action for `url` and `target`, as a movie of `version` holds it;
// empty when the two do not fit in one action.
QByteArray getUrlAction(const QString &url, const QString &target, int version)
{
    auto bytes = [version](const QString &s) { return version >= 6 ? s.toUtf8() : s.toLatin1(); };
    QByteArray payload = bytes(url) + '\0' + bytes(target) + '\0';
    if (payload.size() > 0xFFFF)
        return {};
    QByteArray code;
    code += char(0x83);
    code += char(payload.size() & 0xFF);
    code += char(payload.size() >> 8);
    return code + payload + '\0';
}

}

void TextMouse::press(const QPointF &point)
{
    Focus &focus = stage.focus();
    selecting.reset();
    auto *field = static_cast<EditTextObject *>(textFieldAt(stage, point));
    if (field && (field->textField().selectable || field->textField().editable)) {
        focus.set(field);
        anchor = field->textField().caretIndexAt(pixelsIn(*field, point));
        focus.placeCaret(anchor);
        selecting = field->shared_from_this();
    } else if (DisplayObject *focused = focus.current(); focused && focused->kind() == DisplayObject::Kind::EditText) {
        focus.set(nullptr);
    }
    Link link = linkAt(point);
    linkField = link.field ? link.field->shared_from_this() : nullptr;
    pressedLink = link.url;
}

void TextMouse::drag(const QPointF &point)
{
    auto field = selecting.lock();
    if (!field || field->removed() || stage.focus().current() != field.get())
        return;
    TextField &model = static_cast<EditTextObject &>(*field).textField();
    model.setSelection(anchor, model.caretIndexAt(pixelsIn(*field, point)));
}

void TextMouse::release(const QPointF &point)
{
    selecting.reset();
    std::shared_ptr<DisplayObject> pressed = linkField.lock();
    linkField.reset();
    Link link = linkAt(point);
    if (!link.field || pressed.get() != link.field || link.url != pressedLink)
        return;
    MovieClip *timeline = link.field->parentClip();
    QByteArray action = getUrlAction(link.url, link.target, link.field->movie().version());
    if (timeline && !action.isEmpty())
        stage.queueActions(*timeline, action);
}

bool TextMouse::overLink(const QPointF &point) const
{
    return linkAt(point).field;
}

TextMouse::Link TextMouse::linkAt(const QPointF &point) const
{
    auto *field = static_cast<EditTextObject *>(textFieldAt(stage, point));
    if (!field)
        return {};
    const TextField &model = field->textField();
    int index = model.characterAt(pixelsIn(*field, point));
    if (index < 0)
        return {};
    const TextFormat &format = model.formattedText().formatAt(index);
    if (format.url.value_or(QString()).isEmpty())
        return {};
    return {field, *format.url, format.target.value_or(QString())};
}

}
