// Shortcuts and hotkeys: key codes with modifier bits, their texts, and the
// '&' marks of captions.
#include "Menus.h"

#include "Windows.h"

#include <QApplication>
#include <QFontInfo>

namespace {

struct TKeyName {
    int Key;
    const char *Name;
};

// Names of the keys that are not letters, digits or function keys.
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"},  {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"},  {VK_NEXT, "PgDn"},   {VK_END, "End"},     {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},       {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

constexpr struct {
    TShortCut Bit;
    const char *Name;
} ModifierNames[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

String KeyName(int Key)
{
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        return QString(QChar(Key));
    if (Key >= VK_F1 && Key < VK_F1 + 24)
        return QStringLiteral("F%1").arg(Key - VK_F1 + 1);
    for (const TKeyName &k : KeyNames)
        if (k.Key == Key)
            return QString::fromLatin1(k.Name);
    return {};
}

int KeyFromName(const String &Name)
{
    if (Name.size() == 1) {
        const QChar c = Name[0].toUpper();
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z'))
            return c.unicode();
    }
    for (int key = VK_F1; key < VK_F1 + 24; ++key)
        if (Name.compare(KeyName(key), Qt::CaseInsensitive) == 0)
            return key;
    for (const TKeyName &k : KeyNames)
        if (Name.compare(QString::fromLatin1(k.Name), Qt::CaseInsensitive) == 0)
            return k.Key;
    return 0;
}

} // namespace

TShortCut ShortCut(int Key, TShiftState Shift)
{
    if (Key & 0xFF00)
        return 0;
    TShortCut result = static_cast<TShortCut>(Key);
    if (Shift & ssShift)
        result |= scShift;
    if (Shift & ssCtrl)
        result |= scCtrl;
    if (Shift & ssAlt)
        result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut ShortCut, int &Key, TShiftState &Shift)
{
    Key = ShortCut & 0xFF;
    Shift = 0;
    if (ShortCut & scShift)
        Shift |= ssShift;
    if (ShortCut & scCtrl)
        Shift |= ssCtrl;
    if (ShortCut & scAlt)
        Shift |= ssAlt;
}

String ShortCutToText(TShortCut ShortCut)
{
    const String name = KeyName(ShortCut & 0xFF);
    if (name.isEmpty())
        return {};
    String result;
    for (const auto &m : ModifierNames)
        if (ShortCut & m.Bit)
            result += QString::fromLatin1(m.Name);
    return result + name;
}

TShortCut TextToShortCut(const String &Text)
{
    TShortCut shift = 0;
    String rest = Text;
    for (bool found = true; found;) {
        found = false;
        for (const auto &m : ModifierNames) {
            const String name = QString::fromLatin1(m.Name);
            if (rest.size() > name.size() && rest.startsWith(name, Qt::CaseInsensitive)) {
                shift |= m.Bit;
                rest = rest.mid(name.size());
                found = true;
            }
        }
    }
    const int key = KeyFromName(rest);
    return key ? static_cast<TShortCut>(key | shift) : 0;
}

TShortCut ShortCutFromMessage(const TMessage &Message)
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0 || (Message.LParam & (1 << 29)))
        shift |= ssAlt;
    return ShortCut(static_cast<int>(Message.WParam & 0xFF), shift);
}

QChar GetHotkey(const String &Caption)
{
    for (int i = 0; i + 1 < Caption.size(); ++i) {
        if (Caption[i] != u'&')
            continue;
        if (Caption[i + 1] != u'&')
            return Caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

String StripHotkey(const String &Caption)
{
    String result;
    for (int i = 0; i < Caption.size(); ++i) {
        if (Caption[i] == u'&' && i + 1 < Caption.size())
            ++i;
        result += Caption[i];
    }
    return result;
}

void GetMenuFont(TFont *Font)
{
    const QFont menu = QApplication::font("QMenu");
    TFont font;
    font.SetName(menu.family());
    font.SetHeight(-QFontInfo(menu).pixelSize());
    font.SetStyle((menu.bold() ? fsBold : 0) | (menu.italic() ? fsItalic : 0));
    font.SetColor(clMenuText);
    Font->Assign(&font);
}
