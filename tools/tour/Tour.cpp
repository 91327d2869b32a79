#include "Tour.h"

#include "SUIThemes.h"
#include "Unit1.h"
#include "Unit3.h"
#include "stream/RealAudioControl.h"
#include "stream/StreamPlayer.h"
#include "swf/FlashComponent.h"
#include "swf/FlashControl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <cstdio>

namespace {

QString U(const char *Utf8)
{
    return QString::fromUtf8(Utf8);
}

// The catalogue node reached by captions from the top level.
TTreeNode *Node(std::initializer_list<const char *> Path)
{
    TTreeNode *node = nullptr;
    for (const char *caption : Path) {
        TTreeNode *next = node ? node->GetFirstChild() : Form1->suiTreeView1->Items()->GetFirstNode();
        while (next && next->Text() != U(caption))
            next = next->GetNextSibling();
        if (!next)
            return nullptr;
        node = next;
    }
    return node;
}

// A mouse click on the node's caption, its branch opened first.
bool ClickNode(TTreeNode *Node)
{
    if (!Node)
        return false;
    for (TTreeNode *parent = Node->Parent(); parent; parent = parent->Parent())
        parent->SetExpanded(true);
    auto *tree = static_cast<QTreeWidget *>(Form1->suiTreeView1->Handle());
    const TRect r = Form1->suiTreeView1->NodeRect(Node);
    const int border = Form1->suiTreeView1->BorderWidth();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->viewport()->mapFrom(tree, QPoint(r.Left + 10 + border, r.Top + r.Height() / 2 + border)));
    return true;
}

QImage MovieArea()
{
    return Form1->ShockwaveFlash1->Handle()->grab().toImage();
}

// Share of pixels that differ between two pictures of one size, in percent.
int Changed(const QImage &A, const QImage &B)
{
    if (A.size() != B.size() || A.isNull())
        return 0;
    const QImage a = A.convertToFormat(QImage::Format_RGB32), b = B.convertToFormat(QImage::Format_RGB32);
    qint64 differ = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *pa = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *pb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            differ += pa[x] != pb[x];
    }
    return int(differ * 100 / (qint64(a.width()) * a.height()));
}

// A click on the stage at a point of the movie (in its own pixels).
void ClickStage(const QPointF &At)
{
    auto *stage = qobject_cast<swf::FlashControl *>(Form1->ShockwaveFlash1->Component()->Window());
    if (!stage)
        return;
    const QPointF point = stage->stageTransform(stage->size()).map(At * 20);
    QTest::mouseClick(stage, Qt::LeftButton, {}, point.toPoint());
}

StreamPlayer *Programme()
{
    auto *control = dynamic_cast<RealAudioControl *>(Form3->RealAudio1->Component());
    return control && control->View() ? control->View()->Player() : nullptr;
}

QMessageBox *Notice()
{
    return qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
}

} // namespace

