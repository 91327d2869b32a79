#include "SUIThemeTable.h"

#include "SUIResDef.h"

namespace {

// Integer, colour and boolean entries: one value per style, MacOS to BlueGlass.
struct NumberRow {
    int Index;
    TsuiThemeEntryKind Kind;
    int32_t Values[5];
};

constexpr NumberRow NumberRows[] = {
    {1, tekInteger, {1, 2, 3, 4, 5}},
    {2, tekColor, {0x007F7F7F, 0x00C82C00, 0x00000000, 0x00000000, 0x00000000}},
    {3, tekColor, {0x00E7E7E7, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E7E7E7}},
    {4, tekInteger, {1, 3, 1, 1, 1}},
    {5, tekInteger, {21, 27, 30, 21, 31}},
    {6, tekInteger, {130, 150, 130, 130, 270}},
    {7, tekInteger, {0, 13, 0, 0, 11}},
    {8, tekColor, {0x007F7F7F, 0x00686868, 0x00000000, 0x00000000, 0x00000000}},
    {9, tekColor, {0x00E7E7E7, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E7E7E7}},
    {10, tekColor, {0x00000000, 0x00CF4602, 0x00000000, 0x00000000, 0x00000000}},
    {11, tekColor, {0x00C47339, 0x00C66931, 0x00A04A44, 0x00C4302D, 0x00EC5E5E}},
    {12, tekColor, {0x00C47339, 0x00EFD3C6, 0x00A04A44, 0x00C4302D, 0x00EC5E5E}},
    {13, tekColor, {0x00FFFFFF, 0x00000000, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF}},
    {14, tekColor, {0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}},
    {15, tekColor, {0x00000000, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00E7E7E7}},
    {16, tekColor, {0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}},
    {17, tekColor, {0x00000000, 0x00CED3D6, 0x00CED3D6, 0x00CED3D6, 0x00CED3D6}},
    {18, tekColor, {0x00000000, 0x00848284, 0x00848284, 0x00848284, 0x00848284}},
    {19, tekColor, {0x00000000, 0x009CA6AD, 0x009CA6AD, 0x009CA6AD, 0x009CA6AD}},
    {20, tekInteger, {20, 21, 21, 21, 21}},
    {21, tekInteger, {12, 5, 5, 5, 5}},
    {22, tekInteger, {26, 26, 26, 26, 26}},
    {66, tekBoolean, {false, false, false, true, true}},
    {67, tekInteger, {3, 2, 0, 0, 4}},
    {68, tekInteger, {-2, -2, 0, 0, -3}},
    {69, tekInteger, {4, 5, 2, 2, 6}},
    {73, tekInteger, {34, 19, 22, 22, 22}},
    {74, tekColor, {0x00E7E7E7, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E9D6D5}},
    {79, tekColor, {0x00EEEEEE, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E7E7E7}},
    {80, tekColor, {0x00474747, 0x00C66931, 0x00474747, 0x00474747, 0x00474747}},
    {81, tekColor, {0x00EFEFEF, 0x00EFD3C6, 0x00EFEFEF, 0x00EFEFEF, 0x00EFEFEF}},
    {82, tekColor, {0x00D8D8D8, 0x00E1AC93, 0x00D8D8D8, 0x00D8D8D8, 0x00D8D8D8}},
    {83, tekColor, {0x00E7E7E7, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E7E7E7}},
    {84, tekColor, {0x00C9C9C9, 0x00F9F9F9, 0x00F5F5F5, 0x00F5F5F5, 0x00F4F4F4}},
};

// Resource-name entries: the element after the style prefix, with WinXP's
// own element where it differs (its separate mouse-state check box and radio
// pictures and its restore pictures).
struct NameRow {
    int Index;
    const char *Element;
    const char *WinXPElement = nullptr;
};

constexpr NameRow NameRows[] = {
    {24, "BUTTON_NORMAL"},
    {25, "BUTTON_MOUSEON"},
    {26, "BUTTON_MOUSEDOWN"},
    {27, "CHECKBOX_DISABLE_CHECK"},
    {28, "CHECKBOX_DISABLE_UNCHECK"},
    {29, "CHECKBOX_CHECK", "CHECKBOX_NORMAL_CHECK"},
    {30, "CHECKBOX_UNCHECK", "CHECKBOX_NORMAL_UNCHECK"},
    {31, "CHECKBOX_CHECK", "CHECKBOX_MOUSEON_CHECK"},
    {32, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEON_UNCHECK"},
    {33, "CHECKBOX_CHECK", "CHECKBOX_MOUSEDOWN_CHECK"},
    {34, "CHECKBOX_UNCHECK", "CHECKBOX_MOUSEDOWN_UNCHECK"},
    {35, "RADIOBUTTON_DISABLE_CHECK"},
    {36, "RADIOBUTTON_DISABLE_UNCHECK"},
    {37, "RADIOBUTTON_CHECK", "RADIOBUTTON_NORMAL_CHECK"},
    {38, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_NORMAL_UNCHECK"},
    {39, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEON_CHECK"},
    {40, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEON_UNCHECK"},
    {41, "RADIOBUTTON_CHECK", "RADIOBUTTON_MOUSEDOWN_CHECK"},
    {42, "RADIOBUTTON_UNCHECK", "RADIOBUTTON_MOUSEDOWN_UNCHECK"},
    {43, "PROGRESSBAR"},
    {44, "PROGRESSBAR_V"},
    {45, "TITLE_LEFT"},
    {46, "TITLE_CLIENT"},
    {47, "TITLE_RIGHT"},
    {48, "TITLEBTN_CLOSE_NORMAL"},
    {49, "TITLEBTN_CLOSE_MOUSEON"},
    {50, "TITLEBTN_CLOSE_MOUSEDOWN"},
    {51, "TITLEBTN_MAX_NORMAL"},
    {52, "TITLEBTN_MAX_MOUSEON"},
    {53, "TITLEBTN_MAX_MOUSEDOWN"},
    {54, "TITLEBTN_MIN_NORMAL"},
    {55, "TITLEBTN_MIN_MOUSEON"},
    {56, "TITLEBTN_MIN_MOUSEDOWN"},
    {57, "TITLEBTN_HELP_NORMAL"},
    {58, "TITLEBTN_HELP_MOUSEON"},
    {59, "TITLEBTN_HELP_MOUSEDOWN"},
    {60, "TITLEBTN_CTLBOX_NORMAL"},
    {61, "TITLEBTN_CTLBOX_MOUSEON"},
    {62, "TITLEBTN_CTLBOX_MOUSEDOWN"},
    {63, "TITLEBTN_MAX_NORMAL", "TITLEBTN_RST_NORMAL"},
    {64, "TITLEBTN_MAX_MOUSEON", "TITLEBTN_RST_MOUSEON"},
    {65, "TITLEBTN_MAX_MOUSEDOWN", "TITLEBTN_RST_MOUSEDOWN"},
    {70, "TAB_ACTIVE"},
    {71, "TAB_INACTIVE"},
    {72, "TAB_LINE"},
    {75, "TRACKBAR_BAR"},
    {76, "TRACKBAR_SLIDER"},
    {77, "TRACKBAR_BAR"},
    {78, "TRACKBAR_SLIDER_V"},
    {85, "SCROLLBAR_TOPBUTTON_NORMAL"},
    {86, "SCROLLBAR_TOPBUTTON_MOUSEON"},
    {87, "SCROLLBAR_TOPBUTTON_MOUSEDOWN"},
    {88, "SCROLLBAR_BTMBUTTON_NORMAL"},
    {89, "SCROLLBAR_BTMBUTTON_MOUSEON"},
    {90, "SCROLLBAR_BTMBUTTON_MOUSEDOWN"},
    {91, "SCROLLBAR_TRACK"},
};

// Entry 23 is the one name without a style prefix: the menu check mark.
constexpr int MenuCheckedIndex = 23;

TsuiThemeTable BuildThemeTable()
{
    TsuiThemeTable table{};
    for (const NumberRow &row : NumberRows) {
        table.Kinds[row.Index] = row.Kind;
        for (int style = MacOS; style <= BlueGlass; ++style)
            table.Rows[style][row.Index].Value = row.Values[style - MacOS];
    }
    for (const NameRow &row : NameRows) {
        table.Kinds[row.Index] = tekResName;
        for (int style = MacOS; style <= BlueGlass; ++style) {
            const char *element = style == WinXP && row.WinXPElement ? row.WinXPElement : row.Element;
            table.Rows[style][row.Index].ResName = StyleResName(style, element);
        }
    }
    table.Kinds[MenuCheckedIndex] = tekResName;
    for (int style = MacOS; style <= BlueGlass; ++style)
        table.Rows[style][MenuCheckedIndex].ResName = QLatin1String(RES_MENU_CHECKED);
    return table;
}

} // namespace

const TsuiThemeTable &ThemeTable()
{
    static const TsuiThemeTable table = BuildThemeTable();
    return table;
}
