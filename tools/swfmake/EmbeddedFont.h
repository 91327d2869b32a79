#pragma once
// A font embedded in a movie: the outlines of just the glyphs its texts use,
// taken from a font installed on the system, so that the text draws the
// same wherever the movie plays. Texts are laid out on one line with the
// font's own advances.
#include "SwfWriter.h"

#include <QRawFont>
#include <map>
#include <vector>

namespace swfmake {

class EmbeddedFont {
public:
    // Family: an installed font family; Id: the character id of the font.
    EmbeddedFont(const QString &Family, int Id);

    // False when the family is not installed (another family would stand in).
    bool Valid() const { return FValid; }
    int Id() const { return FId; }

    // Width of Text at Height (both in twips).
    int Width(const QString &Text, int Height) const;
    // Text as a run whose baseline starts at (X, Y) twips; its glyphs join
    // the font.
    MovieWriter::TextRun Run(const QString &Text, int X, int Y, int Height, const QColor &Colour);
    // Text centred on CentreX, with the bounds a static text of it needs.
    struct Placed {
        QRect Bounds;
        MovieWriter::TextRun Run;
    };
    Placed Centred(const QString &Text, int CentreX, int Baseline, int Height, const QColor &Colour);
    // Writes the font with every glyph laid out so far: lay out every text
    // first, then define the font, then the texts that use it.
    void Define(MovieWriter &Movie) const;

private:
    // The index in this font of the font file's glyph.
    int Glyph(quint32 FileGlyph, char16_t Code);

    QRawFont FRaw;
    int FId;
    bool FValid = false;
    std::map<quint32, int> FIndex;
    std::vector<ShapeBuilder> FShapes;
    std::vector<int> FCodes;
};

}
