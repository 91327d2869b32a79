#include "InputInjector.h"

#include "swf/FlashControl.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>

namespace swfcheck {

namespace {

Qt::KeyboardModifier modifierOf(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Shift:
        return Qt::ShiftModifier;
    case Qt::Key_Control:
        return Qt::ControlModifier;
    case Qt::Key_Alt:
        return Qt::AltModifier;
    default:
        return Qt::NoModifier;
    }
}

}

QPointF InputInjector::toWindow(const QPointF &stagePixels) const
{
    const swf::Movie *movie = control.player().movie();
    QPointF origin = movie && movie->headerRead() ? movie->frameSize().topLeft() : QPointF();
    QPointF local = control.stageTransform(control.size()).map(origin + stagePixels * 20);
    return control.mapTo(control.window(), local);
}

void InputInjector::sendMouse(int type, const QPointF &stagePixels, Qt::MouseButton button)
{
    QWindow *window = control.window()->windowHandle();
    pointer = toWindow(stagePixels);
    if (type == QEvent::MouseButtonPress)
        held |= button;
    else if (type == QEvent::MouseButtonRelease)
        held &= ~button;
    QMouseEvent event(QEvent::Type(type), pointer, pointer, window->mapToGlobal(pointer), button, held, modifiers);
    QCoreApplication::sendEvent(window, &event);
}

void InputInjector::sendKey(int type, Qt::Key key, Qt::KeyboardModifiers extra)
{
    Qt::KeyboardModifier modifier = modifierOf(key);
    if (type == QEvent::KeyPress)
        modifiers |= modifier;
    QKeyEvent event(QEvent::Type(type), key, modifiers | extra);
    if (type == QEvent::KeyRelease)
        modifiers &= ~modifier;
    QCoreApplication::sendEvent(control.window()->windowHandle(), &event);
}

void InputInjector::sendInputMethod(const InputEvent &e)
{
    QObject *target = QGuiApplication::focusObject();
    if (!target)
        target = &control;
    if (e.kind == InputEvent::TextInput) {
        QInputMethodEvent event;
        event.setCommitString(e.text);
        QCoreApplication::sendEvent(target, &event);
        return;
    }
    QList<QInputMethodEvent::Attribute> attributes;
    if (e.cursor)
        attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, e.cursor->second, 1);
    QInputMethodEvent event(e.text, attributes);
    QCoreApplication::sendEvent(target, &event);
}

void InputInjector::send(const InputEvent &e)
{
    switch (e.kind) {
    case InputEvent::Wait:
        return;
    case InputEvent::MouseMove:
        sendMouse(QEvent::MouseMove, e.position, Qt::NoButton);
        break;
    case InputEvent::MouseDown:
        sendMouse(QEvent::MouseButtonPress, e.position, e.button);
        break;
    case InputEvent::MouseUp:
        sendMouse(QEvent::MouseButtonRelease, e.position, e.button);
        break;
    case InputEvent::MouseWheel: {
        QWindow *window = control.window()->windowHandle();
        QPoint angle(0, int(e.wheelLines * 120));
        QWheelEvent event(pointer, window->mapToGlobal(pointer), QPoint(), angle, held, modifiers, Qt::NoScrollPhase,
                          false);
        QCoreApplication::sendEvent(window, &event);
        break;
    }
    case InputEvent::KeyDown:
        sendKey(QEvent::KeyPress, e.key, e.modifiers);
        break;
    case InputEvent::KeyUp:
        sendKey(QEvent::KeyRelease, e.key, e.modifiers);
        break;
    case InputEvent::TextControl:
        sendKey(QEvent::KeyPress, e.key, e.modifiers);
        sendKey(QEvent::KeyRelease, e.key, e.modifiers);
        break;
    case InputEvent::TextInput:
    case InputEvent::ImePreedit:
        sendInputMethod(e);
        break;
    case InputEvent::SetClipboardText:
        QGuiApplication::clipboard()->setText(e.text);
        break;
    }
    QCoreApplication::processEvents();
}

}
