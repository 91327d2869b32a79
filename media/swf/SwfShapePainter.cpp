#include "SwfShapePainter.h"

#include "SwfCharacter.h"
#include "SwfMovie.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace swf {

namespace {
constexpr double kGradientHalf = 16384; // gradients span -16384..16384 twips
constexpr int kMaxTintedBitmaps = 32;

QString tintKey(uint16_t id, const ColorTransform &cx)
{
    QString key = QString::number(id);
    for (int i = 0; i < 4; ++i)
        key += QLatin1Char(',') + QString::number(cx.mult[i]) + QLatin1Char(',') + QString::number(cx.add[i]);
    return key;
}
}

QImage ShapePainter::bitmap(uint16_t id, const ColorTransform &cx)
{
    auto *character = movie.characterAs<BitmapCharacter>(id);
    if (!character)
        return QImage();
    if (cx.isIdentity())
        return character->image;
    QString key = tintKey(id, cx);
    auto hit = tintedBitmaps.constFind(key);
    if (hit != tintedBitmaps.constEnd())
        return *hit;
    QImage tinted = character->image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < tinted.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(tinted.scanLine(y));
        for (int x = 0; x < tinted.width(); ++x)
            row[x] = cx.apply(row[x]);
    }
    if (tintedBitmaps.size() >= kMaxTintedBitmaps)
        tintedBitmaps.clear();
    tintedBitmaps.insert(key, tinted);
    return tinted;
}

QBrush ShapePainter::brush(const FillStyle &fill, const ColorTransform &cx)
{
    if (fill.kind == FillStyle::Solid)
        return QBrush(cx.apply(fill.color));
    if (fill.isGradient()) {
        QGradientStops stops;
        for (const QGradientStop &stop : fill.stops)
            stops.append({std::clamp(stop.first, 0.0, 1.0), cx.apply(stop.second)});
        if (stops.isEmpty())
            return QBrush(Qt::transparent);
        QGradient gradient;
        if (fill.kind == FillStyle::LinearGradient)
            gradient = QLinearGradient(-kGradientHalf, 0, kGradientHalf, 0);
        else
            gradient = QRadialGradient(QPointF(0, 0), kGradientHalf,
                                       QPointF(std::clamp(fill.focal, -0.98, 0.98) * kGradientHalf, 0));
        gradient.setStops(stops);
        gradient.setSpread(fill.spread);
        QBrush b(gradient);
        b.setTransform(fill.matrix);
        return b;
    }
    QImage image = bitmap(fill.bitmapId, cx);
    if (image.isNull())
        return QBrush(Qt::transparent);
    QBrush b(image);
    b.setTransform(fill.matrix);
    return b;
}

void ShapePainter::draw(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx)
{
    shapeCache.draw(painter, shape, world, cx,
                    [&](QPainter &target, const QTransform &at) { paint(target, shape, at, cx); });
}

void ShapePainter::paint(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx)
{
    painter.setTransform(world);
    double scale = std::sqrt(std::abs(world.determinant()));
    for (const ShapeLayer &layer : shape.layers) {
        painter.setPen(Qt::NoPen);
        for (size_t i = 0; i < layer.fills.size(); ++i) {
            const QPainterPath &path = layer.fillPaths[i];
            if (path.isEmpty())
                continue;
            const FillStyle &fill = layer.fills[i];
            if (fill.kind == FillStyle::ClippedBitmap) {
                QImage image = bitmap(fill.bitmapId, cx);
                painter.save();
                painter.setClipPath(path, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
                painter.setRenderHint(QPainter::SmoothPixmapTransform, fill.smooth);
                painter.setTransform(fill.matrix * world);
                painter.drawImage(QPointF(0, 0), image);
                painter.restore();
                continue;
            }
            painter.setRenderHint(QPainter::SmoothPixmapTransform, fill.smooth);
            painter.setBrush(brush(fill, cx));
            painter.drawPath(path);
        }
        painter.setBrush(Qt::NoBrush);
        for (size_t i = 0; i < layer.lines.size(); ++i) {
            const QPainterPath &path = layer.linePaths[i];
            if (path.isEmpty())
                continue;
            const LineStyle &line = layer.lines[i];
            QPen pen(line.hasFill ? brush(line.fill, cx) : QBrush(cx.apply(line.color)), line.width, Qt::SolidLine,
                     line.cap, line.join);
            pen.setMiterLimit(line.miterLimit);
            // Lines up to a pixel wide on screen are drawn as one-pixel hairlines.
            if (line.width * scale <= 1) {
                pen.setWidthF(1);
                pen.setCosmetic(true);
            }
            painter.setPen(pen);
            painter.drawPath(path);
        }
    }
}

}
