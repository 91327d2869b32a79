#include "SwfTextPainter.h"

#include "SwfFontFace.h"
#include "SwfTextField.h"

#include <QPainter>
#include <cmath>

namespace swf {

namespace {

QColor rgb(QRgb value, const ColorTransform &cx)
{
    return cx.apply(QColor::fromRgb(value | 0xFF000000u));
}

// Text takes its colour the way a colour transform tints white glyphs: each
// channel becomes a multiplier in 1/256ths, rounded down, and is applied to 255.
QColor textColor(QRgb value, const ColorTransform &cx)
{
    auto tint = [](int c) { return 255 * (c * 256 / 255) / 256; };
    return rgb(qRgb(tint(qRed(value)), tint(qGreen(value)), tint(qBlue(value))), cx);
}

bool selected(const TextField &field, int index)
{
    return field.focused && index >= field.selectionBegin() && index < field.selectionEnd();
}

void drawLine(QPainter &painter, const TextField &field, const TextLine &line, QPointF offset, const ColorTransform &cx)
{
    double baseline = line.baseline() + offset.y();
    for (const PlacedGlyph &g : line.glyphs) {
        double x = g.x + offset.x();
        bool inSelection = g.index >= 0 && selected(field, g.index);
        if (inSelection)
            painter.fillRect(QRectF(x, line.top + offset.y(), g.advance, line.ascent + line.descent), rgb(0x000000, cx));
        QColor color = inSelection ? rgb(0xFFFFFF, cx) : textColor(g.color, cx);
        if (g.face) {
            QTransform place = QTransform::fromScale(g.size, g.size) * QTransform::fromTranslate(x, baseline);
            painter.fillPath(place.map(g.face->outline(g.code)), color);
        }
        if (g.underline) {
            double thickness = std::max(1.0, g.size / 20);
            painter.fillRect(QRectF(x, baseline + thickness, g.advance, thickness), color);
        }
    }
}

// How far from upright a device text field may be turned and still show.
constexpr double kUprightTolerance = 0.01;

bool nearlyUpright(const QTransform &m)
{
    return m.m11() > 0 && m.m22() > 0 && std::abs(m.m12()) <= kUprightTolerance * m.m11()
        && std::abs(m.m21()) <= kUprightTolerance * m.m22();
}

// Background and border of a field that is not rotated or skewed: on whole
// device pixels (corner and size each rounded, halves down), the border one pixel wide on the bounds'
// edges. Each edge runs from its start corner up to, not onto, the next one
// clockwise, except the top and left edges which also take their end corner:
// so the bottom right corner pixel stays empty, or, where the field's text is
// drawn antialiased (embedded fonts), is covered five eighths.
void paintFrameOnPixels(QPainter &painter, const TextField &field, const QRectF &device, const ColorTransform &cx)
{
    auto snap = [](double v) { return std::ceil(v - 0.5); };
    QRectF r = device.normalized();
    double left = snap(r.left()), top = snap(r.top());
    double right = left + snap(r.width()), bottom = top + snap(r.height());
    painter.setTransform(QTransform());
    if (field.background)
        painter.fillRect(QRectF(left, top, right - left, bottom - top), rgb(field.backgroundColor, cx));
    if (field.border) {
        QColor color = rgb(field.borderColor, cx);
        painter.fillRect(QRectF(left, top, right - left + 1, 1), color);
        painter.fillRect(QRectF(left, bottom, right - left, 1), color);
        painter.fillRect(QRectF(left, top, 1, bottom - top + 1), color);
        painter.fillRect(QRectF(right, top, 1, bottom - top), color);
        if (field.embedFonts()) {
            color.setAlphaF(color.alphaF() * 5 / 8);
            painter.fillRect(QRectF(right, bottom, 1, 1), color);
        }
    }
}

// Background and border of a rotated or skewed field, in the field's space.
void paintFrame(QPainter &painter, const TextField &field, const QTransform &toDevice, const QRectF &box,
                const ColorTransform &cx)
{
    painter.setTransform(toDevice);
    if (field.background)
        painter.fillRect(box, rgb(field.backgroundColor, cx));
    if (field.border) {
        QPainterPath frame;
        frame.addRect(box.adjusted(0, 0, 1, 1));
        frame.addRect(box.adjusted(1, 1, 0, 0));
        painter.fillPath(frame, rgb(field.borderColor, cx));
    }
}

}

void paintTextField(QPainter &painter, const TextField &field, const QTransform &world, const ColorTransform &cx)
{
    const QRectF box = field.bounds();
    const TextLayout &layout = field.layout();
    QTransform toDevice = QTransform::fromScale(20, 20) * world;
    if (!field.embedFonts()) {
        // Device text is drawn upright at the field's place and scale; a field
        // turned, mirrored or skewed by more than a hair is not drawn at all.
        if (!nearlyUpright(toDevice))
            return;
        toDevice = QTransform(toDevice.m11(), 0, 0, toDevice.m22(), toDevice.dx(), toDevice.dy());
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    if (toDevice.type() <= QTransform::TxScale)
        paintFrameOnPixels(painter, field, toDevice.mapRect(box), cx);
    else
        paintFrame(painter, field, toDevice, box, cx);
    painter.setTransform(toDevice);
    painter.setClipRect(box, Qt::IntersectClip);
    int first = field.firstLine();
    QPointF offset = field.layoutOrigin();
    double bottom = box.bottom();
    for (size_t i = size_t(first); i < layout.lines.size(); ++i) {
        const TextLine &line = layout.lines[i];
        if (line.top + offset.y() >= bottom)
            break;
        drawLine(painter, field, line, offset, cx);
    }
    if (field.focused && field.editable && field.caretShown && field.selectionBegin() == field.selectionEnd()) {
        int index = field.selectionBegin();
        const TextLine &line = layout.lines[size_t(layout.lineOf(index))];
        QRectF caret(layout.caretX(index) + offset.x(), line.top + offset.y(), 1, line.ascent + line.descent);
        painter.fillRect(caret, rgb(0x000000, cx));
    }
    painter.restore();
}

}
