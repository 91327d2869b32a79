// A skinned window on a real X desktop: dragged by its title bar, resized by
// its edges, minimised and maximised by its buttons, with
// its rounded top corners.
#include "WaitFor.h"
#include "../../framework/xvfb/MouseDrag.h"
#include "SUIForm.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

int IndexOf(TsuiTitleBar *Bar, TsuiTitleBarBtnType Type)
{
    for (int i = 0; i < Bar->Buttons()->Count(); ++i)
        if (Bar->Buttons()->Items(i)->ButtonType() == Type)
            return i;
    return -1;
}

// Clicks the centre of a title bar button.
void ClickButton(TsuiTitleBar *Bar, TsuiTitleBarBtnType Type)
{
    const int x = Bar->Width() + Bar->RightBtnXOffset() + 1;
    int left = x;
    for (int i = 0; i <= IndexOf(Bar, Type); ++i)
        if (Bar->Buttons()->Items(i)->ButtonType() != suiControlBox)
            left -= Bar->Buttons()->Items(i)->PicNormal()->Width() + Bar->ButtonInterval() + 1;
    TsuiTitleBarButton *button = Bar->Buttons()->Items(IndexOf(Bar, Type));
    const QPoint centre = Global(Bar, left + button->PicNormal()->Width() / 2, button->Top() + button->PicNormal()->Height() / 2);
    QWindow *window = Bar->Handle()->window()->windowHandle();
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50); // a click, not a double click
    QCursor::setPos(centre); // the bar reads the real cursor to find its hot button
    WaitFor([&] { return QCursor::pos() == centre; });
    QTest::mouseMove(window, window->mapFromGlobal(centre));
    QTest::mouseClick(window, Qt::LeftButton, {}, window->mapFromGlobal(centre));
}

TEST(SkinWindow, MovesResizesMaximisesAndRestores)
{
    TForm form(nullptr);
    form.SetBounds(20, 20, 481, 351); // stays on a 640 x 480 screen while moved and grown
    auto *skin = new TsuiForm(&form);
    skin->SetParent(&form);
    skin->SetUIStyle(WinXP);
    skin->SetCaption("Wordlark");
    form.Show();
    QWidget *w = form.Handle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    QTest::qWait(100);

    // Rounded top-left corner, the title bar's picture beside it.
    QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    const QPoint origin = Global(&form, 0, 0);
    EXPECT_NE(screen.pixelColor(origin), screen.pixelColor(origin + QPoint(20, 1)));
    if (!qEnvironmentVariableIsEmpty("WORDLARK_SCREENSHOT"))
        screen.copy(origin.x() - 20, origin.y() - 20, form.Width() + 40, form.Height() + 40).save(qEnvironmentVariable("WORDLARK_SCREENSHOT"));

    // The caption drags the window.
    TsuiTitleBar *bar = skin->TitleBar();
    const int left = form.Left(), top = form.Top();
    Drag(w->windowHandle(), Global(bar, 200, 10), Global(bar, 240, 40));
    EXPECT_TRUE(WaitFor([&] { return form.Left() == left + 40 && form.Top() == top + 30; })) << form.Left() << "," << form.Top();

    // The bottom-right grip resizes it, and the skin follows the new size.
    const int width = form.Width(), height = form.Height();
    Drag(w->windowHandle(), Global(&form, form.ClientWidth() - 2, form.ClientHeight() - 2),
         Global(&form, form.ClientWidth() - 2 + 50, form.ClientHeight() - 2 + 20));
    EXPECT_TRUE(WaitFor([&] { return form.Width() == width + 50 && form.Height() == height + 20; })) << form.Width() << "x" << form.Height();
    EXPECT_TRUE(WaitFor([&] { return skin->Width() == form.ClientWidth() - 2 * skin->BorderWidth(); }));

    // Minimise, then maximise from the title bar buttons.
    ClickButton(bar, suiMin);
    EXPECT_TRUE(WaitFor([&] { return IsIconic(w); }));
    form.SetWindowState(wsNormal);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(w); }));
    ClickButton(bar, suiMax);
    EXPECT_TRUE(WaitFor([&] { return form.WindowState() == wsMaximized; }));
}

} // namespace
