// The programme window under a real window manager (openbox), driven with
// real pointer input through the X server (xdotool): it resizes from its
// border (the sides, the bottom and the four corners; the title bar covers
// the top edge), its title bar buttons maximise, restore and minimise it,
// and a click on its title bar never moves it.
#include "WaitFor.h"
#include "../../framework/xvfb/MouseDrag.h"
#include "../ScriptedProgrammeControl.h"
#include "Unit3.h"

#include <QCursor>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

void Xdo(const QStringList &Args)
{
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), Args), 0) << Args.join(' ').toStdString();
}

void PointerTo(const QPoint &At)
{
    Xdo({"mousemove", QString::number(At.x()), QString::number(At.y())});
    WaitFor([&] { return QCursor::pos() == At; });
}

// The window manager has taken the window in: it sets WM_STATE once it has
// put the window into its frame. Until then it may still unmap and reparent
// the window (a manager that has just started takes in the windows it finds
// already mapped), which ends a drag in progress.
bool Managed(const QWindow *Window)
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-id", QString::number(Window->winId()), "WM_STATE"});
    return xprop.waitForFinished(3000) && xprop.readAllStandardOutput().contains("Normal");
}

bool WindowManagerRuns()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {"-root", "_NET_SUPPORTING_WM_CHECK"});
    return xprop.waitForFinished(3000) && xprop.readAllStandardOutput().contains("window id");
}

class UnderAWindowManager : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Openbox = new QProcess;
        Openbox->start(QStringLiteral("openbox"), {"--sm-disable"});
        ASSERT_TRUE(Openbox->waitForStarted()) << "openbox is installed by scripts/setup";
        ASSERT_TRUE(WaitFor(WindowManagerRuns, 10000));
    }
    static void TearDownTestSuite()
    {
        Openbox->terminate();
        if (!Openbox->waitForFinished(5000))
            Openbox->kill();
        delete Openbox;
        Openbox = nullptr;
        WaitFor([] { return !WindowManagerRuns(); }, 5000);
    }
    void SetUp() override
    {
        ScriptedProgrammeControl::Register();
        Main.reset(Application->CreateForm<TForm>());
        Window.reset(Application->CreateForm<TForm3>());
        Window->SetBounds(200, 150, 476, 415);
        // A window manager that has just started may miss the first window
        // mapped: it is shown again until it is on the screen and taken in.
        const auto ready = [this] {
            const QWindow *handle = Window->Handle()->windowHandle();
            return handle && handle->isExposed() && Managed(handle);
        };
        WaitFor(ready, 5000);
        for (int attempt = 0; attempt < 3 && !ready(); ++attempt) {
            Window->Hide();
            Window->Show();
            WaitFor(ready, 5000);
        }
        ASSERT_TRUE(ready());
        // The window manager may place the window its own way: wait until it has.
        QRect placed;
        ASSERT_TRUE(WaitFor([&] {
            const bool settled = Geometry() == placed;
            placed = Geometry();
            QTest::qWait(50);
            return settled;
        }));
    }
    void TearDown() override
    {
        Xdo({"mouseup", "1"});
        Window.reset();
        Main.reset();
    }
    QRect Geometry() const { return Window->Handle()->geometry(); }
    // A drag with the real pointer from a client point of the window by
    // Delta, in steps; each step waits until the window has followed it.
    void Drag(const QPoint &From, const QPoint &Delta, const std::function<QRect(const QRect &, const QPoint &)> &Expect)
    {
        const QRect start = Geometry();
        const QPoint from = Window->Handle()->mapToGlobal(From);
        PointerTo(from);
        Xdo({"mousedown", "1"});
        for (int step = 1; step <= 4; ++step) {
            const QPoint d = Delta * step / 4;
            PointerTo(from + d);
            EXPECT_TRUE(WaitFor([&] { return Geometry() == Expect(start, d); }))
                << "step " << step << ": " << Geometry().x() << "," << Geometry().y() << " " << Geometry().width() << "x"
                << Geometry().height();
        }
        Xdo({"mouseup", "1"});
    }
    std::unique_ptr<TForm> Main;
    std::unique_ptr<TForm3> Window;
    static QProcess *Openbox;
};
QProcess *UnderAWindowManager::Openbox = nullptr;

struct TGrip {
    const char *Name;
    double X, Y;   // where on the window, 0 to 1 (0 and 1 lie on the border;
                   // the top corners are rounded, so a grip there lies lower)
    int Left, Top, Right, Bottom; // which edges follow the pointer
};