Tour::Tour(const QString &Folder) : FFolder(Folder)
{
    FSinceStart.start();
    FTimer.setInterval(100);
    connect(&FTimer, &QTimer::timeout, this, &Tour::Poll);

    Add({U("notice"), [] {}, [] { return Notice() && Notice()->isVisible(); },
         [] { return U("启动：出现提示框「%1」").arg(Notice()->text().simplified()); }});
    Add({U("main-window"),
         [] {
             if (QAbstractButton *yes = Notice()->button(QMessageBox::Yes))
                 QTest::mouseClick(yes, Qt::LeftButton);
         },
         [] { return !Notice() && Form1 && Form1->Visible() && Form1->Handle()->isVisible(); },
         [] { return U("回答「是」：主窗口出现，标题「%1」").arg(Form1->Handle()->window()->windowTitle()); }});
    Add({U("lesson"),
         [this] {
             Record();
             ClickNode(Node({"看动画学英语", "（1）"}));
             FFirstFrame = -1;
         },
         [this] {
             const int frame = Form1->ShockwaveFlash1->FrameNum();
             if (FFirstFrame < 0 && frame > 0) {
                 FFirstFrame = frame;
                 FFirstFrameAt = FSinceStart.elapsed();
                 FFirstPicture = MovieArea();
             }
             return FFirstFrame > 0 && frame >= FFirstFrame + 24 && Changed(FFirstPicture, MovieArea()) > 0 &&
                    FLoudest > 1000;
         },
         [this] {
             return U("打开「看动画学英语」→「（1）」：程序启动后 %1 秒出现第一帧，从第 %2 帧播到第 %3 帧，动画区 %4% 的像素有变化，录音听到朗读（最响 %5）")
                 .arg(FFirstFrameAt / 1000.0, 0, 'f', 1)
                 .arg(FFirstFrame)
                 .arg(Form1->ShockwaveFlash1->FrameNum())
                 .arg(Changed(FFirstPicture, MovieArea()))
                 .arg(FLoudest);
         },
         20000});
    // The demo lessons' "下一页" button sits at the stage's bottom right.
    Add({U("next-page"), [] { ClickStage({470, 374}); }, [] { return Form1->ShockwaveFlash1->FrameNum() >= 36; },
         [] { return U("点动画里的「下一页」：跳到第 %1 帧，第二页开始").arg(Form1->ShockwaveFlash1->FrameNum()); }});
    const struct {
        const char *Name;
        TMenuItem *TForm1::*Item;
        TsuiUIStyle Style;
    } looks[] = {{"MacOS", &TForm1::MacOS1, MacOS},
                 {"DeepBlue", &TForm1::DeepBlue1, DeepBlue},
                 {"Protein", &TForm1::Protein1, Protein},
                 {"BlueGlass", &TForm1::BlueGlass1, BlueGlass},
                 {"WinXP", &TForm1::Winxp1, WinXP}};
    for (const auto &look : looks)
        Add({U("look-") + U(look.Name), [item = look.Item] { (Form1->*item)->Click(); },
             [style = look.Style] { return Form1->suiForm1->UIStyle() == style; },
             [name = look.Name] { return U("菜单换外观：%1").arg(U(name)); }});
    Add({U("programme-window"),
         [] {
             // The open series hides the nodes below it, as a user would see.
             Node({"看动画学英语"})->SetExpanded(false);
             ClickNode(Node({"洪恩GOGO"}));
         },
         [] { return Form3->Visible() && Form3->Handle()->isVisible() && !Form1->Visible(); },
         [] { return U("点「洪恩GOGO」：主窗口隐藏，出现「英语节目」窗口"); }});
    Add({U("programme"),
         [this] {
             Form3->N12->Click();
             FFirstPosition = -1;
         },
         [this] {
             StreamPlayer *player = Programme();
             if (!player || player->GetState() != StreamPlayer::State::Playing)
                 return false;
             if (FFirstPosition < 0)
                 FFirstPosition = player->Position();
             return player->Position() >= FFirstPosition + 2;
         },
         [this] {
             return U("选「洪恩GOGO」→「（一）」：状态「%1」，位置从 %2 秒走到 %3 秒")
                 .arg(Programme()->Status())
                 .arg(FFirstPosition, 0, 'f', 1)
                 .arg(Programme()->Position(), 0, 'f', 1);
         },
         30000});
    Add({U("back"), [] { Form3->Close(); }, [] { return !Form3->Visible() && Form1->Visible(); },
         [] { return U("关闭节目窗口：节目停下，主窗口回来"); }});
}

void Tour::Record()
{
    auto *component = dynamic_cast<FlashComponent *>(Form1->ShockwaveFlash1->Component());
    if (!component || !component->control())
        return;
    swf::SoundPlayer &sound = component->control()->player().sound();
    // What a sound device would take, at its pace: the mix of the time due.
    sound.setManualOutput(true);
    FRecordClock.start();
    connect(&FRecorder, &QTimer::timeout, this, [this, &sound] {
        const qint64 due = FRecordClock.nsecsElapsed() * 44100 / 1000000000 - FRecorded;
        if (due <= 0)
            return;
        std::vector<int16_t> samples(size_t(due) * 2);
        sound.mixer().mix(samples.data(), int(due));
        FRecorded += due;
        for (int16_t sample : samples)
            FLoudest = std::max(FLoudest, std::abs(int(sample)));
    });
    FRecorder.start(10);
}

void Tour::Start()
{
    QDir().mkpath(FFolder);
    FClock.start();
    FTimer.start();
}

void Tour::Poll()
{
    if (FCurrent >= FSteps.size())
        return;
    Step &step = FSteps[FCurrent];
    if (!FActed) {
        FActed = true;
        FClock.restart();
        step.Act();
        return;
    }
    if (!step.Done()) {
        if (FClock.elapsed() < step.TimeoutMs)
            return;
        FFailed = true;
        Shoot(step.Name + U("-failed"));
        Report(U("第 %1 步（%2）没有等到结果，导览中止").arg(FCurrent + 1).arg(step.Name));
        FSteps.resize(FCurrent + 1);
    } else {
        Shoot(step.Name);
        Report(step.Seen());
    }
    ++FCurrent;
    FActed = false;
    if (FCurrent >= FSteps.size()) {
        FTimer.stop();
        // The last step: the program ends as by its close button.
        if (QMessageBox *box = Notice())
            box->reject();
        if (Form1)
            Form1->Close();
        else
            QApplication::quit();
    }
}

void Tour::Shoot(const QString &Name)
{
    const QString file = QStringLiteral("%1/%2-%3.png").arg(FFolder).arg(FCurrent + 1, 2, 10, QLatin1Char('0')).arg(Name);
    QGuiApplication::primaryScreen()->grabWindow(0).save(file);
}

void Tour::Report(const QString &Line)
{
    std::printf("%s\n", Line.toUtf8().constData());
    std::fflush(stdout);
}
