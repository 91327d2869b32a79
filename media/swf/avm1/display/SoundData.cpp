#include "SoundData.h"

#include "SoundLoad.h"
#include "SoundObjects.h"
#include "swf/SwfSound.h"
#include "swf/SwfSoundVoice.h"
#include "swf/avm1/Convert.h"
#include "swf/avm1/Vm.h"

#include <algorithm>
#include <cstdint>

namespace swf::avm1 {

SoundData::SoundData(std::optional<QString> target) : clipPath(std::move(target)) {}

void SoundData::attach(std::shared_ptr<const EventSound> sound, int durationMs)
{
    attached = std::move(sound);
    length = std::max(0, durationMs);
    voice = 0;
    offset = 0;
    stoppedAt = 0;
}

void SoundData::started(TimelineSound::VoiceId id, int offsetMs)
{
    voice = id;
    offset = std::clamp(offsetMs, 0, length);
}

void SoundData::ended(TimelineSound::VoiceId id, bool completed, int64_t framesHeard)
{
    if (id != voice)
        return;
    stoppedAt = completed ? length : position(framesHeard);
    voice = 0;
}

int SoundData::position(int64_t framesHeard) const
{
    // The first loop starts at the offset; later loops play the whole sound.
    int64_t heard = framesHeard * 1000 / kMixRate;
    if (length <= 0) // still arriving: its length is not known yet
        return int(std::min<int64_t>(heard, INT32_MAX));
    int64_t first = length - offset;
    if (heard < first)
        return int(offset + heard);
    return int((heard - first) % length);
}

int SoundData::positionMs(const TimelineSound *player) const
{
    return voice && player ? position(player->framesHeard(voice)) : stoppedAt;
}

bool SoundData::get(Context &cx, Object &, String *name, Value &out)
{
    if (!attached || cx.version < 6)
        return false;
    bool cs = cx.caseSensitive();
    if (sameName(name, cx.vm.name(QStringLiteral("duration")), cs))
        out = double(length);
    else if (sameName(name, cx.vm.name(QStringLiteral("position")), cs))
        out = double(positionMs(SoundObjects::of(cx.vm).sound()));
    else
        return false;
    return true;
}

void SoundData::setLoad(SoundLoad *load)
{
    if (loading)
        loading->cancel();
    loading.reset(load);
}

void SoundData::LaterDeleter::operator()(SoundLoad *load) const
{
    load->drop();
    load->deleteLater();
}

SoundData *soundDataOf(const Value &v)
{
    Object *o = v.asObject();
    return o ? o->nativeAs<SoundData>() : nullptr;
}

}
