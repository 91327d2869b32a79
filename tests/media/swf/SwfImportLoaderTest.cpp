// Movies that borrow characters from another movie (ImportAssets): the
// borrowed clip plays with its own movie's characters and scripts, frames
// that import wait for the other movie, and a missing one is skipped.
#include "ActionWriter.h"
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "TestHttpServer.h"
#include "WaitFor.h"
#include "swf/FlashControl.h"
#include "swf/SwfImportLoader.h"
#include "swf/SwfLoadAddress.h"

#include <QTest>
#include <gtest/gtest.h>

using swfmake::ActionWriter;
using swfmake::MovieWriter;
using swfmake::Place;
using swfmake::TagWriter;
namespace Op = swf::avm1::Op;

namespace {

QByteArray traceBlock(const QString &text)
{
    return ActionWriter().push({text}).op(Op::Trace).block();
}

// A SWF 5 library exporting "helper": a sprite whose own child (sprite 1,
// which traces "inner") sits at id 1 as in the importer, to show the
// borrowed clip finds its children in the library.
QByteArray library()
{
    MovieWriter m(100, 100, 12, 5);
    TagWriter inner;
    inner.tag(12, traceBlock(QStringLiteral("inner")));
    inner.showFrame();
    m.defineSprite(1, inner);
    TagWriter helper;
    helper.place(Place{1, false, 1, QTransform(), {}, {}, {}, {}});
    helper.tag(12, traceBlock(QStringLiteral("helper")));
    helper.showFrame();
    m.defineSprite(2, helper);
    swfmake::BitWriter exports;
    exports.u16(1);
    exports.u16(2);
    exports.string(QStringLiteral("helper"));
    m.tag(56, exports.data());
    m.showFrame();
    return m.finish();
}

// A SWF 6 movie importing "helper" from `url` as id 5 and placing it on its
// first frame, which traces "main"; its own sprite 1 traces "own inner".
QByteArray importer(const QString &url)
{
    MovieWriter m(100, 100, 12, 6);
    swfmake::BitWriter imports;
    imports.string(url);
    imports.u16(1);
    imports.u16(5);
    imports.string(QStringLiteral("helper"));
    m.tag(57, imports.data());
    TagWriter own;
    own.tag(12, traceBlock(QStringLiteral("own inner")));
    own.showFrame();
    m.defineSprite(1, own);
    m.place(Place{1, false, 5, QTransform(), {}, {}, QStringLiteral("h"), {}});
    m.tag(12, traceBlock(QStringLiteral("main")));
    m.showFrame();
    m.showFrame();
    return m.finish();
}

struct Played {
    swf::FlashControl control;
    QStringList lines;
    Played()
    {
        control.player().setManualTicks(true);
        QObject::connect(&control.player(), &swf::Player::traced, [this](const QString &l) { lines << l; });
    }
};

} // namespace

TEST(ImportLoader, TheBorrowedClipPlaysWithItsOwnMovie)
{
    QTemporaryDir dir;
    swftest::saveMovie(dir, QStringLiteral("lib.swf"), library());
    const QString main = swftest::saveMovie(dir, QStringLiteral("main.swf"), importer(QStringLiteral("lib.swf")));
    Played p;
    p.control.setMovie(main);
    ASSERT_TRUE(WaitFor([&] { return !p.control.loading(); }, 10000));
    p.control.player().tick();
    EXPECT_TRUE(p.lines.contains(QStringLiteral("helper"))) << p.lines.join('|').toStdString();
    EXPECT_TRUE(p.lines.contains(QStringLiteral("inner"))) << "children come from the library";
    EXPECT_FALSE(p.lines.contains(QStringLiteral("own inner")));
    EXPECT_TRUE(p.lines.contains(QStringLiteral("main")));
}

TEST(ImportLoader, AMissingLibraryLeavesTheFramesPlaying)
{
    QTemporaryDir dir;
    const QString main = swftest::saveMovie(dir, QStringLiteral("main.swf"), importer(QStringLiteral("gone.swf")));
    Played p;
    p.control.setMovie(main);
    ASSERT_TRUE(WaitFor([&] { return !p.control.loading(); }, 10000));
    p.control.player().tick();
    EXPECT_EQ(p.lines, QStringList{QStringLiteral("main")});
}

TEST(ImportLoader, TheImportingFrameWaitsForTheLibrary)
{
    TestHttpServer server;
    const QByteArray lib = library();
    server.route("/movies/main.swf", {TestHttpServer::Mode::Serve, importer(QStringLiteral("lib/lib.swf")), {}, 0});
    server.route("/movies/lib/lib.swf", {TestHttpServer::Mode::Slow, lib, {}, 20});
    Played p;
    p.control.setMovie(server.url(QStringLiteral("/movies/main.swf")));
    ASSERT_TRUE(WaitFor([&] { return !p.control.loading() && server.requests == 2; }, 10000));
    QTest::qWait(50);
    p.control.player().tick();
    EXPECT_TRUE(p.lines.isEmpty()) << "the first frame waits: " << p.lines.join('|').toStdString();
    server.release();
    ASSERT_TRUE(WaitFor([&] { return p.control.player().movie()->framesLoaded() == 2; }, 10000));
    p.control.player().tick();
    EXPECT_TRUE(p.lines.contains(QStringLiteral("helper")));
    EXPECT_TRUE(p.lines.contains(QStringLiteral("main")));
}

TEST(ImportLoader, AddressesAreRelativeToTheImportingMovie)
{
    EXPECT_EQ(swf::resolveAddress(QStringLiteral("/a/b/main.swf"), QStringLiteral("lib.swf")), QStringLiteral("/a/b/lib.swf"));
    EXPECT_EQ(swf::resolveAddress(QStringLiteral("http://h/x/main.swf"), QStringLiteral("../lib.swf")),
              QStringLiteral("http://h/lib.swf"));
    EXPECT_EQ(swf::resolveAddress(QStringLiteral("file:///a/main.swf"), QStringLiteral("l.swf")), QStringLiteral("file:///a/l.swf"));
    EXPECT_EQ(swf::resolveAddress(QStringLiteral("/a/main.swf"), QStringLiteral("http://h/l.swf")), QStringLiteral("http://h/l.swf"));
}
