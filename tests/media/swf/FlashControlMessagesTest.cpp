// What the stage tells the user when a movie cannot be shown: which movie,
// what happened in words a child's parent can act on, and the technical
// reason beneath; the loading message naming the movie; and a movie stopped
// for using too much memory.
#include "ActionWriter.h"
#include "SwfWriter.h"
#include "TestHttpServer.h"
#include "WaitFor.h"
#include "swf/FlashComponent.h"
#include "swf/FlashControl.h"
#include "swf/SwfStage.h"
#include "swf/avm1/display/MovieScripts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace {

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

struct FailureRow {
    const char *name;
    std::function<QString(TestHttpServer &, QTemporaryDir &)> address;
    const char *happened;  // in the second line
    const char *never;     // nowhere in the text
};

class StageFailures : public ::testing::TestWithParam<FailureRow> {};

TEST_P(StageFailures, SayWhatHappenedToWhichMovie)
{
    TestHttpServer server;
    server.route("/silent.swf", {TestHttpServer::Mode::Silent, {}, {}, 0});
    QTemporaryDir dir;
    swf::FlashControl control;
    control.loader().setStallTimeout(400);
    control.setMovie(GetParam().address(server, dir));
    control.setTitle(QStringLiteral("动画情景交际 第三课"));
    ASSERT_TRUE(WaitFor([&] { return !control.loading(); }, 10000));
    const QStringList lines = control.errorText().split('\n');
    ASSERT_GE(lines.size(), 3) << control.errorText().toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("“动画情景交际 第三课”载入失败"));
    EXPECT_TRUE(lines[1].contains(QString::fromUtf8(GetParam().happened))) << lines[1].toStdString();
    EXPECT_FALSE(lines[2].isEmpty()) << "the technical reason";
    EXPECT_EQ(lines.last(), control.movieAddress());
    EXPECT_FALSE(control.errorText().contains(QString::fromUtf8(GetParam().never), Qt::CaseInsensitive));
}

