// Sound objects heard through a recording sink: volume, pan and transform
// of a clip's sounds (and of the clips holding it, and of the whole movie)
// on the sample values, onSoundComplete once per end, position and duration
// in milliseconds, and stopping by clip and by name.
#include "../../SoundRecording.h"
#include "../../SwfTestUtil.h"
#include "SoundScripts.h"
#include "SoundWriter.h"
#include "SwfWriter.h"
#include "swf/SwfPlayer.h"
#include "swf/avm1/display/MovieScripts.h"

#include <gtest/gtest.h>

using namespace soundscripts;

namespace {

// Sound `id` holds `value` for `ms` milliseconds at 44.1 kHz, exported as `name`.
void exportSound(swfmake::MovieWriter &m, int id, const QString &name, int value, int ms)
{
    swfmake::Pcm pcm;
    pcm.samples.assign(size_t(44100 * ms / 1000), int16_t(value));
    swfmake::defineSound(m, id, swfmake::pcmSound(pcm));
    swfmake::BitWriter exports;
    exports.u16(1);
    exports.u16(uint16_t(id));
    exports.string(name);
    m.tag(56, exports.data());
}

class SoundObject : public testing::Test {
protected:
    // A movie with sounds "high" (10000, 100 ms), "low" (2000, 100 ms) and
    // "long" (4000, a second), an empty clip "clip" holding one named
    // "inner", and a frame for each script, which runs when its frame is shown.
    void open(const std::vector<ActionWriter> &scripts)
    {
        swfmake::MovieWriter m(100, 100, 10, 8);
        exportSound(m, 1, QStringLiteral("high"), 10000, 100);
        exportSound(m, 2, QStringLiteral("low"), 2000, 100);
        exportSound(m, 3, QStringLiteral("long"), 4000, 1000);
        swfmake::TagWriter inner;
        inner.showFrame();
        m.defineSprite(10, inner);
        swfmake::TagWriter clip;
        clip.place({1, false, 10, QTransform(), {}, {}, QStringLiteral("inner"), {}});
        clip.showFrame();
        m.defineSprite(11, clip);
        m.place({1, false, 11, QTransform(), {}, {}, QStringLiteral("clip"), {}});
        for (const ActionWriter &script : scripts) {
            m.tag(12, ActionWriter(script).op(Op::Stop).block());
            m.showFrame();
        }
        play(m.finish());
    }
    void play(const QByteArray &bytes)
    {
        QObject::connect(&player, &swf::Player::traced, [this](const QString &line) { traced << line; });
        player.sound().setManualOutput(true);
        player.setManualTicks(true);
        movie = swftest::load(bytes);
        player.setMovie(movie);
        player.tick();
    }
    // Shows the next frame, running its script.
    void next()
    {
        player.play();
        player.tick();
    }
    // The next `ms` milliseconds of the mix; the player then hears of
    // sounds that ended.
    soundtest::Recording listen(int ms)
    {
        soundtest::Recording r;
        r.pull(player.sound().mixer(), 44100 * ms / 1000);
        player.sound().update();
        return r;
    }

    swf::Player player;
    std::shared_ptr<swf::Movie> movie;
    QStringList traced;
};

}

