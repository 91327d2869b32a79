// The skinned form's menu bar: linked by the skinned main menu, one button
// per top-level item, following the menu's changes, hot and pressed buttons
// in the style's colours, shortcuts through the application hook.
#include "MenusPopup.h"
#include "SUIForm.h"
#include "SUIMainMenu.h"
#include "SUIMenu.h"
#include "StdCtrlsEdit.h"
#include "WaitFor.h"
#include "../framework/ShowActive.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

QColor Q(TColor C)
{
    const TColor rgb = ColorToRGB(C);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

struct MenuBarFixture : ::testing::Test {
    TForm *Form = nullptr;
    TsuiForm *Skin = nullptr;
    TsuiMainMenu *Menu = nullptr;
    std::vector<String> Clicks;

    void SetUp() override
    {
        Application->OnMessage = nullptr;
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 400, 300);
        Skin = new TsuiForm(Form);
        Skin->SetParent(Form);
        Skin->SetUIStyle(WinXP);
        Menu = new TsuiMainMenu(Form);
        TMenuItem *file = Add(Menu->Items(), "&File");
        Add(file, "&Open")->SetShortCut(ShortCut('O', ssCtrl));
        Add(file, "-");
        Add(file, "E&xit");
        Add(Add(Menu->Items(), "&Style"), "WinXP");
        Add(Menu->Items(), "&Quit");
        Menu->Loaded();
    }
    void TearDown() override
    {
        CloseMenus();
        delete Form;
        QTest::qWait(1);
    }
    TMenuItem *Add(TMenuItem *Parent, const String &Caption)
    {
        auto *item = new TMenuItem(Form);
        item->SetCaption(Caption);
        item->OnClick = [this, item](TObject *) { Clicks.push_back(item->Caption()); };
        Parent->Add(item);
        return item;
    }
    std::vector<String> Captions() const
    {
        std::vector<String> captions;
        for (int i = 0; i < Skin->MenuBar()->ButtonCount(); ++i)
            captions.push_back(Skin->MenuBar()->Buttons(i)->Caption());
        return captions;
    }
    void ShowActive()
    {
        ASSERT_TRUE(::ShowActive(Form));
    }
    QPoint Centre(TControl *Control)
    {
        const TPoint c = Control->ClientToScreen({Control->Width() / 2, Control->Height() / 2});
        return Form->Handle()->windowHandle()->mapFromGlobal(QPoint(c.X, c.Y));
    }
};

} // namespace

TEST_F(MenuBarFixture, MenuLinksItselfAndTheBarShowsItsTopItemsInOrder)
{
    EXPECT_EQ(Skin->Menu(), Menu);
    EXPECT_EQ(Menu->FormLink(), Skin);
    EXPECT_EQ(Form->Menu(), nullptr);
    ASSERT_NE(Skin->MenuBar(), nullptr);
    EXPECT_EQ(Captions(), (std::vector<String>{"&File", "&Style", "&Quit"}));
    for (int i = 1; i < 3; ++i)
        EXPECT_GT(Skin->MenuBar()->Buttons(i)->Left(), Skin->MenuBar()->Buttons(i - 1)->Left());
    // Under the title bar, 22 high with buttons as high.
    EXPECT_EQ(Skin->MenuBar()->Top(), Skin->TitleBar()->Height());
    EXPECT_EQ(Skin->MenuBar()->Height(), 22);
    EXPECT_EQ(Skin->MenuBar()->Buttons(0)->Height(), 22);
    EXPECT_EQ(Skin->MenuBar()->Color(), Skin->Color());
    Skin->SetMenuBarHeight(30);
    EXPECT_EQ(Skin->MenuBar()->Height(), 30);
    EXPECT_EQ(Skin->MenuBar()->Buttons(2)->Height(), 30);
}

TEST_F(MenuBarFixture, BarFollowsTheMenusChanges)
{
    TMenuItem *style = Menu->Items()->Items(1);
    style->SetEnabled(false);
    EXPECT_FALSE(Skin->MenuBar()->Buttons(1)->Enabled());
    style->SetCaption("&Look");
    EXPECT_EQ(Skin->MenuBar()->Buttons(1)->Caption(), QString("&Look"));

    // New top-level items get buttons, and are skinned like the others.
    TMenuItem *help = Add(Menu->Items(), "&Help");
    TMenuItem *about = Add(help, "About");
    EXPECT_EQ(Captions(), (std::vector<String>{"&File", "&Look", "&Quit", "&Help"}));
    EXPECT_TRUE(about->OnDrawItem && help->OnMeasureItem);
    delete Menu->Items()->Items(0);
    EXPECT_EQ(Captions(), (std::vector<String>{"&Look", "&Quit", "&Help"}));
}

