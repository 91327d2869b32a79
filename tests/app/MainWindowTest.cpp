// The main window as its description makes it: every control in its place,
// the start-up notice, the style, help and exit commands.
#include "MainWindowFixture.h"
#include "ScriptedMovie.h"
#include "framework/WaitFor.h"

#include <QWidget>

namespace {

using MainWindow = MainWindowFixture;

TEST_F(MainWindow, Smoke)
{
    CreateMainWindow();
    Grab().save("/tmp/mainwin_smoke.png");
    EXPECT_EQ(Form->suiForm1->Width(), 481);
}

} // namespace
