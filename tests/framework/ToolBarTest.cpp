#include "ComCtrls.h"
#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"
#include "MenusPopup.h"
#include "WaitFor.h"
#include "ShowActive.h"

#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

struct TDrawnState {
    String Caption;
    TCustomDrawState State;
};

struct ToolBarFixture : ::testing::Test {
    TForm *Form = nullptr;
    TToolBar *Bar = nullptr;
    TMainMenu *Menu = nullptr;
    std::vector<TDrawnState> Drawn;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 320, 200);
        Bar = new TToolBar(Form);
        Bar->SetParent(Form);
        Bar->SetFlat(true);
        Bar->SetEdgeBorders(0);
        Bar->SetShowCaptions(true);
        Bar->SetHeight(22);
        Bar->OnCustomDrawButton = [this](TToolBar *, TToolButton *B, TCustomDrawState S, bool &) {
            Drawn.push_back({B->Caption(), S});
        };
        Menu = new TMainMenu(Form);
        Application->OnException = [](TObject *, const Exception &E) { ADD_FAILURE() << E.Message.toStdString(); };
    }
    void TearDown() override
    {
        CloseMenus();
        Application->OnException = nullptr;
        delete Form;
        QTest::qWait(1);
    }
    void ShowForm()
    {
        ASSERT_TRUE(ShowActive(Form));
    }
    // Menu-bar buttons made as a skinned form makes them: last item first.
    void AddMenuButtons(const std::vector<String> &Captions)
    {
        for (const String &c : Captions) {
            auto *item = new TMenuItem(Form);
            item->SetCaption(c);
            for (const char *sub : {"One", "Two"}) {
                auto *s = new TMenuItem(Form);
                s->SetCaption(c + " " + sub);
                item->Add(s);
            }
            Menu->Items()->Add(item);
        }
        for (int i = Menu->Items()->Count() - 1; i >= 0; --i) {
            auto *b = new TToolButton(Form);
            b->SetParent(Bar);
            b->SetGrouped(true);
            b->SetMenuItem(Menu->Items()->Items(i));
            b->SetAutoSize(true);
        }
    }
    TToolButton *AddButton(const String &Caption)
    {
        auto *b = new TToolButton(Form);
        b->SetLeft(Bar->Width());
        b->SetParent(Bar);
        b->SetCaption(Caption);
        b->SetAutoSize(true);
        return b;
    }
    QWindow *FormWindow() { return Form->Handle()->windowHandle(); }
    QPoint Centre(TControl *C)
    {
        const TPoint p = C->ClientToScreen({C->Width() / 2, C->Height() / 2});
        return FormWindow()->mapFromGlobal(QPoint(p.X, p.Y));
    }
    // The last state a button was drawn in.
    TCustomDrawState LastState(const String &Caption)
    {
        Form->Handle()->grab();
        for (auto it = Drawn.rbegin(); it != Drawn.rend(); ++it)
            if (it->Caption == Caption)
                return it->State;
        ADD_FAILURE() << "never drawn: " << Caption.toStdString();
        return 0;
    }
    QWindow *PopupWindow() { return OpenMenuWindows().back()->Handle()->windowHandle(); }
};

} // namespace

TEST_F(ToolBarFixture, ButtonsLieLeftToRightSizedByTheirCaptions)
{
    AddMenuButtons({"File", "Edit and more", "X"});
    ASSERT_EQ(Bar->ButtonCount(), 3);
    std::vector<String> order;
    int x = 0;
    for (int i = 0; i < Bar->ButtonCount(); ++i) {
        TToolButton *b = Bar->Buttons(i);
        order.push_back(b->Caption());
        EXPECT_EQ(b->Left(), x);
        EXPECT_EQ(b->Top(), 0);
        EXPECT_EQ(b->Height(), Bar->ButtonHeight());
        x += b->Width();
    }
    EXPECT_EQ(order, (std::vector<String>{"File", "Edit and more", "X"}));
    EXPECT_GT(Bar->Buttons(1)->Width(), Bar->Buttons(0)->Width());
    EXPECT_GT(Bar->Buttons(0)->Width(), Bar->Buttons(2)->Width());

    // A caption change resizes its button and moves the ones after it.
    const int before = Bar->Buttons(2)->Left();
    Bar->Buttons(0)->SetCaption("File with a long name");
    EXPECT_GT(Bar->Buttons(2)->Left(), before);
    EXPECT_EQ(Bar->Buttons(1)->Left(), Bar->Buttons(0)->BoundsRect().Right);
}

