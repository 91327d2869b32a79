// Shared objects: what a movie keeps outlives its engine (a second engine,
// as after closing the program, reads it back), the site's cap refuses a
// flush and tells onStatus, a damaged file is left out, the places names
// and paths give, and the AMF0 form of objects, arrays, cycles and
// registered classes.
#include "ScriptTestUtil.h"
#include "swf/SwfPlayer.h"
#include "swf/avm1/StandaloneHost.h"
#include "swf/avm1/Vm.h"
#include "swf/avm1/display/Amf0Reader.h"
#include "swf/avm1/display/Amf0Writer.h"
#include "swf/avm1/display/SharedObjectPath.h"
#include "swf/avm1/display/SharedObjectStore.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace swftest::scripts;
using swf::avm1::sharedObjectPath;

namespace {

// so = SharedObject.getLocal(name)
ActionWriter &openObject(ActionWriter &w, const QString &name)
{
    w.push({QStringLiteral("so")});
    call(w, QStringLiteral("SharedObject"), QStringLiteral("getLocal"), {name});
    return w.op(Op::SetVariable);
}

class SharedObject : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(movies.isValid());
    }
    // Plays boxMovie(script) from a file in the movies' folder with an
    // engine of its own, then closes it.
    QStringList play(const ActionWriter &script)
    {
        QStringList traced;
        swf::Player player;
        QObject::connect(&player, &swf::Player::traced, [&](const QString &line) { traced << line; });
        player.setManualTicks(true);
        player.setSharedObjectFolder(folder.path());
        auto movie = boxMovie(ActionWriter(script).op(Op::Stop), 1);
        movie->setAddress(movies.filePath(QStringLiteral("lesson/main.swf")));
        player.setMovie(movie);
        player.tick();
        return traced;
    }
    QString stored(const QString &name)
    {
        QDirIterator it(folder.path(), {name + QStringLiteral(".sol")}, QDir::Files, QDirIterator::Subdirectories);
        return it.hasNext() ? it.next() : QString();
    }

    QTemporaryDir folder, movies;
};

}

TEST_F(SharedObject, WhatAMovieKeepsIsReadBackByTheNextEngineFlushedOrNot)
{
    ActionWriter first;
    openObject(first, QStringLiteral("progress"));
    traceMember(first, QStringLiteral("so.data"), QStringLiteral("score"));
    setMember(first, QStringLiteral("so.data"), QStringLiteral("score"), 3);
    setMember(first, QStringLiteral("so.data"), QStringLiteral("child"), QStringLiteral("小明"));
    call(first, QStringLiteral("so"), QStringLiteral("flush")).op(Op::Trace);
    openObject(first, QStringLiteral("unflushed"));
    setMember(first, QStringLiteral("so.data"), QStringLiteral("lesson"), 12);
    EXPECT_EQ(play(first), QStringList({"undefined", "true"}));

    ActionWriter second;
    openObject(second, QStringLiteral("progress"));
    traceMember(second, QStringLiteral("so.data"), QStringLiteral("score"));
    traceMember(second, QStringLiteral("so.data"), QStringLiteral("child"));
    openObject(second, QStringLiteral("unflushed"));
    traceMember(second, QStringLiteral("so.data"), QStringLiteral("lesson"));
    call(second, QStringLiteral("so"), QStringLiteral("clear")).op(Op::Pop);
    EXPECT_EQ(play(second), QStringList({"3", "小明", "12"}));
    EXPECT_TRUE(stored(QStringLiteral("unflushed")).isEmpty()) << "clear() removes what was stored";
    EXPECT_FALSE(stored(QStringLiteral("progress")).isEmpty());
}