TEST_F(SoundObject, VolumeAndPanOfAClipAndTheClipsHoldingItShapeItsSamples)
{
    ActionWriter start;
    newSound(start, QStringLiteral("s"), QStringLiteral("clip"));
    call(start, QStringLiteral("s"), QStringLiteral("attachSound"), {QStringLiteral("long")});
    call(start, QStringLiteral("s"), QStringLiteral("setVolume"), {50});
    call(start, QStringLiteral("s"), QStringLiteral("start"));
    ActionWriter pan;
    call(pan, QStringLiteral("s"), QStringLiteral("setPan"), {-100});
    ActionWriter outer;
    newSound(outer, QStringLiteral("all"));
    call(outer, QStringLiteral("all"), QStringLiteral("setVolume"), {50});
    call(outer, QStringLiteral("s"), QStringLiteral("setPan"), {0});
    ActionWriter cross;
    newSound(cross, QStringLiteral("all"));
    call(cross, QStringLiteral("all"), QStringLiteral("setVolume"), {100});
    cross.push({QStringLiteral("t"), QStringLiteral("ll"), 0, QStringLiteral("lr"), 100, QStringLiteral("rl"), 0,
                QStringLiteral("rr"), 0, 4})
        .op(Op::InitObject)
        .op(Op::SetVariable);
    cross.getVariable(QStringLiteral("t")).push({1});
    cross.getVariable(QStringLiteral("s")).push({QStringLiteral("setTransform")}).op(Op::CallMethod).op(Op::Pop);
    traceCall(cross, QStringLiteral("s"), QStringLiteral("getVolume"));
    traceMember(cross, QStringLiteral("s"), QStringLiteral("duration"));
    open({start, pan, outer, cross});

    soundtest::Recording r = listen(20);
    EXPECT_EQ(r.left(100), 2000) << "half of 4000";
    EXPECT_EQ(r.right(100), 2000);
    next();
    r = listen(20);
    EXPECT_EQ(r.left(100), 2000) << "panned left: the left stays";
    EXPECT_EQ(r.right(100), 0);
    next();
    r = listen(20);
    EXPECT_EQ(r.left(100), 1000) << "the movie's half of the clip's half";
    EXPECT_EQ(r.right(100), 1000);
    next();
    r = listen(20);
    EXPECT_EQ(r.left(100), 0) << "the left channel moved to the right, at the clip's half";
    EXPECT_EQ(r.right(100), 2000);
    EXPECT_EQ(traced, QStringList({QStringLiteral("50"), QStringLiteral("1000")}));
}

TEST_F(SoundObject, OnSoundCompleteComesOnceAfterTheLastLoopAndPositionCountsMilliseconds)
{
    ActionWriter start;
    newSound(start, QStringLiteral("s"));
    call(start, QStringLiteral("s"), QStringLiteral("attachSound"), {QStringLiteral("high")});
    setHandler(start, QStringLiteral("s"), QStringLiteral("onSoundComplete"), {},
               ActionWriter().trace(QStringLiteral("done")));
    // Three loops, the first from 40 ms in: 60 + 100 + 100 ms.
    call(start, QStringLiteral("s"), QStringLiteral("start"), {0.04, 3});
    ActionWriter position;
    traceMember(position, QStringLiteral("s"), QStringLiteral("position"));
    open({start, position, position});

    listen(50);
    next();
    listen(200);
    EXPECT_EQ(traced, QStringList({QStringLiteral("90")})) << "40 ms in, then 50 ms played; no end yet";
    player.tick();
    listen(20);
    EXPECT_EQ(traced.mid(1), QStringList({QStringLiteral("done")}));
    next();
    listen(100);
    EXPECT_EQ(traced.mid(2), QStringList({QStringLiteral("100")})) << "a sound played out stays at its end";
}

TEST_F(SoundObject, StopSilencesAClipsSoundsOrOneSoundByName)
{
    ActionWriter start;
    newSound(start, QStringLiteral("inner"), QStringLiteral("clip.inner"));
    newSound(start, QStringLiteral("outer"), QStringLiteral("clip"));
    call(start, QStringLiteral("inner"), QStringLiteral("attachSound"), {QStringLiteral("long")});
    call(start, QStringLiteral("inner"), QStringLiteral("start"));
    call(start, QStringLiteral("outer"), QStringLiteral("attachSound"), {QStringLiteral("low")});
    call(start, QStringLiteral("outer"), QStringLiteral("start"), {0, 10});
    ActionWriter byName;
    call(byName, QStringLiteral("outer"), QStringLiteral("stop"), {QStringLiteral("low")});
    ActionWriter byClip;
    call(byClip, QStringLiteral("outer"), QStringLiteral("stop"));
    open({start, byName, byClip});

    EXPECT_EQ(listen(20).left(100), 6000);
    next();
    EXPECT_EQ(listen(20).left(100), 4000) << "only \"low\" stopped";
    next();
    EXPECT_EQ(listen(20).left(100), 0) << "the clip's stop reaches the clip inside it";
}

