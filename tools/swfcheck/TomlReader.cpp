#include "TomlReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>

namespace swfcheck {

namespace {

constexpr int kMaxNesting = 32;

struct SyntaxError {
    QString what;
};

class Parser {
public:
    explicit Parser(const QByteArray &text) : text(text) {}

    TomlValue document()
    {
        TomlValue root;
        TomlValue *current = &root;
        for (;;) {
            skipBlank(true);
            if (atEnd())
                break;
            if (peek() == '[')
                current = header(root);
            else
                keyValue(*current);
            endOfLine();
        }
        return root;
    }

    int lineNumber() const { return line; }

private:
    bool atEnd() const { return pos >= text.size(); }
    char peek(int ahead = 0) const { return pos + ahead < text.size() ? text[pos + ahead] : '\0'; }
    bool startsWith(const char *s) const { return text.mid(pos).startsWith(s); }
    [[noreturn]] void fail(const QString &what) { throw SyntaxError{what}; }

    void advance(int count = 1)
    {
        for (int i = 0; i < count && !atEnd(); ++i)
            if (text[pos++] == '\n')
                ++line;
    }

    // Skips spaces and comments; with `newlines`, line ends too.
    void skipBlank(bool newlines)
    {
        while (!atEnd()) {
            char c = peek();
            if (c == ' ' || c == '\t' || (newlines && (c == '\n' || c == '\r'))) {
                advance();
            } else if (c == '#') {
                while (!atEnd() && peek() != '\n')
                    advance();
            } else {
                break;
            }
        }
    }

    void endOfLine()
    {
        skipBlank(false);
        if (atEnd())
            return;
        if (peek() == '\r')
            advance();
        if (peek() != '\n')
            fail(QStringLiteral("unexpected text after a value"));
        advance();
    }

    void expect(char c)
    {
        if (peek() != c)
            fail(QStringLiteral("expected '%1'").arg(QLatin1Char(c)));
        advance();
    }

    // [a.b] or [[a.b]]: returns the table later keys go into.
    TomlValue *header(TomlValue &root)
    {
        advance();
        bool arrayOfTables = peek() == '[';
        if (arrayOfTables)
            advance();
        skipBlank(false);
        QStringList path = key();
        skipBlank(false);
        expect(']');
        if (arrayOfTables)
            expect(']');
        TomlValue *table = &root;
        for (int i = 0; i + 1 < path.size(); ++i)
            table = descend(*table, path[i]);
        const QString &last = path.back();
        TomlValue *existing = table->member(last);
        if (!arrayOfTables)
            return existing ? openTable(*existing, last) : &table->insert(last, TomlValue::table());
        if (!existing)
            existing = &table->insert(last, TomlValue::array());
        if (!existing->isArray())
            fail(QStringLiteral("'%1' is not an array of tables").arg(last));
        existing->items().push_back(TomlValue::table());
        return &existing->items().back();
    }

    TomlValue *openTable(TomlValue &value, const QString &name)
    {
        if (value.isTable())
            return &value;
        if (value.isArray() && !value.items().empty() && value.items().back().isTable())
            return &value.items().back();
        fail(QStringLiteral("'%1' is already a value").arg(name));
    }

    // The table `name` inside `table`, made when missing.
    TomlValue *descend(TomlValue &table, const QString &name)
    {
        if (TomlValue *existing = table.member(name))
            return openTable(*existing, name);
        return &table.insert(name, TomlValue::table());
    }

    void keyValue(TomlValue &table, int depth = 0)
    {
        QStringList path = key();
        skipBlank(false);
        expect('=');
        skipBlank(false);
        TomlValue *target = &table;
        for (int i = 0; i + 1 < path.size(); ++i)
            target = descend(*target, path[i]);
        if (target->member(path.back()))
            fail(QStringLiteral("'%1' is defined twice").arg(path.join(QLatin1Char('.'))));
        target->insert(path.back(), value(depth));
    }