TEST_F(SharedObject, AFlushPastTheSiteCapIsRefusedAndToldToOnStatusKeepingWhatWasStored)
{
    ActionWriter keep;
    openObject(keep, QStringLiteral("small"));
    setMember(keep, QStringLiteral("so.data"), QStringLiteral("score"), 5);
    call(keep, QStringLiteral("so"), QStringLiteral("flush")).op(Op::Trace);
    ASSERT_EQ(play(keep), QStringList({"true"}));

    ActionWriter grow;
    openObject(grow, QStringLiteral("small"));
    // big = 64000 characters, doubled: more than the whole site may take.
    grow.push({QStringLiteral("big"), QString(32000, QLatin1Char('x'))}).op(Op::PushDuplicate).op(Op::StringAdd);
    grow.op(Op::PushDuplicate).op(Op::StringAdd).op(Op::SetVariable);
    get(grow, QStringLiteral("so.data")).push({QStringLiteral("big")}).getVariable(QStringLiteral("big")).op(Op::SetMember);
    ActionWriter onStatus;
    traceMember(onStatus, QStringLiteral("info"), QStringLiteral("code"));
    get(grow, QStringLiteral("so")).push({QStringLiteral("onStatus")});
    grow.defineFunction(QString(), {QStringLiteral("info")}, onStatus).op(Op::SetMember);
    call(grow, QStringLiteral("so"), QStringLiteral("flush")).op(Op::Trace);
    call(grow, QStringLiteral("so"), QStringLiteral("flush"), {200 * 1024}).op(Op::Trace);
    // Closing cannot store it either.
    EXPECT_EQ(play(grow), QStringList({"SharedObject.Flush.Failed", "false", "SharedObject.Flush.Failed", "false"}));

    ActionWriter check;
    openObject(check, QStringLiteral("small"));
    traceMember(check, QStringLiteral("so.data"), QStringLiteral("score"));
    traceMember(check, QStringLiteral("so.data"), QStringLiteral("big"));
    EXPECT_EQ(play(check), QStringList({"5", "undefined"}));
}

TEST_F(SharedObject, ADamagedFileIsLeftOutAndReplacedByTheNextFlush)
{
    ActionWriter keep;
    openObject(keep, QStringLiteral("progress"));
    setMember(keep, QStringLiteral("so.data"), QStringLiteral("score"), 5);
    play(keep);
    const QString file = stored(QStringLiteral("progress"));
    ASSERT_FALSE(file.isEmpty());
    // Cut short, then with the sizes right but junk where the data ends.
    for (bool cut : {true, false}) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        bytes = cut ? bytes.left(bytes.size() - 4) : bytes.left(bytes.size() - 10) + QByteArray(10, '\xFF');
        f.resize(0);
        f.write(bytes);
        f.close();
        ActionWriter check;
        openObject(check, QStringLiteral("progress"));
        traceMember(check, QStringLiteral("so.data"), QStringLiteral("score"));
        call(check, QStringLiteral("so"), QStringLiteral("getSize")).op(Op::Trace);
        EXPECT_EQ(play(check), QStringList({"undefined", "0"}));
    }
    ActionWriter again;
    openObject(again, QStringLiteral("progress"));
    setMember(again, QStringLiteral("so.data"), QStringLiteral("score"), 6);
    call(again, QStringLiteral("so"), QStringLiteral("flush")).op(Op::Trace);
    EXPECT_EQ(play(again), QStringList({"true"}));
    ActionWriter check;
    openObject(check, QStringLiteral("progress"));
    traceMember(check, QStringLiteral("so.data"), QStringLiteral("score"));
    EXPECT_EQ(play(check), QStringList({"6"}));
}

