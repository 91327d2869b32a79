// The programme window driven as a user would: its description, its menus
// and the addresses behind them, the fitting timer, closing, the click on
// the skinned form and the resize notice; a scripted programme component
// stands in for the real one.
#include "CloseButton.h"
#include "LessonTable.h"
#include "ScriptedProgrammeControl.h"
#include "Unit3.h"
#include "Windows.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class ProgrammeWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedProgrammeControl::Register();
        Main.reset(Application->CreateForm<TForm>());
        ASSERT_EQ(Application->MainForm(), Main.get());
        Window.reset(Application->CreateForm<TForm3>());
    }
    void TearDown() override
    {
        Application->OnException = nullptr;
        Window.reset();
        Main.reset();
    }
    // What the lesson tree does to open the window.
    void Open()
    {
        Main->SetVisible(false);
        Window->Show();
    }
    QStringList Log() const { return ScriptedProgrammeControl::Log(); }

    std::unique_ptr<TForm> Main;
    std::unique_ptr<TForm3> Window;
};

TEST_F(ProgrammeWindow, ReadsItsDescriptionAndStaysHidden)
{
    TForm3 &w = *Window;
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(w.Caption(), QStringLiteral("英语节目"));
    EXPECT_EQ(w.Constraints()->MinWidth(), 150);
    ASSERT_NE(w.suiForm1, nullptr);
    EXPECT_EQ(w.suiForm1->Caption(), QStringLiteral("英语节目"));
    EXPECT_EQ(w.suiForm1->UIStyle(), WinXP);
    EXPECT_TRUE(w.suiForm1->UIStyleAutoUpdateSub());
    EXPECT_EQ(w.suiForm1->BorderWidth(), 3);
    EXPECT_FALSE(w.suiForm1->TitleBarDrawAppIcon());
    EXPECT_EQ(w.suiForm1->MenuBarHeight(), 22);
    EXPECT_EQ(w.suiForm1->Font()->Name(), QStringLiteral("宋体"));
    EXPECT_EQ(w.suiForm1->Font()->Color(), clWhite);
    EXPECT_TRUE(w.suiForm1->Font()->Style() & fsBold);

    // Four title bar buttons and three sections with pictures of their sizes.
    const TsuiTitleBarBtnType types[] = {suiControlBox, suiClose, suiMax, suiMin};
    ASSERT_EQ(w.suiForm1->TitleBarButtons()->Count(), 4);
    for (int i = 0; i < 4; ++i) {
        TsuiTitleBarButton *button = w.suiForm1->TitleBarButtons()->Items(i);
        EXPECT_EQ(button->ButtonType(), types[i]) << i;
        EXPECT_EQ(button->Top(), 5) << i;
        EXPECT_EQ(button->PicNormal()->Width(), 21) << i;
        EXPECT_EQ(button->PicMouseDown()->Height(), 21) << i;
    }
    const TsuiTitleBarAlign aligns[] = {suiLeft, suiRight, suiClient};
    const int pictureWidths[] = {35, 35, 37};
    ASSERT_EQ(w.suiForm1->TitleBarSections()->Count(), 3);
    for (int i = 0; i < 3; ++i) {
        TsuiTitleBarSection *section = w.suiForm1->TitleBarSections()->Items(i);
        EXPECT_EQ(section->Align(), aligns[i]) << i;
        EXPECT_EQ(section->Picture()->Width(), pictureWidths[i]) << i;
        EXPECT_EQ(section->Picture()->Height(), 29) << i;
    }

    ASSERT_NE(w.RealAudio1, nullptr);
    EXPECT_EQ(w.RealAudio1->Parent(), w.suiForm1);
    EXPECT_EQ(w.RealAudio1->Left(), 0);
    EXPECT_EQ(w.RealAudio1->Top(), 48);
    EXPECT_EQ(w.RealAudio1->GetProperty(103).toString(), QStringLiteral("imagewindow,controlpanel"));
    ASSERT_NE(w.Timer1, nullptr);
    EXPECT_EQ(w.Timer1->Interval(), 100u);
    EXPECT_TRUE(w.Timer1->Enabled());
    // The skinned menu shows in the skinned form's menu bar, not natively.
    ASSERT_NE(w.suiMainMenu1, nullptr);
    EXPECT_EQ(w.suiForm1->Menu(), w.suiMainMenu1);
    EXPECT_EQ(w.suiMainMenu1->FormLink(), w.suiForm1);
    EXPECT_EQ(w.Menu(), nullptr);
    EXPECT_EQ(w.suiMainMenu1->AutoHotkeys(), maManual);
    EXPECT_EQ(w.suiMainMenu1->UIStyle(), WinXP);
    EXPECT_EQ(w.suiMainMenu1->FontName(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(w.suiMainMenu1->FontSize(), 8);
    EXPECT_EQ(w.suiMainMenu1->MenuItemHeight(), 21);
    EXPECT_EQ(w.suiMainMenu1->BarWidth(), 26);
    EXPECT_EQ(w.suiMainMenu1->SelectedColor(), 0x00EFD3C6);
    EXPECT_TRUE(w.suiMainMenu1->UseSystemFont());
    ASSERT_NE(w.suiForm1->MenuBar(), nullptr);
    ASSERT_EQ(w.suiForm1->MenuBar()->ButtonCount(), 3);
    EXPECT_EQ(w.suiForm1->MenuBar()->Buttons(0)->Caption(), QStringLiteral("洪恩GOGO"));
    EXPECT_EQ(w.suiForm1->MenuBar()->Buttons(2)->Caption(), QStringLiteral("空中英语课堂"));
    EXPECT_EQ(Application->MainForm(), Main.get());
}

// ---------------------------------------------------------------------------
// The menus

QStringList Numbers(int Count)
{
    QStringList numbers;
    for (int i = 1; i <= Count; ++i)
        numbers.append(QString::number(i));
    return numbers;
}

const QStringList GogoCaptions = {
    "（一）", "（二）", "（三）", "（四）", "（五）", "（六）", "（七）", "（八）", "（九）", "（十）",
    "（十一）", "（十二）", "（十三）", "（十四）", "（十五）", "（十六）", "（十七）", "（十八）", "（十九）", "（二十）",
    "（二一）", "（二二）", "（二三）", "（二四）", "（二五）", "（二六）", "（二七）", "（二八）", "（二九）", "（三十）",
    "（三一）", "（三二）", "（三三）", "（三四）", "（三五）", "（三六）", "（三七）", "（三八）", "（三九）"};

struct MenuRow {
    const char *Name;
    const char *Caption;
    bool Enabled;
    QStringList Entries;
    QStringList EnabledEntries; // item names
};

TMenuItem *Item(TForm3 &W, const char *Name)
{
    return dynamic_cast<TMenuItem *>(W.FindComponent(QString::fromLatin1(Name)));
}

TEST_F(ProgrammeWindow, MenusHoldTheirEntriesWithOnlyTheListedOnesEnabled)
{
    TForm3 &w = *Window;
    TMenuItem *bar = w.suiMainMenu1->Items();
    ASSERT_EQ(bar->Count(), 3);
    EXPECT_EQ(bar->Items(0), w.GOGO1);
    EXPECT_EQ(bar->Items(1), w.N8);
    EXPECT_EQ(bar->Items(2), w.N1);
    EXPECT_EQ(w.N1->Caption(), QStringLiteral("空中英语课堂"));
    ASSERT_EQ(w.N1->Count(), 6);
    const TMenuItem *submenus[] = {w.N2, w.N4, w.N5, w.N3, w.N6, w.N7};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(w.N1->Items(i), submenus[i]) << i;

    const MenuRow rows[] = {
        {"GOGO1", "洪恩GOGO", true, GogoCaptions, {"N12", "N9"}},
        {"N8", "儿童英语情景对话", true, Numbers(31), {"N112", "N122"}},
        {"N2", "空中美语初级", true, Numbers(12), {"N11"}},
        {"N4", "空中美语中级", false, Numbers(12), {}},
        {"N5", "空中美语高级", false, Numbers(12), {}},
        {"N3", "大家说英语", true, Numbers(12), {"N117"}},
        {"N6", "空中英语教室", false, Numbers(12), {}},
        {"N7", "Orvane英语", false, Numbers(12), {}},
    };
    for (const MenuRow &row : rows) {
        SCOPED_TRACE(row.Name);
        TMenuItem *menu = Item(w, row.Name);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->Caption(), QString::fromUtf8(row.Caption));
        EXPECT_EQ(menu->Enabled(), row.Enabled);
        EXPECT_FALSE(menu->OnClick);
        QStringList captions, enabled;
        for (int i = 0; i < menu->Count(); ++i) {
            TMenuItem *entry = menu->Items(i);
            captions.append(entry->Caption());
            EXPECT_EQ(entry->Count(), 0) << i;
            // An entry is enabled exactly when it has a handler.
            EXPECT_EQ(entry->Enabled(), static_cast<bool>(entry->OnClick)) << i;
            if (entry->Enabled())
                enabled.append(entry->Name());
        }
        EXPECT_EQ(captions, row.Entries);
        EXPECT_EQ(enabled, row.EnabledEntries);
    }
}

struct EpisodeRow {
    const char *Name;
    const char *Path;
};

const EpisodeRow Episodes[] = {
    {"N12", "/SOFTWARE2/GOGO_MTV/02.RM"},          {"N9", "/SOFTWARE2/GOGO_MTV/04.RM"},
    {"N112", "/software/rm/kidsabc/1-01.rm"},      {"N122", "/software/rm/kidsabc/1-02.rm"},
    {"N11", "/software2/radio/KZMYCJ/a-01.rm"},    {"N117", "/software2/radio/djsyy/lt01.rm"},
};

TEST_F(ProgrammeWindow, EpisodesWriteTheirStreamAddressOnTheContentHostAndNothingElse)
{
    Open();
    for (const EpisodeRow &row : Episodes) {
        SCOPED_TRACE(row.Name);
        ScriptedProgrammeControl::Log().clear();
        Item(*Window, row.Name)->Click();
        const String address = QStringLiteral("rtsp://") + ContentHost() + QString::fromLatin1(row.Path);
        EXPECT_EQ(Log(), QStringList({QStringLiteral("Source=") + address}));
        EXPECT_EQ(Window->RealAudio1->GetProperty(ScriptedProgrammeControl::DispidSource).toString(), address);
    }
    EXPECT_TRUE(Window->Visible());
    EXPECT_FALSE(Main->Visible());
}

TEST_F(ProgrammeWindow, AddressesFollowTheContentHostOverride)
{
    qputenv("WORDLARK_CONTENT_HOST", "127.0.0.1:8554");
    Window->N9->Click();
    qunsetenv("WORDLARK_CONTENT_HOST");
    EXPECT_EQ(Log(), QStringList({"Source=rtsp://127.0.0.1:8554/SOFTWARE2/GOGO_MTV/04.RM"}));
}

// ---------------------------------------------------------------------------
// Fitting, resizing, stopping and closing

TEST_F(ProgrammeWindow, ControlFollowsALargerWindowWithinATimerTick)
{
    Open();
    TForm3 &w = *Window;
    w.SetBounds(w.Left(), w.Top(), w.Width() + 120, w.Height() + 80);
    const auto fitted = [&] {
        return w.RealAudio1->Width() == w.suiForm1->Width() && w.RealAudio1->Height() == w.suiForm1->Height() - 50;
    };
    QTRY_VERIFY_WITH_TIMEOUT(fitted(), 1000);
    EXPECT_EQ(w.RealAudio1->Width(), w.ClientWidth() - 2 * w.suiForm1->BorderWidth());
    EXPECT_EQ(w.RealAudio1->Left(), 0);
    EXPECT_EQ(w.RealAudio1->Top(), 48);
    EXPECT_EQ(w.RealAudio1->Component()->Window()->size(), QSize(w.RealAudio1->Width(), w.RealAudio1->Height()));
}

TEST_F(ProgrammeWindow, EverySizeChangeSendsTheResizeNotice)
{
    Open();
    ScriptedProgrammeControl::Log().clear();
    Window->SetWidth(Window->Width() + 40);
    EXPECT_EQ(Log().count(QStringLiteral("Resize")), 1);
    Window->SetHeight(Window->Height() - 30);
    EXPECT_EQ(Log().count(QStringLiteral("Resize")), 2);
    EXPECT_EQ(Log().count(QStringLiteral("Stop")), 0);
}

TEST_F(ProgrammeWindow, ClickOnTheSkinnedFormOutsideItsControlsStops)
{
    Open();
    TForm3 &w = *Window;
    QTRY_VERIFY_WITH_TIMEOUT(w.RealAudio1->Height() == w.suiForm1->Height() - 50, 1000);
    ScriptedProgrammeControl::Log().clear();
    // The strip under the fitted control belongs to the skinned form.
    const QPoint strip(w.suiForm1->Width() / 2, w.suiForm1->Height() - 1);
    QTest::mouseClick(w.suiForm1->Handle(), Qt::LeftButton, {}, strip);
    EXPECT_EQ(Log(), QStringList({"Stop"}));
    // A click on the control itself is the control's.
    QTest::mouseClick(w.RealAudio1->Component()->Window(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(Log(), QStringList({"Stop"}));
}

// Clicks the title bar's close button with the mouse.
void ClickClose(TForm3 &W)
{
    TsuiTitleBar *bar = W.suiForm1->TitleBar();
    const int close = CloseButtonIndex(bar);
    ASSERT_NE(close, -1);
    const int y = bar->Buttons()->Items(close)->Top() + 10;
    for (int x = bar->Width() - 1; x >= 0; --x) {
        const TPoint screen = bar->ClientToScreen(TPoint(x, y));
        SetCursorPosProvider([screen] { return screen; });
        bar->Invalidate();
        bar->Handle()->grab();
        if (bar->HotButton() == close) {
            QTest::mouseClick(bar->Handle(), Qt::LeftButton, {}, QPoint(x, y));
            SetCursorPosProvider({});
            return;
        }
    }
    SetCursorPosProvider({});
    FAIL() << "no close button under the mouse";
}

TEST_F(ProgrammeWindow, ClosingStopsThenShowsTheMainWindowAndKeepsTheSource)
{
    Open();
    Window->N12->Click();
    ScriptedProgrammeControl::Log().clear();
    bool mainShownAfterStop = false;
    Main->OnShow = [&](TObject *) { mainShownAfterStop = Log() == QStringList({"Stop"}); };
    ClickClose(*Window);
    EXPECT_TRUE(mainShownAfterStop);
    EXPECT_TRUE(Main->Visible());
    EXPECT_FALSE(Window->Visible());
    EXPECT_EQ(Log(), QStringList({"Stop"}));

    // Opened again, the window still has the episode's clip.
    Open();
    EXPECT_EQ(Window->RealAudio1->GetProperty(ScriptedProgrammeControl::DispidSource).toString(),
              QStringLiteral("rtsp://") + ContentHost() + QStringLiteral("/SOFTWARE2/GOGO_MTV/02.RM"));
    EXPECT_TRUE(Window->Timer1->Enabled());
}

TEST_F(ProgrammeWindow, AFailingStopIsReportedAndLeavesTheWindowOpen)
{
    Open();
    QStringList reported;
    Application->OnException = [&](TObject *, const Exception &E) { reported.append(E.Message); };
    ScriptedProgrammeControl::FailStop() = true;
    ClickClose(*Window);
    EXPECT_EQ(reported, QStringList({"The stream does not answer"}));
    EXPECT_TRUE(Window->Visible());
    EXPECT_FALSE(Main->Visible());

    // The user can close again once the control answers.
    ScriptedProgrammeControl::FailStop() = false;
    ClickClose(*Window);
    EXPECT_FALSE(Window->Visible());
    EXPECT_TRUE(Main->Visible());
}

TEST_F(ProgrammeWindow, TakesTheStyleHandedOverWithItsTitleBarAndMenu)
{
    Open();
    Window->suiForm1->SetUIStyle(Protein);
    EXPECT_EQ(Window->suiForm1->TitleBar()->UIStyle(), Protein);
    EXPECT_EQ(Window->suiMainMenu1->UIStyle(), Protein);
    EXPECT_EQ(Window->suiForm1->BorderWidth(), GetThemeInteger(Protein, 4));
    EXPECT_EQ(Window->Width(), Window->suiForm1->Width() + 2 * Window->suiForm1->BorderWidth());
}

} // namespace
