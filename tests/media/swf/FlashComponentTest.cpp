// The hosted movie control, driven as the main window drives it: by
// dispatch id and function-table position, in the window's calling orders.
#include "SwfWriter.h"
#include "TestHttpServer.h"
#include "WaitFor.h"
#include "swf/FlashComponent.h"
#include "swf/FlashControl.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <functional>

using swfmake::ActionCode;
using swfmake::MovieWriter;

namespace {

constexpr int kTw = 20;

// `frames` frames at `fps` of a 100 x 80 stage, red on the left half; with
// `stopAtEnd` the last frame stops the movie.
QByteArray lesson(int frames, double fps = 30, bool stopAtEnd = false, char compression = 'C')
{
    MovieWriter m(100, 80, fps);
    m.setBackground(Qt::white);
    swfmake::ShapeBuilder s;
    s.setStyles(0, s.addFill(swfmake::Fill::solid(Qt::red)), 0);
    s.rect(0, 0, 50 * kTw, 80 * kTw);
    m.defineShape(1, s);
    m.place({1, false, 1, QTransform(), {}, {}, {}, {}});
    for (int f = 0; f < frames; ++f) {
        if (stopAtEnd && f == frames - 1)
            m.actions({ActionCode::Stop});
        m.showFrame();
    }
    return m.finish(compression);
}

class FlashControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterFlashControl();
        component = CreateComObject(QString::fromLatin1(kFlashClassId), &host);
    }

    QString file(const QString &name, const QByteArray &bytes)
    {
        QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    int totalFrames() { return component->GetProperty(FlashDispId::TotalFrames).toInt(); }
    int frameNum() { return component->GetProperty(FlashDispId::FrameNum).toInt(); }
    bool playing() { return component->GetProperty(FlashDispId::Playing).toInt() != 0; }
    swf::FlashControl *control() { return static_cast<FlashComponent *>(component.get())->control(); }

    QWidget host;
    QTemporaryDir dir;
    std::unique_ptr<IOleComponent> component;
};

}

TEST_F(FlashControlTest, StoredSettingsAreTheDefaults)
{
    ASSERT_TRUE(component);
    EXPECT_EQ(component->Window()->parentWidget(), &host);
    EXPECT_EQ(component->Window()->size(), QSize(335, 247));
    EXPECT_EQ(component->GetProperty(FlashDispId::ExtentX).toInt(), 335);
    EXPECT_EQ(component->GetProperty(FlashDispId::ExtentY).toInt(), 247);
    EXPECT_EQ(component->GetProperty(FlashDispId::Movie).toString(), "");
    EXPECT_EQ(component->GetProperty(FlashDispId::WMode).toString(), "Window");
    EXPECT_EQ(component->GetProperty(FlashDispId::Quality2).toString(), "High");
    EXPECT_EQ(component->GetProperty(FlashDispId::Scale).toString(), "ExactFit");
    EXPECT_EQ(component->GetProperty(FlashDispId::ScaleMode).toInt(), 2);
    EXPECT_EQ(totalFrames(), 0);
    EXPECT_EQ(frameNum(), 0);
    EXPECT_EQ(component->CallMethod(FlashMethod::CurrentFrame).toInt(), 0);
    // The window description's settings are accepted as properties.
    component->SetProperty(FlashDispId::WMode, "Window");
    component->SetProperty(FlashDispId::Quality2, "High");
    component->SetProperty(FlashDispId::Scale, "ExactFit");
    component->SetProperty(FlashDispId::ExtentX, 335);
    component->SetProperty(FlashDispId::ExtentY, 247);
    component->SetProperty(FlashDispId::Playing, true);
    EXPECT_THROW(component->SetProperty(FlashDispId::Scale, "Sideways"), EOleException);
}

