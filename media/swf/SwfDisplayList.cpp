#include "SwfDisplayList.h"

#include "SwfCharacter.h"
#include "SwfMovie.h"
#include "SwfTimelineSound.h"

namespace swf {

TimelineInstance::TimelineInstance(const Movie &movie, const Timeline &timeline)
    : movie(movie), timeline(timeline), liveSprites(std::make_shared<int>(0))
{
}

TimelineInstance::TimelineInstance(const TimelineInstance &parent, const Timeline &timeline)
    : movie(parent.movie), timeline(timeline), nesting(parent.nesting + 1), liveSprites(parent.liveSprites),
      soundOut(parent.soundOut)
{
    ++*liveSprites;
}

TimelineInstance::~TimelineInstance()
{
    // Sprites go first, so the sound hears of them while this one stands.
    objects.clear();
    if (soundOut)
        soundOut->timelineGone(*this);
    if (nesting > 0)
        --*liveSprites;
}

void TimelineInstance::setPlaying(bool playing)
{
    if (playing == isPlaying)
        return;
    isPlaying = playing;
    if (soundOut && current >= 0)
        soundOut->playingChanged(*this);
}

void TimelineInstance::setCharacter(DisplayObject &object, uint16_t id)
{
    object.characterId = id;
    object.character = movie.character(id);
    object.sprite.reset();
    auto *sprite = dynamic_cast<const SpriteCharacter *>(object.character);
    if (sprite && nesting < kMaxNesting && *liveSprites < kMaxSprites) {
        object.sprite.reset(new TimelineInstance(*this, sprite->timeline));
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
        auto was = previous ? previous->find(c.depth) : std::map<int, DisplayObject>::iterator();
        if (previous && was != previous->end() && was->second.sprite && was->second.characterId == *c.characterId
            && was->second.placedAtFrame == frameIndex) {
            // The same placement as before a rebuild: the sprite plays on.
            existing->second.characterId = was->second.characterId;
            existing->second.character = was->second.character;
            existing->second.sprite = std::move(was->second.sprite);
        } else {
            setCharacter(existing->second, *c.characterId);
        }
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
    } else {
        rebuildTo(target);
    }
    if (soundOut)
        soundOut->frameShown(*this, current, true);
}

void TimelineInstance::rebuildTo(int target)
{
    // Objects still standing where they were placed keep their own state
    // (a sprite goes on playing).
    std::map<int, DisplayObject> old = std::move(objects);
    objects.clear();
    previous = &old;
    current = -1;
    for (int i = 0; i <= target; ++i)
        applyFrame(i, nullptr);
    previous = nullptr;
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
        if (soundOut)
            soundOut->frameShown(*this, current, false);
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
            setPlaying(true);
            break;
        case Action::Stop:
            setPlaying(false);
            break;
        case Action::NextFrame:
            gotoFrame(current + 1);
            setPlaying(false);
            break;
        case Action::PrevFrame:
            gotoFrame(current - 1);
            setPlaying(false);
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
