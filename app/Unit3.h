#pragma once
// The programme window: English programmes streamed from the content server
// in the programme control. Its menus list the series and their episodes;
// an enabled episode hands its address to the control, whose own control
// panel starts, pauses and seeks. Created hidden at start-up; the main
// window hides itself and shows this one (handing over its style through
// suiForm1->SetUIStyle); closing it stops the stream and shows the main
// window again.
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "OleCtrls.h"
#include "SUIForm.h"
#include "SUIMainMenu.h"

class TForm3 : public TForm {
public:
    // Reads the window from its description; the window stays hidden.
    explicit TForm3(TComponent *AOwner);

    TsuiForm *suiForm1 = nullptr;
    TRealAudio *RealAudio1 = nullptr;
    TsuiMainMenu *suiMainMenu1 = nullptr;
    TTimer *Timer1 = nullptr;
    // The three series menus and the six submenus of "空中英语课堂".
    TMenuItem *GOGO1 = nullptr;
    TMenuItem *N8 = nullptr;
    TMenuItem *N1 = nullptr;
    TMenuItem *N2 = nullptr;
    TMenuItem *N4 = nullptr;
    TMenuItem *N5 = nullptr;
    TMenuItem *N3 = nullptr;
    TMenuItem *N6 = nullptr;
    TMenuItem *N7 = nullptr;
    // The enabled episodes.
    TMenuItem *N12 = nullptr;
    TMenuItem *N9 = nullptr;
    TMenuItem *N112 = nullptr;
    TMenuItem *N122 = nullptr;
    TMenuItem *N11 = nullptr;
    TMenuItem *N117 = nullptr;

    // Episodes: each writes its address to the control's Source.
    void N12Click(TObject *Sender);
    void N9Click(TObject *Sender);
    void N112Click(TObject *Sender);
    void N122Click(TObject *Sender);
    void N11Click(TObject *Sender);
    void N117Click(TObject *Sender);
    // Stops the stream, then shows the main window; the window hides.
    void FormClose(TObject *Sender, TCloseAction &Action);
    // A click on the skinned form outside its controls stops the stream.
    void suiForm1Click(TObject *Sender);
    // Tells the control that the window changed size.
    void FormResize(TObject *Sender);
    // Fits the control to the skinned form under the menu bar.
    void Timer1Timer(TObject *Sender);
};

// The programme window, created at start-up: Form3 = Application->CreateForm<TForm3>().
extern TForm3 *Form3;
