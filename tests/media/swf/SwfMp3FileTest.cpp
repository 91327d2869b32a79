// MP3 files as scripts load them: the tags of ID3 versions 1 to 2.4 in
// their text encodings, the frames counted for the sound's length whether
// the bytes come whole or one at a time, and noise around them skipped.
#include "SoundWriter.h"
#include "swf/SwfMp3File.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray syncSafe(uint32_t n)
{
    const char bytes[] = {char((n >> 21) & 0x7F), char((n >> 14) & 0x7F), char((n >> 7) & 0x7F), char(n & 0x7F)};
    return QByteArray(bytes, 4);
}

// A tag of version 2.`version` holding `frames` (each id and body).
QByteArray id3v2(int version, const std::vector<std::pair<QByteArray, QByteArray>> &frames)
{
    QByteArray body;
    for (const auto &[id, data] : frames) {
        body += id;
        if (version == 2) {
            body += QByteArray::fromHex(QByteArray::number(uint(data.size()), 16).rightJustified(6, '0'));
        } else if (version == 4) {
            body += syncSafe(uint32_t(data.size()));
        } else {
            body += QByteArray::fromHex(QByteArray::number(uint(data.size()), 16).rightJustified(8, '0'));
        }
        if (version != 2)
            body += QByteArray(2, '\0');
        body += data;
    }
    const char head[] = {'I', 'D', '3', char(version), 0, 0};
    return QByteArray(head, 6) + syncSafe(uint32_t(body.size())) + body;
}

// A second of a 440 Hz tone as MP3 frames at 44.1 kHz.
QByteArray toneFrames()
{
    swfmake::Pcm pcm;
    for (int i = 0; i < 44100; ++i)
        pcm.samples.push_back(int16_t(8000 * std::sin(i * 2 * M_PI * 440 / 44100)));
    std::optional<swfmake::SoundData> mp3 = swfmake::mp3Sound(pcm);
    return mp3 ? mp3->data : QByteArray();
}

std::vector<std::pair<QString, QString>> fieldsOf(const QByteArray &bytes)
{
    swf::Mp3File file;
    file.append(bytes);
    file.finish();
    std::vector<std::pair<QString, QString>> out;
    for (const swf::Id3Field &f : file.fields())
        out.emplace_back(f.id, f.text);
    return out;
}

using Fields = std::vector<std::pair<QString, QString>>;

}

TEST(SwfMp3File, TagsOfEachVersionAndEncodingGiveTheirTextFramesAndComments)
{
    QByteArray utf16le = QByteArray("\x01\xFF\xFE", 3) + QByteArray("W\0o\0r\0d\0\0\0", 10);
    QByteArray comment = QByteArray("\x00" "eng" "about\x00" "hello", 15);
    EXPECT_EQ(fieldsOf(id3v2(3, {{"TIT2", QByteArray("\x00Title", 6)}, {"TPE1", utf16le}, {"COMM", comment},
                                 {"WOAR", "http://example.com"}, {"TXXX", QByteArray("\x00k\x00v", 4)}})),
              (Fields{{"TIT2", "Title"}, {"TPE1", "Word"}, {"COMM", "hello"}}))
        << "link and user frames are left out";
    EXPECT_EQ(fieldsOf(id3v2(4, {{"TALB", QByteArray("\x03") + QStringLiteral("声音").toUtf8()},
                                 {"TYER", QByteArray("\x02\x00\x32\x00\x30", 5)}})),
              (Fields{{"TALB", QStringLiteral("声音")}, {"TYER", "20"}}));
    EXPECT_EQ(fieldsOf(id3v2(2, {{"TT2", QByteArray("\x00Old", 4)}, {"COM", QByteArray("\x00" "engd\x00x", 7)}})),
              (Fields{{"TIT2", "Old"}, {"COMM", "x"}}))
        << "three-letter frames under their four-letter names";

    QByteArray v1 = "TAG" + QByteArray("Song").leftJustified(30, '\0') + QByteArray("Singer").leftJustified(30, ' ')
        + QByteArray(30, '\0') + "1999" + QByteArray("Nice").leftJustified(28, '\0') + QByteArray("\x00\x07\x11", 3);
    EXPECT_EQ(fieldsOf(toneFrames() + v1),
              (Fields{{"TIT2", "Song"}, {"TPE1", "Singer"}, {"TYER", "1999"}, {"COMM", "Nice"}, {"TRCK", "7"}}));
}

TEST(SwfMp3File, FramesAreCountedTheSameWhetherBytesComeWholeOrOneAtATime)
{
    QByteArray frames = toneFrames();
    if (frames.isEmpty())
        GTEST_SKIP() << "FFmpeg has no MP3 encoder here";
    QByteArray file = id3v2(3, {{"TIT2", QByteArray("\x00T", 2)}}) + "noise" + frames
        + "TAG" + QByteArray(125, '\0');

    swf::Mp3File whole;
    whole.append(file);
    whole.finish();
    EXPECT_EQ(whole.audio(), frames) << "the tags and the noise are no audio";
    EXPECT_NEAR(whole.durationMs(), 1000, 60);
    EXPECT_EQ(whole.format().sampleRate(), 44100);
    EXPECT_FALSE(whole.format().stereo);

    swf::Mp3File bytes;
    QByteArray handedOut;
    for (char c : file) {
        bytes.append(QByteArray(1, c));
        handedOut += bytes.takeNewAudio();
    }
    EXPECT_TRUE(bytes.headerRead());
    bytes.finish();
    handedOut += bytes.takeNewAudio();
    EXPECT_EQ(handedOut, frames) << "each frame handed out once, whole";
    EXPECT_EQ(bytes.durationMs(), whole.durationMs());
    EXPECT_EQ(bytes.fields().size(), 1u);
}

TEST(SwfMp3File, ACutTagOrBytesWithoutFramesGiveNothing)
{
    swf::Mp3File cut;
    cut.append(id3v2(3, {{"TIT2", QByteArray("\x00Title", 6)}}).left(15));
    EXPECT_FALSE(cut.headerRead());
    cut.finish();
    EXPECT_FALSE(cut.hasAudio());
    EXPECT_TRUE(cut.fields().empty());

    swf::Mp3File noise;
    noise.append(QByteArray(5000, '\xFF'));
    noise.finish();
    EXPECT_FALSE(noise.hasAudio()) << "sync bits alone make no frame";
    EXPECT_EQ(noise.durationMs(), 0);
}
