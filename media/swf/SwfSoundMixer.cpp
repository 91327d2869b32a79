#include "SwfSoundMixer.h"

#include <algorithm>

namespace swf {

SoundMixer::SoundMixer() = default;

void SoundMixer::post(Request request)
{
    std::lock_guard guard(lock);
    requests.push_back(std::move(request));
}

SoundMixer::VoiceId SoundMixer::start(std::unique_ptr<SoundVoice> voice)
{
    std::lock_guard guard(lock);
    VoiceId id = nextId++;
    published[id] = Published{};
    Request r;
    r.kind = Request::Start;
    r.id = id;
    r.voice = std::move(voice);
    requests.push_back(std::move(r));
    return id;
}

void SoundMixer::stop(VoiceId id)
{
    Request r;
    r.kind = Request::Stop;
    r.id = id;
    std::lock_guard guard(lock);
    published.erase(id);
    requests.push_back(std::move(r));
}

void SoundMixer::stopAll()
{
    Request r;
    r.kind = Request::StopAll;
    std::vector<Request> superseded; // released after the lock
    std::lock_guard guard(lock);
    published.clear();
    // Whatever is still queued concerns sounds this stops: drop it, so that
    // while no output pulls (nothing has played yet) each new movie's stop
    // does not add to the queue, and queued sounds are let go at once.
    superseded.swap(requests);
    requests.push_back(std::move(r));
}

void SoundMixer::update(VoiceId id, std::function<void(SoundVoice &)> change)
{
    Request r;
    r.kind = Request::Update;
    r.id = id;
    r.change = std::move(change);
    post(std::move(r));
}

void SoundMixer::setVolume(int percent)
{
    std::lock_guard guard(lock);
    volume = std::clamp(percent, 0, 100);
}

int64_t SoundMixer::heardLocked() const
{
    return std::max<int64_t>(0, mixed - delay);
}

int64_t SoundMixer::heardFrames(const Published &p, int64_t heard)
{
    // The last checkpoint at or before `heard`, and how far the voice got
    // from there until the next one.
    const auto &c = p.checkpoints;
    if (c.empty() || heard <= c.front().mixFrame)
        return c.empty() ? 0 : c.front().voiceFrames;
    for (size_t i = 1; i < c.size(); ++i)
        if (c[i].mixFrame > heard)
            return c[i - 1].voiceFrames
                + std::min(heard - c[i - 1].mixFrame, c[i].voiceFrames - c[i - 1].voiceFrames);
    return c.back().voiceFrames;
}

SoundMixer::Progress SoundMixer::progress(VoiceId id) const
{
    std::lock_guard guard(lock);
    Progress result;
    auto it = published.find(id);
    if (it == published.end()) {
        result.known = true;
        result.finished = true;
        return result;
    }
    int64_t heard = heardLocked();
    result.known = !it->second.checkpoints.empty();
    result.framesPlayed = heardFrames(it->second, heard);
    result.finished = it->second.finishedAt >= 0 && heard >= it->second.finishedAt;
    return result;
}

std::vector<SoundMixer::VoiceId> SoundMixer::takeFinished()
{
    std::lock_guard guard(lock);
    int64_t heard = heardLocked();
    std::vector<VoiceId> done;
    for (auto it = published.begin(); it != published.end();) {
        if (it->second.finishedAt >= 0 && heard >= it->second.finishedAt) {
            done.push_back(it->first);
            it = published.erase(it);
        } else {
            ++it;
        }
    }
    return done;
}

bool SoundMixer::silent() const
{
    std::lock_guard guard(lock);
    return requests.empty() && playing == 0;
}

void SoundMixer::setOutputDelay(int64_t frames)
{
    std::lock_guard guard(lock);
    delay = std::max<int64_t>(0, frames);
}

int64_t SoundMixer::framesHeard() const
{
    std::lock_guard guard(lock);
    return heardLocked();
}

void SoundMixer::take(std::vector<Request> &todo)
{
    for (Request &r : todo) {
        switch (r.kind) {
        case Request::Start:
            voices.push_back(Entry{r.id, std::move(r.voice)});
            break;
        case Request::Stop:
            std::erase_if(voices, [&](const Entry &e) { return e.id == r.id; });
            break;
        case Request::StopAll:
            voices.clear();
            break;
        case Request::Update:
            for (Entry &e : voices)
                if (e.id == r.id)
                    r.change(*e.voice);
            break;
        }
    }
    todo.clear();
}

void SoundMixer::mix(int16_t *out, int frames)
{
    std::vector<Request> todo;
    int64_t start;
    int gain;
    {
        std::lock_guard guard(lock);
        todo.swap(requests);
        start = mixed;
        gain = volume;
    }
    take(todo);
    sums.assign(size_t(frames) * 2, 0);
    for (Entry &e : voices)
        e.voice->render(sums.data(), frames);
    for (size_t i = 0; i < sums.size(); ++i)
        out[i] = int16_t(std::clamp<int64_t>(int64_t(sums[i]) * gain / 100, -32768, 32767));

    std::lock_guard guard(lock);
    mixed = start + frames;
    int64_t heard = heardLocked();
    for (const Entry &e : voices) {
        auto it = published.find(e.id);
        if (it == published.end())
            continue; // stopped meanwhile
        auto &c = it->second.checkpoints;
        if (c.empty())
            c.push_back({start, 0});
        c.push_back({mixed, e.voice->framesPlayed()});
        // A second of history is more than any output holds.
        while (c.size() > 2 && c[1].mixFrame <= heard - kMixRate)
            c.pop_front();
        if (e.voice->finished())
            it->second.finishedAt = mixed;
    }
    std::erase_if(voices, [](const Entry &e) { return e.voice->finished(); });
    playing = voices.size();
}

}