INSTANTIATE_TEST_SUITE_P(
    FlashControl, StageFailures,
    ::testing::Values(
        FailureRow{"refused",
                   [](TestHttpServer &, QTemporaryDir &) {
                       return QStringLiteral("http://127.0.0.1:%1/a.swf").arg(closedPort());
                   },
                   "拒绝了连接", "超时"},
        FailureRow{"unknown host",
                   [](TestHttpServer &, QTemporaryDir &) { return QStringLiteral("http://no-such-host.invalid/a.swf"); },
                   "找不到服务器 no-such-host.invalid", "拒绝"},
        FailureRow{"missing on the server",
                   [](TestHttpServer &s, QTemporaryDir &) { return s.url("/missing.swf"); }, "没有这个影片（404）",
                   "超时"},
        // Nobody cancelled anything: a server that never answers times out.
        FailureRow{"silent server",
                   [](TestHttpServer &s, QTemporaryDir &) { return s.url("/silent.swf"); }, "连接超时", "canceled"},
        FailureRow{"missing file",
                   [](TestHttpServer &, QTemporaryDir &d) { return d.filePath("gone.swf"); }, "找不到文件", "服务器"},
        FailureRow{"not a movie",
                   [](TestHttpServer &, QTemporaryDir &d) {
                       QFile f(d.filePath("notes.swf"));
                       f.open(QIODevice::WriteOnly);
                       f.write("these are notes, not a movie");
                       return f.fileName();
                   },
                   "不是可以播放的影片", "服务器"}),
    [](const auto &info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(FlashControlMessages, WithoutATitleTheMovieIsNamedByItsFile)
{
    QTemporaryDir dir;
    swf::FlashControl control;
    control.setMovie(dir.filePath("lesson7.swf"));
    EXPECT_TRUE(control.errorText().startsWith(QStringLiteral("“lesson7.swf”载入失败")))
        << control.errorText().toStdString();
    control.setMovie(QStringLiteral("http://127.0.0.1:%1/dhqjjj/3.swf").arg(closedPort()));
    EXPECT_EQ(control.displayName(), "3.swf");
}

TEST(FlashControlMessages, TheTitleBelongsToOneMovieOnly)
{
    QTemporaryDir dir;
    RegisterFlashControl();
    QWidget host;
    std::unique_ptr<IOleComponent> component = CreateComObject(QString::fromLatin1(kFlashClassId), &host);
    component->SetProperty(FlashDispId::Movie, dir.filePath("first.swf"));
    component->SetProperty(FlashDispId::MovieTitle, QStringLiteral("流氓狗系列 吃奶"));
    EXPECT_EQ(component->GetProperty(FlashDispId::MovieTitle).toString(), QStringLiteral("流氓狗系列 吃奶"));
    // A new movie written without a title is not called by the old one.
    component->SetProperty(FlashDispId::Movie, dir.filePath("second.swf"));
    EXPECT_EQ(component->GetProperty(FlashDispId::MovieTitle).toString(), "second.swf");
    auto *control = static_cast<FlashComponent *>(component.get())->control();
    EXPECT_FALSE(control->errorText().contains(QStringLiteral("吃奶")));
    component->SetProperty(FlashDispId::Movie, QString());
    EXPECT_TRUE(control->errorText().isEmpty()) << "no movie, no message";
}

TEST(FlashControlMessages, FailureIsWrittenOnTheStageInDarkText)
{
    QTemporaryDir dir;
    swf::FlashControl control;
    control.setMovie(dir.filePath("missing.swf"));
    control.setTitle(QStringLiteral("看动画学英语 （3）"));
    const QImage stage = control.grabStage(QSize(335, 247));
    if (qEnvironmentVariableIsSet("WORDLARK_SCREENSHOTS"))
        stage.save(qEnvironmentVariable("WORDLARK_SCREENSHOTS") + "/stage-failure.png");
    int dark = 0, grey = 0;
    for (int y = 0; y < stage.height(); ++y)
        for (int x = 0; x < stage.width(); ++x) {
            const int g = qGray(stage.pixel(x, y));
            dark += g < 60;
            grey += g >= 90 && g < 140;
        }
    EXPECT_GT(dark, 100) << "headline and explanation";
    EXPECT_GT(grey, 20) << "the technical line";
}

namespace Op = swf::avm1::Op;

// Actions that keep every object they make, without end.
swfmake::ActionWriter greedyLoop()
{
    swfmake::ActionWriter w;
    w.push({QStringLiteral("keep"), 0}).op(Op::InitObject).op(Op::SetVariable);
    w.setVariable(QStringLiteral("i"), 0);
    auto top = w.label();
    w.bind(top);
    w.getVariable(QStringLiteral("keep")).getVariable(QStringLiteral("i"));
    w.push({0, QStringLiteral("Object")}).op(Op::NewObject).op(Op::SetMember);
    w.push({QStringLiteral("i")}).getVariable(QStringLiteral("i")).op(Op::Increment).op(Op::SetVariable);
    w.jump(top);
    return w;
}

// A black stage whose second frame runs the greedy loop.
QByteArray greedyMovie()
{
    swfmake::MovieWriter m(200, 150, 12, 8);
    m.setBackground(Qt::black);
    m.showFrame();
    m.tag(12, greedyLoop().block());
    m.showFrame();
    m.showFrame();
    return m.finish();
}

// A movie playing on that runs the greedy loop when the mouse is pressed.
QByteArray greedyOnPressMovie()
{
    swfmake::MovieWriter m(200, 150, 12, 8);
    swfmake::ActionWriter w;
    w.defineFunction(QStringLiteral("onMouseDown"), {}, greedyLoop());
    m.tag(12, w.block());
    for (int i = 0; i < 8; ++i)
        m.showFrame();
    return m.finish();
}

// Loads `movie` into `control` with manual ticks, runs its first frame and
// gives its scripts a small heap, so a test does not fill half a gigabyte.
void startWithSmallHeap(swf::FlashControl &control, const QTemporaryDir &dir, const QByteArray &movie)
{
    QFile file(dir.filePath("greedy.swf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(movie);
    file.close();
    swf::Player &player = control.player();
    player.setManualTicks(true);
    control.setMovie(file.fileName());
    ASSERT_TRUE(WaitFor([&] { return !control.loading(); }, 10000));
    player.tick();
    ASSERT_NE(player.stage(), nullptr);
    static_cast<swf::avm1::MovieScripts &>(player.stage()->scripts()).machine().heap.setLimits(20000, 1u << 30);
}

TEST(FlashControlMessages, AMovieThatWantsTooMuchMemoryIsStoppedAndSaysSo)
{
    QTemporaryDir dir;
    swf::FlashControl control;
    swf::Player &player = control.player();
    startWithSmallHeap(control, dir, greedyMovie());
    player.tick();
    EXPECT_TRUE(player.stopReason().contains(QStringLiteral("内存"))) << player.stopReason().toStdString();
    const int frame = player.frameNum();
    player.tick();
    player.tick();
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.frameNum(), frame) << "stays on the frame it reached";

    // Over the black stage, a light veil with dark text on it.
    const QImage stage = control.grabStage(QSize(200, 150));
    if (qEnvironmentVariableIsSet("WORDLARK_SCREENSHOTS"))
        stage.save(qEnvironmentVariable("WORDLARK_SCREENSHOTS") + "/stage-stopped.png");
    int dark = 0, light = 0;
    for (int y = 0; y < stage.height(); ++y)
        for (int x = 0; x < stage.width(); ++x) {
            const int g = qGray(stage.pixel(x, y));
            dark += g < 60;
            light += g > 180;
        }
    EXPECT_GT(light, stage.width() * stage.height() / 2);
    EXPECT_GT(dark, 100) << "the message";

    // The next movie plays on its own fresh engine.
    control.setMovie(dir.filePath("greedy.swf"));
    ASSERT_TRUE(WaitFor([&] { return !control.loading(); }, 10000));
    player.tick();
    EXPECT_TRUE(player.stopReason().isEmpty());
    EXPECT_TRUE(player.playing());
}

TEST(FlashControlMessages, AMovieGoingOverItsMemoryOnAClickStopsBeforeItsNextFrame)
{
    QTemporaryDir dir;
    swf::FlashControl control;
    control.resize(200, 150);
    swf::Player &player = control.player();
    startWithSmallHeap(control, dir, greedyOnPressMovie());
    ASSERT_TRUE(player.playing());
    const int frame = player.frameNum();
    QTest::mousePress(&control, Qt::LeftButton, {}, control.rect().center());
    EXPECT_FALSE(player.stopReason().isEmpty());
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.frameNum(), frame);
}

} // namespace
