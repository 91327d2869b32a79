#include "EmbeddedFont.h"

#include "PathShape.h"

#include <QFont>
#include <cmath>

namespace swfmake {
namespace {

// Glyph outlines are stored on a square of 1024 units per em.
constexpr int EmUnits = 1024;

} // namespace

EmbeddedFont::EmbeddedFont(const QString &Family, int Id) : FId(Id)
{
    QFont font(Family);
    font.setPixelSize(EmUnits);
    font.setStyleStrategy(QFont::NoFontMerging);
    FRaw = QRawFont::fromFont(font);
    FValid = FRaw.isValid() && FRaw.familyName() == Family;
}

int EmbeddedFont::Glyph(quint32 FileGlyph, char16_t Code)
{
    const auto known = FIndex.find(FileGlyph);
    if (known != FIndex.end())
        return known->second;
    ShapeBuilder shape;
    addPath(shape, FRaw.pathForGlyph(FileGlyph), QTransform(), 1);
    FShapes.push_back(std::move(shape));
    FCodes.push_back(Code);
    const int index = int(FShapes.size() - 1);
    FIndex.emplace(FileGlyph, index);
    return index;
}

int EmbeddedFont::Width(const QString &Text, int Height) const
{
    double width = 0;
    const QList<quint32> glyphs = FRaw.glyphIndexesForString(Text);
    for (const QPointF &advance : FRaw.advancesForGlyphIndexes(glyphs))
        width += advance.x();
    return int(std::lround(width * Height / EmUnits));
}

MovieWriter::TextRun EmbeddedFont::Run(const QString &Text, int X, int Y, int Height, const QColor &Colour)
{
    MovieWriter::TextRun run{FId, Colour, X, Y, Height, {}};
    const QList<quint32> glyphs = FRaw.glyphIndexesForString(Text);
    const QList<QPointF> advances = FRaw.advancesForGlyphIndexes(glyphs);
    // Advances are rounded from the running position, so long lines do not drift.
    double at = 0;
    int placed = 0;
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        at += advances[i].x() * Height / EmUnits;
        const int next = int(std::lround(at));
        run.glyphs.emplace_back(Glyph(glyphs[i], Text[i].unicode()), next - placed);
        placed = next;
    }
    return run;
}

EmbeddedFont::Placed EmbeddedFont::Centred(const QString &Text, int CentreX, int Baseline, int Height,
                                           const QColor &Colour)
{
    const int width = Width(Text, Height);
    const int left = CentreX - width / 2;
    return {QRect(left, Baseline - Height, width, Height + Height / 3), Run(Text, left, Baseline, Height, Colour)};
}

void EmbeddedFont::Define(MovieWriter &Movie) const
{
    Movie.defineFont2(FId, FRaw.familyName(), FShapes, FCodes);
}

}