TEST_F(MenuBarFixture, BarGoesWithTheMenu)
{
    const int controls = Skin->ControlCount();
    Skin->SetMenu(nullptr);
    EXPECT_EQ(Skin->MenuBar(), nullptr);
    EXPECT_EQ(Menu->FormLink(), nullptr);
    EXPECT_EQ(Skin->ControlCount(), controls - 1);

    Skin->SetMenu(Menu);
    ASSERT_NE(Skin->MenuBar(), nullptr);
    EXPECT_EQ(Menu->FormLink(), Skin);
    delete Menu;
    EXPECT_EQ(Skin->Menu(), nullptr);
    EXPECT_EQ(Skin->MenuBar(), nullptr);
    EXPECT_EQ(Skin->ControlCount(), controls - 1);
}

TEST_F(MenuBarFixture, MenuForgetsAFreedSkinnedForm)
{
    delete Skin;
    EXPECT_EQ(Menu->FormLink(), nullptr);
    Menu->SetUseSystemFont(false);
    Add(Menu->Items(), "&More");
}

TEST_F(MenuBarFixture, StyleChangeRestylesTheMenuUnlessCustom)
{
    Skin->SetUIStyle(MacOS);
    EXPECT_EQ(Menu->UIStyle(), MacOS);
    EXPECT_EQ(Menu->SeparatorHeight(), 12);

    // Custom on the form leaves the frame and the menu as they were.
    const TColor border = Skin->BorderColor();
    Skin->SetUIStyle(Custom);
    EXPECT_EQ(Menu->UIStyle(), MacOS);
    EXPECT_EQ(Skin->BorderColor(), border);
    EXPECT_EQ(Skin->MenuBar()->Color(), Skin->Color());

    // A menu of its own look keeps it.
    Menu->SetUIStyle(Custom);
    Menu->SetBarWidth(7);
    Skin->SetUIStyle(BlueGlass);
    EXPECT_EQ(Menu->UIStyle(), Custom);
    EXPECT_EQ(Menu->BarWidth(), 7);
}

TEST_F(MenuBarFixture, BarFontIsTheMenusUnlessTheSystemFontIsUsed)
{
    TFont system;
    GetSystemMenuFont(&system);
    EXPECT_EQ(Skin->MenuBar()->Font()->Name(), system.Name());
    Menu->SetFontName("DejaVu Serif");
    Menu->SetFontSize(14);
    Menu->SetUseSystemFont(false);
    EXPECT_EQ(Skin->MenuBar()->Font()->Name(), QString("DejaVu Serif"));
    EXPECT_EQ(Skin->MenuBar()->Font()->Size(), 14);
    // Buttons are measured in the bar's font.
    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->SetFont(Skin->MenuBar()->Font());
    EXPECT_GE(Skin->MenuBar()->Buttons(0)->Width(), measure.Canvas()->TextWidth("File"));
}


class MenuBarHotButton : public MenuBarFixture, public testing::WithParamInterface<TsuiUIStyle> {};

TEST_P(MenuBarHotButton, HotButtonIsFilledAndFramedInTheStylesColours)
{
    const TsuiUIStyle style = GetParam();
    Skin->SetUIStyle(style);
    ShowActive();
    TToolBar *bar = Skin->MenuBar();
    TToolButton *quit = bar->Buttons(2);
    QTest::mouseMove(Form->Handle()->windowHandle(), Centre(quit));
    ASSERT_TRUE(WaitFor([&] { return quit->Hot(); }));
    const QImage shot = bar->Handle()->grab().toImage();
    const TRect r = quit->BoundsRect();
    EXPECT_EQ(shot.pixelColor(r.Left, r.Top), Q(GetThemeColor(style, 11)));
    EXPECT_EQ(shot.pixelColor(r.Right - 1, r.Bottom - 1), Q(GetThemeColor(style, 11)));
    EXPECT_EQ(shot.pixelColor(r.Left + 2, r.Top + 2), Q(GetThemeColor(style, 12)));
    // A button that is not hot shows the bar's colour.
    const TRect file = bar->Buttons(0)->BoundsRect();
    EXPECT_EQ(shot.pixelColor(file.Left + 1, file.Top + 1), Q(bar->Color()));
}

INSTANTIATE_TEST_SUITE_P(Styles, MenuBarHotButton, testing::Values(WinXP, DeepBlue, Protein, BlueGlass));

