#include "swf/FlashComponent.h"
#include "Forms.h"
#include "OleCtrls.h"
#include "stream/RealAudioControl.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(HostedControls, MovieControlTakesItsStoredSettingsAndFillsItsPanel)
{
    RegisterFlashControl();
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto flash = new TShockwaveFlash(&form);
    flash->SetParent(&form);
    flash->SetAlign(alClient);
    EXPECT_EQ(flash->GetProperty(FlashDispId::Scale).toString(), "ExactFit");
    EXPECT_EQ(flash->GetProperty(FlashDispId::WMode).toString(), "Window");
    EXPECT_EQ(flash->GetProperty(FlashDispId::Quality2).toString(), "High");
    EXPECT_EQ(flash->Component()->Window()->size(), QSize(form.ClientWidth(), form.ClientHeight()));
    EXPECT_EQ(flash->TotalFrames(), 0);
    EXPECT_FALSE(flash->Playing());
    flash->StopPlay();
    EXPECT_THROW(flash->CallMethod(12), EOleException);
}

TEST(HostedControls, ProgrammeControlShowsPanelAndImageWindow)
{
    RegisterRealAudioControl();
    TForm form(nullptr);
    form.SetBounds(0, 0, 476, 415);
    auto audio = new TRealAudio(&form);
    audio->SetParent(&form);
    audio->SetBounds(0, 48, 465, 337);
    EXPECT_EQ(audio->GetProperty(103).toString(), "imagewindow,controlpanel");
    audio->DoStop();
    audio->ResizeNotice();
    EXPECT_EQ(audio->Component()->Window()->size(), QSize(465, 337));
}

} // namespace
