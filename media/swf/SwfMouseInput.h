#pragma once
// The mouse on the stage: which button (or clip acting as one) is under the
// pointer and which was pressed, their states, and the events and button
// actions that follow from moving, pressing and releasing. Points are in
// stage twips.
#include "SwfDragging.h"
#include "SwfTextMouse.h"

#include <QPointF>
#include <memory>
#include <optional>

namespace swf {

class DisplayObject;
class Stage;

class MouseInput {
public:
    explicit MouseInput(Stage &stage) : stage(stage) {}

    void move(const QPointF &point);
    void press(const QPointF &point);
    void release(const QPointF &point);
    // The pointer left the stage: nothing is under it any more.
    void leave();

    QPointF position() const { return at; }
    bool buttonDown() const { return down; }
    // The object under the pointer that takes the mouse, if any.
    DisplayObject *hovered() const { return over.lock().get(); }
    // Whether the pointer shows a hand (over a button, a clip acting as one
    // or a link in a text field).
    bool showsHand() const;

    // Scripts' dragging of an object with the pointer (startDrag, stopDrag).
    void startDrag(DisplayObject &object, bool lockCenter, std::optional<QRectF> area)
    {
        drag.start(object, at, lockCenter, area);
    }
    // Stops the drag; the object keeps where it was dropped (_droptarget).
    void stopDrag();
    // Scripts hid the pointer over the stage (Mouse.hide).
    bool pointerHidden() const { return hidden; }
    void setPointerHidden(bool on) { hidden = on; }
    DisplayObject *dragged() const { return drag.object(); }

private:
    // Re-finds the object under the pointer and sends roll and drag events.
    void track();
    // Sends `object` the state change `transition` (ButtonCharacter bits):
    // a button changes state and runs its condition actions; both run the
    // script handler of `event`.
    void transition(DisplayObject &object, int transition, unsigned event);
    // Clips' mouse events (onClipEvent and handler methods).
    void broadcast(unsigned event);

    Stage &stage;
    QPointF at;
    bool down = false;
    std::weak_ptr<DisplayObject> over;
    std::weak_ptr<DisplayObject> pressed;
    Dragging drag;
    TextMouse text{stage};
    bool hidden = false;
};

}
