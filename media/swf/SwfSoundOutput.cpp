#include "SwfSoundOutput.h"

#include "SwfSoundMixer.h"
#include "SwfSoundVoice.h"

#include <QAudioSink>
#include <QElapsedTimer>
#include <QIODevice>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <atomic>

namespace swf {

namespace {

constexpr int kBytesPerFrame = 4; // 16-bit stereo
constexpr int kDeviceMs = 30;
constexpr int kPieceMs = 10;

// What the device reads: the next piece of the mix, made when asked for.
class MixFeed : public QIODevice {
public:
    MixFeed(SoundMixer &mixer, QObject *parent) : QIODevice(parent), mixer(mixer) {}
    QAudioSink *sink = nullptr;

    qint64 readData(char *data, qint64 maxSize) override
    {
        int frames = int(std::min<qint64>(maxSize / kBytesPerFrame, kMixRate));
        if (frames <= 0)
            return 0;
        mixer.mix(reinterpret_cast<int16_t *>(data), frames);
        // What the device still holds plays before this piece.
        qint64 queued = sink ? (sink->bufferSize() - sink->bytesFree()) / kBytesPerFrame : 0;
        mixer.setOutputDelay(std::max<qint64>(0, queued) + frames);
        return qint64(frames) * kBytesPerFrame;
    }
    qint64 writeData(const char *, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    SoundMixer &mixer;
};

}

// Lives in the output's thread and does all its work there.
class SoundOutputWorker : public QObject {
public:
    SoundOutputWorker(SoundMixer &mixer, const QAudioDevice &device) : mixer(mixer), device(device) {}

    void open()
    {
        QAudioFormat format;
        format.setSampleRate(kMixRate);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isNull() && device.isFormatSupported(format)) {
            sink = new QAudioSink(device, format, this);
            sink->setBufferSize(kMixRate * kDeviceMs / 1000 * kBytesPerFrame);
            feed = new MixFeed(mixer, this);
            feed->sink = sink;
            feed->open(QIODevice::ReadOnly);
            sink->start(feed);
            if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState)
                dropDevice();
            else
                connect(sink, &QAudioSink::stateChanged, this, [this](QAudio::State now) {
                    // The sound server went away: go on with the silent clock.
                    if (now == QAudio::StoppedState && sink && sink->error() != QAudio::NoError)
                        dropDevice();
                });
        }
        if (!sink)
            startClock();
        onDevice = sink != nullptr;
    }

    void close()
    {
        if (sink) {
            sink->stop();
            delete sink;
            sink = nullptr;
        }
        delete feed;
        feed = nullptr;
        delete timer;
        timer = nullptr;
    }

    std::atomic<bool> onDevice{false};

private:
    void dropDevice()
    {
        sink->disconnect(this);
        sink->deleteLater();
        sink = nullptr;
        feed->deleteLater();
        feed = nullptr;
        onDevice = false;
        startClock();
    }

    void startClock()
    {
        mixer.setOutputDelay(0);
        clock.start();
        taken = 0;
        timer = new QTimer(this);
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, &SoundOutputWorker::pullSilently);
        timer->start(kPieceMs);
    }

    // The silent clock: takes what the elapsed time is due. After a stall
    // of the whole machine it catches up no more than half a second.
    void pullSilently()
    {
        int64_t due = clock.nsecsElapsed() * kMixRate / 1000000000 - taken;
        if (due > kMixRate / 2) {
            taken += due - kMixRate / 2;
            due = kMixRate / 2;
        }
        while (due > 0) {
            int n = int(std::min<int64_t>(due, kMixRate / 20));
            scratch.resize(size_t(n) * 2);
            mixer.mix(scratch.data(), n);
            taken += n;
            due -= n;
        }
    }

    SoundMixer &mixer;
    QAudioDevice device;
    QAudioSink *sink = nullptr;
    MixFeed *feed = nullptr;
    QTimer *timer = nullptr;
    QElapsedTimer clock;
    int64_t taken = 0;
    std::vector<int16_t> scratch;
};

SoundOutput::SoundOutput(SoundMixer &mixer) : mixer(mixer) {}

SoundOutput::~SoundOutput()
{
    stop();
}

void SoundOutput::start()
{
    if (worker)
        return;
    // The device is looked up here: the media backend belongs to the GUI thread.
    worker = new SoundOutputWorker(mixer, QMediaDevices::defaultAudioOutput());
    worker->moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(worker, [w = worker] { w->open(); }, Qt::BlockingQueuedConnection);
}

void SoundOutput::stop()
{
    if (!worker)
        return;
    QMetaObject::invokeMethod(worker, [w = worker] { w->close(); }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
    delete worker;
    worker = nullptr;
}

bool SoundOutput::onDevice() const
{
    return worker && worker->onDevice;
}

}
