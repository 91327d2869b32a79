#include "MovieScripts.h"

#include "ClipOperations.h"
#include "DisplayClasses.h"
#include "DisplayData.h"
#include "ScriptLoads.h"
#include "SharedObjects.h"
#include "SoundObjects.h"
#include "TextFieldData.h"
#include "TextVariables.h"
#include "bitmap/BitmapData.h"
#include "effects/ClipEffects.h"
#include "filters/FilterClasses.h"
#include "geom/GeomClasses.h"
#include "swf/SwfEditTextObject.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfStage.h"
#include "swf/SwfTimelineSound.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Frame.h"
#include "swf/avm1/Function.h"
#include "swf/avm1/Variables.h"
#include "swf/avm1/builtins/Builtins.h"

#include <QLoggingCategory>

namespace swf::avm1 {

namespace {
Q_LOGGING_CATEGORY(movieScripts, "wordlark.movie.scripts")
}

MovieScripts::MovieScripts(std::function<void(const QString &)> traced, int playerMajor)
    : traced(std::move(traced)), vm(*this, playerMajor)
{
    clipPrototype = installMovieClip(vm);
    buttonPrototype = installButton(vm);
    textFieldPrototype = installTextField(vm);
    installInputObjects(vm);
    installSelection(vm);
    installTextSnapshot(vm, clipPrototype);
    installColor(vm);
    installLoading(vm, clipPrototype);
    installGeom(vm, clipPrototype);
    installBitmapData(vm, clipPrototype);
    installFilterClasses(vm);
    installClipEffects(vm, clipPrototype);
    installSharedObject(vm);
    installDrawingMethods(vm, clipPrototype);
    sounds = std::make_unique<SoundObjects>(*this);
    loading = std::make_unique<ScriptLoads>(*this);
    shared = std::make_unique<SharedObjects>(*this);
    for (Object *proto : {clipPrototype, buttonPrototype, textFieldPrototype})
        proto->pin();
}

MovieScripts::~MovieScripts() = default;

void MovieScripts::runTimers(qint64 ms)
{
    vm.runTimers(ms);
}

void MovieScripts::runActions(MovieClip &target, const QByteArray &bytecode)
{
    if (Object *clip = scriptObject(&target))
        vm.runBlock(bytecode, target.movie().version(), clip);
}

void MovieScripts::runInitActions(MovieClip &target, const QByteArray &bytecode)
{
    runActions(target, bytecode);
}

Value MovieScripts::toValue(const ScriptArg &arg)
{
    if (auto *number = std::get_if<double>(&arg))
        return *number;
    if (auto *text = std::get_if<QString>(&arg))
        return vm.string(*text);
    if (auto *object = std::get_if<DisplayObject *>(&arg))
        return *object ? Value(scriptObject(*object)) : Value::null();
    return Value();
}

void MovieScripts::callHandler(DisplayObject &object, const QString &name, const std::vector<ScriptArg> &args)
{
    Object *self = scriptObject(&object);
    if (!self)
        return;
    std::vector<Value> values;
    for (const ScriptArg &arg : args)
        values.push_back(toValue(arg));
    vm.callMethodFromHost(self, vm.name(name), values);
}

bool MovieScripts::hasHandler(DisplayObject &object, const QString &name)
{
    Object *self = scriptObject(&object);
    if (!self || vm.disabled())
        return false;
    Context cx(vm, object.movie().version(), self);
    Value method;
    return self->lookup(cx, vm.name(name), method) && method.asObject() && method.object()->asFunction();
}

void MovieScripts::broadcast(const QString &source, const QString &name, const std::vector<ScriptArg> &args)
{
    Context cx(vm, vm.version(), nullptr);
    Value broadcaster;
    if (!vm.global()->lookup(cx, vm.name(source), broadcaster) || !broadcaster.asObject())
        return;
    std::vector<Value> values{vm.name(name)};
    for (const ScriptArg &arg : args)
        values.push_back(toValue(arg));
    vm.callMethodFromHost(broadcaster.object(), vm.name(QStringLiteral("broadcastMessage")), values);
}

void MovieScripts::objectCreated(DisplayObject &object)
{
    stage = &object.stage();
    Object *proto = nullptr;
    switch (object.kind()) {
    case DisplayObject::Kind::MovieClip:
        proto = clipPrototype;
        break;
    case DisplayObject::Kind::Button:
        proto = buttonPrototype;
        break;
    case DisplayObject::Kind::EditText:
        proto = textFieldPrototype;
        break;
    default:
        return;
    }
    if (object.kind() == DisplayObject::Kind::MovieClip && static_cast<MovieClip &>(object).level() == 0)
        vm.setVersion(object.movie().version());
    Object *self = vm.heap.make<Object>(proto);
    if (object.kind() == DisplayObject::Kind::EditText)
        self->setNative(std::make_unique<TextFieldData>(object.shared_from_this()));
    else
        self->setNative(std::make_unique<DisplayData>(object.shared_from_this()));
    object.setScriptData(std::make_unique<ScriptLink>(self));
    if (object.kind() == DisplayObject::Kind::EditText) {
        // A text field broadcasts its events (onChanged, onScroller) to its
        // listeners, the first of which is itself.
        initializeBroadcaster(vm, self);
        Context cx(vm, object.movie().version(), self);
        Value field(self);
        vm.callMethod(cx, field, vm.name(QStringLiteral("addListener")), Args(&field, 1));
        bindTextVariable(vm, static_cast<EditTextObject &>(object));
    }
    // The first level's timeline holds the player version as a plain variable.
    if (object.kind() == DisplayObject::Kind::MovieClip && static_cast<MovieClip &>(object).level() == 0)
        self->put(vm.name(QStringLiteral("$version")), vm.name(vm.playerVersion()));
}

void MovieScripts::constructObject(MovieClip &clip, const std::vector<QByteArray> &constructHandlers)
{
    Object *self = scriptObject(&clip);
    if (!self)
        return;
    Object *constructor = nullptr;
    const QHash<QString, uint16_t> &exports = clip.movie().info().exports;
    for (auto it = exports.constBegin(); it != exports.constEnd() && !constructor && clip.character(); ++it)
        if (it.value() == clip.characterId())
            constructor = vm.registeredClass(it.key());
    Context cx(vm, clip.movie().version(), self);
    if (constructor)
        self->setProto(constructor->get(cx, vm.names.prototype));
    for (const QByteArray &code : constructHandlers)
        runActions(clip, code);
    if (constructor && !clip.removed())
        vm.callFromHost(constructor, self, {});
}

void MovieScripts::frameScriptsDone()
{
    if (stage)
        showTextVariables(vm, *stage);
}

void MovieScripts::textChanged(DisplayObject &field)
{
    if (field.kind() != DisplayObject::Kind::EditText)
        return;
    storeTextVariable(vm, static_cast<EditTextObject &>(field));
    if (Object *self = scriptObject(&field)) {
        const Value message[] = {vm.name(QStringLiteral("onChanged")), Value(self)};
        vm.callMethodFromHost(self, vm.name(QStringLiteral("broadcastMessage")), message);
    }
}

std::optional<double> MovieScripts::numberProperty(DisplayObject &object, const QString &name)
{
    Object *self = scriptObject(&object);
    if (!self || vm.disabled())
        return std::nullopt;
    Context cx(vm, object.movie().version(), self);
    Value value;
    if (!self->lookup(cx, vm.name(name), value) || value.isUndefined())
        return std::nullopt;
    return toNumber(cx, value);
}

void MovieScripts::objectRemoved(DisplayObject &object)
{
    vm.objectRemoved();
    if (Object *self = scriptObject(&object))
        self->nativeAs<DisplayData>()->setPathAtRemoval(object.targetPath());
}

void MovieScripts::trace(const QString &line)
{
    if (traced)
        traced(line);
}

void MovieScripts::warn(const QString &message)
{
    qCWarning(movieScripts).noquote() << message;
}

bool MovieScripts::isClip(const Object *object) const
{
    return object && object->nativeAs<DisplayData>();
}

DisplayObject *MovieScripts::objectAt(const QString &path)
{
    if (!stage)
        return nullptr;
    const QStringList parts = path.split(QLatin1Char('.'));
    bool ok = false;
    int n = parts.first().startsWith(QLatin1String("_level")) ? parts.first().mid(6).toInt(&ok) : -1;
    DisplayObject *at = ok ? stage->level(n) : nullptr;
    Context cx(vm, vm.version(), nullptr);
    for (qsizetype i = 1; at && i < parts.size(); ++i)
        at = childNamed(cx, *at, parts[i]);
    return at;
}

Object *MovieScripts::follow(Object *clip)
{
    auto *data = clip ? clip->nativeAs<DisplayData>() : nullptr;
    if (!data || data->object())
        return clip;
    return data->pathAtRemoval().isEmpty() ? nullptr : scriptObject(objectAt(data->pathAtRemoval()));
}

bool MovieScripts::takenOut(Object *clip)
{
    auto *data = clip ? clip->nativeAs<DisplayData>() : nullptr;
    return data && data->takenOut();
}

Object *MovieScripts::level(int n)
{
    return stage ? scriptObject(stage->level(n)) : nullptr;
}

Object *MovieScripts::root(Object *clip)
{
    if (DisplayObject *object = displayOf(clip))
        return scriptObject(object->levelRoot());
    return level(0);
}

Object *MovieScripts::parent(Object *clip)
{
    DisplayObject *object = displayOf(clip);
    return object ? scriptObject(object->parent()) : nullptr;
}

Object *MovieScripts::child(Context &cx, Object *clip, String *name)
{
    DisplayObject *object = displayOf(clip);
    return object ? scriptObject(childNamed(cx, *object, name->text())) : nullptr;
}

QString MovieScripts::targetPath(Object *clip, bool slashes)
{
    if (DisplayObject *object = displayOf(clip))
        return slashes ? object->slashPath() : object->targetPath();
    auto *data = clip ? clip->nativeAs<DisplayData>() : nullptr;
    return data ? data->pathAtRemoval() : QString();
}

namespace {
MovieClip *clipOf(Object *o)
{
    DisplayObject *object = displayOf(o);
    return object && object->kind() == DisplayObject::Kind::MovieClip ? static_cast<MovieClip *>(object) : nullptr;
}
}

void MovieScripts::control(Object *clip, Control what)
{
    if (what == Control::EndDrag) {
        if (stage)
            stage->mouse().stopDrag();
        return;
    }
    MovieClip *target = clipOf(clip);
    if (!target)
        return;
    switch (what) {
    case Control::Play:
        target->play();
        break;
    case Control::Stop:
        target->stop();
        break;
    case Control::NextFrame:
        target->gotoFrame(target->currentFrame() + 1, false);
        break;
    case Control::PrevFrame:
        target->gotoFrame(std::max(0, target->currentFrame() - 1), false);
        break;
    case Control::StopSounds:
        if (TimelineSound *sound = target->stage().sound())
            sound->stopAll();
        break;
    case Control::ToggleQuality:
    case Control::EndDrag:
        break;
    }
}

void MovieScripts::gotoFrame(Object *clip, int frame, bool play)
{
    if (MovieClip *target = clipOf(clip))
        target->gotoFrame(frame, play);
}

int MovieScripts::frameOfLabel(Object *clip, const QString &label)
{
    MovieClip *target = clipOf(clip);
    return target ? target->frameOfLabel(label) : -1;
}

int MovieScripts::framesLoaded(Object *clip)
{
    // Once a timeline is complete, every frame up to the player's limit of
    // 16000 counts as loaded, also those past its end.
    constexpr int kFrameLimit = 16000;
    MovieClip *target = clipOf(clip);
    if (!target)
        return 0;
    bool complete = &target->timeline() != &target->movie().timeline() || target->movie().finished();
    return complete ? std::max(target->framesLoaded(), kFrameLimit + 1) : target->framesLoaded();
}

void MovieScripts::callFrame(Object *clip, int frame)
{
    MovieClip *target = clipOf(clip);
    if (!target || frame < 0 || frame >= target->framesLoaded())
        return;
    for (const FrameCommand &command : target->timeline().frames[size_t(frame)].commands)
        if (auto *actions = std::get_if<ActionCommand>(&command))
            vm.runBlock(actions->bytecode, target->movie().version(), clip);
}

void MovieScripts::getUrl(Context &cx, const QString &url, const QString &target, int method, bool loadTarget,
                          bool loadVariables)
{
    // "asfunction:name,argument" calls the function `name` of the timeline
    // with the rest as one string (links in text fields use it).
    if (url.startsWith(QLatin1String("asfunction:"), Qt::CaseInsensitive)) {
        QString call = url.mid(11);
        qsizetype comma = call.indexOf(QLatin1Char(','));
        String *name = vm.name(comma < 0 ? call : call.left(comma));
        Frame frame = timelineFrame(vm, cx.version, cx.target);
        Value argument = comma < 0 ? Value() : Value(vm.string(call.mid(comma + 1)));
        Object *holder = variableHolder(frame, name);
        vm.call(cx, getVariable(frame, name), holder ? Value(holder) : Value(), {&argument, comma < 0 ? 0u : 1u});
        return;
    }
    // "_levelN" names a level; with either flag the target is a clip's path.
    LoadTarget where;
    bool isLevel = false;
    if (target.startsWith(QLatin1String("_level"), Qt::CaseInsensitive))
        where.level = target.mid(6).toInt(&isLevel);
    if (!isLevel) {
        where.level = -1;
        Frame frame = timelineFrame(vm, cx.version, cx.target);
        DisplayObject *object = loadTarget || loadVariables ? displayOf(resolvePath(frame, target)) : nullptr;
        if (!object || object->kind() != DisplayObject::Kind::MovieClip) {
            warn(QStringLiteral("getURL(\"%1\", \"%2\") opens no page in this player").arg(url, target));
            return;
        }
        where.clip = object->shared_from_this();
    }
    LoadSend send;
    if (method == 1 || method == 2) {
        send.method = method == 1 ? LoadSend::Get : LoadSend::Post;
        if (Object *timeline = follow(cx.target))
            send.data = encodeFormData(cx, timeline).toUtf8();
    }
    if (loadVariables)
        loading->loadVariables(url, where, send);
    else if (url.isEmpty())
        loading->unloadMovie(where);
    else
        loading->loadMovie(url, where, send);
}

void MovieScripts::cloneSprite(Context &, Object *clip, const QString &name, int depth)
{
    if (MovieClip *source = clipOf(clip))
        duplicateClip(*source, name, depth - kScriptDepthBase);
    else if (DisplayObject *object = displayOf(clip); object && object->kind() == DisplayObject::Kind::EditText)
        duplicateTextField(static_cast<EditTextObject &>(*object), name, depth - kScriptDepthBase);
}

void MovieScripts::removeSprite(Context &, Object *clip)
{
    if (DisplayObject *object = displayOf(clip))
        removeClip(*object);
}

void MovieScripts::startDrag(Context &, Object *clip, bool lockCenter, const double *bounds)
{
    DisplayObject *object = displayOf(clip);
    if (!object || !stage)
        return;
    std::optional<QRectF> area;
    if (bounds)
        area = QRectF(QPointF(bounds[0], bounds[1]) * 20, QPointF(bounds[2], bounds[3]) * 20).normalized();
    stage->mouse().startDrag(*object, lockCenter, area);
}

}
