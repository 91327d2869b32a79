// Lessons from the tree, the transport and local files, against a movie
// component whose frames and playing state the tests set.
#include "LessonTable.h"
#include "MainWindowFixture.h"
#include "ScriptedMovie.h"
#include "WaitFor.h"

#include <QFontMetrics>

namespace {

class Playback : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Movie = std::make_unique<TScriptedMovieRegistration>();
        // Unless a test says otherwise, whatever the control holds has frames.
        Movie->State->TotalFrames = 200;
        CreateMainWindow();
    }
    void TearDown() override
    {
        MainWindowFixture::TearDown();
        Movie.reset();
    }
    TScriptedMovieState &State() { return *Movie->State; }
    QStringList Writes() const
    {
        QStringList writes;
        for (const QString &call : Movie->State->Calls)
            if ((call.contains('=') && !call.startsWith("MovieTitle=")) || call == "Play" || call == "StopPlay")
                writes << call;
        return writes;
    }
    void OpenLocal(const String &Path, int Frames)
    {
        State().Lengths[Path] = Frames;
        OpenAnswer = IDOK;
        OpenFileName = Path;
        Form->N2->Click();
    }
    std::unique_ptr<TScriptedMovieRegistration> Movie;
};

const String kContent = QStringLiteral("http://") + ContentHost();

TEST_F(Playback, LessonClickStopsThenLoadsTheLessonsAddressUnderItsName)
{
    State().Calls.clear();
    ClickNode(Node({"少儿动画英语", "动画情景交际", "第三课"}));
    EXPECT_EQ(Writes(), QStringList({"StopPlay", "Movie=" + kContent + "/software2/wyh/dhqjjj/20031008/3.swf"}));
    EXPECT_EQ(Form->suiTreeView1->Selected()->Text(), QString::fromUtf8("第三课"));
    // The stage's messages name the lesson with its series, after the address.
    const int movie = State().Calls.indexOf("Movie=" + kContent + "/software2/wyh/dhqjjj/20031008/3.swf");
    EXPECT_EQ(State().Calls.value(movie + 1), QString::fromUtf8("MovieTitle=动画情景交际 第三课"));
    ClickNode(Node({"流氓狗系列", "追踪 "}));
    ClickNode(Node({"流氓狗系列", "买红薯"}));
    EXPECT_EQ(State().Calls.last(), QString::fromUtf8("MovieTitle=流氓狗系列 买红薯"));
}

struct TClickRow {
    std::vector<const char *> Path;
    const char *Loads; // path on the content server, or nullptr for nothing
};

class LessonClicks : public Playback, public ::testing::WithParamInterface<TClickRow> {};

TEST_P(LessonClicks, LoadOnlyLessonsWithAMovie)
{
    const TClickRow &row = GetParam();
    TTreeNode *node = nullptr;
    if (row.Path.size() == 1)
        node = Node({row.Path[0]});
    else if (row.Path.size() == 2)
        node = Node({row.Path[0], row.Path[1]});
    else
        node = Node({row.Path[0], row.Path[1], row.Path[2]});
    ASSERT_NE(node, nullptr);
    ClickNode(node);
    State().Calls.clear();
    ClickNode(node); // a second click on the selected lesson loads it anew
    QStringList expected{"StopPlay"};
    if (row.Loads)
        expected << "Movie=" + kContent + QString::fromUtf8(row.Loads);
    EXPECT_EQ(Writes(), expected);
    EXPECT_TRUE(Form->Visible());
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, LessonClicks,
    ::testing::Values(TClickRow{{"少儿动画英语", "动画情景交际", "第十一课"}, nullptr},
                      TClickRow{{"少儿动画英语", "听力故事", "9"}, "/software2/wyh/故事/9.swf"},
                      TClickRow{{"少儿动画英语", "听力故事", "10"}, nullptr},
                      TClickRow{{"少儿动画英语", "动画情景交际", "第一课"}, "/software2/wyh/dhqjjj/20031008/1.swf"},
                      TClickRow{{"看动画学英语", "（6）"}, "/software2/wyh/kdhxyy/20030619/6.swf"},
                      TClickRow{{"看动画学英语", "（7）"}, nullptr}, TClickRow{{"流氓狗系列", "追踪 "}, nullptr},
                      TClickRow{{"流氓狗系列"}, nullptr}, TClickRow{{"动画故事"}, nullptr}));

