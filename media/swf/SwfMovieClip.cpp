#include "SwfMovieClip.h"

#include "SwfMovie.h"
#include "SwfHitTest.h"
#include "SwfStage.h"
#include "SwfTimelineSound.h"

#include <algorithm>
#include <map>

namespace swf {

MovieClip::MovieClip(Stage &stage, std::shared_ptr<const Movie> movie, uint16_t characterId, const Character *character,
                     const Timeline &timeline)
    : DisplayObject(Kind::MovieClip, stage, std::move(movie), characterId, character), frames(timeline)
{
    stage.clipMade();
}

MovieClip::~MovieClip()
{
    // Clips inside go first, so the sound hears of them while this one stands.
    list.clear();
    if (TimelineSound *sound = stage().sound())
        sound->timelineGone(*this);
    stage().clipGone();
}

void MovieClip::setPlaying(bool on)
{
    if (on == isPlaying)
        return;
    isPlaying = on;
    if (TimelineSound *sound = stage().sound(); sound && current >= 0)
        sound->playingChanged(*this);
}

void MovieClip::frameShown(bool jumped)
{
    if (TimelineSound *sound = stage().sound())
        sound->frameShown(*this, current, jumped);
}

int MovieClip::totalFrames() const
{
    return std::max(frames.declaredFrames, framesLoaded());
}

int MovieClip::framesLoaded() const
{
    // The root timeline also waits for the movies its frames import from.
    return &frames == &movie().timeline() ? movie().framesLoaded() : int(frames.frames.size());
}

void MovieClip::markRemoved()
{
    if (removed())
        return;
    // The clips inside leave first: their unload handlers run before this one's.
    list.markRemoved();
    DisplayObject::markRemoved();
}

void MovieClip::runFrame()
{
    dropUnloaded();
    if (current < 0) {
        if (framesLoaded() > 0) {
            applyCommands(0, true);
            frameShown(false);
        }
        return;
    }
    if (!isPlaying)
        return;
    // A movie still loading waits at its last complete frame; sprites are
    // complete once defined.
    bool complete = &frames != &movie().timeline() || movie().finished();
    if (current + 1 < framesLoaded()) {
        applyCommands(current + 1, true);
        frameShown(false);
    } else if (loops && complete && framesLoaded() > 1)
        gotoFrame(0, true);
}

void MovieClip::gotoFrame(int frame, bool play, bool runActions)
{
    setPlaying(play);
    int loaded = framesLoaded();
    if (loaded == 0)
        return;
    frame = std::clamp(frame, 0, loaded - 1);
    if (frame == current)
        return;
    if (frame > current) {
        for (int i = current + 1; i < frame; ++i)
            applyCommands(i, false);
        applyCommands(frame, runActions);
    } else {
        rebuild(frame, runActions);
    }
    if (!removed())
        frameShown(true);
}

int MovieClip::frameOfLabel(const QString &label) const
{
    auto it = frames.labels.constFind(label);
    return it == frames.labels.constEnd() ? -1 : *it;
}

void MovieClip::applyCommands(int frame, bool runActions)
{
    current = frame;
    for (const FrameCommand &command : frames.frames[size_t(frame)].commands) {
        if (removed())
            return;
        if (auto *p = std::get_if<PlaceCommand>(&command)) {
            place(*p, frame);
        } else if (auto *r = std::get_if<RemoveCommand>(&command)) {
            if (r->depth < kScriptDepthBase)
                takeAway(r->depth);
        } else if (auto *a = std::get_if<ActionCommand>(&command)) {
            if (runActions)
                stage().queueActions(*this, a->bytecode);
        } else if (auto *init = std::get_if<InitActionCommand>(&command)) {
            stage().queueInitActions(*this, init->spriteId, init->bytecode);
        }
    }
}

void MovieClip::place(const PlaceCommand &command, int frame)
{
    DisplayObject *existing = list.at(command.depth);
    if (!command.move) {
        // A depth that holds an object already keeps it.
        if (!existing && command.characterId)
            instantiate(command, frame);
        return;
    }
    if (!existing)
        return;
    if (command.characterId && *command.characterId != existing->characterId()) {
        // Moving with a new character replaces a shape's look; other objects stay.
        auto kind = existing->kind();
        if (kind == Kind::Shape || kind == Kind::MorphShape || kind == Kind::Bitmap || kind == Kind::StaticText) {
            PlaceCommand replacement = command;
            replacement.move = false;
            int placedAt = existing->placeFrame();
            auto old = list.remove(command.depth);
            if (!replacement.matrix)
                replacement.matrix = old->matrix();
            if (!replacement.colorTransform)
                replacement.colorTransform = old->colorTransform();
            instantiate(replacement, placedAt);
            return;
        }
    }
    applyProperties(*existing, command);
}

void MovieClip::takeAway(int depth)
{
    DisplayObject *object = list.at(depth);
    if (!object || !stage().hasUnloadHandlers(*object)) {
        list.remove(depth);
        return;
    }
    // Beneath every depth in use, where scripts still find it by name.
    int waiting = -1 - depth;
    list.remove(waiting);
    list.swap(depth, waiting);
    stage().startUnload(*object);
}

void MovieClip::dropUnloaded()
{
    std::vector<int> done;
    for (const auto &[depth, child] : list)
        if (depth < 0 && child->unloading())
            done.push_back(depth);
    for (int depth : done)
        list.remove(depth);
}

void MovieClip::applyProperties(DisplayObject &object, const PlaceCommand &command)
{
    if (!object.transformedByScript()) {
        if (command.matrix)
            object.setMatrix(*command.matrix);
        if (command.colorTransform)
            object.setColorTransform(*command.colorTransform);
    }
    if (command.ratio)
        object.setRatio(*command.ratio);
    if (command.name)
        object.setName(*command.name);
    if (command.clipDepth)
        object.setClipDepth(*command.clipDepth);
    if (command.visible)
        object.setVisible(*command.visible);
    if (command.blendMode)
        object.setBlendMode(*command.blendMode);
    if (command.filters)
        object.setFilters(*command.filters);
    if (command.cacheAsBitmap)
        object.setCacheAsBitmap(*command.cacheAsBitmap);
}

void MovieClip::instantiate(const PlaceCommand &command, int frame)
{
    std::shared_ptr<DisplayObject> object = stage().instantiate(movieShared(), *command.characterId, this);
    if (!object)
        return;
    object->setPlaceFrame(frame);
    applyProperties(*object, command);
    object->setClipActions(command.clipActions);
    addChild(std::move(object), command.depth);
}

void MovieClip::addChild(std::shared_ptr<DisplayObject> object, int depth)
{
    DisplayObject &added = *object;
    list.place(depth, std::move(object));
    stage().added(added);
}

// Going back: the frames from the first to `frame` say what stands where;
// timeline objects still standing where the same placement put them stay
// (a clip plays on), the others go, and the missing ones are made.
void MovieClip::rebuild(int frame, bool runActions)
{
    struct Standing {
        PlaceCommand command; // merged: what the object shows at `frame`
        int placedAt = 0;
    };
    std::map<int, Standing> standing;
    for (int i = 0; i <= frame; ++i) {
        for (const FrameCommand &command : frames.frames[size_t(i)].commands) {
            if (auto *p = std::get_if<PlaceCommand>(&command)) {
                auto it = standing.find(p->depth);
                if (!p->move) {
                    if (it == standing.end() && p->characterId)
                        standing.emplace(p->depth, Standing{*p, i});
                    continue;
                }
                if (it == standing.end())
                    continue;
                PlaceCommand &merged = it->second.command;
                if (p->characterId)
                    merged.characterId = p->characterId;
                if (p->matrix)
                    merged.matrix = p->matrix;
                if (p->colorTransform)
                    merged.colorTransform = p->colorTransform;
                if (p->ratio)
                    merged.ratio = p->ratio;
                if (p->name)
                    merged.name = p->name;
                if (p->clipDepth)
                    merged.clipDepth = p->clipDepth;
            } else if (auto *r = std::get_if<RemoveCommand>(&command)) {
                standing.erase(r->depth);
            }
        }
    }
    std::vector<int> gone;
    for (const auto &[depth, object] : list) {
        if (depth >= kScriptDepthBase || object->placeFrame() < 0 || object->unloading())
            continue;
        auto it = standing.find(depth);
        if (it == standing.end() || it->second.placedAt != object->placeFrame())
            gone.push_back(depth);
        // A clip a movie was loaded into stands for the placement it replaced.
        else if (object->character() && *it->second.command.characterId != object->characterId())
            gone.push_back(depth);
    }
    for (int depth : gone)
        takeAway(depth);
    current = frame;
    for (auto &[depth, state] : standing) {
        if (removed())
            return;
        if (DisplayObject *kept = list.at(depth)) {
            if (kept->placeFrame() == state.placedAt)
                applyProperties(*kept, state.command);
            continue;
        }
        state.command.move = false;
        instantiate(state.command, state.placedAt);
    }
    if (!runActions)
        return;
    for (const FrameCommand &command : frames.frames[size_t(frame)].commands)
        if (auto *a = std::get_if<ActionCommand>(&command))
            stage().queueActions(*this, a->bytecode);
}

Drawing &MovieClip::startDrawing()
{
    if (!drawn)
        drawn = std::make_unique<Drawing>();
    return *drawn;
}

void MovieClip::copyDrawing(const MovieClip &from)
{
    drawn = from.drawn ? std::make_unique<Drawing>(*from.drawn) : nullptr;
}

QRectF MovieClip::localBounds() const
{
    QRectF bounds = list.bounds();
    if (drawn && !drawn->empty())
        bounds = bounds.united(drawn->shape()->bounds);
    return bounds;
}

bool MovieClip::hitTestLocal(const QPointF &point, bool exact) const
{
    if (!exact)
        return localBounds().contains(point);
    return list.hitTest(point, true) || (drawn && !drawn->empty() && shapeContains(*drawn->shape(), point));
}

}