TEST_F(FlashControlTest, UnknownIdsAndPositionsAreRefused)
{
    EXPECT_THROW(component->GetProperty(9999), EOleException);
    EXPECT_THROW(component->SetProperty(-1, 1), EOleException);
    EXPECT_THROW(component->SetProperty(FlashDispId::TotalFrames, 5), EOleException);
    EXPECT_THROW(component->CallMethod(29), EOleException);
    EXPECT_THROW(component->CallMethod(0), EOleException);
}

TEST_F(FlashControlTest, LocalFileKnowsItsLengthRightAfterTheWriteAndPlaysByItself)
{
    QString path = file("lesson.swf", lesson(250));
    component->SetProperty(FlashDispId::Movie, path);
    EXPECT_EQ(totalFrames(), 250);
    EXPECT_EQ(totalFrames(), 250);
    OleVariant p = component->GetProperty(FlashDispId::Playing);
    EXPECT_EQ(p.typeId(), QMetaType::Short);
    EXPECT_EQ(p.toInt(), -1);
    EXPECT_TRUE(WaitFor([&] { return frameNum() >= 3; }, 5000));
    EXPECT_EQ(component->GetProperty(FlashDispId::Movie).toString(), path);
}

TEST_F(FlashControlTest, FrameNumReadEvery100MsFollowsTheMovieAndLoops)
{
    component->SetProperty(FlashDispId::Movie, file("short.swf", lesson(8, 40)));
    std::vector<int> seen;
    for (int i = 0; i < 12; ++i) {
        QTest::qWait(100);
        seen.push_back(frameNum());
    }
    bool wrapped = false;
    for (size_t i = 1; i < seen.size(); ++i)
        wrapped |= seen[i] < seen[i - 1];
    EXPECT_TRUE(wrapped) << "an 8-frame movie at 40 fps wraps within 1.2 s";
    for (int f : seen) {
        EXPECT_GE(f, 0);
        EXPECT_LT(f, 8);
    }
}

TEST_F(FlashControlTest, StopPlayKeepsTheFrameAndPlayContinuesFromIt)
{
    component->SetProperty(FlashDispId::Movie, file("l.swf", lesson(500, 60)));
    ASSERT_TRUE(WaitFor([&] { return frameNum() >= 5; }, 5000));
    component->CallMethod(FlashMethod::StopPlay);
    int stopped = frameNum();
    EXPECT_EQ(component->GetProperty(FlashDispId::Playing).toInt(), 0);
    QTest::qWait(150);
    EXPECT_EQ(frameNum(), stopped);
    EXPECT_EQ(component->CallMethod(FlashMethod::CurrentFrame).toInt(), stopped);
    component->CallMethod(FlashMethod::Play);
    EXPECT_TRUE(playing());
    ASSERT_TRUE(WaitFor([&] { return frameNum() > stopped; }, 5000));
    EXPECT_LT(frameNum(), stopped + 30) << "continues from where it stopped";
}

TEST_F(FlashControlTest, SeekWhilePausedShowsThatFrameAndStaysPaused)
{
    component->SetProperty(FlashDispId::Movie, file("l.swf", lesson(100, 30)));
    component->CallMethod(FlashMethod::StopPlay);
    ASSERT_FALSE(playing());
    component->SetProperty(FlashDispId::FrameNum, 40);
    EXPECT_EQ(frameNum(), 40);
    QTest::qWait(200);
    EXPECT_EQ(frameNum(), 40);
    EXPECT_EQ(component->CallMethod(FlashMethod::CurrentFrame).toInt(), 40);
    EXPECT_FALSE(playing());
    component->SetProperty(FlashDispId::FrameNum, 1000);
    EXPECT_EQ(frameNum(), 99) << "a seek past the end shows the last frame";
}

