// Feeds arbitrary bytes to the bitmap reader, directly and as a picture's
// stored form; whatever loads is drawn, made transparent and written back.
#include "Graphics.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

static void Exercise(TBitmap &bitmap)
{
    TBitmap target;
    target.SetSize(16, 16);
    target.Canvas()->StretchDraw(Rect(0, 0, 16, 16), &bitmap);
    bitmap.SetTransparent(true);
    target.Canvas()->Draw(-2, -2, &bitmap);
    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    bitmap.SaveToStream(&out);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "BmpFuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    (void)app;

    QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    try {
        TBitmap bitmap;
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        bitmap.LoadFromStream(&in);
        Exercise(bitmap);
    } catch (const Exception &) {
    }
    try {
        TPicture picture;
        QByteArray stored = QByteArray("\x07TBitmap") + bytes;
        picture.ReadData(stored);
    } catch (const Exception &) {
    }
    return 0;
}
