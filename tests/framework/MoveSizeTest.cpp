// Moving and resizing a window with the mouse from its edge: the window
// follows the pointer while the left button is held, and the drag ends when
// the button is no longer held, even when its release went elsewhere.
#include "WaitFor.h"
#include "Forms.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
void MoveTo(QWidget *Window, const QPoint &Global, Qt::MouseButtons Buttons)
{
    QMouseEvent move(QEvent::MouseMove, Window->mapFromGlobal(Global), Global, Qt::NoButton, Buttons, Qt::NoModifier);
    QApplication::sendEvent(Window, &move);
}
}

TEST(MoveSize, AnEdgeDragEndsWhenTheButtonIsNoLongerHeld)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(200, 150, 300, 200);
    form.Show();
    QWidget *window = form.Handle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QPoint edge = window->mapToGlobal(QPoint(2, 100));
    MoveTo(window, edge, Qt::NoButton);
    form.Perform(WM_NCLBUTTONDOWN, HTLEFT, 0);

    MoveTo(window, edge - QPoint(30, 0), Qt::LeftButton);
    EXPECT_TRUE(WaitFor([&] { return form.Left() == 170 && form.Width() == 330; }))
        << form.Left() << " " << form.Width();

    // The release never came: a move without the button ends the drag, and
    // later moves, even with the button down again, leave the window be.
    MoveTo(window, edge - QPoint(60, 0), Qt::NoButton);
    MoveTo(window, edge - QPoint(90, 0), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Left(), 170);
    EXPECT_EQ(form.Width(), 330);
}