TEST_F(SoundObject, ASoundWhoseClipIsGoneAnswersUndefinedAndPlaysNothing)
{
    ActionWriter script;
    newSound(script, QStringLiteral("s"));
    script.push({QStringLiteral("s"), QStringLiteral("nowhere"), 1, QStringLiteral("Sound")})
        .op(Op::NewObject)
        .op(Op::SetVariable);
    call(script, QStringLiteral("s"), QStringLiteral("attachSound"), {QStringLiteral("high")});
    call(script, QStringLiteral("s"), QStringLiteral("start"));
    traceCall(script, QStringLiteral("s"), QStringLiteral("getVolume"));
    traceMember(script, QStringLiteral("s"), QStringLiteral("duration"));
    open({script});

    EXPECT_EQ(listen(20).firstSound(), -1);
    EXPECT_EQ(traced, QStringList({QStringLiteral("undefined"), QStringLiteral("100")}));
}

TEST_F(SoundObject, SoundbuftimeIsWholeSecondsSharedByEveryClip)
{
    ActionWriter script;
    script.push({QString(), 18}).op(Op::GetProperty).op(Op::Trace);
    const std::vector<PushValue> values = {1.5, QStringLiteral("abc"), -5, QStringLiteral("10")};
    for (const PushValue &value : values) {
        script.push({QStringLiteral("clip"), 18, value}).op(Op::SetProperty);
        script.push({QString(), 18}).op(Op::GetProperty).op(Op::Trace);
    }
    open({script});
    EXPECT_EQ(traced, QStringList({QStringLiteral("5"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("-5"),
                                   QStringLiteral("10")}))
        << "set on a clip, read on the root; what is no number changes nothing";
}

TEST_F(SoundObject, AClipsVolumeReachesTheStreamSoundOfItsTimelineAndTheMoviesStopEndsIt)
{
    swfmake::MovieWriter m(100, 100, 10, 8);
    swfmake::Pcm pcm;
    pcm.samples.assign(44100, int16_t(4000));
    swfmake::StreamData stream = swfmake::pcmStream(pcm, 10);
    swfmake::TagWriter voice;
    swfmake::writeStreamHead(voice, stream);
    for (int k = 0; k < 10; ++k) {
        swfmake::writeStreamBlock(voice, stream, k);
        voice.showFrame();
    }
    m.defineSprite(1, voice);
    m.place({1, false, 1, QTransform(), {}, {}, QStringLiteral("voice"), {}});
    ActionWriter script;
    newSound(script, QStringLiteral("s"), QStringLiteral("voice"));
    call(script, QStringLiteral("s"), QStringLiteral("setVolume"), {25});
    m.tag(12, script.op(Op::Stop).block());
    m.showFrame();
    ActionWriter stopAll;
    newSound(stopAll, QStringLiteral("all"));
    call(stopAll, QStringLiteral("all"), QStringLiteral("stop"));
    m.tag(12, stopAll.op(Op::Stop).block());
    m.showFrame();
    play(m.finish());

    soundtest::Recording r = listen(50);
    EXPECT_EQ(r.left(1000), 1000);
    EXPECT_EQ(r.right(1000), 1000);
    next();
    EXPECT_EQ(listen(50).firstSound(), -1) << "the movie's Sound stops the timelines' streams too";
}

TEST_F(SoundObject, ASoundNoScriptHoldsAnyMoreStillHearsItsEnd)
{
    ActionWriter script;
    newSound(script, QStringLiteral("s"));
    call(script, QStringLiteral("s"), QStringLiteral("attachSound"), {QStringLiteral("high")});
    setHandler(script, QStringLiteral("s"), QStringLiteral("onSoundComplete"), {},
               ActionWriter().trace(QStringLiteral("done")));
    call(script, QStringLiteral("s"), QStringLiteral("start"));
    script.setVariable(QStringLiteral("s"), ActionWriter::Undefined{});
    open({script});
    static_cast<swf::avm1::MovieScripts &>(player.stage()->scripts()).machine().heap.collect();

    listen(150);
    EXPECT_EQ(traced, QStringList({QStringLiteral("done")}));
}
