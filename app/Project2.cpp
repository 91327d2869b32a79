// Wordlark's start-up: the application object, the main window made from its
// description (the first window made is the main one), the programme window
// made hidden, the message loop.
#include "Forms.h"
#include "Unit1.h"
#include "Unit3.h"
#include "stream/RealAudioControl.h"
#include "swf/FlashComponent.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RegisterFlashControl();
    RegisterRealAudioControl();
    Application->Initialize();
    Application->SetTitle(QStringLiteral("Wordlark"));
    Form1 = Application->CreateForm<TForm1>();
    Form3 = Application->CreateForm<TForm3>();
    Application->Run();
    return 0;
}
