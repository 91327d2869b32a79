#include "SwfButtonObject.h"

#include "SwfStage.h"

namespace swf {

ButtonObject::ButtonObject(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t id, const ButtonCharacter &button)
    : DisplayObject(Kind::Button, stage, std::move(movie), id, &button)
{
    stage.clipMade();
}

ButtonObject::~ButtonObject()
{
    stage().clipGone();
}

const ButtonCharacter &ButtonObject::button() const
{
    return *static_cast<const ButtonCharacter *>(character());
}

void ButtonObject::setState(int state)
{
    if (state == shown || removed())
        return;
    if (hitList.empty())
        fill(hitList, ButtonCharacter::HitTest);
    shown = state;
    fill(stateList, state);
}

void ButtonObject::fill(DisplayList &list, int state)
{
    std::vector<int> gone;
    for (const auto &[depth, child] : list) {
        bool stays = false;
        for (const ButtonCharacter::Record &r : button().records)
            stays = stays || (r.depth == depth && r.characterId == child->characterId() && (r.states & state));
        if (!stays)
            gone.push_back(depth);
    }
    for (int depth : gone)
        list.remove(depth);
    for (const ButtonCharacter::Record &r : button().records) {
        if (!(r.states & state))
            continue;
        if (DisplayObject *kept = list.at(r.depth)) {
            kept->setMatrix(r.matrix);
            kept->setColorTransform(r.colorTransform);
            continue;
        }
        std::shared_ptr<DisplayObject> child = stage().instantiate(movieShared(), r.characterId, this);
        if (!child)
            continue;
        child->setMatrix(r.matrix);
        child->setColorTransform(r.colorTransform);
        child->setFilters(r.filters);
        child->setBlendMode(r.blendMode);
        list.place(r.depth, child);
        stage().added(*child);
        if (removed())
            return;
    }
}

QRectF ButtonObject::localBounds() const
{
    return stateList.bounds();
}

bool ButtonObject::hitTestLocal(const QPointF &point, bool exact) const
{
    return hitList.hitTest(point, exact);
}

void ButtonObject::markRemoved()
{
    if (removed())
        return;
    DisplayObject::markRemoved();
    stateList.markRemoved();
    hitList.markRemoved();
}

}
