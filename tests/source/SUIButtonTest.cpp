#include "SUIButton.h"
#include "SUIImagePanel.h"
#include "SUIResDef.h"
#include "WaitFor.h"
#include "../framework/ShowActive.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
QImage Grab(TWinControl &control)
{
    TBitmap bitmap;
    bitmap.SetSize(control.Width(), control.Height());
    control.PaintTo(bitmap.Canvas(), 0, 0);
    return bitmap.Image();
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A shown, active form holding the controls under test.
struct FormFixture : ::testing::Test {
    TForm *Form = nullptr;
    std::vector<String> Log;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(40, 40, 320, 240);
    }
    void ShowAndActivate()
    {
        ASSERT_TRUE(ShowActive(Form));
    }
    void TearDown() override { delete Form; }
    template <class T>
    T *Make(int left, int top)
    {
        auto *control = new T(Form);
        control->SetParent(Form);
        control->SetLeft(left);
        control->SetTop(top);
        return control;
    }
    QWidget *FocusWidget() { return QApplication::focusWidget(); }
};
}

using PushButton = FormFixture;

TEST_F(PushButton, StartsInTheFormsStyleWithTheStyleFaces)
{
    auto *button = Make<TsuiButton>(10, 10);
    EXPECT_EQ(button->UIStyle(), DeepBlue) << "no skinned form on the window";
    EXPECT_EQ(button->Width(), 80);
    EXPECT_EQ(button->Height(), 27);
    EXPECT_TRUE(button->TabStop());
    EXPECT_EQ(button->Caption(), "");
    EXPECT_EQ(button->PicNormalResName(), "") << "style pictures never read back";
}

TEST_F(PushButton, MacOSLocksTheHeightAt23)
{
    auto *button = Make<TsuiButton>(10, 10);
    button->SetHeight(30);
    EXPECT_EQ(button->Height(), 30);
    button->SetUIStyle(MacOS);
    EXPECT_EQ(button->Height(), 23);
    button->SetHeight(40);
    EXPECT_EQ(button->Height(), 23);
    button->SetUIStyle(WinXP);
    button->SetHeight(40);
    EXPECT_EQ(button->Height(), 40);
}

TEST_F(PushButton, OwnPictureNameMakesTheButtonCustom)
{
    auto *button = Make<TsuiButton>(10, 10);
    button->SetUIStyle(WinXP);
    EXPECT_EQ(button->PicNormalResName(), "");
    button->SetPicNormalResName(StyleResName(Protein, "BUTTON_NORMAL"));
    EXPECT_EQ(button->UIStyle(), Custom);
    EXPECT_EQ(button->PicNormalResName(), StyleResName(Protein, "BUTTON_NORMAL"));
}

TEST_F(PushButton, BlueGlassIsTransparent)
{
    auto *button = Make<TsuiButton>(10, 10);
    button->SetUIStyle(BlueGlass);
    EXPECT_TRUE(button->Transparent());
    EXPECT_TRUE(button->PictureMasked());
    button->SetUIStyle(WinXP);
    EXPECT_FALSE(button->Transparent());
}

TEST_F(PushButton, MouseStatesAndEventOrder)
{
    auto *button = Make<TsuiButton>(10, 10);
    button->OnMouseEnter = [&](TObject *) { Log.push_back("enter"); };
    button->OnMouseExit = [&](TObject *) { Log.push_back("exit"); };
    button->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int, int) { Log.push_back("down"); };
    button->OnMouseUp = [&](TObject *, TMouseButton, TShiftState, int, int) { Log.push_back("up"); };
    button->OnClick = [&](TObject *) { Log.push_back("click"); };
    const int cx = button->Width() / 2, cy = button->Height() / 2;

    button->Perform(CM_MOUSEENTER);
    EXPECT_TRUE(button->MouseOn());
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(cx, cy));
    EXPECT_TRUE(button->Pressed());
    button->Perform(WM_LBUTTONUP, 0, At(cx, cy));
    EXPECT_FALSE(button->Pressed());
    button->Perform(CM_MOUSELEAVE);
    EXPECT_FALSE(button->MouseOn());
    // The framework clicks on the release, before the release event.
    EXPECT_EQ(Log, (std::vector<String>{"enter", "down", "click", "up", "exit"}));
}

TEST_F(PushButton, LeavingWhilePressedShowsTheNormalFace)
{
    auto *button = Make<TsuiButton>(10, 10);
    button->Perform(CM_MOUSEENTER);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    // A point on Width still counts as inside.
    button->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(button->Width(), 5));
    EXPECT_TRUE(button->Pressed());
    button->Perform(WM_MOUSEMOVE, MK_LBUTTON, At(button->Width() + 1, 5));
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->MouseOn());
}