TEST_F(FlashControlTest, StopPlayThenMovieStartsTheNewLessonPlaying)
{
    component->SetProperty(FlashDispId::Movie, file("a.swf", lesson(50)));
    component->CallMethod(FlashMethod::StopPlay);
    component->SetProperty(FlashDispId::Movie, file("b.swf", lesson(70)));
    EXPECT_EQ(totalFrames(), 70);
    EXPECT_EQ(frameNum(), 0);
    EXPECT_TRUE(playing());
    EXPECT_TRUE(WaitFor([&] { return frameNum() > 0; }, 5000));
}

TEST_F(FlashControlTest, LessonThatStopsOnItsLastFrameStaysThere)
{
    component->SetProperty(FlashDispId::Movie, file("stop.swf", lesson(6, 60, true)));
    ASSERT_TRUE(WaitFor([&] { return !playing(); }, 5000));
    EXPECT_EQ(frameNum(), 5);
    QTest::qWait(100);
    EXPECT_EQ(frameNum(), 5);
}

TEST_F(FlashControlTest, StageIsStretchedToTheWholeControl)
{
    component->SetProperty(FlashDispId::Movie, file("l.swf", lesson(3)));
    QImage image = control()->grabStage(QSize(335, 247));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(160, 240), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(175, 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(330, 240), QColor(Qt::white));
    component->SetProperty(FlashDispId::ScaleMode, 0); // ShowAll keeps the proportions
    QImage fitted = control()->grabStage(QSize(335, 247));
    EXPECT_EQ(fitted.pixelColor(5, 123), QColor(Qt::white)) << "bars left and right";
    EXPECT_EQ(fitted.pixelColor(20, 123), QColor(Qt::red));
}

TEST_F(FlashControlTest, BadFilesGiveAnEmptyStageWithTheReason)
{
    const std::pair<QByteArray, const char *> rows[] = {
        {QByteArray("hello, not a movie at all"), "Not a Flash movie"},
        {lesson(5).left(12), "truncated"},
        {QByteArray(), "empty"},
    };
    for (const auto &[bytes, why] : rows) {
        component->SetProperty(FlashDispId::Movie, file("bad.swf", bytes));
        EXPECT_EQ(totalFrames(), 0) << why;
        EXPECT_EQ(frameNum(), 0) << why;
        EXPECT_FALSE(control()->errorText().isEmpty()) << why;
        component->CallMethod(FlashMethod::Play);
        component->SetProperty(FlashDispId::FrameNum, 3);
        EXPECT_EQ(frameNum(), 0);
    }
    component->SetProperty(FlashDispId::Movie, dir.filePath("missing.swf"));
    EXPECT_TRUE(control()->errorText().contains(QStringLiteral("载入失败"))) << control()->errorText().toStdString();
    QImage image = control()->grabStage(QSize(335, 247));
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20) << "the reason is written on the stage";
}

TEST_F(FlashControlTest, LoadsOverHttpFollowingRedirects)
{
    TestHttpServer server;
    server.route("/lesson.swf", {TestHttpServer::Mode::Serve, lesson(40), {}, 0});
    server.route("/old.swf", {TestHttpServer::Mode::Redirect, {}, "/lesson.swf", 0});
    component->SetProperty(FlashDispId::Movie, server.url("/old.swf"));
    EXPECT_EQ(totalFrames(), 0) << "nothing has arrived yet";
    ASSERT_TRUE(WaitFor([&] { return totalFrames() == 40; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return frameNum() > 0; }, 5000));
    EXPECT_EQ(server.requests, 2);
}

TEST_F(FlashControlTest, PlaysTheCompleteFramesWhileTheRestIsArriving)
{
    TestHttpServer server;
    QByteArray bytes = lesson(300, 60, false, 'F');
    server.route("/big.swf", {TestHttpServer::Mode::Slow, bytes, {}, bytes.size() / 3});
    component->SetProperty(FlashDispId::Movie, server.url("/big.swf"));
    ASSERT_TRUE(WaitFor([&] { return control()->player().movie() && control()->player().movie()->framesLoaded() > 0; }, 5000));
    EXPECT_EQ(totalFrames(), 300) << "the declared count while loading";
    EXPECT_TRUE(control()->loading());
    int loaded = control()->player().movie()->framesLoaded();
    EXPECT_LT(loaded, 300);
    QTest::qWait(400);
    EXPECT_LE(frameNum(), loaded - 1) << "waits at the last complete frame";
    server.release();
    ASSERT_TRUE(WaitFor([&] { return !control()->loading(); }, 5000));
    EXPECT_EQ(totalFrames(), 300);
    EXPECT_TRUE(WaitFor([&] { return frameNum() > loaded; }, 5000));
}

