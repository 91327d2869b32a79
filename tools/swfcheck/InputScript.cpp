#include "InputScript.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <iterator>

namespace swfcheck {

namespace {

struct BadEvent {
    QString why;
};

struct NamedKey {
    const char *name;
    Qt::Key key;
};

// Key names as the recordings write them.
constexpr NamedKey kKeys[] = {
    {"Tab", Qt::Key_Tab},           {"Escape", Qt::Key_Escape},     {"Space", Qt::Key_Space},
    {"Enter", Qt::Key_Return},      {"Return", Qt::Key_Return},     {"Backspace", Qt::Key_Backspace},
    {"Delete", Qt::Key_Delete},     {"Insert", Qt::Key_Insert},     {"Home", Qt::Key_Home},
    {"End", Qt::Key_End},           {"PageUp", Qt::Key_PageUp},     {"PageDown", Qt::Key_PageDown},
    {"Left", Qt::Key_Left},         {"Right", Qt::Key_Right},       {"Up", Qt::Key_Up},
    {"Down", Qt::Key_Down},         {"LeftShift", Qt::Key_Shift},   {"RightShift", Qt::Key_Shift},
    {"LeftControl", Qt::Key_Control}, {"RightControl", Qt::Key_Control}, {"LeftAlt", Qt::Key_Alt},
    {"RightAlt", Qt::Key_Alt},      {"CapsLock", Qt::Key_CapsLock},
};

struct TextControlKey {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

// Editing commands sent as the key strokes that give them.
const TextControlKey kTextControls[] = {
    {"MoveLeft", Qt::Key_Left, {}},
    {"MoveRight", Qt::Key_Right, {}},
    {"MoveLeftWord", Qt::Key_Left, Qt::ControlModifier},
    {"MoveRightWord", Qt::Key_Right, Qt::ControlModifier},
    {"MoveLeftLine", Qt::Key_Home, {}},
    {"MoveRightLine", Qt::Key_End, {}},
    {"MoveLeftDocument", Qt::Key_Home, Qt::ControlModifier},
    {"MoveRightDocument", Qt::Key_End, Qt::ControlModifier},
    {"SelectLeft", Qt::Key_Left, Qt::ShiftModifier},
    {"SelectRight", Qt::Key_Right, Qt::ShiftModifier},
    {"SelectAll", Qt::Key_A, Qt::ControlModifier},
    {"Copy", Qt::Key_C, Qt::ControlModifier},
    {"Paste", Qt::Key_V, Qt::ControlModifier},
    {"Cut", Qt::Key_X, Qt::ControlModifier},
    {"Backspace", Qt::Key_Backspace, {}},
    {"Delete", Qt::Key_Delete, {}},
    {"Enter", Qt::Key_Return, {}},
};

QPointF position(const QJsonObject &o)
{
    QJsonArray pos = o.value(QLatin1String("pos")).toArray();
    if (pos.size() != 2 || !pos[0].isDouble() || !pos[1].isDouble())
        throw BadEvent{QStringLiteral("a mouse event without a position")};
    return QPointF(pos[0].toDouble(), pos[1].toDouble());
}

Qt::MouseButton button(const QJsonObject &o)
{
    QString name = o.value(QLatin1String("btn")).toString(QStringLiteral("Left"));
    if (name == QLatin1String("Left"))
        return Qt::LeftButton;
    if (name == QLatin1String("Right"))
        return Qt::RightButton;
    if (name == QLatin1String("Middle"))
        return Qt::MiddleButton;
    throw BadEvent{QStringLiteral("unknown mouse button %1").arg(name)};
}

// A key as a name ("Tab"), a character ({"Char": "a"}) or a key of the
// number pad ({"Numpad": "1"}); the text a key types comes as a TextInput
// event of its own.
void readKey(const QJsonValue &value, InputEvent &e)
{
    if (value.isObject()) {
        QJsonObject o = value.toObject();
        bool numpad = o.contains(QLatin1String("Numpad"));
        QString upper = o.value(QLatin1String(numpad ? "Numpad" : "Char")).toString().toUpper();
        if (upper.size() != 1)
            throw BadEvent{QStringLiteral("a key without a name")};
        // Qt's key codes of Latin-1 characters are the upper case code points.
        e.key = upper[0].unicode() < 0x100 ? Qt::Key(upper[0].unicode()) : Qt::Key_unknown;
        if (numpad)
            e.modifiers = Qt::KeypadModifier;
        return;
    }
    QString name = value.toString();
    for (const NamedKey &k : kKeys)
        if (name == QLatin1String(k.name)) {
            e.key = k.key;
            return;
        }
    if (name.size() == 1) {
        e.key = Qt::Key(name.toUpper()[0].unicode());
        return;
    }
    if (name.size() >= 2 && name[0] == QLatin1Char('F')) {
        bool ok = false;
        int n = name.mid(1).toInt(&ok);
        if (ok && n >= 1 && n <= 12) {
            e.key = Qt::Key(Qt::Key_F1 + n - 1);
            return;
        }
    }
    throw BadEvent{QStringLiteral("unknown key %1").arg(name)};
}

InputEvent readEvent(const QJsonObject &o)
{
    InputEvent e;
    QString type = o.value(QLatin1String("type")).toString();
    if (type == QLatin1String("Wait")) {
        e.kind = InputEvent::Wait;
    } else if (type == QLatin1String("MouseMove")) {
        e.kind = InputEvent::MouseMove;
        e.position = position(o);
    } else if (type == QLatin1String("MouseDown") || type == QLatin1String("MouseUp")) {
        e.kind = type == QLatin1String("MouseDown") ? InputEvent::MouseDown : InputEvent::MouseUp;
        e.position = position(o);
        e.button = button(o);
    } else if (type == QLatin1String("MouseWheel")) {
        e.kind = InputEvent::MouseWheel;
        e.wheelLines = o.value(QLatin1String("lines")).toDouble();
    } else if (type == QLatin1String("KeyDown") || type == QLatin1String("KeyUp")) {
        e.kind = type == QLatin1String("KeyDown") ? InputEvent::KeyDown : InputEvent::KeyUp;
        readKey(o.value(QLatin1String("key")), e);
    } else if (type == QLatin1String("TextInput")) {
        e.kind = InputEvent::TextInput;
        e.text = o.value(QLatin1String("codepoint")).toString();
        if (e.text.isEmpty())
            throw BadEvent{QStringLiteral("text input without a character")};
    } else if (type == QLatin1String("TextControl")) {
        e.kind = InputEvent::TextControl;
        QString code = o.value(QLatin1String("code")).toString();
        auto known = std::find_if(std::begin(kTextControls), std::end(kTextControls),
                                  [&](const TextControlKey &k) { return code == QLatin1String(k.name); });
        if (known == std::end(kTextControls))
            throw BadEvent{QStringLiteral("unknown text control %1").arg(code)};
        e.key = known->key;
        e.modifiers = known->modifiers;
    } else if (type == QLatin1String("SetClipboardText")) {
        e.kind = InputEvent::SetClipboardText;
        e.text = o.value(QLatin1String("text")).toString();
    } else if (type == QLatin1String("ImePreedit")) {
        e.kind = InputEvent::ImePreedit;
        e.text = o.value(QLatin1String("text")).toString();
        QJsonArray cursor = o.value(QLatin1String("cursor")).toArray();
        if (cursor.size() == 2)
            e.cursor = std::make_pair(cursor[0].toInt(), cursor[1].toInt());
    } else {
        throw BadEvent{QStringLiteral("unknown input event %1").arg(type)};
    }
    return e;
}

}

std::optional<std::vector<InputEvent>> readInputScript(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    try {
        if (!document.isArray())
            throw BadEvent{parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                        : QStringLiteral("not a list of events")};
        std::vector<InputEvent> events;
        for (const QJsonValue &v : document.array()) {
            if (!v.isObject())
                throw BadEvent{QStringLiteral("an event that is not an object")};
            events.push_back(readEvent(v.toObject()));
        }
        return events;
    } catch (const BadEvent &bad) {
        if (error)
            *error = bad.why;
        return std::nullopt;
    }
}

}
