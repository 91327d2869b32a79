// Feeds arbitrary text to the description reader as a form's description;
// whatever reads is written back and read again.
#include "Forms.h"
#include "Streaming.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "StreamingFuzz";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;

    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    try {
        std::unique_ptr<TComponent> root(CreateComponentFromText(nullptr, text, QStringLiteral("Fuzz.form")));
        const QByteArray written = WriteComponentText(root.get());
        std::unique_ptr<TComponent> again(CreateComponentFromText(nullptr, written, QStringLiteral("Written.form")));
        if (WriteComponentText(again.get()) != written)
            __builtin_trap();
    } catch (const Exception &) {
    }
    return 0;
}
