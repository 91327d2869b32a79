// Colour names: the table behind descriptions and colour lists.
#include "Graphics.h"

#include <gtest/gtest.h>

TEST(ColorNames, ListedInTableOrderWithoutSecondNames)
{
    std::vector<String> names;
    GetColorValues([&](const String &Name) { names.push_back(Name); });
    ASSERT_EQ(names.size(), 52u);
    EXPECT_EQ(names[0], "clBlack");
    EXPECT_EQ(names[15], "clWhite");
    EXPECT_EQ(names[19], "clMedGray");
    EXPECT_EQ(names[20], "clActiveBorder");
    EXPECT_EQ(names[51], "clWindowText");
    EXPECT_EQ(std::count(names.begin(), names.end(), "clLtGray"), 0);
    for (const String &name : names) {
        TColor color = 0;
        EXPECT_TRUE(IdentToColor(name, color)) << name.toStdString();
    }
}

TEST(ColorNames, SecondNamesReadButTheFirstNameIsWritten)
{
    TColor color = 0;
    ASSERT_TRUE(IdentToColor("clLtGray", color));
    EXPECT_EQ(color, clSilver);
    String ident;
    ASSERT_TRUE(ColorToIdent(clDkGray, ident));
    EXPECT_EQ(ident, "clGray");
}
