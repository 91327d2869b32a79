#include "SwfHtmlText.h"

#include <QHash>
#include <algorithm>
#include <optional>

namespace swf {

namespace {

struct Tag {
    QString name; // lower case
    bool closing = false;
    QHash<QString, QString> attributes; // lower-case names
    bool unquoted = false;              // an attribute's value is not in quotes
};

bool isSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Reads the tag between '<' at `from` and its '>'; moves `from` past it.
Tag readTag(const QString &html, int &from)
{
    int end = int(html.indexOf(QLatin1Char('>'), from));
    if (end < 0)
        end = int(html.size());
    QStringView body = QStringView(html).mid(from + 1, end - from - 1);
    from = end + 1;
    Tag tag;
    int i = 0;
    auto skipSpace = [&] {
        while (i < body.size() && isSpace(body[i]))
            ++i;
    };
    skipSpace();
    if (i < body.size() && body[i] == QLatin1Char('/')) {
        tag.closing = true;
        ++i;
    }
    int nameStart = i;
    while (i < body.size() && !isSpace(body[i]) && body[i] != QLatin1Char('/'))
        ++i;
    tag.name = body.mid(nameStart, i - nameStart).toString().toLower();
    for (;;) {
        skipSpace();
        int attrStart = i;
        while (i < body.size() && !isSpace(body[i]) && body[i] != QLatin1Char('=') && body[i] != QLatin1Char('/'))
            ++i;
        if (i == attrStart) {
            if (i >= body.size())
                break;
            ++i; // a stray '/' or '='
            continue;
        }
        QString name = body.mid(attrStart, i - attrStart).toString().toLower();
        skipSpace();
        QString value;
        if (i < body.size() && body[i] == QLatin1Char('=')) {
            ++i;
            skipSpace();
            if (i < body.size() && (body[i] == QLatin1Char('"') || body[i] == QLatin1Char('\''))) {
                QChar quote = body[i++];
                int valueStart = i;
                while (i < body.size() && body[i] != quote)
                    ++i;
                value = body.mid(valueStart, i - valueStart).toString();
                if (i < body.size())
                    ++i;
            } else if (i < body.size()) {
                tag.unquoted = true;
                return tag;
            }
        }
        tag.attributes.insert(name, value);
    }
    return tag;
}

// Decodes the entity at '&' in `from`, ending before `limit`; moves `from`
// past it. An unknown entity stands for its '&'.
QString readEntity(const QString &html, int &from, int limit)
{
    int end = int(html.indexOf(QLatin1Char(';'), from));
    if (end > from + 1 && end - from <= 10 && end < limit) {
        QString name = html.mid(from + 1, end - from - 1);
        static const QHash<QString, QChar> named{{QStringLiteral("lt"), QLatin1Char('<')},
                                                 {QStringLiteral("gt"), QLatin1Char('>')},
                                                 {QStringLiteral("amp"), QLatin1Char('&')},
                                                 {QStringLiteral("quot"), QLatin1Char('"')},
                                                 {QStringLiteral("apos"), QLatin1Char('\'')},
                                                 {QStringLiteral("nbsp"), QChar(0xA0)}};
        auto known = named.constFind(name.toLower());
        if (known != named.constEnd()) {
            from = end + 1;
            return QString(*known);
        }
        if (name.startsWith(QLatin1Char('#'))) {
            bool ok = false;
            uint code = name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive) ? name.mid(2).toUInt(&ok, 16)
                                                                                    : name.mid(1).toUInt(&ok, 10);
            if (ok && code > 0 && code <= 0x10FFFF) {
                from = end + 1;
                char32_t c = code;
                return QString::fromUcs4(&c, 1);
            }
        }
    }
    ++from;
    return QStringLiteral("&");
}

std::optional<double> number(const QString &text)
{
    bool ok = false;
    double v = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

// "#RRGGBB": the hex digits after '#' up to the first other character, of
// which the last six count ("#ff0" is 0x000FF0); black without the '#'.
QRgb colorValue(const QString &text)
{
    QString hex = text.trimmed();
    QRgb v = 0;
    if (!hex.startsWith(QLatin1Char('#')))
        return v;
    for (qsizetype i = 1; i < hex.size(); ++i) {
        char16_t c = hex[i].unicode();
        int digit = c >= u'0' && c <= u'9' ? c - u'0' : (c | 0x20) >= u'a' && (c | 0x20) <= u'f' ? (c | 0x20) - u'a' + 10 : -1;
        if (digit < 0)
            break;
        v = ((v << 4) | QRgb(digit)) & 0xFFFFFF;
    }
    return v;
}

std::optional<TextAlign> alignValue(const QString &text)
{
    QString a = text.trimmed().toLower();
    if (a == QLatin1String("left"))
        return TextAlign::Left;
    if (a == QLatin1String("right"))
        return TextAlign::Right;
    if (a == QLatin1String("center"))
        return TextAlign::Center;
    if (a == QLatin1String("justify"))
        return TextAlign::Justify;
    return std::nullopt;
}

// The format `tag` opens on top of `current`.
void applyTag(const Tag &tag, TextFormat &f)
{
    const auto &a = tag.attributes;
    if (tag.name == QLatin1String("b")) {
        f.bold = true;
    } else if (tag.name == QLatin1String("i")) {
        f.italic = true;
    } else if (tag.name == QLatin1String("u")) {
        f.underline = true;
    } else if (tag.name == QLatin1String("a")) {
        f.url = a.value(QStringLiteral("href"));
        f.target = a.value(QStringLiteral("target"));
    } else if (tag.name == QLatin1String("font")) {
        if (a.contains(QStringLiteral("face")))
            f.font = a.value(QStringLiteral("face"));
        QString size = a.value(QStringLiteral("size")).trimmed();
        if (auto v = number(size)) // "+2" and "-2" are relative
            f.size = std::max(0.0, size.startsWith(QLatin1Char('+')) || size.startsWith(QLatin1Char('-'))
                                       ? f.size.value_or(12) + *v
                                       : *v);
        if (a.contains(QStringLiteral("color")))
            f.color = colorValue(a.value(QStringLiteral("color")));
        if (auto v = number(a.value(QStringLiteral("letterspacing"))))
            f.letterSpacing = v;
        if (auto v = number(a.value(QStringLiteral("kerning"))))
            f.kerning = *v != 0;
    } else if (tag.name == QLatin1String("p")) {
        if (auto al = alignValue(a.value(QStringLiteral("align"))))
            f.align = al;
    } else if (tag.name == QLatin1String("li")) {
        f.bullet = true;
    } else if (tag.name == QLatin1String("textformat")) {
        auto set = [&](const char *name, std::optional<double> &field) {
            if (auto v = number(a.value(QLatin1String(name))))
                field = v;
        };
        set("leftmargin", f.leftMargin);
        set("rightmargin", f.rightMargin);
        set("indent", f.indent);
        set("blockindent", f.blockIndent);
        set("leading", f.leading);
        if (a.contains(QStringLiteral("tabstops"))) {
            std::vector<double> stops;
            QString list = a.value(QStringLiteral("tabstops"));
            list.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
            for (const QString &item : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
                if (auto v = number(item))
                    stops.push_back(*v);
            f.tabStops = stops;
        }
    }
}

bool opensFormat(const QString &name)
{
    static const QStringList names{QStringLiteral("b"),  QStringLiteral("i"),   QStringLiteral("u"),
                                   QStringLiteral("a"),  QStringLiteral("font"), QStringLiteral("p"),
                                   QStringLiteral("li"), QStringLiteral("textformat"), QStringLiteral("span")};
    return names.contains(name);
}

// The style sheet's formats for `tag`: the rule of its name, then of its class.
void applyStyles(const Tag &tag, const StyleRules &styles, TextFormat &f)
{
    static const QStringList named{QStringLiteral("p"), QStringLiteral("li"), QStringLiteral("a")};
    bool byName = named.contains(tag.name);
    if (byName)
        if (auto rule = styles.constFind(tag.name); rule != styles.constEnd())
            f.apply(*rule);
    auto cls = tag.attributes.constFind(QStringLiteral("class"));
    if ((byName || tag.name == QLatin1String("span")) && cls != tag.attributes.constEnd())
        if (auto rule = styles.constFind(QLatin1Char('.') + cls->toLower()); rule != styles.constEnd())
            f.apply(*rule);
}

class Reader {
public:
    Reader(const TextFormat &base, bool condenseWhite, bool multiline, const StyleRules *styles)
        : condense(condenseWhite), multiline(multiline), styles(styles)
    {
        stack.push_back({QString(), base});
    }

    void tag(const Tag &t)
    {
        bool paragraph = t.name == QLatin1String("p") || t.name == QLatin1String("li");
        if (t.closing) {
            for (size_t i = stack.size(); i-- > 1;) {
                if (stack[i].name == t.name) {
                    stack.resize(i);
                    break;
                }
            }
            // A paragraph's end is in the format of the text before it.
            if (paragraph && multiline)
                out.append(QStringLiteral("\r"), out.empty() ? stack.back().format : out.formatAt(out.size() - 1));
            return;
        }
        if (t.name == QLatin1String("br"))
            lineBreak();
        else if (paragraph && !out.empty() && !out.text().endsWith(QLatin1Char('\r')))
            lineBreak();
        if (opensFormat(t.name)) {
            TextFormat f = stack.back().format;
            if (styles)
                applyStyles(t, *styles, f);
            applyTag(t, f);
            stack.push_back({t.name, f});
        }
    }

    // The text between two tags: dropped when it is only white space, unless
    // it is spaces inside a paragraph after text on the same line.
    void text(const QString &html, int from, int to)
    {
        bool blank = true, lineBreak = false;
        for (int i = from; i < to && blank; ++i) {
            blank = isSpace(html[i]);
            lineBreak |= html[i] == QLatin1Char('\n') || html[i] == QLatin1Char('\r');
        }
        bool lineStart = out.empty() || out.text().endsWith(QLatin1Char('\r'));
        if (blank && (lineBreak || !inParagraph() || lineStart))
            return;
        for (int i = from; i < to;) {
            QChar c = html[i];
            if (c == QLatin1Char('&')) {
                for (QChar decoded : readEntity(html, i, to))
                    sourceChar(decoded, true);
                continue;
            }
            if (c == QLatin1Char('\r') && i + 1 < to && html[i + 1] == QLatin1Char('\n'))
                ++i;
            sourceChar(c, false);
            ++i;
        }
    }

    // Text of nothing but spaces counts as no text.
    FormattedText finish()
    {
        const QString &s = out.text();
        if (std::all_of(s.begin(), s.end(), [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }))
            return FormattedText();
        out.unifyParagraphs();
        return std::move(out);
    }

private:
    bool inParagraph() const
    {
        return std::any_of(stack.begin(), stack.end(), [](const Open &o) {
            return o.name == QLatin1String("p") || o.name == QLatin1String("li");
        });
    }

    // Paragraph ends and <br> break lines only in multiline fields.
    void lineBreak()
    {
        if (multiline)
            write(QStringLiteral("\r"));
    }

    void sourceChar(QChar c, bool fromEntity)
    {
        if (condense && !fromEntity && isSpace(c)) {
            if (!lastWasSpace)
                write(QStringLiteral(" "));
            lastWasSpace = true;
            return;
        }
        lastWasSpace = false;
        write(QString(c));
    }

    void write(const QString &s) { out.append(s, stack.back().format); }

    struct Open {
        QString name;
        TextFormat format;
    };
    std::vector<Open> stack;
    FormattedText out;
    bool condense, multiline;
    const StyleRules *styles;
    bool lastWasSpace = false;
};

QString escaped(const QString &text)
{
    QString out;
    for (QChar c : text) {
        if (c == QLatin1Char('<'))
            out += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            out += QLatin1String("&gt;");
        else if (c == QLatin1Char('&'))
            out += QLatin1String("&amp;");
        else if (c == QLatin1Char('"'))
            out += QLatin1String("&quot;");
        else if (c == QLatin1Char('\''))
            out += QLatin1String("&apos;");
        else
            out += c;
    }
    return out;
}

QString numberText(double v)
{
    return QString::number(v, 'g', 15);
}

QString alignName(TextAlign a)
{
    switch (a) {
    case TextAlign::Right:
        return QStringLiteral("RIGHT");
    case TextAlign::Center:
        return QStringLiteral("CENTER");
    case TextAlign::Justify:
        return QStringLiteral("JUSTIFY");
    case TextAlign::Left:
        break;
    }
    return QStringLiteral("LEFT");
}

// The attributes of a <FONT> tag: all of them, or those that differ from `outer`.
QString fontAttributes(const TextFormat &f, const TextFormat *outer)
{
    QString attrs;
    auto add = [&](const char *name, const QString &value, bool differs) {
        if (!outer || differs)
            attrs += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), value);
    };
    add("FACE", escaped(f.font.value_or(QString())), outer && f.font != outer->font);
    add("SIZE", numberText(f.size.value_or(12)), outer && f.size != outer->size);
    add("COLOR", QStringLiteral("#%1").arg(f.color.value_or(0) & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper(),
        outer && f.color != outer->color);
    add("LETTERSPACING", numberText(f.letterSpacing.value_or(0)), outer && f.letterSpacing != outer->letterSpacing);
    add("KERNING", f.kerning.value_or(false) ? QStringLiteral("1") : QStringLiteral("0"), outer && f.kerning != outer->kerning);
    return QStringLiteral("<FONT%1>").arg(attrs);
}

bool sameFont(const TextFormat &a, const TextFormat &b)
{
    return a.font == b.font && a.size == b.size && a.color == b.color && a.letterSpacing == b.letterSpacing
        && a.kerning == b.kerning;
}

// A run's text inside its link and its bold, italic and underline tags.
QString styledText(const QString &text, const TextFormat &f)
{
    QString html, close;
    if (!f.url.value_or(QString()).isEmpty()) {
        html += QStringLiteral("<A HREF=\"%1\" TARGET=\"%2\">").arg(escaped(*f.url), escaped(f.target.value_or(QString())));
        close = QStringLiteral("</A>");
    }
    const std::pair<const std::optional<bool> &, const char *> styles[] = {{f.bold, "B"}, {f.italic, "I"}, {f.underline, "U"}};
    for (const auto &[on, name] : styles) {
        if (on.value_or(false)) {
            html += QStringLiteral("<%1>").arg(QLatin1String(name));
            close.prepend(QStringLiteral("</%1>").arg(QLatin1String(name)));
        }
    }
    return html + escaped(text) + close;
}

// One paragraph's runs: an outer <FONT> with every attribute of the first,
// and for each change a nested <FONT> with what differs, closed again when a
// run returns to the format of an enclosing one.
class ParagraphWriter {
public:
    explicit ParagraphWriter(const TextFormat &first) : html(fontAttributes(first, nullptr)) { open.push_back(first); }

    void run(const QString &text, const TextFormat &f)
    {
        if (!sameFont(f, open.back())) {
            auto back = std::find_if(open.rbegin(), open.rend(), [&](const TextFormat &o) { return sameFont(o, f); });
            if (back != open.rend()) {
                for (auto i = open.rbegin(); i != back; ++i)
                    html += QStringLiteral("</FONT>");
                open.erase(back.base(), open.end());
            } else {
                html += fontAttributes(f, &open.back());
                open.push_back(f);
            }
        }
        html += styledText(text, f);
    }

    QString finish()
    {
        for (size_t i = 0; i < open.size(); ++i)
            html += QStringLiteral("</FONT>");
        return html;
    }

private:
    QString html;
    std::vector<TextFormat> open;
};

QString textFormatAttributes(const TextFormat &f)
{
    QString attrs;
    const std::pair<const std::optional<double> &, const char *> fields[] = {{f.leftMargin, "LEFTMARGIN"},
                                                                             {f.rightMargin, "RIGHTMARGIN"},
                                                                             {f.indent, "INDENT"},
                                                                             {f.blockIndent, "BLOCKINDENT"},
                                                                             {f.leading, "LEADING"}};
    for (const auto &[value, name] : fields)
        if (value.value_or(0) != 0)
            attrs += QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), numberText(*value));
    if (f.tabStops && !f.tabStops->empty()) {
        QStringList stops;
        for (double s : *f.tabStops)
            stops << numberText(s);
        attrs += QStringLiteral(" TABSTOPS=\"%1\"").arg(stops.join(QLatin1Char(',')));
    }
    return attrs;
}

}