TEST_F(Playback, AnimationServerLessons)
{
    State().Calls.clear();
    ClickNode(Node({"流氓狗系列", "吃奶"}));
    EXPECT_EQ(Writes().last(), "Movie=http://" + AnimationHost() + "/animation/choppy3.swf");
}

TEST_F(Playback, ClickWithoutASelectionOnlyStops)
{
    OpenLocal("/movies/local.swf", 250);
    State().Calls.clear();
    Form->suiTreeView1->OnClick(Form->suiTreeView1);
    EXPECT_EQ(Writes(), QStringList({"StopPlay"}));
    EXPECT_TRUE(Form->Timer2->Enabled()) << "the counter goes on following the stopped movie";
}

TEST_F(Playback, ButtonsPlayAndPauseThroughTheMenuCommands)
{
    ClickNode(Node({"少儿动画英语", "动画情景交际", "第一课"}));
    State().Calls.clear();
    Form->suiButton2->Click();
    Form->suiButton1->Click();
    Form->N9->Click();
    Form->N8->Click();
    EXPECT_EQ(Writes(), QStringList({"StopPlay", "Play", "StopPlay", "Play"}));
}

TEST_F(Playback, TrackBarFollowsAPlayingMovieWithoutSeeking)
{
    State().Playing = true;
    State().Frame = 30;
    ASSERT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Position() == 30; }));
    State().Frame = 55;
    ASSERT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Position() == 55; }));
    EXPECT_FALSE(Writes().join(',').contains("FrameNum="));
}

TEST_F(Playback, SliderSpansTheLessonItFollows)
{
    State().Lengths[kContent + "/software2/wyh/dhqjjj/20031008/2.swf"] = 400;
    ClickNode(Node({"少儿动画英语", "动画情景交际", "第二课"}));
    ASSERT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Max() == 400; }));
    State().Frame = 150;
    EXPECT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Position() == 150; }));
    EXPECT_FALSE(Writes().join(',').contains("FrameNum="));
}

TEST_F(Playback, MovingTheSliderSeeksOnlyWhilePaused)
{
    State().Playing = false;
    State().Frame = 10;
    ASSERT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Position() == 10; }));
    State().Calls.clear();
    Form->suiTrackBar1->SetPosition(40);
    EXPECT_EQ(Writes(), QStringList({"FrameNum=40"}));
    EXPECT_EQ(State().Frame, 40);
    EXPECT_FALSE(State().Playing);
    // The next ticks read frame 40 back: nothing more is written.
    QTest::qWait(250);
    EXPECT_EQ(Writes(), QStringList({"FrameNum=40"}));

    // While playing, a moved slider is ignored and pulled back.
    State().Playing = true;
    Form->suiTrackBar1->SetPosition(70);
    EXPECT_EQ(State().Frame, 40);
    EXPECT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Position() == 40; }));
}

TEST_F(Playback, PausedMovieThatJumpsBeyondTheEndIsMovedBackToMax)
{
    State().TotalFrames = 100;
    ASSERT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Max() == 100; }));
    State().Playing = false;
    State().Frame = 20;
    ASSERT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Position() == 20; }));
    State().Frame = 140;
    EXPECT_TRUE(WaitFor([this] { return State().Frame == 100; }));
    EXPECT_EQ(Form->suiTrackBar1->Position(), 100);
}

