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

#include "SUIForm.h"
#include "SUIMainMenu.h"

namespace {

class TMenuTestForm : public TForm {
public:
    using TForm::TForm;
    std::vector<String> Clicks;
    void N2Click(TObject *Sender) { Clicks.push_back(static_cast<TMenuItem *>(Sender)->Name()); }
};

const char *const FrameDescription = R"(object Form1: TMenuTestForm
  Caption = 'Frame'
  ClientHeight = 340
  ClientWidth = 480
  object suiForm1: TsuiForm
    Left = 3
    Top = 0
    Width = 474
    Height = 337
    UIStyle = WinXP
    MenuBarColor = $00DEEBEF
    MenuBarHeight = 22
    Menu = suiMainMenu1
  end
  object suiMainMenu1: TsuiMainMenu
    OwnerDraw = True
    UIStyle = WinXP
    BarWidth = 26
    FontName = 'Tahoma'
    FontCharset = GB2312_CHARSET
    object N1: TMenuItem
      Caption = 'Open'
      ShortCut = 16463
      Hint = 'a file'
      OnClick = N2Click
    end
    object N7: TMenuItem
      Caption = 'Control'
      object N3: TMenuItem
        Caption = 'Size'
        object N4: TMenuItem
          Caption = 'Original'
          Enabled = False
        end
      end
    end
  end
end
)";

} // namespace

TEST(SkinRegistration, DescriptionsLinkTheSkinnedMenuToTheSkinnedFormWithItsItemTree)
{
    RegisterSkinClasses();
    static const bool registered = [] {
        RegisterClass<TMenuTestForm>("TMenuTestForm", "TForm").Handler("N2Click", &TMenuTestForm::N2Click);
        return true;
    }();
    ASSERT_TRUE(registered);
    TMenuTestForm form(nullptr);
    ReadComponentText(&form, FrameDescription, QStringLiteral("Frame.form"));

    auto *skin = dynamic_cast<TsuiForm *>(form.FindComponent("suiForm1"));
    auto *menu = dynamic_cast<TsuiMainMenu *>(form.FindComponent("suiMainMenu1"));
    ASSERT_NE(skin, nullptr);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(skin->Menu(), menu);
    EXPECT_EQ(menu->FormLink(), skin);
    EXPECT_EQ(form.Menu(), nullptr);
    EXPECT_EQ(menu->FontCharset(), GB2312_CHARSET);
    ASSERT_NE(skin->MenuBar(), nullptr);
    ASSERT_EQ(skin->MenuBar()->ButtonCount(), 2);
    EXPECT_EQ(skin->MenuBar()->Buttons(0)->Caption(), QString("Open"));
    EXPECT_EQ(skin->MenuBar()->Buttons(1)->Caption(), QString("Control"));

    TMenuItem *open = menu->Items()->Items(0);
    EXPECT_EQ(open->ShortCut(), ShortCut('O', ssCtrl));
    EXPECT_EQ(open->Hint(), QString("a file"));
    open->Click();
    EXPECT_EQ(form.Clicks, std::vector<String>{"N1"});
    TMenuItem *original = menu->Items()->Items(1)->Items(0)->Items(0);
    EXPECT_EQ(original->Name(), QString("N4"));
    EXPECT_FALSE(original->Enabled());
    // Every item at every depth is drawn by the skin.
    EXPECT_TRUE(original->OnDrawItem && original->OnMeasureItem);

    // Written back, the items nest as they were read.
    const QByteArray written = WriteComponentText(&form);
    EXPECT_TRUE(written.contains("Menu = suiMainMenu1"));
    EXPECT_TRUE(written.contains("ShortCut = 16463"));
    EXPECT_TRUE(written.contains("FontCharset = GB2312_CHARSET"));
    const int n3 = written.indexOf("object N3: TMenuItem");
    EXPECT_GT(n3, written.indexOf("object N7: TMenuItem"));
    EXPECT_GT(written.indexOf("object N4: TMenuItem"), n3);
    EXPECT_GT(written.indexOf("OnClick = N2Click"), written.indexOf("object N1: TMenuItem"));
}
