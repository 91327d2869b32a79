// Buttons play their sound for each state change as the mouse enters,
// presses, releases and leaves, once per change.
#include "SoundRecording.h"
#include "SoundWriter.h"
#include "SwfTestUtil.h"
#include "avm1/display/SoundScripts.h"
#include "swf/FlashControl.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace soundtest;

namespace {

constexpr int kTw = 20;

// The loudest sample recorded since the last call.
int16_t loudest(Recording &r, size_t &from)
{
    int16_t most = 0;
    for (size_t i = from; i < r.samples.size(); ++i)
        most = std::max(most, r.samples[i]);
    from = r.samples.size();
    return most;
}

// A red 40-pixel square (shape 1) as every state of button 2.
void defineSquareButton(swfmake::MovieWriter &m)
{
    using namespace swfmake;
    ShapeBuilder square;
    square.setStyles(0, square.addFill(Fill::solid(Qt::red)), 0);
    square.rect(0, 0, 40 * kTw, 40 * kTw);
    m.defineShape(1, square);
    m.defineButton2(2, {{0x01 | 0x02 | 0x04 | 0x08, 1, 1, QTransform()}}, {}, {});
}

// A shown 100 x 100 control playing the movie, its sound pulled by hand.
struct ButtonMovie {
    explicit ButtonMovie(const QByteArray &movie)
    {
        path = swftest::saveMovie(dir, "button.swf", movie);
        control.player().sound().setManualOutput(true);
        control.resize(100, 100);
        control.show();
        loaded = !path.isEmpty() && QTest::qWaitForWindowExposed(&control);
        if (loaded) {
            control.setMovie(path);
            loaded = control.player().root() != nullptr;
        }
    }
    // Records the next 20 ms of sound.
    void listen() { recording.pull(control.player().sound().mixer(), 882); }

    QTemporaryDir dir;
    QString path;
    swf::FlashControl control;
    Recording recording;
    bool loaded = false;
};

}

TEST(SwfButtonSound, EachStateChangePlaysItsOwnSound)
{
    using namespace swfmake;
    MovieWriter m(100, 100, 12);
    defineSquareButton(m);
    // Sounds 11..14 hold 1000, 2000, 3000 and 4000 for 10 ms each.
    for (int i = 1; i <= 4; ++i) {
        Pcm pcm;
        pcm.samples.assign(441, int16_t(1000 * i));
        defineSound(m, 10 + i, pcmSound(pcm));
    }
    defineButtonSound(m, 2, 14, 11, 12, 13); // leave, enter, press, release
    m.place({1, false, 2, QTransform::fromTranslate(30 * kTw, 30 * kTw), {}, {}, {}, {}});
    m.showFrame();
    ButtonMovie movie(m.finish());
    ASSERT_TRUE(movie.loaded);
    swf::FlashControl &control = movie.control;
    Recording &r = movie.recording;
    size_t from = 0;

    QTest::mouseMove(&control, {50, 50});
    movie.listen();
    EXPECT_EQ(loudest(r, from), 1000) << "entering";
    QTest::mouseMove(&control, {52, 52});
    movie.listen();
    EXPECT_EQ(loudest(r, from), 0) << "moving within the button changes nothing";
    QTest::mousePress(&control, Qt::LeftButton, {}, {52, 52});
    movie.listen();
    EXPECT_EQ(loudest(r, from), 2000) << "pressing";
    QTest::mouseRelease(&control, Qt::LeftButton, {}, {52, 52});
    movie.listen();
    EXPECT_EQ(loudest(r, from), 3000) << "releasing";
    QTest::mouseMove(&control, {5, 5});
    movie.listen();
    EXPECT_EQ(loudest(r, from), 4000) << "leaving";
}

TEST(SwfButtonSound, ASoundOnTheClipHoldingAButtonSetsItsVolume)
{
    using namespace swfmake;
    MovieWriter m(100, 100, 12, 8);
    defineSquareButton(m);
    Pcm pcm;
    pcm.samples.assign(441, int16_t(2000));
    defineSound(m, 11, pcmSound(pcm));
    defineButtonSound(m, 2, 0, 11, 0, 0);
    TagWriter holder;
    holder.place({1, false, 2, QTransform::fromTranslate(30 * kTw, 30 * kTw), {}, {}, {}, {}});
    holder.showFrame();
    m.defineSprite(3, holder);
    m.place({1, false, 3, QTransform(), {}, {}, QStringLiteral("holder"), {}});
    ActionWriter script;
    soundscripts::newSound(script, QStringLiteral("s"), QStringLiteral("holder"));
    soundscripts::call(script, QStringLiteral("s"), QStringLiteral("setVolume"), {50});
    m.tag(12, script.block());
    m.showFrame();
    ButtonMovie movie(m.finish());
    ASSERT_TRUE(movie.loaded);
    QTest::mouseMove(&movie.control, {50, 50});
    movie.listen();
    size_t from = 0;
    EXPECT_EQ(loudest(movie.recording, from), 1000) << "the holder's half of the entering sound";
}
