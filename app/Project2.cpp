// Wordlark's start-up: the application object, the main window, the message loop.
#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wordlark"));
    QWidget mainWindow;
    mainWindow.setWindowTitle(QStringLiteral("Wordlark"));
    mainWindow.resize(481, 351);
    mainWindow.show();
    return app.exec();
}
