// The speed button: grouped buttons staying down, toggles, and clicks.
#include "Buttons.h"
#include "Forms.h"

#include <gtest/gtest.h>

namespace {
void ClickAt(TSpeedButton *Button)
{
    Button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    Button->Perform(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}
}

TEST(SpeedButton, GroupedButtonsLetOneBeDown)
{
    TForm form(nullptr);
    auto *a = new TSpeedButton(&form);
    auto *b = new TSpeedButton(&form);
    for (TSpeedButton *s : {a, b}) {
        s->SetParent(&form);
        s->SetGroupIndex(1);
    }
    int clicks = 0;
    a->OnClick = [&](TObject *) { ++clicks; };
    ClickAt(a);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(clicks, 1);
    ClickAt(a);
    EXPECT_TRUE(a->Down()) << "the group needs one down";
    ClickAt(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
}

TEST(SpeedButton, AllowAllUpMakesAToggleAndUngroupedButtonsNeverStayDown)
{
    TForm form(nullptr);
    auto *pin = new TSpeedButton(&form);
    pin->SetParent(&form);
    pin->SetGroupIndex(1);
    pin->SetAllowAllUp(true);
    ClickAt(pin);
    EXPECT_TRUE(pin->Down());
    ClickAt(pin);
    EXPECT_FALSE(pin->Down());

    auto *plain = new TSpeedButton(&form);
    plain->SetParent(&form);
    int clicks = 0;
    plain->OnClick = [&](TObject *) { ++clicks; };
    plain->SetDown(true);
    ClickAt(plain);
    EXPECT_FALSE(plain->Down());
    EXPECT_EQ(clicks, 1);
    // A release outside does not click.
    plain->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    plain->Perform(WM_LBUTTONUP, 0, MAKELPARAM(100, 3));
    EXPECT_EQ(clicks, 1);
}
