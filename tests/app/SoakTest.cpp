// The main window used long and hard: two hundred lesson clicks in a row
// across the catalogue, against a test server where some lessons load, some
// are missing, some arrive slowly and some never answer; the five looks
// switched a hundred times. The program keeps up, and what it let go leaves
// nothing behind, neither memory, threads nor sockets.
#include "LessonTable.h"
#include "MainWindowFixture.h"
#include "ProcessUse.h"
#include "SampleMovies.h"
#include "WaitFor.h"
#include "media/swf/TestHttpServer.h"
#include "swf/FlashComponent.h"
#include "swf/FlashControl.h"

#include <QUrl>
#include <array>

namespace {

class Soak : public MainWindowFixture {};

TEST_F(Soak, TwoHundredLessonClicksLeaveNothingBehind)
{
    TestHttpServer server;
    const QByteArray host = "127.0.0.1:" + QByteArray::number(QUrl(server.url("/")).port());
    qputenv("WORDLARK_CONTENT_HOST", host);
    qputenv("WORDLARK_ANIMATION_HOST", host);
    CreateMainWindow();
    TTreeNodes *items = Form->suiTreeView1->Items();
    std::vector<TTreeNode *> lessons;
    for (int i = 0; i < items->Count(); ++i) {
        const TLessonTarget target = LookupLesson(items->Item(i)->Text());
        if (target.Kind != TLessonKind::Movie)
            continue;
        lessons.push_back(items->Item(i));
        // One lesson in four never answers, one in four is missing, one in
        // four arrives in two parts; the rest load at once.
        const QByteArray path = QUrl(target.Address).path().toUtf8();
        const auto mode = std::array{TestHttpServer::Mode::Serve, TestHttpServer::Mode::Silent,
                                     TestHttpServer::Mode::NotFound, TestHttpServer::Mode::Slow}[lessons.size() % 4];
        server.route(path, {mode, swfmake::demoMovie(), {}, 4096});
    }
    ASSERT_GE(lessons.size(), 20u);
    auto *flash = static_cast<FlashComponent *>(Form->ShockwaveFlash1->Component())->control();

    ProcessUse::Held warm{};
    for (int click = 0; click < 200; ++click) {
        Form->suiTreeView1->SetSelected(lessons[click * 7 % lessons.size()]);
        Form->suiTreeView1Click(nullptr);
        // Each lesson gets a moment: loaded, failed, or still waiting when
        // the next click replaces it.
        WaitFor([&] { return !flash->loading(); }, 100);
        if (click == 19)
            warm = ProcessUse::Now();
    }
    Form->ShockwaveFlash1->SetMovie(String());
    qunsetenv("WORDLARK_CONTENT_HOST");
    qunsetenv("WORDLARK_ANIMATION_HOST");
    EXPECT_GE(server.requests, 150) << "the clicks reached the server";
    EXPECT_TRUE(WaitFor([&] { return server.open() == 0; }, 5000)) << server.open() << " connections left open";
    ProcessUse::ExpectBackTo(warm, 4 * 1024);
}

TEST_F(Soak, AHundredChangesOfLookLeaveNothingBehind)
{
    CreateMainWindow();
    const std::array looks{Form->Winxp1, Form->DeepBlue1, Form->MacOS1, Form->Protein1, Form->BlueGlass1};
    ProcessUse::Held warm{};
    for (int change = 0; change < 100; ++change) {
        looks[change % looks.size()]->Click();
        QCoreApplication::processEvents();
        if (change == 19)
            warm = ProcessUse::Now();
    }
    EXPECT_EQ(Form->suiForm1->UIStyle(), BlueGlass);
    ProcessUse::ExpectBackTo(warm, 8 * 1024);
}

}
