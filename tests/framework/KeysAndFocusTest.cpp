#include "Forms.h"
#include "ShowActive.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// A push button the way skinned buttons answer dialog keys and characters.
class TTestButton : public TCustomControl {
public:
    explicit TTestButton(TComponent *AOwner) : TCustomControl(AOwner) { SetTabStop(true); }
    bool Default = false;
    bool Cancel = false;

protected:
    void CMDialogKey(TMessage &M) override
    {
        if (((M.WParam == VK_RETURN && Default) || (M.WParam == VK_ESCAPE && Cancel)) && CanFocus()) {
            Click();
            M.Result = 1;
            return;
        }
        TCustomControl::CMDialogKey(M);
    }
    void CMDialogChar(TMessage &M) override
    {
        if (IsAccel(static_cast<int>(M.WParam), Caption()) && Enabled()) {
            SetFocus();
            Click();
            M.Result = 1;
            return;
        }
        M.Result = 0;
    }
};

struct KeysFixture : ::testing::Test {
    std::vector<String> Log;
    TForm *Form = nullptr;
    TTestButton *Play = nullptr;
    TTestButton *Stop = nullptr;
    TTestButton *Other = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(50, 50, 300, 200);
        auto make = [&](const char *name, const char *caption, int left) {
            auto *b = new TTestButton(Form);
            b->SetName(name);
            b->SetCaption(caption);
            b->SetBounds(left, 10, 60, 24);
            b->SetParent(Form);
            b->OnClick = [this](TObject *Sender) { Log.push_back(static_cast<TControl *>(Sender)->Name() + " click"); };
            b->OnEnter = [this](TObject *Sender) { Log.push_back(static_cast<TControl *>(Sender)->Name() + " enter"); };
            b->OnExit = [this](TObject *Sender) { Log.push_back(static_cast<TControl *>(Sender)->Name() + " exit"); };
            return b;
        };
        Play = make("Play", "&Play", 10);
        Stop = make("Stop", "&Stop", 80);
        Other = make("Other", "Other", 150);
        Play->Default = true;
        Stop->Cancel = true;
        ASSERT_TRUE(ShowActive(Form));
    }
    void TearDown() override { delete Form; }
    QWidget *FocusWidget() { return QApplication::focusWidget(); }
};
}

TEST_F(KeysFixture, ShowingFocusesTheFirstControlInTabOrder)
{
    EXPECT_EQ(Form->ActiveControl(), Play);
    EXPECT_TRUE(Play->Focused());
    EXPECT_EQ(Screen->ActiveForm(), Form);
    EXPECT_EQ(Log, (std::vector<String>{"Play enter"}));
}

TEST_F(KeysFixture, TabWalksTheTabOrderAndShiftTabBack)
{
    Other->SetTabOrder(0);
    Log.clear();
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Form->ActiveControl(), Stop);
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Form->ActiveControl(), Other);
    QTest::keyClick(FocusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Form->ActiveControl(), Stop);
    EXPECT_EQ(Log, (std::vector<String>{"Play exit", "Stop enter", "Stop exit", "Other enter", "Other exit", "Stop enter"}));
    // A disabled control is skipped.
    Other->SetEnabled(false);
    QTest::keyClick(FocusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Form->ActiveControl(), Play);
}

TEST_F(KeysFixture, EnterEscapeAndAcceleratorsReachTheirButtons)
{
    Other->SetFocus();
    Log.clear();
    QTest::keyClick(FocusWidget(), Qt::Key_Return);
    QTest::keyClick(FocusWidget(), Qt::Key_Escape);
    QTest::keyClick(FocusWidget(), Qt::Key_S);
    EXPECT_EQ(Log, (std::vector<String>{"Play click", "Stop click", "Other exit", "Stop enter", "Stop click"}));
    EXPECT_EQ(Form->ActiveControl(), Stop);
}

TEST_F(KeysFixture, KeyEventsAndPreviewByTheForm)
{
    std::vector<String> keys;
    Other->SetFocus();
    Other->OnKeyDown = [&](TObject *, int &Key, TShiftState Shift) {
        keys.push_back(QStringLiteral("down %1%2").arg(Key).arg(Shift & ssShift ? " shift" : ""));
    };
    Other->OnKeyPress = [&](TObject *, QChar &Key) { keys.push_back(QStringLiteral("press %1").arg(Key)); };
    Other->OnKeyUp = [&](TObject *, int &Key, TShiftState) { keys.push_back(QStringLiteral("up %1").arg(Key)); };
    QTest::keyClick(FocusWidget(), 'A', Qt::ShiftModifier);
    EXPECT_EQ(keys, (std::vector<String>{"down 16 shift", "down 65 shift", "press A", "up 65", "up 16"}));

    // With KeyPreview the form sees the key first and may eat it.
    keys.clear();
    Form->SetKeyPreview(true);
    Form->OnKeyDown = [&](TObject *, int &Key, TShiftState) {
        keys.push_back(QStringLiteral("form %1").arg(Key));
        Key = 0;
    };
    QTest::keyClick(FocusWidget(), Qt::Key_B);
    EXPECT_EQ(keys, (std::vector<String>{"form 66", "press b", "up 66"}));

    // OnMessage sees input before any control; a key it handles types nothing.
    keys.clear();
    Application->OnMessage = [&](TMsg &Msg, bool &Handled) { Handled = Msg.message == WM_KEYDOWN && Msg.wParam == 'C'; };
    QTest::keyClick(FocusWidget(), Qt::Key_C);
    Application->OnMessage = nullptr;
    EXPECT_EQ(keys, (std::vector<String>{"up 67"}));
}

TEST_F(KeysFixture, RemovingTheFocusedControlLeavesNoDanglingFocus)
{
    Stop->SetFocus();
    EXPECT_EQ(Form->ActiveControl(), Stop);
    TWinControl *gone = Stop;
    delete Stop;
    Stop = nullptr;
    EXPECT_EQ(Form->ActiveControl(), nullptr);
    EXPECT_NE(Screen->ActiveControl(), gone);
    Play->SetFocus();
    EXPECT_TRUE(Play->Focused());
}
