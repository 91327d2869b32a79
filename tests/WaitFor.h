#pragma once
// Polls a condition while the event loop runs; false when it never held.
#include <QElapsedTimer>
#include <QTest>

template <typename Condition>
bool WaitFor(Condition &&Holds, int TimeoutMs = 2000)
{
    QElapsedTimer timer;
    timer.start();
    while (!Holds()) {
        if (timer.elapsed() > TimeoutMs)
            return false;
        QTest::qWait(5);
    }
    return true;
}
