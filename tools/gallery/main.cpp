// wordlark_gallery FOLDER: renders the gallery window in each built-in style
// and writes FOLDER/<style>.png (MacOS.png, WinXP.png, ...).
#include "Gallery.h"

#include <QApplication>
#include <QDir>
#include <QImage>

#include <cstdio>
#include <utility>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: wordlark_gallery FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "wordlark_gallery: cannot create the folder %s\n", argv[1]);
        return 1;
    }
    const std::pair<TsuiUIStyle, const char *> styles[] = {
        {MacOS, "MacOS"}, {WinXP, "WinXP"}, {DeepBlue, "DeepBlue"}, {Protein, "Protein"}, {BlueGlass, "BlueGlass"},
    };
    try {
        TGallery gallery;
        for (const auto &[style, name] : styles) {
            gallery.SetUIStyle(style);
            const QString file = folder.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
            if (!gallery.Grab().save(file)) {
                std::fprintf(stderr, "wordlark_gallery: cannot write %s\n", qPrintable(file));
                return 1;
            }
            std::printf("%s\n", qPrintable(file));
        }
    } catch (const Exception &E) {
        std::fprintf(stderr, "wordlark_gallery: %s\n", qPrintable(E.Message));
        return 1;
    }
    return 0;
}
