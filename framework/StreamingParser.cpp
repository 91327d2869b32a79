// Description text to tree: a small tokenizer and a recursive descent over
// objects, properties and values, with bounded nesting.
#include "StreamingText.h"

#include <QStringDecoder>

namespace {

constexpr int MaxObjectDepth = 64;
constexpr int MaxValueDepth = 16;

class TParser {
public:
    TParser(const String &Text, const String &FileName) : FText(Text), FFileName(FileName) {}

    TObjectNode Root()
    {
        SkipBlanks();
        TObjectNode root = Object(0);
        SkipBlanks();
        if (!AtEnd())
            Fail(QStringLiteral("End of file expected but %1 found").arg(Describe()));
        return root;
    }

private:
    [[noreturn]] void Fail(const String &Detail) const { throw EParserError(FFileName, FLine, String(), Detail); }

    bool AtEnd() const { return FPos >= FText.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : FText[FPos]; }

    void SkipBlanks()
    {
        while (!AtEnd() && FText[FPos].isSpace()) {
            if (FText[FPos] == QLatin1Char('\n'))
                ++FLine;
            ++FPos;
        }
    }

    String Describe() const
    {
        if (AtEnd())
            return QStringLiteral("end of file");
        if (IsIdentStart(Peek()))
            return QStringLiteral("'%1'").arg(PeekIdent());
        return QStringLiteral("'%1'").arg(Peek());
    }

