#include "Unit1.h"

#include "SUIRegistration.h"
#include "Shell.h"
#include "Streaming.h"

TForm1 *Form1 = nullptr;

const String TForm1::HomePage = QStringLiteral("http://wordlark.example.org");
const String TForm1::MailAddress = QStringLiteral("author@wordlark.example.org");

void RegisterUnit1()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterSkinClasses();
    RegisterClass<TForm1>("TForm1", "TForm")
        .Handler("FormCreate", &TForm1::FormCreate)
        .Handler("Winxp1Click", &TForm1::Winxp1Click)
        .Handler("DeepBlue1Click", &TForm1::DeepBlue1Click)
        .Handler("MacOS1Click", &TForm1::MacOS1Click)
        .Handler("Protein1Click", &TForm1::Protein1Click)
        .Handler("BlueGlass1Click", &TForm1::BlueGlass1Click)
        .Handler("N10Click", &TForm1::N10Click)
        .Handler("N16Click", &TForm1::N16Click)
        .Handler("N18Click", &TForm1::N18Click)
        .Handler("N12Click", &TForm1::N12Click)
        .Handler("suiTreeView1Click", &TForm1::suiTreeView1Click)
        .Handler("N8Click", &TForm1::N8Click)
        .Handler("N9Click", &TForm1::N9Click)
        .Handler("suiButton1Click", &TForm1::suiButton1Click)
        .Handler("suiButton2Click", &TForm1::suiButton2Click)
        .Handler("Timer2Timer", &TForm1::Timer2Timer)
        .Handler("Timer3Timer", &TForm1::Timer3Timer)
        .Handler("suiTrackBar1Change", &TForm1::suiTrackBar1Change)
        .Handler("Timer1Timer", &TForm1::Timer1Timer)
        .Handler("Panel1Resize", &TForm1::Panel1Resize)
        .Handler("N4Click", &TForm1::N4Click)
        .Handler("N5Click", &TForm1::N5Click)
        .Handler("N6Click", &TForm1::N6Click)
        .Handler("N2Click", &TForm1::N2Click)
        .Field("suiForm1", &TForm1::suiForm1)
        .Field("GroupBox1", &TForm1::GroupBox1)
        .Field("suiTrackBar1", &TForm1::suiTrackBar1)
        .Field("Label3", &TForm1::Label3)
        .Field("Label1", &TForm1::Label1)
        .Field("Label2", &TForm1::Label2)
        .Field("Label4", &TForm1::Label4)
        .Field("suiButton1", &TForm1::suiButton1)
        .Field("suiButton2", &TForm1::suiButton2)
        .Field("suiTreeView1", &TForm1::suiTreeView1)
        .Field("Panel1", &TForm1::Panel1)
        .Field("ShockwaveFlash1", &TForm1::ShockwaveFlash1)
        .Field("suiMainMenu1", &TForm1::suiMainMenu1)
        .Field("N2", &TForm1::N2)
        .Field("N1", &TForm1::N1)
        .Field("Winxp1", &TForm1::Winxp1)
        .Field("DeepBlue1", &TForm1::DeepBlue1)
        .Field("MacOS1", &TForm1::MacOS1)
        .Field("Protein1", &TForm1::Protein1)
        .Field("BlueGlass1", &TForm1::BlueGlass1)
        .Field("N7", &TForm1::N7)
        .Field("N8", &TForm1::N8)
        .Field("N9", &TForm1::N9)
        .Field("N3", &TForm1::N3)
        .Field("N4", &TForm1::N4)
        .Field("N5", &TForm1::N5)
        .Field("N6", &TForm1::N6)
        .Field("N14", &TForm1::N14)
        .Field("N10", &TForm1::N10)
        .Field("N16", &TForm1::N16)
        .Field("N18", &TForm1::N18)
        .Field("N12", &TForm1::N12)
        .Field("Timer1", &TForm1::Timer1)
        .Field("Timer2", &TForm1::Timer2)
        .Field("Timer3", &TForm1::Timer3)
        .Field("OpenDialog1", &TForm1::OpenDialog1);
}

TForm1::TForm1(TComponent *AOwner) : TForm(AOwner)
{
    // The other window's handlers reach this one through Form1, also while
    // it is being made.
    Form1 = this;
    RegisterUnit1();
    ReadComponentRes(this, QStringLiteral(":/forms/Unit1.form"));
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::FormCreate(TObject *)
{
    const String text = QString::fromUtf8("使用前确保您的电脑已经连到互联网上！否则不能收看到") + QChar(0x0D) +
                        QString::fromUtf8("软件中的内容。");
    if (Application->MessageBox(text, QString::fromUtf8("软件使用提示"), MB_YESNO) == IDYES)
        Loaded();
}

void TForm1::SetStyle(TsuiUIStyle Style)
{
    // The track bar and the buttons sit in a plain group box that the
    // skinned form does not hand its style to.
    suiForm1->SetUIStyle(Style);
    suiTrackBar1->SetUIStyle(Style);
    suiButton1->SetUIStyle(Style);
    suiButton2->SetUIStyle(Style);
}

void TForm1::Winxp1Click(TObject *)
{
    SetStyle(WinXP);
}

void TForm1::DeepBlue1Click(TObject *)
{
    SetStyle(DeepBlue);
}

void TForm1::MacOS1Click(TObject *)
{
    SetStyle(MacOS);
}

void TForm1::Protein1Click(TObject *)
{
    SetStyle(Protein);
}

void TForm1::BlueGlass1Click(TObject *)
{
    SetStyle(BlueGlass);
}

// Without a program for the address the user is told so, with the address
// to copy into one by hand.
bool TForm1::OpenAddress(const String &Address)
{
    return ShellExecute(Handle(), String(), Address, String(), String(), SW_SHOWNORMAL) > 32;
}

void TForm1::OpenHomePage()
{
    const String address = HomePage + QLatin1Char('/');
    if (!OpenAddress(address))
        Application->MessageBox(QString::fromUtf8("这台电脑上没有可以打开网页的程序。\n请在浏览器中打开软件主页：\n\n") + address,
                                QString::fromUtf8("无法打开网页"), MB_OK | MB_ICONWARNING);
}

void TForm1::N10Click(TObject *)
{
    OpenHomePage();
}

void TForm1::N16Click(TObject *)
{
    if (!OpenAddress(QStringLiteral("mailto:") + MailAddress))
        Application->MessageBox(QString::fromUtf8("这台电脑上没有可以写信的程序。\n请用您的邮箱给作者写信：\n\n") + MailAddress,
                                QString::fromUtf8("无法写信"), MB_OK | MB_ICONWARNING);
}

void TForm1::N18Click(TObject *)
{
    OpenHomePage();
}

void TForm1::N12Click(TObject *)
{
    Close();
}
