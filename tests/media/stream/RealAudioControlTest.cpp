// The programme control as the programme window reaches it: created by class
// id, its clip written through dispatch id 102, stopped through position 50,
// and driven by a user on its own control panel.
#include "stream/ControlPanel.h"
#include "stream/ImageWindow.h"
#include "stream/RealAudioControl.h"
#include "stream/StreamPlayer.h"
#include "stream/StreamStatus.h"
#include "stream/StreamView.h"
#include "StreamTestMedia.h"
#include "WaitFor.h"

#include <QDir>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {
class RealAudioControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterRealAudioControl();
        host.resize(465, 337);
        control = CreateComObject(QStringLiteral("{cfcdaa03-8be4-11cf-b84b-0020afbbccfa}"), &host);
        control->Window()->setGeometry(0, 0, 465, 337);
        host.show();
    }

    StreamView *View() { return static_cast<RealAudioControl *>(control.get())->View(); }
    StreamPlayer *Player() { return View()->Player(); }

    // The control as it looks now; also written to $WORDLARK_SHOT_DIR/<name>.png
    // when that is set, for a person to look at.
    QImage Shot(const QString &name)
    {
        QImage shot = control->Window()->grab().toImage();
        QString dir = qEnvironmentVariable("WORDLARK_SHOT_DIR");
        if (!dir.isEmpty())
            shot.save(QDir(dir).filePath(name + QStringLiteral(".png")));
        return shot;
    }

    void Click(const QPoint &at)
    {
        QTest::mouseClick(View()->Panel(), Qt::LeftButton, {}, at);
    }

    QWidget host;
    std::unique_ptr<IOleComponent> control;
};
}

TEST_F(RealAudioControlTest, SourceWriteLoadsAndPlaysTheClip)
{
    control->SetProperty(kDispidSource, StreamTestMedia::Mp3());
    EXPECT_EQ(control->GetProperty(kDispidSource).toString(), StreamTestMedia::Mp3());
    ASSERT_TRUE(WaitFor([&] { return Player()->GetState() == StreamPlayer::State::Playing; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return Player()->Position() > 0.2; }, 3000));
    Shot("programme-sound");

    // The stop request ends playback; the resize notice changes nothing.
    control->CallMethod(kMethodResizeNotice);
    EXPECT_EQ(Player()->GetState(), StreamPlayer::State::Playing);
    control->CallMethod(kMethodStop);
    EXPECT_EQ(Player()->GetState(), StreamPlayer::State::Idle);
    EXPECT_EQ(Player()->Status(), StreamStatus::Stopped());
    EXPECT_EQ(control->GetProperty(kDispidSource).toString(), StreamTestMedia::Mp3());
}

TEST_F(RealAudioControlTest, ConfigurationAndUnknownMembers)
{
    EXPECT_EQ(control->GetProperty(kDispidControls).toString(), "imagewindow,controlpanel");
    EXPECT_EQ(control->GetProperty(kDispidBackgroundColor).toString(), "#000000");
    EXPECT_TRUE(View()->Image()->isVisible());
    EXPECT_EQ(View()->Panel()->geometry(), QRect(0, 337 - ControlPanel::kHeight, 465, ControlPanel::kHeight));
    EXPECT_EQ(View()->Image()->geometry(), QRect(0, 0, 465, 337 - ControlPanel::kHeight));

    control->SetProperty(kDispidControls, "ControlPanel");
    EXPECT_FALSE(View()->Image()->isVisible());
    EXPECT_EQ(View()->Panel()->y(), 0);
    control->SetProperty(kDispidBackgroundColor, "#102030");
    EXPECT_EQ(control->GetProperty(kDispidBackgroundColor).toString(), "#102030");

    EXPECT_THROW(control->GetProperty(999), EOleException);
    EXPECT_THROW(control->SetProperty(999, 1), EOleException);
    EXPECT_THROW(control->CallMethod(51), EOleException);
    // The stop request with nothing loaded is harmless.
    EXPECT_NO_THROW(control->CallMethod(kMethodStop));

    control->SetProperty(kDispidControls, "imagewindow,controlpanel");
    control->SetProperty(kDispidSource, StreamTestMedia::Path("missing.rm"));
    ASSERT_TRUE(WaitFor([&] { return Player()->Failed(); }, 5000));
    Shot("programme-error");
}

TEST_F(RealAudioControlTest, PanelButtonsPlayPauseStopMuteAndSeek)
{
    control->SetProperty(kDispidSource, StreamTestMedia::LongMp3());
    ASSERT_TRUE(WaitFor([&] { return Player()->Position() > 0.1; }, 5000));
    ControlPanel *panel = View()->Panel();

    Click(panel->PlayButton().center());
    EXPECT_EQ(Player()->GetState(), StreamPlayer::State::Paused);
    Click(panel->PlayButton().center());
    EXPECT_NE(Player()->GetState(), StreamPlayer::State::Paused);

    Click(panel->MuteButton().center());
    EXPECT_TRUE(Player()->Muted());
    Click(panel->MuteButton().center());
    EXPECT_FALSE(Player()->Muted());
    QRect volume = panel->VolumeSlider();
    Click(QPoint(volume.left() + volume.width() / 4, volume.center().y()));
    EXPECT_NEAR(Player()->Volume(), 25, 3);

    QRect slider = panel->PositionSlider();
    Click(QPoint(slider.left() + slider.width() / 2, slider.center().y()));
    EXPECT_NEAR(Player()->Position(), 15.0, 0.5);

    Click(panel->StopButton().center());
    EXPECT_EQ(Player()->GetState(), StreamPlayer::State::Idle);
    Click(panel->PlayButton().center());
    EXPECT_EQ(Player()->GetState(), StreamPlayer::State::Connecting);
}

TEST_F(RealAudioControlTest, ImageWindowShowsThePictureFittedOnBlack)
{
    control->SetProperty(kDispidSource, StreamTestMedia::RealVideo10Ac3());
    ASSERT_TRUE(WaitFor([&] { return !Player()->Picture().isNull() && Player()->Position() > 0.5; }, 5000));
    QImage shot = Shot("programme-video");
    // 176x144 fitted into 465x277 keeps its aspect: 339 wide, centred, with
    // black bars left and right.
    EXPECT_EQ(shot.pixelColor(5, 138), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(459, 138), QColor(Qt::black));
    EXPECT_NE(shot.pixelColor(232, 138), QColor(Qt::black));
    // The panel is drawn under the picture.
    EXPECT_NE(shot.pixelColor(232, 337 - 5), QColor(Qt::black));
}
