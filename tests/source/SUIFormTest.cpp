// The skinned form: the owner's size with the border, the edge grips, the
// style setter and the one-per-form rule.
#include "SUIForm.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct SkinnedForm {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TsuiForm *Skin = nullptr;
    explicit SkinnedForm(TsuiUIStyle Style)
    {
        Form->SetBounds(40, 30, 300, 200);
        Skin = new TsuiForm(Form.get());
        Skin->SetParent(Form.get());
        Skin->SetUIStyle(Style);
    }
    int HitTest(int X, int Y)
    {
        const TPoint screen = Form->ClientToScreen(TPoint(X, Y));
        return static_cast<int>(Form->Perform(WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y)));
    }
};

TEST(SkinForm, OwnerTakesTheSizeWithTheBorder)
{
    SkinnedForm f(WinXP);
    ASSERT_EQ(f.Skin->BorderWidth(), 3);
    f.Skin->SetHeight(300);
    EXPECT_EQ(f.Form->Height(), 304);
    f.Skin->SetWidth(400);
    EXPECT_EQ(f.Form->Width(), 406);
    // The panel fills the client area inside the side and bottom strips.
    EXPECT_EQ(f.Skin->BoundsRect(), Rect(3, 0, f.Form->ClientWidth() - 3, f.Form->ClientHeight() - 3));
}

struct HitRow {
    int X, Y; // negative: from the right or bottom edge
    int Expected;
};

class SkinFormHitTest : public testing::TestWithParam<HitRow> {};

TEST_P(SkinFormHitTest, GripsLieAlongEveryEdge)
{
    SkinnedForm f(WinXP);
    const HitRow row = GetParam();
    const int cw = f.Form->ClientWidth(), ch = f.Form->ClientHeight();
    const int x = row.X < 0 ? cw + row.X : row.X;
    const int y = row.Y < 0 ? ch + row.Y : row.Y;
    const int result = f.HitTest(x, y);
    if (row.Expected == HTCLIENT)
        EXPECT_LT(result, HTLEFT);
    else
        EXPECT_EQ(result, row.Expected);
}

INSTANTIATE_TEST_SUITE_P(Zones, SkinFormHitTest,
                         testing::Values(HitRow{2, 2, HTTOPLEFT}, HitRow{-3, -3, HTBOTTOMRIGHT}, HitRow{-3, 2, HTTOPRIGHT},
                                         HitRow{2, -3, HTBOTTOMLEFT}, HitRow{4, 50, HTLEFT}, HitRow{5, 50, HTCLIENT},
                                         HitRow{50, 4, HTTOP}, HitRow{-4, 50, HTRIGHT}, HitRow{-5, 50, HTCLIENT},
                                         HitRow{50, -4, HTBOTTOM}, HitRow{50, -5, HTCLIENT}, HitRow{50, 50, HTCLIENT}));

TEST(SkinForm, MaximisedOrFixedFormOffersNoGrips)
{
    SkinnedForm f(WinXP);
    f.Form->Show();
    f.Form->SetWindowState(wsMaximized);
    EXPECT_LT(f.HitTest(2, 2), HTLEFT);

    TForm fixed(nullptr);
    fixed.SetBorderStyle(bsSingle);
    auto *skin = new TsuiForm(&fixed);
    skin->SetParent(&fixed);
    const TPoint corner = fixed.ClientToScreen(TPoint(1, 1));
    EXPECT_LT(fixed.Perform(WM_NCHITTEST, 0, MAKELPARAM(corner.X, corner.Y)), HTLEFT);
}

TEST(SkinForm, CustomStyleKeepsEverything)
{
    SkinnedForm f(Protein);
    const TColor border = f.Skin->BorderColor();
    const int width = f.Skin->BorderWidth();
    const TColor color = f.Skin->Color();
    const int sections = f.Skin->TitleBarSections()->Count();
    f.Skin->SetUIStyle(Custom);
    EXPECT_EQ(f.Skin->UIStyle(), Custom);
    EXPECT_EQ(f.Skin->BorderColor(), border);
    EXPECT_EQ(f.Skin->BorderWidth(), width);
    EXPECT_EQ(f.Skin->Color(), color);
    EXPECT_EQ(f.Skin->TitleBarSections()->Count(), sections);
    EXPECT_EQ(f.Skin->TitleBar()->UIStyle(), Protein);
}

TEST(SkinForm, StyleReachesTheTitleBarAndTheOwnersLook)
{
    SkinnedForm f(DeepBlue);
    EXPECT_EQ(f.Skin->BorderWidth(), GetThemeInteger(DeepBlue, 4));
    f.Skin->SetUIStyle(WinXP);
    EXPECT_EQ(f.Skin->BorderColor(), GetThemeColor(WinXP, 2));
    EXPECT_EQ(f.Skin->Color(), GetThemeColor(WinXP, 3));
    EXPECT_EQ(f.Skin->MenuBarColor(), f.Skin->Color());
    EXPECT_EQ(f.Skin->TitleBar()->UIStyle(), WinXP);
    EXPECT_EQ(f.Form->BorderStyle(), bsNone);
    // A control created on the window asks the window for its style.
    EXPECT_EQ(GetContainerUIStyle(f.Form.get()), WinXP);
}

TEST(SkinForm, OnlyOnePerForm)
{
    SkinnedForm f(WinXP);
    try {
        TsuiForm second(f.Form.get());
        FAIL() << "a second skinned form was accepted";
    } catch (const Exception &E) {
        EXPECT_EQ(E.Message, "Sorry, You can create only one TsuiForm component in one form!");
    }
}

TEST(SkinForm, CaptionGoesToTheTitleBarAndTheOwner)
{
    SkinnedForm f(WinXP);
    f.Skin->SetCaption("Lessons");
    EXPECT_EQ(f.Skin->TitleBar()->Caption(), "Lessons");
    EXPECT_EQ(f.Form->Caption(), "Lessons");
}

} // namespace
