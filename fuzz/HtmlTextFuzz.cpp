// Feeds arbitrary text to a text field as HTML: parses it (single-line with
// condensed white space), writes it back, reads that again (multiline),
// lays it out with word wrap in device fonts and draws it.
#include "swf/SwfHtmlText.h"
#include "swf/SwfTextField.h"
#include "swf/SwfTextPainter.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "HtmlTextFuzz";
    static char *argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QGuiApplication(argc, argv);
    }
    QString html = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    swf::FormattedText condensed = swf::parseHtmlText(html, swf::TextFormat::defaults(), true, false);
    swf::parseHtmlText(swf::writeHtmlText(condensed), swf::TextFormat::defaults(), false, true);
    swf::TextField field;
    field.html = field.multiline = true;
    field.setWordWrap(true);
    field.setBounds(QRectF(0, 0, 120, 60));
    field.setHtmlText(html);
    field.setAutoSize(swf::AutoSize::Center);
    field.setScroll(field.maxScroll());
    QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    swf::paintTextField(painter, field, QTransform::fromScale(0.05, 0.05), swf::ColorTransform());
    return 0;
}
