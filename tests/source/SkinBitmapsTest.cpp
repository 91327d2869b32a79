// The skin bitmaps embedded in the skin library: every name the theme table
// and the drawing code use is there, at its size and colour depth, and the
// transparent parts sit where the controls look for them.
#include "Graphics.h"
#include "SUIResDef.h"
#include "SUIThemes.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

namespace {

struct Format {
    int width, height, depth;
};

// Sizes and depths by element, MacOS to BlueGlass; a row matches the
// elements that begin with its name, the first match counts.
struct ElementRow {
    const char *element;
    Format formats[5];
};

const ElementRow ElementRows[] = {
    {"BUTTON_", {{84, 23, 8}, {18, 21, 8}, {74, 21, 4}, {74, 21, 8}, {77, 27, 8}}},
    {"CHECKBOX_DISABLE_", {{15, 17, 8}, {13, 13, 8}, {13, 13, 4}, {13, 13, 4}, {13, 13, 4}}},
    {"CHECKBOX_", {{15, 17, 8}, {13, 13, 24}, {13, 13, 4}, {13, 13, 4}, {13, 13, 4}}},
    {"RADIOBUTTON_", {{16, 17, 8}, {13, 13, 24}, {13, 13, 4}, {13, 13, 4}, {13, 13, 8}}},
    {"PROGRESSBAR_V", {{13, 13, 8}, {10, 6, 8}, {10, 1, 8}, {10, 1, 8}, {10, 1, 8}}},
    {"PROGRESSBAR", {{13, 10, 8}, {6, 10, 8}, {1, 10, 8}, {1, 10, 8}, {1, 10, 8}}},
    {"TITLE_LEFT", {{48, 23, 8}, {35, 29, 8}, {97, 32, 8}, {441, 23, 8}, {162, 33, 8}}},
    {"TITLE_CLIENT", {{49, 23, 8}, {37, 29, 8}, {98, 32, 4}, {1, 23, 4}, {179, 33, 8}}},
    {"TITLE_RIGHT", {{48, 23, 8}, {35, 29, 8}, {97, 32, 8}, {1, 23, 8}, {101, 33, 8}}},
    {"TITLEBTN_MAX_NORMAL", {{17, 17, 8}, {21, 21, 8}, {19, 19, 8}, {19, 19, 8}, {19, 19, 8}}},
    {"TITLEBTN_", {{17, 17, 8}, {21, 21, 8}, {19, 19, 4}, {19, 19, 4}, {19, 19, 4}}},
    {"TAB_ACTIVE", {{18, 27, 8}, {9, 18, 8}, {6, 17, 4}, {9, 17, 4}, {9, 17, 8}}},
    {"TAB_INACTIVE", {{18, 27, 8}, {9, 18, 8}, {6, 17, 4}, {9, 17, 4}, {9, 17, 4}}},
    {"TAB_LINE", {{17, 7, 8}, {8, 1, 4}, {5, 5, 4}, {10, 5, 4}, {10, 5, 4}}},
    {"TRACKBAR_BAR", {{45, 5, 8}, {45, 8, 8}, {45, 4, 8}, {45, 4, 4}, {45, 4, 8}}},
    {"TRACKBAR_SLIDER_V", {{19, 11, 8}, {22, 11, 8}, {18, 11, 8}, {18, 11, 8}, {18, 11, 8}}},
    {"TRACKBAR_SLIDER", {{11, 20, 8}, {11, 21, 8}, {11, 20, 8}, {11, 20, 8}, {11, 20, 8}}},
    {"SCROLLBAR_TRACK", {{16, 33, 8}, {16, 21, 8}, {16, 21, 4}, {16, 21, 4}, {16, 21, 8}}},
    {"SCROLLBAR_", {{16, 22, 8}, {16, 17, 8}, {16, 16, 4}, {16, 16, 8}, {17, 16, 8}}},
};

struct FixedRow {
    const char *name;
    Format format;
};

const FixedRow FixedRows[] = {
    {RES_MENU_CHECKED, {16, 16, 4}},
    {RES_MACOS_MENU_BAR, {1, 22, 4}},
    {RES_MACOS_MENU_SELECT, {1, 21, 8}},
    {RES_MACOS_FORM_BACKGROUND, {8, 8, 4}},
    {RES_PROTEIN_FORM_BACKGROUND, {8, 8, 4}},
    {RES_MACOS_COMBOBOX_BUTTON, {16, 17, 24}},
    {RES_SIDECHANNEL_BAR_NORMAL, {8, 172, 24}},
    {RES_SIDECHANNEL_BAR_MOUSEON, {8, 172, 24}},
    {RES_SIDECHANNEL_BTN_ONTOP, {8, 7, 1}},
    {RES_SIDECHANNEL_BTN_NOONTOP, {7, 9, 1}},
    {RES_FONTCOMBO_TRUETYPE_FNT, {20, 12, 4}},
    {RES_FONTCOMBO_DEVICE_FNT, {20, 12, 4}},
};

int Depth(TPixelFormat format)
{
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf24bit: return 24;
    case pf32bit: return 32;
    default: return 0;
    }
}

