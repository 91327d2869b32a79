// The transport bar: play and pause, the frame display and the track bar
// that follows the movie and moves it while it is paused.
#include "Unit1.h"

#include <QFontMetrics>

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

// The counter and the slider's length follow whatever movie the control
// holds, a lesson or a local file, so they never show another movie's
// frames; without a movie they show 0.
void TForm1::Timer2Timer(TObject *)
{
    Label1->SetCaption(String::number(ShockwaveFlash1->CurrentFrame()));
    const int total = ShockwaveFlash1->TotalFrames();
    Label2->SetCaption(String::number(total));
    KeepFrameUnitClear();
    if (suiTrackBar1->Max() != total)
        suiTrackBar1->SetMax(total);
}

// The total is drawn over the blanks of "/      帧": with a wide total or
// a font with narrow blanks the blanks grow, so that 帧 starts clear of the
// number while the numbers keep their places.
void TForm1::KeepFrameUnitClear()
{
    const QFontMetrics metrics(Label3->Font()->QtFont());
    const int numberEnd = Label2->Left() + Label2->Width() + 2;
    String blanks(6, QLatin1Char(' '));
    while (Label3->Left() + metrics.horizontalAdvance(QStringLiteral("/") + blanks) < numberEnd && blanks.size() < 40)
        blanks += QLatin1Char(' ');
    const String caption = QStringLiteral("/") + blanks + QString::fromUtf8("帧");
    if (Label3->Caption() != caption)
        Label3->SetCaption(caption);
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
