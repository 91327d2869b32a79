// Skinned group boxes: the frame and caption drawing, enabling children, the
// style from the window and its propagation one level into group boxes.
#include "SUIButton.h"
#include "SUIForm.h"
#include "SUIGroupBox.h"
#include "SUIRadioGroup.h"
#include "SUITrackBar.h"
#include "StdCtrls.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

QImage Grab(TWinControl &Control)
{
    TBitmap bitmap;
    bitmap.SetSize(Control.Width(), Control.Height());
    Control.PaintTo(bitmap.Canvas(), 0, 0);
    return bitmap.Image();
}

constexpr TColor Frame = 0x00123456;
constexpr TColor Back = 0x00E0F0D0;

// A group box on a plain filled parent, with a known frame colour.
struct GroupBoxFixture : ::testing::Test {
    TCustomPanel Parent{nullptr};
    TsuiGroupBox *Box = nullptr;
    int Line = 0; // y of the frame's top line

    void SetUp() override
    {
        Parent.SetBounds(0, 0, 300, 200);
        Parent.SetBevelOuter(bvNone);
        Parent.SetColor(Back);
        Box = new TsuiGroupBox(&Parent);
        Box->SetParent(&Parent);
        Box->SetBounds(10, 10, 120, 80);
        Box->SetBorderColor(Frame);
        Box->Font()->SetHeight(-12);
        Line = 12 / 2 + 1;
    }
    bool IsFrame(const QImage &Image, int X, int Y) { return Image.pixelColor(X, Y) == ColorToQColor(Frame); }
    // Pixels of the caption's area that are not the parent's background.
    int InkIn(const QImage &Image, QColor Ink)
    {
        int count = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 5; x < 60; ++x) {
                const QColor c = Image.pixelColor(x, y);
                if (std::abs(c.red() - Ink.red()) + std::abs(c.green() - Ink.green()) + std::abs(c.blue() - Ink.blue()) < 60)
                    ++count;
            }
        return count;
    }
};

} // namespace

using GroupBox = GroupBoxFixture;

TEST_F(GroupBox, StartsSeeThroughWithTheWindowsColours)
{
    TsuiGroupBox plain(nullptr);
    EXPECT_EQ(plain.Width(), 185);
    EXPECT_EQ(plain.Height(), 105);
    EXPECT_EQ(plain.Text(), " ");
    EXPECT_TRUE(plain.Caption().isEmpty());
    EXPECT_TRUE(plain.Transparent());
    EXPECT_EQ(plain.Color(), clBtnFace);
    EXPECT_EQ(plain.BorderColor(), GetThemeColor(DeepBlue, 8));
    EXPECT_EQ(plain.Font()->Color(), GetThemeColor(DeepBlue, 10));

    TForm form(nullptr);
    auto *skin = new TsuiForm(&form);
    skin->SetParent(&form);
    skin->SetUIStyle(WinXP);
    TsuiGroupBox onSkin(&form);
    EXPECT_EQ(onSkin.BorderColor(), 0x00686868);
    EXPECT_EQ(onSkin.Font()->Color(), GetThemeColor(WinXP, 10));
}

TEST_F(GroupBox, FrameLeavesAGapForTheCaption)
{
    Box->SetCaption("Lesson");
    const QImage image = Grab(*Box);
    // Left, bottom and right edges, and the top line down to the corners.
    for (int y = Line; y < 80; y += 7)
        EXPECT_TRUE(IsFrame(image, 0, y)) << y;
    EXPECT_TRUE(IsFrame(image, 0, 79));
    EXPECT_TRUE(IsFrame(image, 119, Line));
    for (int x = 0; x < 120; x += 7) {
        EXPECT_TRUE(IsFrame(image, x, 79)) << x;
        EXPECT_FALSE(IsFrame(image, x, Line - 1)) << x;
    }
    EXPECT_TRUE(IsFrame(image, 119, 50));
    EXPECT_TRUE(IsFrame(image, 1, Line));
    EXPECT_TRUE(IsFrame(image, 2, Line));
    // The gap: from x = 3 to the caption's end plus 6.
    EXPECT_FALSE(IsFrame(image, 3, Line));
    TBitmap measure;
    measure.Canvas()->SetFont(Box->Font());
    const int end = 6 + measure.Canvas()->TextWidth("Lesson");
    EXPECT_FALSE(IsFrame(image, end, Line));
    EXPECT_TRUE(IsFrame(image, end + 1, Line));
    EXPECT_TRUE(IsFrame(image, 118, Line));
    // See-through: the parent's colour inside the frame.
    EXPECT_EQ(image.pixelColor(60, 40), ColorToQColor(Back));
}

