#include "SUIThemes.h"

#include <gtest/gtest.h>

namespace {

TEST(SUIThemes, StylesAreOneByteInOrder)
{
    static_assert(sizeof(TsuiUIStyle) == 1);
    EXPECT_EQ(0, Custom);
    EXPECT_EQ(1, MacOS);
    EXPECT_EQ(2, WinXP);
    EXPECT_EQ(3, DeepBlue);
    EXPECT_EQ(4, Protein);
    EXPECT_EQ(5, BlueGlass);
}

TEST(SUIThemes, KindOfAnIndexIsTheSameInEveryStyle)
{
    for (int index = 1; index <= SUI_THEME_ENTRY_COUNT; ++index) {
        TsuiThemeEntryKind first;
        GetThemeEntry(MacOS, index, first);
        for (uint8_t style = WinXP; style <= BlueGlass; ++style) {
            TsuiThemeEntryKind kind;
            GetThemeEntry(style, index, kind);
            EXPECT_EQ(first, kind) << "index " << index << " style " << int(style);
        }
    }
}

TEST(SUIThemes, KindsFollowTheIndexRanges)
{
    auto kindOf = [](int index) {
        TsuiThemeEntryKind kind;
        GetThemeEntry(WinXP, index, kind);
        return kind;
    };
    int counts[4] = {};
    for (int index = 1; index <= SUI_THEME_ENTRY_COUNT; ++index)
        ++counts[kindOf(index)];
    EXPECT_EQ(12, counts[tekInteger]);
    EXPECT_EQ(21, counts[tekColor]);
    EXPECT_EQ(57, counts[tekResName]);
    EXPECT_EQ(1, counts[tekBoolean]);
    EXPECT_EQ(tekBoolean, kindOf(66));
    EXPECT_EQ(tekResName, kindOf(23));
    EXPECT_EQ(tekResName, kindOf(91));
    EXPECT_EQ(tekColor, kindOf(84));
    EXPECT_EQ(tekInteger, kindOf(73));
}

TEST(SUIThemes, EntryOfAStyleWithoutARowIsMinusOneOfKindInteger)
{
    for (uint8_t style : {uint8_t(0), uint8_t(6), uint8_t(0x7F), uint8_t(0x80)}) {
        TsuiThemeEntryKind kind = tekBoolean;
        EXPECT_EQ(-1, GetThemeEntry(style, 2, kind).Value) << int(style);
        EXPECT_EQ(tekInteger, kind);
    }
}

// What each accessor gives for one entry: its value where the kind matches,
// the fallback (0, -1, false, empty) otherwise; Custom has no row at all.
struct AccessorCase {
    const char *what;
    uint8_t style;
    int index;
    TColor color;
    int integer;
    bool boolean;
    const char *name;
};

class ThemeAccessors : public ::testing::TestWithParam<AccessorCase> {};

TEST_P(ThemeAccessors, ReadOnlyTheirOwnKind)
{
    const AccessorCase &c = GetParam();
    EXPECT_EQ(c.color, GetThemeColor(c.style, c.index));
    EXPECT_EQ(c.integer, GetThemeInteger(c.style, c.index));
    EXPECT_EQ(c.boolean, GetThemeBoolean(c.style, c.index));
    EXPECT_EQ(QLatin1String(c.name), GetThemeString(c.style, c.index));
}

// An index outside 1..91 reads like a style without a row.
INSTANTIATE_TEST_SUITE_P(SUIThemes, ThemeAccessors,
    ::testing::Values(AccessorCase{"CustomColour", Custom, 2, 0, -1, false, ""},
        AccessorCase{"CustomInteger", Custom, 4, 0, -1, false, ""},
        AccessorCase{"CustomName", Custom, 24, 0, -1, false, ""},
        AccessorCase{"CustomBoolean", Custom, 66, 0, -1, false, ""},
        AccessorCase{"Colour", WinXP, 2, 0x00C82C00, -1, false, ""},
        AccessorCase{"Name", WinXP, 24, 0, -1, false, "WINXP_BUTTON_NORMAL"},
        AccessorCase{"NegativeInteger", WinXP, 68, 0, -2, false, ""},
        AccessorCase{"BooleanTrue", Protein, 66, 0, -1, true, ""},
        AccessorCase{"BooleanFalse", DeepBlue, 66, 0, -1, false, ""},
        AccessorCase{"HighBitIgnored", 0x82, 48, 0, -1, false, "WINXP_TITLEBTN_CLOSE_NORMAL"},
        AccessorCase{"HighBitOnCustom", 0x80, 4, 0, -1, false, ""},
        AccessorCase{"NoSuchStyle", 6, 2, 0, -1, false, ""},
        AccessorCase{"IndexZero", WinXP, 0, 0, -1, false, ""},
        AccessorCase{"IndexNegative", Protein, -1, 0, -1, false, ""},
        AccessorCase{"IndexPastTheRow", WinXP, 92, 0, -1, false, ""}),
    [](const auto &info) { return std::string(info.param.what); });

struct NumberCase {
    int index;
    int32_t values[5]; // MacOS to BlueGlass
};

class ThemeNumbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ThemeNumbers, MatchEveryStyle)
{
    const NumberCase &c = GetParam();
    for (uint8_t style = MacOS; style <= BlueGlass; ++style) {
        TsuiThemeEntryKind kind;
        const int32_t value = GetThemeEntry(style, c.index, kind).Value;
        EXPECT_EQ(c.values[style - 1], value) << "style " << int(style);
        switch (kind) {
        case tekColor: EXPECT_EQ(value, GetThemeColor(style, c.index)); break;
        case tekInteger: EXPECT_EQ(value, GetThemeInteger(style, c.index)); break;
        case tekBoolean: EXPECT_EQ(value != 0, GetThemeBoolean(style, c.index)); break;
        case tekResName: ADD_FAILURE() << "index " << c.index << " is a name"; break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SUIThemes, ThemeNumbers,
    ::testing::Values(NumberCase{1, {1, 2, 3, 4, 5}},
        NumberCase{2, {0x007F7F7F, 0x00C82C00, 0x00000000, 0x00000000, 0x00000000}},
        NumberCase{3, {0x00E7E7E7, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E7E7E7}},
        NumberCase{4, {1, 3, 1, 1, 1}}, NumberCase{5, {21, 27, 30, 21, 31}},
        NumberCase{6, {130, 150, 130, 130, 270}}, NumberCase{7, {0, 13, 0, 0, 11}},
        NumberCase{8, {0x007F7F7F, 0x00686868, 0x00000000, 0x00000000, 0x00000000}},
        NumberCase{9, {0x00E7E7E7, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E7E7E7}},
        NumberCase{10, {0x00000000, 0x00CF4602, 0x00000000, 0x00000000, 0x00000000}},
        NumberCase{11, {0x00C47339, 0x00C66931, 0x00A04A44, 0x00C4302D, 0x00EC5E5E}},
        NumberCase{12, {0x00C47339, 0x00EFD3C6, 0x00A04A44, 0x00C4302D, 0x00EC5E5E}},
        NumberCase{13, {0x00FFFFFF, 0x00000000, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF}},
        NumberCase{14, {0, 0, 0, 0, 0}},
        NumberCase{15, {0x00000000, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00E7E7E7}},
        NumberCase{16, {0, 0, 0, 0, 0}},
        NumberCase{17, {0x00000000, 0x00CED3D6, 0x00CED3D6, 0x00CED3D6, 0x00CED3D6}},
        NumberCase{18, {0x00000000, 0x00848284, 0x00848284, 0x00848284, 0x00848284}},
        NumberCase{19, {0x00000000, 0x009CA6AD, 0x009CA6AD, 0x009CA6AD, 0x009CA6AD}},
        NumberCase{20, {20, 21, 21, 21, 21}}, NumberCase{21, {12, 5, 5, 5, 5}},
        NumberCase{22, {26, 26, 26, 26, 26}}, NumberCase{66, {0, 0, 0, 1, 1}},
        NumberCase{67, {3, 2, 0, 0, 4}}, NumberCase{68, {-2, -2, 0, 0, -3}},
        NumberCase{69, {4, 5, 2, 2, 6}}, NumberCase{73, {34, 19, 22, 22, 22}},
        NumberCase{74, {0x00E7E7E7, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E9D6D5}},
        NumberCase{79, {0x00EEEEEE, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E7E7E7}},
        NumberCase{80, {0x00474747, 0x00C66931, 0x00474747, 0x00474747, 0x00474747}},
        NumberCase{81, {0x00EFEFEF, 0x00EFD3C6, 0x00EFEFEF, 0x00EFEFEF, 0x00EFEFEF}},
        NumberCase{82, {0x00D8D8D8, 0x00E1AC93, 0x00D8D8D8, 0x00D8D8D8, 0x00D8D8D8}},
        NumberCase{83, {0x00E7E7E7, 0x00DEEBEF, 0x00E8E8E8, 0x00FBFBFB, 0x00E7E7E7}},
        NumberCase{84, {0x00C9C9C9, 0x00F9F9F9, 0x00F5F5F5, 0x00F5F5F5, 0x00F4F4F4}}),
    [](const auto &info) { return "Index" + std::to_string(info.param.index); });

struct NameCase {
    int index;
    const char *names[5]; // MacOS to BlueGlass
};

class ThemeNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(ThemeNames, MatchEveryStyle)
{
    const NameCase &c = GetParam();
    for (uint8_t style = MacOS; style <= BlueGlass; ++style)
        EXPECT_EQ(QLatin1String(c.names[style - 1]), GetThemeString(style, c.index)) << "style " << int(style);
}

INSTANTIATE_TEST_SUITE_P(SUIThemes, ThemeNames,
    ::testing::Values(
        NameCase{23, {"MENU_CHECKED", "MENU_CHECKED", "MENU_CHECKED", "MENU_CHECKED", "MENU_CHECKED"}},
        NameCase{24, {"MACOS_BUTTON_NORMAL", "WINXP_BUTTON_NORMAL", "DEEPBLUE_BUTTON_NORMAL",
                         "PROTEIN_BUTTON_NORMAL", "BLUEGLASS_BUTTON_NORMAL"}},
        NameCase{28, {"MACOS_CHECKBOX_DISABLE_UNCHECK", "WINXP_CHECKBOX_DISABLE_UNCHECK",
                         "DEEPBLUE_CHECKBOX_DISABLE_UNCHECK", "PROTEIN_CHECKBOX_DISABLE_UNCHECK",
                         "BLUEGLASS_CHECKBOX_DISABLE_UNCHECK"}},
        NameCase{29, {"MACOS_CHECKBOX_CHECK", "WINXP_CHECKBOX_NORMAL_CHECK", "DEEPBLUE_CHECKBOX_CHECK",
                         "PROTEIN_CHECKBOX_CHECK", "BLUEGLASS_CHECKBOX_CHECK"}},
        NameCase{31, {"MACOS_CHECKBOX_CHECK", "WINXP_CHECKBOX_MOUSEON_CHECK", "DEEPBLUE_CHECKBOX_CHECK",
                         "PROTEIN_CHECKBOX_CHECK", "BLUEGLASS_CHECKBOX_CHECK"}},
        NameCase{34, {"MACOS_CHECKBOX_UNCHECK", "WINXP_CHECKBOX_MOUSEDOWN_UNCHECK", "DEEPBLUE_CHECKBOX_UNCHECK",
                         "PROTEIN_CHECKBOX_UNCHECK", "BLUEGLASS_CHECKBOX_UNCHECK"}},
        NameCase{35, {"MACOS_RADIOBUTTON_DISABLE_CHECK", "WINXP_RADIOBUTTON_DISABLE_CHECK",
                         "DEEPBLUE_RADIOBUTTON_DISABLE_CHECK", "PROTEIN_RADIOBUTTON_DISABLE_CHECK",
                         "BLUEGLASS_RADIOBUTTON_DISABLE_CHECK"}},
        NameCase{40, {"MACOS_RADIOBUTTON_UNCHECK", "WINXP_RADIOBUTTON_MOUSEON_UNCHECK",
                         "DEEPBLUE_RADIOBUTTON_UNCHECK", "PROTEIN_RADIOBUTTON_UNCHECK",
                         "BLUEGLASS_RADIOBUTTON_UNCHECK"}},
        NameCase{44, {"MACOS_PROGRESSBAR_V", "WINXP_PROGRESSBAR_V", "DEEPBLUE_PROGRESSBAR_V",
                         "PROTEIN_PROGRESSBAR_V", "BLUEGLASS_PROGRESSBAR_V"}},
        NameCase{46, {"MACOS_TITLE_CLIENT", "WINXP_TITLE_CLIENT", "DEEPBLUE_TITLE_CLIENT", "PROTEIN_TITLE_CLIENT",
                         "BLUEGLASS_TITLE_CLIENT"}},
        NameCase{48, {"MACOS_TITLEBTN_CLOSE_NORMAL", "WINXP_TITLEBTN_CLOSE_NORMAL", "DEEPBLUE_TITLEBTN_CLOSE_NORMAL",
                         "PROTEIN_TITLEBTN_CLOSE_NORMAL", "BLUEGLASS_TITLEBTN_CLOSE_NORMAL"}},
        NameCase{62, {"MACOS_TITLEBTN_CTLBOX_MOUSEDOWN", "WINXP_TITLEBTN_CTLBOX_MOUSEDOWN",
                         "DEEPBLUE_TITLEBTN_CTLBOX_MOUSEDOWN", "PROTEIN_TITLEBTN_CTLBOX_MOUSEDOWN",
                         "BLUEGLASS_TITLEBTN_CTLBOX_MOUSEDOWN"}},
        NameCase{63, {"MACOS_TITLEBTN_MAX_NORMAL", "WINXP_TITLEBTN_RST_NORMAL", "DEEPBLUE_TITLEBTN_MAX_NORMAL",
                         "PROTEIN_TITLEBTN_MAX_NORMAL", "BLUEGLASS_TITLEBTN_MAX_NORMAL"}},
        NameCase{65, {"MACOS_TITLEBTN_MAX_MOUSEDOWN", "WINXP_TITLEBTN_RST_MOUSEDOWN",
                         "DEEPBLUE_TITLEBTN_MAX_MOUSEDOWN", "PROTEIN_TITLEBTN_MAX_MOUSEDOWN",
                         "BLUEGLASS_TITLEBTN_MAX_MOUSEDOWN"}},
        NameCase{72, {"MACOS_TAB_LINE", "WINXP_TAB_LINE", "DEEPBLUE_TAB_LINE", "PROTEIN_TAB_LINE",
                         "BLUEGLASS_TAB_LINE"}},
        NameCase{77, {"MACOS_TRACKBAR_BAR", "WINXP_TRACKBAR_BAR", "DEEPBLUE_TRACKBAR_BAR", "PROTEIN_TRACKBAR_BAR",
                         "BLUEGLASS_TRACKBAR_BAR"}},
        NameCase{78, {"MACOS_TRACKBAR_SLIDER_V", "WINXP_TRACKBAR_SLIDER_V", "DEEPBLUE_TRACKBAR_SLIDER_V",
                         "PROTEIN_TRACKBAR_SLIDER_V", "BLUEGLASS_TRACKBAR_SLIDER_V"}},
        NameCase{88, {"MACOS_SCROLLBAR_BTMBUTTON_NORMAL", "WINXP_SCROLLBAR_BTMBUTTON_NORMAL",
                         "DEEPBLUE_SCROLLBAR_BTMBUTTON_NORMAL", "PROTEIN_SCROLLBAR_BTMBUTTON_NORMAL",
                         "BLUEGLASS_SCROLLBAR_BTMBUTTON_NORMAL"}},
        NameCase{91, {"MACOS_SCROLLBAR_TRACK", "WINXP_SCROLLBAR_TRACK", "DEEPBLUE_SCROLLBAR_TRACK",
                         "PROTEIN_SCROLLBAR_TRACK", "BLUEGLASS_SCROLLBAR_TRACK"}}),
    [](const auto &info) { return "Index" + std::to_string(info.param.index); });

TEST(SUIThemes, DeepBlueCheckBoxStatesShareOnePicture)
{
    EXPECT_EQ(QStringLiteral("DEEPBLUE_CHECKBOX_CHECK"), GetThemeString(DeepBlue, 31));
    EXPECT_EQ(GetThemeString(DeepBlue, 29), GetThemeString(DeepBlue, 31));
    EXPECT_EQ(QStringLiteral("DEEPBLUE_TITLEBTN_MAX_NORMAL"), GetThemeString(DeepBlue, 63));
    EXPECT_EQ(GetThemeString(WinXP, 75), GetThemeString(WinXP, 77));
}

} // namespace
