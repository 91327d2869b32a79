// The main window as its description makes it: every control in its place,
// the start-up notice, the style, help and exit commands.
#include "LessonCatalogue.h"
#include "MainWindowFixture.h"
#include "SUIThemes.h"
#include "WaitFor.h"

#include <QWidget>

namespace {

using MainWindow = MainWindowFixture;

struct TPlace {
    const char *Name;
    const char *Parent;
    int Left, Top, Width, Height;
};

TEST_F(MainWindow, EveryControlSitsInItsPlace)
{
    CreateMainWindow();
    const TPlace places[] = {
        {"suiForm1", "Form1", 3, 0, 481, 351},        {"GroupBox1", "suiForm1", 0, 315, 481, 36},
        {"suiTrackBar1", "GroupBox1", 13, 11, 216, 21}, {"Label4", "GroupBox1", 216, 0, 3, 13},
        {"suiButton1", "GroupBox1", 332, 9, 60, 23},  {"suiButton2", "GroupBox1", 403, 9, 60, 23},
        {"suiTreeView1", "suiForm1", 8, 56, 121, 249}, {"Panel1", "suiForm1", 136, 56, 337, 249},
        {"ShockwaveFlash1", "Panel1", 1, 1, 335, 247},
    };
    for (const TPlace &p : places) {
        auto *control = dynamic_cast<TControl *>(Form->FindComponent(p.Name));
        ASSERT_NE(control, nullptr) << p.Name;
        EXPECT_EQ(control->Parent()->Name(), p.Parent) << p.Name;
        EXPECT_EQ(control->BoundsRect(), Rect(p.Left, p.Top, p.Left + p.Width, p.Top + p.Height)) << p.Name;
    }
    EXPECT_EQ(Form->ClientWidth(), 487);
    EXPECT_EQ(Form->ClientHeight(), 354);
    EXPECT_EQ(Form->Position(), poScreenCenter);
    EXPECT_EQ(Form->Caption(), "WordlarkV1.2         " + TForm1::HomePage);
    EXPECT_EQ(Form->suiForm1->Caption(), Form->Caption());
    // The first layout tick fits the movie area to the skinned form.
    EXPECT_TRUE(WaitFor([this] { return Form->Panel1->Width() == 336; }));
    EXPECT_EQ(Form->Panel1->Height(), 249);
    EXPECT_EQ(Form->suiTreeView1->Height(), 249);
}

TEST_F(MainWindow, TransportLabelsReadAsFrameSlashTotal)
{
    CreateMainWindow();
    for (TLabel *label : {Form->Label1, Form->Label2, Form->Label3, Form->suiButton1 ? Form->Label1 : nullptr}) {
        EXPECT_EQ(label->Font()->Name(), QString::fromUtf8("宋体"));
        EXPECT_EQ(label->Font()->Height(), -12);
        EXPECT_EQ(label->Font()->Charset(), GB2312_CHARSET);
    }
    EXPECT_EQ(Form->Label3->Caption(), QString::fromUtf8("/      帧"));
    EXPECT_EQ(Form->Label1->Caption(), "0");
    EXPECT_EQ(Form->Label2->Caption(), "0");
    EXPECT_FALSE(Form->Label4->Visible());
    EXPECT_TRUE(Form->Label4->Caption().isEmpty());
    // Label1 grows to the left: its right edge stays at 256 for any number.
    Form->Label1->SetCaption("1234");
    EXPECT_EQ(Form->Label1->Left() + Form->Label1->Width(), 256);
    EXPECT_LT(Form->Label1->Left(), 250);
    EXPECT_TRUE(Form->Label2->Transparent());
    EXPECT_EQ(Form->suiButton1->Caption(), QString::fromUtf8("播 放"));
    EXPECT_EQ(Form->suiButton2->Caption(), QString::fromUtf8("停 止"));
    EXPECT_EQ(Form->suiTrackBar1->PageSize(), 10);
    // The slider spans the movie the control holds: none yet.
    EXPECT_TRUE(WaitFor([this] { return Form->suiTrackBar1->Max() == 0; }));
    EXPECT_EQ(Form->OpenDialog1->Filter(), QString::fromUtf8("Flash播放文件|*.swf"));
}

TEST_F(MainWindow, TreeHoldsTheWholeCatalogueCollapsed)
{
    CreateMainWindow();
    TTreeNodes *items = Form->suiTreeView1->Items();
    EXPECT_EQ(items->Count(), 178);
    EXPECT_EQ(items->TopCount(), 15);
    EXPECT_EQ(items->WriteData(), WriteTreeNodes(LessonCatalogue()));
    EXPECT_EQ(Form->suiTreeView1->Selected(), nullptr);
    for (TTreeNode *node = items->GetFirstNode(); node; node = node->GetNextSibling())
        EXPECT_FALSE(node->Expanded()) << node->Text().toStdString();
    EXPECT_TRUE(Form->suiTreeView1->ReadOnly());
    EXPECT_TRUE(Form->suiTreeView1->AutoExpand());
    EXPECT_EQ(Form->suiTreeView1->Indent(), 19);
    EXPECT_EQ(Form->suiTreeView1->Color(), clSkyBlue);
}

TEST_F(MainWindow, TitleBarCarriesTheWinXPPicturesItStores)
{
    CreateMainWindow();
    TsuiTitleBarButtons *stored = Form->suiForm1->TitleBarButtons();
    ASSERT_EQ(stored->Count(), 4);
    const TsuiTitleBarBtnType order[] = {suiControlBox, suiClose, suiMax, suiMin};
    TsuiTitleBar fresh(nullptr);
    fresh.SetUIStyle(WinXP);
    for (int i = 0; i < 4; ++i) {
        const TsuiTitleBarButton *button = stored->Items(i);
        EXPECT_EQ(button->ButtonType(), order[i]);
        EXPECT_EQ(button->Top(), 5);
        EXPECT_EQ(button->PicNormal()->Width(), 21);
        EXPECT_EQ(button->PicNormal()->Data(), fresh.Buttons()->Items(i)->PicNormal()->Data()) << i;
        EXPECT_EQ(button->PicMouseDown()->Data(), fresh.Buttons()->Items(i)->PicMouseDown()->Data()) << i;
    }
    TsuiTitleBarSections *sections = Form->suiForm1->TitleBarSections();
    ASSERT_EQ(sections->Count(), 3);
    EXPECT_EQ(sections->Items(0)->Align(), suiLeft);
    EXPECT_EQ(sections->Items(0)->Width(), 35);
    EXPECT_EQ(sections->Items(1)->Align(), suiRight);
    EXPECT_EQ(sections->Items(2)->Align(), suiClient);
    EXPECT_TRUE(sections->Items(2)->Stretch());
    EXPECT_EQ(Form->suiForm1->TitleBar()->Height(), 29);
}

TEST_F(MainWindow, StartUpNoticeComesBeforeTheWindowShows)
{
    bool visibleWhenAsked = true;
    SetDialogHandler([&](TDialogRequest &Request) {
        Requests.push_back(Request);
        visibleWhenAsked = Form1 && Form1->Visible();
        return IDNO;
    });
    CreateMainWindow();
    ASSERT_EQ(Requests.size(), 1u);
    const TDialogRequest &notice = Requests[0];
    EXPECT_EQ(notice.Kind, dkMessageBox);
    EXPECT_EQ(notice.Flags, MB_YESNO);
    EXPECT_EQ(notice.Caption, QString::fromUtf8("软件使用提示"));
    EXPECT_EQ(notice.Text.toUtf8(), QByteArray("使用前确保您的电脑已经连到互联网上！否则不能收看到\r软件中的内容。"));
    EXPECT_FALSE(visibleWhenAsked);
}

class NoticeAnswers : public MainWindowFixture, public ::testing::WithParamInterface<int> {};

TEST_P(NoticeAnswers, EitherAnswerShowsTheWholeWindow)
{
    NoticeAnswer = GetParam();
    CreateMainWindow();
    EXPECT_TRUE(Form->Visible());
    for (TControl *control : std::initializer_list<TControl *>{Form->suiTreeView1, Form->Panel1, Form->GroupBox1, Form->suiTrackBar1})
        EXPECT_TRUE(control->Visible());
    EXPECT_EQ(Form->suiForm1->Width(), 481);
    EXPECT_EQ(Form->suiTreeView1->Items()->Count(), 178);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, NoticeAnswers, ::testing::Values(IDYES, IDNO));

struct TStyleCommand {
    const char *Item;
    TsuiUIStyle Style;
};

class StyleCommands : public MainWindowFixture, public ::testing::WithParamInterface<TStyleCommand> {};

TEST_P(StyleCommands, SetTheFormTrackBarAndBothButtons)
{
    CreateMainWindow();
    auto *item = dynamic_cast<TMenuItem *>(Form->FindComponent(GetParam().Item));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Parent(), Form->N1);
    item->Click();
    const TsuiUIStyle style = GetParam().Style;
    EXPECT_EQ(Form->suiForm1->UIStyle(), style);
    EXPECT_EQ(Form->suiTrackBar1->UIStyle(), style);
    EXPECT_EQ(Form->suiButton1->UIStyle(), style);
    EXPECT_EQ(Form->suiButton2->UIStyle(), style);
    EXPECT_EQ(Form->suiForm1->BorderWidth(), GetThemeInteger(style, 4));
    EXPECT_EQ(Form->suiForm1->Color(), GetThemeColor(style, 3));
    // The window keeps its skinned form's size with the new border.
    EXPECT_EQ(Form->ClientWidth(), Form->suiForm1->Width() + 2 * Form->suiForm1->BorderWidth());
    EXPECT_FALSE(item->Checked());
}

