#include "MainWindowFixture.h"

#include "WaitFor.h"
#include "stream/RealAudioControl.h"
#include "swf/FlashComponent.h"

#include <QTest>
#include <QTreeWidget>
#include <QWidget>

void MainWindowFixture::SetUp()
{
    RegisterFlashControl();
    RegisterRealAudioControl();
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
    delete Form3;
    Form3 = nullptr;
    delete Form;
    SetDialogHandler(FOldDialogs);
    SetUrlOpener(FOldOpener);
}

void MainWindowFixture::CreateMainWindow()
{
    Form = new TForm1(nullptr);
    Form->AfterConstruction();
    Form3 = new TForm3(nullptr);
    Form3->AfterConstruction();
    Form->Show();
    ASSERT_TRUE(WaitFor([this] { return Form->Handle()->isVisible(); }));
}

QImage MainWindowFixture::Grab() const
{
    return Form->Handle()->grab().toImage();
}

TTreeNode *MainWindowFixture::Node(std::initializer_list<const char *> Path) const
{
    TTreeNode *node = nullptr;
    for (const char *caption : Path) {
        const String wanted = QString::fromUtf8(caption);
        TTreeNode *next = node ? node->GetFirstChild() : Form->suiTreeView1->Items()->GetFirstNode();
        while (next && next->Text() != wanted)
            next = next->GetNextSibling();
        if (!next)
            return nullptr;
        node = next;
    }
    return node;
}

void MainWindowFixture::ClickNode(TTreeNode *Node)
{
    for (TTreeNode *parent = Node->Parent(); parent; parent = parent->Parent())
        parent->SetExpanded(true);
    auto *tree = static_cast<QTreeWidget *>(Form->suiTreeView1->Handle());
    const TRect r = Form->suiTreeView1->NodeRect(Node);
    const int border = Form->suiTreeView1->BorderWidth();
    const QPoint at = tree->viewport()->mapFrom(tree, QPoint(r.Left + 10 + border, r.Top + r.Height() / 2 + border));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
}
