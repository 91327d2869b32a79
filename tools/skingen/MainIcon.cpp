#include "MainIcon.h"

#include "Paint.h"

#include <QPainterPath>

#include <algorithm>

namespace {

QPainterPath Triangle(QPointF a, QPointF b, QPointF c)
{
    QPainterPath path(a);
    path.lineTo(b);
    path.lineTo(c);
    path.closeSubpath();
    return path;
}

} // namespace

void DrawLarkOnBook(QPainter &painter, const QRectF &rect)
{
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(rect.width(), rect.height());
    const qreal line = 1.0 / std::max<qreal>(rect.width(), 16);

    // The open book: a blue cover under two cream pages meeting at the spine.
    const QColor cover(28, 86, 190), page(255, 250, 236), ink(120, 150, 200);
    QPainterPath coverPath;
    coverPath.moveTo(0.5, 0.99);
    coverPath.lineTo(0.0, 0.86);
    coverPath.lineTo(0.0, 0.56);
    coverPath.lineTo(0.5, 0.66);
    coverPath.lineTo(1.0, 0.56);
    coverPath.lineTo(1.0, 0.86);
    coverPath.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(cover);
    painter.drawPath(coverPath);
    for (int side : {-1, 1}) {
        QPainterPath pagePath;
        pagePath.moveTo(0.5, 0.92);
        pagePath.lineTo(0.5 + side * 0.44, 0.80);
        pagePath.lineTo(0.5 + side * 0.44, 0.52);
        pagePath.quadTo(0.5 + side * 0.22, 0.52, 0.5, 0.61);
        pagePath.closeSubpath();
        painter.setBrush(page);
        painter.drawPath(pagePath);
        painter.setPen(QPen(ink, std::max(line, 0.035)));
        for (int row = 0; row < 2; ++row) {
            const qreal y = 0.66 + row * 0.09;
            painter.drawLine(QPointF(0.5 + side * 0.10, y + 0.025), QPointF(0.5 + side * 0.36, y - 0.03));
        }
        painter.setPen(Qt::NoPen);
    }

    // The lark: a warm brown body with a pale breast, crest, dark wing and tail.
    const QColor body(196, 128, 52), breast(250, 222, 164), wing(132, 80, 34), beak(244, 170, 30);
    painter.setBrush(wing);
    painter.drawPath(Triangle({0.34, 0.42}, {0.06, 0.30}, {0.12, 0.46}));
    painter.setBrush(body);
    painter.drawEllipse(QRectF(0.26, 0.26, 0.46, 0.30));
    painter.setBrush(breast);
    painter.drawEllipse(QRectF(0.44, 0.36, 0.26, 0.18));
    painter.setBrush(wing);
    painter.drawEllipse(QRectF(0.28, 0.30, 0.28, 0.15));
    painter.setBrush(body);
    painter.drawEllipse(QRectF(0.57, 0.13, 0.25, 0.24));
    painter.drawPath(Triangle({0.62, 0.17}, {0.60, 0.04}, {0.71, 0.14}));
    painter.setBrush(beak);
    painter.drawPath(Triangle({0.80, 0.21}, {0.97, 0.25}, {0.80, 0.29}));
    painter.setBrush(QColor(20, 20, 20));
    painter.drawEllipse(QPointF(0.71, 0.22), 0.035, 0.035);
    painter.restore();
}

QImage MainIconImage(int Size)
{
    QImage image = NewCanvas(Size, Size);
    QPainter painter;
    BeginPaint(painter, image);
    DrawLarkOnBook(painter, QRectF(0, 0, Size, Size));
    painter.end();
    return image;
}

std::vector<QImage> MainIconImages()
{
    std::vector<QImage> images;
    for (int size : {16, 24, 32, 48, 256})
        images.push_back(MainIconImage(size));
    return images;
}