INSTANTIATE_TEST_SUITE_P(MainWindow, StyleCommands,
                         ::testing::Values(TStyleCommand{"Winxp1", WinXP}, TStyleCommand{"DeepBlue1", DeepBlue},
                                           TStyleCommand{"MacOS1", MacOS}, TStyleCommand{"Protein1", Protein},
                                           TStyleCommand{"BlueGlass1", BlueGlass}));

TEST_F(MainWindow, ChoosingTheCurrentStyleAgainKeepsTheLook)
{
    CreateMainWindow();
    const QSize size = Form->Handle()->size();
    const TRect skin = Form->suiForm1->BoundsRect();
    const QImage before = Grab();
    for (int i = 0; i < 6; ++i)
        Form->Winxp1->Click();
    EXPECT_EQ(Form->Handle()->size(), size);
    EXPECT_EQ(Form->suiForm1->BoundsRect(), skin);
    EXPECT_EQ(Grab(), before);
}

TEST_F(MainWindow, HelpCommandsHandTheAddressesToTheShell)
{
    CreateMainWindow();
    Form->N10->Click();
    Form->N16->Click();
    Form->N18->Click();
    ASSERT_EQ(Opened.size(), 3u);
    EXPECT_EQ(Opened[0].toString(), TForm1::HomePage + "/");
    EXPECT_EQ(Opened[1].toString(), "mailto:" + TForm1::MailAddress);
    EXPECT_EQ(Opened[2], Opened[0]);
    // The hints and the caption name the same addresses.
    EXPECT_EQ(Form->N10->Hint(), TForm1::HomePage);
    EXPECT_EQ(Form->N16->Hint(), TForm1::MailAddress);
    EXPECT_TRUE(Form->Caption().endsWith(TForm1::HomePage));
}

