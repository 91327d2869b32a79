// The transport bar: play and pause, the frame display and the track bar
// that follows the movie and moves it while it is paused.
#include "Unit1.h"

void TForm1::N8Click(TObject *)
{
    ShockwaveFlash1->Play();
}

void TForm1::N9Click(TObject *)
{
    ShockwaveFlash1->StopPlay();
}

void TForm1::suiButton1Click(TObject *)
{
    N8->Click();
}

// The button labelled stop pauses: the movie keeps its frame.
void TForm1::suiButton2Click(TObject *)
{
    N9->Click();
}

void TForm1::Timer2Timer(TObject *)
{
    Label1->SetCaption(String::number(ShockwaveFlash1->CurrentFrame()));
    Label2->SetCaption(String::number(ShockwaveFlash1->TotalFrames()));
}

// The track bar clamps the frame and reports only real changes, so a
// paused movie's steady frame fires nothing.
void TForm1::Timer3Timer(TObject *)
{
    suiTrackBar1->SetPosition(ShockwaveFlash1->FrameNum());
}

// Seeks only while paused: while the movie plays, following it must not
// move it.
void TForm1::suiTrackBar1Change(TObject *)
{
    if (!ShockwaveFlash1->Playing())
        ShockwaveFlash1->SetFrameNum(suiTrackBar1->Position());
}
