// Window descriptions with the further skinned controls: read, and written
// back the same.
#include "SUIColorBox.h"
#include "SUIComboBox.h"
#include "SUIFontComboBox.h"
#include "SUIRegistration.h"
#include "SUISideChannel.h"
#include "SUIToolBar.h"
#include "Streaming.h"

#include <gtest/gtest.h>

namespace {
const char *const Description = R"(object Form1: TForm
  Left = 10
  Top = 10
  object suiComboBox1: TsuiComboBox
    Left = 8
    Top = 8
    Width = 145
    Height = 21
    UIStyle = WinXP
    Style = csDropDownList
    Items.Strings = (
      'One'
      'Two')
    ItemIndex = 1
  end
  object suiColorBox1: TsuiColorBox
    Left = 8
    Top = 40
    Width = 145
    Height = 22
    UIStyle = MacOS
    Style = [cbStandardColors, cbCustomColor, cbPrettyNames]
    Selected = clRed
  end
  object suiFontComboBox1: TsuiFontComboBox
    Left = 8
    Top = 70
    Width = 145
    Height = 22
    Options = [foTrueTypeOnly]
    FontName = 'DejaVu Sans'
  end
  object suiFontSizeComboBox1: TsuiFontSizeComboBox
    Left = 8
    Top = 100
    Width = 145
    Height = 22
    Style = csDropDownList
    FontName = 'DejaVu Sans'
  end
  object suiToolBar1: TsuiToolBar
    Left = 0
    Top = 130
    Width = 200
    Height = 29
    UIStyle = Protein
    ShowCaptions = True
  end
  object suiSideChannel1: TsuiSideChannel
    Left = 300
    Top = 0
    Height = 200
    Width = 150
    SideBarColor = clMoneyGreen
    Caption = 'Tools'
    Align = suiRight
    PopupMode = suiMouseClick
    QuickMove = True
    StayOn = True
  end
end
)";
}

TEST(SkinRegistrationFurther, DescriptionsCreateComboBoxesToolBarsAndSideChannels)
{
    RegisterSkinClasses();
    TForm form(nullptr);
    ReadComponentText(&form, Description, QStringLiteral("Further.form"));

    auto *combo = dynamic_cast<TsuiComboBox *>(form.FindComponent("suiComboBox1"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->UIStyle(), WinXP);
    EXPECT_EQ(combo->Style(), csDropDownList);
    EXPECT_EQ(combo->Items()->Count(), 2);
    EXPECT_EQ(combo->ItemIndex(), 1);

    auto *colors = dynamic_cast<TsuiColorBox *>(form.FindComponent("suiColorBox1"));
    ASSERT_NE(colors, nullptr);
    EXPECT_EQ(colors->UIStyle(), MacOS);
    EXPECT_EQ(colors->Style(), cbStandardColors | cbCustomColor | cbPrettyNames);
    EXPECT_EQ(colors->Selected(), clRed);
    colors->HandleNeeded();
    EXPECT_EQ(colors->Items()->Strings(colors->ItemIndex()), "Red");

    auto *fonts = dynamic_cast<TsuiFontComboBox *>(form.FindComponent("suiFontComboBox1"));
    ASSERT_NE(fonts, nullptr);
    EXPECT_EQ(fonts->Options(), unsigned(foTrueTypeOnly));
    EXPECT_EQ(fonts->FontName(), "DejaVu Sans");
    auto *sizes = dynamic_cast<TsuiFontSizeComboBox *>(form.FindComponent("suiFontSizeComboBox1"));
    ASSERT_NE(sizes, nullptr);
    EXPECT_EQ(sizes->Items()->Count(), 16);

    auto *bar = dynamic_cast<TsuiToolBar *>(form.FindComponent("suiToolBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->UIStyle(), Protein);
    EXPECT_TRUE(bar->ShowCaptions());

    auto *channel = dynamic_cast<TsuiSideChannel *>(form.FindComponent("suiSideChannel1"));
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(channel->Width(), 150);
    EXPECT_EQ(channel->TControl::Width(), 150) << "pinned open";
    EXPECT_TRUE(channel->StayOn());
    EXPECT_EQ(channel->Align(), suiRight);
    EXPECT_EQ(channel->PopupMode(), suiMouseClick);
    EXPECT_EQ(channel->SideBarColor(), clMoneyGreen);
    EXPECT_EQ(channel->TitlePanel()->Caption(), "Tools");

    // Written and read again, everything comes back.
    const QByteArray written = WriteComponentText(&form);
    TForm again(nullptr);
    ReadComponentText(&again, written, QStringLiteral("Again.form"));
    auto *colors2 = dynamic_cast<TsuiColorBox *>(again.FindComponent("suiColorBox1"));
    ASSERT_NE(colors2, nullptr);
    EXPECT_EQ(colors2->Style(), colors->Style());
    EXPECT_EQ(colors2->Selected(), clRed);
    auto *combo2 = dynamic_cast<TsuiComboBox *>(again.FindComponent("suiComboBox1"));
    ASSERT_NE(combo2, nullptr);
    EXPECT_EQ(combo2->ItemIndex(), 1);
    auto *fonts2 = dynamic_cast<TsuiFontComboBox *>(again.FindComponent("suiFontComboBox1"));
    ASSERT_NE(fonts2, nullptr);
    EXPECT_EQ(fonts2->FontName(), "DejaVu Sans");
    auto *channel2 = dynamic_cast<TsuiSideChannel *>(again.FindComponent("suiSideChannel1"));
    ASSERT_NE(channel2, nullptr);
    EXPECT_EQ(channel2->Width(), 150);
    EXPECT_TRUE(channel2->StayOn());
    EXPECT_EQ(channel2->Caption(), "Tools");
}
