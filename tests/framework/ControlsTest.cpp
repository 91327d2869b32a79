#include "Forms.h"

#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {
// A windowed control that logs its mouse messages and paints its colour.
class TLogControl : public TCustomControl {
public:
    TLogControl(TComponent *AOwner, std::vector<String> &Log) : TCustomControl(AOwner), FLog(Log) {}
    std::vector<String> &FLog;

protected:
    void CMMouseEnter(TMessage &M) override
    {
        TCustomControl::CMMouseEnter(M);
        FLog.push_back(Name() + " enter");
    }
    void CMMouseLeave(TMessage &M) override
    {
        TCustomControl::CMMouseLeave(M);
        FLog.push_back(Name() + " leave");
    }
    void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override
    {
        FLog.push_back(Name() + " down");
        TCustomControl::MouseDown(B, S, X, Y);
    }
    void MouseMove(TShiftState S, int X, int Y) override
    {
        if (S & ssLeft)
            FLog.push_back(Name() + QStringLiteral(" drag %1,%2").arg(X).arg(Y));
        TCustomControl::MouseMove(S, X, Y);
    }
    void MouseUp(TMouseButton B, TShiftState S, int X, int Y) override
    {
        FLog.push_back(Name() + " up");
        TCustomControl::MouseUp(B, S, X, Y);
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

// A control without a window that paints a filled box.
class TBox : public TGraphicControl {
public:
    TBox(TComponent *AOwner, std::vector<String> &Log) : TGraphicControl(AOwner), FLog(Log) {}
    std::vector<String> &FLog;

protected:
    void CMMouseEnter(TMessage &) override { FLog.push_back(Name() + " enter"); }
    void CMMouseLeave(TMessage &) override { FLog.push_back(Name() + " leave"); }
    void MouseDown(TMouseButton, TShiftState, int, int) override { FLog.push_back(Name() + " down"); }
    void MouseUp(TMouseButton, TShiftState, int, int) override { FLog.push_back(Name() + " up"); }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

QPoint Center(TControl *Control)
{
    const TPoint p = Control->ClientToScreen({Control->Width() / 2, Control->Height() / 2});
    return {p.X, p.Y};
}

struct FormFixture : ::testing::Test {
    std::vector<String> Log;
    TForm *Form = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 300, 200);
    }
    void TearDown() override { delete Form; }
    void ShowForm()
    {
        Form->Show();
        QWidget *w = Form->Handle();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    }
    QWindow *Window() { return Form->Handle()->windowHandle(); }
    QPoint InWindow(const QPoint &Global) { return Window()->mapFromGlobal(Global); }
};
}

TEST(Controls, AlignmentLaysOutTopBottomLeftRightClientInOrder)
{
    TForm form(nullptr);
    std::vector<String> log;
    auto *panel = new TLogControl(&form, log);
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 200, 100);
    auto make = [&](TAlign align, int l, int t, int w, int h) {
        auto *c = new TLogControl(&form, log);
        c->SetBounds(l, t, w, h);
        c->SetParent(panel);
        c->SetAlign(align);
        return c;
    };
    auto *top2 = make(alTop, 0, 50, 10, 20);
    auto *top1 = make(alTop, 0, 5, 10, 10);
    auto *bottom = make(alBottom, 0, 0, 10, 15);
    auto *left = make(alLeft, 0, 0, 30, 10);
    auto *right = make(alRight, 0, 0, 40, 10);
    auto *client = make(alClient, 0, 0, 1, 1);
    // top2 took the top first; top1, aligned later, goes below it.
    EXPECT_EQ(top2->BoundsRect(), Rect(0, 0, 200, 20));
    EXPECT_EQ(top1->BoundsRect(), Rect(0, 20, 200, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 85, 200, 100));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 30, 85));
    EXPECT_EQ(right->BoundsRect(), Rect(160, 30, 200, 85));
    EXPECT_EQ(client->BoundsRect(), Rect(30, 30, 160, 85));
    // Children keep their creation order whatever the layout.
    EXPECT_EQ(panel->Controls(0), top2);
    EXPECT_EQ(panel->Controls(5), client);

    panel->SetBounds(0, 0, 300, 120);
    EXPECT_EQ(client->BoundsRect(), Rect(30, 30, 260, 105));
    right->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), Rect(30, 30, 300, 105));
}

TEST(Controls, ConstraintsAndCanResizeLimitTheSize)
{
    TForm form(nullptr);
    std::vector<String> log;
    auto *c = new TLogControl(&form, log);
    c->Constraints()->SetMinWidth(50);
    c->Constraints()->SetMaxHeight(40);
    c->SetBounds(0, 0, 10, 100);
    EXPECT_EQ(c->Width(), 50);
    EXPECT_EQ(c->Height(), 40);
    c->OnCanResize = [](TObject *, int &W, int &, bool &Resize) { Resize = W < 100; };
    c->SetWidth(200);
    EXPECT_EQ(c->Width(), 50);
    int resized = 0;
    c->OnResize = [&](TObject *) { ++resized; };
    c->SetWidth(60);
    EXPECT_EQ(resized, 1);
}

