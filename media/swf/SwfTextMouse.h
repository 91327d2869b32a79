#pragma once
// The mouse in text fields. A press in a selectable or input field gives it
// the focus with the caret where it was pressed, and dragging with the
// button down selects from there to the pointer, beyond the field's edges
// too. A press elsewhere takes the focus from a focused field. A click
// (press and release) on a link of a field's text follows it as getURL
// would, from the field's timeline: "asfunction:name,argument" calls the
// function of that name there. Points are in stage twips.
#include <QPointF>
#include <QString>
#include <memory>

namespace swf {

class DisplayObject;
class EditTextObject;
class Stage;

class TextMouse {
public:
    explicit TextMouse(Stage &stage) : stage(stage) {}

    void press(const QPointF &point);
    // The pointer moved while the button was down.
    void drag(const QPointF &point);
    void release(const QPointF &point);
    // Whether a link is under `point` (the pointer shows a hand there).
    bool overLink(const QPointF &point) const;

private:
    struct Link {
        EditTextObject *field = nullptr;
        QString url, target;
    };
    Link linkAt(const QPointF &point) const;

    Stage &stage;
    std::weak_ptr<DisplayObject> selecting;
    int anchor = 0;
    std::weak_ptr<DisplayObject> linkField;
    QString pressedLink;
};

}
