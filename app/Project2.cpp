// Wordlark's start-up: the application object, the windows (see StartUp.h),
// the message loop.
#include "Forms.h"
#include "StartUp.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    CreateWindows();
    Application->Run();
    return 0;
}
