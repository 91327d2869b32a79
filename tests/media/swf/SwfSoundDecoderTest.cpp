// Every sound format decodes to the samples FFmpeg's command-line tool gives
// for the same data: a tone is encoded by the tool into FLV (whose audio
// packets carry the same format byte and data as a movie's sounds), and
// each packet's data goes through our decoder as a stream block would. An
// event sound's ADPCM, decoded a block at a time, gives the samples of the
// whole data decoded at once.
#include "swf/SwfSoundDecoder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

struct Packet {
    uint8_t format = 0;
    QByteArray data;
};

bool ffmpeg(const QStringList &args)
{
    QProcess p;
    p.start("ffmpeg", QStringList{"-v", "error", "-y"} + args);
    return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The audio packets of an FLV file.
std::vector<Packet> flvAudio(const QByteArray &flv)
{
    std::vector<Packet> packets;
    auto at = [&](qsizetype i) { return uint32_t(uint8_t(flv[i])); };
    if (flv.size() < 13)
        return packets;
    qsizetype pos = qsizetype(at(5) << 24 | at(6) << 16 | at(7) << 8 | at(8)) + 4;
    while (pos + 11 <= flv.size()) {
        uint32_t type = at(pos) & 0x1F;
        qsizetype size = qsizetype(at(pos + 1) << 16 | at(pos + 2) << 8 | at(pos + 3));
        qsizetype body = pos + 11;
        if (body + size > flv.size())
            break;
        if (type == 8 && size > 1)
            packets.push_back({uint8_t(flv[body]), flv.mid(body + 1, size - 1)});
        pos = body + size + 4;
    }
    return packets;
}

std::vector<int16_t> toSamples(const QByteArray &raw)
{
    std::vector<int16_t> s(size_t(raw.size() / 2));
    std::memcpy(s.data(), raw.constData(), s.size() * 2);
    return s;
}

struct Case {
    const char *encoder;
    int rate;
    int channels;
    uint8_t codec; // the format nibble the packets must carry
    bool exact;
};

class SwfSoundDecoder : public testing::TestWithParam<Case> {};

TEST_P(SwfSoundDecoder, DecodesPacketsToTheSamplesOfTheCommandLineTool)
{
    const Case &c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile tone(dir.filePath("tone.raw"));
    ASSERT_TRUE(tone.open(QIODevice::WriteOnly));
    for (int i = 0; i < 44100; ++i)
        for (int ch = 0; ch < 2; ++ch) {
            auto v = int16_t(std::lround((ch ? 7000 : 9000) * std::sin(2 * M_PI * (440 + 220 * ch) * i / 44100.0)));
            tone.write(reinterpret_cast<const char *>(&v), 2);
        }
    tone.close();
    QString flv = dir.filePath("coded.flv");
    QString reference = dir.filePath("reference.raw");
    ASSERT_TRUE(ffmpeg({"-f", "s16le", "-ar", "44100", "-ac", "2", "-i", tone.fileName(), "-c:a", c.encoder, "-ar",
                        QString::number(c.rate), "-ac", QString::number(c.channels), flv}))
        << "ffmpeg cannot encode with " << c.encoder;
    ASSERT_TRUE(ffmpeg({"-i", flv, "-f", "s16le", "-c:a", "pcm_s16le", reference}));
    QFile flvFile(flv), refFile(reference);
    ASSERT_TRUE(flvFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(refFile.open(QIODevice::ReadOnly));
    std::vector<Packet> packets = flvAudio(flvFile.readAll());
    std::vector<int16_t> expected = toSamples(refFile.readAll());
    ASSERT_FALSE(packets.empty());
    ASSERT_FALSE(expected.empty());

    swf::SoundFormat format = swf::readSoundFormat(packets.front().format);
    ASSERT_EQ(int(format.codec), c.codec);
    ASSERT_EQ(format.sampleRate(), c.rate);
    ASSERT_EQ(format.channels(), c.channels);
    swf::SoundDecoder decoder(format, c.rate, c.channels);
    ASSERT_TRUE(decoder.usable());
    std::vector<int16_t> decoded;
    for (const Packet &p : packets)
        decoder.decode(reinterpret_cast<const uint8_t *>(p.data.constData()), size_t(p.data.size()), decoded);
    decoder.finish(decoded);

    ASSERT_EQ(decoded.size(), expected.size());
    int worst = 0;
    for (size_t i = 0; i < decoded.size(); ++i)
        worst = std::max(worst, std::abs(decoded[i] - expected[i]));
    EXPECT_EQ(worst, 0) << (c.exact ? "the codec is exact" : "the same decoder must give the same samples");
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SwfSoundDecoder,
    testing::Values(Case{"pcm_s16le", 44100, 2, 3, true}, Case{"pcm_u8", 11025, 1, 0, true},
                    Case{"adpcm_swf", 22050, 2, 1, true}, Case{"adpcm_swf", 44100, 1, 1, true},
                    Case{"libmp3lame", 44100, 2, 2, false}, Case{"libmp3lame", 22050, 1, 2, false},
                    Case{"libmp3lame", 11025, 1, 2, false}, Case{"nellymoser", 16000, 1, 4, false},
                    Case{"nellymoser", 8000, 1, 5, false}, Case{"nellymoser", 22050, 1, 6, false},
                    Case{"libspeex", 16000, 1, 11, false}),
    [](const testing::TestParamInfo<Case> &info) {
        return std::string(info.param.encoder) + "_" + std::to_string(info.param.rate) + "_"
            + std::to_string(info.param.channels);
    });

}

TEST(SwfSoundDecoderAdpcm, AnEventSoundDecodesBlockByBlockToTheSamplesOfTheWholeData)
{
    // Any bits are valid ADPCM: three and a half blocks with five-bit
    // codes, each block ending inside a byte.
    for (int channels : {1, 2}) {
        std::mt19937 random(channels);
        size_t blockBits = size_t(channels) * (22 + 5 * 4095);
        std::vector<uint8_t> data((2 + blockBits * 7 / 2) / 8);
        for (auto &b : data)
            b = uint8_t(random());
        data[0] = uint8_t(3 << 6 | (data[0] & 0x3F)); // five-bit codes
        swf::SoundFormat format = swf::readSoundFormat(uint8_t(1 << 4 | 2 << 2 | 2 | (channels - 1)));
        std::vector<int16_t> whole, pieces;
        swf::SoundDecoder all(format, 22050, channels);
        all.decode(data.data(), data.size(), whole);
        all.finish(whole);
        swf::SoundDecoder cut(format, 22050, channels, swf::SoundDecoder::Pieces::OneStream);
        for (size_t at = 0; at < data.size(); at += 1000)
            cut.decode(data.data() + at, std::min<size_t>(1000, data.size() - at), pieces);
        cut.finish(pieces);
        ASSERT_GT(whole.size(), size_t(3 * 4096 * channels));
        ASSERT_NEAR(double(pieces.size()), double(whole.size()), 3.0 * channels);
        size_t common = std::min(pieces.size(), whole.size());
        EXPECT_TRUE(std::equal(pieces.begin(), pieces.begin() + std::ptrdiff_t(common), whole.begin()));
    }
}
