#pragma once
// An MP3 file as scripts load it, read as its bytes arrive: the ID3 tag at
// its start (version 2.2 to 2.4: text frames and comments), the one at its
// end (version 1), and its MPEG audio frames, counted to know how long the
// sound lasts. Bytes that are no frame are skipped.
#include "SwfSound.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace swf {

// A text frame ("TIT2", "TPE1", ...) or a comment ("COMM") of a tag.
struct Id3Field {
    QString id;
    QString text;
};

class Mp3File {
public:
    void append(const QByteArray &bytes);
    // No more bytes will come: reads the tag at the end.
    void finish();

    // The tag at the start is read (or there is none).
    bool headerRead() const { return state != State::Header; }
    const std::vector<Id3Field> &fields() const { return tagFields; }
    // The audio frames found so far, in order, joined.
    const QByteArray &audio() const { return frames; }
    // Frames found since the last call, whole.
    QByteArray takeNewAudio();
    // The format of the first frame, as a movie's MP3 sound would state it.
    SoundFormat format() const { return soundFormat; }
    bool hasAudio() const { return sampleRate > 0; }
    // How long the frames found so far play.
    int durationMs() const;

private:
    enum class State { Header, Frames, Done };
    void readId3v2(const QByteArray &tag);
    void readId3v1(const QByteArray &tag);
    void scanFrames(bool atEnd);

    State state = State::Header;
    QByteArray pending;
    QByteArray frames;
    qsizetype handedOut = 0;
    std::vector<Id3Field> tagFields;
    SoundFormat soundFormat;
    int sampleRate = 0;
    int64_t samples = 0;
};

}
