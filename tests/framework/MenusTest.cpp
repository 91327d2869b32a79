#include "ComCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "MenusPopup.h"
#include "WaitFor.h"
#include "ShowActive.h"

#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

struct TDrawCall {
    String Caption;
    TRect Rect;
    bool Selected;
    TControl *Window; // the control whose canvas it was
};

TMenuItem *AddItem(TMenuItem *Parent, const String &Caption, std::vector<String> *Clicks = nullptr)
{
    auto *item = new TMenuItem(Parent->GetParentMenu() ? Parent->GetParentMenu()->Owner() : nullptr);
    item->SetCaption(Caption);
    if (Clicks)
        item->OnClick = [Clicks, item](TObject *) { Clicks->push_back(item->Caption()); };
    Parent->Add(item);
    return item;
}

QPoint ToQ(const TPoint &P)
{
    return {P.X, P.Y};
}

struct MenuFixture : ::testing::Test {
    TForm *Form = nullptr;
    TPopupMenu *Menu = nullptr;
    std::vector<String> Clicks;
    std::vector<TDrawCall> Draws;
    std::vector<String> Measured;

    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 300, 200);
        ASSERT_TRUE(ShowActive(Form));
        Menu = new TPopupMenu(Form);
        Application->OnException = [](TObject *, const Exception &E) { ADD_FAILURE() << E.Message.toStdString(); };
    }
    void TearDown() override
    {
        CloseMenus();
        Application->OnException = nullptr;
        delete Form;
        QTest::qWait(1);
    }
    // Items measured 40 + 10 per character wide, separators 5 high and the
    // others 20, drawn into the log.
    void HookOwnerDraw(TMenuItem *Parent)
    {
        for (int i = 0; i < Parent->Count(); ++i) {
            TMenuItem *item = Parent->Items(i);
            item->OnMeasureItem = [this, item](TObject *, TCanvas *, int &W, int &H) {
                Measured.push_back(item->Caption());
                W = 40 + 10 * static_cast<int>(item->Caption().size());
                H = item->IsLine() ? 5 : 20;
            };
            item->OnDrawItem = [this, item](TObject *, TCanvas *C, const TRect &R, bool Selected) {
                auto *canvas = dynamic_cast<TControlCanvas *>(C);
                Draws.push_back({item->Caption(), R, Selected, canvas ? canvas->Control() : nullptr});
                C->Brush()->SetColor(Selected ? clRed : clWhite);
                C->FillRect(R);
            };
            HookOwnerDraw(item);
        }
    }
    TMenuWindow *Window(size_t Level = 0)
    {
        const auto windows = OpenMenuWindows();
        return Level < windows.size() ? windows[Level] : nullptr;
    }
    QPoint ItemPoint(TMenuWindow *W, int Index)
    {
        const TRect r = W->ItemRect(Index);
        return ToQ(W->ClientToScreen({r.Left + r.Width() / 2, r.Top + r.Height() / 2}));
    }
    // The pointer as the windowing system reports it: to the open pop-up.
    void MoveTo(const QPoint &Global)
    {
        QWindow *w = Window() ? OpenMenuWindows().back()->Handle()->windowHandle() : Form->Handle()->windowHandle();
        QTest::mouseMove(w, w->mapFromGlobal(Global));
    }
    void ClickAt(const QPoint &Global)
    {
        QWindow *w = OpenMenuWindows().back()->Handle()->windowHandle();
        QTest::mouseClick(w, Qt::LeftButton, {}, w->mapFromGlobal(Global));
    }
    void Key(Qt::Key K, const QString &Text = {})
    {
        QTest::keyClick(OpenMenuWindows().back()->Handle(), K, Qt::NoModifier);
        Q_UNUSED(Text);
    }
    void Paint(TMenuWindow *W) { W->Handle()->grab(); }
};

} // namespace

