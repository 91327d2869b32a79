#include "SoundLoad.h"

#include "SoundData.h"
#include "SoundObjects.h"
#include "swf/SwfDisplayObject.h"
#include "swf/SwfMovieClip.h"
#include "swf/avm1/Vm.h"


namespace swf::avm1 {

namespace {

// A file larger than this is refused: a script cannot make the program
// hold more of one sound.
constexpr qint64 kMostBytes = 64ll << 20;

// The names scripts know the common tags by, besides their frame ids.
QString aliasOf(const QString &id)
{
    static const QHash<QString, QString> aliases = {
        {QStringLiteral("TCON"), QStringLiteral("genre")},   {QStringLiteral("TYER"), QStringLiteral("year")},
        {QStringLiteral("TIT2"), QStringLiteral("songname")}, {QStringLiteral("TRCK"), QStringLiteral("track")},
        {QStringLiteral("COMM"), QStringLiteral("comment")}, {QStringLiteral("TALB"), QStringLiteral("album")},
        {QStringLiteral("TPE1"), QStringLiteral("artist")},
    };
    return aliases.value(id);
}

}

SoundLoad::SoundLoad(Vm &vm, Object *sound, bool streaming, std::weak_ptr<DisplayObject> owner)
    : vm(vm), sound(sound), streaming(streaming), owner(std::move(owner))
{
    connect(&loader, &Loader::received, this, &SoundLoad::arrived);
    connect(&loader, &Loader::progress, this, [this](qint64 done, qint64 all) {
        received = done;
        total = all < 0 ? done : all;
    });
    connect(&loader, &Loader::finished, this, &SoundLoad::ended);
}

void SoundLoad::start(const QString &address)
{
    SoundObjects::of(vm).loading(sound, true);
    busy = true;
    if (address.isEmpty()) {
        ended(LoadFailure{QStringLiteral("影片不能从这个地址读取。"), {}});
        return;
    }
    loader.load(address);
}

void SoundLoad::cancel()
{
    loader.cancel();
    if (TimelineSound *player = SoundObjects::of(vm).sound(); player && voice)
        player->stopSounds(nullptr, this);
    if (busy) {
        busy = false;
        SoundObjects::of(vm).loading(sound, false);
    }
}

void SoundLoad::arrived(const QByteArray &bytes)
{
    if (received + bytes.size() > kMostBytes) {
        loader.cancel();
        ended(LoadFailure{QStringLiteral("声音文件太大。"), {}});
        return;
    }
    received += bytes.size();
    total = std::max(total, received);
    file.append(bytes);
    if (!tagsTold && file.headerRead())
        tellTags();
    if (streaming)
        play(false);
}

void SoundLoad::play(bool last)
{
    TimelineSound *player = SoundObjects::of(vm).sound();
    if (!player)
        return;
    // It starts once _soundbuftime seconds have come, or all there is.
    bool enough = last || int64_t(file.durationMs()) >= int64_t(player->bufferSeconds()) * 1000;
    if (!voice && file.hasAudio() && enough) {
        std::shared_ptr<DisplayObject> clip = owner.lock();
        const MovieClip *heardAs = clip && clip->kind() == DisplayObject::Kind::MovieClip
            ? static_cast<const MovieClip *>(clip.get())
            : nullptr;
        voice = player->startArriving(file.format(), heardAs, this);
        if (!voice)
            return;
        if (SoundData *data = sound->nativeAs<SoundData>())
            data->started(voice, 0);
        SoundObjects::of(vm).playing(sound, voice);
    }
    if (voice)
        player->arrived(voice, file.takeNewAudio(), last);
}

void SoundLoad::tellTags()
{
    tagsTold = true;
    if (file.fields().empty())
        return;
    Context cx(vm, vm.version(), nullptr);
    // A proto-less object: scripts see it convert to undefined.
    Object *id3 = vm.heap.make<Object>(nullptr);
    std::vector<Value> comments;
    for (const Id3Field &field : file.fields()) {
        String *text = vm.string(field.text);
        if (QString alias = aliasOf(field.id); !alias.isEmpty())
            id3->put(vm.name(alias), text);
        if (field.id == QLatin1String("COMM")) {
            comments.push_back(text);
            id3->put(vm.name(field.id), comments.size() == 1 ? Value(text) : Value(vm.newArray(comments)));
        } else {
            id3->put(vm.name(field.id), text);
        }
    }
    // A value the script set itself stays; the one set here cannot be changed.
    String *name = vm.name(QStringLiteral("id3"));
    if (!sound->findOwn(name, cx.caseSensitive()))
        sound->put(name, id3, PropertyFlag::ReadOnly);
    Value yes(true);
    call("onID3", &yes);
}

void SoundLoad::ended(const LoadFailure &failure)
{
    file.finish();
    bool ok = !failure.failed() && file.hasAudio();
    if (streaming)
        play(true);
    if (!tagsTold)
        tellTags();
    if (SoundData *data = ok ? sound->nativeAs<SoundData>() : nullptr) {
        auto loaded = std::make_shared<EventSound>();
        loaded->format = file.format();
        loaded->data = file.audio();
        data->attach(std::move(loaded), file.durationMs());
        if (voice)
            data->started(voice, 0); // the copy playing as it loaded goes on
    }
    Value success(ok);
    call("onLoad", &success);
    if (busy) {
        busy = false;
        SoundObjects::of(vm).loading(sound, false);
    }
}

void SoundLoad::call(const char *handler, const Value *arg)
{
    vm.callMethodFromHost(sound, vm.name(QLatin1String(handler)), Args(arg, 1));
}

}
