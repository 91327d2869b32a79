#pragma once
// Modal message boxes and the common dialogs (open file, colour). Every
// modal box and dialog goes through one replaceable handler: by default a
// real Qt box or dialog; a test installs its own with SetDialogHandler, reads
// what the box shows and answers it (a dialog's answer also fills in the
// request's result fields).
#include "Classes.h"
#include "Graphics.h"
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

enum TDialogKind { dkMessageBox, dkMessageDlg, dkShowMessage, dkOpenDialog, dkColorDialog };

// Options of the open-file dialog.
enum TOpenOption : unsigned {
    ofReadOnly = 0x1,
    ofOverwritePrompt = 0x2,
    ofHideReadOnly = 0x4,
    ofNoChangeDir = 0x8,
    ofShowHelp = 0x10,
    ofNoValidate = 0x20,
    ofAllowMultiSelect = 0x40,
    ofExtensionDifferent = 0x80,
    ofPathMustExist = 0x100,
    ofFileMustExist = 0x200,
    ofCreatePrompt = 0x400,
    ofShareAware = 0x800,
    ofNoReadOnlyReturn = 0x1000,
    ofNoTestFileCreate = 0x2000,
    ofNoNetworkButton = 0x4000,
    ofNoLongNames = 0x8000,
    ofOldStyleDialog = 0x10000,
    ofNoDereferenceLinks = 0x20000,
    ofEnableIncludeNotify = 0x40000,
    ofEnableSizing = 0x80000,
};
using TOpenOptions = unsigned;

// What a box or dialog shows. MessageBox boxes carry MB_* Flags; MessageDlg
// boxes a type and buttons. The open-file dialog shows Caption (its title),
// Filter, FilterIndex, InitialDir, FileName and Options and answers with
// FileName, Files and FilterIndex; the colour dialog shows and answers Color
// and CustomColors ("ColorA=BBGGRR" hexadecimal, A to P).
struct TDialogRequest {
    TDialogKind Kind = dkMessageBox;
    String Caption;
    String Text;
    UINT Flags = MB_OK;
    TMsgDlgType DlgType = mtCustom;
    TMsgDlgButtons Buttons = mbOK;
    String Filter;
    int FilterIndex = 1;
    String InitialDir;
    String FileName;
    QStringList Files;
    TOpenOptions Options = 0;
    TColor Color = 0;
    QStringList CustomColors;
};

// Answers a box with the pressed button: IDOK, IDYES, IDNO, IDCANCEL, ...
// (the modal results mrOk, mrYes, ... have the same values); a dialog is
// confirmed with IDOK.
using TDialogHandler = std::function<int(TDialogRequest &Request)>;
// Installs Handler for every modal box and returns the one it replaces; an
// empty handler brings back the real boxes.
TDialogHandler SetDialogHandler(TDialogHandler Handler);
int ExecuteDialog(TDialogRequest &Request);

// A box with the type's caption ("Warning", "Error", "Information",
// "Confirm"), the type's icon and the buttons; returns the modal result.
int MessageDlg(const String &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// A box with the application's title and an OK button.
void ShowMessage(const String &Msg);

#include "DialogsCommon.h"