TEST_F(Playback, LocalFileGivesTheTrackBarItsLengthAndRunsTheFrameDisplay)
{
    OpenLocal("/movies/250.swf", 250);
    EXPECT_EQ(Form->Label4->Caption(), "/movies/250.swf");
    EXPECT_EQ(Writes(), QStringList({"Movie=/movies/250.swf"}));
    EXPECT_EQ(Form->suiTrackBar1->Max(), 250);
    EXPECT_TRUE(Form->suiTrackBar1->Enabled());
    EXPECT_EQ(Form->Label2->Caption(), "250");
    // Calls in order: load, then the length twice.
    const QStringList calls = State().Calls;
    const int load = calls.indexOf("Movie=/movies/250.swf");
    EXPECT_EQ(calls.mid(load, 3), QStringList({"Movie=/movies/250.swf", "TotalFrames", "TotalFrames"}));
    const TDialogRequest &dialog = Requests.back();
    EXPECT_EQ(dialog.Kind, dkOpenDialog);
    EXPECT_EQ(dialog.Filter, QString::fromUtf8("Flash播放文件|*.swf"));

    State().Frame = 123;
    EXPECT_TRUE(WaitFor([this] { return Form->Label1->Caption() == "123"; }));
    EXPECT_EQ(Form->Label2->Caption(), "250");
    EXPECT_EQ(Form->suiTrackBar1->Position(), 123);
}

// The counter, the slider and the stage always belong to one movie: a
// lesson that replaces a local movie takes the counter and the slider along.
TEST_F(Playback, CounterAndSliderFollowTheLessonThatReplacesALocalMovie)
{
    OpenLocal("/movies/48.swf", 48);
    State().Frame = 32;
    ASSERT_TRUE(WaitFor([this] { return Form->Label1->Caption() == "32"; }));
    State().Lengths[kContent + "/software2/wyh/dhqjjj/20031008/4.swf"] = 400;
    ClickNode(Node({"少儿动画英语", "动画情景交际", "第四课"}));
    State().Frame = 20;
    State().Playing = true;
    EXPECT_TRUE(WaitFor([this] { return Form->Label1->Caption() == "20" && Form->Label2->Caption() == "400"; }));
    EXPECT_EQ(Form->suiTrackBar1->Max(), 400);
    EXPECT_EQ(Form->suiTrackBar1->Position(), 20);
}

TEST_F(Playback, ALessonThatFailsShowsNoFramesOfTheMovieBefore)
{
    OpenLocal("/movies/48.swf", 48);
    State().Frame = 32;
    ASSERT_TRUE(WaitFor([this] { return Form->Label1->Caption() == "32"; }));
    // The lesson's address fails: the control holds no frames.
    State().Lengths[kContent + "/software2/wyh/故事/9.swf"] = 0;
    ClickNode(Node({"少儿动画英语", "听力故事", "9"}));
    EXPECT_TRUE(WaitFor([this] { return Form->Label1->Caption() == "0" && Form->Label2->Caption() == "0"; }));
    EXPECT_EQ(Form->suiTrackBar1->Max(), 0);
    EXPECT_EQ(Form->suiTrackBar1->Position(), 0);
}

// A stopped movie stays on its frame after an entry without a movie; a
// failed lesson has no frame, and its message goes rather than standing
// beside the entry clicked after it.
TEST_F(Playback, AnEntryWithoutAMovieClearsAFailedLessonButKeepsAStoppedMovie)
{
    ClickNode(Node({"流氓狗系列", "买红薯"}));
    State().Calls.clear();
    ClickNode(Node({"流氓狗系列", "追踪 "}));
    EXPECT_EQ(Writes(), QStringList({"StopPlay"})) << "a movie with frames stays";

    State().Lengths["http://" + AnimationHost() + "/animation/choppy2.swf"] = 0;
    ClickNode(Node({"流氓狗系列", "要足球"}));
    State().Calls.clear();
    ClickNode(Node({"流氓狗系列", "闹鬼"}));
    EXPECT_EQ(Writes(), QStringList({"StopPlay", "Movie="}));
    ClickNode(Node({"流氓狗系列"}));
    EXPECT_EQ(Writes().last(), "Movie=") << "series nodes too";
}

class FrameCounter : public Playback, public ::testing::WithParamInterface<int> {};

