// Movie control text: parsing and laying out a long HTML text field with
// word wrap in device fonts (English and Chinese), and drawing it.
#include "swf/SwfTextField.h"
#include "swf/SwfTextPainter.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

QString lessonHtml(int paragraphs)
{
    QString html;
    for (int i = 0; i < paragraphs; ++i)
        html += QString::fromUtf8("<p align='justify'><font face='_sans' size='14'>Lesson %1: <b>apple</b> is "
                                  "<i>苹果</i>, a red fruit. 我们一起读：I like apples very much.</font></p>")
                    .arg(i);
    return html;
}

swf::TextField lessonField(int paragraphs)
{
    swf::TextField field;
    field.html = true;
    field.setWordWrap(true);
    field.setBounds(QRectF(0, 0, 300, 400));
    field.setHtmlText(lessonHtml(paragraphs));
    return field;
}

void BM_TextFieldHtmlLayout(benchmark::State &state)
{
    QString html = lessonHtml(int(state.range(0)));
    for (auto _ : state) {
        swf::TextField field;
        field.html = true;
        field.setWordWrap(true);
        field.setBounds(QRectF(0, 0, 300, 400));
        field.setHtmlText(html);
        benchmark::DoNotOptimize(field.numLines());
    }
}
BENCHMARK(BM_TextFieldHtmlLayout)->Arg(10)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_TextFieldDraw(benchmark::State &state)
{
    swf::TextField field = lessonField(20);
    field.layout();
    QImage image(300, 400, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        swf::paintTextField(painter, field, QTransform::fromScale(0.05, 0.05), swf::ColorTransform());
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_TextFieldDraw)->Unit(benchmark::kMillisecond);

}
