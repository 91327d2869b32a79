#pragma once
// The main window: the lesson tree, the movie area with the movie control,
// the transport bar under it and the menu of commands. Its controls come
// from the window description ":/forms/Unit1.form".
#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Menus.h"
#include "OleCtrls.h"
#include "SUIButton.h"
#include "SUIForm.h"
#include "SUIMainMenu.h"
#include "SUITrackBar.h"
#include "SUITreeView.h"
#include "StdCtrls.h"

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent *AOwner);
    ~TForm1() override;

    // The product's home page (no trailing "/") and the author's address.
    static const String HomePage;
    static const String MailAddress;

    TsuiForm *suiForm1 = nullptr;
    TGroupBox *GroupBox1 = nullptr;
    TsuiTrackBar *suiTrackBar1 = nullptr;
    TLabel *Label3 = nullptr;
    TLabel *Label1 = nullptr;
    TLabel *Label2 = nullptr;
    TLabel *Label4 = nullptr;
    TsuiButton *suiButton1 = nullptr;
    TsuiButton *suiButton2 = nullptr;
    TsuiTreeView *suiTreeView1 = nullptr;
    TPanel *Panel1 = nullptr;
    TShockwaveFlash *ShockwaveFlash1 = nullptr;
    TsuiMainMenu *suiMainMenu1 = nullptr;
    TMenuItem *N2 = nullptr;
    TMenuItem *N1 = nullptr;
    TMenuItem *Winxp1 = nullptr;
    TMenuItem *DeepBlue1 = nullptr;
    TMenuItem *MacOS1 = nullptr;
    TMenuItem *Protein1 = nullptr;
    TMenuItem *BlueGlass1 = nullptr;
    TMenuItem *N7 = nullptr;
    TMenuItem *N8 = nullptr;
    TMenuItem *N9 = nullptr;
    TMenuItem *N3 = nullptr;
    TMenuItem *N4 = nullptr;
    TMenuItem *N5 = nullptr;
    TMenuItem *N6 = nullptr;
    TMenuItem *N14 = nullptr;
    TMenuItem *N10 = nullptr;
    TMenuItem *N16 = nullptr;
    TMenuItem *N18 = nullptr;
    TMenuItem *N12 = nullptr;
    TTimer *Timer1 = nullptr;
    TTimer *Timer2 = nullptr;
    TTimer *Timer3 = nullptr;
    TOpenDialog *OpenDialog1 = nullptr;

    // Start-up notice.
    void FormCreate(TObject *Sender);
    // Styles.
    void Winxp1Click(TObject *Sender);
    void DeepBlue1Click(TObject *Sender);
    void MacOS1Click(TObject *Sender);
    void Protein1Click(TObject *Sender);
    void BlueGlass1Click(TObject *Sender);
    // Help and exit.
    void N10Click(TObject *Sender);
    void N16Click(TObject *Sender);
    void N18Click(TObject *Sender);
    void N12Click(TObject *Sender);
    // Lesson catalogue.
    void suiTreeView1Click(TObject *Sender);
    // Transport.
    void N8Click(TObject *Sender);
    void N9Click(TObject *Sender);
    void suiButton1Click(TObject *Sender);
    void suiButton2Click(TObject *Sender);
    void Timer2Timer(TObject *Sender);
    void Timer3Timer(TObject *Sender);
    void suiTrackBar1Change(TObject *Sender);
    // Sizing and local files.
    void Timer1Timer(TObject *Sender);
    void Panel1Resize(TObject *Sender);
    void N4Click(TObject *Sender);
    void N5Click(TObject *Sender);
    void N6Click(TObject *Sender);
    void N2Click(TObject *Sender);

private:
    void SetStyle(TsuiUIStyle Style);
    void KeepFrameUnitClear();
    void OpenProgrammeWindow();
    static String LessonTitle(const TTreeNode &Node);
    bool OpenAddress(const String &Address);
    void OpenHomePage();
};

// Registers TForm1 with its handlers and fields, and the classes of the
// skin library its description uses.
void RegisterUnit1();

extern TForm1 *Form1;
