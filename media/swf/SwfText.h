#pragma once
// Text: fonts with glyph outlines (DefineFont, DefineFont2, DefineFont3),
// static text laid out with them (DefineText, DefineText2) and text fields
// drawn with device fonts (DefineEditText).
#include "SwfCharacter.h"

#include <QPainterPath>
#include <QString>
#include <vector>

class QPainter;

namespace swf {

class BitReader;
class Movie;

struct FontCharacter : Character {
    QString name;
    bool bold = false, italic = false;
    // DefineFont3 glyphs are drawn in twentieths of the EM square's units.
    double unitsPerEm = 1024;
    std::vector<QPainterPath> glyphs;

    static std::shared_ptr<FontCharacter> readFont1(BitReader &in);
    static std::shared_ptr<FontCharacter> readFont2(BitReader &in, int version, bool font3);
};

struct GlyphRun {
    uint16_t fontId = 0;
    QColor color;
    QPointF origin; // twips, in text space
    double height = 0; // twips
    struct Glyph {
        int index;
        double advance;
    };
    std::vector<Glyph> glyphs;
};

struct TextCharacter : Character {
    QRectF bounds;
    QTransform matrix;
    std::vector<GlyphRun> runs;

    static std::shared_ptr<TextCharacter> read(BitReader &in, bool withAlpha);
    // Draws the glyphs' outlines into `painter` at `world`.
    void draw(QPainter &painter, const Movie &movie, const QTransform &world, const ColorTransform &cx) const;
};

struct EditTextCharacter : Character {
    QRectF bounds;
    QString text;
    uint16_t fontId = 0;
    double fontHeight = 240; // twips
    QColor color = Qt::black;
    int align = 0; // 0 left, 1 right, 2 centre, 3 justify
    double leftMargin = 0, rightMargin = 0;
    bool wordWrap = false, multiline = false, border = false, password = false;

    static std::shared_ptr<EditTextCharacter> read(BitReader &in, int version);
    void draw(QPainter &painter, const Movie &movie, const QTransform &world, const ColorTransform &cx) const;
};

}
