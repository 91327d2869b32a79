#include "MainWindowFixture.h"

#include "framework/WaitFor.h"
#include "swf/FlashComponent.h"

#include <QWidget>

void MainWindowFixture::SetUp()
{
    RegisterFlashControl();
    FOldDialogs = SetDialogHandler([this](TDialogRequest &Request) {
        Requests.push_back(Request);
        if (Request.Kind == dkOpenDialog) {
            if (OpenAnswer == IDOK)
                Request.FileName = OpenFileName;
            return OpenAnswer;
        }
        if (Request.Flags == MB_YESNO)
            return NoticeAnswer;
        return IDOK;
    });
    FOldOpener = SetUrlOpener([this](const QUrl &Url, const TShellExecuteCall &) {
        Opened.push_back(Url);
        return true;
    });
}

void MainWindowFixture::TearDown()
{
    delete Form;
    SetDialogHandler(FOldDialogs);
    SetUrlOpener(FOldOpener);
}

void MainWindowFixture::CreateMainWindow()
{
    Form = new TForm1(nullptr);
    Form->AfterConstruction();
    Form->Show();
    ASSERT_TRUE(WaitFor([this] { return Form->Handle()->isVisible(); }));
}

QImage MainWindowFixture::Grab() const
{
    return Form->Handle()->grab().toImage();
}