    // A dotted key: bare or quoted parts.
    QStringList key()
    {
        QStringList parts;
        for (;;) {
            skipBlank(false);
            if (peek() == '"')
                parts << basicString();
            else if (peek() == '\'')
                parts << literalString();
            else
                parts << bareKey();
            skipBlank(false);
            if (peek() != '.')
                return parts;
            advance();
        }
    }

    QString bareKey()
    {
        qsizetype start = pos;
        while (!atEnd()) {
            char c = peek();
            if (!(std::isalnum(uchar(c)) || c == '_' || c == '-'))
                break;
            advance();
        }
        if (pos == start)
            fail(QStringLiteral("expected a key"));
        return QString::fromLatin1(text.mid(start, pos - start));
    }

    TomlValue value(int depth)
    {
        if (depth > kMaxNesting)
            fail(QStringLiteral("values nested too deeply"));
        char c = peek();
        if (c == '"')
            return TomlValue::string(startsWith("\"\"\"") ? multiLineBasic() : basicString());
        if (c == '\'')
            return TomlValue::string(startsWith("'''") ? multiLineLiteral() : literalString());
        if (c == '[')
            return array(depth + 1);
        if (c == '{')
            return inlineTable(depth + 1);
        if (startsWith("true")) {
            advance(4);
            return TomlValue::boolean(true);
        }
        if (startsWith("false")) {
            advance(5);
            return TomlValue::boolean(false);
        }
        return number();
    }

    TomlValue array(int depth)
    {
        advance();
        TomlValue result = TomlValue::array();
        for (;;) {
            skipBlank(true);
            if (peek() == ']') {
                advance();
                return result;
            }
            result.items().push_back(value(depth));
            skipBlank(true);
            if (peek() == ',')
                advance();
            else if (peek() != ']')
                fail(QStringLiteral("expected ',' or ']' in an array"));
        }
    }

    // An inline table; as TOML 1.1 allows, it may span lines and end with a comma.
    TomlValue inlineTable(int depth)
    {
        advance();
        TomlValue result;
        for (;;) {
            skipBlank(true);
            if (peek() == '}') {
                advance();
                return result;
            }
            keyValue(result, depth);
            skipBlank(true);
            if (peek() == '}') {
                advance();
                return result;
            }
            expect(',');
        }
    }

    TomlValue number()
    {
        qsizetype start = pos;
        while (!atEnd()) {
            char c = peek();
            if (!(std::isalnum(uchar(c)) || c == '_' || c == '+' || c == '-' || c == '.' || c == ':'))
                break;
            advance();
        }
        QByteArray word = text.mid(start, pos - start);
        if (word.isEmpty())
            fail(QStringLiteral("expected a value"));
        if (word.contains(':') || (word.count('-') >= 2 && !word.contains('e') && !word.contains('E')))
            fail(QStringLiteral("dates and times are not supported"));
        QByteArray sign = (word.startsWith('+') || word.startsWith('-')) ? word.left(1) : QByteArray();
        QByteArray digits = word.mid(sign.size());
        if (digits == "inf" || digits == "nan") {
            double v = digits == "inf" ? std::numeric_limits<double>::infinity() : std::numeric_limits<double>::quiet_NaN();
            return TomlValue::number(sign == "-" ? -v : v);
        }
        if (digits.contains("__") || digits.startsWith('_') || digits.endsWith('_'))
            fail(QStringLiteral("misplaced '_' in a number"));
        digits.replace('_', "");
        bool ok = false;
        int base = 10;
        if (sign.isEmpty() && digits.size() > 2 && digits[0] == '0' && std::strchr("xob", digits[1])) {
            base = digits[1] == 'x' ? 16 : digits[1] == 'o' ? 8 : 2;
            digits = digits.mid(2);
        }
        if (base == 10 && (digits.contains('.') || digits.contains('e') || digits.contains('E'))) {
            double v = (sign + digits).toDouble(&ok);
            if (!ok || !std::isdigit(uchar(digits[0])) || digits.endsWith('.'))
                fail(QStringLiteral("'%1' is not a number").arg(QString::fromLatin1(word)));
            return TomlValue::number(v);
        }
        qint64 v = (sign + digits).toLongLong(&ok, base);
        if (!ok)
            fail(QStringLiteral("'%1' is not a number").arg(QString::fromLatin1(word)));
        return TomlValue::integer(v);
    }

