#include "Dialogs.h"
#include "Forms.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
TDialogHandler &Handler()
{
    static TDialogHandler handler;
    return handler;
}

struct TButtonDef {
    TMsgDlgBtn Button;
    QMessageBox::StandardButton Qt;
    int Result;
};

constexpr TButtonDef ButtonDefs[] = {
    {mbYes, QMessageBox::Yes, IDYES},
    {mbNo, QMessageBox::No, IDNO},
    {mbOK, QMessageBox::Ok, IDOK},
    {mbCancel, QMessageBox::Cancel, IDCANCEL},
    {mbAbort, QMessageBox::Abort, IDABORT},
    {mbRetry, QMessageBox::Retry, IDRETRY},
    {mbIgnore, QMessageBox::Ignore, IDIGNORE},
    {mbAll, QMessageBox::YesToAll, mrAll},
    {mbNoToAll, QMessageBox::NoToAll, mrNoToAll},
    {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
    {mbHelp, QMessageBox::Help, IDCANCEL},
};

// The buttons of a MessageBox's MB_* flags.
TMsgDlgButtons FlagButtons(UINT Flags)
{
    switch (Flags & 0xF) {
    case MB_OKCANCEL: return mbOK | mbCancel;
    case MB_YESNOCANCEL: return mbYes | mbNo | mbCancel;
    case MB_YESNO: return mbYes | mbNo;
    default: return mbOK;
    }
}

QMessageBox::Icon FlagIcon(UINT Flags)
{
    switch (Flags & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::Icon TypeIcon(TMsgDlgType Type)
{
    switch (Type) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

// The real box, modal over the active window; timers go on meanwhile.
int ShowQtBox(const TDialogRequest &Request)
{
    const TMsgDlgButtons buttons = Request.Kind == dkMessageBox ? FlagButtons(Request.Flags) : Request.Buttons;
    const QMessageBox::Icon icon = Request.Kind == dkMessageBox ? FlagIcon(Request.Flags) : TypeIcon(Request.DlgType);
    QMessageBox box(icon, Request.Caption, Request.Text, QMessageBox::NoButton, QApplication::activeWindow());
    // What a box says (an address, an error) can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (const TButtonDef &def : ButtonDefs)
        if (buttons & def.Button)
            box.addButton(def.Qt);
    box.exec();
    const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
    for (const TButtonDef &def : ButtonDefs)
        if ((buttons & def.Button) && def.Qt == pressed)
            return def.Result;
    return (buttons & mbCancel) ? IDCANCEL : (buttons & mbNo) ? IDNO : IDOK;
}

String TypeCaption(TMsgDlgType Type)
{
    switch (Type) {
    case mtWarning: return QStringLiteral("Warning");
    case mtError: return QStringLiteral("Error");
    case mtInformation: return QStringLiteral("Information");
    case mtConfirmation: return QStringLiteral("Confirm");
    default: return Application->Title();
    }
}
}

TDialogHandler SetDialogHandler(TDialogHandler NewHandler)
{
    TDialogHandler old = std::move(Handler());
    Handler() = std::move(NewHandler);
    return old;
}

int ExecuteDialog(TDialogRequest &Request)
{
    if (Handler())
        return Handler()(Request);
    switch (Request.Kind) {
    case dkOpenDialog: return ShowQtOpenDialog(Request);
    case dkColorDialog: return ShowQtColorDialog(Request);
    default: return ShowQtBox(Request);
    }
}

int MessageDlg(const String &Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int)
{
    TDialogRequest request;
    request.Kind = dkMessageDlg;
    request.Caption = TypeCaption(DlgType);
    request.Text = Msg;
    request.DlgType = DlgType;
    request.Buttons = Buttons;
    return ExecuteDialog(request);
}

void ShowMessage(const String &Msg)
{
    TDialogRequest request;
    request.Kind = dkShowMessage;
    request.Caption = Application->Title();
    request.Text = Msg;
    request.Buttons = mbOK;
    ExecuteDialog(request);
}
