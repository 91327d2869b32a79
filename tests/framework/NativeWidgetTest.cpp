#include "Forms.h"
#include "ShowActive.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// A control showing a Qt line edit, with a frame drawn over it after the
// edit painted, the way boxed skinned controls draw their border.
class TLineEdit : public TWinControl {
public:
    explicit TLineEdit(TComponent *AOwner) : TWinControl(AOwner) { SetTabStop(true); }
    QLineEdit *Edit() { return static_cast<QLineEdit *>(Handle()); }
    TColor FrameColor = clRed;
    int Paints = 0;

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override
    {
        auto *edit = new QLineEdit(ParentWidget);
        edit->setFrame(false);
        return edit;
    }
    void WMPaint(TMessage &Message) override
    {
        TWinControl::WMPaint(Message);
        ++Paints;
        HDC dc = GetWindowDC(Handle());
        dc->Brush()->SetColor(FrameColor);
        dc->FrameRect(Rect(0, 0, Width(), Height()));
        ReleaseDC(Handle(), dc);
    }
};

class TDefaultButton : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Clicks = 0;

protected:
    void CMDialogKey(TMessage &M) override
    {
        if (M.WParam == VK_RETURN) {
            ++Clicks;
            M.Result = 1;
        }
    }
};

struct NativeFixture : ::testing::Test {
    TForm *Form = nullptr;
    TLineEdit *Edit = nullptr;
    TDefaultButton *Button = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(0, 0, 240, 120);
        Edit = new TLineEdit(Form);
        Edit->SetBounds(10, 10, 150, 24);
        Edit->SetParent(Form);
        Button = new TDefaultButton(Form);
        Button->SetBounds(10, 50, 80, 24);
        Button->SetParent(Form);
        ASSERT_TRUE(ShowActive(Form));
    }
    void TearDown() override { delete Form; }
};
}

TEST_F(NativeFixture, TheQtWidgetTypesAndTheControlSeesTheKeys)
{
    ASSERT_EQ(Form->ActiveControl(), Edit);
    ASSERT_TRUE(Edit->Focused());
    std::vector<String> keys;
    Edit->OnKeyPress = [&](TObject *, QChar &Key) {
        keys.push_back(Key);
        if (Key == QLatin1Char('x'))
            Key = QChar(); // eaten: the edit never sees it
    };
    QTest::keyClicks(Edit->Edit(), "lexson");
    EXPECT_EQ(Edit->Edit()->text(), "leson");
    EXPECT_EQ(keys.size(), 6u);
    // Arrows stay in the edit; Enter goes to the form's default button.
    QTest::keyClick(Edit->Edit(), Qt::Key_Left);
    QTest::keyClick(Edit->Edit(), 's');
    EXPECT_EQ(Edit->Edit()->text(), "lesosn");
    QTest::keyClick(Edit->Edit(), Qt::Key_Return);
    EXPECT_EQ(Button->Clicks, 1);
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(NativeFixture, DrawsOverTheQtWidgetAfterItPainted)
{
    Edit->Edit()->setText("Wordlark");
    const QImage before = Edit->Edit()->grab().toImage();
    EXPECT_GT(Edit->Paints, 0);
    EXPECT_EQ(before.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(before.pixelColor(149, 23), QColor(255, 0, 0));
    EXPECT_NE(before.pixelColor(75, 1), QColor(255, 0, 0));
    Edit->FrameColor = clBlue;
    Edit->Invalidate();
    const QImage after = Edit->Edit()->grab().toImage();
    EXPECT_EQ(after.pixelColor(0, 12), QColor(0, 0, 255));
}

TEST_F(NativeFixture, MouseMessagesReachTheControlAndTheWidget)
{
    std::vector<String> log;
    Edit->OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int X, int Y) { log.push_back(QStringLiteral("down %1,%2").arg(X).arg(Y)); };
    Edit->OnClick = [&](TObject *) { log.push_back("click"); };
    Edit->Edit()->setText("abcdef");
    Edit->Edit()->setCursorPosition(6);
    QTest::mouseClick(Edit->Edit(), Qt::LeftButton, {}, QPoint(2, 12));
    EXPECT_EQ(log, (std::vector<String>{"down 2,12", "click"}));
    EXPECT_EQ(Edit->Edit()->cursorPosition(), 0);
}
