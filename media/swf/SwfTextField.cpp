#include "SwfTextField.h"

#include "SwfHtmlText.h"
#include "SwfText.h"

#include <algorithm>
#include <cmath>

namespace swf {

TextField::TextField(EmbeddedFonts fonts) : fonts(std::move(fonts))
{
    content.replace(0, 0, QString(), typingFormat);
}

TextField TextField::fromRecord(const EditTextCharacter &record, const FontCharacter *font, EmbeddedFonts fonts)
{
    TextField field(std::move(fonts));
    field.area = QRectF(record.bounds.topLeft() / 20, record.bounds.size() / 20);
    field.wrap = record.wordWrap;
    field.multiline = record.multiline;
    field.hidden = record.password;
    field.editable = !record.readOnly;
    field.selectable = !record.noSelect;
    field.border = field.background = record.border;
    field.html = record.html;
    field.embedded = record.useOutlines;
    field.maxChars = record.maxLength;
    field.variable = record.variableName;
    field.sizing = record.autoSize ? AutoSize::Left : AutoSize::None;
    TextFormat &f = field.typingFormat;
    if (font && !font->name.isEmpty())
        f.font = font->name;
    // HTML text sets its own styles; plain text takes the font's.
    if (font && !record.html) {
        f.bold = font->bold;
        f.italic = font->italic;
    }
    if (record.fontId)
        f.size = record.fontHeight / 20;
    f.color = record.color.rgb() & 0xFFFFFF;
    if (record.hasLayout) {
        static const TextAlign aligns[] = {TextAlign::Left, TextAlign::Right, TextAlign::Center, TextAlign::Justify};
        f.align = aligns[std::clamp(record.align, 0, 3)];
        f.leftMargin = record.leftMargin / 20;
        f.rightMargin = record.rightMargin / 20;
        f.indent = record.indent / 20;
        f.leading = record.leading / 20;
    }
    if (record.html)
        field.setHtmlText(record.initialText);
    else
        field.setText(record.initialText);
    return field;
}

QString TextField::text() const
{
    return content.text();
}

void TextField::setText(const QString &text)
{
    if (styleRules) {
        readHtml(text);
        return;
    }
    content = FormattedText();
    content.replace(0, 0, text, typingFormat);
    changed();
}

QString TextField::htmlText() const
{
    if (styledSource)
        return *styledSource;
    return html || styleRules ? writeHtmlText(content) : content.text();
}

void TextField::setHtmlText(const QString &source)
{
    if (!html && !styleRules)
        setText(source);
    else
        readHtml(source);
}

void TextField::readHtml(const QString &source)
{
    content = parseHtmlText(source, typingFormat, condenseWhite, multiline, styleRules ? &*styleRules : nullptr);
    if (content.empty())
        content.replace(0, 0, QString(), typingFormat);
    changed();
    if (styleRules)
        styledSource = source;
}

void TextField::setStyleRules(std::optional<StyleRules> rules)
{
    styleRules = std::move(rules);
    if (!styleRules)
        styledSource.reset();
}

void TextField::restyle()
{
    if (styleRules && styledSource)
        readHtml(*styledSource);
}

void TextField::replaceText(int begin, int end, const QString &text)
{
    begin = std::clamp(begin, 0, content.size());
    end = std::clamp(end, begin, content.size());
    TextFormat format = begin < content.size() || content.empty() ? content.formatAt(begin) : content.formatAt(begin - 1);
    content.replace(begin, end, text, format);
    styledSource.reset();
    changed();
}

void TextField::setTextFormat(int begin, int end, const TextFormat &format)
{
    content.setFormat(begin, end, format);
    changed();
}

QRectF TextField::bounds() const
{
    layout();
    return sizedArea;
}

void TextField::setBounds(const QRectF &pixels)
{
    area = pixels;
    changed();
}

void TextField::setAutoSize(AutoSize value)
{
    sizing = value;
    changed();
}

void TextField::setWordWrap(bool on)
{
    wrap = on;
    changed();
}

void TextField::setPassword(bool on)
{
    hidden = on;
    changed();
}

void TextField::setEmbedFonts(bool on)
{
    embedded = on;
    changed();
}

const TextLayout &TextField::layout() const
{
    if (!laidOut)
        fitToText();
    return *laidOut;
}

void TextField::fitToText() const
{
    LayoutOptions options{area.width(), wrap, hidden, embedded, alignedSpacesCount};
    sizedArea = area;
    laidOut = layoutText(content, options, fonts);
    if (sizing == AutoSize::None)
        return;
    if (!wrap) {
        double width = laidOut->textWidth + 2 * kTextGutter + content.formatAt(0).rightMargin.value_or(0);
        if (sizing == AutoSize::Right)
            sizedArea.setLeft(area.right() - width);
        else if (sizing == AutoSize::Center)
            sizedArea.setLeft(area.center().x() - width / 2);
        sizedArea.setWidth(width);
        options.width = width;
        laidOut = layoutText(content, options, fonts);
    }
    sizedArea.setHeight(laidOut->textHeight + 2 * kTextGutter);
}

int TextField::maxScroll() const
{
    const TextLayout &l = layout();
    double room = bounds().height() - 2 * kTextGutter;
    int n = int(l.lines.size());
    int fitting = 0;
    double used = 0;
    for (int i = n - 1; i >= 0; --i) {
        used += l.lines[size_t(i)].ascent + l.lines[size_t(i)].descent;
        if (fitting > 0 && used > room)
            break;
        used += l.lines[size_t(i)].leading;
        ++fitting;
    }
    return n - fitting + 1;
}

int TextField::firstLine() const
{
    return std::clamp(scrollLine, 1, maxScroll()) - 1;
}

int TextField::scroll() const
{
    return firstLine() + 1;
}

void TextField::setScroll(int line)
{
    scrollLine = std::max(1, line);
}

int TextField::bottomScroll() const
{
    const TextLayout &l = layout();
    int first = firstLine();
    double bottom = l.lines[size_t(first)].top + bounds().height() - 2 * kTextGutter;
    int last = first;
    for (size_t i = size_t(first); i < l.lines.size(); ++i)
        if (l.lines[i].top + l.lines[i].ascent + l.lines[i].descent <= bottom + 1e-6)
            last = int(i);
    return last + 1;
}

double TextField::maxHScroll() const
{
    double room = bounds().width() - 2 * kTextGutter;
    return std::max(0.0, std::ceil(layout().textWidth - room));
}

double TextField::hscroll() const
{
    return std::clamp(hscrollPixels, 0.0, maxHScroll());
}

void TextField::setHScroll(double pixels)
{
    hscrollPixels = std::max(0.0, pixels);
}

QPointF TextField::layoutOrigin() const
{
    QRectF box = bounds();
    return {box.left() - hscroll(), box.top() - (layout().lines[size_t(firstLine())].top - kTextGutter)};
}

int TextField::caretIndexAt(QPointF point) const
{
    const TextLayout &l = layout();
    QPointF at = point - layoutOrigin();
    int line = firstLine();
    for (size_t i = size_t(line) + 1; i < l.lines.size() && l.lines[i].top <= at.y(); ++i)
        line = int(i);
    return l.indexAt(line, at.x());
}

int TextField::characterAt(QPointF point) const
{
    const TextLayout &l = layout();
    QPointF at = point - layoutOrigin();
    for (size_t i = size_t(firstLine()); i < l.lines.size(); ++i) {
        const TextLine &line = l.lines[i];
        if (at.y() < line.top || at.y() >= line.top + line.height())
            continue;
        for (const PlacedGlyph &g : line.glyphs)
            if (g.index >= 0 && at.x() >= g.x && at.x() < g.x + g.advance)
                return g.index;
    }
    return -1;
}

bool TextField::hasLinks() const
{
    const auto &runs = content.runs();
    return std::any_of(runs.begin(), runs.end(), [](const FormattedText::Run &run) {
        return !run.format.url.value_or(QString()).isEmpty();
    });
}

void TextField::setSelection(int anchor, int caretAt)
{
    selBegin = std::clamp(std::min(anchor, caretAt), 0, content.size());
    selEnd = std::clamp(std::max(anchor, caretAt), 0, content.size());
    caret = std::clamp(caretAt, 0, content.size());
}

void TextField::changed()
{
    laidOut.reset();
    selBegin = std::min(selBegin, content.size());
    selEnd = std::min(selEnd, content.size());
    caret = std::min(caret, content.size());
}

}
