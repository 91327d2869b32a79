#pragma once
// Plays the sounds of a movie: the event sounds its frames and buttons
// start, and the stream sound of each timeline, which it hands to the
// mixer a little ahead of time as the movie's blocks arrive. The root's
// stream sound is the clock the root timeline follows. The mix goes to the
// sound device, opened with the first sound and let go of after a while of
// silence, or to whoever pulls the mixer (a recording, the test runner).
#include "SwfFrameClock.h"
#include "SwfSoundMixer.h"
#include "SwfSoundOutput.h"
#include "SwfSound.h"
#include "SwfTimelineSound.h"

#include <QElapsedTimer>
#include <map>
#include <memory>
#include <vector>

namespace swf {

class Movie;
struct Timeline;

class SoundPlayer : public TimelineSound, public FrameClock {
public:
    SoundPlayer();
    ~SoundPlayer() override;

    // A new movie (or none) stops every sound of the old one.
    void setMovie(const Movie *movie);
    // The timeline whose stream sound is the frame clock.
    void setRoot(const MovieClip *root);
    // Silences everything.
    void stopAll() override;
    // Hands streams their next blocks, takes note of sounds that played
    // out and lets go of the device after a while of silence. The player
    // calls it on every tick.
    void update();
    // The control's volume, 0..100, over all its sounds.
    void setVolume(int percent);
    int volume() const { return level; }
    // True: nothing opens the device; the owner pulls the mixer itself.
    void setManualOutput(bool manual);
    // For a player ticked by hand (the test runner): no device, and every
    // tick takes a frame's time of the mix, so sounds play, end and pace
    // the timeline in step with the ticks.
    void setTicked(bool ticked);
    // A tick of `seconds`: takes that much of the mix when ticked.
    void passTime(double seconds);
    SoundMixer &mixer() { return soundMixer; }
    const SoundOutput &output() const { return deviceOutput; }
    // Starts (or, as `info` says, stops) the event sound `soundId` of the
    // movie as a sound of `owner`; the voice started, or 0.
    SoundMixer::VoiceId startSound(uint16_t soundId, const SoundInfo &info, const MovieClip *owner = nullptr);
    // Event sounds playing now.
    int eventsPlaying() const { return int(events.size()); }

    void frameShown(const MovieClip &timeline, int frame, bool jumped) override;
    void buttonChanged(uint16_t buttonId, int change, const MovieClip *owner) override;
    void playingChanged(const MovieClip &timeline) override;
    void timelineGone(const MovieClip &timeline) override;
    std::optional<int> wantedFrame() override;

    VoiceId startSound(const EventSound &sound, const SoundInfo &info, const MovieClip *owner,
                       int offsetMs) override;
    VoiceId startArriving(const SoundFormat &format, const MovieClip *owner, const void *sound) override;
    void arrived(VoiceId voice, const QByteArray &data, bool last) override;
    void stopSounds(const MovieClip *owner, const void *sound) override;
    int64_t framesHeard(VoiceId voice) const override;
    SoundTransform transform(const MovieClip *clip) const override;
    void setTransform(const MovieClip *clip, const SoundTransform &transform) override;
    void setEventEnded(EventEnded listener) override { eventEnded = std::move(listener); }
    int bufferSeconds() const override { return bufferTime; }
    void setBufferSeconds(int seconds) override { bufferTime = seconds; }

private:
    struct Event {
        SoundMixer::VoiceId voice = 0;
        const void *sound = nullptr; // which sound it plays, to tell copies apart
        const MovieClip *owner = nullptr;
        bool arriving = false; // a StreamVoice fed as its data arrives
    };
    struct Stream {
        const MovieClip *owner = nullptr;
        const Timeline *timeline = nullptr;
        int rate = 0;
        bool mp3 = false;
        int samplesPerFrame = 0;
        int startFrame = 0;
        int nextFrame = 0;            // the next frame whose block is handed on
        std::vector<int64_t> starts;  // where each frame from startFrame begins, in samples
        int64_t samples = 0;          // samples handed on so far
        bool allHandedOn = false;
        SoundMixer::VoiceId voice = 0;
    };

    void startStream(const MovieClip &timeline, int frame);
    void stopStream(const MovieClip &timeline);
    // The next blocks of `stream`, up to two seconds ahead of what was heard.
    std::vector<StreamBlock> nextBlocks(Stream &stream, int64_t heard);
    bool timelineComplete(const Timeline &timeline) const;
    int64_t samplesHeard(const Stream &stream) const;
    void ensureOutput();
    // Plays `voice` as an event of `owner`, making way when too many play.
    SoundMixer::VoiceId startEvent(std::unique_ptr<SoundVoice> voice, const void *sound, const MovieClip *owner,
                                   bool arriving = false);
    // Stops the events `which` picks and tells the listener.
    template <class Pick> void stopEvents(Pick which);
    // What `owner`'s sounds go through: its transform, its parents', the movie's.
    SoundTransform heardThrough(const MovieClip *owner) const;
    // Gives every voice the transform its owner now has.
    void applyTransforms();

    SoundMixer soundMixer;
    SoundOutput deviceOutput;
    const Movie *movie = nullptr;
    const MovieClip *root = nullptr;
    std::vector<Event> events;
    std::map<const MovieClip *, SoundTransform> clipTransforms;
    SoundTransform movieTransform;
    int bufferTime = kSoundBufferSeconds;
    EventEnded eventEnded;
    std::vector<Stream> streams;
    int level = 100;
    bool manual = false;
    bool ticked = false;
    double owedFrames = 0; // mix frames a ticked player has yet to take
    std::vector<int16_t> scratch;
    QElapsedTimer silentFor;
};

}
