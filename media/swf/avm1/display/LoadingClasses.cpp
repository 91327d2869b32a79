// Loading from scripts: MovieClipLoader, the load and send methods of
// LoadVars and XML, and the clips' loadMovie, loadVariables and unloadMovie.
// The transfers themselves are ScriptLoads'.
#include "DisplayClasses.h"
#include "DisplayData.h"
#include "ScriptLoads.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Frame.h"
#include "swf/avm1/Host.h"
#include "swf/avm1/Variables.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <cmath>

namespace swf::avm1 {

namespace {

// The clip `v` stands for, also when it stands for one a load replaced.
MovieClip *clipOf(Context &cx, const Value &v)
{
    DisplayObject *o = displayOf(v.asObject() ? cx.vm.host.follow(v.asObject()) : nullptr);
    return o && o->kind() == DisplayObject::Kind::MovieClip ? static_cast<MovieClip *>(o) : nullptr;
}

// "GET" or "POST" in any case; anything else sends nothing.
LoadSend::Method methodOf(Context &cx, const Value &method, LoadSend::Method otherwise)
{
    if (method.isUndefined())
        return otherwise;
    const QString name = toQString(cx, method);
    if (name.compare(QLatin1String("GET"), Qt::CaseInsensitive) == 0)
        return LoadSend::Get;
    if (name.compare(QLatin1String("POST"), Qt::CaseInsensitive) == 0)
        return LoadSend::Post;
    return otherwise;
}

LoadTarget targetOf(const DisplayObject &clip)
{
    return LoadTarget{-1, std::const_pointer_cast<DisplayObject>(clip.shared_from_this())};
}

// A MovieClipLoader's target: a level number, a clip, or a clip's path;
// nothing for anything else or a path that names no clip.
std::optional<LoadTarget> loaderTarget(Context &cx, const Value &target)
{
    if (target.isNumber()) {
        const double level = std::floor(toNumber(cx, target));
        return level >= 0 && level < 0x7fffffff ? std::optional(LoadTarget{int(level), {}}) : std::nullopt;
    }
    if (MovieClip *clip = clipOf(cx, target))
        return targetOf(*clip);
    if (!target.isString())
        return std::nullopt;
    Frame frame = timelineFrame(cx.vm, cx.version, cx.target);
    if (MovieClip *clip = clipOf(cx, Value(resolvePath(frame, toQString(cx, target)))))
        return targetOf(*clip);
    return std::nullopt;
}

// --- MovieClipLoader

// The loader is the first of its own listeners.
Value loaderConstruct(Context &cx, const Value &self, Args)
{
    if (Object *o = self.asObject())
        o->put(cx.vm.name(QStringLiteral("_listeners")), cx.vm.newArray({&self, 1}), PropertyFlag::DontEnum);
    return self;
}

Value loadClip(Context &cx, const Value &self, Args args)
{
    if (args.size() < 2)
        return Value();
    std::optional<LoadTarget> target = loaderTarget(cx, args[1]);
    if (!args[0].isString() || !target || !self.asObject())
        return false;
    return ScriptLoads::of(cx.vm).loadMovie(toQString(cx, args[0]), *target, LoadSend(), self.asObject());
}

Value unloadClip(Context &cx, const Value &, Args args)
{
    std::optional<LoadTarget> target = args.empty() ? std::nullopt : loaderTarget(cx, args[0]);
    if (!target)
        return false;
    ScriptLoads::of(cx.vm).unloadMovie(*target);
    return true;
}

Value getProgress(Context &cx, const Value &, Args args)
{
    if (args.empty() || args[0].isNull() || args[0].isUndefined() || (args[0].asObject() && !clipOf(cx, args[0])))
        return Value();
    Object *progress = cx.vm.newObject();
    std::optional<LoadTarget> target = loaderTarget(cx, args[0]);
    const MovieClip *clip = target ? ScriptLoads::of(cx.vm).targetClip(*target) : nullptr;
    // The file's bytes as they came (compressed), unlike getBytesLoaded's.
    if (clip) {
        const double total = clip->movie().finished() ? clip->movie().fileBytes() : clip->movie().declaredLength();
        progress->set(cx, cx.vm.name(QStringLiteral("bytesLoaded")), double(clip->movie().fileBytes()));
        progress->set(cx, cx.vm.name(QStringLiteral("bytesTotal")), total);
    }
    return progress;
}

// --- LoadVars and XML

String *name(Context &cx, const char *text)
{
    return cx.vm.name(QString::fromLatin1(text));
}

// What `object` sends: its toString(), as its contentType says.
LoadSend formOf(Context &cx, Object *object, LoadSend::Method method)
{
    LoadSend send;
    send.method = method;
    send.data = toQString(cx, cx.vm.callMethod(cx, Value(object), name(cx, "toString"), {})).toUtf8();
    const Value type = object->get(cx, name(cx, "contentType"));
    if (!type.isUndefined())
        send.contentType = toQString(cx, type);
    return send;
}

// `receiver` starts waiting for what `url` returns.
Value startLoad(Context &cx, Object *receiver, const QString &url, const LoadSend &send)
{
    receiver->set(cx, name(cx, "loaded"), false);
    receiver->set(cx, name(cx, "_bytesLoaded"), 0.0);
    receiver->set(cx, name(cx, "_bytesTotal"), Value());
    return ScriptLoads::of(cx.vm).loadText(url, receiver, send);
}

Value load(Context &cx, const Value &self, Args args)
{
    Object *o = self.asObject();
    if (!o || args.empty() || args[0].isUndefined())
        return false;
    return startLoad(cx, o, toQString(cx, args[0]), LoadSend());
}

Value send(Context &cx, const Value &self, Args args)
{
    Object *o = self.asObject();
    if (!o || args.empty() || args[0].isUndefined())
        return false;
    return ScriptLoads::of(cx.vm).send(toQString(cx, args[0]), formOf(cx, o, methodOf(cx, arg(args, 2), LoadSend::Post)));
}

Value sendAndLoad(Context &cx, const Value &self, Args args)
{
    Object *o = self.asObject();
    Object *receiver = arg(args, 1).asObject();
    if (!o || args.empty() || args[0].isUndefined() || !receiver)
        return false;
    return startLoad(cx, receiver, toQString(cx, args[0]), formOf(cx, o, methodOf(cx, arg(args, 2), LoadSend::Post)));
}

Value getBytesLoaded(Context &cx, const Value &self, Args)
{
    Object *o = self.asObject();
    return o ? o->get(cx, name(cx, "_bytesLoaded")) : Value();
}

Value getBytesTotal(Context &cx, const Value &self, Args)
{
    Object *o = self.asObject();
    return o ? o->get(cx, name(cx, "_bytesTotal")) : Value();
}

// --- MovieClip

// clip.loadMovie(url, method) and clip.loadVariables(url, method): the
// clip's variables go with GET or POST.
Value clipLoad(Context &cx, const Value &self, Args args, bool variables)
{
    MovieClip *clip = clipOf(cx, self);
    if (!clip || args.empty())
        return Value();
    LoadSend sent;
    sent.method = methodOf(cx, arg(args, 1), LoadSend::None);
    if (sent.method != LoadSend::None)
        sent.data = encodeFormData(cx, self.asObject()).toUtf8();
    ScriptLoads &loads = ScriptLoads::of(cx.vm);
    const QString url = toQString(cx, args[0]);
    if (variables)
        loads.loadVariables(url, targetOf(*clip), sent);
    else
        loads.loadMovie(url, targetOf(*clip), sent);
    return Value();
}

Value clipLoadMovie(Context &cx, const Value &self, Args args)
{
    return clipLoad(cx, self, args, false);
}

Value clipLoadVariables(Context &cx, const Value &self, Args args)
{
    return clipLoad(cx, self, args, true);
}

Value clipUnloadMovie(Context &cx, const Value &self, Args)
{
    if (MovieClip *clip = clipOf(cx, self))
        ScriptLoads::of(cx.vm).unloadMovie(targetOf(*clip));
    return Value();
}

void addLoadMethods(Vm &vm, const char *className)
{
    Context cx(vm, vm.version(), nullptr);
    Object *cls = vm.global()->get(cx, vm.name(QString::fromLatin1(className))).asObject();
    Object *proto = cls ? cls->get(cx, vm.names.prototype).asObject() : nullptr;
    if (!proto)
        return;
    vm.method(proto, "load", load);
    vm.method(proto, "send", send);
    vm.method(proto, "sendAndLoad", sendAndLoad);
    vm.method(proto, "getBytesLoaded", getBytesLoaded);
    vm.method(proto, "getBytesTotal", getBytesTotal);
}

}

void installLoading(Vm &vm, Object *clipPrototype)
{
    Object *proto = vm.newObject();
    vm.makeClass(vm.global(), "MovieClipLoader", loaderConstruct, nullptr, proto);
    initializeBroadcaster(vm, proto);
    vm.method(proto, "loadClip", loadClip);
    vm.method(proto, "unloadClip", unloadClip);
    vm.method(proto, "getProgress", getProgress);
    addLoadMethods(vm, "LoadVars");
    addLoadMethods(vm, "XML");
    vm.method(clipPrototype, "loadMovie", clipLoadMovie);
    vm.method(clipPrototype, "loadVariables", clipLoadVariables);
    vm.method(clipPrototype, "unloadMovie", clipUnloadMovie);
}

}
