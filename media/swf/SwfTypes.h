#pragma once
// The basic records shared by all tags: rectangles, matrices, colours and
// colour transforms. Coordinates stay in twips (1/20 pixel).
#include <QColor>
#include <QRectF>
#include <QTransform>

namespace swf {

class BitReader;

// Multiplies each channel by mult/256 and adds add, clamping to 0..255.
struct ColorTransform {
    int mult[4] = {256, 256, 256, 256}; // r, g, b, a
    int add[4] = {0, 0, 0, 0};

    bool isIdentity() const;
    QColor apply(const QColor &c) const;
    QRgb apply(QRgb premultiplied) const;
    // The transform that applies `inner` first and then this one.
    ColorTransform combined(const ColorTransform &inner) const;
    bool operator==(const ColorTransform &) const = default;
};

QRectF readRect(BitReader &in);
// SWF matrices map (x, y) to (sx*x + r1*y + tx, r0*x + sy*y + ty).
QTransform readMatrix(BitReader &in);
ColorTransform readColorTransform(BitReader &in, bool withAlpha);
QColor readRgb(BitReader &in);
QColor readRgba(BitReader &in);

}
