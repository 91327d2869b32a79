// Loading from scripts: variables, LoadVars and movies from files beside a
// movie on disk and from its web host, MovieClipLoader's events in their
// order, and addresses the movie may not load from.
#include "../../TestHttpServer.h"
#include "ScriptTestUtil.h"
#include "swf/SwfPlayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace swftest::scripts;

namespace {

// name = new className()
ActionWriter &newObject(ActionWriter &w, const QString &name, const QString &className)
{
    return w.push({name, 0, className}).op(Op::NewObject).op(Op::SetVariable);
}

// object.handler = function(params) { body }
ActionWriter &setHandler(ActionWriter &w, const QString &object, const QString &handler, const QStringList &params,
                         const ActionWriter &body)
{
    w.getVariable(object).push({handler});
    return w.defineFunction(QString(), params, body).op(Op::SetMember);
}

// A movie of one frame tracing `text`.
QByteArray tracingMovie(const QString &text)
{
    MovieWriter m(100, 100, 12, 8);
    m.tag(12, ActionWriter().trace(text).block());
    m.showFrame();
    return m.finish();
}

class ScriptLoads : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QObject::connect(&player, &swf::Player::traced, [this](const QString &line) { traced << line; });
        player.setManualTicks(true);
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QDir().mkpath(QFileInfo(dir.filePath(name)).path());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Plays boxMovie(script) from `address` (a file in the folder by default).
    void open(const ActionWriter &script, const QString &address = {})
    {
        movie = boxMovie(ActionWriter(script).op(Op::Stop), 1);
        movie->setAddress(address.isEmpty() ? dir.filePath(QStringLiteral("lesson/main.swf")) : address);
        player.setMovie(movie);
        player.tick();
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            player.tick();
    }

    QTemporaryDir dir;
    swf::Player player;
    std::shared_ptr<swf::Movie> movie;
    QStringList traced;
};

}

TEST_F(ScriptLoads, LoadVarsReadsAFileBesideTheMovieBetweenFramesAndRefusesOneOutsideItsFolder)
{
    write(QStringLiteral("lesson/vars.txt"), "a=1&b=two%20words");
    write(QStringLiteral("secret.txt"), "a=stolen");
    ActionWriter onLoad;
    onLoad.getVariable(QStringLiteral("ok")).op(Op::Trace);
    traceMember(onLoad, QStringLiteral("this"), QStringLiteral("a"));
    traceMember(onLoad, QStringLiteral("this"), QStringLiteral("b"));
    ActionWriter w;
    newObject(w, QStringLiteral("lv"), QStringLiteral("LoadVars"));
    setHandler(w, QStringLiteral("lv"), QStringLiteral("onLoad"), {QStringLiteral("ok")}, onLoad);
    call(w, QStringLiteral("lv"), QStringLiteral("load"), {QStringLiteral("vars.txt")}).op(Op::Trace);
    newObject(w, QStringLiteral("other"), QStringLiteral("LoadVars"));
    call(w, QStringLiteral("other"), QStringLiteral("load"), {QStringLiteral("../secret.txt")}).op(Op::Trace);
    call(w, QStringLiteral("other"), QStringLiteral("load"), {QStringLiteral("http://example.com/a.txt")}).op(Op::Trace);
    open(w);
    EXPECT_EQ(traced, QStringList({"true", "false", "false"})) << "nothing arrives within the frame that asked";
    ticks(2);
    EXPECT_EQ(traced.mid(3), QStringList({"true", "1", "two words"}));
}

