// Sound: a Sound object stands for the sounds of one clip (named by its
// path, found again on every call) or, made without one, for every sound of
// the movie. Volume, pan and transform belong to the clip, not to the
// object: two Sound objects on one clip see the same volume, and a clip
// made anew at the same path starts at full volume. A Sound whose clip is
// not there answers undefined and changes nothing.
#include "SoundClass.h"

#include "DisplayData.h"
#include "SoundData.h"
#include "SoundLoad.h"
#include "SoundObjects.h"
#include "swf/SwfCharacter.h"
#include "swf/SwfLoadAddress.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Frame.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Scope.h"
#include "swf/avm1/Variables.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <cmath>

namespace swf::avm1 {

namespace {

// The sounds a call acts on: `data` null when `this` is no Sound; `clip`
// null for the whole movie; `found` false when the clip is not there.
struct Owner {
    SoundData *data = nullptr;
    MovieClip *clip = nullptr;
    bool found = false;
};

Owner ownerOf(Context &cx, const Value &self)
{
    Owner o;
    o.data = soundDataOf(self);
    if (!o.data)
        return o;
    if (!o.data->target()) {
        o.found = true;
        return o;
    }
    // The path is looked up as the calling code would look it up.
    Frame f(cx.vm, cx.version, cx.target);
    if (cx.target)
        f.scope = cx.vm.heap.make<Scope>(nullptr, cx.target, Scope::Timeline);
    Object *target = resolvePath(f, *o.data->target());
    if (target && cx.vm.host.isClip(target))
        target = cx.vm.host.follow(target);
    DisplayObject *object = displayOf(target);
    if (object && object->kind() == DisplayObject::Kind::MovieClip) {
        o.clip = static_cast<MovieClip *>(object);
        o.found = true;
    }
    return o;
}

TimelineSound *player(Context &cx)
{
    return SoundObjects::of(cx.vm).sound();
}

// The library a Sound's attachSound looks in: its clip's movie, else the
// first movie's.
std::shared_ptr<const Movie> libraryOf(Context &cx, const Owner &o)
{
    if (o.clip)
        return o.clip->movieShared();
    DisplayObject *level0 = displayOf(cx.vm.host.level(0));
    return level0 ? level0->movieShared() : nullptr;
}

// The sound exported from `movie` as `name` (names compared ignoring case).
std::shared_ptr<const EventSound> exportedSound(const std::shared_ptr<const Movie> &movie, const QString &name)
{
    if (!movie)
        return nullptr;
    const QHash<QString, uint16_t> &exports = movie->info().exports;
    for (auto it = exports.constBegin(); it != exports.constEnd(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const auto *character = movie->characterAs<SoundCharacter>(it.value());
        return character ? std::shared_ptr<const EventSound>(movie, &character->sound) : nullptr;
    }
    return nullptr;
}

Value construct(Context &cx, const Value &self, Args args)
{
    Object *o = self.asObject();
    // An object with native data of its own (a clip whose class extends
    // Sound) keeps it.
    if (!o || o->native())
        return self;
    Value target = arg(args, 0);
    std::optional<QString> path;
    if (Object *clip = target.asObject(); clip && cx.vm.host.isClip(clip))
        path = cx.vm.host.targetPath(clip, false);
    else if (!target.isNullish())
        path = toQString(cx, target);
    o->setNative(std::make_unique<SoundData>(std::move(path)));
    o->put(cx.vm.name(QStringLiteral("checkPolicyFile")), false, PropertyFlag::DontEnum);
    return self;
}

SoundTransform transformOf(Context &cx, const Owner &o)
{
    TimelineSound *sound = player(cx);
    return sound ? sound->transform(o.clip) : SoundTransform{};
}

void setTransformOf(Context &cx, const Owner &o, const SoundTransform &t)
{
    if (TimelineSound *sound = player(cx))
        sound->setTransform(o.clip, t);
}

// A percentage argument: numbers that are no number count as 0.
int percent(Context &cx, const Value &v)
{
    double d = toNumber(cx, v);
    return std::isfinite(d) ? int(std::clamp(d, -1e6, 1e6)) : 0;
}

Value getVolume(Context &cx, const Value &self, Args)
{
    Owner o = ownerOf(cx, self);
    return o.found ? Value(double(transformOf(cx, o).volume)) : Value();
}

Value setVolume(Context &cx, const Value &self, Args args)
{
    Owner o = ownerOf(cx, self);
    if (o.found && !args.empty()) {
        SoundTransform t = transformOf(cx, o);
        t.volume = percent(cx, args[0]);
        setTransformOf(cx, o, t);
    }
    return Value();
}

Value getPan(Context &cx, const Value &self, Args)
{
    Owner o = ownerOf(cx, self);
    return o.found ? Value(double(transformOf(cx, o).pan())) : Value();
}

Value setPan(Context &cx, const Value &self, Args args)
{
    Owner o = ownerOf(cx, self);
    if (o.found && !args.empty())
        setTransformOf(cx, o, SoundTransform::panned(percent(cx, args[0]), transformOf(cx, o).volume));
    return Value();
}

// The channel shares as {ll, lr, rr, rl}.
const char *const kShares[] = {"ll", "lr", "rr", "rl"};

int *share(SoundTransform &t, int i)
{
    int *shares[] = {&t.leftToLeft, &t.leftToRight, &t.rightToRight, &t.rightToLeft};
    return shares[i];
}

Value getTransform(Context &cx, const Value &self, Args)
{
    Owner o = ownerOf(cx, self);
    if (!o.found)
        return Value();
    SoundTransform t = transformOf(cx, o);
    Object *result = cx.vm.newObject();
    for (int i = 0; i < 4; ++i)
        result->set(cx, cx.vm.name(QLatin1String(kShares[i])), double(*share(t, i)));
    return result;
}

// Takes the shares the object has; the others stay as they are.
Value setTransform(Context &cx, const Value &self, Args args)
{
    Owner o = ownerOf(cx, self);
    Object *given = arg(args, 0).asObject();
    if (!o.found || !given)
        return Value();
    SoundTransform t = transformOf(cx, o);
    for (int i = 0; i < 4; ++i) {
        Value v;
        if (given->lookup(cx, cx.vm.name(QLatin1String(kShares[i])), v))
            *share(t, i) = percent(cx, v);
    }
    setTransformOf(cx, o, t);
    return Value();
}

Value attachSound(Context &cx, const Value &self, Args args)
{
    Owner o = ownerOf(cx, self);
    if (!o.data || args.empty())
        return Value();
    if (auto sound = exportedSound(libraryOf(cx, o), toQString(cx, args[0]))) {
        int duration = sound->durationMs();
        o.data->attach(std::move(sound), duration);
    }
    return Value();
}

// start(secondOffset, loops)
Value start(Context &cx, const Value &self, Args args)
{
    Owner o = ownerOf(cx, self);
    TimelineSound *sound = player(cx);
    if (!o.found || !o.data->sound() || !sound)
        return Value();
    double seconds = args.empty() ? 0 : toNumber(cx, args[0]);
    int offsetMs = std::isfinite(seconds) && seconds > 0 ? int(std::min(seconds * 1000, 1e9)) : 0;
    SoundInfo info;
    info.loops = args.size() > 1 ? std::max(1, percent(cx, args[1])) : 1;
    TimelineSound::VoiceId voice = sound->startSound(*o.data->sound(), info, o.clip, offsetMs);
    if (voice) {
        o.data->started(voice, offsetMs);
        SoundObjects::of(cx.vm).playing(self.asObject(), voice);
    }
    return Value();
}

// stop([linkage name]): the clip's sounds, or every sound of the movie.
Value stop(Context &cx, const Value &self, Args args)
{
    Owner o = ownerOf(cx, self);
    TimelineSound *sound = player(cx);
    if (!o.found || !sound)
        return Value();
    bool all = args.empty() || args[0].isUndefined();
    if (all && !o.clip)
        sound->stopAll(); // as stopAllSounds: the timelines' streams too
    else if (all)
        sound->stopSounds(o.clip, nullptr);
    else if (auto named = exportedSound(libraryOf(cx, o), toQString(cx, args[0])))
        sound->stopSounds(o.clip, named.get());
    return Value();
}

Value getDuration(Context &, const Value &self, Args)
{
    SoundData *data = soundDataOf(self);
    return data && data->sound() ? Value(double(data->durationMs())) : Value();
}

Value getPosition(Context &cx, const Value &self, Args)
{
    SoundData *data = soundDataOf(self);
    return data && data->sound() ? Value(double(data->positionMs(player(cx)))) : Value();
}

// loadSound(url, isStreaming): the sound playing stops; a streaming load
// starts playing as it arrives.
Value loadSound(Context &cx, const Value &self, Args args)
{
    Owner o = ownerOf(cx, self);
    if (!o.data || args.empty())
        return Value();
    if (TimelineSound *sound = player(cx); sound && o.data->sound())
        sound->stopSounds(o.clip, o.data->sound());
    std::shared_ptr<const Movie> movie = libraryOf(cx, o);
    QString address = permittedAddress(movie ? movie->address() : QString(), toQString(cx, args[0]));
    std::weak_ptr<DisplayObject> owner;
    if (o.clip)
        owner = o.clip->shared_from_this();
    auto *load = new SoundLoad(cx.vm, self.asObject(), toBoolean(cx, arg(args, 1)), owner);
    o.data->setLoad(load);
    load->start(address);
    return Value();
}

Value getBytesLoaded(Context &, const Value &self, Args)
{
    SoundData *data = soundDataOf(self);
    return data && data->load() ? Value(double(data->load()->bytesLoaded())) : Value();
}

Value getBytesTotal(Context &, const Value &self, Args)
{
    SoundData *data = soundDataOf(self);
    return data && data->load() ? Value(double(data->load()->bytesTotal())) : Value();
}

// setDuration and setPosition: movies look for them, but they change nothing.
Value ignored(Context &, const Value &, Args)
{
    return Value();
}

}

void installSound(Vm &vm)
{
    Object *proto = vm.newObject();
    vm.makeClass(vm.global(), "Sound", construct, nullptr, proto);
    vm.method(proto, "getPan", getPan);
    vm.method(proto, "getTransform", getTransform);
    vm.method(proto, "getVolume", getVolume);
    vm.method(proto, "setPan", setPan);
    vm.method(proto, "setTransform", setTransform);
    vm.method(proto, "setVolume", setVolume);
    vm.method(proto, "stop", stop);
    vm.method(proto, "attachSound", attachSound);
    vm.method(proto, "start", start);
    auto since6 = [&](const char *name, NativeFn fn) {
        proto->put(vm.name(QLatin1String(name)), vm.newFunction(fn),
                   PropertyFlag::DontEnum | PropertyFlag::DontDelete | PropertyFlag::OnlySwf6Up);
    };
    since6("getDuration", getDuration);
    since6("setDuration", ignored);
    since6("getPosition", getPosition);
    since6("setPosition", ignored);
    since6("loadSound", loadSound);
    since6("getBytesLoaded", getBytesLoaded);
    since6("getBytesTotal", getBytesTotal);
}

}
