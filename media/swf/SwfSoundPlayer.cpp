#include "SwfSoundPlayer.h"

#include "SwfMovieClip.h"
#include "SwfEventVoice.h"
#include "SwfMovie.h"
#include "SwfStreamVoice.h"

#include <algorithm>
#include <cmath>

namespace swf {

namespace {

// The device is let go of after this long without sound.
constexpr int kReleaseAfterMs = 3000;
// Stream blocks are handed on this far ahead of what was heard.
constexpr int kAheadSeconds = 2;
// At most this many event sounds play at once; a new one makes the oldest
// give way, so a movie that starts sounds without end cannot pile them up.
constexpr size_t kMostEvents = 32;

}

SoundPlayer::SoundPlayer() : deviceOutput(soundMixer) {}

SoundPlayer::~SoundPlayer()
{
    deviceOutput.stop();
}

void SoundPlayer::setMovie(const Movie *newMovie)
{
    stopAll();
    movie = newMovie;
    root = nullptr;
    clipTransforms.clear();
    movieTransform = {};
    bufferTime = kSoundBufferSeconds;
}

void SoundPlayer::setRoot(const MovieClip *timeline)
{
    root = timeline;
}

void SoundPlayer::stopAll()
{
    stopEvents([](const Event &) { return true; });
    soundMixer.stopAll();
    streams.clear();
}

void SoundPlayer::setVolume(int percent)
{
    level = std::clamp(percent, 0, 100);
    soundMixer.setVolume(level);
}

void SoundPlayer::setManualOutput(bool on)
{
    manual = on;
    if (manual)
        deviceOutput.stop();
}

void SoundPlayer::setTicked(bool on)
{
    ticked = on;
    setManualOutput(on);
}

void SoundPlayer::passTime(double seconds)
{
    if (!ticked)
        return;
    owedFrames += seconds * kMixRate;
    int frames = int(owedFrames);
    owedFrames -= frames;
    scratch.resize(size_t(std::max(frames, 0)) * 2);
    if (frames > 0)
        soundMixer.mix(scratch.data(), frames);
}

void SoundPlayer::ensureOutput()
{
    silentFor.invalidate();
    if (!manual)
        deviceOutput.start();
}

SoundMixer::VoiceId SoundPlayer::startSound(uint16_t soundId, const SoundInfo &info, const MovieClip *owner)
{
    const auto *sound = movie ? movie->characterAs<SoundCharacter>(soundId) : nullptr;
    return sound ? startSound(sound->sound, info, owner, 0) : 0;
}

SoundMixer::VoiceId SoundPlayer::startSound(const EventSound &sound, const SoundInfo &info, const MovieClip *owner,
                                            int offsetMs)
{
    auto playing = [&](const Event &e) { return e.sound == &sound; };
    if (info.stop) {
        stopEvents(playing);
        return 0;
    }
    if (info.noMultiple && std::any_of(events.begin(), events.end(), playing))
        return 0;
    return startEvent(std::make_unique<EventVoice>(sound, info, offsetMs), &sound, owner);
}

SoundMixer::VoiceId SoundPlayer::startEvent(std::unique_ptr<SoundVoice> voice, const void *sound,
                                            const MovieClip *owner, bool arriving)
{
    if (events.size() >= kMostEvents) {
        SoundMixer::VoiceId oldest = events.front().voice;
        stopEvents([&](const Event &e) { return e.voice == oldest; });
    }
    voice->setTransform(heardThrough(owner));
    SoundMixer::VoiceId id = soundMixer.start(std::move(voice));
    events.push_back({id, sound, owner, arriving});
    ensureOutput();
    return id;
}

SoundMixer::VoiceId SoundPlayer::startArriving(const SoundFormat &format, const MovieClip *owner, const void *sound)
{
    StreamHead head;
    head.format = format;
    return startEvent(std::make_unique<StreamVoice>(head), sound, owner, true);
}

void SoundPlayer::arrived(VoiceId voice, const QByteArray &data, bool last)
{
    if (std::none_of(events.begin(), events.end(), [&](const Event &e) { return e.voice == voice && e.arriving; }))
        return;
    std::vector<StreamBlock> blocks;
    if (!data.isEmpty())
        blocks.push_back({data, 0, 0});
    soundMixer.update(voice, [blocks = std::move(blocks), last](SoundVoice &v) mutable {
        static_cast<StreamVoice &>(v).append(std::move(blocks), last);
    });
}

template <class Pick> void SoundPlayer::stopEvents(Pick which)
{
    std::vector<std::pair<SoundMixer::VoiceId, int64_t>> stopped;
    for (const Event &e : events) {
        if (which(e)) {
            stopped.emplace_back(e.voice, soundMixer.progress(e.voice).framesPlayed);
            soundMixer.stop(e.voice);
        }
    }
    std::erase_if(events, which);
    // The listener may start or stop sounds: it hears once the list is settled.
    if (EventEnded heard = eventEnded)
        for (auto [voice, frames] : stopped)
            heard(voice, false, frames);
}

namespace {

// Whether `clip` is `outer` or lies inside it.
bool inside(const DisplayObject *clip, const DisplayObject *outer)
{
    for (; clip; clip = clip->parent())
        if (clip == outer)
            return true;
    return false;
}

}

void SoundPlayer::stopSounds(const MovieClip *owner, const void *sound)
{
    stopEvents([&](const Event &e) { return (!owner || inside(e.owner, owner)) && (!sound || e.sound == sound); });
}

int64_t SoundPlayer::framesHeard(VoiceId voice) const
{
    return soundMixer.progress(voice).framesPlayed;
}

SoundTransform SoundPlayer::transform(const MovieClip *clip) const
{
    if (!clip)
        return movieTransform;
    auto it = clipTransforms.find(clip);
    return it == clipTransforms.end() ? SoundTransform{} : it->second;
}

void SoundPlayer::setTransform(const MovieClip *clip, const SoundTransform &t)
{
    if (clip)
        clipTransforms[clip] = t;
    else
        movieTransform = t;
    applyTransforms();
}

SoundTransform SoundPlayer::heardThrough(const MovieClip *owner) const
{
    SoundTransform t;
    for (const DisplayObject *at = owner; at; at = at->parent()) {
        if (at->kind() != DisplayObject::Kind::MovieClip)
            continue;
        auto it = clipTransforms.find(static_cast<const MovieClip *>(at));
        if (it != clipTransforms.end())
            t = t.within(it->second);
    }
    return t.within(movieTransform);
}

void SoundPlayer::applyTransforms()
{
    auto give = [&](SoundMixer::VoiceId voice, const MovieClip *owner) {
        soundMixer.update(voice, [t = heardThrough(owner)](SoundVoice &v) { v.setTransform(t); });
    };
    for (const Event &e : events)
        give(e.voice, e.owner);
    for (const Stream &s : streams)
        give(s.voice, s.owner);
}

void SoundPlayer::buttonChanged(uint16_t buttonId, int change, const MovieClip *owner)
{
    const ButtonSounds *sounds = movie ? movie->buttonSounds(buttonId) : nullptr;
    if (!sounds || change < 0 || change >= int(sounds->entries.size()))
        return;
    const ButtonSounds::Entry &entry = sounds->entries[size_t(change)];
    if (entry.soundId)
        startSound(entry.soundId, entry.info, owner);
}

void SoundPlayer::frameShown(const MovieClip &timeline, int frame, bool jumped)
{
    const Timeline &t = timeline.timeline();
    if (frame < 0 || size_t(frame) >= t.frames.size())
        return;
    if (jumped)
        stopStream(timeline);
    for (const FrameCommand &command : t.frames[size_t(frame)].commands)
        if (auto *start = std::get_if<StartSoundCommand>(&command))
            startSound(start->soundId, start->info, &timeline);
    if (timeline.playing())
        startStream(timeline, frame);
}

void SoundPlayer::playingChanged(const MovieClip &timeline)
{
    if (timeline.playing())
        startStream(timeline, timeline.currentFrame());
    else
        stopStream(timeline);
}

void SoundPlayer::timelineGone(const MovieClip &timeline)
{
    stopStream(timeline);
    // Its event sounds play on, heard as sounds of the movie as a whole.
    for (Event &e : events)
        if (e.owner == &timeline)
            e.owner = nullptr;
    clipTransforms.erase(&timeline);
    if (root == &timeline)
        root = nullptr;
}

void SoundPlayer::startStream(const MovieClip &timeline, int frame)
{
    const Timeline &t = timeline.timeline();
    if (!t.streamHead || frame < 0 || size_t(frame) >= t.frames.size() || !t.frames[size_t(frame)].streamBlock)
        return;
    if (std::any_of(streams.begin(), streams.end(), [&](const Stream &s) { return s.owner == &timeline; }))
        return; // it plays on
    Stream s;
    s.owner = &timeline;
    s.timeline = &t;
    s.rate = t.streamHead->format.sampleRate();
    s.mp3 = t.streamHead->format.codec == SoundCodec::Mp3;
    s.samplesPerFrame = t.streamHead->samplesPerFrame > 0 || !movie
        ? t.streamHead->samplesPerFrame
        : int(std::lround(s.rate / std::max(1.0, movie->frameRate())));
    s.startFrame = frame;
    s.nextFrame = frame;
    auto voice = std::make_unique<StreamVoice>(*t.streamHead);
    voice->setTransform(heardThrough(&timeline));
    std::vector<StreamBlock> blocks = nextBlocks(s, 0);
    voice->append(std::move(blocks), s.allHandedOn);
    s.voice = soundMixer.start(std::move(voice));
    streams.push_back(std::move(s));
    ensureOutput();
}

void SoundPlayer::stopStream(const MovieClip &timeline)
{
    for (const Stream &s : streams)
        if (s.owner == &timeline)
            soundMixer.stop(s.voice);
    std::erase_if(streams, [&](const Stream &s) { return s.owner == &timeline; });
}

bool SoundPlayer::timelineComplete(const Timeline &timeline) const
{
    return !movie || &timeline != &movie->timeline() || movie->finished();
}

std::vector<StreamBlock> SoundPlayer::nextBlocks(Stream &s, int64_t heard)
{
    std::vector<StreamBlock> blocks;
    const auto &frames = s.timeline->frames;
    while (!s.allHandedOn && s.samples - heard < int64_t(s.rate) * kAheadSeconds) {
        if (size_t(s.nextFrame) >= frames.size()) {
            // The end of the timeline, or of what has arrived of it.
            s.allHandedOn = timelineComplete(*s.timeline);
            break;
        }
        const auto &block = frames[size_t(s.nextFrame)].streamBlock;
        if (!block) {
            // A frame without a block ends the stream.
            s.allHandedOn = true;
            break;
        }
        s.starts.push_back(s.samples);
        // Only MP3 blocks say how long they are; a block whose length cannot
        // be told from its data is taken to last a frame.
        s.samples += block->sampleCount > 0 || s.mp3 ? std::max(0, block->sampleCount) : s.samplesPerFrame;
        blocks.push_back(*block);
        ++s.nextFrame;
    }
    return blocks;
}

int64_t SoundPlayer::samplesHeard(const Stream &s) const
{
    return soundMixer.progress(s.voice).framesPlayed * s.rate / kMixRate;
}

void SoundPlayer::update()
{
    std::vector<SoundMixer::VoiceId> completed;
    for (SoundMixer::VoiceId id : soundMixer.takeFinished()) {
        if (std::erase_if(events, [&](const Event &e) { return e.voice == id; }))
            completed.push_back(id);
        std::erase_if(streams, [&](const Stream &s) { return s.voice == id; });
    }
    for (Stream &s : streams) {
        if (s.allHandedOn)
            continue;
        std::vector<StreamBlock> blocks = nextBlocks(s, samplesHeard(s));
        if (blocks.empty() && !s.allHandedOn)
            continue;
        bool last = s.allHandedOn;
        soundMixer.update(s.voice, [blocks = std::move(blocks), last](SoundVoice &v) mutable {
            static_cast<StreamVoice &>(v).append(std::move(blocks), last);
        });
    }
    if (!deviceOutput.running() || !soundMixer.silent())
        silentFor.invalidate();
    else if (!silentFor.isValid())
        silentFor.start();
    else if (silentFor.elapsed() > kReleaseAfterMs)
        deviceOutput.stop();
    // Last, as the listener may start sounds again.
    if (EventEnded heard = eventEnded)
        for (SoundMixer::VoiceId id : completed)
            heard(id, true, 0);
}

std::optional<int> SoundPlayer::wantedFrame()
{
    auto it = std::find_if(streams.begin(), streams.end(), [&](const Stream &s) { return root && s.owner == root; });
    if (it == streams.end())
        return std::nullopt;
    SoundMixer::Progress p = soundMixer.progress(it->voice);
    if (p.finished)
        return std::nullopt;
    int64_t heard = p.framesPlayed * it->rate / kMixRate;
    auto next = std::upper_bound(it->starts.begin(), it->starts.end(), heard);
    return it->startFrame + int(std::max<std::ptrdiff_t>(0, next - it->starts.begin() - 1));
}

}
