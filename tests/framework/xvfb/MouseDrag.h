#pragma once
// Mouse helpers of the real-window tests.
#include "Controls.h"

#include <QPoint>
#include <QTest>
#include <QWindow>

// A control's client point on the screen.
inline QPoint Global(TControl *Control, int X, int Y)
{
    const TPoint p = Control->ClientToScreen({X, Y});
    return {p.X, p.Y};
}

// Drags with the left button from one screen point to another.
inline void Drag(QWindow *Window, const QPoint &From, const QPoint &To)
{
    QTest::mouseMove(Window, Window->mapFromGlobal(From));
    QTest::mousePress(Window, Qt::LeftButton, {}, Window->mapFromGlobal(From));
    const QPoint middle = (From + To) / 2;
    QTest::mouseMove(Window, Window->mapFromGlobal(middle));
    QTest::mouseMove(Window, Window->mapFromGlobal(To));
    QTest::mouseRelease(Window, Qt::LeftButton, {}, Window->mapFromGlobal(To));
}