TEST_F(ToolBarFixture, WrapableBarsStartNewRows)
{
    Bar->SetAutoSize(true);
    Bar->SetShowCaptions(false);
    std::vector<TToolButton *> buttons;
    for (int i = 0; i < 5; ++i) {
        buttons.push_back(AddButton(QString::number(i)));
        buttons.back()->SetAutoSize(false);
    }
    Bar->SetAlign(alNone);
    Bar->SetWidth(3 * Bar->ButtonWidth() + 5);
    EXPECT_EQ(buttons[2]->Top(), 0);
    EXPECT_EQ(buttons[3]->Top(), Bar->ButtonHeight());
    EXPECT_EQ(buttons[3]->Left(), 0);
    EXPECT_EQ(Bar->Height(), 2 * Bar->ButtonHeight());
    Bar->SetWrapable(false);
    EXPECT_EQ(buttons[4]->Top(), 0);
    EXPECT_EQ(Bar->Height(), Bar->ButtonHeight());
}

TEST_F(ToolBarFixture, CustomDrawStatesFollowThePointer)
{
    TToolButton *a = AddButton("Alpha");
    TToolButton *b = AddButton("Beta");
    TToolButton *off = AddButton("Off");
    off->SetEnabled(false);
    TToolButton *check = AddButton("Check");
    check->SetStyle(tbsCheck);
    std::vector<String> clicks;
    a->OnClick = [&](TObject *) { clicks.push_back("Alpha"); };
    ShowForm();

    EXPECT_EQ(LastState("Alpha"), 0u);
    EXPECT_EQ(LastState("Off"), cdsDisabled | cdsGrayed);
    QTest::mouseMove(FormWindow(), Centre(a));
    EXPECT_EQ(LastState("Alpha"), cdsHot);
    QTest::mousePress(FormWindow(), Qt::LeftButton, {}, Centre(a));
    EXPECT_EQ(LastState("Alpha"), cdsHot | cdsSelected);
    QTest::mouseRelease(FormWindow(), Qt::LeftButton, {}, Centre(a));
    EXPECT_EQ(LastState("Alpha"), cdsHot);
    EXPECT_EQ(clicks, std::vector<String>{"Alpha"});
    QTest::mouseMove(FormWindow(), Centre(b));
    EXPECT_EQ(LastState("Alpha"), 0u);
    EXPECT_EQ(LastState("Beta"), cdsHot);

    // Pressing and leaving the button before the release does not click.
    QTest::mousePress(FormWindow(), Qt::LeftButton, {}, Centre(a));
    QTest::mouseMove(FormWindow(), Centre(b));
    QTest::mouseRelease(FormWindow(), Qt::LeftButton, {}, Centre(b));
    EXPECT_EQ(clicks.size(), 1u);

    QTest::mouseClick(FormWindow(), Qt::LeftButton, {}, Centre(check));
    EXPECT_TRUE(check->Down());
    QTest::mouseMove(FormWindow(), Centre(off));
    EXPECT_EQ(LastState("Check"), cdsChecked);
    EXPECT_EQ(LastState("Off"), cdsDisabled | cdsGrayed);
}

TEST_F(ToolBarFixture, GroupedCheckButtonsKeepOneDown)
{
    std::vector<TToolButton *> group;
    for (const char *c : {"L", "C", "R"}) {
        group.push_back(AddButton(c));
        group.back()->SetStyle(tbsCheck);
        group.back()->SetGrouped(true);
    }
    group[0]->Click();
    group[2]->Click();
    EXPECT_FALSE(group[0]->Down());
    EXPECT_TRUE(group[2]->Down());
    group[2]->Click(); // a grouped button does not come up by itself
    EXPECT_TRUE(group[2]->Down());
    group[2]->SetAllowAllUp(true);
    group[2]->Click();
    EXPECT_FALSE(group[2]->Down());
}

TEST_F(ToolBarFixture, DefaultDrawingAndItsReplacement)
{
    TToolButton *a = AddButton("Alpha");
    Bar->SetColor(clWhite);
    std::vector<TRect> backgrounds;
    Bar->OnCustomDraw = [&](TToolBar *, const TRect &R, bool &) { backgrounds.push_back(R); };
    ShowForm();
    QTest::mouseMove(FormWindow(), Centre(a));
    QImage shot = Bar->Handle()->grab().toImage();
    ASSERT_FALSE(backgrounds.empty());
    EXPECT_EQ(backgrounds.back(), Bar->ClientRect());
    // Flat and hot: a raised edge, shadow at the bottom right.
    const TRect r = a->BoundsRect();
    EXPECT_EQ(shot.pixelColor(r.Right - 1, r.Bottom - 1), ColorToQColor(clBtnShadow));
    EXPECT_EQ(shot.pixelColor(r.Left, r.Top), ColorToQColor(clBtnHighlight));

    Bar->OnCustomDrawButton = [](TToolBar *Sender, TToolButton *B, TCustomDrawState S, bool &DefaultDraw) {
        if (!(S & cdsHot))
            return;
        DefaultDraw = false;
        Sender->Canvas()->Brush()->SetColor(clRed);
        Sender->Canvas()->FillRect(B->BoundsRect());
    };
    Bar->Invalidate();
    shot = Bar->Handle()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(r.Right - 1, r.Bottom - 1), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(r.Right + 2, r.Top + 2), QColor(Qt::white));
}