class BorderGrips : public UnderAWindowManager, public ::testing::WithParamInterface<TGrip> {};

TEST_P(BorderGrips, ResizeTheWindowFromThatEdge)
{
    const TGrip g = GetParam();
    const QSize size = Geometry().size();
    const QPoint from(g.X == 0 ? 1 : g.X == 1 ? size.width() - 2 : int(size.width() * g.X),
                      g.Y == 0 ? 4 : g.Y == 1 ? size.height() - 2 : int(size.height() * g.Y));
    const QPoint outward((g.Right - g.Left) * 60, (g.Bottom - g.Top) * 48);
    Drag(from, outward, [&](const QRect &r, const QPoint &d) {
        return r.adjusted(g.Left * d.x(), g.Top * d.y(), g.Right * d.x(), g.Bottom * d.y());
    });
    EXPECT_TRUE(WaitFor([this] { return Window->RealAudio1->Width() == Window->suiForm1->Width(); }))
        << "the control follows the new size";
}

INSTANTIATE_TEST_SUITE_P(ProgrammeWindow, BorderGrips,
                         ::testing::Values(TGrip{"left", 0, 0.5, 1, 0, 0, 0}, TGrip{"right", 1, 0.5, 0, 0, 1, 0},
                                           TGrip{"bottom", 0.5, 1, 0, 0, 0, 1},
                                           TGrip{"top_left", 0, 0, 1, 1, 0, 0}, TGrip{"top_right", 1, 0, 0, 1, 1, 0},
                                           TGrip{"bottom_left", 0, 1, 1, 0, 0, 1},
                                           TGrip{"bottom_right", 1, 1, 0, 0, 1, 1}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(UnderAWindowManager, AClickOnTheTitleBarNeverMovesTheWindow)
{
    TsuiTitleBar *bar = Window->suiForm1->TitleBar();
    const QRect before = Geometry();
    // Quick clicks at one place after another, the pointer coming from afar.
    for (const int x : {60, 250, 120}) {
        PointerTo(Global(bar, 300, 200));
        const QPoint at = Global(bar, x, 12);
        Xdo({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
        QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100);
        EXPECT_EQ(Geometry(), before) << "click at " << x;
    }
    // A drag by the title bar moves it by just as much.
    Drag(QPoint(150, 12), QPoint(60, 48), [](const QRect &r, const QPoint &d) { return r.translated(d); });
}

// Clicks a title bar button with the real pointer.
void ClickTitleButton(TsuiTitleBar *Bar, TsuiTitleBarBtnType Type)
{
    int index = -1;
    int left = Bar->Width() + Bar->RightBtnXOffset() + 1;
    for (int i = 0; i < Bar->Buttons()->Count() && index < 0; ++i) {
        TsuiTitleBarButton *button = Bar->Buttons()->Items(i);
        if (button->ButtonType() == suiControlBox)
            continue;
        left -= button->PicNormal()->Width() + Bar->ButtonInterval() + 1;
        if (button->ButtonType() == Type)
            index = i;
    }
    ASSERT_GE(index, 0);
    TsuiTitleBarButton *button = Bar->Buttons()->Items(index);
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50); // a click, not a double click
    PointerTo(Global(Bar, left + button->PicNormal()->Width() / 2, button->Top() + button->PicNormal()->Height() / 2));
    Xdo({"click", "1"});
}

TEST_F(UnderAWindowManager, TitleBarButtonsMaximiseRestoreAndMinimise)
{
    TsuiTitleBar *bar = Window->suiForm1->TitleBar();
    const QRect normal = Geometry();
    const QRect screen = Window->Handle()->screen()->availableGeometry();
    ClickTitleButton(bar, suiMax);
    EXPECT_TRUE(WaitFor([&] { return Window->WindowState() == wsMaximized && Geometry().size() == screen.size(); }))
        << Geometry().width() << "x" << Geometry().height();
    EXPECT_TRUE(WaitFor([this] { return Window->RealAudio1->Width() == Window->suiForm1->Width(); }));
    ClickTitleButton(bar, suiMax);
    EXPECT_TRUE(WaitFor([&] { return Window->WindowState() == wsNormal && Geometry() == normal; }))
        << Geometry().x() << "," << Geometry().y() << " " << Geometry().width() << "x" << Geometry().height();
    ClickTitleButton(bar, suiMin);
    EXPECT_TRUE(WaitFor([this] { return IsIconic(Window->Handle()); }));
    Window->SetWindowState(wsNormal);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(Window->Handle()) && Geometry() == normal; }));
}

} // namespace