TEST(SharedObjectPath, NamesAndLocalPathsGivePlacesUnderTheMoviesHost)
{
    const QString web = QStringLiteral("http://Lessons.example.com/en/unit1/main.swf?x=1");
    EXPECT_EQ(sharedObjectPath(web, QStringLiteral("progress")), "lessons.example.com/en/unit1/main.swf/progress.sol");
    EXPECT_EQ(sharedObjectPath(web, QStringLiteral("a/b"), QStringLiteral("/en")), "lessons.example.com/en/a/b.sol");
    EXPECT_EQ(sharedObjectPath(web, QStringLiteral("p"), QStringLiteral("/")), "lessons.example.com/p.sol");
    EXPECT_EQ(sharedObjectPath(web, QStringLiteral("p"), QStringLiteral("/en/unit1/main.swf")),
              "lessons.example.com/en/unit1/main.swf/p.sol");
    EXPECT_EQ(sharedObjectPath(QStringLiteral("/home/a/lesson.swf"), QStringLiteral("p")), "localhost/home/a/lesson.swf/p.sol");
    EXPECT_EQ(sharedObjectPath(QStringLiteral("file:///home/a/lesson.swf"), QStringLiteral("p"), QStringLiteral("/home")),
              "localhost/home/p.sol");
    // A path that does not lead to the movie, and names that are no place.
    for (const QString &path : {QStringLiteral("/fr"), QStringLiteral("/en/unit"), QStringLiteral("/en/../x")})
        EXPECT_TRUE(sharedObjectPath(web, QStringLiteral("p"), path).isEmpty()) << path.toStdString();
    for (const QString &name : {QString(), QStringLiteral("../up"), QStringLiteral("a//b"), QStringLiteral("a b"),
                                QStringLiteral("x?"), QStringLiteral("c:d"), QStringLiteral("a/./b"), QStringLiteral("/a")})
        EXPECT_TRUE(sharedObjectPath(web, name).isEmpty()) << name.toStdString();
}

TEST(Amf0, ObjectsArraysCyclesAndRegisteredClassesAreWrittenAsStoredAndReadBack)
{
    swf::avm1::StandaloneHost host;
    swf::avm1::Vm vm(host);
    swf::avm1::Context cx(vm, 8, nullptr);
    using swf::avm1::Value;
    swf::avm1::Object *cls = vm.newFunction([](swf::avm1::Context &, const Value &self, swf::avm1::Args) { return self; });
    swf::avm1::Object *proto = vm.newObject();
    proto->put(vm.names.constructor, Value(cls), 1);
    cls->put(vm.names.prototype, Value(proto));
    vm.registerClass(QStringLiteral("First"), cls);
    vm.registerClass(QStringLiteral("T"), cls);

    swf::avm1::Object *typed = vm.newObject();
    typed->setProto(Value(proto));
    typed->put(vm.name(QStringLiteral("a")), Value(1));
    swf::avm1::Object *array = vm.newArray();
    swf::avm1::Object *outer = vm.newObject();
    array->put(vm.name(QStringLiteral("x")), Value(true));
    outer->put(vm.name(QStringLiteral("t")), Value(typed));
    outer->put(vm.name(QStringLiteral("l")), Value(array));
    outer->put(vm.name(QStringLiteral("me")), Value(outer));
    swf::avm1::Amf0Writer writer(cx);
    writer.value(Value(outer));
    const QByteArray expected = QByteArray::fromHex("03"
                                                    "0001 74 10 0001 54 0001 61 00 3ff0000000000000 000009"
                                                    "0001 6c 08 00000000 0001 78 01 01 000009"
                                                    "0002 6d65 07 0000"
                                                    "000009");
    EXPECT_EQ(writer.bytes().toHex(), expected.toHex());

    swf::avm1::Amf0Reader reader(cx, writer.bytes());
    std::optional<Value> read = reader.value();
    ASSERT_TRUE(read && read->asObject() && reader.atEnd());
    swf::avm1::Object *back = read->asObject();
    EXPECT_EQ(back->get(cx, vm.name(QStringLiteral("me"))).asObject(), back);
    EXPECT_EQ(back->get(cx, vm.name(QStringLiteral("t"))).asObject()->proto(), proto) << "a typed object gets its class";
    // Unregistering the class writes its instances as plain objects.
    vm.registerClass(QStringLiteral("T"), nullptr);
    swf::avm1::Amf0Writer plain(cx);
    plain.value(Value(typed));
    EXPECT_EQ(plain.bytes().left(1).toHex(), "10") << "the symbol registered before stays";
    vm.registerClass(QStringLiteral("First"), nullptr);
    swf::avm1::Amf0Writer none(cx);
    none.value(Value(typed));
    EXPECT_EQ(none.bytes().left(1).toHex(), "03");
}
