#pragma once
// Plays recorded input into the movie control as real Qt events sent to its
// window, as a user's mouse and keyboard would: mouse positions in stage
// pixels are mapped to the window, held buttons and modifiers are tracked,
// typed text and preedit go through the input method path.
#include "InputScript.h"

#include <QPointF>

namespace swf {
class FlashControl;
}

namespace swfcheck {

class InputInjector {
public:
    explicit InputInjector(swf::FlashControl &control) : control(control) {}

    // Sends one event (not a Wait) and lets Qt deliver it.
    void send(const InputEvent &event);

private:
    QPointF toWindow(const QPointF &stagePixels) const;
    void sendMouse(int type, const QPointF &stagePixels, Qt::MouseButton button);
    void sendKey(int type, Qt::Key key, Qt::KeyboardModifiers extra);
    void sendInputMethod(const InputEvent &event);

    swf::FlashControl &control;
    Qt::MouseButtons held;
    Qt::KeyboardModifiers modifiers;
    QPointF pointer; // window pixels
};

}
