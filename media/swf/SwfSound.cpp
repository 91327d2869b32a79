#include "SwfSound.h"

#include "SwfBitReader.h"
#include "SwfError.h"

#include <algorithm>

namespace swf {

int SoundFormat::sampleRate() const
{
    switch (codec) {
    case SoundCodec::Nellymoser16k:
    case SoundCodec::Speex:
        return 16000;
    case SoundCodec::Nellymoser8k:
        return 8000;
    default:
        return 44100 >> (3 - rateCode);
    }
}

int SoundFormat::channels() const
{
    // Nellymoser and Speex are mono whatever the type bit says.
    switch (codec) {
    case SoundCodec::Nellymoser16k:
    case SoundCodec::Nellymoser8k:
    case SoundCodec::Nellymoser:
    case SoundCodec::Speex:
        return 1;
    default:
        return stereo ? 2 : 1;
    }
}

bool SoundFormat::known() const
{
    switch (codec) {
    case SoundCodec::PcmNative:
    case SoundCodec::Adpcm:
    case SoundCodec::Mp3:
    case SoundCodec::PcmLittle:
    case SoundCodec::Nellymoser16k:
    case SoundCodec::Nellymoser8k:
    case SoundCodec::Nellymoser:
    case SoundCodec::Speex:
        return true;
    }
    return false;
}

SoundFormat readSoundFormat(uint8_t packed)
{
    SoundFormat f;
    f.codec = SoundCodec(packed >> 4);
    f.rateCode = (packed >> 2) & 3;
    f.sixteenBit = packed & 2;
    f.stereo = packed & 1;
    return f;
}

SoundInfo readSoundInfo(BitReader &in)
{
    SoundInfo info;
    uint8_t flags = in.u8();
    info.stop = flags & 0x20;
    info.noMultiple = flags & 0x10;
    if (flags & 0x01)
        info.inPoint = in.u32();
    if (flags & 0x02)
        info.outPoint = in.u32();
    if (flags & 0x04)
        info.loops = in.u16();
    if (flags & 0x08) {
        int points = in.u8();
        for (int i = 0; i < points; ++i) {
            EnvelopePoint p;
            p.position44 = in.u32();
            p.left = in.u16();
            p.right = in.u16();
            info.envelope.push_back(p);
        }
    }
    return info;
}

EventSound EventSound::read(BitReader &in)
{
    EventSound sound;
    sound.format = readSoundFormat(in.u8());
    sound.sampleCount = in.u32();
    if (sound.format.codec == SoundCodec::Mp3)
        sound.seekSamples = in.s16();
    sound.data = in.bytes(in.remaining());
    return sound;
}

int EventSound::durationMs() const
{
    return int(int64_t(sampleCount) * 1000 / format.sampleRate());
}

StartSoundCommand readStartSound(BitReader &in, bool byClassName, int version)
{
    StartSoundCommand c;
    if (byClassName)
        c.className = in.string(version);
    else
        c.soundId = in.u16();
    c.info = readSoundInfo(in);
    return c;
}

StreamHead readStreamHead(BitReader &in)
{
    StreamHead head;
    in.u8(); // the rate the author asked to play at; the stream's own rate is what plays
    head.format = readSoundFormat(in.u8());
    head.samplesPerFrame = in.u16();
    if (head.format.codec == SoundCodec::Mp3 && in.remaining() >= 2)
        head.latencySeek = in.s16();
    return head;
}

StreamBlock readStreamBlock(BitReader &in, const StreamHead &head)
{
    StreamBlock block;
    if (head.format.codec == SoundCodec::Mp3) {
        block.sampleCount = in.u16();
        block.seekSamples = in.s16();
    }
    block.data = in.bytes(in.remaining());
    if (head.format.codec != SoundCodec::Mp3)
        block.sampleCount = codedSamples(head.format, block.data, head.samplesPerFrame);
    return block;
}

int codedSamples(const SoundFormat &format, const QByteArray &data, int otherwise)
{
    int64_t channels = format.channels();
    int64_t bytes = data.size();
    switch (format.codec) {
    case SoundCodec::PcmNative:
    case SoundCodec::PcmLittle:
        return int(bytes / (channels * (format.sixteenBit ? 2 : 1)));
    case SoundCodec::Nellymoser16k:
    case SoundCodec::Nellymoser8k:
    case SoundCodec::Nellymoser:
        return int(bytes / 64 * 256);
    case SoundCodec::Adpcm: {
        // Two bits of code size, then blocks of 4096 samples: per channel a
        // 16-bit first sample and a 6-bit step index, then 4095 codes each.
        if (bytes < 1)
            return 0;
        int64_t codeBits = (uint8_t(data[0]) >> 6) + 2;
        int64_t bits = bytes * 8 - 2;
        int64_t header = 22 * channels;
        int64_t block = header + codeBits * channels * 4095;
        int64_t blocks = bits / block;
        int64_t left = bits - blocks * block;
        int64_t samples = blocks * 4096;
        if (left >= header)
            samples += 1 + (left - header) / (codeBits * channels);
        return int(samples);
    }
    default:
        return otherwise;
    }
}

std::pair<uint16_t, ButtonSounds> readButtonSounds(BitReader &in)
{
    uint16_t button = in.u16();
    ButtonSounds sounds;
    for (auto &entry : sounds.entries) {
        if (in.atEnd())
            break;
        entry.soundId = in.u16();
        if (entry.soundId)
            entry.info = readSoundInfo(in);
    }
    return {button, sounds};
}

}
