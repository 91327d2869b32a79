// The demo lessons as the movie control reads them: every catalogue lesson
// parses, has its pages labelled and timed, draws its texts with glyphs of
// its own, animates, and has the two buttons jumping between pages.
#include "../../media/swf/SwfTestUtil.h"
#include "Courses.h"
#include "LessonMovie.h"
#include "SoundWriter.h"
#include "swf/SwfButton.h"
#include "swf/SwfText.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

// Pixels of A that differ from B by more than a little, in percent.
double Changed(const QImage &A, const QImage &B)
{
    int differ = 0;
    for (int y = 0; y < A.height(); ++y) {
        const auto *a = reinterpret_cast<const QRgb *>(A.constScanLine(y));
        const auto *b = reinterpret_cast<const QRgb *>(B.constScanLine(y));
        for (int x = 0; x < A.width(); ++x)
            differ += std::abs(qRed(a[x]) - qRed(b[x])) + std::abs(qGreen(a[x]) - qGreen(b[x])) +
                          std::abs(qBlue(a[x]) - qBlue(b[x])) >
                      30;
    }
    return differ * 100.0 / (A.width() * A.height());
}

// The labels of the GotoLabel actions in an action block, in order.
std::vector<QString> GotoLabels(const QByteArray &bytecode)
{
    std::vector<QString> labels;
    for (qsizetype at = 0; at < bytecode.size() && bytecode[at] != 0;) {
        const auto code = uint8_t(bytecode[at]);
        qsizetype length = code >= 0x80 ? uint8_t(bytecode[at + 1]) | uint8_t(bytecode[at + 2]) << 8 : 0;
        qsizetype payload = at + (code >= 0x80 ? 3 : 1);
        if (code == 0x8C)
            labels.push_back(QString::fromUtf8(bytecode.mid(payload, length - 1)));
        at = payload + length;
    }
    return labels;
}

// Share of pixels in Area that are much darker than the sky behind the text.
double Dark(const QImage &Image, const QRect &Area)
{
    int dark = 0;
    for (int y = Area.top(); y <= Area.bottom(); ++y)
        for (int x = Area.left(); x <= Area.right(); ++x)
            dark += qGray(Image.pixel(x, y)) < 110;
    return dark * 100.0 / (Area.width() * Area.height());
}

TEST(LessonMovie, EveryLessonPlaysItsPages)
{
    for (const Lesson &lesson : Lessons()) {
        SCOPED_TRACE(lesson.Path.toStdString());
        const QByteArray bytes = LessonMovie(lesson);
        ASSERT_FALSE(bytes.isEmpty());
        auto movie = swftest::load(bytes);
        ASSERT_FALSE(movie->failed()) << movie->error().toStdString();
        const int pages = int(lesson.Pages.size());
        EXPECT_EQ(movie->framesLoaded(), pages * PageFrames);
        for (int page = 0; page < pages; ++page)
            EXPECT_EQ(movie->timeline().labels.value(QStringLiteral("p%1").arg(page + 1), -1), page * PageFrames);

        auto scene = swftest::at(movie, 0);
        const QImage first = swftest::render(*scene, QSize(550, 400));
        scene->root().gotoFrame(20, false);
        const QImage later = swftest::render(*scene, QSize(550, 400));
        if (!qEnvironmentVariableIsEmpty("SWF_DUMP")) {
            const QString name = qEnvironmentVariable("SWF_DUMP") + "/" + QString(lesson.Path).replace('/', '_');
            later.save(name + "-20.png");
            scene->root().gotoFrame(movie->framesLoaded() - 1, false);
            swftest::render(*scene, QSize(550, 400)).save(name + "-last.png");
        }
        // The scene moves, and the English and Chinese lines are drawn.
        EXPECT_GT(Changed(first, later), 1.0);
        EXPECT_GT(Dark(later, QRect(255, 30, 40, 40)), 2.0);
        EXPECT_GT(Dark(later, QRect(262, 80, 26, 28)), 2.0);
    }
}

TEST(LessonMovie, VoicesPlayAsTheStreamSoundAndLengthenTheirPages)
{
    const Lesson &lesson = Lessons().front();
    std::vector<swfmake::Pcm> voices(lesson.Pages.size());
    for (swfmake::Pcm &voice : voices) {
        voice.rate = 22050;
        voice.samples.assign(22050 / 2, 1000); // half a second
    }
    voices[1].samples.assign(22050 * 5, 1000); // five seconds: longer than a page
    auto movie = swftest::load(LessonMovie(lesson, voices));
    ASSERT_FALSE(movie->failed()) << movie->error().toStdString();
    const std::vector<int> starts = PageStarts(lesson, voices);
    EXPECT_EQ(starts[1], PageFrames);
    EXPECT_EQ(starts[2], starts[1] + 5 * FrameRate + FrameRate / 2);
    EXPECT_EQ(movie->framesLoaded(), starts.back());
    EXPECT_EQ(movie->timeline().labels.value(QStringLiteral("p3"), -1), starts[2]);
    EXPECT_TRUE(movie->timeline().streamHead.has_value());
    for (int frame : {0, starts[1], starts[2] - 1})
        EXPECT_TRUE(movie->timeline().frames[size_t(frame)].streamBlock.has_value()) << frame;
}

TEST(LessonMovie, TheSameLessonMakesTheSameBytes)
{
    const Lesson &lesson = Lessons().front();
    EXPECT_EQ(LessonMovie(lesson), LessonMovie(lesson));
}

TEST(LessonMovie, TheButtonsJumpToThePageAgainAndToTheNext)
{
    const Lesson &lesson = Lessons().front();
    auto movie = swftest::load(LessonMovie(lesson));
    std::vector<QString> targets;
    for (uint16_t id = 1; id < 2000; ++id)
        if (const auto *button = movie->characterAs<swf::ButtonCharacter>(id))
            for (const auto &action : button->actions)
                if (action.conditions & swf::ButtonCharacter::OverDownToOverUp)
                    for (const QString &label : GotoLabels(action.bytecode))
                        targets.push_back(label);
    // Again on pages 1..4, then next: 2, 3, 4 and back to 1.
    EXPECT_EQ(targets, (std::vector<QString>{"p1", "p2", "p3", "p4", "p2", "p3", "p4", "p1"}));
}

} // namespace
