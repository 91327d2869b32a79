#pragma once
// The formatting of a stretch of text in a text field, as scripts see it in a
// TextFormat: every field may be unset. A character's own format has every
// field set; an unset field in a format given to setFormat leaves that
// property as it was, and a format read over a range leaves unset what
// differs within the range. Sizes and distances are in pixels.
#include <QRgb>
#include <QString>
#include <optional>
#include <vector>

namespace swf {

enum class TextAlign { Left, Right, Center, Justify };

struct TextFormat {
    // Character properties.
    std::optional<QString> font;
    std::optional<double> size;
    std::optional<QRgb> color; // 0xRRGGBB
    std::optional<bool> bold, italic, underline;
    std::optional<QString> url, target;
    std::optional<double> letterSpacing;
    std::optional<bool> kerning;
    // Paragraph properties: the first character of a paragraph decides them.
    std::optional<TextAlign> align;
    std::optional<double> leftMargin, rightMargin, indent, blockIndent, leading;
    std::optional<std::vector<double>> tabStops;
    std::optional<bool> bullet;

    // What a new text field starts with: 12-pixel black Times New Roman.
    static TextFormat defaults();

    // Fields set in `over` replace those here.
    void apply(const TextFormat &over);
    // Keeps the fields equal in both; the others become unset.
    void intersect(const TextFormat &other);
    // Only the character, or only the paragraph, properties of this format.
    TextFormat characterPart() const;
    TextFormat paragraphPart() const;
    bool operator==(const TextFormat &) const = default;
};

}
