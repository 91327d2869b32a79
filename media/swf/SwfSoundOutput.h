#pragma once
// Plays a mixer from a thread of its own: on the default sound device, or,
// when there is none or it will not start, on a silent clock that takes the
// mix at the pace of the system clock, so sounds still end and stream sound
// still sets the timeline's pace. The mix is pulled in pieces of about
// 10 ms with about 30 ms waiting on the device, so a sound is heard within
// 50 ms of being started. Other programs and controls keep the device too.
#include <QAudioDevice>
#include <QThread>
#include <memory>

namespace swf {

class SoundMixer;
class SoundOutputWorker;

class SoundOutput {
public:
    explicit SoundOutput(SoundMixer &mixer);
    ~SoundOutput();
    SoundOutput(const SoundOutput &) = delete;
    SoundOutput &operator=(const SoundOutput &) = delete;

    // Opens the device (or the silent clock) unless already open.
    void start();
    // Lets go of the device and stops pulling.
    void stop();
    bool running() const { return worker != nullptr; }
    // True while a device plays (false on the silent clock); valid once
    // start() has returned.
    bool onDevice() const;

private:
    SoundMixer &mixer;
    QThread thread;
    SoundOutputWorker *worker = nullptr;
};

}
