#include "SwfDisplayList.h"

#include "SwfCharacter.h"
#include "SwfMovie.h"

namespace swf {

TimelineInstance::TimelineInstance(const Movie &movie, const Timeline &timeline, int nesting)
    : movie(movie), timeline(timeline), nesting(nesting)
{
}

void TimelineInstance::setCharacter(DisplayObject &object, uint16_t id)
{
    object.characterId = id;
    object.character = movie.character(id);
    object.sprite.reset();
    if (auto *sprite = dynamic_cast<const SpriteCharacter *>(object.character); sprite && nesting < kMaxNesting) {
        object.sprite = std::make_unique<TimelineInstance>(movie, sprite->timeline, nesting + 1);
        object.sprite->advance();
    }
}

void TimelineInstance::place(const PlaceCommand &c, int frameIndex)
{
    auto existing = objects.find(c.depth);
    if (c.move && existing == objects.end())
        return;
    if (!c.move) {
        if (!c.characterId)
            return;
        DisplayObject fresh;
        fresh.depth = c.depth;
        fresh.placedAtFrame = frameIndex;
        existing = objects.insert_or_assign(c.depth, std::move(fresh)).first;
        setCharacter(existing->second, *c.characterId);
    } else if (c.characterId && *c.characterId != existing->second.characterId) {
        setCharacter(existing->second, *c.characterId);
    }
    DisplayObject &o = existing->second;
    if (c.matrix)
        o.matrix = *c.matrix;
    if (c.colorTransform)
        o.colorTransform = *c.colorTransform;
    if (c.ratio)
        o.ratio = *c.ratio;
    if (c.name)
        o.name = *c.name;
    if (c.clipDepth)
        o.clipDepth = *c.clipDepth;
}

void TimelineInstance::applyFrame(int index, std::vector<Action> *actions)
{
    for (const FrameCommand &command : timeline.frames[size_t(index)].commands) {
        if (auto *p = std::get_if<PlaceCommand>(&command))
            place(*p, index);
        else if (auto *r = std::get_if<RemoveCommand>(&command))
            objects.erase(r->depth);
        else if (auto *a = std::get_if<ActionCommand>(&command); a && actions)
            actions->insert(actions->end(), a->actions.begin(), a->actions.end());
    }
    current = index;
}

void TimelineInstance::gotoFrame(int target)
{
    int count = frameCount();
    if (count == 0)
        return;
    target = std::clamp(target, 0, count - 1);
    if (target == current)
        return;
    if (target > current) {
        for (int i = current + 1; i <= target; ++i)
            applyFrame(i, nullptr);
        return;
    }
    // Going back: rebuild from the first frame. Objects still standing
    // where they were placed keep their own state (a sprite goes on playing).
    std::map<int, DisplayObject> old = std::move(objects);
    objects.clear();
    current = -1;
    for (int i = 0; i <= target; ++i)
        applyFrame(i, nullptr);
    for (auto &[depth, object] : objects) {
        auto was = old.find(depth);
        if (was != old.end() && was->second.characterId == object.characterId
            && was->second.placedAtFrame == object.placedAtFrame && was->second.sprite && object.sprite)
            object.sprite = std::move(was->second.sprite);
    }
}

void TimelineInstance::advance(bool loop)
{
    for (auto &[depth, object] : objects)
        if (object.sprite)
            object.sprite->advance(true);
    int count = frameCount();
    if (count == 0 || (!isPlaying && current >= 0))
        return;
    std::vector<Action> actions;
    if (current + 1 < count) {
        applyFrame(current + 1, &actions);
    } else if (loop && count > 1) {
        gotoFrame(0);
        for (const FrameCommand &command : timeline.frames.front().commands)
            if (auto *a = std::get_if<ActionCommand>(&command))
                actions.insert(actions.end(), a->actions.begin(), a->actions.end());
    } else {
        return;
    }
    runActions(actions);
}

void TimelineInstance::runActions(const std::vector<Action> &actions)
{
    for (const Action &a : actions) {
        switch (a.kind) {
        case Action::Play:
            isPlaying = true;
            break;
        case Action::Stop:
            isPlaying = false;
            break;
        case Action::NextFrame:
            gotoFrame(current + 1);
            isPlaying = false;
            break;
        case Action::PrevFrame:
            gotoFrame(current - 1);
            isPlaying = false;
            break;
        case Action::GotoFrame:
            gotoFrame(a.frame);
            break;
        case Action::GotoLabel:
            if (auto it = timeline.labels.constFind(a.label); it != timeline.labels.constEnd())
                gotoFrame(*it);
            break;
        }
    }
}

}