TEST_F(MainWindow, HelpWithoutAProgramForTheAddressSaysSoAndShowsIt)
{
    CreateMainWindow();
    SetUrlOpener([](const QUrl &, const TShellExecuteCall &) { return false; });
    const struct {
        TMenuItem *Item;
        String Address;
    } rows[] = {{Form->N10, TForm1::HomePage + "/"}, {Form->N16, TForm1::MailAddress}, {Form->N18, TForm1::HomePage + "/"}};
    for (const auto &row : rows) {
        Requests.clear();
        row.Item->Click();
        ASSERT_EQ(Requests.size(), 1u) << row.Item->Name().toStdString();
        EXPECT_EQ(Requests[0].Kind, dkMessageBox);
        EXPECT_EQ(Requests[0].Flags, UINT(MB_OK | MB_ICONWARNING));
        EXPECT_TRUE(Requests[0].Text.contains(row.Address)) << Requests[0].Text.toStdString();
        EXPECT_TRUE(Requests[0].Text.startsWith(QString::fromUtf8("这台电脑上没有可以")));
    }
}

TEST_F(MainWindow, ExitClosesTheWindowWithoutAQuestion)
{
    CreateMainWindow();
    Requests.clear();
    Form->N12->Click();
    EXPECT_TRUE(WaitFor([this] { return !Form->Visible(); }));
    EXPECT_TRUE(Requests.empty());
}

TEST_F(MainWindow, MenuTreeHoldsEveryCommand)
{
    CreateMainWindow();
    TMenuItem *root = Form->suiMainMenu1->Items();
    QStringList top;
    for (int i = 0; i < root->Count(); ++i)
        top << root->Items(i)->Caption();
    EXPECT_EQ(top.join('|'), QString::fromUtf8("打开文件|界面风格|控制|帮助|退出"));
    EXPECT_EQ(Form->N3->Parent(), Form->N7);
    EXPECT_EQ(Form->N6->Parent(), Form->N3);
    EXPECT_EQ(Form->N8->Caption(), QString::fromUtf8("播 放"));
    EXPECT_EQ(Form->N9->Caption(), QString::fromUtf8("暂 停"));
    EXPECT_EQ(Form->N5->Caption(), QString::fromUtf8("适中尺寸"));
    EXPECT_TRUE(Form->N2->OnClick);
    EXPECT_FALSE(Form->N1->OnClick);
}

TEST_F(MainWindow, MenuBarShowsTheFiveEntriesAndTakesTheStyle)
{
    CreateMainWindow();
    ASSERT_EQ(Form->suiForm1->Menu(), Form->suiMainMenu1);
    TToolBar *bar = Form->suiForm1->MenuBar();
    ASSERT_NE(bar, nullptr);
    QStringList captions;
    for (int i = 0; i < bar->ButtonCount(); ++i)
        captions << bar->Buttons(i)->Caption();
    EXPECT_EQ(captions.join('|'), QString::fromUtf8("打开文件|界面风格|控制|帮助|退出"));
    EXPECT_EQ(bar->Height(), 22);
    EXPECT_EQ(Form->suiMainMenu1->UIStyle(), WinXP);
    Form->Protein1->Click();
    EXPECT_EQ(Form->suiMainMenu1->UIStyle(), Protein);
}

} // namespace
