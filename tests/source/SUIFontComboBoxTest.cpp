// Font and font-size combo boxes: the screen's families filtered by options,
// the chosen name, item height, and the point sizes of a family.
#include "SUIFontComboBox.h"

#include "Forms.h"

#include <QFontDatabase>
#include <gtest/gtest.h>

namespace {

struct FontComboFixture : ::testing::Test {
    TForm *Form = nullptr;
    TsuiFontComboBox *Box = nullptr;
    int Changes = 0;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Box = new TsuiFontComboBox(Form);
        Box->SetParent(Form);
        Box->OnChange = [this](TObject *) { ++Changes; };
    }
    void TearDown() override { delete Form; }
    std::vector<String> Names()
    {
        std::vector<String> names;
        for (int i = 0; i < Box->Items()->Count(); ++i)
            names.push_back(Box->Items()->Strings(i));
        return names;
    }
    int TypeOf(const String &Name)
    {
        const int index = Box->Items()->IndexOf(Name);
        return index < 0 ? -1 : static_cast<int>(reinterpret_cast<intptr_t>(Box->Items()->Objects(index)));
    }
};

TEST_F(FontComboFixture, ListsTheScreensFamiliesSortedOnceEachWithTheirTypes)
{
    Box->HandleNeeded();
    const std::vector<String> names = Names();
    ASSERT_FALSE(names.empty());
    for (size_t i = 1; i < names.size(); ++i)
        EXPECT_LT(names[i - 1].compare(names[i], Qt::CaseInsensitive), 0) << names[i].toStdString();
    for (const String &family : QFontDatabase::families())
        EXPECT_NE(Box->Items()->IndexOf(family), -1) << family.toStdString();
    EXPECT_EQ(TypeOf("DejaVu Sans"), TRUETYPE_FONTTYPE | FontTypeNotSymbol);
    EXPECT_EQ(Box->Style(), csDropDownList);
    EXPECT_TRUE(Box->Sorted());
    EXPECT_EQ(Changes, 0);
}

TEST_F(FontComboFixture, OptionsFilterTheFamiliesAndKeepTheChosenName)
{
    Box->SetFontName("DejaVu Sans Mono");
    Changes = 0;
    Box->SetOptions(foFixedPitchOnly);
    for (const String &name : Names())
        EXPECT_TRUE(QFontDatabase::isFixedPitch(name)) << name.toStdString();
    EXPECT_NE(Box->Items()->IndexOf("DejaVu Sans Mono"), -1);
    EXPECT_EQ(Box->Items()->IndexOf("DejaVu Sans"), -1);
    EXPECT_EQ(Box->FontName(), "DejaVu Sans Mono");
    EXPECT_EQ(Changes, 0) << "the name stayed";

    Box->SetOptions(foOEMFontsOnly);
    EXPECT_EQ(Box->Items()->Count(), 0);
    EXPECT_EQ(Box->FontName(), "");
    EXPECT_EQ(Changes, 1) << "the name was lost";
    Box->SetOptions(foTrueTypeOnly | foNoSymbolFonts | foScalableOnly);
    EXPECT_NE(Box->Items()->IndexOf("DejaVu Sans"), -1);
    Box->SetDevice(fdPrinter);
    EXPECT_EQ(Box->Items()->Count(), 0) << "there is no printer";
    Box->SetDevice(fdBoth);
    EXPECT_NE(Box->Items()->IndexOf("DejaVu Sans"), -1);
}

TEST_F(FontComboFixture, FontNameMatchesWithoutCaseAndReportsEachChange)
{
    Box->SetFontName("dejavu sans");
    EXPECT_EQ(Box->FontName(), "DejaVu Sans");
    EXPECT_EQ(Changes, 1);
    Box->SetFontName("DejaVu Sans");
    EXPECT_EQ(Changes, 1) << "the same name changes nothing";
    Box->SetFontName("No Such Face");
    EXPECT_EQ(Box->ItemIndex(), -1);
    EXPECT_EQ(Box->FontName(), "");
    EXPECT_EQ(Changes, 2);

    Box->SetStyle(csDropDown);
    Box->SetFontName("No Such Face");
    EXPECT_EQ(Box->FontName(), "No Such Face") << "an edit field keeps what it is given";
    EXPECT_EQ(Changes, 3);
}

TEST_F(FontComboFixture, NameGivenBeforeTheWindowIsChosenWhenTheListFills)
{
    TsuiFontComboBox box(nullptr);
    int changes = 0;
    box.OnChange = [&](TObject *) { ++changes; };
    TForm form(nullptr);
    box.SetParent(&form);
    box.SetFontName("DejaVu Serif");
    EXPECT_EQ(box.FontName(), "DejaVu Serif");
    EXPECT_EQ(box.Items()->Strings(box.ItemIndex()), "DejaVu Serif");
    box.SetParent(nullptr);
}

TEST_F(FontComboFixture, ItemsAreAtLeastAsHighAsTheGlyphAndTheFont)
{
    EXPECT_GE(Box->ItemHeight(), 11);
    const int small = Box->ItemHeight();
    TFont big;
    big.SetSize(30);
    Box->SetFont(&big);
    EXPECT_GT(Box->ItemHeight(), small);
}

TEST(FontSizeCombo, TrueTypeFamiliesOfferTheStandardSizes)
{
    TForm form(nullptr);
    TsuiFontSizeComboBox box(&form);
    box.SetParent(&form);
    box.SetStyle(csDropDown);
    box.SetText("12");
    int clicks = 0;
    box.OnClick = [&](TObject *) { ++clicks; };
    box.SetFontName("DejaVu Sans");
    ASSERT_EQ(box.Items()->Count(), 16);
    EXPECT_EQ(box.Items()->Strings(0), "8");
    EXPECT_EQ(box.Items()->Strings(15), "72");
    EXPECT_EQ(box.Items()->Strings(box.ItemIndex()), "12") << "the size shown stays chosen";
    EXPECT_EQ(clicks, 1);
    box.SetFontName("");
    EXPECT_EQ(box.Items()->Count(), 0);
    box.SetParent(nullptr);
}

struct SizeRow {
    std::vector<int> Heights; // character heights of raster reports
    int PixelsPerInch;
    std::vector<String> Sizes;
};

class FontSizes : public ::testing::TestWithParam<SizeRow> {};

TEST_P(FontSizes, RasterSizesInAscendingOrderOnce)
{
    const SizeRow row = GetParam();
    TStringList sizes;
    for (int height : row.Heights)
        EXPECT_TRUE(AddFontSizes(&sizes, TTextMetric{height + 2, 2}, RASTER_FONTTYPE, row.PixelsPerInch));
    std::vector<String> got;
    for (int i = 0; i < sizes.Count(); ++i)
        got.push_back(sizes.Strings(i));
    EXPECT_EQ(got, row.Sizes);
}

INSTANTIATE_TEST_SUITE_P(Rows, FontSizes,
                         ::testing::Values(SizeRow{{11, 13, 11}, 96, {"8", "10"}},
                                           SizeRow{{16, 11, 13, 20}, 96, {"8", "10", "12", "15"}},
                                           // Halves go to the even neighbour.
                                           SizeRow{{5, 7, 9}, 144, {"2", "4"}},
                                           SizeRow{{14}, 96, {"10"}}));

TEST(FontSizeCombo, TrueTypeReportEndsTheEnumeration)
{
    TStringList sizes;
    EXPECT_FALSE(AddFontSizes(&sizes, TTextMetric{}, TRUETYPE_FONTTYPE, 96));
    EXPECT_EQ(sizes.Count(), 16);
}

} // namespace
