#pragma once
// Sound.loadSound: an MP3 file fetched through the movie control's loader
// (over the web, or from disk next to a movie on disk) and read as it
// arrives. A streaming load plays as its frames come, once _soundbuftime
// seconds of them have; any load becomes the Sound's sound once complete,
// to start again later. The Sound hears onID3 once the file's tags are read
// and onLoad(success) at the end.
#include "swf/SwfLoader.h"
#include "swf/SwfMp3File.h"
#include "swf/SwfTimelineSound.h"

#include "swf/avm1/Value.h"

#include <QObject>
#include <memory>

namespace swf {
class DisplayObject;
}

namespace swf::avm1 {

class Object;
class Vm;

class SoundLoad : public QObject {
public:
    // Loads `address` for the Sound `sound`; a streaming load plays as a
    // sound of `owner` (none: of the movie).
    SoundLoad(Vm &vm, Object *sound, bool streaming, std::weak_ptr<DisplayObject> owner);
    void start(const QString &address);
    // Another load takes over: the transfer and the sound playing as it
    // arrives stop, and the Sound is no longer kept for it.
    void cancel();
    // The Sound is going away with its machine: the transfer just stops.
    void drop() { loader.cancel(); }

    qint64 bytesLoaded() const { return received; }
    qint64 bytesTotal() const { return total; }

private:
    void arrived(const QByteArray &bytes);
    void ended(const LoadFailure &failure);
    // Starts playing the frames found so far, or hands on new ones.
    void play(bool last);
    // Sets the Sound's id3 from the file's tags and calls its onID3.
    void tellTags();
    void call(const char *handler, const Value *arg);

    Vm &vm;
    Object *sound;
    bool streaming;
    std::weak_ptr<DisplayObject> owner;
    Loader loader;
    Mp3File file;
    qint64 received = 0;
    qint64 total = 0;
    bool busy = false;
    bool tagsTold = false;
    TimelineSound::VoiceId voice = 0;
};

}
