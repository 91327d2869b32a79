#include "Unit3.h"

#include "LessonTable.h"
#include "SUIRegistration.h"
#include "Streaming.h"

TForm3 *Form3 = nullptr;

namespace {

void RegisterUnit3Classes()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    RegisterSkinClasses();
    RegisterClass<TForm3>("TForm3", "TForm")
        .Handler("N12Click", &TForm3::N12Click)
        .Handler("N9Click", &TForm3::N9Click)
        .Handler("N112Click", &TForm3::N112Click)
        .Handler("N122Click", &TForm3::N122Click)
        .Handler("N11Click", &TForm3::N11Click)
        .Handler("N117Click", &TForm3::N117Click)
        .Handler("FormClose", &TForm3::FormClose)
        .Handler("suiForm1Click", &TForm3::suiForm1Click)
        .Handler("FormResize", &TForm3::FormResize)
        .Handler("Timer1Timer", &TForm3::Timer1Timer)
        .Field("suiForm1", &TForm3::suiForm1)
        .Field("RealAudio1", &TForm3::RealAudio1)
        .Field("suiMainMenu1", &TForm3::suiMainMenu1)
        .Field("Timer1", &TForm3::Timer1)
        .Field("GOGO1", &TForm3::GOGO1)
        .Field("N8", &TForm3::N8)
        .Field("N1", &TForm3::N1)
        .Field("N2", &TForm3::N2)
        .Field("N4", &TForm3::N4)
        .Field("N5", &TForm3::N5)
        .Field("N3", &TForm3::N3)
        .Field("N6", &TForm3::N6)
        .Field("N7", &TForm3::N7)
        .Field("N12", &TForm3::N12)
        .Field("N9", &TForm3::N9)
        .Field("N112", &TForm3::N112)
        .Field("N122", &TForm3::N122)
        .Field("N11", &TForm3::N11)
        .Field("N117", &TForm3::N117);
}

// A programme stream on the content server.
String ProgrammeAddress(const char *Path)
{
    return QStringLiteral("rtsp://") + ContentHost() + QString::fromLatin1(Path);
}

} // namespace

TForm3::TForm3(TComponent *AOwner) : TForm(AOwner)
{
    RegisterUnit3Classes();
    ReadComponentRes(this, QStringLiteral(":/forms/Unit3.form"));
}

void TForm3::N12Click(TObject *)
{
    RealAudio1->SetSource(ProgrammeAddress("/SOFTWARE2/GOGO_MTV/02.RM"));
}

void TForm3::N9Click(TObject *)
{
    RealAudio1->SetSource(ProgrammeAddress("/SOFTWARE2/GOGO_MTV/04.RM"));
}

void TForm3::N112Click(TObject *)
{
    RealAudio1->SetSource(ProgrammeAddress("/software/rm/kidsabc/1-01.rm"));
}

void TForm3::N122Click(TObject *)
{
    RealAudio1->SetSource(ProgrammeAddress("/software/rm/kidsabc/1-02.rm"));
}

void TForm3::N11Click(TObject *)
{
    RealAudio1->SetSource(ProgrammeAddress("/software2/radio/KZMYCJ/a-01.rm"));
}

void TForm3::N117Click(TObject *)
{
    RealAudio1->SetSource(ProgrammeAddress("/software2/radio/djsyy/lt01.rm"));
}

// A failing stop request ends the closing here: the window stays open and
// the main window hidden, so the user can close again.
void TForm3::FormClose(TObject *, TCloseAction &)
{
    RealAudio1->DoStop();
    if (TCustomForm *mainForm = Application->MainForm())
        mainForm->SetVisible(true);
}

void TForm3::suiForm1Click(TObject *)
{
    RealAudio1->DoStop();
}

void TForm3::FormResize(TObject *)
{
    RealAudio1->ResizeNotice();
}

void TForm3::Timer1Timer(TObject *)
{
    RealAudio1->SetWidth(suiForm1->Width());
    RealAudio1->SetHeight(suiForm1->Height() - 50);
}
