#include "SharedObjects.h"
#include "Amf0Reader.h"
#include "Amf0Writer.h"
#include "MovieScripts.h"
#include "SharedObjectFile.h"
#include "SharedObjectPath.h"
#include "swf/SwfMovie.h"
#include "swf/SwfMovieClip.h"
#include "swf/SwfStage.h"
#include "swf/avm1/Function.h"
#include "swf/avm1/Vm.h"

namespace swf::avm1 {

namespace {

String *dataName(Vm &vm)
{
    return vm.name(QStringLiteral("data"));
}

// The object's data object as stored, without running a getter.
Object *dataOf(Vm &vm, Object *object)
{
    Property *data = object->findOwn(dataName(vm), true);
    return data && !data->isVirtual ? data->value.asObject() : nullptr;
}

// Calls the object's onStatus handler, when it has one, with {code, level}.
void tellStatus(Context &cx, Object *object, const char *code)
{
    Vm &vm = cx.vm;
    Value handler = object->get(cx, vm.name(QStringLiteral("onStatus")));
    if (!handler.asObject() || !handler.asObject()->asFunction())
        return;
    Object *info = vm.newObject();
    info->put(vm.name(QStringLiteral("code")), Value(vm.string(QString::fromLatin1(code))));
    info->put(vm.name(QStringLiteral("level")), Value(vm.string(QStringLiteral("error"))));
    Value arg(info);
    vm.call(cx, handler, Value(object), {&arg, 1});
}

}

SharedObjects &SharedObjects::of(Vm &vm)
{
    return static_cast<MovieScripts &>(vm.host).sharedObjects();
}

SharedObjects::~SharedObjects()
{
    Vm &vm = scripts.machine();
    Context cx(vm, vm.version(), nullptr);
    for (const Open &o : open) {
        const QByteArray bytes = encode(cx, o);
        if (bytes == o.stored)
            continue;
        if (bytes.isEmpty())
            store.remove(o.path);
        else if (!store.write(o.path, bytes))
            scripts.warn(QStringLiteral("The shared object \"%1\" could not be kept").arg(o.name));
    }
}

SharedObjects::Open *SharedObjects::find(Object *object)
{
    for (Open &o : open)
        if (o.object.get() == object)
            return &o;
    return nullptr;
}

Object *SharedObjects::getLocal(Context &cx, const QString &name, const std::optional<QString> &localPath,
                                Object *prototype)
{
    Stage *stage = scripts.currentStage();
    const MovieClip *first = stage ? stage->level(0) : nullptr;
    const QString path = first ? sharedObjectPath(first->movie().address(), name, localPath) : QString();
    if (path.isEmpty())
        return nullptr;
    for (Open &o : open)
        if (o.path == path)
            return o.object.get();
    if (open.size() >= kMaxOpen)
        return nullptr;
    Vm &vm = cx.vm;
    Object *object = vm.newObject();
    if (prototype)
        object->setProto(Value(prototype));
    Object *data = vm.newObject();
    object->put(dataName(vm), Value(data));
    open.push_back(Open{path, name, Pinned<Object>(object), QByteArray()});
    readStored(cx, open.back(), data);
    return object;
}

void SharedObjects::readStored(Context &cx, Open &o, Object *data)
{
    std::optional<QByteArray> file = store.read(o.path);
    if (!file)
        return;
    std::optional<SharedObjectContents> contents = readSharedObjectFile(*file);
    Amf0Reader reader(cx, contents ? contents->pairs : QByteArray());
    std::vector<std::pair<QString, Value>> pairs;
    while (contents && !reader.atEnd() && !reader.failed()) {
        std::optional<QString> key = reader.name();
        std::optional<Value> value = key ? reader.value() : std::nullopt;
        std::optional<uint8_t> end = value ? reader.u8() : std::nullopt;
        if (end && *end == 0)
            pairs.emplace_back(*key, *value);
        else
            break;
    }
    if (!contents || !reader.atEnd()) {
        scripts.warn(QStringLiteral("The stored shared object \"%1\" is damaged and was left out").arg(o.name));
        return;
    }
    for (const auto &[key, value] : pairs)
        data->put(cx.vm.name(key), value);
    o.stored = *file;
}

QByteArray SharedObjects::encode(Context &cx, const Open &o)
{
    Object *data = dataOf(cx.vm, o.object.get());
    if (!data)
        return QByteArray();
    Amf0Writer writer(cx);
    bool any = false;
    for (const Property &p : data->ownProperties().all()) {
        if ((p.flags & PropertyFlag::DontEnum) || !writer.name(p.name->text()))
            continue;
        writer.value(p.isVirtual ? Value() : p.value);
        writer.u8(0);
        any = true;
    }
    return any ? sharedObjectFile(o.name, writer.bytes()) : QByteArray();
}

bool SharedObjects::flush(Context &cx, Object *object, qint64 minBytes)
{
    Open *o = find(object);
    if (!o)
        return false;
    const QByteArray bytes = encode(cx, *o);
    if (bytes.isEmpty()) {
        store.remove(o->path);
        o->stored.clear();
        return true;
    }
    if (!store.fits(o->path, std::max<qint64>(bytes.size(), minBytes)) || !store.write(o->path, bytes)) {
        tellStatus(cx, object, "SharedObject.Flush.Failed");
        return false;
    }
    o->stored = bytes;
    return true;
}

qint64 SharedObjects::size(Context &cx, Object *object)
{
    Open *o = find(object);
    return o ? encode(cx, *o).size() : 0;
}

void SharedObjects::clear(Context &cx, Object *object)
{
    Open *o = find(object);
    if (!o)
        return;
    if (Object *data = dataOf(cx.vm, object))
        data->ownProperties().clear();
    store.remove(o->path);
    o->stored.clear();
}

}
