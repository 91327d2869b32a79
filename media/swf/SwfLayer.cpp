#include "SwfLayer.h"

#include "SwfRasterizer.h"

#include <cmath>

namespace swf {

namespace {
// The device pixels `painter` can change.
QRect visibleArea(QPainter &painter)
{
    QRect visible(0, 0, painter.device()->width(), painter.device()->height());
    if (painter.hasClipping())
        visible &= painter.transform().mapRect(painter.clipBoundingRect()).toAlignedRect();
    return visible;
}

// The smallest rectangle holding every pixel of `image` that is not fully
// transparent.
QRect paintedArea(const QImage &image)
{
    int left = image.width(), right = -1, top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int first = 0;
        while (first < image.width() && qAlpha(row[first]) == 0)
            ++first;
        if (first == image.width())
            continue;
        int last = image.width() - 1;
        while (qAlpha(row[last]) == 0)
            --last;
        left = std::min(left, first);
        right = std::max(right, last);
        if (top < 0)
            top = y;
        bottom = y;
    }
    return top < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Applies `cx` to the pixels the object covers; those it leaves transparent stay so.
void applyColorTransform(QImage &picture, const ColorTransform &cx)
{
    for (int y = 0; y < picture.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(row[x]))
                row[x] = cx.apply(row[x]);
    }
}

// Keeps of `picture` the share of each pixel that `area` covers, sampled
// `samples` x `samples` times per pixel as shapes are.
void keepCovered(QImage &picture, const QPainterPath &area, int samples)
{
    struct Keeper : Rasterizer::Sink {
        QImage &picture;
        std::vector<uint8_t> kept;
        explicit Keeper(QImage &picture) : picture(picture), kept(size_t(picture.width()) * size_t(picture.height())) {}
        void span(int, int y, int x, int count, const uint8_t *coverage, bool) override
        {
            std::copy_n(coverage, count, kept.begin() + std::ptrdiff_t(y) * picture.width() + x);
        }
    } keeper(picture);
    Rasterizer raster(picture.rect(), samples, area.fillRule() == Qt::WindingFill);
    for (const QPolygonF &outline : area.toSubpathPolygons())
        for (qsizetype i = 0; i < outline.size(); ++i)
            raster.addEdge(outline[i], outline[(i + 1) % outline.size()], 0, 1);
    raster.run(keeper);
    for (int y = 0; y < picture.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        const uint8_t *share = keeper.kept.data() + std::ptrdiff_t(y) * picture.width();
        for (int x = 0; x < picture.width(); ++x)
            if (share[x] != 255) {
                auto part = [&](int shift) { return (int((row[x] >> shift) & 0xff) * share[x] + 127) / 255; };
                row[x] = qRgba(part(16), part(8), part(0), part(24));
            }
    }
}
}

bool Layer::canDrawOn(QPainter &painter)
{
    return painter.device()->devType() == QInternal::Image
        && static_cast<QImage *>(painter.device())->format() == QImage::Format_ARGB32_Premultiplied;
}

Layer::Layer(QPainter &target, const LayerEffects &effects, double stageScale, const QRect &drawn)
    : target(target), effects(effects), stageScale(stageScale)
{
    QRect area = drawn & (visibleArea(target) + filterReach(effects.filters, stageScale));
    origin = area.isEmpty() ? QPoint() : area.topLeft();
    picture = QImage(area.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    picturePainter.begin(&picture);
    picturePainter.setRenderHints(target.renderHints());
}

QTransform Layer::placed(const QTransform &world)
{
    QPointF shift(-origin.x(), -origin.y());
    if (!effects.filters.empty() || effects.cacheAsBitmap)
        shift += QPointF(std::round(world.dx()) - world.dx(), std::round(world.dy()) - world.dy());
    QTransform inPicture = world * QTransform::fromTranslate(shift.x(), shift.y());
    auto whole = [](double v) { return std::isfinite(v) ? int(std::clamp(std::round(v), -1e9, 1e9)) : 0; };
    objectAt = QPoint(whole(inPicture.dx()), whole(inPicture.dy()));
    return inPicture;
}

void Layer::finish(const ColorTransform &cx)
{
    picturePainter.end();
    QRect painted = paintedArea(picture);
    if (painted.isEmpty())
        return;
    // Filters work on the painted part and the room they reach into around
    // it, as far as they can carry into view (the copy is transparent beyond
    // the picture).
    QMargins reach = filterReach(effects.filters, stageScale);
    QRect area = (painted + reach) & (visibleArea(target) + reach).translated(-origin);
    QImage result = picture.copy(area);
    picture = QImage();
    for (const Filter &filter : effects.filters)
        result = applyFilter(filter, result, stageScale, objectAt - area.topLeft());
    if (!cx.isIdentity())
        applyColorTransform(result, cx);

    QPoint at = origin + area.topLeft();
    if (!mask.isEmpty())
        keepCovered(result, mask.translated(-at), maskSamples);
    target.save();
    target.setTransform(QTransform());
    auto *device = static_cast<QImage *>(target.device());
    if (effects.blend == BlendMode::Normal || effects.blend == BlendMode::Layer) {
        target.drawImage(at, result);
    } else {
        // The blend is worked out on a copy of what lies under the picture,
        // which the painter then lays back under its clipping.
        QRect under = QRect(at, result.size()) & visibleArea(target);
        if (!under.isEmpty()) {
            QImage mixed = device->copy(under);
            blendInto(mixed, result, at - under.topLeft(), effects.blend);
            target.setCompositionMode(QPainter::CompositionMode_Source);
            target.drawImage(under.topLeft(), mixed);
        }
    }
    target.restore();
}

}
