#pragma once
// Runs the event loop until a condition holds or the time is up.
#include <QElapsedTimer>
#include <QTest>

#include <functional>

inline bool WaitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}
