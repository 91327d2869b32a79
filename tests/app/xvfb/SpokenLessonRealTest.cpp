// The spoken lesson that swfmake builds with espeak-ng's voice, opened from
// the main window's menu on a real X desktop: what the movie control plays
// is recorded by a sink that takes the mix at the pace of the clock, as a
// sound device would, and must hold the spoken word and then the praise.
#include "WaitFor.h"
#include "Dialogs.h"
#include "Unit1.h"
#include "Unit3.h"
#include "WavFile.h"
#include "swf/FlashComponent.h"
#include "swf/FlashControl.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <cmath>

namespace {

// Loudness per 20 ms window of 44.1 kHz stereo (left channel) or of mono
// samples at `rate`.
std::vector<double> envelope(const std::vector<int16_t> &samples, int rate, int channels)
{
    size_t window = size_t(rate / 50) * size_t(channels);
    std::vector<double> out;
    for (size_t at = 0; at + window <= samples.size(); at += window) {
        double sum = 0;
        for (size_t i = at; i < at + window; i += size_t(channels))
            sum += double(samples[i]) * samples[i];
        out.push_back(std::sqrt(sum / double(rate / 50)));
    }
    return out;
}

// The windows from the first to the last one louder than `threshold`
// within [from, to).
std::pair<int, int> loudSpan(const std::vector<double> &e, double threshold, int from = 0, int to = -1)
{
    int first = -1, last = -1;
    for (int i = from; i < (to < 0 ? int(e.size()) : to); ++i)
        if (e[size_t(i)] > threshold) {
            if (first < 0)
                first = i;
            last = i;
        }
    return {first, last};
}

double correlation(const std::vector<double> &a, const std::vector<double> &b)
{
    size_t n = std::min(a.size(), b.size());
    double ma = 0, mb = 0;
    for (size_t i = 0; i < n; ++i) {
        ma += a[i];
        mb += b[i];
    }
    ma /= double(n);
    mb /= double(n);
    double ab = 0, aa = 0, bb = 0;
    for (size_t i = 0; i < n; ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return ab / std::sqrt(aa * bb);
}

class SpokenLessonOnTheDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFlashControl();
        OldDialogs = SetDialogHandler([](TDialogRequest &Request) {
            if (Request.Kind == dkOpenDialog)
                Request.FileName = QStringLiteral(WORDLARK_SPOKEN_LESSON);
            return IDOK;
        });
        Form = new TForm1(nullptr);
        Form->AfterConstruction();
        Form3 = new TForm3(nullptr);
        Form3->AfterConstruction();
        Form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
        auto *component = dynamic_cast<FlashComponent *>(Form->ShockwaveFlash1->Component());
        ASSERT_NE(component, nullptr);
        Control = component->control();
        ASSERT_NE(Control, nullptr);
        // The recording sink: the mix the clock's time is due, every 10 ms.
        Control->player().sound().setManualOutput(true);
        Clock.start();
        QObject::connect(&Sink, &QTimer::timeout, [this] {
            int64_t due = Clock.nsecsElapsed() * 44100 / 1000000000 - Pulled;
            if (due <= 0)
                return;
            size_t at = Recorded.size();
            Recorded.resize(at + size_t(due) * 2);
            Control->player().sound().mixer().mix(Recorded.data() + at, int(due));
            Pulled += due;
        });
        Sink.start(10);
    }
    void TearDown() override
    {
        Sink.stop();
        delete Form3;
        delete Form;
        SetDialogHandler(OldDialogs);
    }

    TDialogHandler OldDialogs;
    TForm1 *Form = nullptr;
    TForm3 *Form3 = nullptr;
    swf::FlashControl *Control = nullptr;
    QTimer Sink;
    QElapsedTimer Clock;
    int64_t Pulled = 0;
    std::vector<int16_t> Recorded;
};

TEST_F(SpokenLessonOnTheDesktop, TheLessonSpeaksItsWordAndThenPraises)
{
    std::optional<swfmake::Pcm> word = swfmake::readWav(QStringLiteral(WORDLARK_SPOKEN_LESSON_WORD));
    ASSERT_TRUE(word.has_value());
    Form->N2->Click();
    swf::Player &player = Control->player();
    ASSERT_TRUE(WaitFor([&] { return player.totalFrames() > 12; }, 5000));
    const int last = player.totalFrames() - 1;
    ASSERT_TRUE(WaitFor([&] { return player.frameNum() == last && player.sound().mixer().silent(); }, 15000))
        << "frame " << player.frameNum() << " of " << last;
    QTest::qWait(100);

    std::vector<double> heard = envelope(Recorded, 44100, 2);
    std::vector<double> spoken = envelope(word->samples, word->rate, word->channels);
    auto [wordFrom, wordTo] = loudSpan(spoken, 300);
    auto [from, to] = loudSpan(heard, 300);
    ASSERT_GE(from, 0) << "nothing was heard";
    // The word: as long as espeak-ng spoke it, and shaped like it.
    int wordLength = wordTo - wordFrom;
    auto [voiceFrom, voiceTo] = loudSpan(heard, 300, from, from + wordLength + 10);
    EXPECT_NEAR(voiceTo - voiceFrom, wordLength, 3);
    std::vector<double> a(spoken.begin() + wordFrom, spoken.begin() + wordTo + 1);
    std::vector<double> b(heard.begin() + voiceFrom, heard.begin() + std::min<int>(int(heard.size()), voiceFrom + wordLength + 1));
    EXPECT_GT(correlation(a, b), 0.9);
    // Then, after a second of quiet, the praise.
    auto [praiseFrom, praiseTo] = loudSpan(heard, 300, voiceTo + 25);
    EXPECT_GT(praiseFrom, voiceTo + 25);
    EXPECT_GT(praiseTo - praiseFrom, 15) << "the praise lasts more than 0.3 s";
}

}