TEST_F(ScriptLoads, AMovieLoadedIntoAClipKeepsItsPlaceTellsItsAddressAndGetsTheVariablesOfItsQuery)
{
    MovieWriter child(100, 100, 12, 8);
    child.tag(12, ActionWriter().getVariable(QStringLiteral("greeting")).op(Op::Trace).block());
    child.showFrame();
    write(QStringLiteral("lesson/parts/child.swf"), child.finish());
    ActionWriter w;
    call(w, QStringLiteral("clip"), QStringLiteral("loadMovie"), {QStringLiteral("parts/child.swf?greeting=child%20plays")})
        .op(Op::Pop);
    open(w);
    ticks(2);
    ActionWriter check;
    traceMember(check, QStringLiteral("clip"), QStringLiteral("_x"));
    traceMember(check, QStringLiteral("clip"), QStringLiteral("_url"));
    auto &scripts = static_cast<swf::avm1::MovieScripts &>(player.stage()->scripts());
    scripts.machine().runBlock(check.block(), 8, scripts.level(0));
    ASSERT_EQ(traced.size(), 3);
    EXPECT_EQ(traced[0], QStringLiteral("child plays"));
    EXPECT_EQ(traced[1], QStringLiteral("10"));
    EXPECT_TRUE(traced[2].endsWith(QStringLiteral("parts/child.swf"))) << traced[2].toStdString();
}

TEST_F(ScriptLoads, AMovieClipLoaderHearsEachStepInOrderAndAnErrorForAMissingFile)
{
    write(QStringLiteral("lesson/child.swf"), tracingMovie(QStringLiteral("child frame")));
    ActionWriter w;
    newObject(w, QStringLiteral("mcl"), QStringLiteral("MovieClipLoader"));
    for (const char *event : {"onLoadStart", "onLoadProgress", "onLoadComplete", "onLoadInit", "onLoadError"}) {
        ActionWriter body;
        body.trace(QString::fromLatin1(event));
        body.getVariable(QStringLiteral("a")).op(Op::Trace);
        setHandler(w, QStringLiteral("mcl"), QString::fromLatin1(event), {QStringLiteral("target"), QStringLiteral("a")},
                   body);
    }
    call(w, QStringLiteral("mcl"), QStringLiteral("loadClip"), {QStringLiteral("child.swf"), QStringLiteral("clip")})
        .op(Op::Trace);
    call(w, QStringLiteral("mcl"), QStringLiteral("loadClip"), {QStringLiteral("missing.swf"), 3}).op(Op::Trace);
    open(w);
    ticks(2);
    const QString size = QString::number(tracingMovie(QStringLiteral("child frame")).size());
    EXPECT_EQ(traced, QStringList({"true", "true", "onLoadStart", "undefined", "onLoadProgress", size, "onLoadComplete",
                                   "0", "onLoadError", "URLNotFound", "child frame", "onLoadInit", "undefined"}));
}

TEST_F(ScriptLoads, AWebMovieLoadsFromItsOwnHostOnlyAndNeverALocalFile)
{
    TestHttpServer server;
    server.route("/lessons/vars.txt", {TestHttpServer::Mode::Serve, "a=web", {}, 0});
    write(QStringLiteral("lesson/vars.txt"), "a=local");
    ActionWriter onLoad;
    traceMember(onLoad, QStringLiteral("this"), QStringLiteral("a"));
    ActionWriter w;
    newObject(w, QStringLiteral("lv"), QStringLiteral("LoadVars"));
    setHandler(w, QStringLiteral("lv"), QStringLiteral("onLoad"), {}, onLoad);
    call(w, QStringLiteral("lv"), QStringLiteral("load"), {QStringLiteral("vars.txt")}).op(Op::Trace);
    newObject(w, QStringLiteral("other"), QStringLiteral("LoadVars"));
    call(w, QStringLiteral("other"), QStringLiteral("load"), {QUrl::fromLocalFile(dir.filePath("lesson/vars.txt")).toString()})
        .op(Op::Trace);
    open(w, server.url(QStringLiteral("/lessons/main.swf")));
    EXPECT_EQ(traced, QStringList({"true", "false"}));
    QTRY_VERIFY_WITH_TIMEOUT((player.tick(), traced.size() == 3), 5000);
    EXPECT_EQ(traced[2], QStringLiteral("web"));
}
