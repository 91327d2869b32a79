#include "StreamPlayer.h"

#include "AudioBuffer.h"
#include "AudioOutput.h"
#include "StreamStatus.h"

#include <QAudio>

#include <algorithm>
#include <limits>

namespace {
// Sound decoded ahead before playback starts or resumes after running dry.
constexpr int kPrebufferMs = 1000;
// Pictures decoded ahead before a clip without sound starts.
constexpr int kPrebufferPictures = 3;
// How often the player looks at its session: often enough to show pictures on
// time, rarely enough to cost nothing while only sound plays.
constexpr int kAudioTickMs = 40;
constexpr int kVideoTickMs = 10;
}

StreamPlayer::StreamPlayer(QObject *parent) : QObject(parent), status(StreamStatus::Ready())
{
    ticker.setTimerType(Qt::PreciseTimer);
    connect(&ticker, &QTimer::timeout, this, &StreamPlayer::Tick);
    reaper.setInterval(50);
    connect(&reaper, &QTimer::timeout, this, &StreamPlayer::Reap);
}

StreamPlayer::~StreamPlayer()
{
    ReleaseSession();
    // Every session has been told to stop; their threads end within a
    // fraction of a second.
    retiring.clear();
}

void StreamPlayer::SetSource(const QString &address)
{
    source = address;
    ReleaseSession();
    position = 0;
    duration = 0;
    if (source.isEmpty()) {
        SetState(State::Idle, StreamStatus::Ready());
        return;
    }
    Open();
}

void StreamPlayer::Open()
{
    ReleaseSession();
    serial = 0;
    base = 0;
    position = 0;
    wallBefore = 0;
    wall.invalidate();
    wantPlay = true;
    picture = QImage();
    emit PictureChanged();
    session = std::make_unique<StreamSession>(source, openTimeoutMs);
    session->Start();
    ticker.start(kAudioTickMs);
    SetState(State::Connecting, StreamStatus::Connecting());
}

void StreamPlayer::Play()
{
    switch (state) {
    case State::Idle:
        if (!source.isEmpty())
            Open();
        break;
    case State::Connecting:
    case State::Buffering:
        wantPlay = true;
        break;
    case State::Paused:
        wantPlay = true;
        session->SetPaused(false);
        SetState(State::Buffering, StreamStatus::Buffering(0));
        Tick();
        break;
    case State::Playing:
        break;
    }
}

void StreamPlayer::Pause()
{
    switch (state) {
    case State::Connecting:
    case State::Buffering:
        wantPlay = false;
        break;
    case State::Playing:
        if (output)
            output->Suspend();
        if (wall.isValid()) {
            wallBefore += wall.nsecsElapsed() / 1e9;
            wall.invalidate();
        }
        session->SetPaused(true);
        SetState(State::Paused, StreamStatus::Paused());
        break;
    case State::Idle:
    case State::Paused:
        break;
    }
}

void StreamPlayer::Stop()
{
    ReleaseSession();
    position = 0;
    picture = QImage();
    emit PictureChanged();
    SetState(State::Idle, StreamStatus::Stopped());
}

void StreamPlayer::Seek(double seconds)
{
    if (!session || !opened || !seekable)
        return;
    seconds = std::clamp(seconds, 0.0, duration);
    ++serial;
    if (audio)
        audio->Reset(serial);
    session->Pictures().Reset(serial);
    session->Seek(seconds, serial);
    base = seconds;
    position = seconds;
    wallBefore = 0;
    if (state == State::Playing) {
        if (output)
            output->Suspend();
        wall.invalidate();
        SetState(State::Buffering, StreamStatus::Buffering(0));
    } else {
        emit Changed();
    }
}

bool StreamPlayer::SoundDeviceOpen() const
{
    return output && output->Started() && !output->IsNull();
}

void StreamPlayer::SetVolume(int percent)
{
    volume = std::clamp(percent, 0, 100);
    ApplyVolume();
    emit Changed();
}

void StreamPlayer::SetMuted(bool mute)
{
    muted = mute;
    ApplyVolume();
    emit Changed();
}

void StreamPlayer::ApplyVolume()
{
    if (!output)
        return;
    // The slider is heard as even steps when it is read on a logarithmic scale.
    double level = muted ? 0.0
                         : QAudio::convertVolume(volume / 100.0, QAudio::LogarithmicVolumeScale,
                                                 QAudio::LinearVolumeScale);
    output->SetVolume(level);
}

