#pragma once
// Text: fonts with glyph outlines (DefineFont, DefineFont2, DefineFont3 and
// DefineFontInfo), static text laid out with them (DefineText, DefineText2)
// and the records of text fields (DefineEditText), which TextField models.
#include "SwfCharacter.h"
#include "SwfFontFace.h"

#include <QHash>
#include <QPainterPath>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace swf {

class BitReader;
class Movie;
class TextField;

struct FontCharacter : Character, FontFace {
    QString name;
    bool bold = false, italic = false;
    bool smallText = false, shiftJis = false, ansi = false;
    int language = 0;
    // Units of the glyph outlines and metrics: DefineFont3 draws at twenty
    // times the resolution of the 1024-unit EM square.
    double unitsPerEm = 1024;
    std::vector<QPainterPath> glyphs;
    // The character each glyph stands for (empty until DefineFontInfo for DefineFont).
    std::vector<char16_t> codes;
    // Layout of DefineFont2/3, in font units; advances are empty without it.
    bool hasLayout = false;
    double ascentUnits = 0, descentUnits = 0, leadingUnits = 0;
    std::vector<double> advances;
    std::vector<QRectF> glyphBounds;
    QHash<uint32_t, double> kernings; // (left << 16 | right) -> units

    // DefineFontAlignZones: per glyph, the zones hinting aligns to.
    struct AlignZone {
        std::vector<std::pair<float, float>> zones; // position and size, in EM squares
        bool x = false, y = false;                  // which of them are used
        bool operator==(const AlignZone &) const = default;
    };
    int zoneThickness = 0; // the font's stroke: 0 thin, 1 medium, 2 thick
    std::vector<AlignZone> alignZones;
    // DefineFontName.
    QString fullName, copyright;

    static std::shared_ptr<FontCharacter> readFont1(BitReader &in);
    static std::shared_ptr<FontCharacter> readFont2(BitReader &in, int version, bool font3);
    // DefineFontInfo and DefineFontInfo2: name, style and codes of a DefineFont.
    void readInfo(BitReader &in, int version, bool info2);
    void readAlignZones(BitReader &in);
    void readFontName(BitReader &in, int version);

    // The glyph index of `code`, or -1.
    int glyphIndex(char32_t code) const;
    // Glyph `index` in font units: its outline, or for a font that carries
    // only codes (static text set in a device font) the system's glyph.
    QPainterPath glyphPath(int index) const;

    double ascent() const override;
    double descent() const override;
    bool hasGlyph(char32_t code) const override { return glyphIndex(code) >= 0; }
    double advance(char32_t code) const override;
    double kerning(char32_t left, char32_t right) const override;
    QPainterPath outline(char32_t code) const override;

private:
    // Indexes the codes and notes whether any glyph has an outline.
    void indexCodes();
    QHash<char16_t, int> glyphOfCode;
    bool outlined = true;
};

struct GlyphRun {
    uint16_t fontId = 0;
    QColor color;
    QPointF origin; // twips, in text space
    double height = 0; // twips
    struct Glyph {
        int index;
        double advance;
        bool operator==(const Glyph &) const = default;
    };
    std::vector<Glyph> glyphs;
    bool operator==(const GlyphRun &) const = default;
};

// CSMTextSettings: how a text's glyphs are rendered.
struct TextRenderSettings {
    bool advanced = false; // the advanced anti-aliasing renderer
    int gridFit = 0;       // 0 none, 1 pixel, 2 subpixel
    float thickness = 0, sharpness = 0;
    bool operator==(const TextRenderSettings &) const = default;

    static TextRenderSettings read(BitReader &in);
};

struct TextCharacter : Character {
    QRectF bounds;
    QTransform matrix;
    std::vector<GlyphRun> runs;
    std::optional<TextRenderSettings> renderSettings;

    static std::shared_ptr<TextCharacter> read(BitReader &in, bool withAlpha);
    // Draws the glyphs' outlines into `painter` at `world`.
    void draw(QPainter &painter, const Movie &movie, const QTransform &world, const ColorTransform &cx) const;
};

// A DefineEditText record as stored; `field` is the text field it starts as.
struct EditTextCharacter : Character {
    QRectF bounds; // twips
    bool wordWrap = false, multiline = false, password = false, readOnly = false;
    bool autoSize = false, noSelect = false, border = false, wasStatic = false, html = false, useOutlines = false;
    uint16_t fontId = 0; // 0: none
    QString fontClass;
    double fontHeight = 240; // twips
    QColor color = Qt::black;
    int maxLength = 0; // 0: no limit
    bool hasLayout = false;
    int align = 0; // 0 left, 1 right, 2 centre, 3 justify
    double leftMargin = 0, rightMargin = 0, indent = 0, leading = 0; // twips
    QString variableName;
    bool hasText = false;
    QString initialText;
    std::optional<TextRenderSettings> renderSettings;

    // Built with the movie's fonts; the movie must outlive it.
    std::shared_ptr<const TextField> field;

    static std::shared_ptr<EditTextCharacter> read(BitReader &in, int version, const Movie &movie);
};

}
