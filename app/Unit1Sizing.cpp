// The movie area and the tree follow the window's size; the size commands
// and the opening of a local movie file.
#include "Unit1.h"

void TForm1::Timer1Timer(TObject *)
{
    const int h = suiForm1->Height();
    const int w = suiForm1->Width();
    suiTreeView1->SetHeight(h - 102);
    Panel1->SetHeight(h - 102);
    Panel1->SetWidth(w - 145);
}

// Keys go to the movie after every size change; a hidden window cannot
// take the focus.
void TForm1::Panel1Resize(TObject *)
{
    if (!Panel1->CanFocus())
        return;
    Panel1->SetFocus();
    ShockwaveFlash1->SetFocus();
}

void TForm1::N4Click(TObject *)
{
    suiForm1->SetHeight(351);
    suiForm1->SetWidth(481);
}

void TForm1::N5Click(TObject *)
{
    suiForm1->SetHeight(451);
    suiForm1->SetWidth(600);
}

void TForm1::N6Click(TObject *)
{
    SetWindowState(wsMaximized);
}

// The last chosen file stays in Label4: cancelling the dialog plays it
// again, as long as one was ever chosen.
void TForm1::N2Click(TObject *)
{
    if (OpenDialog1->Execute())
        Label4->SetCaption(OpenDialog1->FileName());
    if (Label4->Caption().isEmpty())
        return;
    ShockwaveFlash1->SetMovie(Label4->Caption());
    suiTrackBar1->SetMax(ShockwaveFlash1->TotalFrames());
    suiTrackBar1->SetEnabled(true);
    Label2->SetCaption(String::number(ShockwaveFlash1->TotalFrames()));
}
