// DrawText: text laid out in a rectangle by the DT_* flags.
#include "Graphics.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

namespace {

// One line to draw, with the position of its underlined character (-1 for
// none) counted within the line.
struct TextLine {
    QString Text;
    int Underline = -1;
};

// Removes the '&' prefixes: "&&" is a literal ampersand, "&x" marks x.
QString StripPrefixes(const QString &text, int *marked)
{
    QString result;
    *marked = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 >= text.size())
                break;
            ++i;
            if (text[i] != QLatin1Char('&') && *marked < 0)
                *marked = static_cast<int>(result.size());
        }
        result += text[i];
    }
    return result;
}

QString ExpandTabs(const QString &text)
{
    QString result;
    for (QChar c : text) {
        if (c == QLatin1Char('\t'))
            result += QString(8 - result.size() % 8, QLatin1Char(' '));
        else
            result += c;
    }
    return result;
}

// Splits at line breaks (CR LF, LF or a lone CR) and, with word breaking,
// wraps each paragraph to the width. Underline positions follow the text.
std::vector<TextLine> LayOut(const QString &text, int marked, UINT format, const QFont &font, int width)
{
    std::vector<TextLine> lines;
    const auto add = [&](int start, const QString &line) {
        const int at = marked - start;
        lines.push_back({line, at >= 0 && at < line.size() ? at : -1});
    };
    if (format & DT_SINGLELINE) {
        QString line;
        int removedBefore = 0;
        for (int i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n'))
                removedBefore += i < marked ? 1 : 0;
            else
                line += text[i];
        }
        add(removedBefore, line);
        return lines;
    }
    int start = 0;
    while (start <= text.size()) {
        int end = start;
        while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        const QString paragraph = text.mid(start, end - start);
        if (format & DT_WORDBREAK && !paragraph.isEmpty()) {
            QTextLayout layout(paragraph, font);
            QTextOption option;
            option.setWrapMode(QTextOption::WordWrap);
            layout.setTextOption(option);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(std::max(1, width));
                add(start + line.textStart(), paragraph.mid(line.textStart(), line.textLength()).trimmed());
            }
            layout.endLayout();
        } else {
            add(start, paragraph);
        }
        if (end >= text.size())
            break;
        start = end + 1;
        if (text[end] == QLatin1Char('\r') && start < text.size() && text[start] == QLatin1Char('\n'))
            ++start;
    }
    return lines;
}

} // namespace

int DrawText(HDC DC, const String &Text, TRect &Rect, UINT Format)
{
    if (!DC)
        return 0;
    const QFont font = DC->Font()->QtFont();
    const QFontMetrics metrics(font);

    int marked = -1;
    QString text = Format & DT_NOPREFIX ? Text : StripPrefixes(Text, &marked);
    if (Format & DT_HIDEPREFIX)
        marked = -1;
    if (Format & DT_EXPANDTABS)
        text = ExpandTabs(text);
    std::vector<TextLine> lines = LayOut(text, marked, Format, font, Rect.Width());

    if (Format & DT_END_ELLIPSIS)
        for (TextLine &line : lines) {
            const QString elided = metrics.elidedText(line.Text, Qt::ElideRight, Rect.Width());
            if (elided != line.Text) {
                if (line.Underline >= elided.size() - 1)
                    line.Underline = -1;
                line.Text = elided;
            }
        }

    const int lineHeight = metrics.height();
    const int height = lineHeight * static_cast<int>(lines.size());
    if (Format & DT_CALCRECT) {
        int width = 0;
        for (const TextLine &line : lines)
            width = std::max(width, metrics.horizontalAdvance(line.Text));
        Rect.Right = Rect.Left + width;
        Rect.Bottom = Rect.Top + height;
        return height;
    }

    QPainter *p = DC->Painter();
    if (!p)
        return height;
    int y = Rect.Top;
    if (Format & DT_SINGLELINE) {
        if (Format & DT_VCENTER)
            y = Rect.Top + (Rect.Height() - lineHeight) / 2;
        else if (Format & DT_BOTTOM)
            y = Rect.Bottom - lineHeight;
    }
    p->save();
    if (!(Format & DT_NOCLIP))
        p->setClipRect(QRect(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()), Qt::IntersectClip);
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setFont(font);
    const QColor textColor = ColorToQColor(DC->Font()->Color());
    const TBrush *brush = DC->Brush();
    for (const TextLine &line : lines) {
        const int width = metrics.horizontalAdvance(line.Text);
        int x = Rect.Left;
        if (Format & DT_CENTER)
            x = Rect.Left + (Rect.Width() - width) / 2;
        else if (Format & DT_RIGHT)
            x = Rect.Right - width;
        if (brush->Style() != bsClear)
            p->fillRect(QRect(x, y, width, lineHeight), ColorToQColor(brush->Color()));
        p->setPen(textColor);
        p->drawText(QPoint(x, y + metrics.ascent()), line.Text);
        if (line.Underline >= 0) {
            const int ux = x + metrics.horizontalAdvance(line.Text.left(line.Underline));
            const int uw = metrics.horizontalAdvance(line.Text.mid(line.Underline, 1));
            const int uy = y + metrics.ascent() + std::max(1, metrics.underlinePos());
            p->fillRect(QRect(ux, uy, uw, std::max(1, metrics.lineWidth())), textColor);
        }
        y += lineHeight;
    }
    p->restore();
    // A canvas reports the change through its own drawing path.
    if (DC->OnChange)
        DC->OnChange(DC);
    return height;
}
