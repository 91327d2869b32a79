#pragma once
// The recorded input of a test (input.json): mouse, keyboard and text
// events in order. A Wait event runs one frame; the others happen at once.
#include <QPointF>
#include <QString>
#include <Qt>
#include <optional>
#include <vector>

namespace swfcheck {

struct InputEvent {
    enum Kind { Wait, MouseMove, MouseDown, MouseUp, MouseWheel, KeyDown, KeyUp, TextInput, TextControl,
                SetClipboardText, ImePreedit };
    Kind kind = Wait;
    QPointF position;                     // stage pixels
    Qt::MouseButton button = Qt::LeftButton;
    double wheelLines = 0;
    Qt::Key key = Qt::Key_unknown;        // keys and text controls
    Qt::KeyboardModifiers modifiers;      // that the key itself implies (number pad, text controls)
    QString text;                         // typed text, clipboard, preedit
    std::optional<std::pair<int, int>> cursor; // preedit cursor (start, end)
};

// The events of `json`; on an error, nothing and `error` says why.
std::optional<std::vector<InputEvent>> readInputScript(const QByteArray &json, QString *error = nullptr);

}
