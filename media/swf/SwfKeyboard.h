#pragma once
// The keyboard as movies see it: which keys are down, the last key pressed
// and its character, and the events a press or release sends (clips' key
// events, the Key listeners, key-press handlers of clips and buttons).
#include <QString>
#include <set>

namespace swf {

class Stage;
class TextField;

class KeyboardInput {
public:
    explicit KeyboardInput(Stage &stage) : stage(stage) {}

    // A key went down: `code` is the key code scripts see (keyCodeOf),
    // `ascii` the character it types (0 for none).
    void press(int code, int ascii);
    void release(int code);
    // Text from an input method or the clipboard goes into the focused field.
    void insertText(const QString &text);
    // Text typed through an input method: a character a key-press handler
    // waits for runs the handler instead of being typed.
    void typeText(const QString &text);
    // The focused text field, or null.
    TextField *focusedField() const;

    bool isDown(int code) const { return down.count(code) > 0; }
    // Whether a lock key (caps lock, num lock) is on: each fresh press the
    // movie saw turns it over, from off when the movie started.
    bool isToggled(int code) const { return toggled.count(code) > 0; }
    int lastCode() const { return code; }
    int lastAscii() const { return ascii; }

private:
    // Runs the key-press handlers waiting for this key in the tree; whether any did.
    bool keyPressHandlers(int pressCode);

    Stage &stage;
    std::set<int> down;
    std::set<int> toggled;
    int code = 0;
    int ascii = 0;
};

// The key code scripts see for a Qt key (Qt::Key), or 0 for keys movies
// do not know.
int keyCodeOf(int qtKey);
// The code a key-press handler (on keyPress, onClipEvent(keyDown)) waits
// for: the character typed, or a small code for the keys without one.
int keyPressCodeOf(int code, int ascii);

}
