#pragma once
// What text layout and drawing need to know of a typeface, whether its
// glyphs come from the movie (an embedded font) or from the system (a device
// font). All measures are fractions of the EM square, so a face serves every
// size: multiply by the size in pixels.
#include <QPainterPath>

namespace swf {

class FontFace {
public:
    virtual ~FontFace() = default;

    // Height above and depth below the baseline.
    virtual double ascent() const = 0;
    virtual double descent() const = 0;
    virtual bool hasGlyph(char32_t code) const = 0;
    virtual double advance(char32_t code) const = 0;
    // Extra advance between `left` and `right` when kerning is on.
    virtual double kerning(char32_t left, char32_t right) const = 0;
    // The glyph's outline with its origin on the baseline, y growing down.
    virtual QPainterPath outline(char32_t code) const = 0;
};

}
