#pragma once
// Forms, the application and the screen. A form is a top-level window; the
// application creates the forms, runs the event loop until its main form
// closes and reports exceptions that escape event handlers; the screen knows
// the desktop, the forms and which of them is active.
//
// Seeing a form's messages from outside: WindowProc is the form's window
// procedure. A component replaces it and chains to the old one:
//     TWndMethod old = Form->WindowProc;
//     Form->WindowProc = [this, old](TMessage &M) { old(M); /* after the form */ };
// and puts the old one back when it goes.
#include "Controls.h"

#include <vector>

class TMainMenu;
class QEventLoop;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

using TCloseEvent = std::function<void(TObject *Sender, TCloseAction &Action)>;
using TCloseQueryEvent = std::function<void(TObject *Sender, bool &CanClose)>;
using TShortCutEvent = std::function<void(TMessage &Message, bool &Handled)>;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent *AOwner);
    ~TCustomForm() override;

    // Fires OnCreate; Application->CreateForm calls it once the form is built.
    virtual void AfterConstruction();

    TCanvas *Canvas() const { return FCanvas.get(); }

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    // The real window follows the value, and the value the real window.
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    TMainMenu *Menu() const { return FMenu; }
    void SetMenu(TMainMenu *Value);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value) { FAutoScroll = Value; }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }
    bool Active() const { return FActive; }

    TWinControl *ActiveControl() const { return FActiveControl; }
    // Raises EInvalidOperation for a control that is not on this form or
    // cannot take the focus.
    void SetActiveControl(TWinControl *Control);
    // Makes Control the active control and gives it the focus when the form
    // is active (activating a visible form that is not).
    void FocusControl(TWinControl *Control);
    // Called when a control of the form gets the focus: CM_EXIT and CM_ENTER
    // along the parent chains, then CM_FOCUSCHANGED to the form's controls.
    bool SetFocusedControl(TWinControl *Control);
    // Forgets a control that leaves the form or cannot keep the focus.
    void RemoveFocusOf(TWinControl *Control);
    void SetFocus() override;
    bool CanFocus() const override;

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // Shows the form and runs the event loop until ModalResult is set.
    // Raises EInvalidOperation for a form that is visible already.
    virtual int ShowModal();
    bool Modal() const { return FModal; }
    void Close();
    bool CloseQuery();
    // Frees the form once the events being handled are done.
    void Release();

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    // A client size read from a description is applied again once the whole
    // description is read, so that it holds for the frame the window ends
    // up with.
    void SetClientWidth(int Value);
    void SetClientHeight(int Value);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

protected:
    virtual void DoCreate();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction &Action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();
    // A key the form treats as a menu shortcut (OnShortCut).
    virtual bool IsShortCut(TMessage &Message);
    void PaintWindow(TCanvas *DC) override;
    void Loaded() override;
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override;
    void CreateWnd() override;
    void UpdateBoundsRect() override;
    void UpdateBounds(bool StateChanged) override;
    void VisibleChanged() override;

    void WMActivate(TMessage &Message) override;
    void WMClose(TMessage &Message) override;
    void WMSize(TMessage &Message) override;
    void WMSysCommand(TMessage &Message) override;
    void CMDialogKey(TMessage &Message) override;
    void CMRelease(TMessage &Message) override;
    void CMTextChanged(TMessage &Message) override;
    void CNKeyDown(TMessage &Message) override;

private:
    friend class TWinControl;
    friend class TApplication;
    void ApplyFrame();
    void ApplyWindowConstraints();
    void ApplyPosition();
    void SetWindowFocus();
    void ShowWindowState();

    std::unique_ptr<TControlCanvas> FCanvas;
    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TMainMenu *FMenu = nullptr;
    bool FAutoScroll = true;
    bool FKeyPreview = false;
    bool FActive = false;
    bool FShown = false;
    bool FModal = false;
    TModalResult FModalResult = mrNone;
    TWinControl *FActiveControl = nullptr;
    TWinControl *FFocusedControl = nullptr;
    int FLoadedClientWidth = 0;
    int FLoadedClientHeight = 0;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

using TMessageEvent = std::function<void(TMsg &Msg, bool &Handled)>;
using TExceptionEvent = std::function<void(TObject *Sender, const Exception &E)>;

class TApplication : public TComponent {
public:
    explicit TApplication(TComponent *AOwner);

    void Initialize();
    String Title() const;
    void SetTitle(const String &Value);
    HWND Handle() const;

    // Creates a form owned by the application; the first becomes MainForm.
    template <typename T>
    T *CreateForm()
    {
        T *form = new T(this);
        form->AfterConstruction();
        if (!FMainForm)
            FMainForm = form;
        return form;
    }
    TCustomForm *MainForm() const { return FMainForm; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }

    // Shows the main form and runs the event loop until Terminate; then
    // frees the forms.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    void ProcessMessages();
    void Minimize();
    void Restore();

    // Reports an exception that escaped an event handler: OnException when
    // set, otherwise a message box with its text. The program goes on.
    void HandleException(TObject *Sender, const Exception &E);
    void ShowException(const Exception &E);
    // A modal message box; returns IDOK, IDYES, IDNO, IDCANCEL, ...
    int MessageBox(const String &Text, const String &Caption, UINT Flags = MB_OK);

    // Called for each input message before the control gets it; true when
    // OnMessage handled it.
    bool ProcessInputMessage(HWND Wnd, TMessage &Message);

    // The program's icon, shown by its windows.
    TIcon *Icon() const { return FIcon.get(); }
    void SetIcon(const TIcon *Value) { FIcon->Assign(Value); }

    TMessageEvent OnMessage;
    TExceptionEvent OnException;

private:
    friend class TCustomForm;
    std::unique_ptr<TIcon> FIcon;
    TCustomForm *FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FTerminated = false;
    bool FRunning = false;
    bool FHandlingException = false;
};

class TScreen : public TComponent {
public:
    explicit TScreen(TComponent *AOwner);

    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int WorkAreaWidth() const { return WorkAreaRect().Width(); }
    int WorkAreaHeight() const { return WorkAreaRect().Height(); }
    // A cursor for the whole program (crDefault: each control's own).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm *Forms(int Index) const;
    TCustomForm *ActiveForm() const { return FActiveForm; }
    TWinControl *ActiveControl() const { return FActiveControl; }
    // The installed font families, sorted.
    TStrings *Fonts();

private:
    friend class TCustomForm;
    void AddForm(TCustomForm *Form);
    void RemoveForm(TCustomForm *Form);

    TCursor FCursor = crDefault;
    std::vector<TCustomForm *> FForms;
    TCustomForm *FActiveForm = nullptr;
    TWinControl *FActiveControl = nullptr;
    std::unique_ptr<TStringList> FFonts;
};

// Runs Body; an exception escaping it goes to Application->HandleException.
// Returns false when one did.
bool CallGuarded(TObject *Sender, const std::function<void()> &Body);

extern TApplication *Application;
extern TScreen *Screen;