TEST_F(MenuBarFixture, MacOSBarShowsItsPictures)
{
    Skin->SetUIStyle(MacOS);
    ShowActive();
    TToolBar *bar = Skin->MenuBar();
    TBitmap picture;
    picture.LoadFromResourceName(HInstance, "MACOS_MENU_BAR");
    TBitmap expected;
    expected.SetSize(bar->Width(), bar->Height());
    expected.Canvas()->StretchDraw(bar->ClientRect(), &picture);
    QImage shot = bar->Handle()->grab().toImage();
    // Right of the last button only the background shows.
    const int x = bar->Buttons(2)->BoundsRect().Right + 5;
    for (int y = 0; y < bar->Height(); ++y)
        EXPECT_EQ(shot.pixelColor(x, y), expected.Image().pixelColor(x, y)) << y;

    TToolButton *quit = bar->Buttons(2);
    QTest::mouseMove(Form->Handle()->windowHandle(), Centre(quit));
    ASSERT_TRUE(WaitFor([&] { return quit->Hot(); }));
    shot = bar->Handle()->grab().toImage();
    TBitmap select;
    select.LoadFromResourceName(HInstance, "MACOS_MENU_SELECT");
    TBitmap button;
    button.SetSize(quit->Width(), quit->Height());
    button.Canvas()->StretchDraw(Rect(0, 0, quit->Width(), quit->Height()), &select);
    EXPECT_EQ(shot.pixelColor(quit->Left() + 1, quit->Top() + 1), button.Image().pixelColor(1, 1));
}

TEST_F(MenuBarFixture, ButtonDropsTheSkinnedSubMenu)
{
    ShowActive();
    TToolButton *file = Skin->MenuBar()->Buttons(0);
    QTest::mouseClick(Form->Handle()->windowHandle(), Qt::LeftButton, {}, Centre(file));
    ASSERT_EQ(OpenMenuWindows().size(), 1u);
    TMenuWindow *w = OpenMenuWindows().front();
    EXPECT_EQ(w->Item(), Menu->Items()->Items(0));
    // Items as high as the style says: 21, 5, 21.
    EXPECT_EQ(w->ItemRect(0).Height(), 21);
    EXPECT_EQ(w->ItemRect(1).Height(), 5);
    const QImage shot = w->Handle()->grab().toImage();
    const TRect r = w->ItemRect(2);
    const int frame = (w->Width() - w->ClientWidth()) / 2;
    EXPECT_EQ(shot.pixelColor(frame + r.Left + 5, frame + r.Top + 1), Q(Menu->BarColor()));
    EXPECT_EQ(shot.pixelColor(frame + r.Right - 3, frame + r.Top + 1), Q(Menu->Color()));
    EXPECT_EQ(shot.pixelColor(frame + r.Left + 40, frame + w->ItemRect(1).Top + 2), Q(Menu->SeparatorColor()));
}

TEST_F(MenuBarFixture, ShortCutsReachTheMenuWhileAChildHasTheFocus)
{
    auto *edit = new TEdit(Form);
    edit->SetParent(Skin);
    edit->SetBounds(10, 60, 100, 22);
    ShowActive();
    edit->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return edit->Focused(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Clicks, std::vector<String>{"&Open"});

    // A disabled item's shortcut does nothing.
    Menu->Items()->Items(0)->Items(0)->SetEnabled(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Clicks.size(), 1u);
}

TEST_F(MenuBarFixture, ShortCutHookGoesWithTheSkinnedForm)
{
    EXPECT_TRUE(static_cast<bool>(Application->OnMessage));
    delete Skin;
    EXPECT_FALSE(static_cast<bool>(Application->OnMessage));
}

TEST_F(MenuBarFixture, ControlBoxButtonPopsItsMenuUnderTheTitleBar)
{
    ShowActive();
    TsuiTitleBar *title = Skin->TitleBar();
    auto *popup = new TPopupMenu(Form);
    Add(popup->Items(), "Restore");
    int box = -1;
    for (int i = 0; i < title->Buttons()->Count(); ++i)
        if (title->Buttons()->Items(i)->ButtonType() == suiControlBox)
            box = i;
    ASSERT_GE(box, 0);
    title->Buttons()->Items(box)->ControlBoxMenu = popup;
    title->PerformButtonAction(box);
    ASSERT_EQ(OpenMenuWindows().size(), 1u);
    const TPoint corner = title->ClientToScreen({0, title->Height()});
    EXPECT_EQ(OpenMenuWindows().front()->BoundsRect().TopLeft(), corner);
}
