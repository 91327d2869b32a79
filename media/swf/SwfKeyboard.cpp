#include "SwfKeyboard.h"

#include "SwfButtonObject.h"
#include "SwfEditTextObject.h"
#include "SwfMovieClip.h"
#include "SwfStage.h"
#include "SwfTextInput.h"

#include <Qt>

namespace swf {

namespace {

constexpr int kTabKey = 9;
constexpr int kShiftKey = 16;

// Clips and buttons on the stage, parents before children.
void collect(DisplayObject &object, std::vector<std::shared_ptr<DisplayObject>> &out)
{
    out.push_back(object.shared_from_this());
    if (object.kind() == DisplayObject::Kind::MovieClip)
        for (const auto &[depth, child] : static_cast<MovieClip &>(object).children())
            if (child->kind() == DisplayObject::Kind::MovieClip || child->kind() == DisplayObject::Kind::Button)
                collect(*child, out);
}

}

void KeyboardInput::press(int keyCode, int keyAscii)
{
    ScriptTurn turn(stage.scripts());
    code = keyCode;
    ascii = keyAscii;
    if (keyCode && down.insert(keyCode).second && !toggled.erase(keyCode))
        toggled.insert(keyCode);
    for (const auto &clip : stage.clipsInOrder())
        stage.queueEvent(*clip, ClipEvent::KeyDown);
    stage.scripts().broadcast(QStringLiteral("Key"), QStringLiteral("onKeyDown"), {});
    DisplayObject *focused = stage.focus().current();
    if (keyCode == kTabKey) {
        stage.focus().tab(isDown(kShiftKey));
    } else if (!keyPressHandlers(keyPressCodeOf(keyCode, keyAscii)) && focused
               && focused->kind() == DisplayObject::Kind::EditText) {
        // A key a key-press handler waits for is not typed into the field.
        auto &field = static_cast<EditTextObject &>(*focused);
        if (typeIntoField(field.textField(), keyCode, QChar(keyAscii)))
            stage.scripts().textChanged(field);
    }
    stage.runQueuedActions();
}

TextField *KeyboardInput::focusedField() const
{
    DisplayObject *focused = stage.focus().current();
    return focused && focused->kind() == DisplayObject::Kind::EditText
        ? &static_cast<EditTextObject &>(*focused).textField()
        : nullptr;
}

void KeyboardInput::insertText(const QString &text)
{
    ScriptTurn turn(stage.scripts());
    DisplayObject *focused = stage.focus().current();
    if (!focused || focused->kind() != DisplayObject::Kind::EditText)
        return;
    auto &field = static_cast<EditTextObject &>(*focused);
    if (insertIntoField(field.textField(), text))
        stage.scripts().textChanged(field);
    stage.runQueuedActions();
}

void KeyboardInput::typeText(const QString &text)
{
    ScriptTurn turn(stage.scripts());
    if (text.size() == 1 && keyPressHandlers(keyPressCodeOf(0, text.at(0).unicode()))) {
        stage.runQueuedActions();
        return;
    }
    insertText(text);
}

void KeyboardInput::release(int keyCode)
{
    ScriptTurn turn(stage.scripts());
    code = keyCode;
    down.erase(keyCode);
    for (const auto &clip : stage.clipsInOrder())
        stage.queueEvent(*clip, ClipEvent::KeyUp);
    stage.scripts().broadcast(QStringLiteral("Key"), QStringLiteral("onKeyUp"), {});
    stage.runQueuedActions();
}

bool KeyboardInput::keyPressHandlers(int pressCode)
{
    if (pressCode == 0)
        return false;
    bool heard = false;
    std::vector<std::shared_ptr<DisplayObject>> objects;
    for (const auto &[level, root] : stage.levels())
        collect(*root, objects);
    for (const auto &object : objects) {
        if (object->removed())
            continue;
        if (object->kind() == DisplayObject::Kind::MovieClip) {
            for (const ClipAction &action : object->clipActions())
                if (action.events & ClipEvent::KeyPress && action.keyCode == pressCode) {
                    stage.queueActions(static_cast<MovieClip &>(*object), action.bytecode);
                    heard = true;
                }
        } else if (MovieClip *parent = object->parentClip()) {
            for (const auto &action : static_cast<ButtonObject &>(*object).button().actions)
                if (action.keyCode() == pressCode) {
                    stage.queueActions(*parent, action.bytecode);
                    heard = true;
                }
        }
    }
    return heard;
}

int keyCodeOf(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F15)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    // A punctuation key has one code, shifted or not (US layout).
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

int keyPressCodeOf(int code, int ascii)
{
    switch (code) {
    case 37: return 1;  // left
    case 39: return 2;  // right
    case 36: return 3;  // home
    case 35: return 4;  // end
    case 45: return 5;  // insert
    case 46: return 6;  // delete
    case 8: return 8;   // backspace
    case 13: return 13; // enter
    case 38: return 14; // up
    case 40: return 15; // down
    case 33: return 16; // page up
    case 34: return 17; // page down
    case 9: return 18;  // tab
    case 27: return 19; // escape
    default: return ascii >= 32 ? ascii : 0;
    }
}

}
