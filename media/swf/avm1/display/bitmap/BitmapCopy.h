#pragma once
// Moving pixels within and between script bitmaps.
#include <QPoint>
#include <QRect>

namespace swf::avm1 {

class BitmapPixels;

struct AlphaSource {
    const BitmapPixels *bitmap = nullptr;
    QPoint at; // the place of the source area's corner in `bitmap`
};

// Copies `area` of `source` to `to` in `dest`. With an alpha source, the
// copied pixels take its alpha too; with mergeAlpha, a transparent `dest`
// shows what it held through the copied pixels.
void copyPixels(BitmapPixels &dest, const BitmapPixels &source, const QRect &area, const QPoint &to,
                const AlphaSource &alpha, bool mergeAlpha);

// Moves the whole picture by (dx, dy); what it uncovers keeps its pixels.
void scroll(BitmapPixels &bitmap, int dx, int dy);

}
