#pragma once
#include "Forms.h"

#include <QTest>
#include <QWidget>

// Shows a form and waits until it is the active window, so keys and clicks reach it as a user's would.
inline bool ShowActive(TForm *Form)
{
    Form->Show();
    Form->Handle()->activateWindow();
    return QTest::qWaitForWindowActive(Form->Handle());
}
