// Style propagation: the row mechanism with test classes standing in for
// skinned ones, and the container look-ups.
#include "SUIStyleRows.h"
#include "SUIThemes.h"

#include "Forms.h"

#include <gtest/gtest.h>

namespace {

// Every style change of the stand-ins, in order: "name style".
std::vector<String> Changes;

// A skinned control: a style, set through its setter.
class TTestSkinned : public TCustomControl {
public:
    TTestSkinned(TComponent *AOwner, TsuiUIStyle Style) : TCustomControl(AOwner), FUIStyle(Style) {}
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value)
    {
        FUIStyle = Value;
        Changes.push_back(Name() + QStringLiteral(" %1").arg(int(Value)));
    }

private:
    TsuiUIStyle FUIStyle;
};

class TTestButton : public TTestSkinned {
public:
    using TTestSkinned::TTestSkinned;
};
class TTestCheckBox : public TTestSkinned {
public:
    using TTestSkinned::TTestSkinned;
};
class TTestRadioButton : public TTestCheckBox {
public:
    using TTestCheckBox::TTestCheckBox;
};
class TTestTrackBar : public TTestSkinned {
public:
    using TTestSkinned::TTestSkinned;
};
class TTestSkinForm : public TTestSkinned {
public:
    using TTestSkinned::TTestSkinned;
};

// A boxed control: a border colour.
class TTestListBox : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }

private:
    TColor FBorderColor = clFuchsia;
};

// A skinned sub-container.
class TTestImagePanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
};

// Rows in the manner of the real table: the radio button before the check
// box it derives from, then the others.
const TStyleRow TestChildRows[] = {
    StyleRow<TTestRadioButton, FollowStyle>, StyleRow<TTestCheckBox, FollowStyle>,
    StyleRow<TTestButton, FollowStyle>,      StyleRow<TTestListBox, TakeBorderColor>,
    StyleRow<TTestTrackBar, TakeStyle>,
};
const TStyleRow TestSubContainerRows[] = {
    StyleRow<TTestImagePanel,
             [](TTestImagePanel *Panel, TsuiUIStyle Style) { ApplyStyleRows(Panel, Style, TestChildRows); }>,
};

constexpr TSkinFormClass TestForm = SkinFormClass<TTestSkinForm>;

struct Propagation : ::testing::Test {
    TForm Form{nullptr};

    void SetUp() override { Changes.clear(); }

    template <class T, class... Args>
    T *Add(TWinControl *Parent, const char *Name, Args... args)
    {
        auto *control = new T(&Form, args...);
        control->SetName(QLatin1String(Name));
        control->SetParent(Parent);
        Changes.clear();
        return control;
    }
};

} // namespace

TEST_F(Propagation, EachChildGetsEveryRowOfItsClassesInOrder)
{
    auto *radio = Add<TTestRadioButton>(&Form, "Radio", DeepBlue);
    auto *fixed = Add<TTestButton>(&Form, "Fixed", Custom);
    auto *button = Add<TTestButton>(&Form, "Button", DeepBlue);
    auto *list = Add<TTestListBox>(&Form, "List");
    auto *plain = Add<TCustomControl>(&Form, "Plain");
    plain->SetColor(clOlive);
    auto *track = Add<TTestTrackBar>(&Form, "Track", Custom);

    ApplyStyleRows(&Form, WinXP, TestChildRows);

    // The radio button is a check box too, and is given the style twice;
    // a Custom button keeps its look, a track bar takes the style anyway.
    EXPECT_EQ(Changes, (std::vector<String>{"Radio 2", "Radio 2", "Button 2", "Track 2"}));
    EXPECT_EQ(radio->UIStyle(), WinXP);
    EXPECT_EQ(fixed->UIStyle(), Custom);
    EXPECT_EQ(button->UIStyle(), WinXP);
    EXPECT_EQ(track->UIStyle(), WinXP);
    EXPECT_EQ(list->BorderColor(), 0x00686868);
    EXPECT_EQ(plain->Color(), clOlive);
}

// The descent is one level: a sub-container's own children, nothing further,
// and nothing inside framework containers.
TEST_F(Propagation, SubContainersHandTheStyleOneLevelDown)
{
    auto *panel = Add<TTestImagePanel>(&Form, "Panel");
    auto *inPanel = Add<TTestButton>(panel, "InPanel", DeepBlue);
    auto *nested = Add<TTestImagePanel>(panel, "Nested");
    auto *inNested = Add<TTestButton>(nested, "InNested", DeepBlue);
    auto *frame = Add<TCustomControl>(&Form, "Frame");
    auto *inFrame = Add<TTestButton>(frame, "InFrame", DeepBlue);

    ApplyStyleRows(&Form, MacOS, TestChildRows);
    EXPECT_TRUE(Changes.empty());

    ApplyStyleRows(&Form, MacOS, TestSubContainerRows);
    EXPECT_EQ(Changes, std::vector<String>{"InPanel 1"});
    EXPECT_EQ(inPanel->UIStyle(), MacOS);
    EXPECT_EQ(inNested->UIStyle(), DeepBlue);
    EXPECT_EQ(inFrame->UIStyle(), DeepBlue);
}

// The first skinned form among the direct children gives the style, its
// colour and its style's border colour.
TEST_F(Propagation, ContainerLookUpsReadTheFirstSkinnedForm)
{
    Add<TTestButton>(&Form, "Button", BlueGlass);
    auto *first = Add<TTestSkinForm>(&Form, "First", WinXP);
    first->SetColor(0x00DEEBEF);
    Add<TTestSkinForm>(&Form, "Second", MacOS);

    EXPECT_EQ(FindSkinForm(&Form, TestForm), first);
    EXPECT_EQ(ContainerUIStyle(&Form, TestForm), WinXP);
    EXPECT_EQ(ContainerFormColor(&Form, TestForm), 0x00DEEBEF);
    EXPECT_EQ(ContainerBorderColor(&Form, TestForm), 0x00686868);
}

TEST_F(Propagation, WithoutASkinnedFormTheFallbacks)
{
    auto *panel = Add<TCustomControl>(&Form, "Panel");
    Add<TTestSkinForm>(panel, "Deeper", WinXP);
    TComponent notAControl(nullptr);
    for (TComponent *container : {static_cast<TComponent *>(&Form), &notAControl, static_cast<TComponent *>(nullptr)}) {
        EXPECT_EQ(FindSkinForm(container, TestForm), nullptr);
        EXPECT_EQ(ContainerUIStyle(container, TestForm), DeepBlue);
        EXPECT_EQ(ContainerFormColor(container, TestForm), clBtnFace);
        EXPECT_EQ(ContainerBorderColor(container, TestForm), clBlack);
    }
}

// A control made on a window without any TsuiForm starts as DeepBlue, with a
// black border where it asks for one.
TEST_F(Propagation, ControlsOnAPlainWindowStartAsDeepBlue)
{
    Add<TCustomControl>(&Form, "Panel");
    EXPECT_EQ(GetContainerUIStyle(&Form), DeepBlue);
    EXPECT_EQ(GetContainerBorderColor(&Form), clBlack);
    EXPECT_EQ(GetContainerFormColor(&Form), clBtnFace);
    EXPECT_EQ(GetContainerUIStyle(nullptr), DeepBlue);
}
