#include "SwfTypes.h"

#include "SwfBitReader.h"

#include <algorithm>

namespace swf {

namespace {
int channel(int value, int mult, int add)
{
    return std::clamp(value * mult / 256 + add, 0, 255);
}

// A picture's pixels are scaled with rounding, as the player tints bitmaps.
int pixelChannel(int value, int mult, int add)
{
    return std::clamp(((value * mult + 128) >> 8) + add, 0, 255);
}
}

bool ColorTransform::isIdentity() const
{
    return *this == ColorTransform();
}

QColor ColorTransform::apply(const QColor &c) const
{
    return QColor(channel(c.red(), mult[0], add[0]), channel(c.green(), mult[1], add[1]),
                  channel(c.blue(), mult[2], add[2]), channel(c.alpha(), mult[3], add[3]));
}

QRgb ColorTransform::apply(QRgb premultiplied) const
{
    QRgb plain = qUnpremultiply(premultiplied);
    return qPremultiply(qRgba(pixelChannel(qRed(plain), mult[0], add[0]), pixelChannel(qGreen(plain), mult[1], add[1]),
                              pixelChannel(qBlue(plain), mult[2], add[2]),
                              pixelChannel(qAlpha(plain), mult[3], add[3])));
}

ColorTransform ColorTransform::combined(const ColorTransform &inner) const
{
    ColorTransform t;
    for (int i = 0; i < 4; ++i) {
        t.mult[i] = mult[i] * inner.mult[i] / 256;
        t.add[i] = inner.add[i] * mult[i] / 256 + add[i];
    }
    return t;
}

QRectF readRect(BitReader &in)
{
    in.align();
    int bits = int(in.ub(5));
    double xMin = in.sb(bits), xMax = in.sb(bits), yMin = in.sb(bits), yMax = in.sb(bits);
    in.align();
    return QRectF(QPointF(xMin, yMin), QPointF(xMax, yMax));
}

QTransform readMatrix(BitReader &in)
{
    in.align();
    double sx = 1, sy = 1, r0 = 0, r1 = 0;
    if (in.ub(1)) {
        int bits = int(in.ub(5));
        sx = in.fb(bits);
        sy = in.fb(bits);
    }
    if (in.ub(1)) {
        int bits = int(in.ub(5));
        r0 = in.fb(bits);
        r1 = in.fb(bits);
    }
    int bits = int(in.ub(5));
    double tx = in.sb(bits), ty = in.sb(bits);
    in.align();
    return QTransform(sx, r0, r1, sy, tx, ty);
}

ColorTransform readColorTransform(BitReader &in, bool withAlpha)
{
    in.align();
    ColorTransform t;
    bool hasAdd = in.ub(1), hasMult = in.ub(1);
    int bits = int(in.ub(4));
    int channels = withAlpha ? 4 : 3;
    if (hasMult)
        for (int i = 0; i < channels; ++i)
            t.mult[i] = in.sb(bits);
    if (hasAdd)
        for (int i = 0; i < channels; ++i)
            t.add[i] = in.sb(bits);
    in.align();
    return t;
}

QColor readRgb(BitReader &in)
{
    int r = in.u8(), g = in.u8(), b = in.u8();
    return QColor(r, g, b);
}

QColor readRgba(BitReader &in)
{
    int r = in.u8(), g = in.u8(), b = in.u8(), a = in.u8();
    return QColor(r, g, b, a);
}

}
