#include "SUIThemes.h"

#include "SUIThemeTable.h"

TsuiThemeEntry GetThemeEntry(uint8_t Style, int Index, TsuiThemeEntryKind &Kind)
{
    const int style = Style & 0x7F;
    // An index outside 1..91 reads like a style without a row rather than
    // outside the table.
    if (style < MacOS || style > BlueGlass || Index < 1 || Index > SUI_THEME_ENTRY_COUNT) {
        Kind = tekInteger;
        return {};
    }
    const TsuiThemeTable &table = ThemeTable();
    Kind = table.Kinds[Index];
    return table.Rows[style][Index];
}

TColor GetThemeColor(uint8_t Style, int Index)
{
    TsuiThemeEntryKind kind;
    const TsuiThemeEntry entry = GetThemeEntry(Style, Index, kind);
    return kind == tekColor ? entry.Value : 0;
}

int GetThemeInteger(uint8_t Style, int Index)
{
    TsuiThemeEntryKind kind;
    const TsuiThemeEntry entry = GetThemeEntry(Style, Index, kind);
    return kind == tekInteger ? entry.Value : -1;
}

bool GetThemeBoolean(uint8_t Style, int Index)
{
    TsuiThemeEntryKind kind;
    const TsuiThemeEntry entry = GetThemeEntry(Style, Index, kind);
    return kind == tekBoolean && entry.Value != 0;
}

String GetThemeString(uint8_t Style, int Index)
{
    TsuiThemeEntryKind kind;
    const TsuiThemeEntry entry = GetThemeEntry(Style, Index, kind);
    return kind == tekResName ? entry.ResName : String();
}
