#include "SwfTextSnapshot.h"

#include "SwfGraphicObjects.h"
#include "SwfMovie.h"
#include "SwfMovieClip.h"
#include "SwfText.h"

#include <cmath>
#include <limits>

namespace swf {

namespace {

// Appends the characters of one static text placed in the clip.
void addText(TextSnapshot &snapshot, const StaticTextObject &object)
{
    const TextCharacter &text = object.text();
    QTransform place = text.matrix * object.matrix();
    for (const GlyphRun &run : text.runs) {
        auto *font = object.movie().characterAs<FontCharacter>(run.fontId);
        double x = run.origin.x();
        int indexInRun = 0;
        for (const GlyphRun::Glyph &g : run.glyphs) {
            char16_t code = font && g.index >= 0 && size_t(g.index) < font->codes.size() ? font->codes[size_t(g.index)] : 0;
            snapshot.text.append(QChar(code ? code : u'\uFFFD'));
            SnapshotGlyph glyph;
            glyph.box = place.mapRect(QRectF(x, run.origin.y() - run.height, std::max(g.advance, 0.0), run.height));
            glyph.matrix = QTransform::fromTranslate(x, run.origin.y()) * place;
            glyph.font = font ? font->name : QString();
            glyph.color = run.color.rgba();
            glyph.height = run.height;
            glyph.indexInRun = indexInRun++;
            snapshot.glyphs.push_back(glyph);
            x += g.advance;
        }
    }
}

double distanceTo(const QRectF &box, const QPointF &p)
{
    double dx = std::max({box.left() - p.x(), 0.0, p.x() - box.right()});
    double dy = std::max({box.top() - p.y(), 0.0, p.y() - box.bottom()});
    return std::hypot(dx, dy);
}

}

TextSnapshot TextSnapshot::of(const MovieClip &clip)
{
    TextSnapshot snapshot;
    for (const auto &[depth, child] : clip.children())
        if (child->kind() == DisplayObject::Kind::StaticText)
            addText(snapshot, static_cast<const StaticTextObject &>(*child));
    return snapshot;
}

int TextSnapshot::find(int from, const QString &needle, bool caseSensitive) const
{
    if (from < 0 || from > text.size())
        return -1;
    return int(text.indexOf(needle, from, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive));
}

int TextSnapshot::nearest(const QPointF &point, double distance) const
{
    int best = -1;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < glyphs.size(); ++i) {
        double d = distanceTo(glyphs[i].box, point);
        if (d <= distance && d < bestDistance) {
            best = int(i);
            bestDistance = d;
        }
    }
    return best;
}

}
