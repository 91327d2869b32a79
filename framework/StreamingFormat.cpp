// Tree to description text, in the layout the parser reads back.
#include "StreamingText.h"

namespace {

constexpr int HexCharsPerLine = 64;

String Indent(int Level)
{
    return String(Level * 2, QLatin1Char(' '));
}

// Printable runs in quotes (a quote doubled), other characters as #code.
String QuoteText(const String &Text)
{
    if (Text.isEmpty())
        return QStringLiteral("''");
    String out;
    bool quoted = false;
    for (const char32_t ch : Text.toUcs4()) {
        if (ch < 32 || ch == 127) {
            if (quoted)
                out += QLatin1Char('\'');
            quoted = false;
            out += QLatin1Char('#') + String::number(ch);
            continue;
        }
        if (!quoted)
            out += QLatin1Char('\'');
        quoted = true;
        if (ch == U'\'')
            out += QLatin1String("''");
        else
            out += QChar::fromUcs4(ch);
    }
    if (quoted)
        out += QLatin1Char('\'');
    return out;
}

void FormatProps(const TPropList &Props, int Level, String &Out);

void FormatValue(const TValue &Value, int Level, String &Out)
{
    switch (Value.Kind) {
    case TValue::vaInteger:
        if (Value.Hex)
            Out += QLatin1Char('$') + QStringLiteral("%1").arg(static_cast<quint32>(Value.Int), 8, 16, QLatin1Char('0')).toUpper();
        else
            Out += String::number(Value.Int);
        break;
    case TValue::vaIdent:
        Out += Value.Str;
        break;
    case TValue::vaString:
        Out += QuoteText(Value.Str);
        break;
    case TValue::vaSet:
        Out += QLatin1Char('[') + Value.Names.join(QLatin1String(", ")) + QLatin1Char(']');
        break;
    case TValue::vaList:
        Out += QLatin1Char('(');
        for (const TValue &item : Value.Items) {
            Out += QLatin1Char('\n') + Indent(Level + 1);
            FormatValue(item, Level + 1, Out);
        }
        Out += QLatin1Char(')');
        break;
    case TValue::vaBinary: {
        Out += QLatin1Char('{');
        const String hex = String::fromLatin1(Value.Data.toHex().toUpper());
        for (qsizetype i = 0; i < hex.size(); i += HexCharsPerLine)
            Out += QLatin1Char('\n') + Indent(Level + 1) + hex.mid(i, HexCharsPerLine);
        Out += QLatin1Char('}');
        break;
    }
    case TValue::vaCollection:
        Out += QLatin1Char('<');
        for (const TPropList &item : Value.CollectionItems) {
            Out += QLatin1Char('\n') + Indent(Level + 1) + QLatin1String("item\n");
            FormatProps(item, Level + 2, Out);
            Out += Indent(Level + 1) + QLatin1String("end");
        }
        Out += QLatin1Char('>');
        break;
    }
}

void FormatProps(const TPropList &Props, int Level, String &Out)
{
    for (const TPropNode &prop : Props) {
        Out += Indent(Level) + prop.Name + QLatin1String(" = ");
        FormatValue(prop.Value, Level, Out);
        Out += QLatin1Char('\n');
    }
}

void FormatObject(const TObjectNode &Node, int Level, String &Out)
{
    Out += Indent(Level) + QLatin1String("object ") + Node.Name + QLatin1String(": ") + Node.ClassName + QLatin1Char('\n');
    FormatProps(Node.Props, Level + 1, Out);
    for (const TObjectNode &child : Node.Children)
        FormatObject(child, Level + 1, Out);
    Out += Indent(Level) + QLatin1String("end\n");
}

} // namespace

QByteArray FormatDescription(const TObjectNode &Root)
{
    String out;
    FormatObject(Root, 0, out);
    return out.toUtf8();
}
