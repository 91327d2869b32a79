#include "SwfBlend.h"

#include <algorithm>

namespace swf {

namespace {
int mul(int a, int b) // a * b / 255, rounded
{
    int t = a * b + 128;
    return (t + (t >> 8)) >> 8;
}

// A separable mode's colour from the unblended parts of each side and the
// mixed part where both are present, all premultiplied.
int mixed(BlendMode mode, int s, int sa, int d, int da)
{
    switch (mode) {
    case BlendMode::Multiply:
        return mul(s, d);
    case BlendMode::Screen:
        return mul(s, da) + mul(d, sa) - mul(s, d);
    case BlendMode::Lighten:
        return std::max(mul(s, da), mul(d, sa));
    case BlendMode::Darken:
        return std::min(mul(s, da), mul(d, sa));
    case BlendMode::Difference:
        return std::abs(mul(s, da) - mul(d, sa));
    case BlendMode::Overlay:
        return 2 * d < da ? 2 * mul(s, d) : mul(sa, da) - 2 * mul(da - d, sa - s);
    case BlendMode::HardLight:
        return 2 * s < sa ? 2 * mul(s, d) : mul(sa, da) - 2 * mul(da - d, sa - s);
    default:
        return mul(s, da);
    }
}
}

QRgb blendPixel(BlendMode mode, QRgb source, QRgb backdrop)
{
    int sa = qAlpha(source), da = qAlpha(backdrop);
    int s[3] = {qRed(source), qGreen(source), qBlue(source)};
    int d[3] = {qRed(backdrop), qGreen(backdrop), qBlue(backdrop)};
    int out[4];
    switch (mode) {
    case BlendMode::Add:
        for (int i = 0; i < 3; ++i)
            out[i] = std::min(255, s[i] + d[i]);
        out[3] = std::min(255, sa + da);
        break;
    case BlendMode::Subtract:
        for (int i = 0; i < 3; ++i)
            out[i] = std::max(0, d[i] - s[i]) + mul(s[i], 255 - da);
        out[3] = std::min(255, sa + mul(da, 255 - sa));
        break;
    case BlendMode::Invert:
        // The backdrop's colours turned over where the object is.
        for (int i = 0; i < 3; ++i)
            out[i] = mul(da - d[i], sa) + mul(d[i], 255 - sa);
        out[3] = da;
        break;
    case BlendMode::Alpha:
        for (int i = 0; i < 3; ++i)
            out[i] = mul(d[i], sa);
        out[3] = mul(da, sa);
        break;
    case BlendMode::Erase:
        for (int i = 0; i < 3; ++i)
            out[i] = mul(d[i], 255 - sa);
        out[3] = mul(da, 255 - sa);
        break;
    case BlendMode::Multiply:
    case BlendMode::Screen:
    case BlendMode::Lighten:
    case BlendMode::Darken:
    case BlendMode::Difference:
    case BlendMode::Overlay:
    case BlendMode::HardLight:
        for (int i = 0; i < 3; ++i)
            out[i] = mul(s[i], 255 - da) + mul(d[i], 255 - sa) + mixed(mode, s[i], sa, d[i], da);
        out[3] = sa + mul(da, 255 - sa);
        break;
    default:
        for (int i = 0; i < 3; ++i)
            out[i] = s[i] + mul(d[i], 255 - sa);
        out[3] = sa + mul(da, 255 - sa);
        break;
    }
    int a = std::clamp(out[3], 0, 255);
    return qRgba(std::clamp(out[0], 0, a), std::clamp(out[1], 0, a), std::clamp(out[2], 0, a), a);
}

void blendInto(QImage &target, const QImage &layer, QPoint at, BlendMode mode)
{
    QRect area = QRect(at, layer.size()) & target.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto *to = reinterpret_cast<QRgb *>(target.scanLine(y));
        auto *from = reinterpret_cast<const QRgb *>(layer.constScanLine(y - at.y()));
        for (int x = area.left(); x <= area.right(); ++x)
            to[x] = blendPixel(mode, from[x - at.x()], to[x]);
    }
}

}
