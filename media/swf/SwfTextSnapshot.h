#pragma once
// The static text of a clip as one string: the characters of the texts
// placed directly in the clip, in depth order, each with the box it takes
// in the clip's space (twips). Scripts read it through TextSnapshot.
#include <QRectF>
#include <QRgb>
#include <QString>
#include <QTransform>
#include <vector>

namespace swf {

class MovieClip;

// One character: its box and where its glyph is drawn (glyph space to the
// clip's space, in twips), and the run it belongs to.
struct SnapshotGlyph {
    QRectF box;
    QTransform matrix;
    QString font;
    QRgb color = 0;
    double height = 0; // twips
    int indexInRun = 0;
};

struct TextSnapshot {
    QString text;
    std::vector<SnapshotGlyph> glyphs; // one per character of `text`

    static TextSnapshot of(const MovieClip &clip);
    // The index of the first `needle` at or after `from`, or -1.
    int find(int from, const QString &needle, bool caseSensitive) const;
    // The character whose box is nearest `point` and at most `distance`
    // away from it, or -1.
    int nearest(const QPointF &point, double distance) const;
};

}
