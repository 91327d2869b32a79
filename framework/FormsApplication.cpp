// The application object and the screen.
#include "ControlsHost.h"
#include "Dialogs.h"
#include "Forms.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

TApplication *Application = new TApplication(nullptr);
TScreen *Screen = new TScreen(nullptr);

TApplication::TApplication(TComponent *AOwner) : TComponent(AOwner), FIcon(std::make_unique<TIcon>())
{
    FIcon->OnChange = [this](TObject *) {
        QApplication::setWindowIcon(FIcon->Empty() ? QIcon() : QIcon(QPixmap::fromImage(FIcon->Image())));
    };
}

bool CallGuarded(TObject *Sender, const std::function<void()> &Body)
{
    try {
        Body();
        return true;
    } catch (const Exception &e) {
        Application->HandleException(Sender, e);
    } catch (const std::exception &e) {
        Application->HandleException(Sender, Exception(QString::fromUtf8(e.what())));
    }
    return false;
}

void TApplication::Initialize()
{
    FTerminated = false;
}

String TApplication::Title() const
{
    return QGuiApplication::applicationDisplayName();
}

void TApplication::SetTitle(const String &Value)
{
    QGuiApplication::setApplicationDisplayName(Value);
    QCoreApplication::setApplicationName(Value);
}

HWND TApplication::Handle() const
{
    return FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
}

void TApplication::Run()
{
    if (FMainForm && FShowMainForm && !FTerminated)
        FMainForm->Show();
    FRunning = true;
    while (!FTerminated)
        QApplication::exec();
    FRunning = false;
    DestroyComponents();
}

void TApplication::Terminate()
{
    FTerminated = true;
    if (FRunning)
        QCoreApplication::exit(0);
}

void TApplication::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void TApplication::Minimize()
{
    if (FMainForm && FMainForm->HandleAllocated())
        FMainForm->Handle()->showMinimized();
}

void TApplication::Restore()
{
    if (FMainForm && FMainForm->HandleAllocated())
        FMainForm->Handle()->showNormal();
}

void TApplication::HandleException(TObject *Sender, const Exception &E)
{
    // An error inside the error box (its own handlers) is not reported again.
    if (FHandlingException)
        return;
    FHandlingException = true;
    struct Done {
        bool &Flag;
        ~Done() { Flag = false; }
    } done{FHandlingException};
    if (OnException)
        OnException(Sender, E);
    else
        ShowException(E);
}

void TApplication::ShowException(const Exception &E)
{
    String text = E.Message;
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    MessageBox(text, Title(), MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(const String &Text, const String &Caption, UINT Flags)
{
    TDialogRequest request;
    request.Kind = dkMessageBox;
    request.Caption = Caption;
    request.Text = Text;
    request.Flags = Flags;
    return ExecuteDialog(request);
}

bool TApplication::ProcessInputMessage(HWND Wnd, TMessage &Message)
{
    if (!OnMessage)
        return false;
    TMsg msg{Wnd, Message.Msg, Message.WParam, Message.LParam};
    bool handled = false;
    OnMessage(msg, handled);
    return handled;
}

TScreen::TScreen(TComponent *AOwner) : TComponent(AOwner) {}

int TScreen::Width() const
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int TScreen::Height() const
{
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}

TRect TScreen::WorkAreaRect() const
{
    TRect area;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

void TScreen::SetCursor(TCursor Value)
{
    if (Value == FCursor)
        return;
    if (FCursor != crDefault)
        QApplication::restoreOverrideCursor();
    FCursor = Value;
    if (Value != crDefault)
        QApplication::setOverrideCursor(CursorShape(Value));
}

TCustomForm *TScreen::Forms(int Index) const
{
    if (Index < 0 || Index >= FormCount())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FForms[Index];
}

TStrings *TScreen::Fonts()
{
    if (!FFonts) {
        FFonts = std::make_unique<TStringList>();
        FFonts->SetSorted(true);
        for (const QString &family : QFontDatabase::families())
            FFonts->Add(family);
    }
    return FFonts.get();
}

void TScreen::AddForm(TCustomForm *Form)
{
    FForms.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm *Form)
{
    std::erase(FForms, Form);
    if (FActiveForm == Form) {
        FActiveForm = nullptr;
        FActiveControl = nullptr;
    }
}
