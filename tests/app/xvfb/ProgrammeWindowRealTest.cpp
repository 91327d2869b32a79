// The programme window on a real X desktop: episodes chosen with the mouse
// from the skinned menu bar's drop-downs, disabled entries and submenus that
// cannot be chosen, and the title bar's close button.
#include "WaitFor.h"
#include "../../framework/xvfb/MouseDrag.h"
#include "../CloseButton.h"
#include "../ScriptedProgrammeControl.h"
#include "LessonTable.h"
#include "MenusPopup.h"
#include "Unit3.h"

#include <QCursor>
#include <QScreen>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

// Moves the desktop cursor to a control's client point.
QWindow *PointAt(TWinControl *Control, int X, int Y, QPoint &At)
{
    At = Global(Control, X, Y);
    QCursor::setPos(At);
    WaitFor([&] { return QCursor::pos() == At; });
    QWindow *window = Control->Handle()->window()->windowHandle();
    QTest::mouseMove(window, window->mapFromGlobal(At));
    return window;
}

void ClickAt(TWinControl *Control, int X, int Y)
{
    QPoint at;
    QWindow *window = PointAt(Control, X, Y, at);
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50); // a click, not a double click
    QTest::mouseClick(window, Qt::LeftButton, {}, window->mapFromGlobal(at));
}

// Opens the menu bar's drop-down of top-level entry Index.
TMenuWindow *DropDown(TForm3 &W, int Index)
{
    TToolBar *bar = W.suiForm1->MenuBar();
    TToolButton *button = bar->Buttons(Index);
    ClickAt(bar, button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
    if (!WaitFor([] { return !OpenMenuWindows().empty(); }))
        return nullptr;
    return OpenMenuWindows().front();
}

TPoint Centre(const TRect &R)
{
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
}

class ProgrammeWindowOnTheDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedProgrammeControl::Register();
        Main.reset(Application->CreateForm<TForm>());
        Window.reset(Application->CreateForm<TForm3>());
        Window->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window->Handle()));
    }
    void TearDown() override
    {
        CloseMenus();
        Window.reset();
        Main.reset();
    }
    std::unique_ptr<TForm> Main;
    std::unique_ptr<TForm3> Window;
};

TEST_F(ProgrammeWindowOnTheDesktop, AnEpisodeChosenFromTheMenuBarBecomesTheSource)
{
    TMenuWindow *gogo = DropDown(*Window, 0);
    ASSERT_NE(gogo, nullptr);
    EXPECT_EQ(gogo->Item(), Window->GOGO1);
    const TPoint second = Centre(gogo->ItemRect(1));
    ClickAt(gogo, second.X, second.Y);
    const QString address = QStringLiteral("Source=rtsp://") + ContentHost() + QStringLiteral("/SOFTWARE2/GOGO_MTV/04.RM");
    EXPECT_TRUE(WaitFor([&] { return ScriptedProgrammeControl::Log() == QStringList({address}); }))
        << ScriptedProgrammeControl::Log().join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(OpenMenuWindows().empty());
}

TEST_F(ProgrammeWindowOnTheDesktop, DisabledEntriesAndSubmenusCannotBeChosen)
{
    TMenuWindow *kids = DropDown(*Window, 1);
    ASSERT_NE(kids, nullptr);
    const TPoint third = Centre(kids->ItemRect(2));
    ClickAt(kids, third.X, third.Y);
    QTest::qWait(200);
    EXPECT_TRUE(ScriptedProgrammeControl::Log().isEmpty());
    CloseMenus();

    // Resting on "空中美语中级" opens nothing; on "空中美语初级" its episodes.
    TMenuWindow *radio = DropDown(*Window, 2);
    ASSERT_NE(radio, nullptr);
    QPoint at;
    const TPoint middle = Centre(radio->ItemRect(1));
    PointAt(radio, middle.X, middle.Y, at);
    QTest::qWait(500);
    EXPECT_EQ(OpenMenuWindows().size(), 1u);
    const TPoint first = Centre(radio->ItemRect(0));
    PointAt(radio, first.X, first.Y, at);
    ASSERT_TRUE(WaitFor([] { return OpenMenuWindows().size() == 2; }));
    TMenuWindow *episodes = OpenMenuWindows()[1];
    EXPECT_EQ(episodes->Item(), Window->N2);
    const TPoint one = Centre(episodes->ItemRect(0));
    ClickAt(episodes, one.X, one.Y);
    EXPECT_TRUE(WaitFor([] {
        return ScriptedProgrammeControl::Log() ==
               QStringList({QStringLiteral("Source=rtsp://") + ContentHost() + QStringLiteral("/software2/radio/KZMYCJ/a-01.rm")});
    }));
}

