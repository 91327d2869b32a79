#pragma once
// Blend modes: how a placed object's picture is laid on what is under it.
#include <QImage>

namespace swf {

// The stored blend mode values (0 and 1 are both normal).
enum class BlendMode { Normal = 1, Layer = 2, Multiply = 3, Screen = 4, Lighten = 5, Darken = 6, Difference = 7,
                       Add = 8, Subtract = 9, Invert = 10, Alpha = 11, Erase = 12, Overlay = 13, HardLight = 14 };

// The blend mode of a stored value; unknown values and 0 are normal.
inline BlendMode blendModeOf(int stored)
{
    return stored >= 2 && stored <= 14 ? BlendMode(stored) : BlendMode::Normal;
}

// A pixel of an object laid with `mode` on a pixel of what is under it,
// both premultiplied.
QRgb blendPixel(BlendMode mode, QRgb source, QRgb backdrop);

// Lays `layer`, whose top left pixel goes to `at`, on `target` (both
// premultiplied ARGB) with `mode`.
void blendInto(QImage &target, const QImage &layer, QPoint at, BlendMode mode);

}
