#include "SUIButton.h"
#include "SUIRegistration.h"
#include "SUITrackBar.h"
#include "Streaming.h"

#include <gtest/gtest.h>

namespace {
const char *const Description = R"(object Form1: TForm
  Left = 10
  Top = 10
  Caption = 'Skin'
  object suiTrackBar1: TsuiTrackBar
    Left = 8
    Top = 8
    Width = 216
    Height = 21
    UIStyle = WinXP
    Max = 100
    Position = 50
  end
  object suiButton1: TsuiButton
    Left = 8
    Top = 40
    Width = 75
    Height = 25
    UIStyle = WinXP
    Caption = #25773#25918
    TabStop = True
    Default = True
  end
  object suiRadioButton1: TsuiRadioButton
    Left = 100
    Top = 40
    GroupIndex = 2
    Checked = True
  end
end
)";
}

TEST(SkinRegistration, DescriptionsCreateSkinnedControlsWithTheirProperties)
{
    RegisterSkinClasses();
    TForm form(nullptr);
    ReadComponentText(&form, Description, QStringLiteral("Skin.form"));

    auto *bar = dynamic_cast<TsuiTrackBar *>(form.FindComponent("suiTrackBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Parent(), &form);
    EXPECT_EQ(bar->UIStyle(), WinXP);
    EXPECT_EQ(bar->Position(), 50);
    EXPECT_EQ(bar->Slider()->Left(), 102);

    auto *button = dynamic_cast<TsuiButton *>(form.FindComponent("suiButton1"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Caption(), QString::fromUtf8("播放"));
    EXPECT_TRUE(button->Default());
    EXPECT_TRUE(button->TabStop());

    auto *radio = dynamic_cast<TsuiRadioButton *>(form.FindComponent("suiRadioButton1"));
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->GroupIndex(), 2);
    EXPECT_TRUE(radio->Checked());

    // Style pictures are never written; properties left at their defaults are not either.
    const QByteArray written = WriteComponentText(&form);
    EXPECT_FALSE(written.contains("PicNormalResName"));
    EXPECT_TRUE(written.contains("GroupIndex = 2"));
    EXPECT_TRUE(written.contains("TsuiRadioButton"));
    EXPECT_FALSE(written.contains("Spacing"));
}
