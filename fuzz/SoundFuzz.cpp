// Reads arbitrary bytes as the sound tags (DefineSound, StartSound, stream
// head and block, DefineButtonSound) and plays them as sound data: the
// first byte is the format, the second the loops, the rest the data, played
// as an event sound and as a stream cut into blocks.
#include "swf/SwfBitReader.h"
#include "swf/SwfError.h"
#include "swf/SwfEventVoice.h"
#include "swf/SwfSound.h"
#include "swf/SwfSoundMixer.h"
#include "swf/SwfStreamVoice.h"

#include <cstdint>
#include <functional>

namespace {

void tryRead(const QByteArray &bytes, const std::function<void(swf::BitReader &)> &read)
{
    swf::BitReader in(bytes);
    try {
        read(in);
    } catch (const swf::SwfError &) {
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    tryRead(bytes, [](swf::BitReader &in) { swf::EventSound::read(in); });
    tryRead(bytes, [](swf::BitReader &in) { swf::readStartSound(in, false, 8); });
    tryRead(bytes, [](swf::BitReader &in) { swf::readStartSound(in, true, 8); });
    tryRead(bytes, [](swf::BitReader &in) { swf::readButtonSounds(in); });
    tryRead(bytes, [](swf::BitReader &in) {
        swf::StreamHead head = swf::readStreamHead(in);
        swf::readStreamBlock(in, head);
    });
    if (size < 2)
        return 0;

    swf::EventSound sound;
    sound.format = swf::readSoundFormat(data[0]);
    sound.sampleCount = uint32_t(size) * 4;
    sound.data = bytes.mid(2);
    swf::SoundInfo info;
    info.loops = 1 + data[1] % 3;
    swf::StreamHead head;
    head.format = sound.format;
    head.samplesPerFrame = 512;
    std::vector<swf::StreamBlock> blocks;
    for (qsizetype at = 2; at < bytes.size(); at += 97) {
        swf::StreamBlock b;
        b.data = bytes.mid(at, 97);
        b.sampleCount = swf::codedSamples(head.format, b.data, head.samplesPerFrame);
        blocks.push_back(b);
    }
    auto stream = std::make_unique<swf::StreamVoice>(head);
    stream->append(std::move(blocks), true);

    swf::SoundMixer mixer;
    mixer.start(std::make_unique<swf::EventVoice>(sound, info));
    mixer.start(std::move(stream));
    std::vector<int16_t> out(4410 * 2);
    for (int i = 0; i < 400 && !mixer.silent(); ++i)
        mixer.mix(out.data(), 4410);
    return 0;
}
