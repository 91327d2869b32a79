#pragma once
// Keyboard focus on the stage: the object keys go to (a text field, or a
// clip or button a script focused). Clicks, Tab and scripts move it; each
// move calls onKillFocus on the object losing it, onSetFocus on the one
// getting it and the Selection listeners' onSetFocus. A focused text field
// shows its caret and selection.
#include <memory>

namespace swf {

class DisplayObject;
class Stage;

class Focus {
public:
    explicit Focus(Stage &stage) : stage(stage) {}

    // The focused object while it is on the stage, else null.
    DisplayObject *current() const;
    // Moves the focus to `object` (null: nowhere). A text field gets its
    // whole text selected, as Tab and scripts give it.
    void set(DisplayObject *object);
    // A click at `index` of the focused text field (or of the field getting
    // the focus): the caret goes there.
    void placeCaret(int index);
    // Tab: the focus moves to the next object in tab order (the previous
    // one `backwards`). Objects scripts gave a tabIndex go in its order;
    // without any, buttons, input fields, clips acting as buttons and
    // whatever has tabEnabled set go from top to bottom, left to right.
    void tab(bool backwards);
    // `object` left the stage: if it had the focus, the focus goes nowhere.
    void objectRemoved(DisplayObject &object);

    // The yellow rectangle around a focused clip or button. Moving the
    // focus by Tab or by a script shows it when the object's _focusrect (or,
    // without one, the movie's) allows it then; the mouse hides it again.
    bool highlighted() const;
    void hideHighlight() { highlight = false; }
    // The movie's _focusrect, for objects without one of their own.
    bool rectsShown() const { return rects; }
    void setRectsShown(bool on) { rects = on; }

private:
    void move(DisplayObject *before, DisplayObject *object);

    Stage &stage;
    std::weak_ptr<DisplayObject> focused;
    bool highlight = false;
    bool rects = true;
};

}
