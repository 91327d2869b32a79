#include "SwfMouseInput.h"

#include "SwfButtonObject.h"
#include "SwfHitTest.h"
#include "SwfMovieClip.h"
#include "SwfSound.h"
#include "SwfStage.h"
#include "SwfTimelineSound.h"

namespace swf {

namespace {

// The state a button shows after each transition.
int stateAfter(int transition)
{
    switch (transition) {
    case ButtonCharacter::OverUpToOverDown:
    case ButtonCharacter::OutDownToOverDown:
        return ButtonCharacter::Down;
    case ButtonCharacter::IdleToOverUp:
    case ButtonCharacter::OverDownToOverUp:
    case ButtonCharacter::OverDownToOutDown:
        return ButtonCharacter::Over;
    default:
        return ButtonCharacter::Up;
    }
}

// The button sound (a ButtonSounds::Change) of a change of state, or -1.
int soundOf(int before, int after)
{
    if (before == ButtonCharacter::Over && after == ButtonCharacter::Up)
        return ButtonSounds::OverToIdle;
    if (before == ButtonCharacter::Up && after == ButtonCharacter::Over)
        return ButtonSounds::IdleToOver;
    if (before == ButtonCharacter::Over && after == ButtonCharacter::Down)
        return ButtonSounds::OverToDown;
    if (before == ButtonCharacter::Down && after == ButtonCharacter::Over)
        return ButtonSounds::DownToOver;
    return -1;
}

}

void MouseInput::move(const QPointF &point)
{
    ScriptTurn turn(stage.scripts());
    at = point;
    drag.follow(at);
    if (down)
        text.drag(at);
    track();
    broadcast(ClipEvent::MouseMove);
    stage.runQueuedActions();
}

void MouseInput::press(const QPointF &point)
{
    ScriptTurn turn(stage.scripts());
    at = point;
    down = true;
    track();
    broadcast(ClipEvent::MouseDown);
    text.press(point);
    if (auto target = over.lock()) {
        pressed = target;
        transition(*target, ButtonCharacter::OverUpToOverDown, ClipEvent::Press);
    }
    stage.runQueuedActions();
}

void MouseInput::release(const QPointF &point)
{
    ScriptTurn turn(stage.scripts());
    at = point;
    down = false;
    broadcast(ClipEvent::MouseUp);
    text.release(point);
    if (auto target = pressed.lock(); target && !target->removed()) {
        pressed.reset();
        if (target == over.lock())
            transition(*target, ButtonCharacter::OverDownToOverUp, ClipEvent::Release);
        else
            transition(*target, ButtonCharacter::OutDownToIdle, ClipEvent::ReleaseOutside);
    }
    pressed.reset();
    track();
    stage.runQueuedActions();
}

void MouseInput::leave()
{
    ScriptTurn turn(stage.scripts());
    if (auto target = over.lock(); target && !down)
        transition(*target, ButtonCharacter::OverUpToIdle, ClipEvent::RollOut);
    over.reset();
    stage.runQueuedActions();
}

void MouseInput::stopDrag()
{
    if (DisplayObject *object = drag.object()) {
        DisplayObject *target = dropTargetAt(stage, at, *object);
        object->setDroppedOn(target ? target->slashPath() : QString());
    }
    drag.stop();
}

bool MouseInput::showsHand() const
{
    auto target = over.lock();
    return (target && !target->removed()) || text.overLink(at);
}

void MouseInput::track()
{
    DisplayObject *found = mouseTargetAt(stage, at);
    std::shared_ptr<DisplayObject> now = found ? found->shared_from_this() : nullptr;
    std::shared_ptr<DisplayObject> before = over.lock();
    if (before && before->removed())
        before.reset();
    if (now == before)
        return;
    over = now;
    auto held = pressed.lock();
    if (held && held->removed())
        held.reset();
    if (held) {
        // While pressed, only the pressed object hears the pointer leave and return.
        if (before == held)
            transition(*held, ButtonCharacter::OverDownToOutDown, ClipEvent::DragOut);
        else if (now == held)
            transition(*held, ButtonCharacter::OutDownToOverDown, ClipEvent::DragOver);
        return;
    }
    if (before)
        transition(*before, ButtonCharacter::OverUpToIdle, ClipEvent::RollOut);
    if (now && !down)
        transition(*now, ButtonCharacter::IdleToOverUp, ClipEvent::RollOver);
}

void MouseInput::transition(DisplayObject &object, int change, unsigned event)
{
    if (object.kind() == DisplayObject::Kind::Button) {
        auto &button = static_cast<ButtonObject &>(object);
        int before = button.state();
        button.setState(stateAfter(change));
        if (TimelineSound *sound = stage.sound())
            if (int heard = soundOf(before, button.state()); heard >= 0)
                sound->buttonChanged(button.characterId(), heard, button.parentClip());
        if (MovieClip *parent = button.parentClip()) {
            for (const ButtonCharacter::ConditionAction &action : button.button().actions)
                if (action.conditions & change)
                    stage.queueActions(*parent, action.bytecode);
        }
    }
    stage.queueEvent(object, event);
}

void MouseInput::broadcast(unsigned event)
{
    for (const auto &clip : stage.clipsInOrder())
        stage.queueEvent(*clip, event);
    QString name = event == ClipEvent::MouseDown ? QStringLiteral("onMouseDown")
        : event == ClipEvent::MouseUp            ? QStringLiteral("onMouseUp")
                                           : QStringLiteral("onMouseMove");
    stage.scripts().broadcast(QStringLiteral("Mouse"), name, {});
}

}
