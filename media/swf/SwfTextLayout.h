#pragma once
// Line breaking and placement of a text field's formatted text, in pixels
// of the field's own space with (0, 0) at the field's top-left corner.
//
// Text starts inside a 2-pixel gutter. Each paragraph takes its margins,
// indents, leading, alignment and tab stops from its first character; a line
// is as high as the tallest ascent plus the deepest descent of its glyphs,
// plus the paragraph's leading. With word wrap a line breaks after white
// space or around Chinese characters, and a word wider than the line breaks
// between its letters; spaces at the end of a line take no width.
#include "SwfFormattedText.h"

#include <QRgb>
#include <functional>
#include <vector>

namespace swf {

class FontFace;

// The movie's embedded face of a name and style, or null.
using EmbeddedFonts = std::function<const FontFace *(const QString &name, bool bold, bool italic)>;

struct PlacedGlyph {
    const FontFace *face = nullptr;
    char32_t code = 0;
    int index = 0; // of the character in the text; -1 for a bullet
    double x = 0; // left of the glyph's origin
    double advance = 0;
    double size = 0; // pixels per EM
    QRgb color = 0;
    bool underline = false;
};

struct TextLine {
    int begin = 0, end = 0; // characters [begin, end), with the line's break if any
    bool endsParagraph = false; // ends with '\r'
    double top = 0;
    double ascent = 0, descent = 0, leading = 0;
    double left = 0; // where the line's first glyph starts
    double width = 0; // of its glyphs as textWidth counts them
    std::vector<PlacedGlyph> glyphs;

    double height() const { return ascent + descent + leading; }
    double baseline() const { return top + ascent; }
};

struct TextLayout {
    std::vector<TextLine> lines; // at least one
    double textWidth = 0; // widest line, without margins, indents or alignment
    double textHeight = 0; // all lines, without the last one's leading

    // The line holding character `index`.
    int lineOf(int index) const;
    // The character nearest to `x` on `line`, as a caret position.
    int indexAt(int line, double x) const;
    // The x of the caret before character `index`.
    double caretX(int index) const;
};

struct LayoutOptions {
    double width = 0; // the field's width
    bool wordWrap = false;
    bool password = false;
    bool embedFonts = false;
    // Movies before version 8 count trailing spaces in the width of text
    // aligned right, centred or justified too.
    bool alignedSpacesCount = false;
};

constexpr double kTextGutter = 2;

TextLayout layoutText(const FormattedText &text, const LayoutOptions &options, const EmbeddedFonts &embedded);

}
