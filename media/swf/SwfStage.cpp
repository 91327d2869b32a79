#include "SwfStage.h"

#include "SwfButtonObject.h"
#include "SwfEditTextObject.h"
#include "SwfGraphicObjects.h"
#include "SwfMovie.h"
#include "SwfMovieClip.h"
#include "SwfText.h"
#include "SwfVideo.h"

#include <QDebug>
#include <algorithm>

namespace swf {

namespace {

// Scripts that keep going to frames whose actions go to frames again would
// run for ever within one frame; the queue stops after this many blocks.
constexpr int kMaxQueuedPerFrame = 1 << 16;

QString handlerName(uint32_t event)
{
    switch (event) {
    case ClipEvent::Load: return QStringLiteral("onLoad");
    case ClipEvent::EnterFrame: return QStringLiteral("onEnterFrame");
    case ClipEvent::Unload: return QStringLiteral("onUnload");
    case ClipEvent::MouseMove: return QStringLiteral("onMouseMove");
    case ClipEvent::MouseDown: return QStringLiteral("onMouseDown");
    case ClipEvent::MouseUp: return QStringLiteral("onMouseUp");
    case ClipEvent::KeyDown: return QStringLiteral("onKeyDown");
    case ClipEvent::KeyUp: return QStringLiteral("onKeyUp");
    case ClipEvent::Data: return QStringLiteral("onData");
    case ClipEvent::Press: return QStringLiteral("onPress");
    case ClipEvent::Release: return QStringLiteral("onRelease");
    case ClipEvent::ReleaseOutside: return QStringLiteral("onReleaseOutside");
    case ClipEvent::RollOver: return QStringLiteral("onRollOver");
    case ClipEvent::RollOut: return QStringLiteral("onRollOut");
    case ClipEvent::DragOver: return QStringLiteral("onDragOver");
    case ClipEvent::DragOut: return QStringLiteral("onDragOut");
    case ClipEvent::Initialize:
    case ClipEvent::KeyPress:
    case ClipEvent::Construct:
        break;
    }
    return QString();
}

bool takesDefaultName(DisplayObject::Kind kind)
{
    return kind == DisplayObject::Kind::MovieClip || kind == DisplayObject::Kind::Button
        || kind == DisplayObject::Kind::EditText;
}

}

Stage::Stage(ScriptHost &host) : host(host) {}

Stage::~Stage()
{
    closing = true;
    for (auto &queue : queues)
        queue.clear();
    auto gone = std::move(roots);
    roots.clear();
    for (auto &[number, root] : gone)
        root->markRemoved();
}

MovieClip *Stage::loadLevel(int level, std::shared_ptr<const Movie> movie)
{
    unloadLevel(level);
    const Timeline &timeline = movie->timeline();
    auto root = std::make_shared<MovieClip>(*this, std::move(movie), 0, nullptr, timeline);
    root->setLevel(level);
    roots[level] = root;
    added(*root);
    return root.get();
}

void Stage::unloadLevel(int level)
{
    auto it = roots.find(level);
    if (it == roots.end())
        return;
    std::shared_ptr<MovieClip> root = std::move(it->second);
    roots.erase(it);
    root->takeOut();
}

MovieClip *Stage::level(int level) const
{
    auto it = roots.find(level);
    return it == roots.end() ? nullptr : it->second.get();
}

std::vector<std::shared_ptr<MovieClip>> Stage::clipsInOrder() const
{
    std::vector<std::shared_ptr<MovieClip>> clips;
    clips.reserve(executionOrder.size());
    for (auto it = executionOrder.rbegin(); it != executionOrder.rend(); ++it)
        if (auto clip = it->lock(); clip && !clip->removed())
            clips.push_back(std::move(clip));
    return clips;
}

void Stage::tick()
{
    ScriptTurn turn(host);
    // Clips made while these run start with their first frame where they are made.
    std::vector<std::shared_ptr<MovieClip>> running = clipsInOrder();
    executionOrder.assign(running.rbegin(), running.rend());
    for (const auto &clip : running) {
        if (clip->removed() || clip->unloading())
            continue;
        queueEvent(*clip, ClipEvent::EnterFrame);
        clip->runFrame();
    }
    runQueuedActions();
    host.frameScriptsDone();
}

void Stage::runQueuedActions()
{
    ScriptTurn turn(host);
    if (draining)
        return;
    draining = true;
    int ran = 0;
    for (;;) {
        auto queue = std::find_if(std::begin(queues), std::end(queues), [](const auto &q) { return !q.empty(); });
        if (queue == std::end(queues))
            break;
        if (++ran > kMaxQueuedPerFrame) {
            qWarning("swf: too many actions queued in one frame; the rest are dropped");
            for (auto &q : queues)
                q.clear();
            break;
        }
        Queued next = std::move(queue->front());
        queue->pop_front();
        Queued::Reach reached = next.target->removed()     ? Queued::EvenRemoved
                              : next.target->unloading() ? Queued::WhileUnloading
                                                         : Queued::OnStage;
        if (next.reach >= reached)
            run(next);
    }
    draining = false;
}

void Stage::run(const Queued &entry)
{
    switch (entry.kind) {
    case Queued::Actions:
    case Queued::EventActions:
        host.runActions(static_cast<MovieClip &>(*entry.target), entry.bytecode);
        break;
    case Queued::InitActions:
        host.runInitActions(static_cast<MovieClip &>(*entry.target), entry.bytecode);
        break;
    case Queued::Handler:
        // The method is looked up when its turn comes: an earlier block of
        // the queue may have set it (a root's first frame sets its onLoad).
        if (host.hasHandler(*entry.target, entry.handler))
            host.callHandler(*entry.target, entry.handler, {});
        break;
    case Queued::Construct: {
        std::vector<QByteArray> handlers;
        for (const ClipAction &action : entry.target->clipActions())
            if (action.events & ClipEvent::Construct)
                handlers.push_back(action.bytecode);
        host.constructObject(static_cast<MovieClip &>(*entry.target), handlers);
        break;
    }
    }
}

void Stage::enqueue(Priority priority, Queued entry)
{
    if (!closing)
        queues[priority].push_back(std::move(entry));
}

void Stage::queueActions(MovieClip &target, const QByteArray &bytecode)
{
    enqueue(NormalPriority, {Queued::Actions, target.shared_from_this(), bytecode, QString(), Queued::OnStage});
}

void Stage::queueEvent(DisplayObject &object, uint32_t event)
{
    // An object's unload handlers run after it left the stage; the events of
    // its coming reach it while it waits for them (a goto may pass over a
    // clip's whole life).
    Queued::Reach reach = event == ClipEvent::Unload ? Queued::EvenRemoved
        : event == ClipEvent::Load || event == ClipEvent::Initialize ? Queued::WhileUnloading
                                                                     : Queued::OnStage;
    // Initialize handlers run with the init actions, in the order of the tags.
    Priority priority = event == ClipEvent::Initialize ? InitPriority : NormalPriority;
    if (object.kind() == DisplayObject::Kind::MovieClip) {
        for (const ClipAction &action : object.clipActions())
            if (action.events & event)
                enqueue(priority, {Queued::EventActions, object.shared_from_this(), action.bytecode, QString(), reach});
    }
    QString name = handlerName(event);
    if (!name.isEmpty())
        enqueue(priority, {Queued::Handler, object.shared_from_this(), QByteArray(), name, reach});
}

void Stage::queueInitActions(MovieClip &clip, uint16_t spriteId, const QByteArray &bytecode)
{
    if (initActionsRun.insert({&clip.movie(), spriteId}).second)
        enqueue(InitPriority, {Queued::InitActions, clip.shared_from_this(), bytecode, QString(), Queued::OnStage});
}

void Stage::queueConstruct(MovieClip &clip)
{
    queueEvent(clip, ClipEvent::Initialize);
    enqueue(ConstructPriority,
            {Queued::Construct, clip.shared_from_this(), QByteArray(), QString(), Queued::WhileUnloading});
}

std::shared_ptr<DisplayObject> Stage::instantiate(const std::shared_ptr<const Movie> &movie, uint16_t id,
                                                  const DisplayObject *parent)
{
    // An imported character plays as part of the movie that defines it.
    if (const ImportedCharacter *borrowed = movie->imported(id))
        return instantiate(borrowed->movie, borrowed->id, parent);
    const Character *character = movie->character(id);
    if (!character)
        return nullptr;
    auto *sprite = dynamic_cast<const SpriteCharacter *>(character);
    auto *button = dynamic_cast<const ButtonCharacter *>(character);
    if (sprite || button) {
        int nesting = 0;
        for (const DisplayObject *at = parent; at; at = at->parent())
            ++nesting;
        if (nesting > kMaxNesting || clipCount >= kMaxClips)
            return nullptr;
    }
    if (sprite)
        return std::make_shared<MovieClip>(*this, movie, id, character, sprite->timeline);
    if (button)
        return std::make_shared<ButtonObject>(*this, movie, id, *button);
    if (auto *shape = dynamic_cast<const ShapeCharacter *>(character))
        return std::make_shared<ShapeObject>(*this, movie, id, *shape);
    if (auto *morph = dynamic_cast<const MorphShapeCharacter *>(character))
        return std::make_shared<MorphShapeObject>(*this, movie, id, *morph);
    if (auto *bitmap = dynamic_cast<const BitmapCharacter *>(character))
        return std::make_shared<BitmapObject>(*this, movie, id, *bitmap);
    if (auto *video = dynamic_cast<const VideoCharacter *>(character))
        return std::make_shared<VideoObject>(*this, movie, id, *video);
    if (auto *text = dynamic_cast<const TextCharacter *>(character))
        return std::make_shared<StaticTextObject>(*this, movie, id, *text);
    if (auto *field = dynamic_cast<const EditTextCharacter *>(character))
        return std::make_shared<EditTextObject>(*this, movie, id, *field);
    return nullptr;
}

void Stage::added(DisplayObject &object)
{
    if (object.name().isEmpty() && object.parent() && takesDefaultName(object.kind()))
        object.setName(QStringLiteral("instance%1").arg(++instanceCount));
    host.objectCreated(object);
    if (object.removed())
        return;
    if (object.kind() == DisplayObject::Kind::MovieClip) {
        auto &clip = static_cast<MovieClip &>(object);
        executionOrder.push_back(std::static_pointer_cast<MovieClip>(clip.shared_from_this()));
        // A clip's load event comes before the actions of its first frame; a
        // level root's after them, so that its first frame can set onLoad.
        bool levelRoot = !clip.parent();
        queueConstruct(clip);
        if (!levelRoot)
            queueEvent(clip, ClipEvent::Load);
        clip.runFrame();
        if (levelRoot && !clip.removed())
            queueEvent(clip, ClipEvent::Load);
    } else if (object.kind() == DisplayObject::Kind::Button) {
        static_cast<ButtonObject &>(object).setState(ButtonCharacter::Up);
    }
}

void Stage::removed(DisplayObject &object)
{
    if (!object.unloading())
        queueEvent(object, ClipEvent::Unload);
    host.objectRemoved(object);
    focusOn.objectRemoved(object);
}

bool Stage::hasUnloadHandlers(DisplayObject &object)
{
    for (const ClipAction &action : object.clipActions())
        if (action.events & ClipEvent::Unload)
            return true;
    if (host.hasHandler(object, handlerName(ClipEvent::Unload)))
        return true;
    if (object.kind() != DisplayObject::Kind::MovieClip)
        return false;
    for (const auto &[depth, child] : static_cast<MovieClip &>(object).children())
        if (hasUnloadHandlers(*child))
            return true;
    return false;
}

void Stage::startUnload(DisplayObject &object)
{
    queueUnloads(object);
}

void Stage::queueUnloads(DisplayObject &object)
{
    if (object.unloading())
        return;
    if (object.kind() == DisplayObject::Kind::MovieClip)
        for (const auto &[depth, child] : static_cast<MovieClip &>(object).children())
            queueUnloads(*child);
    object.setUnloading();
    queueEvent(object, ClipEvent::Unload);
}

}
