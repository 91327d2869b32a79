// A frameless window shaped by a region, dragged by its caption strip and
// resized by its edges, in a real X window.
#include "WaitFor.h"
#include "Forms.h"
#include "MouseDrag.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {
// A caption strip: a press outside its buttons starts the window move.
class TCaptionStrip : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        TCustomControl::MouseDown(Button, Shift, X, Y);
        if (Button != mbLeft)
            return;
        ReleaseCapture();
        GetParentForm(this)->Perform(WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clNavy);
        Canvas()->FillRect(ClientRect());
    }
};

// Hooks the form's window procedure the way a skin does: edges within
// 5 pixels resize the window.
struct EdgeHook {
    TWndMethod Old;
    TCustomForm *Form;
    explicit EdgeHook(TCustomForm *AForm) : Old(AForm->WindowProc), Form(AForm)
    {
        Form->WindowProc = [this](TMessage &M) {
            Old(M);
            if (M.Msg != WM_NCHITTEST)
                return;
            const TPoint p = Form->ScreenToClient({GET_X_LPARAM(M.LParam), GET_Y_LPARAM(M.LParam)});
            const int cw = Form->ClientWidth();
            const int ch = Form->ClientHeight();
            if (p.X > cw - 5 && p.Y > ch - 5)
                M.Result = HTBOTTOMRIGHT;
            else if (p.X <= 4)
                M.Result = HTLEFT;
        };
    }
    ~EdgeHook() { Form->WindowProc = Old; }
};

}

TEST(RealWindow, FramelessRoundedWindowMovesAndResizes)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetColor(clYellow);
    form.SetBounds(200, 150, 300, 200);
    auto *caption = new TCaptionStrip(&form);
    caption->SetParent(&form);
    caption->SetBounds(0, 0, 300, 28);
    caption->SetAlign(alTop);
    EdgeHook hook(&form);
    form.Show();
    QWidget *w = form.Handle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);

    // Rounded top corners, square bottom ones.
    const int r = 16;
    HRGN region = CreateRoundRectRgn(0, 0, 301, 201, r, r);
    HRGN left = CreateRectRgn(0, 200, 2 * r, 200 - 2 * r);
    HRGN right = CreateRectRgn(300, 200, 300 - 2 * r, 200 - 2 * r);
    CombineRgn(region, region, left, RGN_OR);
    CombineRgn(region, region, right, RGN_OR);
    DeleteObject(left);
    DeleteObject(right);
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 150, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 199));
    SetWindowRgn(w, region, true);
    QTest::qWait(100);
    QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    EXPECT_EQ(screen.pixelColor(200 + 150, 150 + 10), QColor(0, 0, 128));  // the caption strip
    EXPECT_NE(screen.pixelColor(200, 150), QColor(0, 0, 128));             // cut-off corner
    EXPECT_EQ(screen.pixelColor(200 + 1, 150 + 198), QColor(255, 255, 0)); // square bottom corner
    if (!qEnvironmentVariableIsEmpty("WORDLARK_SCREENSHOT"))
        screen.copy(180, 130, 340, 240).save(qEnvironmentVariable("WORDLARK_SCREENSHOT"));

    // Dragging the caption strip moves the window with the mouse.
    Drag(w->windowHandle(), Global(caption, 150, 10), Global(caption, 150 + 40, 10 + 30));
    EXPECT_TRUE(WaitFor([&] { return form.Left() == 240 && form.Top() == 180; })) << form.Left() << "," << form.Top();
    EXPECT_EQ(form.Width(), 300);

    // Dragging the bottom-right corner resizes it; the left edge moves its left side.
    Drag(w->windowHandle(), Global(&form, 297, 197), Global(&form, 297 + 50, 197 + 20));
    EXPECT_TRUE(WaitFor([&] { return form.Width() == 350 && form.Height() == 220; })) << form.Width() << "x" << form.Height();
    EXPECT_EQ(caption->Width(), 350); // the layout follows the real window
    Drag(w->windowHandle(), Global(&form, 2, 100), Global(&form, 2 + 30, 100));
    EXPECT_TRUE(WaitFor([&] { return form.Left() == 270 && form.Width() == 320; })) << form.Left() << " " << form.Width();

    // Constraints limit a resize by the edges.
    form.Constraints()->SetMaxWidth(330);
    Drag(w->windowHandle(), Global(&form, 317, 217), Global(&form, 317 + 100, 217));
    EXPECT_TRUE(WaitFor([&] { return form.Width() == 330; })) << form.Width();
}

TEST(RealWindow, MinimiseMaximiseRestoreFollowTheWindow)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(100, 100, 240, 160);
    form.Show();
    QWidget *w = form.Handle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    TRect area;
    SetWorkAreaProvider([] { return Rect(0, 0, 1280, 1000); });
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    SetWorkAreaProvider(nullptr);
    EXPECT_EQ(area, Rect(0, 0, 1280, 1000));

    form.Perform(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(WaitFor([&] { return form.WindowState() == wsMaximized; }));
    EXPECT_TRUE(IsZoomed(w));
    form.Perform(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitFor([&] { return form.WindowState() == wsNormal && form.Width() == 240; })) << form.Width();
    form.SetWindowState(wsMinimized);
    EXPECT_TRUE(WaitFor([&] { return IsIconic(w); }));
}