    QString literalString()
    {
        advance();
        qsizetype start = pos;
        while (!atEnd() && peek() != '\'' && peek() != '\n')
            advance();
        if (peek() != '\'')
            fail(QStringLiteral("unterminated string"));
        QString s = QString::fromUtf8(text.mid(start, pos - start));
        advance();
        return s;
    }

    QString multiLineLiteral()
    {
        advance(3);
        skipFirstNewline();
        qsizetype start = pos;
        while (!atEnd() && !startsWith("'''"))
            advance();
        if (atEnd())
            fail(QStringLiteral("unterminated string"));
        QString s = QString::fromUtf8(text.mid(start, pos - start));
        advance(3);
        return s;
    }

    QString basicString()
    {
        advance();
        QByteArray out;
        for (;;) {
            if (atEnd() || peek() == '\n')
                fail(QStringLiteral("unterminated string"));
            char c = peek();
            if (c == '"') {
                advance();
                return QString::fromUtf8(out);
            }
            if (c == '\\')
                escape(out);
            else {
                out.append(c);
                advance();
            }
        }
    }

    QString multiLineBasic()
    {
        advance(3);
        skipFirstNewline();
        QByteArray out;
        for (;;) {
            if (atEnd())
                fail(QStringLiteral("unterminated string"));
            if (startsWith("\"\"\"")) {
                advance(3);
                return QString::fromUtf8(out);
            }
            if (peek() == '\\' && (peek(1) == '\n' || peek(1) == '\r' || peek(1) == ' ' || peek(1) == '\t')) {
                // A backslash at a line's end joins the lines, dropping the blanks.
                advance();
                skipBlank(true);
                continue;
            }
            if (peek() == '\\') {
                escape(out);
            } else {
                out.append(peek());
                advance();
            }
        }
    }

    void skipFirstNewline()
    {
        if (peek() == '\r' && peek(1) == '\n')
            advance(2);
        else if (peek() == '\n')
            advance();
    }

    void escape(QByteArray &out)
    {
        advance();
        char c = peek();
        advance();
        switch (c) {
        case 'b': out.append('\b'); return;
        case 't': out.append('\t'); return;
        case 'n': out.append('\n'); return;
        case 'f': out.append('\f'); return;
        case 'r': out.append('\r'); return;
        case '"': out.append('"'); return;
        case '\\': out.append('\\'); return;
        case 'u':
        case 'U': {
            int length = c == 'u' ? 4 : 8;
            QByteArray hex = text.mid(pos, length);
            bool ok = hex.size() == length && std::all_of(hex.begin(), hex.end(), [](char h) { return std::isxdigit(uchar(h)); });
            uint code = hex.toUInt(nullptr, 16);
            if (!ok || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                fail(QStringLiteral("bad unicode escape"));
            advance(length);
            char32_t ch = code;
            out.append(QString::fromUcs4(&ch, 1).toUtf8());
            return;
        }
        default:
            fail(QStringLiteral("unknown escape in a string"));
        }
    }

    const QByteArray &text;
    qsizetype pos = 0;
    int line = 1;
};

}

std::optional<TomlValue> readToml(const QByteArray &text, QString *error)
{
    Parser parser(text);
    try {
        return parser.document();
    } catch (const SyntaxError &e) {
        if (error)
            *error = QStringLiteral("line %1: %2").arg(parser.lineNumber()).arg(e.what);
        return std::nullopt;
    }
}

}