FormattedText parseHtmlText(const QString &html, const TextFormat &base, bool condenseWhite, bool multiline,
                            const StyleRules *styles)
{
    Reader reader(base, condenseWhite, multiline, styles);
    int i = 0;
    while (i < html.size()) {
        if (html[i] == QLatin1Char('<')) {
            Tag tag = readTag(html, i);
            // A value out of quotes ends the text there.
            if (tag.unquoted)
                break;
            reader.tag(tag);
            continue;
        }
        int next = int(html.indexOf(QLatin1Char('<'), i));
        if (next < 0)
            next = int(html.size());
        reader.text(html, i, next);
        i = next;
    }
    return reader.finish();
}

QString writeHtmlText(const FormattedText &text)
{
    QString html;
    const QString &s = text.text();
    std::optional<ParagraphWriter> body;
    auto endParagraph = [&](int start) {
        const TextFormat &first = text.formatAt(start);
        QString runs = body->finish();
        body.reset();
        QString paragraph = first.bullet.value_or(false)
                                ? QStringLiteral("<LI>%1</LI>").arg(runs)
                                : QStringLiteral("<P ALIGN=\"%1\">%2</P>").arg(alignName(first.align.value_or(TextAlign::Left)), runs);
        QString attrs = textFormatAttributes(first);
        html += attrs.isEmpty() ? paragraph : QStringLiteral("<TEXTFORMAT%1>%2</TEXTFORMAT>").arg(attrs, paragraph);
    };
    // Each run's piece of a paragraph, the paragraph's '\r' included but not
    // written: a break in a format of its own still shows as empty tags.
    int paragraphStart = 0, at = 0;
    for (const FormattedText::Run &run : text.runs()) {
        int runEnd = at + run.length;
        while (at < runEnd) {
            int pieceEnd = at;
            while (pieceEnd < runEnd && s[pieceEnd] != QLatin1Char('\r'))
                ++pieceEnd;
            bool ends = pieceEnd < runEnd;
            if (!body)
                body.emplace(run.format);
            body->run(s.mid(at, pieceEnd - at), run.format);
            at = ends ? pieceEnd + 1 : pieceEnd;
            if (ends) {
                endParagraph(paragraphStart);
                paragraphStart = at;
            }
        }
    }
    if (body)
        endParagraph(paragraphStart);
    return html;
}

}
