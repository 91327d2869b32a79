// Reads arbitrary bytes as an MP3 file a script loads (ID3 tags of every
// version, MPEG frames, anything between), whole and in small pieces as a
// slow transfer brings them, and decodes the frames found.
#include "swf/SwfEventVoice.h"
#include "swf/SwfMp3File.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    swf::Mp3File whole;
    whole.append(bytes);
    whole.finish();
    swf::Mp3File pieces;
    for (qsizetype at = 0; at < bytes.size(); at += 7) {
        pieces.append(bytes.mid(at, 7));
        pieces.takeNewAudio();
    }
    pieces.finish();
    if (!whole.hasAudio())
        return 0;
    swf::EventSound sound;
    sound.format = whole.format();
    sound.data = whole.audio();
    swf::SoundInfo once;
    swf::EventVoice voice(sound, once);
    std::vector<int32_t> mix(2 * 4096);
    while (voice.render(mix.data(), 4096) > 0) {
    }
    return 0;
}
