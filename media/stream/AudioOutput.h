#pragma once
// Plays the audio buffer on the default sound device through QAudioSink, or,
// when there is no device or it refuses to start (no sound server), on a null
// sink that consumes the buffer at the pace of the system clock. Either way it
// counts the frames played, which is the playback clock. GUI thread only.
#include <QElapsedTimer>
#include <QObject>

#include <memory>
#include <vector>

class AudioBuffer;
class QAudioSink;
class AudioFeed;

class AudioOutput : public QObject {
    Q_OBJECT
public:
    AudioOutput(std::shared_ptr<AudioBuffer> buffer, QObject *parent = nullptr);
    ~AudioOutput() override;

    // Opens the device, or the null sink when it cannot be opened.
    void Start();
    void Suspend();
    void Resume();
    bool Started() const { return started; }
    bool IsNull() const { return !sink; }

    // Frames played since the buffer's last reset.
    int64_t PlayedFrames();
    // Everything taken from the buffer has been played.
    bool Drained();
    // 0..1, applied by the device; the null sink has nothing to apply it to.
    void SetVolume(double volume);

private:
    void PullNull();
    // Goes on with the null sink.
    void DropDevice();

    std::shared_ptr<AudioBuffer> buffer;
    QAudioSink *sink = nullptr;
    AudioFeed *feed = nullptr;
    bool started = false;
    bool suspended = false;
    double volume = 1.0;
    // Null sink: the system time up to which frames have been consumed.
    QElapsedTimer clock;
    int64_t consumedUpToNs = 0;
    std::vector<char> scratch;
};