TEST_F(GroupBox, WithoutCaptionTheFrameIsClosed)
{
    const QImage image = Grab(*Box);
    for (int x = 0; x < 120; ++x)
        ASSERT_TRUE(IsFrame(image, x, Line)) << x;
}

TEST_F(GroupBox, DisablingGreysTheCaptionAndDisablesEachChild)
{
    Box->SetCaption("WWWWW");
    Box->Font()->SetColor(clRed);
    auto *button = new TsuiButton(&Parent);
    button->SetParent(Box);
    button->SetBounds(10, 20, 40, 20);
    auto *inner = new TCustomPanel(&Parent);
    inner->SetParent(Box);
    inner->SetBounds(60, 20, 50, 50);
    auto *deep = new TsuiButton(&Parent);
    deep->SetParent(inner);
    EXPECT_GT(InkIn(Grab(*Box), QColor(Qt::red)), 10);

    Box->SetEnabled(false);
    EXPECT_FALSE(Box->Enabled());
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(inner->Enabled());
    // Only direct children change: the inner panel's child keeps its flag.
    EXPECT_TRUE(deep->Enabled());
    const QImage image = Grab(*Box);
    EXPECT_EQ(InkIn(image, QColor(Qt::red)), 0);
    EXPECT_GT(InkIn(image, QColor(0x80, 0x80, 0x80)), 10);

    Box->SetEnabled(true);
    EXPECT_TRUE(button->Enabled());
    EXPECT_TRUE(inner->Enabled());
}

// The window's style reaches skinned group boxes (and the check group and
// track bar beside them) and the skinned controls inside them, but not controls one level further down nor controls inside
// framework group boxes.
TEST(GroupBoxPropagation, StyleReachesOneLevelIntoGroupBoxes)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 500, 400);
    auto *skin = new TsuiForm(&form);
    skin->SetParent(&form);
    skin->SetUIStyleAutoUpdateSub(true);
    auto *box = new TsuiGroupBox(&form);
    box->SetParent(skin);
    auto *inBox = new TsuiButton(&form);
    inBox->SetParent(box);
    auto *nested = new TsuiGroupBox(&form);
    nested->SetParent(box);
    auto *inNested = new TsuiButton(&form);
    inNested->SetParent(nested);
    auto *frame = new TGroupBox(&form);
    frame->SetParent(skin);
    auto *inFrame = new TsuiButton(&form);
    inFrame->SetParent(frame);
    auto *group = new TsuiCheckGroup(&form);
    group->SetParent(skin);
    group->Items()->SetText("one\ntwo");
    auto *track = new TsuiTrackBar(&form);
    track->SetParent(skin);

    skin->SetUIStyle(Protein);

    EXPECT_EQ(box->BorderColor(), GetThemeColor(Protein, 8));
    EXPECT_EQ(box->Font()->Color(), GetThemeColor(Protein, 10));
    EXPECT_EQ(box->Color(), GetThemeColor(Protein, 9));
    EXPECT_EQ(inBox->UIStyle(), Protein);
    // The nested box gets its colours from its parent box; its own children
    // are not visited.
    EXPECT_EQ(nested->BorderColor(), GetThemeColor(Protein, 8));
    EXPECT_EQ(inNested->UIStyle(), DeepBlue);
    EXPECT_EQ(inFrame->UIStyle(), DeepBlue);
    EXPECT_EQ(group->UIStyle(), Protein);
    EXPECT_EQ(group->BorderColor(), GetThemeColor(Protein, 8));
    EXPECT_EQ(group->Item(0)->UIStyle(), Protein);
    EXPECT_EQ(group->Item(1)->UIStyle(), Protein);
    EXPECT_EQ(track->UIStyle(), Protein);
}
