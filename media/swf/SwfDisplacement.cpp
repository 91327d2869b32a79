#include "SwfDisplacement.h"

#include <algorithm>
#include <cmath>

namespace swf {

namespace {

// The map's channel picked by `component` (0..255 unmultiplied); 128, no
// move, for anything but a single channel.
int channel(QRgb pixel, int component)
{
    switch (component) {
    case 1: return qRed(pixel);
    case 2: return qGreen(pixel);
    case 4: return qBlue(pixel);
    case 8: return qAlpha(pixel);
    default: return 128;
    }
}

// How far a channel value moves a pixel, in device pixels.
int shift(int value, double scale, double stageScale)
{
    double by = (value - 128) * scale / 256 * stageScale;
    return std::isfinite(by) ? int(std::clamp(std::floor(by), -1e6, 1e6)) : 0;
}

int wrapped(int v, int size)
{
    return ((v % size) + size) % size;
}

}

QImage displacementFilter(const QImage &source, const Filter &f, double stageScale, QPoint origin)
{
    if (f.map.isNull() || source.isNull() || !(stageScale > 0))
        return source;
    const QImage map = f.map.convertToFormat(QImage::Format_ARGB32);
    QColor c = f.defaultColor;
    const QRgb fill = qPremultiply(c.isValid() ? c.rgba() : 0);
    const int w = source.width(), h = source.height();
    QImage out(source.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        auto *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        int my = int(std::floor((y - origin.y()) / stageScale)) - f.mapPoint.y();
        for (int x = 0; x < w; ++x) {
            int mx = int(std::floor((x - origin.x()) / stageScale)) - f.mapPoint.x();
            if (mx < 0 || my < 0 || mx >= map.width() || my >= map.height()) {
                row[x] = in[x];
                continue;
            }
            QRgb m = reinterpret_cast<const QRgb *>(map.constScanLine(my))[mx];
            int sx = x + shift(channel(m, f.componentX), f.scaleX, stageScale);
            int sy = y + shift(channel(m, f.componentY), f.scaleY, stageScale);
            if (sx < 0 || sy < 0 || sx >= w || sy >= h) {
                switch (f.edges) {
                case Filter::Edges::Wrap: sx = wrapped(sx, w), sy = wrapped(sy, h); break;
                case Filter::Edges::Clamp: sx = std::clamp(sx, 0, w - 1), sy = std::clamp(sy, 0, h - 1); break;
                case Filter::Edges::Ignore: sx = x, sy = y; break;
                case Filter::Edges::Color: row[x] = fill; continue;
                }
            }
            row[x] = reinterpret_cast<const QRgb *>(source.constScanLine(sy))[sx];
        }
    }
    return out;
}

}
