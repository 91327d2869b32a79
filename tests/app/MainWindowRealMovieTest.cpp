// The transport with the real movie control and a real local movie: the
// frame display, pausing and seeking, and a lesson click freezing the display.
#include "MainWindowFixture.h"
#include "SampleMovies.h"
#include "framework/WaitFor.h"

#include <QFile>
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

TEST_F(RealMovie, LessonClickStopsTheMovieAndFreezesTheDisplay)
{
    ASSERT_TRUE(WaitFor([this] { return Form->Label2->Caption() == "48"; }));
    ClickNode(Node({"少儿动画英语"}));
    EXPECT_FALSE(Form->ShockwaveFlash1->Playing());
    EXPECT_FALSE(Form->Timer2->Enabled());
    const String frame = Form->Label1->Caption();
    QTest::qWait(300);
    EXPECT_EQ(Form->Label1->Caption(), frame);
    EXPECT_EQ(Form->Label2->Caption(), "48");
}

} // namespace
