#pragma once
// Sound as a movie stores it: the format byte shared by event and stream
// sounds, event sounds (DefineSound) and how a frame starts them, the
// stream head and blocks that carry a timeline's stream sound, and the
// sounds a button plays on its state changes.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace swf {

class BitReader;

enum class SoundCodec : uint8_t {
    PcmNative = 0, // little-endian on every machine movies came from
    Adpcm = 1,
    Mp3 = 2,
    PcmLittle = 3,
    Nellymoser16k = 4,
    Nellymoser8k = 5,
    Nellymoser = 6,
    Speex = 11,
};

struct SoundFormat {
    SoundCodec codec = SoundCodec::PcmLittle;
    int rateCode = 0; // 0..3: 5512, 11025, 22050, 44100 Hz
    bool sixteenBit = false;
    bool stereo = false;

    // The rate the data is coded at; Nellymoser at 8 or 16 kHz and Speex
    // (always 16 kHz) ignore the rate field.
    int sampleRate() const;
    int channels() const;
    bool known() const;
};

// The format nibble, rate, size and type packed into one byte.
SoundFormat readSoundFormat(uint8_t packed);

struct EnvelopePoint {
    uint32_t position44 = 0; // in samples at 44.1 kHz
    uint16_t left = 32768;   // 32768 is full level
    uint16_t right = 32768;
};

// How a sound is started: stop instead, no second copy, in and out points
// (samples at 44.1 kHz), loops and a volume envelope.
struct SoundInfo {
    bool stop = false;
    bool noMultiple = false;
    std::optional<uint32_t> inPoint;
    std::optional<uint32_t> outPoint;
    int loops = 1;
    std::vector<EnvelopePoint> envelope;
};

SoundInfo readSoundInfo(BitReader &in);

// An event sound as DefineSound stores it (after its id). For MP3 the data
// starts after the seek samples.
struct EventSound {
    SoundFormat format;
    uint32_t sampleCount = 0;
    int seekSamples = 0;
    QByteArray data;

    static EventSound read(BitReader &in);
    // Duration in milliseconds as the sample count says.
    int durationMs() const;
};

// StartSound (by id) and StartSound2 (by class name), a frame command.
struct StartSoundCommand {
    uint16_t soundId = 0;
    QString className;
    SoundInfo info;
};

StartSoundCommand readStartSound(BitReader &in, bool byClassName, int version);

// SoundStreamHead and SoundStreamHead2.
struct StreamHead {
    SoundFormat format;
    int samplesPerFrame = 0;
    int latencySeek = 0;
};

StreamHead readStreamHead(BitReader &in);

// SoundStreamBlock: one frame's share of the stream. MP3 blocks say how
// many samples they hold and how many of their first decoded samples
// belong before the frame.
struct StreamBlock {
    QByteArray data;
    int sampleCount = 0;
    int seekSamples = 0;
};

StreamBlock readStreamBlock(BitReader &in, const StreamHead &head);

// The samples (per channel) that `data` decodes to, found from its size and
// header where the format allows; `otherwise` where it does not (Speex).
int codedSamples(const SoundFormat &format, const QByteArray &data, int otherwise);

// DefineButtonSound: a sound per state change, in the order over-up to
// idle, idle to over-up, over-up to over-down, over-down to over-up.
struct ButtonSounds {
    enum Change { OverToIdle = 0, IdleToOver = 1, OverToDown = 2, DownToOver = 3 };
    struct Entry {
        uint16_t soundId = 0;
        SoundInfo info;
    };
    std::array<Entry, 4> entries;
};

// Reads the button id and its sounds.
std::pair<uint16_t, ButtonSounds> readButtonSounds(BitReader &in);

}
