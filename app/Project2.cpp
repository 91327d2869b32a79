// Wordlark's start-up: the application object, the main window made from its
// description, the message loop.
#include "Forms.h"
#include "Unit1.h"
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
    Application->CreateForm<TForm1>();
    Application->Run();
    return 0;
}
