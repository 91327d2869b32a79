// wordlark_skingen: draws every skin bitmap and the main icon.
//
// Regenerate the committed pictures from the repository root with
//   cmake --build build --target wordlark_skingen && build/tools/skingen/wordlark_skingen resources/skin
// and add --contact-sheet sheet.png to see them all on one page.
#include "ContactSheet.h"
#include "Inventory.h"
#include "MainIcon.h"
#include "SUIResDef.h"
#include "SkinFiles.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString sheet;
    const qsizetype sheetAt = args.indexOf(QStringLiteral("--contact-sheet"));
    if (sheetAt >= 0 && sheetAt + 1 < args.size()) {
        sheet = args.at(sheetAt + 1);
        args.remove(sheetAt, 2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: wordlark_skingen FOLDER [--contact-sheet SHEET.png]\n");
        return 2;
    }
    const QDir folder(args.first());
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(folder.path()));
        return 1;
    }

    const std::vector<SkinPicture> pictures = SkinPictures();
    for (const SkinPicture &picture : pictures) {
        const QString path = folder.filePath(picture.Name + QLatin1String(".bmp"));
        if (!SaveSkinBitmap(picture.Image, picture.Depth, path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    const QString icon = folder.filePath(QLatin1String(RES_MAINICON) + QLatin1String(".ico"));
    if (!WriteIco(MainIconImages(), icon)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(icon));
        return 1;
    }
    std::printf("%zu pictures and the icon written to %s\n", pictures.size(), qPrintable(folder.path()));

    if (!sheet.isEmpty() && !WriteContactSheet(pictures, folder.path(), sheet)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(sheet));
        return 1;
    }
    return 0;
}