std::unique_ptr<TBitmap> Load(const String &name)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromResourceName(HInstance, name);
    return bitmap;
}

void ExpectFormat(const String &name, const Format &expected)
{
    SCOPED_TRACE(name.toStdString());
    std::unique_ptr<TBitmap> bitmap;
    ASSERT_NO_THROW(bitmap = Load(name));
    EXPECT_EQ(expected.width, bitmap->Width());
    EXPECT_EQ(expected.height, bitmap->Height());
    EXPECT_EQ(expected.depth, Depth(bitmap->PixelFormat()));
}

// Every resource-name entry of every style's row, with the entry index.
std::vector<std::pair<int, String>> TableNames(uint8_t style)
{
    std::vector<std::pair<int, String>> names;
    for (int index = 1; index <= SUI_THEME_ENTRY_COUNT; ++index) {
        const String name = GetThemeString(style, index);
        if (!name.isEmpty())
            names.emplace_back(index, name);
    }
    return names;
}

constexpr TColor Magenta = 0x00FF00FF;

TColor PixelAt(const TBitmap &bitmap, int x, int y) { return bitmap.Canvas()->Pixels(x, y); }

class SkinBitmaps : public ::testing::TestWithParam<uint8_t> {};

TEST_P(SkinBitmaps, EveryTableNameHasItsSizeAndDepth)
{
    const uint8_t style = GetParam();
    const String prefix = QLatin1String(SUI_STYLE_PREFIXES[style]) + QLatin1Char('_');
    for (const auto &[index, name] : TableNames(style)) {
        if (index == 23) {
            EXPECT_EQ(QLatin1String(RES_MENU_CHECKED), name);
            continue;
        }
        ASSERT_TRUE(name.startsWith(prefix)) << name.toStdString();
        const String element = name.mid(prefix.size());
        const ElementRow *row = nullptr;
        for (const ElementRow &candidate : ElementRows)
            if (element.startsWith(QLatin1String(candidate.element))) {
                row = &candidate;
                break;
            }
        ASSERT_NE(nullptr, row) << name.toStdString();
        ExpectFormat(name, row->formats[style - 1]);
    }
}

// The title bar is as high as its left section; the other sections match it.
TEST_P(SkinBitmaps, TitleSectionsShareTheBarHeight)
{
    const uint8_t style = GetParam();
    const int heights[] = {0, 23, 29, 32, 23, 33};
    for (int index : {45, 46, 47})
        EXPECT_EQ(heights[style], Load(GetThemeString(style, index))->Height()) << index;
}

// Push button faces are drawn masked only in BlueGlass: elsewhere their
// corners must not hold the key, in BlueGlass the corners lie outside the face.
TEST_P(SkinBitmaps, ButtonFacesCarryTheKeyOnlyWhereDrawnTransparent)
{
    const uint8_t style = GetParam();
    for (int index : {24, 25, 26}) {
        const auto face = Load(GetThemeString(style, index));
        const int w = face->Width(), h = face->Height();
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
            EXPECT_EQ(style == BlueGlass, PixelAt(*face, x, y) == Magenta) << index << " at " << x << "," << y;
        EXPECT_NE(Magenta, PixelAt(*face, w / 2, h / 2)) << index;
    }
}