    static bool IsIdentStart(QChar c) { return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c == QLatin1Char('_'); }
    static bool IsIdentChar(QChar c) { return IsIdentStart(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')); }
    static bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
    static int HexDigit(QChar c)
    {
        if (IsDigit(c))
            return c.unicode() - '0';
        if (c >= QLatin1Char('A') && c <= QLatin1Char('F'))
            return c.unicode() - 'A' + 10;
        if (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
            return c.unicode() - 'a' + 10;
        return -1;
    }

    String PeekIdent() const
    {
        qsizetype end = FPos;
        while (end < FText.size() && (IsIdentChar(FText[end]) || FText[end] == QLatin1Char('.')))
            ++end;
        return FText.mid(FPos, end - FPos);
    }

    // An identifier, dotted parts allowed ("Font.Height").
    String Ident()
    {
        SkipBlanks();
        if (!IsIdentStart(Peek()))
            Fail(QStringLiteral("Identifier expected but %1 found").arg(Describe()));
        const String ident = PeekIdent();
        if (ident.endsWith(QLatin1Char('.')) || ident.contains(QLatin1String("..")))
            Fail(QStringLiteral("Invalid identifier '%1'").arg(ident));
        for (const String &part : ident.split(QLatin1Char('.')))
            if (!IsIdentStart(part[0]))
                Fail(QStringLiteral("Invalid identifier '%1'").arg(ident));
        FPos += ident.size();
        return ident;
    }

    bool NextIsKeyword(const char *Keyword)
    {
        SkipBlanks();
        return IsIdentStart(Peek()) && PeekIdent().compare(QLatin1String(Keyword), Qt::CaseInsensitive) == 0;
    }

    void Expect(QChar c)
    {
        SkipBlanks();
        if (Peek() != c)
            Fail(QStringLiteral("'%1' expected but %2 found").arg(c, Describe()));
        ++FPos;
    }

    TObjectNode Object(int Depth)
    {
        if (Depth >= MaxObjectDepth)
            Fail(QStringLiteral("Objects nested too deeply"));
        if (!NextIsKeyword("object"))
            Fail(QStringLiteral("'object' expected but %1 found").arg(Describe()));
        TObjectNode node;
        node.Line = FLine;
        Ident();
        node.Name = Ident();
        if (node.Name.contains(QLatin1Char('.')))
            Fail(QStringLiteral("Invalid component name '%1'").arg(node.Name));
        Expect(QLatin1Char(':'));
        node.ClassName = Ident();
        while (true) {
            SkipBlanks();
            if (AtEnd())
                Fail(QStringLiteral("'end' expected but end of file found"));
            if (NextIsKeyword("end")) {
                FPos += 3;
                return node;
            }
            if (NextIsKeyword("object")) {
                node.Children.push_back(Object(Depth + 1));
                continue;
            }
            if (!node.Children.empty())
                Fail(QStringLiteral("'object' or 'end' expected but %1 found").arg(Describe()));
            node.Props.push_back(Property(0));
        }
    }

    TPropNode Property(int ValueDepth)
    {
        TPropNode prop;
        SkipBlanks();
        prop.Line = FLine;
        prop.Name = Ident();
        Expect(QLatin1Char('='));
        prop.Value = Value(ValueDepth);
        return prop;
    }

    TValue Value(int Depth)
    {
        if (Depth >= MaxValueDepth)
            Fail(QStringLiteral("Values nested too deeply"));
        SkipBlanks();
        const QChar c = Peek();
        if (c == QLatin1Char('\'') || c == QLatin1Char('#'))
            return TValue::Text(Text());
        if (c == QLatin1Char('-') || c == QLatin1Char('$') || IsDigit(c))
            return Number();
        if (IsIdentStart(c))
            return TValue::Ident(Ident());
        if (c == QLatin1Char('['))
            return SetValue();
        if (c == QLatin1Char('('))
            return ListValue(Depth);
        if (c == QLatin1Char('{'))
            return BinaryValue();
        if (c == QLatin1Char('<'))
            return CollectionValue(Depth);
        Fail(QStringLiteral("Property value expected but %1 found").arg(Describe()));
    }

    TValue Number()
    {
        if (Peek() == QLatin1Char('$')) {
            ++FPos;
            qint64 value = 0;
            int digits = 0;
            for (int d; (d = HexDigit(Peek())) >= 0; ++FPos, ++digits) {
                if (digits == 8)
                    Fail(QStringLiteral("Hexadecimal number longer than 8 digits"));
                value = value * 16 + d;
            }
            if (digits == 0)
                Fail(QStringLiteral("Hexadecimal digit expected but %1 found").arg(Describe()));
            EndOfNumber();
            return TValue::Integer(value, true);
        }
        const bool negative = Peek() == QLatin1Char('-');
        if (negative)
            ++FPos;
        if (!IsDigit(Peek()))
            Fail(QStringLiteral("Digit expected but %1 found").arg(Describe()));
        qint64 value = 0;
        for (; IsDigit(Peek()); ++FPos) {
            if (value > (std::numeric_limits<qint64>::max() - 9) / 10)
                Fail(QStringLiteral("Number too large"));
            value = value * 10 + (Peek().unicode() - '0');
        }
        EndOfNumber();
        return TValue::Integer(negative ? -value : value);
    }

    void EndOfNumber()
    {
        if (IsIdentChar(Peek()) || Peek() == QLatin1Char('.'))
            Fail(QStringLiteral("Invalid number: unexpected '%1'").arg(Peek()));
    }

    // Quoted runs and #nnnn characters, joined; '+' continues on later lines.
    String Text()
    {
        String text;
        while (true) {
            SkipBlanks();
            if (Peek() != QLatin1Char('\'') && Peek() != QLatin1Char('#'))
                Fail(QStringLiteral("String expected but %1 found").arg(Describe()));
            while (Peek() == QLatin1Char('\'') || Peek() == QLatin1Char('#')) {
                if (Peek() == QLatin1Char('#'))
                    text += CharCode();
                else
                    text += Quoted();
            }
            SkipBlanks();
            if (Peek() != QLatin1Char('+'))
                return text;
            ++FPos;
        }
    }

    String Quoted()
    {
        ++FPos;
        String run;
        while (true) {
            if (AtEnd() || Peek() == QLatin1Char('\n') || Peek() == QLatin1Char('\r'))
                Fail(QStringLiteral("Unterminated string"));
            const QChar c = FText[FPos++];
            if (c != QLatin1Char('\'')) {
                run += c;
                continue;
            }
            if (Peek() != QLatin1Char('\''))
                return run;
            run += c;
            ++FPos;
        }
    }

    String CharCode()
    {
        ++FPos;
        qint64 code = 0;
        int digits = 0;
        for (; IsDigit(Peek()); ++FPos, ++digits) {
            code = code * 10 + (Peek().unicode() - '0');
            if (code > 0x10FFFF)
                Fail(QStringLiteral("Character code out of range"));
        }
        if (digits == 0)
            Fail(QStringLiteral("Digit expected after '#' but %1 found").arg(Describe()));
        if (code >= 0xD800 && code <= 0xDFFF)
            Fail(QStringLiteral("Character code out of range"));
        // Not fromUcs4 on a one-character array, which drops U+FEFF as a
        // byte-order mark.
        return QStringView(QChar::fromUcs4(static_cast<char32_t>(code))).toString();
    }

    TValue SetValue()
    {
        ++FPos;
        QStringList names;
        SkipBlanks();
        if (Peek() != QLatin1Char(']')) {
            while (true) {
                names.append(Ident());
                SkipBlanks();
                if (Peek() != QLatin1Char(','))
                    break;
                ++FPos;
            }
        }
        Expect(QLatin1Char(']'));
        return TValue::Set(names);
    }

    TValue ListValue(int Depth)
    {
        ++FPos;
        TValue list;
        list.Kind = TValue::vaList;
        while (true) {
            SkipBlanks();
            if (AtEnd())
                Fail(QStringLiteral("')' expected but end of file found"));
            if (Peek() == QLatin1Char(')')) {
                ++FPos;
                return list;
            }
            list.Items.push_back(Value(Depth + 1));
        }
    }

    TValue BinaryValue()
    {
        ++FPos;
        QByteArray data;
        int high = -1;
        while (true) {
            SkipBlanks();
            if (AtEnd())
                Fail(QStringLiteral("'}' expected but end of file found"));
            const QChar c = FText[FPos++];
            if (c == QLatin1Char('}'))
                break;
            const int d = HexDigit(c);
            if (d < 0)
                Fail(QStringLiteral("Invalid binary value: '%1' is not a hexadecimal digit").arg(c));
            if (high < 0) {
                high = d;
            } else {
                data.append(static_cast<char>(high * 16 + d));
                high = -1;
            }
        }
        if (high >= 0)
            Fail(QStringLiteral("Invalid binary value: odd number of hexadecimal digits"));
        return TValue::Binary(data);
    }

    TValue CollectionValue(int Depth)
    {
        ++FPos;
        TValue collection;
        collection.Kind = TValue::vaCollection;
        while (true) {
            SkipBlanks();
            if (Peek() == QLatin1Char('>')) {
                ++FPos;
                return collection;
            }
            if (!NextIsKeyword("item"))
                Fail(QStringLiteral("'item' or '>' expected but %1 found").arg(Describe()));
            FPos += 4;
            TPropList item;
            while (!NextIsKeyword("end")) {
                if (AtEnd())
                    Fail(QStringLiteral("'end' expected but end of file found"));
                item.push_back(Property(Depth + 1));
            }
            FPos += 3;
            collection.CollectionItems.push_back(std::move(item));
        }
    }

    String FText;
    String FFileName;
    qsizetype FPos = 0;
    int FLine = 1;
};

// The line of the first byte that is not UTF-8, for the error message.
int LineOfInvalidUtf8(const QByteArray &Text)
{
    qsizetype good = 0;
    qsizetype bad = Text.size();
    // Shrink [good, bad) until the longest valid prefix is found.
    while (bad - good > 1) {
        const qsizetype mid = (good + bad) / 2;
        QStringDecoder decoder(QStringConverter::Utf8);
        const String decoded = decoder.decode(Text.left(mid));
        (void)decoded;
        if (decoder.hasError())
            bad = mid;
        else
            good = mid;
    }
    return static_cast<int>(Text.left(good).count('\n')) + 1;
}

} // namespace

EFilerError::EFilerError(const String &FileName, int Line, const String &PropPath, const String &Detail)
    : Exception(PropPath.isEmpty() ? QStringLiteral("%1, line %2: %3").arg(FileName).arg(Line).arg(Detail)
                                   : QStringLiteral("%1, line %2: %3: %4").arg(FileName).arg(Line).arg(PropPath, Detail)),
      FileName(FileName), Line(Line), PropPath(PropPath), Detail(Detail)
{
}

TValue TValue::Integer(qint64 Value, bool Hex)
{
    TValue v;
    v.Kind = vaInteger;
    v.Int = Value;
    v.Hex = Hex;
    return v;
}

TValue TValue::Ident(const String &Name)
{
    TValue v;
    v.Kind = vaIdent;
    v.Str = Name;
    return v;
}

TValue TValue::Boolean(bool Value)
{
    return Ident(Value ? QStringLiteral("True") : QStringLiteral("False"));
}

TValue TValue::Text(const String &Value)
{
    TValue v;
    v.Kind = vaString;
    v.Str = Value;
    return v;
}

TValue TValue::Set(const QStringList &Names)
{
    TValue v;
    v.Kind = vaSet;
    v.Names = Names;
    return v;
}

TValue TValue::Binary(const QByteArray &Data)
{
    TValue v;
    v.Kind = vaBinary;
    v.Data = Data;
    return v;
}

TObjectNode ParseDescription(const QByteArray &Text, const String &FileName)
{
    QByteArray bytes = Text;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder decoder(QStringConverter::Utf8);
    const String text = decoder.decode(bytes);
    if (decoder.hasError())
        throw EParserError(FileName, LineOfInvalidUtf8(bytes), String(), QStringLiteral("Invalid UTF-8 text"));
    return TParser(text, FileName).Root();
}
