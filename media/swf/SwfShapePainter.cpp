#include "SwfShapePainter.h"

#include "SwfCharacter.h"
#include "SwfCurve.h"
#include "SwfMovie.h"
#include "SwfPaint.h"
#include "SwfRasterizer.h"
#include "SwfStroker.h"

#include <QPainter>
#include <array>
#include <cmath>

namespace swf {

namespace {
constexpr int kMaxTintedBitmaps = 32;

QString tintKey(uint16_t id, const ColorTransform &cx)
{
    QString key = QString::number(id);
    for (int i = 0; i < 4; ++i)
        key += QLatin1Char(',') + QString::number(cx.mult[i]) + QLatin1Char(',') + QString::number(cx.add[i]);
    return key;
}

// The points after `from` that stand for an edge: its end, or a curve cut
// into straight pieces, each point kept to whole twips as the player keeps
// them.
void flatten(const Edge &e, const QTransform &toPicture, std::vector<QPointF> &points)
{
    if (!e.curve) {
        points.push_back(toPicture.map(e.to));
        return;
    }
    int steps = curveSteps(toPicture.map(e.from), toPicture.map(e.control), toPicture.map(e.to));
    for (int i = 1; i <= steps; ++i) {
        QPointF p = curvePoint(e.from, e.control, e.to, double(i) / steps);
        points.push_back(toPicture.map(QPointF(std::round(p.x()), std::round(p.y()))));
    }
}

// Each channel of a premultiplied colour times k / 255, rounded.
inline QRgb scaled(QRgb c, uint32_t k)
{
    uint32_t rb = (c & 0xff00ff) * k, ag = ((c >> 8) & 0xff00ff) * k;
    rb = ((rb + ((rb >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    ag = (ag + ((ag >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return rb | ag;
}

// A premultiplied colour laid over another.
inline QRgb over(QRgb source, QRgb below)
{
    return source + scaled(below, 255 - qAlpha(source));
}

// Lays what each style puts in a pixel of a row over the picture. Where
// several styles share a row their parts are added up first (their samples
// never overlap, so fills meeting at an edge leave no seam).
class LayerSink : public Rasterizer::Sink {
public:
    LayerSink(QImage &picture, const std::vector<std::unique_ptr<Paint>> &paints)
        : picture(picture), paints(paints), sums(size_t(picture.width())), colors(size_t(picture.width()))
    {
    }
    ~LayerSink() override { flush(); }

    void span(int style, int y, int x, int count, const uint8_t *coverage, bool alone) override
    {
        if (y != row) {
            flush();
            row = y;
        }
        const Paint *paint = size_t(style) < paints.size() ? paints[size_t(style)].get() : nullptr;
        if (!paint)
            return;
        paint->colors(x, y, count, colors.data());
        if (alone) {
            auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y)) + x;
            for (int i = 0; i < count; ++i) {
                QRgb c = coverage[i] == 255 ? colors[size_t(i)] : scaled(colors[size_t(i)], coverage[i]);
                line[i] = qAlpha(c) == 255 ? c : over(c, line[i]);
            }
            return;
        }
        for (int i = 0; i < count; ++i) {
            QRgb c = colors[size_t(i)];
            auto &sum = sums[size_t(x + i)];
            uint32_t k = coverage[i];
            sum[0] += qAlpha(c) * k;
            sum[1] += qRed(c) * k;
            sum[2] += qGreen(c) * k;
            sum[3] += qBlue(c) * k;
        }
        first = std::min(first, x);
        last = std::max(last, x + count - 1);
    }

private:
    void flush()
    {
        if (row < 0 || first > last)
            return;
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(row));
        auto part = [](uint32_t sum) { return (sum + 128 + ((sum + 128) >> 8)) >> 8; };
        for (int x = first; x <= last; ++x) {
            auto &sum = sums[size_t(x)];
            uint32_t a = std::min(255u, part(sum[0]));
            if (a) {
                QRgb c = qRgba(int(std::min(a, part(sum[1]))), int(std::min(a, part(sum[2]))),
                               int(std::min(a, part(sum[3]))), int(a));
                line[x] = a == 255 ? c : over(c, line[x]);
            }
            sum = {0, 0, 0, 0};
        }
        first = INT_MAX;
        last = -1;
    }

    QImage &picture;
    const std::vector<std::unique_ptr<Paint>> &paints;
    std::vector<std::array<uint32_t, 4>> sums;
    std::vector<QRgb> colors;
    int row = -1;
    int first = INT_MAX, last = -1;
};

// How wide a line is drawn, in pixels: scaled as the object is (by the
// smaller of its two axes' scales), or, when it keeps its width on one axis,
// as the object is on the other, or only as the stage is when it keeps it on
// both; never under a pixel.
double lineWidth(const LineStyle &line, const QTransform &world, const QTransform &stage)
{
    double sx = std::hypot(world.m11(), world.m12()), sy = std::hypot(world.m21(), world.m22());
    double scale = std::min(sx, sy);
    if (line.noHScale && line.noVScale)
        scale = std::min(std::hypot(stage.m11(), stage.m12()), std::hypot(stage.m21(), stage.m22()));
    else if (line.noHScale)
        scale = sy;
    else if (line.noVScale)
        scale = sx;
    double width = line.width * scale;
    return std::isfinite(width) ? std::max(1.0, width) : 1.0;
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
    if (tintedBitmaps.size() >= kMaxTintedBitmaps)
        tintedBitmaps.clear();
    return *tintedBitmaps.insert(key, tinted(character->image, cx));
}

namespace {
// The image a painter draws on when shapes can be painted straight into it:
// plain drawing, at most a rectangular clip, no scaling of pixels.
QImage *directTarget(QPainter &painter)
{
    if (painter.device()->devType() != QInternal::Image || painter.compositionMode() != QPainter::CompositionMode_SourceOver
        || painter.opacity() != 1 || painter.transform().type() > QTransform::TxTranslate)
        return nullptr;
    auto *image = static_cast<QImage *>(painter.device());
    // A shared image would be copied by writing to it, behind the painter's back.
    if (image->format() != QImage::Format_ARGB32_Premultiplied || image->devicePixelRatio() != 1
        || !image->isDetached())
        return nullptr;
    if (painter.hasClipping() && painter.clipRegion().rectCount() != 1)
        return nullptr;
    return image;
}

void drawPicture(QPainter &painter, QPoint origin, const QImage &image)
{
    if (painter.transform().isIdentity()) {
        painter.drawImage(origin, image);
        return;
    }
    painter.save();
    painter.setTransform(QTransform());
    painter.drawImage(origin, image);
    painter.restore();
}
}

QRect ShapePainter::deviceBounds(const Shape &shape, const QTransform &world) const
{
    double margin = 2;
    for (const ShapeLayer &layer : shape.layers)
        for (const LineStyle &line : layer.lines)
            margin = std::max(margin, lineWidth(line, world, stage) / 2 + 2);
    QRectF mapped = world.mapRect(shape.bounds);
    if (!mapped.isValid() || !std::isfinite(mapped.width()) || !std::isfinite(mapped.height()))
        return QRect();
    return mapped.adjusted(-margin, -margin, margin, margin).toAlignedRect();
}

void ShapePainter::draw(QPainter &painter, const Shape &shape, const QTransform &world, const ColorTransform &cx)
{
    QPaintDevice *device = painter.device();
    QRect visible(0, 0, device->width(), device->height());
    if (painter.hasClipping())
        visible &= painter.transform().mapRect(painter.clipBoundingRect()).toAlignedRect();
    // A shape moved by whole pixels paints the same picture, shifted: it is
    // kept by where it lies within a pixel.
    QPoint whole(int(std::clamp(std::floor(world.dx()), -1e6, 1e6)), int(std::clamp(std::floor(world.dy()), -1e6, 1e6)));
    std::string key = ShapeCache::keyOf(shape, world * QTransform::fromTranslate(-whole.x(), -whole.y()), cx, samples);
    if (const ShapeCache::Picture *kept = shapeCache.find(key)) {
        if (QRect(kept->origin + whole, kept->image.size()).intersects(visible))
            drawPicture(painter, kept->origin + whole, kept->image);
        return;
    }
    QRect bounds = deviceBounds(shape, world);
    if (!bounds.intersects(visible))
        return;
    if (shapeCache.worthKeeping(key, bounds)) {
        QImage picture(bounds.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        paint(picture, bounds.topLeft(), picture.rect(), shape, world, cx);
        const ShapeCache::Picture &made = shapeCache.keep(key, std::move(picture), bounds.topLeft() - whole);
        drawPicture(painter, made.origin + whole, made.image);
        return;
    }
    QRect area = bounds & visible;
    if (QImage *target = directTarget(painter)) {
        paint(*target, QPoint(0, 0), area, shape, world, cx);
        return;
    }
    QImage picture(area.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    paint(picture, area.topLeft(), picture.rect(), shape, world, cx);
    drawPicture(painter, area.topLeft(), picture);
}

void ShapePainter::drawImage(QPainter &painter, const QImage &image, const QTransform &pixelsToDevice, bool smooth)
{
    if (image.isNull())
        return;
    QPaintDevice *device = painter.device();
    QRect visible(0, 0, device->width(), device->height());
    if (painter.hasClipping())
        visible &= painter.transform().mapRect(painter.clipBoundingRect()).toAlignedRect();
    QPolygonF corners = pixelsToDevice.map(QPolygonF(QRectF(image.rect())));
    QRectF mapped = corners.boundingRect();
    if (!std::isfinite(mapped.width()) || !std::isfinite(mapped.height()))
        return;
    QRect area = mapped.toAlignedRect().adjusted(-1, -1, 1, 1) & visible;
    if (area.isEmpty())
        return;
    QImage *target = directTarget(painter);
    QImage picture;
    if (!target) {
        picture = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
    }
    QPoint origin = target ? QPoint(0, 0) : area.topLeft();
    QTransform toPicture = pixelsToDevice * QTransform::fromTranslate(-origin.x(), -origin.y());
    Rasterizer raster(area.translated(-origin), samples, false);
    for (int i = 0; i < 4; ++i)
        raster.addEdge(corners[i] - origin, corners[(i + 1) % 4] - origin, 0, 1);
    FillStyle fill;
    fill.kind = FillStyle::ClippedBitmap;
    fill.smooth = smooth;
    std::vector<std::unique_ptr<Paint>> paints(2);
    paints[1] = makePaint(fill, toPicture, {}, image, ramps);
    {
        LayerSink sink(target ? *target : picture, paints);
        raster.run(sink);
    }
    if (!target)
        drawPicture(painter, origin, picture);
}

void ShapePainter::paint(QImage &picture, QPoint origin, const QRect &area, const Shape &shape,
                         const QTransform &world, const ColorTransform &cx)
{
    QTransform toPicture = world * QTransform::fromTranslate(-origin.x(), -origin.y());
    for (const ShapeLayer &layer : shape.layers) {
        paintFills(picture, area, layer, toPicture, cx, shape.windingFill);
        paintLines(picture, area, layer, toPicture, cx);
    }
}

void ShapePainter::paintFills(QImage &picture, const QRect &area, const ShapeLayer &layer,
                              const QTransform &toPicture, const ColorTransform &cx, bool nonZero)
{
    if (layer.fills.empty())
        return;
    Rasterizer raster(area, samples, nonZero);
    std::vector<QPointF> points;
    for (const Edge &e : layer.edges) {
        if (e.fill0 == e.fill1)
            continue;
        points.assign(1, toPicture.map(e.from));
        flatten(e, toPicture, points);
        for (size_t i = 1; i < points.size(); ++i)
            raster.addEdge(points[i - 1], points[i], e.fill0, e.fill1);
    }
    if (raster.empty())
        return;
    std::vector<std::unique_ptr<Paint>> paints(layer.fills.size() + 1);
    for (size_t i = 0; i < layer.fills.size(); ++i) {
        const FillStyle &fill = layer.fills[i];
        paints[i + 1] = makePaint(fill, toPicture, cx, fill.isBitmap() ? bitmap(fill.bitmapId, cx) : QImage(), ramps);
    }
    LayerSink sink(picture, paints);
    raster.run(sink);
}

void ShapePainter::paintLines(QImage &picture, const QRect &area, const ShapeLayer &layer,
                              const QTransform &toPicture, const ColorTransform &cx)
{
    for (size_t style = 1; style <= layer.lines.size(); ++style) {
        const LineStyle &line = layer.lines[style - 1];
        Rasterizer raster(area, samples, true);
        Pen pen;
        pen.width = lineWidth(line, toPicture, stage);
        pen.startCap = line.cap;
        pen.endCap = line.endCap;
        pen.join = line.join;
        pen.miterLimit = line.miterLimit;
        Stroker stroker(raster, 1, pen);
        // Edges of the style that follow on from each other make one run.
        StrokePath run;
        auto finish = [&] {
            if (!run.segments.empty()) {
                run.closed = !line.noClose && run.segments.front().from == run.segments.back().to;
                stroker.stroke(run);
            }
            run = StrokePath();
        };
        for (const Edge &e : layer.edges) {
            if (e.line != int(style))
                continue;
            Segment s{toPicture.map(e.from), toPicture.map(e.control), toPicture.map(e.to), e.curve};
            if (!run.segments.empty() && run.segments.back().to != s.from)
                finish();
            run.segments.push_back(s);
        }
        finish();
        if (raster.empty())
            continue;
        std::vector<std::unique_ptr<Paint>> paints(2);
        if (line.hasFill)
            paints[1] = makePaint(line.fill, toPicture, cx,
                                  line.fill.isBitmap() ? bitmap(line.fill.bitmapId, cx) : QImage(), ramps);
        else
            paints[1] = makeSolidPaint(qPremultiply(cx.apply(line.color).rgba()));
        LayerSink sink(picture, paints);
        raster.run(sink);
    }
}

}