// Low on the screen the 31 episodes do not fit below the bar: the drop-down
// is moved up over the button, under the pointer. The release of the click
// that opened it chooses nothing; a move onto an entry and a click do.
TEST_F(ProgrammeWindowOnTheDesktop, ADropDownOpenedOverThePointerIgnoresTheOpeningRelease)
{
    // Moves the window so that the drop-down, pushed up from the bottom of
    // the screen, puts episode "1" right under the bar button.
    TMenuWindow *kids = DropDown(*Window, 1);
    ASSERT_NE(kids, nullptr);
    const int menuHeight = kids->Height();
    const TRect one = kids->ItemRect(0);
    CloseMenus();
    TToolButton *button = Window->suiForm1->MenuBar()->Buttons(1);
    const QPoint buttonCentre = Global(Window->suiForm1->MenuBar(), button->Left() + button->Width() / 2,
                                       button->Top() + button->Height() / 2);
    const QRect screen = Window->Handle()->screen()->availableGeometry();
    const int wanted = screen.bottom() + 1 - menuHeight + (one.Top + one.Bottom) / 2;
    Window->SetTop(Window->Top() + wanted - buttonCentre.y());
    ASSERT_TRUE(WaitFor([&] { return Global(Window->suiForm1->MenuBar(), 0, 0).y() + button->Top() + button->Height() / 2 == wanted; }));

    kids = DropDown(*Window, 1);
    ASSERT_NE(kids, nullptr);
    const QPoint pointer = QCursor::pos();
    ASSERT_EQ(kids->ItemAtPos(kids->ScreenToClient(TPoint(pointer.x(), pointer.y()))), 0) << "episode 1 under the pointer";
    QTest::qWait(300);
    EXPECT_TRUE(ScriptedProgrammeControl::Log().isEmpty()) << ScriptedProgrammeControl::Log().join('|').toStdString();
    ASSERT_FALSE(OpenMenuWindows().empty()) << "the drop-down stays open";

    const TPoint second = Centre(kids->ItemRect(1));
    ClickAt(kids, second.X, second.Y);
    EXPECT_TRUE(WaitFor([] {
        return ScriptedProgrammeControl::Log() ==
               QStringList({QStringLiteral("Source=rtsp://") + ContentHost() + QStringLiteral("/software/rm/kidsabc/1-02.rm")});
    })) << ScriptedProgrammeControl::Log().join('|').toStdString();
}

TEST_F(ProgrammeWindowOnTheDesktop, TheCloseButtonStopsAndBringsBackTheMainWindow)
{
    Main->SetVisible(false);
    TsuiTitleBar *bar = Window->suiForm1->TitleBar();
    const int close = CloseButtonIndex(bar);
    ASSERT_NE(close, -1);
    // The close button is the rightmost one; the bar finds it under the cursor.
    const int y = bar->Buttons()->Items(close)->Top() + 10;
    int x = bar->Width() - 1;
    QPoint at;
    for (; x > bar->Width() / 2; --x) {
        PointAt(bar, x, y, at);
        bar->Handle()->repaint();
        if (bar->HotButton() == close)
            break;
    }
    ASSERT_EQ(bar->HotButton(), close);
    ClickAt(bar, x - 8, y);
    EXPECT_TRUE(WaitFor([&] { return Main->Visible() && !Window->Visible(); }));
    EXPECT_EQ(ScriptedProgrammeControl::Log(), QStringList({"Stop"}));
}

} // namespace
