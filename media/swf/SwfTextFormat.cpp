#include "SwfTextFormat.h"

namespace swf {

namespace {

template <class T> void take(std::optional<T> &field, const std::optional<T> &over)
{
    if (over)
        field = over;
}

template <class T> void keepEqual(std::optional<T> &field, const std::optional<T> &other)
{
    if (field != other)
        field.reset();
}

template <class Format, class Other, class F> void forEachParagraphField(Format &a, Other &b, F f);

// Calls `f(field, otherField)` for every character field, then every paragraph field.
template <class Format, class Other, class F> void forEachField(Format &a, Other &b, F f)
{
    f(a.font, b.font);
    f(a.size, b.size);
    f(a.color, b.color);
    f(a.bold, b.bold);
    f(a.italic, b.italic);
    f(a.underline, b.underline);
    f(a.url, b.url);
    f(a.target, b.target);
    f(a.letterSpacing, b.letterSpacing);
    f(a.kerning, b.kerning);
    forEachParagraphField(a, b, f);
}

template <class Format, class Other, class F> void forEachParagraphField(Format &a, Other &b, F f)
{
    f(a.align, b.align);
    f(a.leftMargin, b.leftMargin);
    f(a.rightMargin, b.rightMargin);
    f(a.indent, b.indent);
    f(a.blockIndent, b.blockIndent);
    f(a.leading, b.leading);
    f(a.tabStops, b.tabStops);
    f(a.bullet, b.bullet);
}

}

TextFormat TextFormat::defaults()
{
    TextFormat f;
    f.font = QStringLiteral("Times New Roman");
    f.size = 12;
    f.color = 0x000000;
    f.bold = f.italic = f.underline = false;
    f.url = f.target = QString();
    f.letterSpacing = 0;
    f.kerning = false;
    f.align = TextAlign::Left;
    f.leftMargin = f.rightMargin = f.indent = f.blockIndent = f.leading = 0;
    f.tabStops = std::vector<double>();
    f.bullet = false;
    return f;
}

void TextFormat::apply(const TextFormat &over)
{
    forEachField(*this, over, [](auto &field, const auto &value) { take(field, value); });
}

void TextFormat::intersect(const TextFormat &other)
{
    forEachField(*this, other, [](auto &field, const auto &value) { keepEqual(field, value); });
}

TextFormat TextFormat::characterPart() const
{
    TextFormat c = *this;
    forEachParagraphField(c, c, [](auto &field, const auto &) { field.reset(); });
    return c;
}

TextFormat TextFormat::paragraphPart() const
{
    TextFormat p;
    forEachParagraphField(p, *this, [](auto &field, const auto &value) { field = value; });
    return p;
}

}