void StreamPlayer::SetState(State next, const QString &text, const QString &failure)
{
    failed = !failure.isEmpty();
    state = next;
    status = text;
    failureDetail = failure;
    emit Changed();
}

double StreamPlayer::Clock()
{
    if (output && output->Started())
        return base + double(output->PlayedFrames()) / audio->SampleRate();
    double elapsed = wallBefore + (wall.isValid() ? wall.nsecsElapsed() / 1e9 : 0.0);
    return base + elapsed;
}

void StreamPlayer::Tick()
{
    if (!session)
        return;
    StreamSession::State now = session->Snapshot();
    if (!opened) {
        if (now.error.Failed()) {
            Finish(now.error);
            return;
        }
        if (!now.opened)
            return;
        Opened(now);
    }
    bool audioDone = !audio || now.audioDoneSerial == serial;
    bool videoDone = !hasVideo || now.videoDoneSerial == serial;
    if (state == State::Buffering) {
        int percent = BufferedPercent();
        if (percent >= 100 || now.atEnd || (audioDone && videoDone)) {
            if (wantPlay) {
                StartPlaying();
            } else {
                session->SetPaused(true);
                SetState(State::Paused, StreamStatus::Paused());
            }
        } else {
            QString text = StreamStatus::Buffering(percent);
            if (text != status)
                SetState(State::Buffering, text);
        }
    }
    if (state != State::Playing)
        return;
    if (audio && audio->AvailableFrames() == 0 && !now.atEnd && !audioDone) {
        // The network fell behind: wait for a second of sound again.
        output->Suspend();
        SetState(State::Buffering, StreamStatus::Buffering(0));
        return;
    }
    bool soundOver = !audio || (audioDone && output->Drained());
    // Once the sound is over, pictures still queued are shown at once so that
    // a picture stream with odd times cannot hold the clip open.
    Present(audio && soundOver);
    if (soundOver && videoDone && session->Pictures().Count() == 0) {
        Finish(now.endError);
        return;
    }
    double clock = Clock();
    if (duration > 0)
        clock = std::min(clock, duration);
    if (clock != position) {
        position = clock;
        emit Changed();
    }
}

void StreamPlayer::Opened(const StreamSession::State &now)
{
    opened = true;
    duration = now.duration;
    seekable = now.seekable;
    hasVideo = now.hasVideo;
    audio = now.audio;
    if (audio) {
        output = std::make_unique<AudioOutput>(audio);
        ApplyVolume();
    }
    if (hasVideo)
        ticker.setInterval(kVideoTickMs);
    SetState(State::Buffering, StreamStatus::Buffering(0));
}

int StreamPlayer::BufferedPercent() const
{
    if (audio) {
        int wanted = std::min(audio->CapacityFrames(), audio->SampleRate() * kPrebufferMs / 1000);
        return int(int64_t(audio->AvailableFrames()) * 100 / std::max(1, wanted));
    }
    return session->Pictures().Count() * 100 / kPrebufferPictures;
}

void StreamPlayer::StartPlaying()
{
    if (output) {
        if (output->Started())
            output->Resume();
        else
            output->Start();
    } else {
        wall.start();
    }
    SetState(State::Playing, StreamStatus::Playing());
}

void StreamPlayer::Present(bool all)
{
    FrameQueue::Frame due = session->Pictures().TakeDue(all ? std::numeric_limits<double>::infinity() : Clock());
    if (due.image.isNull())
        return;
    picture = std::move(due.image);
    emit PictureChanged();
}

void StreamPlayer::Finish(const StreamFailure &failure)
{
    ReleaseSession();
    if (!failure.Failed()) {
        SetState(State::Idle, StreamStatus::Finished());
        return;
    }
    qWarning("Clip %s: %s (%s)", qPrintable(source), qPrintable(failure.what), qPrintable(failure.detail));
    SetState(State::Idle, failure.what, failure.detail);
}

void StreamPlayer::ReleaseSession()
{
    ticker.stop();
    output.reset();
    audio.reset();
    opened = false;
    seekable = false;
    hasVideo = false;
    if (!session)
        return;
    session->RequestStop();
    retiring.push_back(std::move(session));
    reaper.start();
}

void StreamPlayer::Reap()
{
    std::erase_if(retiring, [](const std::unique_ptr<StreamSession> &old) { return old->Finished(); });
    if (retiring.empty())
        reaper.stop();
}
