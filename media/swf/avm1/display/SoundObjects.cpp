#include "SoundObjects.h"

#include "MovieScripts.h"
#include "SoundClass.h"
#include "SoundData.h"
#include "swf/SwfStage.h"

namespace swf::avm1 {

SoundObjects::SoundObjects(MovieScripts &scripts) : scripts(scripts), self(std::make_shared<SoundObjects *>(this))
{
    installSound(scripts.machine());
}

SoundObjects::~SoundObjects()
{
    for (auto &[voice, object] : voices)
        object->unpin();
    for (auto &[object, count] : loads)
        object->unpin();
}

SoundObjects &SoundObjects::of(Vm &vm)
{
    // The Sound class is installed only by the registry of a MovieScripts.
    return static_cast<MovieScripts &>(vm.host).soundObjects();
}

TimelineSound *SoundObjects::sound() const
{
    Stage *stage = scripts.currentStage();
    return stage ? stage->sound() : nullptr;
}

void SoundObjects::playing(Object *object, TimelineSound::VoiceId voice)
{
    TimelineSound *player = sound();
    if (!player || !voice)
        return;
    std::weak_ptr<SoundObjects *> registry = self;
    player->setEventEnded([registry](TimelineSound::VoiceId id, bool completed, int64_t heard) {
        if (auto alive = registry.lock())
            (*alive)->ended(id, completed, heard);
    });
    object->pin();
    voices[voice] = object;
}

void SoundObjects::loading(Object *object, bool busy)
{
    if (busy) {
        object->pin();
        ++loads[object];
        return;
    }
    auto it = loads.find(object);
    if (it == loads.end())
        return;
    object->unpin();
    if (--it->second == 0)
        loads.erase(it);
}

void SoundObjects::ended(TimelineSound::VoiceId voice, bool completed, int64_t framesHeard)
{
    auto it = voices.find(voice);
    if (it == voices.end())
        return;
    Object *object = it->second;
    voices.erase(it);
    if (SoundData *data = object->nativeAs<SoundData>())
        data->ended(voice, completed, framesHeard);
    if (completed)
        scripts.machine().callMethodFromHost(object, scripts.machine().name(QStringLiteral("onSoundComplete")), {});
    object->unpin();
}

}