TEST_F(FlashControlTest, ConnectionCutShortPlaysWhatArrived)
{
    TestHttpServer server;
    QByteArray bytes = lesson(200, 30, false, 'F');
    server.route("/cut.swf", {TestHttpServer::Mode::Truncate, bytes, {}, bytes.size() / 2});
    component->SetProperty(FlashDispId::Movie, server.url("/cut.swf"));
    ASSERT_TRUE(WaitFor([&] { return !control()->loading(); }, 5000));
    EXPECT_GT(totalFrames(), 0);
    EXPECT_LT(totalFrames(), 200);
    EXPECT_TRUE(WaitFor([&] { return frameNum() > 0; }, 5000));
}

TEST_F(FlashControlTest, HttpErrorIsShownOnTheStage)
{
    TestHttpServer server;
    component->SetProperty(FlashDispId::Movie, server.url("/nothing-here.swf"));
    ASSERT_TRUE(WaitFor([&] { return !control()->loading(); }, 5000));
    EXPECT_TRUE(control()->errorText().contains(QStringLiteral("载入失败"))) << control()->errorText().toStdString();
    EXPECT_EQ(totalFrames(), 0);
}

TEST_F(FlashControlTest, ServerThatNeverAnswersDoesNotFreezeAndANewMovieDropsIt)
{
    TestHttpServer server;
    server.route("/silent.swf", {TestHttpServer::Mode::Silent, {}, {}, 0});
    component->SetProperty(FlashDispId::Movie, server.url("/silent.swf"));
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++ticks;
        frameNum(); // the window keeps polling
    });
    ticker.start(100);
    QTest::qWait(600);
    EXPECT_GE(ticks, 4) << "the GUI thread keeps running";
    EXPECT_TRUE(control()->loading());
    EXPECT_EQ(totalFrames(), 0);
    QImage waiting = control()->grabStage(QSize(335, 247));
    int drawn = 0;
    for (int x = 0; x < waiting.width(); ++x)
        drawn += waiting.pixelColor(x, 118) != QColor(Qt::white);
    EXPECT_GT(drawn, 80) << "a progress bar is drawn";
    component->CallMethod(FlashMethod::StopPlay);
    component->SetProperty(FlashDispId::Movie, file("next.swf", lesson(12)));
    EXPECT_FALSE(control()->loading());
    EXPECT_EQ(totalFrames(), 12);
    EXPECT_TRUE(WaitFor([&] { return frameNum() > 0; }, 5000));
}

TEST_F(FlashControlTest, StalledTransferFailsAfterTheTimeout)
{
    TestHttpServer server;
    server.route("/silent.swf", {TestHttpServer::Mode::Silent, {}, {}, 0});
    control()->loader().setStallTimeout(300);
    component->SetProperty(FlashDispId::Movie, server.url("/silent.swf"));
    ASSERT_TRUE(WaitFor([&] { return !control()->loading(); }, 5000));
    EXPECT_FALSE(control()->errorText().isEmpty());
}

TEST_F(FlashControlTest, HostDestroyingTheWindowFirstLeavesACleanError)
{
    component->SetProperty(FlashDispId::Movie, file("l.swf", lesson(5)));
    delete component->Window();
    EXPECT_EQ(component->Window(), nullptr);
    EXPECT_THROW(component->GetProperty(FlashDispId::FrameNum), EOleException);
}
