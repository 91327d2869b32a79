#include "SwfTextLayout.h"

#include "SwfDeviceFont.h"

#include <algorithm>
#include <cmath>

namespace swf {

namespace {

// Tab stops where a paragraph sets none.
constexpr double kDefaultTabStop = 36;
// How far a bulleted paragraph's text is indented, in pixels, and how far
// before the text its bullet stands, in EMs of its first character.
constexpr double kBulletIndent = 36;
constexpr double kBulletOffset = 1.5;
constexpr double kEpsilon = 1e-6;

struct Item {
    int index = 0;
    char32_t code = 0;
    const FontFace *face = nullptr; // null: nothing is drawn
    const FontFace *lineFace = nullptr; // the format's face: it sets the line's height
    double size = 0, advance = 0;
    QRgb color = 0;
    bool underline = false;
    bool space = false, tab = false;
    bool breakBefore = false, breakAfter = false;
};

// Glyph advances are laid out in whole twips, cut down.
double inWholeTwips(double pixels)
{
    return std::floor(pixels * 20 + kEpsilon) / 20;
}

// Embedded glyphs advance and stand in whole twips; device glyphs are
// hinted to the pixel grid, so their advances, ascents and descents are
// whole pixels.
double onGrid(double pixels, bool embedded)
{
    return embedded ? inWholeTwips(pixels) : std::round(pixels);
}

// Chinese, Japanese and Korean characters: a line may break on either side.
bool isIdeographic(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

// Punctuation that must not start a line.
bool closesLine(char32_t c)
{
    static const std::u32string closing = U"，。、；：？！）》」』】〕〉”’…,.;:?!)]}%";
    return closing.find(c) != std::u32string::npos;
}

// Walks the format runs forward with the text.
class RunCursor {
public:
    explicit RunCursor(const FormattedText &text) : text(text) {}
    const TextFormat &at(int index)
    {
        const auto &runs = text.runs();
        if (runs.empty())
            return text.formatAt(index);
        while (run + 1 < runs.size() && index >= start + runs[run].length) {
            start += runs[run].length;
            ++run;
        }
        return runs[run].format;
    }

private:
    const FormattedText &text;
    size_t run = 0;
    int start = 0;
};

// The face of a format: it gives lines their height, with or without glyphs.
const FontFace *metricFace(const TextFormat &f, const LayoutOptions &options, const EmbeddedFonts &embedded)
{
    QString name = f.font.value_or(QString());
    bool bold = f.bold.value_or(false), italic = f.italic.value_or(false);
    if (options.embedFonts)
        return embedded ? embedded(name, bold, italic) : nullptr;
    return &deviceFont(name, bold, italic);
}

// The face that draws `code`: the format's own, or for device text the
// fallback face where the own one lacks the character.
const FontFace *glyphFace(const FontFace *own, char32_t code, const LayoutOptions &options)
{
    if (!own || own->hasGlyph(code))
        return own;
    if (options.embedFonts)
        return nullptr;
    return fallbackFont().hasGlyph(code) ? &fallbackFont() : own;
}

std::vector<Item> shape(const FormattedText &text, int begin, int end, const LayoutOptions &options,
                        const EmbeddedFonts &embedded)
{
    const QString &s = text.text();
    RunCursor formats(text);
    std::vector<Item> items;
    const TextFormat *lastFormat = nullptr;
    const FontFace *own = nullptr;
    for (int i = begin; i < end;) {
        Item it;
        it.index = i;
        char32_t c = s[i].unicode();
        int length = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < end && s[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(s[i], s[i + 1]);
            length = 2;
        }
        const TextFormat &f = formats.at(i);
        it.code = options.password ? U'*' : c;
        it.tab = c == U'\t' && !options.password;
        it.space = c == U' ' || it.tab || c == 0x3000;
        it.size = f.size.value_or(12);
        it.color = f.color.value_or(0);
        it.underline = f.underline.value_or(false);
        if (&f != lastFormat) { // faces are looked up once per run
            lastFormat = &f;
            own = metricFace(f, options, embedded);
        }
        it.lineFace = own;
        if (!it.tab) {
            it.face = glyphFace(own, it.code, options);
            if (it.face) {
                it.advance = onGrid(it.face->advance(it.code) * it.size, options.embedFonts) + f.letterSpacing.value_or(0);
                if (f.kerning.value_or(false) && !items.empty() && items.back().face == it.face
                    && items.back().size == it.size)
                    items.back().advance += std::round(it.face->kerning(items.back().code, it.code) * it.size * 20) / 20;
            }
        }
        it.breakAfter = it.space || c == U'-' || isIdeographic(c);
        it.breakBefore = isIdeographic(c) && !closesLine(c);
        if (closesLine(c) && !items.empty())
            items.back().breakAfter = false;
        items.push_back(it);
        i += length;
    }
    return items;
}

// The paragraph's stops, then one every kDefaultTabStop pixels from the line's start.
double nextTabStop(double x, const std::vector<double> &stops)
{
    for (double stop : stops)
        if (stop > x + kEpsilon)
            return stop;
    return (std::floor(x / kDefaultTabStop + kEpsilon) + 1) * kDefaultTabStop;
}

struct Paragraph {
    TextFormat format;
    double firstLeft = 0, left = 0; // from the field's left edge
    double firstWidth = 0, width = 0; // room for text
};

Paragraph paragraphGeometry(const TextFormat &f, double fieldWidth)
{
    Paragraph p;
    p.format = f;
    double bullet = f.bullet.value_or(false) ? kBulletIndent : 0;
    p.left = kTextGutter + f.leftMargin.value_or(0) + f.blockIndent.value_or(0) + bullet;
    p.width = fieldWidth - p.left - kTextGutter - f.rightMargin.value_or(0);
    p.firstLeft = p.left + f.indent.value_or(0);
    p.firstWidth = p.width - f.indent.value_or(0);
    return p;
}

// Places items [from, to) as one line at `top`.
TextLine placeLine(std::vector<Item> &items, size_t from, size_t to, const Paragraph &p, bool first, bool lastOfParagraph,
                   double top, const FontFace *emptyFace, const LayoutOptions &options)
{
    TextLine line;
    line.top = top;
    line.leading = p.format.leading.value_or(0);
    double x = 0;
    for (size_t k = from; k < to; ++k) {
        if (items[k].tab)
            items[k].advance = nextTabStop(x, p.format.tabStops.value_or(std::vector<double>())) - x;
        x += items[k].advance;
    }
    size_t visibleEnd = to;
    while (visibleEnd > from && items[visibleEnd - 1].space)
        --visibleEnd;
    double width = 0;
    int spaces = 0;
    for (size_t k = from; k < visibleEnd; ++k) {
        width += items[k].advance;
        spaces += items[k].space;
    }
    for (size_t k = from; k < to; ++k) {
        if (const FontFace *face = items[k].lineFace) {
            line.ascent = std::max(line.ascent, onGrid(face->ascent() * items[k].size, options.embedFonts));
            line.descent = std::max(line.descent, onGrid(face->descent() * items[k].size, options.embedFonts));
        }
    }
    if (from == to && emptyFace) {
        double size = p.format.size.value_or(12);
        line.ascent = onGrid(emptyFace->ascent() * size, options.embedFonts);
        line.descent = onGrid(emptyFace->descent() * size, options.embedFonts);
    }
    double room = first ? p.firstWidth : p.width;
    double free = std::max(0.0, room - width);
    double shift = 0, perSpace = 0;
    switch (p.format.align.value_or(TextAlign::Left)) {
    case TextAlign::Right:
        shift = free;
        break;
    case TextAlign::Center:
        shift = free / 2;
        break;
    case TextAlign::Justify:
        if (!lastOfParagraph && spaces > 0)
            perSpace = free / spaces;
        break;
    case TextAlign::Left:
        break;
    }
    line.left = (first ? p.firstLeft : p.left) + shift;
    if (first && p.format.bullet.value_or(false) && emptyFace) {
        double size = p.format.size.value_or(12);
        double bulletX = p.left - kBulletOffset * size;
        line.glyphs.push_back({emptyFace, U'\u2022', -1, bulletX, emptyFace->advance(U'\u2022') * size, size,
                               p.format.color.value_or(0), false});
    }
    // The text's width counts trailing spaces of text aligned left;
    // justification does not widen it.
    bool aligned = p.format.align.value_or(TextAlign::Left) != TextAlign::Left;
    line.width = aligned && !options.alignedSpacesCount ? width : x;
    x = line.left;
    for (size_t k = from; k < to; ++k) {
        const Item &it = items[k];
        double advance = it.advance + (it.space && k < visibleEnd ? perSpace : 0);
        if (it.face && !it.space)
            line.glyphs.push_back({it.face, it.code, it.index, x, advance, it.size, it.color, it.underline});
        else if (it.underline)
            line.glyphs.push_back({nullptr, it.code, it.index, x, advance, it.size, it.color, true});
        x += advance;
    }
    return line;
}

}

int TextLayout::lineOf(int index) const
{
    for (size_t i = 0; i < lines.size(); ++i)
        if (index < lines[i].end)
            return int(i);
    return int(lines.size()) - 1;
}

double TextLayout::caretX(int index) const
{
    const TextLine &line = lines[size_t(lineOf(index))];
    const PlacedGlyph *last = nullptr;
    for (const PlacedGlyph &g : line.glyphs) {
        if (g.index < 0)
            continue; // a bullet
        if (g.index >= index)
            return g.x;
        last = &g;
    }
    if (!last)
        return line.left;
    return last->x + last->advance;
}

int TextLayout::indexAt(int lineIndex, double x) const
{
    const TextLine &line = lines[size_t(std::clamp(lineIndex, 0, int(lines.size()) - 1))];
    // Spaces have no glyph: the characters between two glyphs share the gap.
    int nextIndex = line.begin;
    double gapStart = line.left;
    for (const PlacedGlyph &g : line.glyphs) {
        if (g.index < 0)
            continue; // a bullet
        if (int unseen = g.index - nextIndex; unseen > 0 && x < g.x) {
            double each = (g.x - gapStart) / unseen;
            double at = each > 0 ? (x - gapStart) / each : 0;
            return nextIndex + std::clamp(int(std::lround(at)), 0, unseen);
        }
        if (x < g.x + g.advance / 2)
            return g.index;
        nextIndex = g.index + 1;
        gapStart = g.x + g.advance;
    }
    // The caret stays before a paragraph's break.
    return line.endsParagraph ? line.end - 1 : line.end;
}

TextLayout layoutText(const FormattedText &text, const LayoutOptions &options, const EmbeddedFonts &embedded)
{
    TextLayout layout;
    const QString &s = text.text();
    double y = kTextGutter;
    int start = 0;
    for (;;) {
        int brk = int(s.indexOf(QLatin1Char('\r'), start));
        int end = brk < 0 ? int(s.size()) : brk;
        Paragraph p = paragraphGeometry(text.formatAt(start), options.width);
        const FontFace *emptyFace = metricFace(text.formatAt(start), options, embedded);
        std::vector<Item> items = shape(text, start, end, options, embedded);
        size_t lineStart = 0;
        bool first = true;
        auto endLine = [&](size_t to, bool last) {
            TextLine line = placeLine(items, lineStart, to, p, first, last, y, emptyFace, options);
            line.begin = lineStart < items.size() ? items[lineStart].index : end;
            line.end = to < items.size() ? items[to].index : (brk < 0 ? end : end + 1);
            line.endsParagraph = to >= items.size() && brk >= 0;
            y += line.height();
            // Neither margins nor alignment widen the text.
            layout.textWidth = std::max(layout.textWidth, line.width);
            layout.lines.push_back(std::move(line));
            lineStart = to;
            first = false;
        };
        double x = 0;
        size_t lastBreak = SIZE_MAX; // a line may end after this item
        for (size_t k = 0; k < items.size(); ++k) {
            Item &it = items[k];
            if (it.tab)
                it.advance = nextTabStop(x, p.format.tabStops.value_or(std::vector<double>())) - x;
            if (k > lineStart && it.breakBefore)
                lastBreak = k - 1;
            double room = first ? p.firstWidth : p.width;
            if (options.wordWrap && k > lineStart && !it.space && x + it.advance > room + kEpsilon) {
                size_t to = lastBreak != SIZE_MAX && lastBreak >= lineStart ? lastBreak + 1 : k;
                endLine(to, false);
                lastBreak = SIZE_MAX;
                x = 0;
                k = to - 1; // measure the rest again on the new line
                continue;
            }
            x += it.advance;
            if (it.breakAfter)
                lastBreak = k;
        }
        endLine(items.size(), true);
        if (brk < 0)
            break;
        start = brk + 1;
    }
    // The last line's leading is not part of the text, unless it is the only
    // line; the empty line after a final break is none of it, but the
    // leading of the line before it is.
    const TextLine &last = layout.lines.back();
    if (s.isEmpty())
        layout.textHeight = 0;
    else if (s.endsWith(QLatin1Char('\r')))
        layout.textHeight = last.top - kTextGutter;
    else
        layout.textHeight = y - kTextGutter - (layout.lines.size() > 1 ? last.leading : 0);
    return layout;
}

}