TEST(ShortCuts, TextAndKeysRoundTrip)
{
    struct Row {
        int Key;
        TShiftState Shift;
        const char *Text;
    };
    const Row rows[] = {
        {'O', ssCtrl, "Ctrl+O"},         {VK_F1 + 4, 0, "F5"},           {VK_DELETE, ssShift, "Shift+Del"},
        {'X', ssAlt | ssCtrl, "Ctrl+Alt+X"}, {VK_RETURN, ssAlt, "Alt+Enter"}, {'1', ssShift | ssCtrl, "Shift+Ctrl+1"},
    };
    for (const Row &r : rows) {
        const TShortCut sc = ShortCut(r.Key, r.Shift);
        EXPECT_EQ(ShortCutToText(sc), QString::fromLatin1(r.Text));
        EXPECT_EQ(TextToShortCut(QString::fromLatin1(r.Text)), sc) << r.Text;
        int key = 0;
        TShiftState shift = 0;
        ShortCutToKey(sc, key, shift);
        EXPECT_EQ(key, r.Key);
        EXPECT_EQ(shift, r.Shift);
    }
    EXPECT_EQ(TextToShortCut("ctrl+o"), ShortCut('O', ssCtrl));
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Hyper+Q"), 0);
    EXPECT_EQ(ShortCutToText(0), QString());
}

TEST(ShortCuts, HotkeysOfCaptions)
{
    EXPECT_EQ(GetHotkey("&File"), QChar('F'));
    EXPECT_EQ(GetHotkey("Save &as"), QChar('A'));
    EXPECT_EQ(GetHotkey("Fish && &chips"), QChar('C'));
    EXPECT_TRUE(GetHotkey("R&&D").isNull());
    EXPECT_TRUE(GetHotkey("trailing&").isNull());
    EXPECT_EQ(StripHotkey("Fish && &chips"), QString("Fish & chips"));
}

