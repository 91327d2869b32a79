// The tree and the movie area follow the skinned form's size; the size
// commands; keys go to the movie after a resize.
#include "MainWindowFixture.h"
#include "WaitFor.h"

namespace {

class Sizing : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        CreateMainWindow();
    }
    // The layout rule, once the layout timer has run.
    bool Fitted() const
    {
        const int h = Form->suiForm1->Height();
        const int w = Form->suiForm1->Width();
        return Form->suiTreeView1->Height() == h - 102 && Form->Panel1->Height() == h - 102 && Form->Panel1->Width() == w - 145;
    }
};

struct TSizeRow {
    const char *Item;
    int Width, Height; // the skinned form requested
};

class SizeCommands : public Sizing, public ::testing::WithParamInterface<TSizeRow> {};

TEST_P(SizeCommands, RequestTheSkinnedFormSizeAndTheLayoutFollows)
{
    auto *item = dynamic_cast<TMenuItem *>(Form->FindComponent(GetParam().Item));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Parent(), Form->N3);
    Form->N5->Click();
    ASSERT_TRUE(WaitFor([this] { return Fitted(); }));
    item->Click();
    const int bw = Form->suiForm1->BorderWidth();
    EXPECT_EQ(Form->Width(), GetParam().Width + 2 * bw);
    EXPECT_EQ(Form->Height(), GetParam().Height + bw + bw / 2);
    EXPECT_EQ(Form->suiForm1->Width(), GetParam().Width);
    EXPECT_TRUE(WaitFor([this] { return Fitted(); }));
    EXPECT_EQ(Form->suiTreeView1->Left(), 8);
    EXPECT_EQ(Form->suiTreeView1->Top(), 56);
    EXPECT_EQ(Form->suiTreeView1->Width(), 121);
    EXPECT_EQ(Form->Panel1->Left(), 136);
    EXPECT_EQ(Form->GroupBox1->Top() + Form->GroupBox1->Height(), Form->suiForm1->ClientHeight());
    EXPECT_EQ(Form->WindowState(), wsNormal);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, SizeCommands,
                         ::testing::Values(TSizeRow{"N4", 481, 351}, TSizeRow{"N5", 600, 451}));

TEST_F(Sizing, MaximiseFitsTheAreaToTheMaximisedWindow)
{
    Form->N6->Click();
    EXPECT_EQ(Form->WindowState(), wsMaximized);
    ASSERT_TRUE(WaitFor([this] { return Form->suiForm1->Width() > 600; }));
    EXPECT_TRUE(WaitFor([this] { return Fitted(); }));
    // A size command does not restore the window first.
    Form->N4->Click();
    EXPECT_EQ(Form->WindowState(), wsMaximized);
}

TEST_F(Sizing, ResizeGivesTheFocusToTheMovie)
{
    Form->suiTreeView1->SetFocus();
    Form->N5->Click();
    ASSERT_TRUE(WaitFor([this] { return Fitted(); }));
    EXPECT_TRUE(WaitFor([this] { return Form->ActiveControl() == Form->ShockwaveFlash1; }));
}

TEST_F(Sizing, HiddenWindowIsFittedWithoutTakingTheFocus)
{
    Form->SetVisible(false);
    Form->N5->Click();
    EXPECT_TRUE(WaitFor([this] { return Fitted(); }));
    EXPECT_FALSE(Form->Visible());
}

} // namespace