// The total lies over the blanks of "/      帧"; however wide it is, 帧
// starts clear of it, and the numbers keep their places.
TEST_P(FrameCounter, TotalNeverRunsIntoTheFrameCharacter)
{
    State().TotalFrames = GetParam();
    State().Frame = GetParam() - 1;
    const QString total = QString::number(GetParam());
    ASSERT_TRUE(WaitFor([&] { return Form->Label2->Caption() == total; }));
    const String unit = Form->Label3->Caption();
    ASSERT_TRUE(unit.startsWith("/      ") && unit.endsWith(QString::fromUtf8("帧"))) << unit.toStdString();
    const QFontMetrics metrics(Form->Label3->Font()->QtFont());
    const int unitLeft = Form->Label3->Left() + metrics.horizontalAdvance(unit.left(unit.size() - 1));
    EXPECT_GT(unitLeft, Form->Label2->Left() + Form->Label2->Width()) << total.toStdString();
    EXPECT_EQ(Form->Label2->Left(), 272);
    EXPECT_EQ(Form->Label1->Left() + Form->Label1->Width(), 256);
    EXPECT_EQ(Form->Label3->Left(), 260);
    // 帧 stays within the group box, clear of the play button.
    EXPECT_LT(Form->Label3->Left() + Form->Label3->Width(), Form->suiButton1->Left());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, FrameCounter, ::testing::Values(7, 48, 250, 1000, 12345));

TEST_F(Playback, CancelBeforeAnyFileChangesNothing)
{
    State().Calls.clear();
    OpenAnswer = IDCANCEL;
    Form->N2->Click();
    EXPECT_TRUE(Writes().isEmpty());
    EXPECT_TRUE(Form->Label4->Caption().isEmpty());
}

TEST_F(Playback, CancelAfterALocalFileLoadsItAgainAlsoAfterALesson)
{
    OpenLocal("/movies/250.swf", 250);
    ClickNode(Node({"少儿动画英语", "动画情景交际", "第五课"}));
    State().Calls.clear();
    OpenAnswer = IDCANCEL;
    Form->N2->Click();
    EXPECT_EQ(Writes(), QStringList({"Movie=/movies/250.swf"}));
    EXPECT_EQ(Form->suiTrackBar1->Max(), 250);
    EXPECT_EQ(Form->Label4->Caption(), "/movies/250.swf");
}

TEST_F(Playback, MovieReportingNoLengthYetGetsItsLengthWhenItIsKnown)
{
    OpenLocal("/movies/streaming.swf", 0);
    EXPECT_EQ(Form->suiTrackBar1->Max(), 0);
    EXPECT_EQ(Form->Label2->Caption(), "0");
    State().TotalFrames = 90;
    EXPECT_TRUE(WaitFor([this] { return Form->Label2->Caption() == "90"; }));
    EXPECT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Max() == 90; }));
}

TEST_F(Playback, ControlErrorIsReportedAndTheTimersGoOn)
{
    Requests.clear();
    State().Refusal = QStringLiteral("Control refused the call");
    ASSERT_TRUE(WaitFor([this] {
        return std::any_of(Requests.begin(), Requests.end(),
                           [](const TDialogRequest &r) { return r.Text.startsWith("Control refused the call"); });
    }));
    State().Refusal.clear();
    State().Frame = 33;
    EXPECT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Position() == 33; }));
    EXPECT_TRUE(Form->Visible());
}

struct TProgrammeRow {
    const char *Caption;
    const char *StyleItem;
    TsuiUIStyle Style;
};

class ProgrammeEntries : public Playback, public ::testing::WithParamInterface<TProgrammeRow> {};

TEST_P(ProgrammeEntries, HideTheMainWindowAndOpenTheProgrammeWindowInItsStyle)
{
    dynamic_cast<TMenuItem *>(Form->FindComponent(GetParam().StyleItem))->Click();
    ASSERT_FALSE(Form3->Visible());
    State().Calls.clear();
    ClickNode(Node({GetParam().Caption}));
    EXPECT_FALSE(Form->Visible());
    EXPECT_TRUE(Form3->Visible());
    EXPECT_EQ(Form3->suiForm1->UIStyle(), GetParam().Style);
    EXPECT_EQ(Writes(), QStringList({"StopPlay", "StopPlay"}));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, ProgrammeEntries,
                         ::testing::Values(TProgrammeRow{"洪恩GOGO", "DeepBlue1", DeepBlue},
                                           TProgrammeRow{"Orvane英语（高级）", "MacOS1", MacOS},
                                           TProgrammeRow{"阳光英语广播讲座", "Winxp1", WinXP}));

} // namespace
