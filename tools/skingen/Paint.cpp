#include "Paint.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

QImage NewCanvas(int width, int height)
{
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

void BeginPaint(QPainter &painter, QImage &canvas)
{
    painter.begin(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
}

QLinearGradient VerticalGradient(const QRectF &rect, GradientStops stops)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    for (const auto &[at, colour] : stops)
        gradient.setColorAt(at, colour);
    return gradient;
}

QLinearGradient HorizontalGradient(const QRectF &rect, GradientStops stops)
{
    QLinearGradient gradient(rect.topLeft(), rect.topRight());
    for (const auto &[at, colour] : stops)
        gradient.setColorAt(at, colour);
    return gradient;
}

QColor Mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
        a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void RoundBox(QPainter &painter, const QRectF &rect, qreal radius, const QBrush &brush, const QColor &border)
{
    painter.setPen(border.isValid() ? QPen(border, 1.0) : QPen(Qt::NoPen));
    painter.setBrush(brush);
    const QRectF r = border.isValid() ? rect.adjusted(0.5, 0.5, -0.5, -0.5) : rect;
    painter.drawRoundedRect(r, radius, radius);
}

void RoundDot(QPainter &painter, const QRectF &rect, const QBrush &brush, const QColor &border)
{
    painter.setPen(border.isValid() ? QPen(border, 1.0) : QPen(Qt::NoPen));
    painter.setBrush(brush);
    painter.drawEllipse(border.isValid() ? rect.adjusted(0.5, 0.5, -0.5, -0.5) : rect);
}

void Gloss(QPainter &painter, const QRectF &rect, qreal radius, int alphaTop, int alphaBottom)
{
    QPainterPath shape;
    shape.addRoundedRect(rect, radius, radius);
    const QRectF upper(rect.left(), rect.top(), rect.width(), rect.height() * 0.5);
    painter.save();
    painter.setClipPath(shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(VerticalGradient(upper, {{0, QColor(255, 255, 255, alphaTop)}, {1, QColor(255, 255, 255, alphaBottom)}}));
    painter.drawRoundedRect(upper, radius, radius);
    painter.restore();
}

QImage OnBackdrop(const QImage &art, const QImage &backdrop)
{
    QImage out = backdrop.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&out);
    painter.drawImage(0, 0, art);
    painter.end();
    return out.convertToFormat(QImage::Format_RGB32);
}

QImage OnColour(const QImage &art, const QColor &backdrop)
{
    QImage ground(art.size(), QImage::Format_ARGB32_Premultiplied);
    ground.fill(backdrop);
    return OnBackdrop(art, ground);
}

QImage Keyed(const QImage &art, const QColor &edge)
{
    const QImage laid = OnColour(art, edge);
    const QImage straight = art.convertToFormat(QImage::Format_ARGB32);
    QImage out(art.size(), QImage::Format_RGB32);
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            out.setPixel(x, y, qAlpha(straight.pixel(x, y)) < 128 ? KeyColour.rgb() : laid.pixel(x, y));
    return out;
}

QImage RowImage(const std::vector<QColor> &rows, int width)
{
    QImage out(width, int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < width; ++x)
            out.setPixel(x, y, rows[y].rgb());
    return out;
}

QImage RowsOf(const QImage &image, int top, int height, int width)
{
    QImage out(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const QRgb colour = image.pixel(0, std::clamp(top + y, 0, image.height() - 1));
        for (int x = 0; x < width; ++x)
            out.setPixel(x, y, colour);
    }
    return out;
}

void DrawGlyph(QPainter &painter, Glyph glyph, const QRectF &cell, const QColor &colour, qreal weight)
{
    painter.save();
    QPen pen(colour, weight, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QRectF c = cell;
    const qreal w = c.width(), h = c.height();
    switch (glyph) {
    case Glyph::Close:
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.drawLine(c.topLeft(), c.bottomRight());
        painter.drawLine(c.topRight(), c.bottomLeft());
        break;
    case Glyph::Maximise:
        painter.drawRect(c.adjusted(weight / 2, weight / 2, -weight / 2, -weight / 2));
        painter.fillRect(QRectF(c.left(), c.top(), w, weight * 1.6), colour);
        break;
    case Glyph::Minimise:
        painter.fillRect(QRectF(c.left(), c.bottom() - weight * 1.6, w * 0.7, weight * 1.6), colour);
        break;
    case Glyph::Restore: {
        const qreal s = w * 0.68;
        const QRectF back(c.right() - s, c.top(), s, s);
        const QRectF front(c.left(), c.bottom() - s, s, s);
        painter.drawRect(back.adjusted(weight / 2, weight / 2, -weight / 2, -weight / 2));
        painter.fillRect(QRectF(back.left(), back.top(), s, weight * 1.4), colour);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.fillRect(front.adjusted(-weight, -weight, weight, weight), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawRect(front.adjusted(weight / 2, weight / 2, -weight / 2, -weight / 2));
        painter.fillRect(QRectF(front.left(), front.top(), s, weight * 1.4), colour);
        break;
    }
    case Glyph::Help: {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(int(std::lround(h * 1.15)));
        painter.setFont(font);
        painter.drawText(c.adjusted(-w, -h, w, h), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Glyph::ArrowUp:
    case Glyph::ArrowDown: {
        const bool up = glyph == Glyph::ArrowUp;
        const qreal y0 = up ? c.bottom() : c.top(), y1 = up ? c.top() : c.bottom();
        const QPointF tri[3] = {{c.left(), y0}, {c.right(), y0}, {c.center().x(), y1}};
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(tri, 3);
        break;
    }
    case Glyph::Check: {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        const QPointF tick[3] = {{c.left(), c.top() + h * 0.55}, {c.left() + w * 0.38, c.bottom()}, {c.right(), c.top()}};
        painter.drawPolyline(tick, 3);
        break;
    }
    case Glyph::Plus:
        painter.fillRect(QRectF(c.left(), c.center().y() - weight / 2, w, weight), colour);
        painter.fillRect(QRectF(c.center().x() - weight / 2, c.top(), weight, h), colour);
        break;
    case Glyph::Menu:
        for (int i = 0; i < 3; ++i)
            painter.fillRect(QRectF(c.left(), c.top() + i * h / 2.5, w, weight), colour);
        break;
    }
    painter.restore();
}
