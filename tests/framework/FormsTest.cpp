#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"

#include "WaitFor.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
// Answers every modal box through the dialog seam and remembers what it showed.
struct BoxAnswerer {
    std::vector<TDialogRequest> Shown;
    std::function<int(const TDialogRequest &)> Answer = [](const TDialogRequest &) { return IDOK; };
    TDialogHandler Previous;
    BoxAnswerer()
    {
        Previous = SetDialogHandler([this](const TDialogRequest &R) {
            Shown.push_back(R);
            return Answer(R);
        });
    }
    ~BoxAnswerer() { SetDialogHandler(Previous); }
};
}

TEST(Forms, ShowHideAndCloseWithItsActions)
{
    TForm form(nullptr);
    std::vector<String> log;
    form.OnShow = [&](TObject *) { log.push_back("show"); };
    form.OnHide = [&](TObject *) { log.push_back("hide"); };
    form.Show();
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(form.Handle()->isVisible());
    form.Close();
    EXPECT_FALSE(form.Handle()->isVisible());
    EXPECT_EQ(log, (std::vector<String>{"show", "hide"}));

    // OnCloseQuery can refuse; caNone keeps the form up.
    form.Show();
    bool allow = false;
    form.OnCloseQuery = [&](TObject *, bool &CanClose) { CanClose = allow; };
    form.Close();
    EXPECT_TRUE(form.Visible());
    allow = true;
    form.OnClose = [](TObject *, TCloseAction &Action) { Action = caNone; };
    form.Close();
    EXPECT_TRUE(form.Visible());
    // Closing through the window (the system close button) does the same.
    form.OnClose = nullptr;
    form.Handle()->close();
    EXPECT_FALSE(form.Visible());
}

TEST(Forms, ClosingTheMainFormEndsTheProgram)
{
    auto *form = Application->CreateForm<TForm>();
    ASSERT_EQ(Application->MainForm(), form);
    form->Show();
    form->Close();
    EXPECT_TRUE(Application->Terminated());
    delete form;
    EXPECT_EQ(Application->MainForm(), nullptr);
    Application->Initialize();
}

TEST(Forms, WindowStateFollowsAndIsFollowed)
{
    TForm form(nullptr);
    form.SetBounds(10, 10, 200, 150);
    form.Show();
    const int normalWidth = form.Width();
    form.SetWindowState(wsMaximized);
    EXPECT_TRUE(form.Handle()->isMaximized());
    const TRect area = Screen->WorkAreaRect();
    EXPECT_TRUE(WaitFor([&] { return form.Width() == area.Width(); })) << form.Width();
    form.Perform(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(WaitFor([&] { return form.WindowState() == wsNormal; })) << form.WindowState();
    EXPECT_TRUE(WaitFor([&] { return form.Width() == normalWidth; })) << form.Width();
    form.Perform(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(WaitFor([&] { return form.WindowState() == wsMaximized; })) << form.WindowState();
    form.Handle()->showNormal();
    EXPECT_TRUE(WaitFor([&] { return form.WindowState() == wsNormal; })) << form.WindowState();
}

TEST(Forms, ClientSizeAndCaptionReachTheWindow)
{
    TForm form(nullptr);
    form.SetCaption("Wordlark");
    form.SetClientWidth(481);
    form.SetClientHeight(351);
    form.SetPosition(poScreenCenter);
    form.Show();
    EXPECT_EQ(form.Handle()->windowTitle(), "Wordlark");
    EXPECT_EQ(form.Handle()->size(), QSize(481, 351));
    const TRect area = Screen->WorkAreaRect();
    EXPECT_EQ(form.Left(), area.Left + (area.Width() - form.Width()) / 2);
}

TEST(Forms, ExceptionInAHandlerIsShownAndTheProgramGoesOn)
{
    BoxAnswerer boxes;
    Application->SetTitle("Wordlark");
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto *button = new TCustomControl(&form);
    button->SetBounds(10, 10, 80, 30);
    button->SetParent(&form);
    int clicks = 0;
    button->OnClick = [&](TObject *) {
        ++clicks;
        throw EConvertError("'abc' is not a valid integer value");
    };
    form.Show();
    QWidget *w = button->Handle();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(button->Width() / 2, button->Height() / 2));
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, "'abc' is not a valid integer value.");
    EXPECT_EQ(boxes.Shown[0].Caption, "Wordlark");
    EXPECT_EQ(boxes.Shown[0].Flags & 0xF0, MB_ICONERROR);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(button->Width() / 2, button->Height() / 2));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(boxes.Shown.size(), 2u);
}

TEST(Forms, TimersTickWhileAModalBoxIsUp)
{
    BoxAnswerer boxes;
    TTimer timer(nullptr);
    timer.SetInterval(10);
    int ticks = 0;
    timer.OnTimer = [&](TObject *) { ++ticks; };
    // The box stays up (a nested event loop) until the timer ticked three times.
    boxes.Answer = [&](const TDialogRequest &) {
        while (ticks < 3)
            QTest::qWait(5);
        return IDYES;
    };
    EXPECT_EQ(Application->MessageBox("Really quit?", "Wordlark", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_GE(ticks, 3);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, "Really quit?");
    EXPECT_EQ(boxes.Shown[0].Flags & 0xF, MB_YESNO);

    timer.SetEnabled(false);
    const int stopped = ticks;
    QTest::qWait(40);
    EXPECT_EQ(ticks, stopped);
}

TEST(Forms, MessageDlgAndShowMessageDescribeTheirBoxes)
{
    BoxAnswerer boxes;
    boxes.Answer = [](const TDialogRequest &) { return mrNo; };
    EXPECT_EQ(MessageDlg("Delete?", mtConfirmation, mbYes | mbNo, 0), mrNo);
    ShowMessage("Done");
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[0].Caption, "Confirm");
    EXPECT_EQ(boxes.Shown[0].Buttons, mbYes | mbNo);
    EXPECT_EQ(boxes.Shown[1].Kind, dkShowMessage);
    EXPECT_EQ(boxes.Shown[1].Text, "Done");
}

TEST(Forms, ShowModalReturnsTheModalResult)
{
    TForm dialog(nullptr);
    dialog.SetBounds(0, 0, 100, 80);
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject *) { dialog.SetModalResult(mrOk); };
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_FALSE(dialog.Visible());
    dialog.Show();
    EXPECT_THROW(dialog.ShowModal(), EInvalidOperation);
}