// Pictures drawn with their top-left (radio buttons, tabs) or bottom-left
// (transparent title buttons) pixel as the key must not lose their middle.
TEST_P(SkinBitmaps, KeyedPicturesKeepTheirMiddle)
{
    const uint8_t style = GetParam();
    for (int index = 35; index <= 42; ++index) {
        const auto radio = Load(GetThemeString(style, index));
        EXPECT_NE(PixelAt(*radio, 0, 0), PixelAt(*radio, radio->Width() / 2, radio->Height() / 2)) << index;
    }
    for (int index : {70, 71}) {
        const auto tab = Load(GetThemeString(style, index));
        EXPECT_NE(PixelAt(*tab, 0, 0), PixelAt(*tab, tab->Width() / 2, tab->Height() / 2)) << index;
    }
    if (GetThemeBoolean(style, 66))
        for (int index = 48; index <= 62; ++index) {
            const auto button = Load(GetThemeString(style, index));
            EXPECT_NE(button->TransparentColor(), PixelAt(*button, button->Width() / 2, button->Height() / 2)) << index;
        }
}

// Check boxes are drawn unmasked: no key colour may show.
TEST_P(SkinBitmaps, CheckBoxesHoldNoKeyColour)
{
    const uint8_t style = GetParam();
    for (int index = 27; index <= 34; ++index) {
        const auto box = Load(GetThemeString(style, index));
        for (int y = 0; y < box->Height(); ++y)
            for (int x = 0; x < box->Width(); ++x)
                ASSERT_NE(Magenta, PixelAt(*box, x, y)) << index << " at " << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(AllStyles, SkinBitmaps, ::testing::Values(MacOS, WinXP, DeepBlue, Protein, BlueGlass),
    [](const auto &info) { return std::string(SUI_STYLE_PREFIXES[info.param]); });

TEST(SkinBitmaps, FixedNamesHaveTheirSizeAndDepth)
{
    for (const FixedRow &row : FixedRows)
        ExpectFormat(QLatin1String(row.name), row.format);
}

TEST(SkinBitmaps, ClassPicturesAreTwentyFourSquare)
{
    for (const char *name : SUI_CLASS_PICTURES) {
        const auto picture = Load(QLatin1String(name));
        EXPECT_EQ(24, picture->Width()) << name;
        EXPECT_EQ(24, picture->Height()) << name;
    }
}

// Nothing is embedded that no table or drawing code names.
TEST(SkinBitmaps, EmbeddedFilesAreExactlyTheNamedOnes)
{
    QSet<String> expected;
    for (uint8_t style = MacOS; style <= BlueGlass; ++style)
        for (const auto &entry : TableNames(style))
            expected.insert(entry.second + QLatin1String(".bmp"));
    for (const FixedRow &row : FixedRows)
        expected.insert(QLatin1String(row.name) + QLatin1String(".bmp"));
    for (const char *name : SUI_CLASS_PICTURES)
        expected.insert(QLatin1String(name) + QLatin1String(".bmp"));
    expected.insert(QLatin1String(RES_MAINICON) + QLatin1String(".ico"));

    const QStringList files = QDir(QStringLiteral(":/skin")).entryList(QDir::Files);
    const QSet<String> embedded(files.begin(), files.end());
    auto listed = [](const QSet<String> &names) {
        QStringList sorted(names.begin(), names.end());
        sorted.sort();
        return sorted.join(QLatin1Char(' ')).toStdString();
    };
    EXPECT_EQ("", listed(embedded - expected)) << "embedded but never named";
    EXPECT_EQ("", listed(expected - embedded)) << "named but not embedded";
}

TEST(SkinBitmaps, MainIconHoldsTheTitleBarSize)
{
    TIcon icon;
    icon.SetSize(16, 16);
    ASSERT_NO_THROW(icon.LoadFromResourceName(HInstance, QLatin1String(RES_MAINICON)));
    EXPECT_EQ(16, icon.Width());
    EXPECT_EQ(16, icon.Height());
}

TEST(SkinBitmaps, UnknownNameIsNotFound)
{
    TBitmap bitmap;
    EXPECT_THROW(bitmap.LoadFromResourceName(HInstance, QStringLiteral("WINXP_TITLEBTN_RST_HOVER")), EResNotFound);
}

} // namespace
