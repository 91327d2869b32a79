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

}

TEST(SwfButtonSound, EachStateChangePlaysItsOwnSound)
{
    using namespace swfmake;
    MovieWriter m(100, 100, 12);
    ShapeBuilder square;
    square.setStyles(0, square.addFill(Fill::solid(Qt::red)), 0);
    square.rect(0, 0, 40 * kTw, 40 * kTw);
    m.defineShape(1, square);
    m.defineButton2(2, {{0x01 | 0x02 | 0x04 | 0x08, 1, 1, QTransform()}}, {}, {});
    // Sounds 11..14 hold 1000, 2000, 3000 and 4000 for 10 ms each.
    for (int i = 1; i <= 4; ++i) {
        Pcm pcm;
        pcm.samples.assign(441, int16_t(1000 * i));
        defineSound(m, 10 + i, pcmSound(pcm));
    }
    defineButtonSound(m, 2, 14, 11, 12, 13); // leave, enter, press, release
    m.place({1, false, 2, QTransform::fromTranslate(30 * kTw, 30 * kTw), {}, {}, {}, {}});
    m.showFrame();
    QTemporaryDir dir;
    QString path = swftest::saveMovie(dir, "button.swf", m.finish());
    ASSERT_FALSE(path.isEmpty());

    swf::FlashControl control;
    control.player().sound().setManualOutput(true);
    control.resize(100, 100);
    control.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    control.setMovie(path);
    ASSERT_TRUE(control.player().root());
    Recording r;
    size_t from = 0;
    auto listen = [&] { r.pull(control.player().sound().mixer(), 882); };

    QTest::mouseMove(&control, {50, 50});
    listen();
    EXPECT_EQ(loudest(r, from), 1000) << "entering";
    QTest::mouseMove(&control, {52, 52});
    listen();
    EXPECT_EQ(loudest(r, from), 0) << "moving within the button changes nothing";
    QTest::mousePress(&control, Qt::LeftButton, {}, {52, 52});
    listen();
    EXPECT_EQ(loudest(r, from), 2000) << "pressing";
    QTest::mouseRelease(&control, Qt::LeftButton, {}, {52, 52});
    listen();
    EXPECT_EQ(loudest(r, from), 3000) << "releasing";
    QTest::mouseMove(&control, {5, 5});
    listen();
    EXPECT_EQ(loudest(r, from), 4000) << "leaving";
}

TEST(SwfButtonSound, ASoundOnTheClipHoldingAButtonSetsItsVolume)
{
    using namespace swfmake;
    MovieWriter m(100, 100, 12, 8);
    ShapeBuilder square;
    square.setStyles(0, square.addFill(Fill::solid(Qt::red)), 0);
    square.rect(0, 0, 40 * kTw, 40 * kTw);
    m.defineShape(1, square);
    m.defineButton2(2, {{0x01 | 0x02 | 0x04 | 0x08, 1, 1, QTransform()}}, {}, {});
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
    QTemporaryDir dir;
    QString path = swftest::saveMovie(dir, "held.swf", m.finish());
    ASSERT_FALSE(path.isEmpty());

    swf::FlashControl control;
    control.player().sound().setManualOutput(true);
    control.resize(100, 100);
    control.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    control.setMovie(path);
    ASSERT_TRUE(control.player().root());
    QTest::mouseMove(&control, {50, 50});
    Recording r;
    size_t from = 0;
    r.pull(control.player().sound().mixer(), 882);
    EXPECT_EQ(loudest(r, from), 1000) << "the holder's half of the entering sound";
}