TEST_F(ToolBarFixture, MenuButtonsDropTheirMenuAndSwitchBetweenEachOther)
{
    AddMenuButtons({"File", "Edit", "Help"});
    std::vector<String> clicks;
    Menu->Items()->Items(1)->Items(1)->OnClick = [&](TObject *) { clicks.push_back("Edit Two"); };
    ShowForm();
    TToolButton *file = Bar->Buttons(0);
    TToolButton *edit = Bar->Buttons(1);
    TToolButton *help = Bar->Buttons(2);

    QTest::mouseMove(FormWindow(), Centre(file));
    QTest::mousePress(FormWindow(), Qt::LeftButton, {}, Centre(file));
    ASSERT_EQ(OpenMenuWindows().size(), 1u);
    EXPECT_EQ(OpenMenuWindows()[0]->Item(), file->MenuItem());
    EXPECT_EQ(Bar->DroppedButton(), file);
    const TPoint under = Bar->ClientToScreen({file->Left(), file->BoundsRect().Bottom});
    EXPECT_EQ(OpenMenuWindows()[0]->Left(), under.X);
    EXPECT_EQ(OpenMenuWindows()[0]->Top(), under.Y);
    EXPECT_TRUE(LastState("File") & cdsSelected);
    QTest::mouseRelease(PopupWindow(), Qt::LeftButton, {}, PopupWindow()->mapFromGlobal(FormWindow()->mapToGlobal(Centre(file))));

    // Moving to the neighbour drops its menu instead.
    QTest::mouseMove(PopupWindow(), PopupWindow()->mapFromGlobal(FormWindow()->mapToGlobal(Centre(edit))));
    ASSERT_EQ(OpenMenuWindows().size(), 1u);
    EXPECT_EQ(OpenMenuWindows()[0]->Item(), edit->MenuItem());
    EXPECT_EQ(Bar->DroppedButton(), edit);
    EXPECT_FALSE(LastState("File") & cdsSelected);
    EXPECT_TRUE(LastState("Edit") & cdsSelected);

    // Right moves on to the next menu with its first item selected; Left back.
    QTest::keyClick(OpenMenuWindows()[0]->Handle(), Qt::Key_Right);
    EXPECT_EQ(Bar->DroppedButton(), help);
    EXPECT_EQ(OpenMenuWindows()[0]->Selected(), 0);
    QTest::keyClick(OpenMenuWindows()[0]->Handle(), Qt::Key_Right);
    EXPECT_EQ(Bar->DroppedButton(), file); // wraps round
    QTest::keyClick(OpenMenuWindows()[0]->Handle(), Qt::Key_Left);
    EXPECT_EQ(Bar->DroppedButton(), help);
    QTest::keyClick(OpenMenuWindows()[0]->Handle(), Qt::Key_Left);
    EXPECT_EQ(Bar->DroppedButton(), edit);

    // Choosing an item closes the menu and un-presses the button.
    QTest::keyClick(OpenMenuWindows()[0]->Handle(), Qt::Key_Down);
    QTest::keyClick(OpenMenuWindows()[0]->Handle(), Qt::Key_Return);
    EXPECT_EQ(Bar->DroppedButton(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks, std::vector<String>{"Edit Two"});

    // A press on the dropped button closes its menu.
    QTest::mousePress(FormWindow(), Qt::LeftButton, {}, Centre(help));
    ASSERT_EQ(Bar->DroppedButton(), help);
    QTest::mouseRelease(PopupWindow(), Qt::LeftButton, {}, PopupWindow()->mapFromGlobal(FormWindow()->mapToGlobal(Centre(help))));
    EXPECT_EQ(Bar->DroppedButton(), help);
    QTest::mousePress(PopupWindow(), Qt::LeftButton, {}, PopupWindow()->mapFromGlobal(FormWindow()->mapToGlobal(Centre(help))));
    EXPECT_TRUE(OpenMenuWindows().empty());
    EXPECT_EQ(Bar->DroppedButton(), nullptr);
}

TEST_F(ToolBarFixture, AltWithTheMarkedLetterDropsThatMenu)
{
    AddMenuButtons({"&File", "&Edit"});
    ShowForm();
    QTest::keyClick(Form->Handle(), Qt::Key_E, Qt::AltModifier);
    ASSERT_EQ(Bar->DroppedButton(), Bar->Buttons(1));
    EXPECT_EQ(OpenMenuWindows()[0]->Selected(), 0);
}

TEST_F(ToolBarFixture, AFreedImageListIsForgotten)
{
    auto *images = new TImageList(16, 16, Form);
    Bar->SetImages(images);
    Bar->SetHotImages(images);
    Menu->SetImages(images);
    delete images;
    EXPECT_EQ(Bar->Images(), nullptr);
    EXPECT_EQ(Bar->HotImages(), nullptr);
    EXPECT_EQ(Menu->Images(), nullptr);
}
