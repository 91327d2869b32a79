#include "SwfRenderer.h"

#include "SwfButton.h"
#include "SwfCharacter.h"
#include "SwfMovie.h"
#include "SwfText.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace swf {

namespace {
constexpr double kGradientHalf = 16384; // gradients span -16384..16384 twips
constexpr int kMaxTintedBitmaps = 32;

bool invisible(const ColorTransform &cx)
{
    return cx.mult[3] <= 0 && cx.add[3] <= 0;
}

QString tintKey(uint16_t id, const ColorTransform &cx)
{
    QString key = QString::number(id);
    for (int i = 0; i < 4; ++i)
        key += QLatin1Char(',') + QString::number(cx.mult[i]) + QLatin1Char(',') + QString::number(cx.add[i]);
    return key;
}
}

void Renderer::render(QPainter &painter, const TimelineInstance &root, const QTransform &stageToDevice)
{
    drawList(painter, root.displayList(), stageToDevice, ColorTransform());
    shapeCache.endFrame();
}

void Renderer::drawList(QPainter &painter, const std::map<int, DisplayObject> &list, const QTransform &world,
                        const ColorTransform &cx)
{
    struct Mask {
        int upTo;
        QPainterPath area;
    };
    std::vector<Mask> masks;
    for (const auto &[depth, object] : list) {
        while (!masks.empty() && masks.back().upTo < depth)
            masks.pop_back();
        QTransform objectWorld = object.matrix * world;
        if (object.clipDepth > 0) {
            QPainterPath area = coverage(object, objectWorld);
            if (!masks.empty())
                area = area.intersected(masks.back().area);
            masks.push_back({object.clipDepth, area});
            continue;
        }
        ColorTransform objectCx = cx.combined(object.colorTransform);
        if (invisible(objectCx))
            continue;
        if (masks.empty()) {
            drawObject(painter, object, objectWorld, objectCx);
            continue;
        }
        painter.save();
        painter.setTransform(QTransform());
        painter.setClipPath(masks.back().area, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        drawObject(painter, object, objectWorld, objectCx);
        painter.restore();
    }
}

void Renderer::drawObject(QPainter &painter, const DisplayObject &object, const QTransform &world,
                          const ColorTransform &cx)
{
    if (object.sprite) {
        drawList(painter, object.sprite->displayList(), world, cx);
    } else if (auto *shape = dynamic_cast<const ShapeCharacter *>(object.character)) {
        drawShape(painter, shape->shape, world, cx);
    } else if (auto *morph = dynamic_cast<const MorphShapeCharacter *>(object.character)) {
        drawShape(painter, *morph->morph.at(object.ratio), world, cx);
    } else if (auto *text = dynamic_cast<const TextCharacter *>(object.character)) {
        text->draw(painter, movie, world, cx);
    } else if (auto *field = dynamic_cast<const EditTextCharacter *>(object.character)) {
        field->draw(painter, movie, world, cx);
    } else if (auto *button = dynamic_cast<const ButtonCharacter *>(object.character)) {
        for (const ButtonCharacter::Record &r : button->records) {
            // A button shown inside a button could contain itself: not drawn.
            if (!(r.states & object.buttonState) || dynamic_cast<const ButtonCharacter *>(movie.character(r.characterId)))
                continue;
            DisplayObject part;
            part.characterId = r.characterId;
            part.character = movie.character(r.characterId);
            drawObject(painter, part, r.matrix * world, cx.combined(r.colorTransform));
        }
    } else if (dynamic_cast<const BitmapCharacter *>(object.character)) {
        painter.setTransform(QTransform::fromScale(20, 20) * world);
        painter.drawImage(QPointF(0, 0), bitmap(object.characterId, cx));
    }
}

QPainterPath Renderer::coverage(const DisplayObject &object, const QTransform &world)
{
    QPainterPath area;
    if (object.sprite) {
        for (const auto &[depth, child] : object.sprite->displayList()) {
            QPainterPath part = coverage(child, child.matrix * world);
            area = area.isEmpty() ? part : area.united(part);
        }
    } else if (auto *shape = dynamic_cast<const ShapeCharacter *>(object.character)) {
        area = world.map(shape->shape.outline());
    } else if (auto *morph = dynamic_cast<const MorphShapeCharacter *>(object.character)) {
        area = world.map(morph->morph.at(object.ratio)->outline());
    }
    return area;
}

QImage Renderer::bitmap(uint16_t id, const ColorTransform &cx)
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

QBrush Renderer::brush(const FillStyle &fill, const ColorTransform &cx)
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

void Renderer::drawShape(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx)
{
    shapeCache.draw(painter, shape, world, cx,
                    [&](QPainter &target, const QTransform &at) { paintShape(target, shape, at, cx); });
}

void Renderer::paintShape(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx)
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
