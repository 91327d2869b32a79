// The names of colours and character sets in window descriptions.
#include "Graphics.h"

#include <utility>

namespace {

struct NamedValue {
    const char *Name;
    int Value;
};

constexpr NamedValue Colors[] = {
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen},
    {"clSkyBlue", clSkyBlue},
    {"clCream", clCream},
    {"clMedGray", clMedGray},
    {"clActiveBorder", clActiveBorder},
    {"clActiveCaption", clActiveCaption},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clBackground", clBackground},
    {"clBtnFace", clBtnFace},
    {"clBtnHighlight", clBtnHighlight},
    {"clBtnShadow", clBtnShadow},
    {"clBtnText", clBtnText},
    {"clCaptionText", clCaptionText},
    {"clDefault", clDefault},
    {"clGradientActiveCaption", clGradientActiveCaption},
    {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clGrayText", clGrayText},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clHotLight", clHotLight},
    {"clInactiveBorder", clInactiveBorder},
    {"clInactiveCaption", clInactiveCaption},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clInfoBk", clInfoBk},
    {"clInfoText", clInfoText},
    {"clMenu", clMenu},
    {"clMenuBar", clMenuBar},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuText", clMenuText},
    {"clNone", clNone},
    {"clScrollBar", clScrollBar},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clWindowText", clWindowText},
    // Other names of clSilver and clGray, after them so that those names win.
    {"clLtGray", clLtGray},
    {"clDkGray", clDkGray},
};
// The table's entries before the other names.
constexpr int NamedColorCount = 52;

constexpr NamedValue Charsets[] = {
    {"ANSI_CHARSET", ANSI_CHARSET},
    {"DEFAULT_CHARSET", DEFAULT_CHARSET},
    {"SYMBOL_CHARSET", SYMBOL_CHARSET},
    {"MAC_CHARSET", MAC_CHARSET},
    {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET},
    {"HANGEUL_CHARSET", HANGEUL_CHARSET},
    {"JOHAB_CHARSET", JOHAB_CHARSET},
    {"GB2312_CHARSET", GB2312_CHARSET},
    {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET},
    {"GREEK_CHARSET", GREEK_CHARSET},
    {"TURKISH_CHARSET", TURKISH_CHARSET},
    {"VIETNAMESE_CHARSET", VIETNAMESE_CHARSET},
    {"HEBREW_CHARSET", HEBREW_CHARSET},
    {"ARABIC_CHARSET", ARABIC_CHARSET},
    {"BALTIC_CHARSET", BALTIC_CHARSET},
    {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},
    {"THAI_CHARSET", THAI_CHARSET},
    {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET},
    {"OEM_CHARSET", OEM_CHARSET},
};

// Names compare without regard to case, as identifiers in descriptions do.
template <size_t N>
bool IdentToValue(const NamedValue (&table)[N], const String &ident, int &value)
{
    for (const NamedValue &entry : table)
        if (ident.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0) {
            value = entry.Value;
            return true;
        }
    return false;
}

template <size_t N>
bool ValueToIdent(const NamedValue (&table)[N], int value, String &ident)
{
    for (const NamedValue &entry : table)
        if (entry.Value == value) {
            ident = QLatin1String(entry.Name);
            return true;
        }
    return false;
}

} // namespace

void GetColorValues(const std::function<void(const String &Name)> &Proc)
{
    for (int i = 0; i < NamedColorCount; ++i)
        Proc(QLatin1String(Colors[i].Name));
}

bool IdentToColor(const String &Ident, TColor &Color)
{
    return IdentToValue(Colors, Ident, Color);
}

bool ColorToIdent(TColor Color, String &Ident)
{
    return ValueToIdent(Colors, Color, Ident);
}

TColor StringToColor(const String &S)
{
    TColor color = 0;
    if (IdentToColor(S, color))
        return color;
    bool ok = false;
    const String text = S.trimmed();
    const qint64 value = text.startsWith(QLatin1Char('$')) ? text.mid(1).toLongLong(&ok, 16)
                         : text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2).toLongLong(&ok, 16)
                                                                                      : text.toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<quint32>::max())
        throw EConvertError(QStringLiteral("'%1' is not a valid colour").arg(S));
    return static_cast<TColor>(static_cast<quint32>(value));
}

String ColorToString(TColor Color)
{
    String ident;
    if (ColorToIdent(Color, ident))
        return ident;
    return QStringLiteral("$%1").arg(static_cast<quint32>(Color), 8, 16, QLatin1Char('0')).toUpper();
}

bool IdentToCharset(const String &Ident, int &Charset)
{
    return IdentToValue(Charsets, Ident, Charset);
}

bool CharsetToIdent(int Charset, String &Ident)
{
    return ValueToIdent(Charsets, Charset, Ident);
}
