#include "ScriptLoads.h"

#include "ClipOperations.h"
#include "DisplayData.h"
#include "MovieScripts.h"
#include "swf/SwfLoadAddress.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfStage.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/builtins/Builtins.h"

#include <QStringDecoder>
#include <algorithm>

namespace swf::avm1 {

namespace {

bool isMovie(const QByteArray &bytes)
{
    return bytes.startsWith("FWS") || bytes.startsWith("CWS") || bytes.startsWith("ZWS");
}

// Loaded text: UTF-16 or UTF-8 as its byte order mark says, else UTF-8.
QString decodeText(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::encodingForData(bytes).value_or(QStringDecoder::Utf8),
                           QStringDecoder::Flag::ConvertInitialBom);
    return decoder(bytes);
}

}

ScriptLoads::ScriptLoads(MovieScripts &scripts) : scripts(scripts) {}

ScriptLoads::~ScriptLoads()
{
    for (const Request &r : requests)
        if (r.object)
            r.object->unpin();
    for (const auto &[clip, loader] : initPending)
        loader->unpin();
}

ScriptLoads &ScriptLoads::of(Vm &vm)
{
    return static_cast<MovieScripts &>(vm.host).loads();
}

bool ScriptLoads::start(Kind kind, const QString &url, const LoadSend &send, const LoadTarget &target, Object *object)
{
    Stage *stage = scripts.currentStage();
    const MovieClip *first = stage ? stage->level(0) : nullptr;
    QString address = first ? permittedAddress(first->movie().address(), url) : QString();
    if (address.isEmpty()) {
        scripts.warn(QStringLiteral("The movie may not load \"%1\"").arg(url));
        return false;
    }
    FetchRequest request{address, QByteArray(), send.contentType};
    if (send.method == LoadSend::Post)
        request.postBody = send.data.isNull() ? QByteArray("") : send.data;
    else if (send.method == LoadSend::Get && !send.data.isEmpty())
        request.address += (address.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?'))
            + QString::fromLatin1(send.data);
    // A new load into a target, or for a receiver, stops the one before.
    auto same = std::find_if(requests.begin(), requests.end(), [&](const Request &r) {
        return r.kind == kind && kind != Kind::Send && (kind == Kind::Text ? r.object == object : r.target == target);
    });
    if (same != requests.end())
        drop(same);
    if (object)
        object->pin();
    requests.push_back({kind, 0, address, target, object, url.section(QLatin1Char('?'), 1)});
    const size_t index = requests.size() - 1;
    const int transfer = fetcher.start(request);
    requests[index].transfer = transfer;
    return true;
}

void ScriptLoads::drop(std::vector<Request>::iterator request)
{
    fetcher.cancel(request->transfer);
    std::erase_if(ready, [&](const Fetcher::Ended &e) { return e.id == request->transfer; });
    if (request->object)
        request->object->unpin();
    requests.erase(request);
}

bool ScriptLoads::loadMovie(const QString &url, const LoadTarget &target, const LoadSend &send, Object *loader)
{
    return start(Kind::Movie, url, send, target, loader);
}

bool ScriptLoads::loadVariables(const QString &url, const LoadTarget &target, const LoadSend &send)
{
    return start(Kind::Variables, url, send, target, nullptr);
}

bool ScriptLoads::loadText(const QString &url, Object *receiver, const LoadSend &send)
{
    return start(Kind::Text, url, send, LoadTarget(), receiver);
}

bool ScriptLoads::send(const QString &url, const LoadSend &send)
{
    return start(Kind::Send, url, send, LoadTarget(), nullptr);
}

void ScriptLoads::unloadMovie(const LoadTarget &target)
{
    auto loading = std::find_if(requests.begin(), requests.end(),
                                [&](const Request &r) { return r.kind == Kind::Movie && r.target == target; });
    if (loading != requests.end())
        drop(loading);
    unloadsAsked.push_back(target);
}

void ScriptLoads::unload(const LoadTarget &target)
{
    Stage *stage = scripts.currentStage();
    MovieClip *clip = targetClip(target);
    if (!stage || !clip)
        return;
    if (clip->level() >= 0)
        stage->unloadLevel(clip->level());
    else
        replaceContent(*clip, nullptr);
}

MovieClip *ScriptLoads::targetClip(const LoadTarget &target) const
{
    Stage *stage = scripts.currentStage();
    if (!stage)
        return nullptr;
    if (target.level >= 0)
        return stage->level(target.level);
    std::shared_ptr<DisplayObject> object = target.clip.lock();
    return object && !object->removed() && object->kind() == DisplayObject::Kind::MovieClip
        ? static_cast<MovieClip *>(object.get())
        : nullptr;
}

MovieClip *ScriptLoads::place(const LoadTarget &target, std::shared_ptr<const Movie> movie)
{
    Stage *stage = scripts.currentStage();
    MovieClip *clip = targetClip(target);
    int level = target.level >= 0 ? target.level : clip ? clip->level() : -1;
    if (level >= 0)
        return movie && stage ? stage->loadLevel(level, std::move(movie)) : nullptr;
    return clip ? replaceContent(*clip, std::move(movie)) : nullptr;
}

void ScriptLoads::tell(Object *loader, const char *event, std::vector<Value> args)
{
    Vm &vm = scripts.machine();
    args.insert(args.begin(), vm.name(QString::fromLatin1(event)));
    vm.callMethodFromHost(loader, vm.name(QStringLiteral("broadcastMessage")), args);
}

void ScriptLoads::frameBegins()
{
    for (Fetcher::Ended &ended : fetcher.takeEnded())
        ready.push_back(std::move(ended));
    unloadsReady.insert(unloadsReady.end(), unloadsAsked.begin(), unloadsAsked.end());
    unloadsAsked.clear();
}

void ScriptLoads::frameEnded()
{
    if (ready.empty() && initPending.empty() && unloadsReady.empty())
        return;
    std::vector<LoadTarget> unloads = std::move(unloadsReady);
    unloadsReady.clear();
    for (const LoadTarget &target : unloads)
        unload(target);
    std::vector<Fetcher::Ended> now = std::move(ready);
    ready.clear();
    for (const Fetcher::Ended &ended : now) {
        auto it = std::find_if(requests.begin(), requests.end(), [&](const Request &r) { return r.transfer == ended.id; });
        if (it == requests.end())
            continue;
        const Request request = *it;
        requests.erase(it);
        switch (request.kind) {
        case Kind::Movie:
            deliverMovie(request, ended);
            break;
        case Kind::Variables:
            deliverVariables(request, ended);
            break;
        case Kind::Text:
            deliverText(request, ended);
            break;
        case Kind::Send:
            break;
        }
        if (request.object)
            request.object->unpin();
    }
    Stage *stage = scripts.currentStage();
    if (!stage)
        return;
    stage->runQueuedActions();
    // onLoadInit follows the new clips' first frames, in the order clips run
    // their frames.
    std::vector<std::pair<std::weak_ptr<DisplayObject>, Object *>> inits = std::move(initPending);
    initPending.clear();
    for (const std::shared_ptr<MovieClip> &clip : stage->clipsInOrder()) {
        for (auto &[loaded, loader] : inits) {
            if (loader && loaded.lock() == clip) {
                tell(loader, "onLoadInit", {Value(scriptObject(clip.get()))});
                loader->unpin();
                loader = nullptr;
            }
        }
    }
    for (const auto &[loaded, loader] : inits)
        if (loader)
            loader->unpin();
}

void ScriptLoads::deliverMovie(const Request &request, const Fetcher::Ended &ended)
{
    Vm &vm = scripts.machine();
    std::shared_ptr<Movie> movie;
    if (!ended.failure.failed() && isMovie(ended.bytes)) {
        movie = std::make_shared<Movie>();
        movie->setAddress(request.address);
        movie->append(ended.bytes);
        movie->finish();
        if (movie->failed() || !movie->headerRead())
            movie.reset();
    }
    if (ended.failure.failed() || (!movie && request.target.level >= 0)) {
        Object *target = scriptObject(targetClip(request.target));
        if (request.object)
            tell(request.object, "onLoadError",
                 {target ? Value(target) : Value(), vm.name(QStringLiteral("URLNotFound")), Value(0.0)});
        return;
    }
    // What is no movie leaves an empty clip.
    MovieClip *clip = place(request.target, movie);
    if (clip && !request.query.isEmpty()) {
        Context cx(vm, clip->movie().version(), scriptObject(clip));
        decodeFormData(cx, scriptObject(clip), request.query);
    }
    if (!clip || !request.object)
        return;
    const double bytes = movie ? double(ended.bytes.size()) : 0.0;
    Value self(scriptObject(clip));
    tell(request.object, "onLoadStart", {self});
    tell(request.object, "onLoadProgress", {self, Value(bytes), Value(bytes)});
    tell(request.object, "onLoadComplete", {self, Value(0.0)});
    if (clip->removed())
        return;
    request.object->pin();
    initPending.emplace_back(clip->shared_from_this(), request.object);
}

void ScriptLoads::deliverVariables(const Request &request, const Fetcher::Ended &ended)
{
    MovieClip *clip = targetClip(request.target);
    Object *self = scriptObject(clip);
    if (!self || ended.failure.failed())
        return;
    Vm &vm = scripts.machine();
    Context cx(vm, clip->movie().version(), self);
    decodeFormData(cx, self, decodeText(ended.bytes));
    clip->stage().queueEvent(*clip, ClipEvent::Data);
}

void ScriptLoads::deliverText(const Request &request, const Fetcher::Ended &ended)
{
    Vm &vm = scripts.machine();
    Context cx(vm, vm.version(), nullptr);
    const double bytes = ended.failure.failed() ? 0.0 : double(ended.bytes.size());
    request.object->set(cx, vm.name(QStringLiteral("_bytesLoaded")), bytes);
    request.object->set(cx, vm.name(QStringLiteral("_bytesTotal")), bytes);
    const Value text = ended.failure.failed() ? Value() : Value(vm.string(decodeText(ended.bytes)));
    vm.callMethodFromHost(request.object, vm.name(QStringLiteral("onData")), {&text, 1});
}

}
