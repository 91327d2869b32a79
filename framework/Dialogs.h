#pragma once
// Modal message boxes. Every modal box goes through one replaceable
// handler: by default a real Qt box; a test installs its own with
// SetDialogHandler, reads what the box shows and answers it.
#include "Classes.h"
#include "Windows.h"

#include <functional>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : unsigned {
    mbYes = 0x1,
    mbNo = 0x2,
    mbOK = 0x4,
    mbCancel = 0x8,
    mbAbort = 0x10,
    mbRetry = 0x20,
    mbIgnore = 0x40,
    mbAll = 0x80,
    mbNoToAll = 0x100,
    mbYesToAll = 0x200,
    mbHelp = 0x400,
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

enum TDialogKind { dkMessageBox, dkMessageDlg, dkShowMessage };

// What a box shows. MessageBox boxes carry MB_* Flags; MessageDlg boxes a
// type and buttons.
struct TDialogRequest {
    TDialogKind Kind = dkMessageBox;
    String Caption;
    String Text;
    UINT Flags = MB_OK;
    TMsgDlgType DlgType = mtCustom;
    TMsgDlgButtons Buttons = mbOK;
};

// Answers a box with the pressed button: IDOK, IDYES, IDNO, IDCANCEL, ...
// (the modal results mrOk, mrYes, ... have the same values).
using TDialogHandler = std::function<int(const TDialogRequest &Request)>;
// Installs Handler for every modal box and returns the one it replaces; an
// empty handler brings back the real boxes.
TDialogHandler SetDialogHandler(TDialogHandler Handler);
int ExecuteDialog(const TDialogRequest &Request);

// A box with the type's caption ("Warning", "Error", "Information",
// "Confirm"), the type's icon and the buttons; returns the modal result.
int MessageDlg(const String &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// A box with the application's title and an OK button.
void ShowMessage(const String &Msg);
