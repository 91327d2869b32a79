#include "AudioOutput.h"

#include "AudioBuffer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <cstring>

// The device side of the sound: reads from the buffer and, when it runs dry,
// hands out a little silence so that the device keeps asking (the silence is
// not counted as played).
class AudioFeed : public QIODevice {
public:
    explicit AudioFeed(std::shared_ptr<AudioBuffer> source, QObject *parent)
        : QIODevice(parent), buffer(std::move(source))
    {
    }

    // How long the device has been given only silence; -1 while it has sound.
    qint64 DryMs() const { return dry.isValid() ? dry.elapsed() : -1; }

    qint64 readData(char *data, qint64 maxSize) override
    {
        int frameBytes = buffer->BytesPerFrame();
        int frames = buffer->Read(data, int(std::min<qint64>(maxSize / frameBytes, 1 << 20)));
        if (frames > 0) {
            dry.invalidate();
            return qint64(frames) * frameBytes;
        }
        if (!dry.isValid())
            dry.start();
        qint64 silence = std::min<qint64>(maxSize, buffer->SampleRate() / 100 * frameBytes);
        std::memset(data, 0, size_t(silence));
        return silence;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    std::shared_ptr<AudioBuffer> buffer;
    QElapsedTimer dry;
};

AudioOutput::AudioOutput(std::shared_ptr<AudioBuffer> source, QObject *parent)
    : QObject(parent), buffer(std::move(source))
{
}

AudioOutput::~AudioOutput()
{
    if (sink)
        sink->stop();
}

void AudioOutput::Start()
{
    if (started)
        return;
    started = true;
    QAudioFormat format;
    format.setSampleRate(buffer->SampleRate());
    format.setChannelCount(buffer->Channels());
    format.setSampleFormat(QAudioFormat::Int16);
    QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!device.isNull() && device.isFormatSupported(format)) {
        sink = new QAudioSink(device, format, this);
        // A fifth of a second on the device keeps stop and seek prompt.
        sink->setBufferSize(buffer->SampleRate() / 5 * buffer->BytesPerFrame());
        sink->setVolume(volume);
        feed = new AudioFeed(buffer, this);
        feed->open(QIODevice::ReadOnly);
        sink->start(feed);
        if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState)
            DropDevice();
        else
            connect(sink, &QAudioSink::stateChanged, this, [this](QAudio::State now) {
                // The sound server went away: play on without it.
                if (now == QAudio::StoppedState && sink->error() != QAudio::NoError)
                    DropDevice();
            });
    }
    clock.start();
    consumedUpToNs = 0;
}

void AudioOutput::DropDevice()
{
    sink->disconnect(this);
    sink->deleteLater();
    sink = nullptr;
    feed->deleteLater();
    feed = nullptr;
    consumedUpToNs = clock.isValid() ? clock.nsecsElapsed() : 0;
}

void AudioOutput::Suspend()
{
    if (!started || suspended)
        return;
    PullNull();
    suspended = true;
    if (sink)
        sink->suspend();
}

void AudioOutput::Resume()
{
    if (!started || !suspended)
        return;
    suspended = false;
    if (sink)
        sink->resume();
    // The time spent suspended is not owed to the null sink.
    consumedUpToNs = clock.nsecsElapsed();
}

void AudioOutput::PullNull()
{
    if (sink || !started || suspended)
        return;
    int rate = buffer->SampleRate();
    int64_t now = clock.nsecsElapsed();
    int64_t due = (now - consumedUpToNs) * rate / 1000000000;
    if (due <= 0)
        return;
    scratch.resize(size_t(std::min<int64_t>(due, rate)) * size_t(buffer->BytesPerFrame()));
    int got = buffer->Read(scratch.data(), int(std::min<int64_t>(due, rate)));
    if (got < due)
        consumedUpToNs = now; // an underrun is not caught up faster than real time
    else
        consumedUpToNs += int64_t(got) * 1000000000 / rate;
}

int64_t AudioOutput::PlayedFrames()
{
    PullNull();
    int64_t read = buffer->FramesRead();
    if (!sink)
        return read;
    int64_t queued = (sink->bufferSize() - sink->bytesFree()) / buffer->BytesPerFrame();
    return std::max<int64_t>(0, read - std::max<int64_t>(0, queued));
}

bool AudioOutput::Drained()
{
    PullNull();
    if (buffer->AvailableFrames() > 0)
        return false;
    if (!sink)
        return true;
    // The last sound has left the device once it has had silence for longer
    // than its buffer holds.
    qint64 bufferMs = qint64(sink->bufferSize()) * 1000 / (buffer->SampleRate() * buffer->BytesPerFrame());
    return feed->DryMs() > bufferMs + 50;
}

void AudioOutput::SetVolume(double value)
{
    volume = value;
    if (sink)
        sink->setVolume(value);
}