TEST_F(MenuFixture, ShortCutRunsTheEnabledItemOnly)
{
    TMainMenu main(Form);
    TMenuItem *file = AddItem(main.Items(), "&File");
    TMenuItem *open = AddItem(file, "&Open", &Clicks);
    open->SetShortCut(ShortCut('O', ssCtrl));
    TMenuItem *hidden = AddItem(main.Items(), "Hidden");
    TMenuItem *save = AddItem(hidden, "Save", &Clicks);
    save->SetShortCut(ShortCut('S', ssCtrl));
    hidden->SetEnabled(false);

    EXPECT_EQ(main.FindItemByShortCut(ShortCut('O', ssCtrl)), open);
    EXPECT_EQ(main.FindItemByShortCut(ShortCut('S', ssCtrl)), nullptr);
    EXPECT_EQ(main.FindItemByShortCut(ShortCut('O', 0)), nullptr);

    // A real Ctrl+O on the form reaches the menu through the form's shortcut handling.
    Form->SetMenu(&main);
    QTest::keyClick(Form->Handle(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Clicks, std::vector<String>{"&Open"});
    open->SetEnabled(false);
    QTest::keyClick(Form->Handle(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(Clicks.size(), 1u);
    Form->SetMenu(nullptr);
}

TEST_F(MenuFixture, ChangesOfItemsReachTheMenu)
{
    std::vector<std::pair<TMenuItem *, bool>> changes;
    Menu->OnChange = [&](TObject *, TMenuItem *Source, bool Rebuild) { changes.push_back({Source, Rebuild}); };
    TMenuItem *a = AddItem(Menu->Items(), "A");
    TMenuItem *b = AddItem(a, "B");
    b->SetCaption("B2");
    b->SetEnabled(false);
    a->Remove(b);
    delete b;
    const std::vector<std::pair<TMenuItem *, bool>> expected{
        {Menu->Items(), true}, {a, true}, {b, false}, {b, false}, {a, true}};
    EXPECT_EQ(changes, expected);
}

TEST_F(MenuFixture, RadioItemsOfAGroupCheckOneAtATime)
{
    TMenuItem *x = AddItem(Menu->Items(), "X");
    TMenuItem *y = AddItem(Menu->Items(), "Y");
    TMenuItem *z = AddItem(Menu->Items(), "Z");
    for (TMenuItem *i : {x, y, z})
        i->SetRadioItem(true);
    z->SetGroupIndex(1);
    x->SetChecked(true);
    z->SetChecked(true);
    y->SetChecked(true);
    EXPECT_FALSE(x->Checked());
    EXPECT_TRUE(y->Checked());
    EXPECT_TRUE(z->Checked());
}

TEST_F(MenuFixture, OwnerDrawMeasuresAndDrawsEveryItemInItsRectangle)
{
    Menu->SetOwnerDraw(true);
    AddItem(Menu->Items(), "One");
    AddItem(Menu->Items(), "-");
    AddItem(Menu->Items(), "Seventeen");
    AddItem(Menu->Items(), "Gone")->SetVisible(false);
    HookOwnerDraw(Menu->Items());
    Menu->Popup(150, 160);
    TMenuWindow *w = Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(Measured, (std::vector<String>{"One", "-", "Seventeen"}));
    // All items as wide as the widest (40 + 90), stacked by their heights,
    // inside a three-pixel frame; the window's corner at the given point.
    EXPECT_EQ(w->BoundsRect(), Rect(150, 160, 150 + 130 + 6, 160 + 45 + 6));
    Paint(w);
    ASSERT_EQ(Draws.size(), 3u);
    EXPECT_EQ(Draws[0].Rect, Rect(0, 0, 130, 20));
    EXPECT_EQ(Draws[1].Rect, Rect(0, 20, 130, 25));
    EXPECT_EQ(Draws[2].Rect, Rect(0, 25, 130, 45));
    for (const TDrawCall &d : Draws) {
        EXPECT_FALSE(d.Selected);
        EXPECT_EQ(d.Window, w);
    }

    // The pointer on the third item draws it selected, in place.
    Draws.clear();
    MoveTo(ItemPoint(w, 2));
    EXPECT_EQ(w->Selected(), 2);
    Paint(w);
    ASSERT_EQ(Draws.size(), 3u);
    EXPECT_TRUE(Draws[2].Selected);
    EXPECT_FALSE(Draws[0].Selected);
    const QImage shot = w->Handle()->grab().toImage();
    const TPoint mid = {65 + 3, 35 + 3};
    EXPECT_EQ(shot.pixelColor(mid.X, mid.Y), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(mid.X, 10 + 3), QColor(Qt::white));
}

TEST_F(MenuFixture, PlainMenusIgnoreTheDrawingHandlers)
{
    AddItem(Menu->Items(), "Plain");
    HookOwnerDraw(Menu->Items());
    Menu->Popup(150, 160);
    Paint(Window());
    EXPECT_TRUE(Measured.empty());
    EXPECT_TRUE(Draws.empty());
}

TEST_F(MenuFixture, KeyboardMovesSkippingSeparatorsAndChoosesAfterClosing)
{
    AddItem(Menu->Items(), "First", &Clicks);
    AddItem(Menu->Items(), "-");
    AddItem(Menu->Items(), "Off", &Clicks)->SetEnabled(false);
    AddItem(Menu->Items(), "Last", &Clicks);
    std::vector<String> order;
    Menu->Items()->Items(3)->OnClick = [&](TObject *) { order.push_back(OpenMenuWindows().empty() ? "closed" : "open"); };
    Menu->Popup(150, 160);
    TMenuWindow *w = Window();
    Key(Qt::Key_Down);
    EXPECT_EQ(w->Selected(), 0);
    Key(Qt::Key_Down);
    EXPECT_EQ(w->Selected(), 2); // the disabled item can be selected
    Key(Qt::Key_Return);         // ... but not chosen
    EXPECT_EQ(Window(), w);
    Key(Qt::Key_Down);
    EXPECT_EQ(w->Selected(), 3);
    Key(Qt::Key_Down);
    EXPECT_EQ(w->Selected(), 0); // wraps
    Key(Qt::Key_Up);
    EXPECT_EQ(w->Selected(), 3);
    Key(Qt::Key_Return);
    EXPECT_TRUE(OpenMenuWindows().empty());
    EXPECT_TRUE(order.empty()); // Click comes from the event loop
    ASSERT_TRUE(WaitFor([&] { return !order.empty(); }));
    EXPECT_EQ(order, std::vector<String>{"closed"});
}

TEST_F(MenuFixture, DisabledItemsAreNotChosenByTheMouse)
{
    AddItem(Menu->Items(), "Off", &Clicks)->SetEnabled(false);
    AddItem(Menu->Items(), "On", &Clicks);
    Menu->Popup(150, 160);
    TMenuWindow *w = Window();
    MoveTo(ItemPoint(w, 0));
    ClickAt(ItemPoint(w, 0));
    EXPECT_EQ(Window(), w);
    MoveTo(ItemPoint(w, 1));
    ClickAt(ItemPoint(w, 1));
    EXPECT_TRUE(OpenMenuWindows().empty());
    ASSERT_TRUE(WaitFor([&] { return !Clicks.empty(); }));
    EXPECT_EQ(Clicks, std::vector<String>{"On"});
}

TEST_F(MenuFixture, SubMenusOpenToTheSideByKeyAndByResting)
{
    TMenuItem *sizes = AddItem(Menu->Items(), "Sizes");
    AddItem(sizes, "Small", &Clicks);
    AddItem(sizes, "Large", &Clicks);
    TMenuItem *off = AddItem(Menu->Items(), "Off");
    AddItem(off, "Never");
    off->SetEnabled(false);
    AddItem(Menu->Items(), "Quit", &Clicks);
    Menu->Popup(150, 160);
    TMenuWindow *w = Window();
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    TMenuWindow *sub = Window(1);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Item(), sizes);
    EXPECT_EQ(sub->Selected(), 0);
    EXPECT_EQ(sub->Left(), w->BoundsRect().Right - 3);
    EXPECT_EQ(sub->Top(), w->Top() + w->ItemRect(0).Top);
    Key(Qt::Key_Left);
    EXPECT_EQ(OpenMenuWindows().size(), 1u);

    // A disabled item's sub-menu never opens.
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    EXPECT_EQ(OpenMenuWindows().size(), 1u);

    // Resting the pointer opens the sub-menu after a moment; a click there chooses.
    MoveTo(ItemPoint(w, 0));
    ASSERT_TRUE(WaitFor([&] { return OpenMenuWindows().size() == 2; }));
    sub = Window(1);
    MoveTo(ItemPoint(sub, 1));
    ClickAt(ItemPoint(sub, 1));
    ASSERT_TRUE(WaitFor([&] { return !Clicks.empty(); }));
    EXPECT_EQ(Clicks, std::vector<String>{"Large"});
}

TEST_F(MenuFixture, MnemonicsChooseAndEscapeClosesOneLevel)
{
    TMenuItem *view = AddItem(Menu->Items(), "&View");
    AddItem(view, "&Zoom", &Clicks);
    AddItem(Menu->Items(), "Exit", &Clicks); // automatic hotkey E
    Menu->Popup(150, 160);
    QTest::keyClick(Window()->Handle(), Qt::Key_V, Qt::NoModifier);
    ASSERT_EQ(OpenMenuWindows().size(), 2u);
    Key(Qt::Key_Escape);
    EXPECT_EQ(OpenMenuWindows().size(), 1u);
    QTest::keyClick(Window()->Handle(), Qt::Key_E, Qt::NoModifier);
    EXPECT_TRUE(OpenMenuWindows().empty());
    ASSERT_TRUE(WaitFor([&] { return !Clicks.empty(); }));
    EXPECT_EQ(Clicks, std::vector<String>{"Exit"});

    // With manual hotkeys only marked letters count.
    Clicks.clear();
    Menu->SetAutoHotkeys(maManual);
    Menu->Popup(150, 160);
    QTest::keyClick(Window()->Handle(), Qt::Key_E, Qt::NoModifier);
    EXPECT_EQ(OpenMenuWindows().size(), 1u);
    Key(Qt::Key_Escape);
    EXPECT_TRUE(OpenMenuWindows().empty());
}

TEST_F(MenuFixture, AClickOutsideClosesWithoutChoosing)
{
    AddItem(Menu->Items(), "Item", &Clicks);
    bool popped = false;
    Menu->OnPopup = [&](TObject *) { popped = Window() == nullptr; };
    Menu->Popup(150, 160);
    EXPECT_TRUE(popped);
    ClickAt(ToQ(Form->ClientToScreen({250, 150})));
    EXPECT_TRUE(OpenMenuWindows().empty());
    QTest::qWait(20);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(MenuFixture, DeletingAnOpenItemClosesTheMenu)
{
    TMenuItem *sub = AddItem(Menu->Items(), "Sub");
    TMenuItem *leaf = AddItem(sub, "Leaf");
    Menu->Popup(150, 160);
    Key(Qt::Key_Down);
    Key(Qt::Key_Right);
    ASSERT_EQ(OpenMenuWindows().size(), 2u);
    delete leaf;
    EXPECT_TRUE(OpenMenuWindows().empty());
}

TEST_F(MenuFixture, MenusStayOnTheWorkArea)
{
    AddItem(Menu->Items(), "Wide item");
    const TRect area = Screen->WorkAreaRect();
    Menu->Popup(area.Right - 2, area.Bottom - 2);
    const TRect r = Window()->BoundsRect();
    EXPECT_LE(r.Right, area.Right);
    EXPECT_LE(r.Bottom, area.Bottom);
    EXPECT_EQ(r.Bottom, area.Bottom - 2); // opened upwards from the point
}

TEST_F(MenuFixture, AFormShowsItsMainMenuInABarUntilTheMenuGoes)
{
    auto *main = new TMainMenu(Form);
    TMenuItem *file = AddItem(main->Items(), "&File");
    AddItem(file, "Open", &Clicks);
    AddItem(main->Items(), "&Help", &Clicks);
    const int before = Form->ControlCount();
    Form->SetMenu(main);
    EXPECT_EQ(main->WindowForm(), Form);
    ASSERT_EQ(Form->ControlCount(), before + 1);
    auto *bar = dynamic_cast<TToolBar *>(Form->Controls(before));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->BoundsRect().TopLeft(), TPoint(0, 0));
    EXPECT_EQ(bar->Width(), Form->ClientWidth());
    ASSERT_EQ(bar->ButtonCount(), 2);
    EXPECT_EQ(bar->Buttons(0)->Caption(), QString("&File"));
    EXPECT_EQ(bar->Buttons(1)->Caption(), QString("&Help"));

    // The bar follows the menu's changes.
    file->SetEnabled(false);
    EXPECT_FALSE(bar->Buttons(0)->Enabled());
    AddItem(main->Items(), "&Tools");
    EXPECT_EQ(bar->ButtonCount(), 3);

    // An entry without a sub-menu runs as a command.
    QWindow *w = Form->Handle()->windowHandle();
    TToolButton *help = bar->Buttons(1);
    const TPoint c = help->ClientToScreen({help->Width() / 2, help->Height() / 2});
    QTest::mouseClick(w, Qt::LeftButton, {}, w->mapFromGlobal(QPoint(c.X, c.Y)));
    EXPECT_EQ(Clicks, std::vector<String>{"&Help"});

    Form->SetMenu(nullptr);
    EXPECT_EQ(Form->ControlCount(), before);
    EXPECT_EQ(main->WindowForm(), nullptr);
    Form->SetMenu(main);
    delete main;
    EXPECT_EQ(Form->Menu(), nullptr);
    EXPECT_EQ(Form->ControlCount(), before);
}
