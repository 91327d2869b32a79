#pragma once
// Objects drawn on a picture of their own before they reach the stage: those
// with filters, a blend mode other than normal, or kept as a bitmap. The
// object is drawn on the picture, the filters run over it, its colour
// transform is applied to the result, and the picture is laid on what lies
// under the object with its blend mode, under the target's clipping.
#include "SwfBlend.h"
#include "SwfFilters.h"
#include "SwfTypes.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <vector>

namespace swf {

struct LayerEffects {
    std::vector<Filter> filters;
    BlendMode blend = BlendMode::Normal;
    bool cacheAsBitmap = false;

    // Whether an object with these effects is drawn on a picture of its own.
    bool needed() const { return !filters.empty() || blend != BlendMode::Normal || cacheAsBitmap; }
};

class Layer {
public:
    // Whether layers can be laid on what `painter` draws on: an ARGB32
    // premultiplied image.
    static bool canDrawOn(QPainter &painter);

    // Opens a picture for an object drawn on `target` (see canDrawOn) that
    // paints within `drawn` (target pixels): the part of it the target shows
    // or the filters carry into view; `stageScale` is the stage's pixels per
    // movie pixel.
    Layer(QPainter &target, const LayerEffects &effects, double stageScale, const QRect &drawn);
    Layer(const Layer &) = delete;
    Layer &operator=(const Layer &) = delete;

    // The painter the object is drawn with, and where: `world` (the object's
    // space to the target's pixels) made to map to the picture. A filtered or
    // cached picture is drawn with the object's origin on the nearest whole
    // pixel, as a bitmap of it would be.
    QPainter &painter() { return picturePainter; }
    QTransform placed(const QTransform &world);

    // Keeps only what `area` (target pixels) covers of the finished picture,
    // each pixel in the share of its `samples` x `samples` points that the
    // area holds: how a mask shows what it masks.
    void maskWith(const QPainterPath &area, int samples)
    {
        mask = area;
        maskSamples = samples;
    }

    // Runs the filters, applies `cx` (the object's colour transform, which
    // the object was drawn without) and lays the picture on the target.
    void finish(const ColorTransform &cx);

private:
    QPainter &target;
    const LayerEffects &effects;
    double stageScale;
    QPoint origin;
    QPoint objectAt; // the object's origin in the picture, as last placed
    QPainterPath mask;
    int maskSamples = 1;
    QImage picture;
    QPainter picturePainter;
};

}
