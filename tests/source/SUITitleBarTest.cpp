// The title bar on a skinned form: heights and button places per style, the
// caption rule, button clicks and the window actions.
#include "Dialogs.h"
#include "SUIForm.h"

#include <gtest/gtest.h>

#include <QWidget>

#include <memory>

namespace {

struct SkinnedWindow {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
    TsuiForm *Skin = nullptr;
    explicit SkinnedWindow(TsuiUIStyle Style, int Width = 400)
    {
        Form->SetBounds(10, 10, Width, 300);
        Skin = new TsuiForm(Form.get());
        Skin->SetParent(Form.get());
        Skin->SetUIStyle(Style);
        Skin->SetWidth(Width - 2 * Skin->BorderWidth());
        Form->Show();
    }
    TsuiTitleBar *Bar() const { return Skin->TitleBar(); }
    // The button under the mouse when it rests at bar point (X, Y).
    int HotAt(int X, int Y)
    {
        const TPoint screen = Bar()->ClientToScreen(TPoint(X, Y));
        SetCursorPosProvider([screen] { return screen; });
        Bar()->Invalidate();
        Bar()->Handle()->grab();
        SetCursorPosProvider({});
        return Bar()->HotButton();
    }
    int IndexOf(TsuiTitleBarBtnType Type) const
    {
        for (int i = 0; i < Bar()->Buttons()->Count(); ++i)
            if (Bar()->Buttons()->Items(i)->ButtonType() == Type)
                return i;
        return -1;
    }
    // The mouse comes over (X, Y), goes down and up there.
    void Click(int X, int Y)
    {
        HotAt(X, Y);
        const TPoint screen = Bar()->ClientToScreen(TPoint(X, Y));
        SetCursorPosProvider([screen] { return screen; });
        Bar()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
        Bar()->Perform(WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
        SetCursorPosProvider({});
    }
};

struct StyleHeight {
    TsuiUIStyle Style;
    int Height;
};

class TitleBarHeight : public testing::TestWithParam<StyleHeight> {};

TEST_P(TitleBarHeight, IsTheLeftPicturesHeight)
{
    SkinnedWindow w(GetParam().Style);
    EXPECT_EQ(w.Bar()->Height(), GetParam().Height);
    EXPECT_EQ(w.Bar()->Sections()->Count(), 3);
    EXPECT_EQ(w.Bar()->Sections()->Items(2)->Align(), suiClient);
    EXPECT_TRUE(w.Bar()->Sections()->Items(2)->Stretch());
}

INSTANTIATE_TEST_SUITE_P(Styles, TitleBarHeight, testing::Values(StyleHeight{WinXP, 29}, StyleHeight{DeepBlue, 32}));

TEST(TitleBar, WinXPButtonsStandFromTheRightEdge)
{
    SkinnedWindow w(WinXP, 406);
    ASSERT_EQ(w.Bar()->Width(), 400);
    const int top = w.Bar()->Buttons()->Items(w.IndexOf(suiClose))->Top();
    EXPECT_EQ(w.HotAt(377, top), w.IndexOf(suiClose));
    EXPECT_EQ(w.HotAt(397, top), w.IndexOf(suiClose));
    EXPECT_EQ(w.HotAt(398, top), w.IndexOf(suiClose)); // edges count
    EXPECT_EQ(w.HotAt(399, top), -1);
    // Maximise stands left of close, minimise left of maximise.
    EXPECT_EQ(w.HotAt(377 - 11, top + 5), w.IndexOf(suiMax));
    EXPECT_EQ(w.HotAt(377 - 33, top + 5), w.IndexOf(suiMin));
    EXPECT_EQ(w.HotAt(200, top + 5), -1);
}

// A caption wider than the free space shows its first two characters and
// "...": the bar then looks as if captioned that way.
TEST(TitleBar, LongCaptionShowsTwoCharactersAndDots)
{
    SkinnedWindow a(WinXP), b(WinXP);
    a.Bar()->SetCaption(String("Wordlark ").repeated(40));
    b.Bar()->SetCaption("Wo...");
    const QImage left = a.Bar()->Handle()->grab().toImage(), right = b.Bar()->Handle()->grab().toImage();
    EXPECT_EQ(left, right);
    b.Bar()->SetCaption("Wordlark");
    EXPECT_NE(left, b.Bar()->Handle()->grab().toImage());
}

TEST(TitleBar, CustomStyleLeavesNoSectionsAndKeepsButtons)
{
    SkinnedWindow w(WinXP);
    const int width = w.Bar()->Buttons()->Items(1)->PicNormal()->Width();
    w.Bar()->SetUIStyle(Custom);
    EXPECT_EQ(w.Bar()->Sections()->Count(), 0);
    EXPECT_EQ(w.Bar()->Buttons()->Items(1)->PicNormal()->Width(), width);
}

TEST(TitleBar, CustomButtonClickRaisesItsEventOnly)
{
    SkinnedWindow w(WinXP);
    TsuiTitleBarButton *custom = w.Bar()->Buttons()->Add();
    TPicture picture;
    picture.Assign(w.Bar()->Buttons()->Items(1)->PicNormal());
    custom->SetPicNormal(&picture);
    custom->SetTop(5);
    std::vector<int> clicks;
    w.Bar()->OnCustomBtnsClick = [&](TObject *, int Index) { clicks.push_back(Index); };
    // The custom button is the fifth: left of minimise.
    const int x = 400 + w.Bar()->RightBtnXOffset() + 1 - 4 * (picture.Width() + 1) + 3;
    w.Click(x, 8);
    EXPECT_EQ(clicks, std::vector<int>{4});
    EXPECT_EQ(w.Form->WindowState(), wsNormal);
}

TEST(TitleBar, MaximiseFillsTheWorkAreaAndRestores)
{
    SetWorkAreaProvider([] { return Rect(0, 0, 800, 560); });
    SkinnedWindow w(WinXP);
    const int max = w.IndexOf(suiMax);
    w.Bar()->PerformButtonAction(max);
    EXPECT_EQ(w.Form->WindowState(), wsMaximized);
    EXPECT_EQ(w.Form->Constraints()->MaxHeight(), 560);
    w.Bar()->PerformButtonAction(max);
    EXPECT_EQ(w.Form->WindowState(), wsNormal);
    SetWorkAreaProvider({});
}

TEST(TitleBar, CollectionsRefuseASecondClientSectionOrControlBox)
{
    std::vector<String> shown;
    TDialogHandler old = SetDialogHandler([&](const TDialogRequest &R) {
        shown.push_back(R.Text);
        return IDOK;
    });
    SkinnedWindow w(WinXP);
    TsuiTitleBarSection *left = w.Bar()->Sections()->Items(0);
    left->SetAlign(suiClient);
    EXPECT_EQ(left->Align(), suiLeft);
    TsuiTitleBarButton *close = w.Bar()->Buttons()->Items(1);
    close->SetButtonType(suiControlBox);
    EXPECT_EQ(close->ButtonType(), suiClose);
    SetDialogHandler(old);
    EXPECT_EQ(shown, (std::vector<String>{"Sorry, only one section's Align property can be \"suiClient\"",
                                          "Sorry, only one button's ButtonType property can be \"suiControlBox\""}));
}

} // namespace
