// Sound.loadSound: an MP3 file next to a movie on disk, loaded whole; one
// from the web playing while it still arrives; files that cannot be had.
#include "../../SoundRecording.h"
#include "../../SwfTestUtil.h"
#include "../../TestHttpServer.h"
#include "SoundScripts.h"
#include "SoundWriter.h"
#include "SwfWriter.h"
#include "swf/SwfPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <cmath>

using namespace soundscripts;

namespace {

// Half a second of a loud tone as an MP3 file with a title tag.
QByteArray toneFile()
{
    swfmake::Pcm pcm;
    for (int i = 0; i < 22050; ++i)
        pcm.samples.push_back(int16_t(20000 * std::sin(i * 2 * M_PI * 440 / 44100)));
    std::optional<swfmake::SoundData> mp3 = swfmake::mp3Sound(pcm);
    if (!mp3)
        return {};
    QByteArray title = QByteArray("TIT2") + QByteArray("\0\0\0\x06\0\0", 6) + QByteArray("\0Tone!", 6);
    return QByteArray("ID3\x03\0\0\0\0\0", 9) + char(title.size()) + title + mp3->data;
}

// var s = new Sound(); handlers tracing what they hear; s.loadSound(url, streaming)
ActionWriter loadScript(const QString &url, bool streaming)
{
    ActionWriter w;
    newSound(w, QStringLiteral("s"));
    ActionWriter onLoad;
    onLoad.trace(QStringLiteral("loaded"));
    onLoad.getVariable(QStringLiteral("ok")).op(Op::Trace);
    traceMember(onLoad, QStringLiteral("s"), QStringLiteral("duration"));
    traceCall(onLoad, QStringLiteral("s"), QStringLiteral("getBytesTotal"));
    setHandler(w, QStringLiteral("s"), QStringLiteral("onLoad"), {QStringLiteral("ok")}, onLoad);
    ActionWriter onId3;
    onId3.getVariable(QStringLiteral("s")).push({QStringLiteral("id3")}).op(Op::GetMember);
    onId3.push({QStringLiteral("songname")}).op(Op::GetMember).op(Op::Trace);
    setHandler(w, QStringLiteral("s"), QStringLiteral("onID3"), {}, onId3);
    setHandler(w, QStringLiteral("s"), QStringLiteral("onSoundComplete"), {},
               ActionWriter().trace(QStringLiteral("done")));
    call(w, QStringLiteral("s"), QStringLiteral("loadSound"), {url, streaming});
    return w;
}

class SoundLoad : public testing::Test {
protected:
    void SetUp() override
    {
        tone = toneFile();
        if (tone.isEmpty())
            GTEST_SKIP() << "FFmpeg has no MP3 encoder here";
        QObject::connect(&player, &swf::Player::traced, [this](const QString &line) { traced << line; });
    }
    // Plays a movie from `address` whose first frame runs `script`.
    void open(const QString &address, const ActionWriter &script)
    {
        swfmake::MovieWriter m(100, 100, 10, 8);
        m.tag(12, ActionWriter(script).op(Op::Stop).block());
        m.showFrame();
        player.sound().setManualOutput(true);
        player.setManualTicks(true);
        movie = swftest::load(m.finish());
        movie->setAddress(address);
        player.setMovie(movie);
        player.tick();
    }
    // The loudest sample of the next `ms` milliseconds.
    int loudest(int ms)
    {
        soundtest::Recording r;
        r.pull(player.sound().mixer(), 44100 * ms / 1000);
        player.sound().update();
        int most = 0;
        for (int16_t s : r.samples)
            most = std::max(most, std::abs(int(s)));
        return most;
    }

    QByteArray tone;
    swf::Player player;
    std::shared_ptr<swf::Movie> movie;
    QStringList traced;
};

}

TEST_F(SoundLoad, AFileBesideAMovieOnDiskLoadsWholeThenPlaysOnStart)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("tone.mp3")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(tone);
    file.close();
    ActionWriter script = loadScript(QStringLiteral("tone.mp3"), false);
    call(script, QStringLiteral("s"), QStringLiteral("start"));
    open(dir.filePath(QStringLiteral("lesson.swf")), script);

    ASSERT_EQ(traced.size(), 5);
    EXPECT_EQ(traced.mid(0, 3), QStringList({QStringLiteral("Tone!"), QStringLiteral("loaded"), QStringLiteral("true")}));
    // In milliseconds, of whole frames: the encoder's delay and padding count.
    EXPECT_GE(traced[3].toInt(), 500);
    EXPECT_LE(traced[3].toInt(), 560);
    EXPECT_EQ(traced[4].toLongLong(), tone.size());
    EXPECT_GT(loudest(200), 10000) << "started once loaded";
    loudest(400);
    EXPECT_EQ(traced.mid(5), QStringList({QStringLiteral("done")}));
}

TEST_F(SoundLoad, AStreamingLoadWaitsForSoundbuftimeSecondsThenPlaysBeforeItHasAllArrived)
{
    TestHttpServer server;
    server.route("/sounds/tone.mp3", {TestHttpServer::Mode::Slow, tone, {}, tone.size() / 2});
    open(server.url(QStringLiteral("/lessons/lesson.swf")), loadScript(QStringLiteral("../sounds/tone.mp3"), true));
    QTRY_VERIFY_WITH_TIMEOUT(traced.contains(QStringLiteral("Tone!")), 5000);
    EXPECT_EQ(loudest(100), 0) << "a quarter of a second is less than the five seconds awaited";

    // _soundbuftime = 0, then the same again.
    ActionWriter buffer;
    buffer.push({QString(), 18, 0}).op(Op::SetProperty);
    buffer.push({QString(), 18}).op(Op::GetProperty).op(Op::Trace);
    ActionWriter script = loadScript(QStringLiteral("../sounds/tone.mp3"), true);
    traced.clear();
    open(server.url(QStringLiteral("/lessons/lesson.swf")), buffer.bytes(script.body()));
    EXPECT_EQ(traced.value(0), QStringLiteral("0"));
    int heard = 0;
    QTRY_VERIFY_WITH_TIMEOUT((heard = std::max(heard, loudest(10))) > 10000, 5000);
    EXPECT_FALSE(traced.contains(QStringLiteral("loaded"))) << "heard while half of it is still to come";
    server.release();
    QTRY_VERIFY_WITH_TIMEOUT(traced.contains(QStringLiteral("loaded")), 5000);
    EXPECT_EQ(traced.value(1), QStringLiteral("Tone!"));
    for (int i = 0; i < 100 && !traced.contains(QStringLiteral("done")); ++i)
        loudest(10);
    EXPECT_EQ(traced.count(QStringLiteral("done")), 1);
}

TEST_F(SoundLoad, FilesThatCannotBeHadEndInOnLoadFalse)
{
    QTemporaryDir dir;
    QFile text(dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a sound at all");
    text.close();
    ActionWriter script = loadScript(QStringLiteral("missing.mp3"), false);
    call(script, QStringLiteral("s"), QStringLiteral("loadSound"), {QStringLiteral("notes.txt"), false});
    open(dir.filePath(QStringLiteral("lesson.swf")), script);
    EXPECT_EQ(traced.count(QStringLiteral("false")), 2) << traced.join(QLatin1Char('|')).toStdString();

    TestHttpServer server;
    traced.clear();
    open(server.url(QStringLiteral("/lesson.swf")), loadScript(QUrl::fromLocalFile(text.fileName()).toString(), false));
    EXPECT_EQ(traced.count(QStringLiteral("false")), 1) << "a movie from the web may not read local files";
}