TEST_F(PushButton, RepeatFiresWhileHeldAndNotForAShortPress)
{
    auto *button = Make<TsuiButton>(10, 10);
    int repeats = 0;
    button->OnMouseContinuouslyDown = [&](TObject *Sender) {
        EXPECT_EQ(Sender, button);
        ++repeats;
    };
    button->SetMouseContinuouslyDownInterval(100);

    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    QTest::qWait(30);
    button->Perform(WM_LBUTTONUP, 0, At(5, 5));
    QTest::qWait(150);
    EXPECT_EQ(repeats, 0);

    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_TRUE(WaitFor([&] { return repeats >= 3; }));
    button->Perform(CM_MOUSELEAVE);
    const int atLeave = repeats;
    QTest::qWait(250);
    EXPECT_EQ(repeats, atLeave) << "leaving stops the repeat";
}

TEST_F(PushButton, SpaceShowsPressedAndClicksOnRelease)
{
    auto *button = Make<TsuiButton>(10, 10);
    int clicks = 0;
    button->OnClick = [&](TObject *) { ++clicks; };
    ShowAndActivate();
    button->SetFocus();
    ASSERT_TRUE(button->Focused());

    button->Perform(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(clicks, 0) << "a release without its press does nothing";
    QTest::keyPress(FocusWidget(), Qt::Key_Space);
    EXPECT_TRUE(button->Pressed());
    QTest::keyRelease(FocusWidget(), Qt::Key_Space);
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, 1);
}

TEST_F(PushButton, DefaultCancelAndAccelerator)
{
    auto *ok = Make<TsuiButton>(10, 10);
    auto *cancel = Make<TsuiButton>(100, 10);
    auto *other = Make<TsuiButton>(190, 10);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    other->SetCaption("&Go");
    ok->OnClick = [&](TObject *) { Log.push_back("ok"); };
    cancel->OnClick = [&](TObject *) { Log.push_back("cancel"); };
    other->OnClick = [&](TObject *) { Log.push_back("go"); };
    ShowAndActivate();
    QTest::keyClick(FocusWidget(), Qt::Key_Return);
    QTest::keyClick(FocusWidget(), Qt::Key_Escape);
    QTest::keyClick(FocusWidget(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(Log, (std::vector<String>{"ok", "cancel", "go"}));
    EXPECT_TRUE(other->Focused());
}

TEST_F(PushButton, ClickWritesModalResultEvenWhenZero)
{
    auto *button = Make<TsuiButton>(10, 10);
    Form->SetModalResult(mrCancel);
    button->Click();
    EXPECT_EQ(Form->ModalResult(), mrNone);
    button->SetModalResult(mrOk);
    button->Click();
    EXPECT_EQ(Form->ModalResult(), mrOk);
}

TEST_F(PushButton, TwoFrameGlyphShowsItsDisabledHalf)
{
    auto *button = Make<TsuiButton>(10, 10);
    button->SetUIStyle(WinXP);
    TBitmap glyph;
    glyph.SetSize(16, 8);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(Rect(0, 0, 16, 8));
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(Rect(1, 1, 7, 7));
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(Rect(9, 1, 15, 7));
    button->SetGlyph(&glyph);

    // Without a caption the glyph stands at ((W - (0 + 8 + 4)) div 2, (H - 8) div 2).
    const int gx = (button->Width() - 12) / 2, gy = (button->Height() - 8) / 2;
    EXPECT_EQ(Grab(*button).pixelColor(gx + 4, gy + 4), QColor(Qt::red));
    button->SetEnabled(false);
    EXPECT_EQ(Grab(*button).pixelColor(gx + 4, gy + 4), QColor(Qt::blue)) << "the right half, not greyed";
}


class GlyphLayout : public FormFixture, public ::testing::WithParamInterface<TButtonLayout> {};

TEST_P(GlyphLayout, CaptionPositionFollowsTheTable)
{
    auto *button = Make<TsuiButton>(10, 10);
    button->SetUIStyle(WinXP);
    button->SetBounds(10, 10, 120, 60);
    button->SetCaption("Play");
    button->SetSpacing(6);
    button->SetLayout(GetParam());
    TBitmap glyph;
    glyph.SetSize(10, 12);
    button->SetGlyph(&glyph);
    Grab(*button);

    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas()->SetFont(button->Font());
    const TSize text = measure.Canvas()->TextExtent("Play");
    const int W = 120, H = 60, S = 6, GW = 10, GH = 12, TW = text.cx, TH = text.cy;
    TPoint expected;
    switch (GetParam()) {
    case blGlyphLeft:
        expected = {(W - (TW + GW + S)) / 2 + GW + S, (H - TH) / 2};
        break;
    case blGlyphRight:
        expected = {(W + TW + S - GW) / 2 - TW - S, (H - TH) / 2};
        break;
    case blGlyphTop:
        expected = {(W - TW) / 2, (H - (TH + GH + S)) / 2 + GH + S};
        break;
    case blGlyphBottom:
        expected = {(W - TW) / 2, (H + TH + S - GH) / 2 - TH - S};
        break;
    }
    EXPECT_EQ(button->CaptionPos(), expected);
}

INSTANTIATE_TEST_SUITE_P(Layouts, GlyphLayout, ::testing::Values(blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom));

using CheckBox = FormFixture;

TEST_F(CheckBox, SpaceClickAndAcceleratorEachToggleOnce)
{
    auto *box = Make<TsuiCheckBox>(10, 10);
    box->SetCaption("&Loop");
    int clicks = 0;
    box->OnClick = [&](TObject *) { ++clicks; };
    ShowAndActivate();
    box->SetFocus();

    QTest::keyClick(FocusWidget(), Qt::Key_Space);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 1);

    box->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
    box->Perform(WM_LBUTTONUP, 0, At(3, 3));
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 2);

    QTest::keyClick(FocusWidget(), Qt::Key_L, Qt::AltModifier);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 3);
}

