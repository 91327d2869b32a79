// The transport with the real movie control and a real local movie: the
// frame display, pausing and seeking, and a series click stopping the movie.
#include "MainWindowFixture.h"
#include "SampleMovies.h"
#include "WaitFor.h"
#include "swf/FlashComponent.h"
#include "swf/FlashControl.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

namespace {

class RealMovie : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        ASSERT_TRUE(Dir.isValid());
        Path = Dir.filePath("demo.swf");
        QFile file(Path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(swfmake::demoMovie());
        file.close();
        CreateMainWindow();
        OpenAnswer = IDOK;
        OpenFileName = Path;
        Form->N2->Click();
    }
    QTemporaryDir Dir;
    String Path;
};

TEST_F(RealMovie, LocalMoviePlaysWithTheFrameDisplayRunning)
{
    EXPECT_EQ(Form->Label4->Caption(), Path);
    EXPECT_TRUE(WaitFor([this] { return Form->Label2->Caption() == "48"; }));
    EXPECT_EQ(Form->suiTrackBar1->Max(), 48);
    EXPECT_TRUE(Form->ShockwaveFlash1->Playing());
    const String first = Form->Label1->Caption();
    EXPECT_TRUE(WaitFor([&] { return Form->Label1->Caption() != first; })) << "the display follows the movie";
    EXPECT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Position() > 0; }));
}

TEST_F(RealMovie, PausedMovieSeeksWithTheSliderAndResumesFromThere)
{
    Form->suiButton2->Click();
    EXPECT_FALSE(Form->ShockwaveFlash1->Playing());
    Form->suiTrackBar1->SetPosition(30);
    EXPECT_EQ(Form->ShockwaveFlash1->FrameNum(), 30);
    EXPECT_FALSE(Form->ShockwaveFlash1->Playing());
    QTest::qWait(250);
    EXPECT_EQ(Form->ShockwaveFlash1->FrameNum(), 30);
    EXPECT_EQ(Form->suiTrackBar1->Position(), 30);
    Form->suiButton1->Click();
    EXPECT_TRUE(Form->ShockwaveFlash1->Playing());
    EXPECT_TRUE(WaitFor([this] { return Form->ShockwaveFlash1->FrameNum() != 30; }));
}

TEST_F(RealMovie, SeriesClickStopsTheMovieOnTheFrameTheDisplayShows)
{
    ASSERT_TRUE(WaitFor([this] { return Form->Label2->Caption() == "48"; }));
    ClickNode(Node({"少儿动画英语"}));
    EXPECT_FALSE(Form->ShockwaveFlash1->Playing());
    QTest::qWait(150);
    const String frame = Form->Label1->Caption();
    QTest::qWait(300);
    EXPECT_EQ(Form->Label1->Caption(), frame);
    EXPECT_EQ(Form->Label2->Caption(), "48");
}

// A lesson whose server refuses the connection: the stage names the lesson
// and says what happened; the counter and the slider show no frames of the
// local movie that played before it.
TEST_F(RealMovie, AFailedLessonIsNamedOnTheStageBesideAnEmptyCounter)
{
    ASSERT_TRUE(WaitFor([this] { return Form->Label2->Caption() == "48"; }));
    quint16 closed;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        closed = probe.serverPort();
    }
    qputenv("WORDLARK_CONTENT_HOST", QByteArray("127.0.0.1:") + QByteArray::number(closed));
    ClickNode(Node({"少儿动画英语", "听力故事", "9"}));
    qunsetenv("WORDLARK_CONTENT_HOST");
    auto *flash = static_cast<FlashComponent *>(Form->ShockwaveFlash1->Component())->control();
    ASSERT_TRUE(WaitFor([&] { return !flash->errorText().isEmpty(); }));
    EXPECT_TRUE(flash->errorText().startsWith(QString::fromUtf8("“听力故事 9”载入失败"))) << flash->errorText().toStdString();
    EXPECT_TRUE(flash->errorText().contains(QString::fromUtf8("拒绝了连接")));
    EXPECT_TRUE(WaitFor([this] { return Form->Label1->Caption() == "0" && Form->Label2->Caption() == "0"; }));
    EXPECT_EQ(Form->suiTrackBar1->Max(), 0);
    EXPECT_EQ(Form->suiTrackBar1->Position(), 0);
    if (qEnvironmentVariableIsSet("WORDLARK_SCREENSHOTS")) {
        QTest::qWait(200);
        Grab().save(qEnvironmentVariable("WORDLARK_SCREENSHOTS") + "/main-window-failed-lesson.png");
    }

    // An entry without a movie clears the failed lesson from the stage.
    ClickNode(Node({"少儿动画英语", "听力故事", "10"}));
    EXPECT_TRUE(flash->errorText().isEmpty());
    EXPECT_TRUE(flash->movieAddress().isEmpty());
}

} // namespace
