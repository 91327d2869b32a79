#pragma once
// A button on the stage: it shows the characters of its state (up, over or
// down) as display objects of its own, and takes the mouse where the
// characters of its hit state are.
#include "SwfButton.h"
#include "SwfDisplayList.h"
#include "SwfDisplayObject.h"

namespace swf {

class ButtonObject : public DisplayObject {
public:
    ButtonObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const ButtonCharacter &button);
    ~ButtonObject() override;

    const ButtonCharacter &button() const;
    // ButtonCharacter::Up, Over or Down.
    int state() const { return shown; }
    // Shows the characters of `state`: those also in the state shown before
    // stay as they are (a clip in both plays on), the others are made anew.
    void setState(int state);
    // The objects of the state shown, and those of the hit state (not drawn).
    const DisplayList &children() const { return stateList; }
    const DisplayList &hitArea() const { return hitList; }

    QRectF localBounds() const override;
    // Whether `point` falls on the hit state's characters (exactly, or
    // within their bounds).
    bool hitTestLocal(const QPointF &point, bool exact) const override;
    void markRemoved() override;

private:
    void fill(DisplayList &list, int state);

    int shown = 0;
    DisplayList stateList{this};
    DisplayList hitList{this};
};

}
