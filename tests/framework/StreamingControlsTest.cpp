// Labels, group boxes, panels, menus and the open dialog in window
// descriptions; a form's stored client size.
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "StdCtrls.h"
#include "Streaming.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kDescription = R"(object Form1: TForm
  BorderStyle = bsSingle
  ClientHeight = 120
  ClientWidth = 200
  object GroupBox1: TGroupBox
    Left = 0
    Top = 80
    Width = 200
    Height = 40
    Align = alBottom
    object Label1: TLabel
      Left = 50
      Top = 5
      Width = 6
      Height = 12
      Alignment = taRightJustify
      Caption = '0'
      Transparent = True
    end
  end
  object Panel1: TPanel
    Left = 10
    Top = 10
    Width = 100
    Height = 60
    BevelOuter = bvNone
    Caption = 'Panel1'
  end
  object MainMenu1: TMainMenu
    object N1: TMenuItem
      Caption = 'File'
      object N2: TMenuItem
        Caption = 'Open'
        Hint = 'opens'
        ShortCut = 16463
      end
    end
    object N3: TMenuItem
      Caption = 'Exit'
      Enabled = False
    end
  end
  object OpenDialog1: TOpenDialog
    Filter = 'Movies|*.swf'
  end
end
)";

TEST(StreamingControls, ControlsMenusAndDialogReadAndWriteBack)
{
    TForm form(nullptr);
    ReadComponentText(&form, kDescription, QStringLiteral("Controls.form"));
    auto *label = dynamic_cast<TLabel *>(form.FindComponent("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->Parent(), form.FindComponent("GroupBox1"));
    EXPECT_EQ(label->Alignment(), taRightJustify);
    EXPECT_TRUE(label->Transparent());
    auto *panel = dynamic_cast<TPanel *>(form.FindComponent("Panel1"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->BevelOuter(), bvNone);
    EXPECT_EQ(panel->Caption(), "Panel1");

    auto *menu = dynamic_cast<TMainMenu *>(form.FindComponent("MainMenu1"));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Items()->Count(), 2);
    TMenuItem *open = menu->Items()->Items(0)->Items(0);
    EXPECT_EQ(open->Name(), "N2");
    EXPECT_EQ(open->Hint(), "opens");
    EXPECT_EQ(open->ShortCut(), ShortCut('O', ssCtrl));
    EXPECT_FALSE(menu->Items()->Items(1)->Enabled());
    auto *dialog = dynamic_cast<TOpenDialog *>(form.FindComponent("OpenDialog1"));
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Filter(), "Movies|*.swf");

    // Written back, the menu items nest where they were.
    TForm copy(nullptr);
    ReadComponentText(&copy, WriteComponentText(&form), QStringLiteral("Copy.form"));
    auto *copied = dynamic_cast<TMenuItem *>(copy.FindComponent("N2"));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->Parent()->Name(), "N1");
    EXPECT_EQ(WriteComponentText(&copy), WriteComponentText(&form));
}

// Drops its form's frame when it is made, as a skinned frame does.
class TFrameDropper : public TComponent {
public:
    explicit TFrameDropper(TComponent *AOwner) : TComponent(AOwner)
    {
        if (auto *form = dynamic_cast<TCustomForm *>(AOwner))
            form->SetBorderStyle(bsNone);
    }
};

TEST(StreamingControls, StoredClientSizeHoldsForTheFrameTheFormEndsWith)
{
    static const bool registered = [] {
        RegisterClass<TFrameDropper>("TFrameDropper", "TComponent");
        return true;
    }();
    ASSERT_TRUE(registered);
    TForm form(nullptr);
    ReadComponentText(&form,
                      "object Form1: TForm\n  BorderStyle = bsSingle\n  ClientHeight = 120\n  ClientWidth = 200\n"
                      "  object Dropper1: TFrameDropper\n  end\nend\n",
                      QStringLiteral("Size.form"));
    EXPECT_EQ(form.BorderStyle(), bsNone);
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_EQ(form.ClientHeight(), 120);
    EXPECT_EQ(form.Width(), 200);
}

} // namespace
