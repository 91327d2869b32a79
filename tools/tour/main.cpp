// wordlark-tour: the program with a guided tour driving it (see Tour.h).
//   wordlark-tour SCREENSHOT_FOLDER
// Prints one line per step; ends by itself, with status 1 when a step
// failed.
#include "Forms.h"
#include "StartUp.h"
#include "Tour.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: wordlark-tour SCREENSHOT_FOLDER\n");
        return 2;
    }
    Tour tour(QString::fromLocal8Bit(argv[1]));
    tour.Start();
    CreateWindows();
    Application->Run();
    std::printf("%s\n", QString::fromUtf8("导览%1，截图在 %2").arg(tour.Failed() ? QString::fromUtf8("失败") : QString::fromUtf8("结束"), QString::fromLocal8Bit(argv[1])).toUtf8().constData());
    return tour.Failed() ? 1 : 0;
}
