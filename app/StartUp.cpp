#include "StartUp.h"

#include "Forms.h"
#include "Unit1.h"
#include "Unit3.h"
#include "stream/RealAudioControl.h"
#include "swf/FlashComponent.h"

#include <QGuiApplication>

void CreateWindows()
{
    RegisterFlashControl();
    RegisterRealAudioControl();
    Application->Initialize();
    // The program's icon is its windows' and the task bar's; the desktop
    // entry of that name groups the windows under it.
    Application->Icon()->LoadFromResourceName(HInstance, "MAINICON");
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.wordlark"));
    Application->SetTitle(QStringLiteral("Wordlark"));
    Form1 = Application->CreateForm<TForm1>();
    Form3 = Application->CreateForm<TForm3>();
}