TEST(Controls, PropertyChangesArriveAsMessages)
{
    class TProbe : public TCustomControl {
    public:
        using TCustomControl::TCustomControl;
        std::vector<UINT> Seen;
        void WndProc(TMessage &M) override
        {
            if (M.Msg >= CM_BASE && M.Msg < CM_BASE + 100)
                Seen.push_back(M.Msg);
            TCustomControl::WndProc(M);
        }
    };
    TForm form(nullptr);
    auto *probe = new TProbe(&form);
    probe->SetParent(&form);
    probe->Seen.clear();
    probe->SetCaption("Play");
    probe->SetEnabled(false);
    probe->SetColor(clRed);
    probe->Font()->SetSize(20);
    EXPECT_EQ(probe->Seen, (std::vector<UINT>{CM_TEXTCHANGED, CM_ENABLEDCHANGED, CM_COLORCHANGED, CM_FONTCHANGED}));
    EXPECT_FALSE(probe->ParentFont());
    // A parent's font reaches children that take their parent's font.
    auto *child = new TProbe(&form);
    child->SetParent(&form);
    form.Font()->SetName("Tahoma");
    EXPECT_EQ(child->Font()->Name(), "Tahoma");
    EXPECT_NE(probe->Font()->Name(), "Tahoma");
}

TEST_F(FormFixture, MouseEnterLeavePressReleaseAndCapture)
{
    auto *a = new TLogControl(Form, Log);
    a->SetName("A");
    a->SetBounds(10, 10, 80, 60);
    a->SetParent(Form);
    auto *b = new TLogControl(Form, Log);
    b->SetName("B");
    b->SetBounds(150, 10, 80, 60);
    b->SetParent(Form);
    auto *box = new TBox(Form, Log);
    box->SetName("Box");
    box->SetBounds(10, 120, 50, 40);
    box->SetParent(Form);
    ShowForm();
    int clicks = 0;
    a->OnClick = [&](TObject *) { ++clicks; };

    QTest::mouseMove(Window(), InWindow(Center(a)));
    QTest::mouseMove(Window(), InWindow(Center(box)));
    QTest::mouseMove(Window(), InWindow(Center(a)));
    EXPECT_EQ(Log, (std::vector<String>{"A enter", "A leave", "Box enter", "Box leave", "A enter"}));

    // Pressed on A, dragged over B and released there: A keeps the mouse,
    // hears that the pointer left, and no click happens.
    Log.clear();
    QTest::mousePress(Window(), Qt::LeftButton, {}, InWindow(Center(a)));
    EXPECT_TRUE(a->MouseCapture());
    const QPoint overB = InWindow(Center(b));
    QTest::mouseMove(Window(), overB);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, overB);
    const String drag = QStringLiteral("A drag %1,%2").arg(Center(b).x() - a->ClientOrigin().X).arg(Center(b).y() - a->ClientOrigin().Y);
    EXPECT_EQ(Log, (std::vector<String>{"A down", drag, "A leave", "B enter", "A up"}));
    EXPECT_FALSE(a->MouseCapture());
    EXPECT_EQ(clicks, 0);

    // A press and release on the graphic control go to it, through its parent.
    Log.clear();
    QTest::mouseMove(Window(), InWindow(Center(box)));
    QTest::mouseClick(Window(), Qt::LeftButton, {}, InWindow(Center(box)));
    EXPECT_EQ(Log, (std::vector<String>{"B leave", "Box enter", "Box down", "Box up"}));

    QTest::mouseClick(Window(), Qt::LeftButton, {}, InWindow(Center(a)));
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormFixture, ParentPaintsIntoAGivenCanvasAtItsOrigin)
{
    auto *parent = new TLogControl(Form, Log);
    parent->SetBounds(0, 0, 100, 80);
    parent->SetColor(clNavy);
    parent->SetParent(Form);
    auto *box = new TBox(Form, Log);
    box->SetBounds(20, 10, 30, 20);
    box->SetColor(clYellow);
    box->SetParent(parent);

    // Paint the parent's area under (15, 5)-(55, 35) into a bitmap.
    TBitmap bitmap;
    bitmap.SetSize(40, 30);
    TCanvas *dc = bitmap.Canvas();
    dc->SetOrigin({-15, -5});
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    dc->Release();
    const QImage &img = bitmap.Image();
    EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 0, 128));
    EXPECT_EQ(img.pixelColor(4, 4), QColor(0, 0, 128));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(255, 255, 0)); // the box's corner
    EXPECT_EQ(img.pixelColor(34, 24), QColor(255, 255, 0));
    EXPECT_EQ(img.pixelColor(35, 25), QColor(0, 0, 128));
}

TEST_F(FormFixture, WindowShowsControlsAndGraphicChildrenOnTop)
{
    Form->SetColor(clWhite);
    auto *panel = new TLogControl(Form, Log);
    panel->SetBounds(10, 10, 100, 60);
    panel->SetColor(clGreen);
    panel->SetBorderWidth(4);
    panel->SetParent(Form);
    auto *box = new TBox(Form, Log);
    box->SetBounds(0, 0, 10, 10);
    box->SetColor(clRed);
    box->SetParent(panel);
    ShowForm();
    const QImage shot = Form->Handle()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(5, 5), QColor(255, 255, 255));
    EXPECT_EQ(shot.pixelColor(10 + 4 + 5, 10 + 4 + 5), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(10 + 50, 10 + 30), QColor(0, 128, 0));
    EXPECT_EQ(shot.pixelColor(10 + 1, 10 + 1), QColor(0, 128, 0)); // the margin has the colour
    EXPECT_EQ(panel->ClientRect(), Rect(0, 0, 92, 52));
}
