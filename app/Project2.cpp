// Wordlark's start-up: the application object, Qt's own texts in the user's
// language, the windows (see StartUp.h), the message loop.
#include "Forms.h"
#include "StartUp.h"
#include "Translations.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const auto qtTexts = InstallQtTranslations(InterfaceLocale());
    CreateWindows();
    Application->Run();
    return 0;
}