TEST_F(CheckBox, TransparencyFollowsTheStyle)
{
    auto *box = Make<TsuiCheckBox>(10, 10);
    box->SetUIStyle(MacOS);
    EXPECT_TRUE(box->Transparent());
    EXPECT_FALSE(box->PictureMasked());
    box->SetUIStyle(WinXP);
    EXPECT_FALSE(box->Transparent());
    box->SetUIStyle(Protein);
    EXPECT_TRUE(box->Transparent());
    box->SetUIStyle(Custom);
    EXPECT_TRUE(box->Transparent()) << "Custom keeps what it had";
}

TEST_F(CheckBox, PictureFollowsCheckedAndEnabled)
{
    auto *box = Make<TsuiCheckBox>(10, 10);
    box->SetUIStyle(WinXP);
    EXPECT_EQ(box->PicNormalResName(), GetThemeString(WinXP, 30));
    box->SetChecked(true);
    EXPECT_EQ(box->PicNormalResName(), GetThemeString(WinXP, 29));
    box->SetEnabled(false);
    EXPECT_EQ(box->PicNormalResName(), GetThemeString(WinXP, 27));
    EXPECT_EQ(box->PicMouseDownResName(), GetThemeString(WinXP, 33));
}

using RadioButton = FormFixture;

TEST_F(RadioButton, CheckingOneUnchecksItsGroupOnly)
{
    TsuiImagePanel *panel = Make<TsuiImagePanel>(0, 0);
    panel->SetBounds(0, 0, 300, 200);
    auto make = [&](int group, int top) {
        auto *radio = new TsuiRadioButton(Form);
        radio->SetParent(panel);
        radio->SetTop(top);
        radio->SetGroupIndex(group);
        return radio;
    };
    TsuiRadioButton *a = make(0, 0), *b = make(0, 20), *c = make(0, 40), *other = make(1, 60);
    EXPECT_TRUE(a->PictureMasked());
    other->SetChecked(true);
    a->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(c->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_EQ(b->PicNormalResName(), GetThemeString(b->UIStyle(), 37));

    b->Click();
    EXPECT_TRUE(b->Checked()) << "a click never unchecks a radio button";
}

using StylePropagation = FormFixture;

TEST_F(StylePropagation, ButtonsFollowUnlessCustomAndImagePanelsPassItOn)
{
    auto *plain = Make<TsuiButton>(10, 10);
    auto *custom = Make<TsuiButton>(10, 50);
    custom->SetUIStyle(Custom);
    auto *panel = Make<TsuiImagePanel>(100, 10);
    auto *inner = new TsuiButton(Form);
    inner->SetParent(panel);
    auto *radio = Make<TsuiRadioButton>(10, 90);

    ApplyStyleToChildren(Form, Protein);
    EXPECT_EQ(plain->UIStyle(), Protein);
    EXPECT_EQ(custom->UIStyle(), Custom);
    EXPECT_EQ(radio->UIStyle(), Protein);
    EXPECT_EQ(inner->UIStyle(), DeepBlue) << "no descent into the panel";

    panel->ApplyStyleToChildren(MacOS);
    EXPECT_EQ(inner->UIStyle(), MacOS);
}

using ImageButton = FormFixture;

TEST_F(ImageButton, StatePicturesFallBackToNormal)
{
    auto *button = Make<TsuiImageButton>(10, 10);
    EXPECT_EQ(button->UIStyle(), Custom);
    auto solid = [](TPicture &picture, TColor color) {
        TBitmap bitmap;
        bitmap.SetSize(20, 10);
        bitmap.Canvas()->Brush()->SetColor(color);
        bitmap.Canvas()->FillRect(Rect(0, 0, 20, 10));
        picture.SetBitmap(&bitmap);
    };
    TPicture normal, down;
    solid(normal, clRed);
    solid(down, clBlue);
    button->SetAutoSize(true);
    button->SetPicNormal(&normal);
    button->SetPicMouseDown(&down);
    EXPECT_EQ(button->Width(), 20);
    EXPECT_EQ(button->Height(), 10);

    EXPECT_EQ(Grab(*button).pixelColor(5, 5), QColor(Qt::red));
    button->Perform(CM_MOUSEENTER);
    EXPECT_EQ(Grab(*button).pixelColor(5, 5), QColor(Qt::red)) << "no mouse-on picture: the normal one";
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(Grab(*button).pixelColor(5, 5), QColor(Qt::blue));
}
