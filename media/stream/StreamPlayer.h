#pragma once
// The player behind the programme control: opens a clip in a StreamSession,
// buffers, plays its sound through an AudioOutput and shows its pictures when
// the sound clock reaches them. GUI thread only; it never waits for the
// session's threads (a stopped session is dropped once its threads are done).
#include "StreamSession.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QTimer>

#include <memory>
#include <vector>

class AudioOutput;

class StreamPlayer : public QObject {
    Q_OBJECT
public:
    enum class State { Idle, Connecting, Buffering, Playing, Paused };

    explicit StreamPlayer(QObject *parent = nullptr);
    ~StreamPlayer() override;

    // Takes the address as the clip and starts playing it.
    void SetSource(const QString &address);
    QString Source() const { return source; }

    void Play();
    void Pause();
    // Ends playback and releases the connection; the clip stays chosen.
    void Stop();
    // Moves to `seconds` when the clip allows it.
    void Seek(double seconds);

    State GetState() const { return state; }
    QString Status() const { return status; }
    // The clip ended in an error, which Status() tells; FailureDetail() gives
    // the technical reason.
    bool Failed() const { return failed; }
    QString FailureDetail() const { return failureDetail; }
    double Position() const { return position; }
    // Seconds; 0 while unknown or for a live stream.
    double Duration() const { return duration; }
    bool Seekable() const { return seekable; }
    bool HasVideo() const { return hasVideo; }
    const QImage &Picture() const { return picture; }
    // False while the sound goes to the null sink (no sound device).
    bool SoundDeviceOpen() const;

    int Volume() const { return volume; }
    void SetVolume(int percent);
    bool Muted() const { return muted; }
    void SetMuted(bool mute);

    // The longest wait for a clip to open before it fails as timed out.
    void SetOpenTimeout(int ms) { openTimeoutMs = ms; }

signals:
    // State, status, position, duration or volume changed.
    void Changed();
    void PictureChanged();

private:
    void Open();
    void Tick();
    void Opened(const StreamSession::State &opened);
    int BufferedPercent() const;
    void StartPlaying();
    void Present(bool all);
    // Ends the clip: finished when `failure` is empty, else failed.
    void Finish(const StreamFailure &failure);
    void ReleaseSession();
    void Reap();
    double Clock();
    void ApplyVolume();
    // A non-empty `failure` (the technical reason) marks the state failed.
    void SetState(State next, const QString &text, const QString &failure = {});

    QString source;
    std::unique_ptr<StreamSession> session;
    std::vector<std::unique_ptr<StreamSession>> retiring;
    std::shared_ptr<AudioBuffer> audio;
    std::unique_ptr<AudioOutput> output;
    QTimer ticker;
    QTimer reaper;

    State state = State::Idle;
    QString status;
    bool failed = false;
    QString failureDetail;
    bool opened = false;
    bool wantPlay = true; // false after a pause asked for while loading
    int serial = 0;
    double base = 0; // the position playback last started from (0 or a seek)
    double position = 0;
    double duration = 0;
    bool seekable = false;
    bool hasVideo = false;
    QImage picture;
    // The clock of a clip without sound.
    QElapsedTimer wall;
    double wallBefore = 0;

    int volume = 80;
    bool muted = false;
    int openTimeoutMs = 20000;
};
