// Wordlark's start-up: the application object, the main window, the message loop.
#include "Forms.h"
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
    TForm *mainForm = Application->CreateForm<TForm>();
    mainForm->SetCaption(QStringLiteral("Wordlark"));
    mainForm->SetBounds(mainForm->Left(), mainForm->Top(), 481, 351);
    Application->Run();
    return 0;
}
