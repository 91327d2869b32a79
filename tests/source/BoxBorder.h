#pragma once
// Pixel checks for the flat border of boxed skinned controls.
#include "Controls.h"

#include <QImage>
#include <QWidget>

// The control's window as it paints now.
inline QImage Shot(TWinControl *Control)
{
    return Control->Handle()->grab().toImage();
}

// The outer frame in Outer and the one inside it in Inner, on all four sides.
inline bool HasBorder(const QImage &Image, TColor Outer, TColor Inner)
{
    const QColor outer = ColorToQColor(ColorToRGB(Outer));
    const QColor inner = ColorToQColor(ColorToRGB(Inner));
    const int w = Image.width(), h = Image.height();
    for (const QPoint p : {QPoint(0, 0), QPoint(w / 2, 0), QPoint(w - 1, h / 2), QPoint(w / 2, h - 1), QPoint(0, h - 1)})
        if (Image.pixelColor(p) != outer)
            return false;
    for (const QPoint p : {QPoint(1, 1), QPoint(w / 2, 1), QPoint(w - 2, h / 2), QPoint(w / 2, h - 2), QPoint(1, h - 2)})
        if (Image.pixelColor(p) != inner)
            return false;
    return true;
}
