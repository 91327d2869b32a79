// Scripts running on the display tree: frame actions reading and setting
// clips' properties, the MovieClip methods that make, move and remove clips,
// handlers set by scripts, references to removed clips and dragging.
#include "ScriptTestUtil.h"
#include "swf/SwfMovieClip.h"

#include <gtest/gtest.h>

using swfmake::ActionWriter;
using swfmake::MovieWriter;
using swfmake::Place;
using swfmake::TagWriter;
using namespace swftest::scripts;
namespace Op = swf::avm1::Op;

TEST(MovieScripts, ScriptsReadAndSetTheDisplayProperties)
{
    ActionWriter w;
    traceMember(w, "clip", "_x");
    traceMember(w, "clip", "_width");
    setMember(w, "clip", "_x", 15.5);
    setMember(w, "clip", "_y", QStringLiteral("not a number"));
    traceMember(w, "clip", "_x");
    traceMember(w, "clip", "_y");
    setMember(w, "clip", "_rotation", 90);
    traceMember(w, "clip", "_rotation");
    setMember(w, "clip", "_xscale", 200);
    traceMember(w, "clip", "_xscale");
    traceMember(w, "clip", "_rotation");
    setMember(w, "clip", "_rotation", 0);
    traceMember(w, "clip", "_width");
    setMember(w, "clip", "_alpha", 33);
    traceMember(w, "clip", "_alpha");
    setMember(w, "clip", "_name", QStringLiteral("renamed"));
    traceMember(w, "renamed", "_target");
    traceMember(w, "renamed", "_currentframe");
    traceMember(w, "renamed", "_totalframes");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"10", "20.05", "15.5", "10", "90", "200", "90", "40.1", "32.8125", "/renamed", "1", "2"}));
    const QTransform &m = p.scene.root().children().at(1)->matrix();
    EXPECT_EQ(m, QTransform(2, 0, 0, 1, 310, 200));
}

TEST(MovieScripts, MethodsMakeMoveAndRemoveClips)
{
    ActionWriter w;
    call(w, "_root", "attachMovie", {QStringLiteral("box"), QStringLiteral("a"), 5}).op(Op::Trace);
    call(w, "a", "getDepth").op(Op::Trace);
    call(w, "_root", "getNextHighestDepth").op(Op::Trace);
    call(w, "a", "duplicateMovieClip", {QStringLiteral("b"), 9}).op(Op::Pop);
    traceMember(w, "b", "_name");
    call(w, "_root", "createEmptyMovieClip", {QStringLiteral("empty"), 7}).op(Op::Pop);
    get(w, "empty").op(Op::TypeOf).op(Op::Trace);
    call(w, "b", "swapDepths", {3}).op(Op::Pop);
    call(w, "b", "getDepth").op(Op::Trace);
    call(w, "clip", "getDepth").op(Op::Trace);
    call(w, "a", "removeMovieClip").op(Op::Pop);
    get(w, "a").op(Op::TypeOf).op(Op::Trace);
    call(w, "clip", "removeMovieClip").op(Op::Pop);
    traceMember(w, "clip", "_name");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"_level0.a", "5", "6", "b", "movieclip", "3", "-16383", "undefined", "clip"}))
        << "timeline clips are not removed by scripts";
    const swf::DisplayList &list = p.scene.root().children();
    EXPECT_EQ(list.size(), 3u);
    EXPECT_FALSE(list.at(swf::kScriptDepthBase + 5));
    ASSERT_TRUE(list.at(swf::kScriptDepthBase + 3));
    EXPECT_EQ(list.at(swf::kScriptDepthBase + 3)->name(), "b");
}

TEST(MovieScripts, AReferenceToARemovedClipReachesTheClipNowAtItsPath)
{
    ActionWriter w;
    call(w, "_root", "attachMovie", {QStringLiteral("box"), QStringLiteral("a"), 1}).op(Op::Pop);
    w.push({QStringLiteral("kept")});
    get(w, "a").op(Op::SetVariable);
    call(w, "a", "removeMovieClip").op(Op::Pop);
    traceMember(w, "kept", "_x");
    call(w, "_root", "attachMovie", {QStringLiteral("box"), QStringLiteral("a"), 2}).op(Op::Pop);
    setMember(w, "a", "_x", 42);
    traceMember(w, "kept", "_x");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"undefined", "42"}));
}

// A clip with an unload handler that a script removes waits beneath every
// depth until its parent's next frame: still found by name, its handler run,
// and staying where it waits; swapDepths also refuses depths out of range.
TEST(MovieScripts, AClipWithAnUnloadHandlerWaitsAfterRemovalUntilTheNextFrame)
{
    ActionWriter onUnload;
    onUnload.push({QStringLiteral("unloaded")}).op(Op::Trace);
    ActionWriter w;
    call(w, "_root", "attachMovie", {QStringLiteral("box"), QStringLiteral("a"), 5}).op(Op::Pop);
    call(w, "a", "swapDepths", {-16385}).op(Op::Pop);
    call(w, "a", "swapDepths", {2130690045.0}).op(Op::Pop);
    call(w, "a", "getDepth").op(Op::Trace);
    get(w, "a").push({QStringLiteral("onUnload")}).defineFunction(QString(), {}, onUnload).op(Op::SetMember);
    call(w, "a", "removeMovieClip").op(Op::Pop);
    call(w, "a", "getDepth").op(Op::Trace);
    call(w, "a", "swapDepths", {7}).op(Op::Pop);
    call(w, "a", "getDepth").op(Op::Trace);
    call(w, "_root", "stop").op(Op::Pop);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"5", "-32774", "-32774", "unloaded"}));
    const int waiting = -1 - (swf::kScriptDepthBase + 5);
    EXPECT_TRUE(p.scene.root().children().at(waiting));
    p.scene.tick();
    EXPECT_FALSE(p.scene.root().children().at(waiting)) << "gone at the parent's next frame";
}

namespace {

// A movie whose root frame 2 takes away depth 1; there, in frame 1, stands a
// clip whose first frame sends the root to frame 2, or a clip holding it.
std::shared_ptr<swf::Movie> removedByGoto(bool nested)
{
    MovieWriter m(200, 200, 12, 8);
    ActionWriter script;
    script.push({QStringLiteral("before")}).op(Op::Trace);
    call(script, "_root", "gotoAndStop", {2}).op(Op::Pop);
    script.push({QStringLiteral("after")}).op(Op::Trace);
    TagWriter inner;
    inner.tag(12, script.block());
    inner.showFrame();
    m.defineSprite(1, inner);
    TagWriter outer;
    outer.place(Place{1, false, 1, QTransform(), {}, {}, QStringLiteral("inner"), {}});
    outer.showFrame();
    m.defineSprite(2, outer);
    m.place(Place{1, false, nested ? 2 : 1, QTransform(), {}, {}, QStringLiteral("placed"), {}});
    m.showFrame();
    m.remove(1);
    m.showFrame();
    return swftest::load(m.finish());
}

}

// A frame's actions end when a goto takes their own clip away; a clip that
// leaves with its parent runs its block to the end.
TEST(MovieScripts, ABlockEndsWhenAGotoTakesItsClipAway)
{
    Played alone(removedByGoto(false));
    EXPECT_EQ(alone.lines, QStringList({"before"}));
    Played nested(removedByGoto(true));
    EXPECT_EQ(nested.lines, QStringList({"before", "after"}));
}

// In a complete movie every frame up to 16000 counts as loaded;
// WaitForFrame2 reads its frame as text, whole numbers wrapping at 32 bits
// and anything else a label (a missing one counts as loaded).
TEST(MovieScripts, WaitForFrameFindsAllFramesOfACompleteMovieLoaded)
{
    ActionWriter w;
    for (int frame : {5, 16000, 16001}) {
        w.waitForFrame(frame, 2);
        w.push({QString::number(frame)}).op(Op::Trace);
    }
    for (const ActionWriter::PushValue &frame : std::vector<ActionWriter::PushValue>{
             16001, 16002, 2.5, QStringLiteral("2147483648"), QStringLiteral("2147483649")}) {
        w.push({frame}).raw(0x8d, QByteArray(1, 2));
        w.push({QStringLiteral("loaded")}).op(Op::Trace);
    }
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"5", "16000", "loaded", "loaded", "loaded"}));
}

TEST(MovieScripts, HandlersScriptsSetRunOnEachFrame)
{
    ActionWriter body;
    body.getVariable("count").push({1}).op(Op::Add2).op(Op::PushDuplicate).op(Op::Trace);
    body.push({QStringLiteral("count")}).op(Op::StackSwap).op(Op::SetVariable);
    ActionWriter w;
    w.setVariable("count", 0);
    get(w, "clip").push({QStringLiteral("onEnterFrame")}).defineFunction(QString(), {}, body).op(Op::SetMember);
    call(w, "_root", "stop").op(Op::Pop);
    Played p(boxMovie(w));
    p.scene.tick();
    p.scene.tick();
    EXPECT_EQ(p.lines, QStringList({"1", "2"}));
}

TEST(MovieScripts, ADraggedClipFollowsThePointerInsideItsArea)
{
    ActionWriter w;
    call(w, "clip", "startDrag", {false, 0, 0, 100, 50}).op(Op::Pop);
    Played p(boxMovie(w));
    swf::DisplayObject *clip = p.scene.root().children().at(1);
    EXPECT_EQ(clip->matrix().dx(), 200) << "nothing moves before the pointer does";
    swf::MouseInput &mouse = p.scene.stage.mouse();
    mouse.move(QPointF(400, 400));
    mouse.move(QPointF(600, 500));
    EXPECT_EQ(QPointF(clip->matrix().dx(), clip->matrix().dy()), QPointF(800, 700))
        << "as far from the pointer as when the drag started (the pointer at 0, 0)";
    mouse.move(QPointF(4000, 4000));
    EXPECT_EQ(QPointF(clip->matrix().dx(), clip->matrix().dy()), QPointF(2000, 1000)) << "inside the area";
    mouse.stopDrag();
    mouse.move(QPointF(0, 0));
    EXPECT_EQ(clip->matrix().dx(), 2000);
}

TEST(MovieScripts, PointsAndBoundsMapBetweenAClipAndTheStage)
{
    ActionWriter w;
    setMember(w, "clip", "_xscale", 200);
    w.push({QStringLiteral("pt"), QStringLiteral("x"), 5, QStringLiteral("y"), 5, 2}).op(Op::InitObject);
    w.op(Op::SetVariable);
    w.getVariable("pt").push({1});
    get(w, "clip").push({QStringLiteral("localToGlobal")}).op(Op::CallMethod).op(Op::Pop);
    traceMember(w, "pt", "x");
    traceMember(w, "pt", "y");
    w.getVariable("_root").push({1});
    get(w, "clip").push({QStringLiteral("getBounds")}).op(Op::CallMethod);
    w.push({QStringLiteral("xMax")}).op(Op::GetMember).op(Op::Trace);
    call(w, "clip", "hitTest", {45, 15, true}).op(Op::Trace);
    call(w, "clip", "hitTest", {51, 15, true}).op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"20", "15", "50.1", "true", "false"}));
}

TEST(MovieScripts, KeyListenersHearTheKeyboard)
{
    ActionWriter body;
    call(body, "Key", "getCode").op(Op::Trace);
    call(body, "Key", "getAscii").op(Op::Trace);
    call(body, "Key", "isDown", {65}).op(Op::Trace);
    ActionWriter w;
    w.push({QStringLiteral("listener"), 0}).op(Op::InitObject).op(Op::SetVariable);
    get(w, "listener").push({QStringLiteral("onKeyDown")}).defineFunction(QString(), {}, body).op(Op::SetMember);
    w.getVariable("listener").push({1});
    get(w, "Key").push({QStringLiteral("addListener")}).op(Op::CallMethod).op(Op::Pop);
    Played p(boxMovie(w));
    swf::KeyboardInput &keys = p.scene.stage.keyboard();
    keys.press(swf::keyCodeOf(Qt::Key_A), 'a');
    EXPECT_EQ(p.lines, QStringList({"65", "97", "true"}));
    keys.release(swf::keyCodeOf(Qt::Key_A));
    EXPECT_FALSE(keys.isDown(65));
    // Caps lock turns over on each fresh press, not on the repeats of a held key.
    int caps = swf::keyCodeOf(Qt::Key_CapsLock);
    keys.press(caps, 0);
    keys.press(caps, 0);
    EXPECT_TRUE(keys.isToggled(caps));
    keys.release(caps);
    keys.press(caps, 0);
    EXPECT_FALSE(keys.isToggled(caps));
}

TEST(MovieScripts, ColorObjectsSetAndReadAClipsColourTransform)
{
    ActionWriter w;
    w.push({QStringLiteral("c"), QStringLiteral("clip"), 1, QStringLiteral("Color")}).op(Op::NewObject).op(Op::SetVariable);
    call(w, "c", "setRGB", {0x336699}).op(Op::Pop);
    call(w, "c", "getRGB").op(Op::Trace);
    call(w, "c", "getTransform").push({QStringLiteral("ra")}).op(Op::GetMember).op(Op::Trace);
    w.push({QStringLiteral("aa"), 50, QStringLiteral("rb"), -20, 2}).op(Op::InitObject);
    w.push({1});
    get(w, "c").push({QStringLiteral("setTransform")}).op(Op::CallMethod).op(Op::Pop);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"3368601", "0"}));
    const swf::ColorTransform &colors = p.scene.root().children().at(1)->colorTransform();
    EXPECT_EQ(colors.mult[0], 0);
    EXPECT_EQ(colors.add[0], -20);
    EXPECT_EQ(colors.add[2], 0x99);
    EXPECT_EQ(colors.mult[3], 128);
}

TEST(MovieScripts, TheRootTimelineHoldsThePlayerVersion)
{
    ActionWriter w;
    w.getVariable(QStringLiteral("$version")).op(Op::Trace);
    get(w, QStringLiteral("System.capabilities.version")).op(Op::Trace);
    w.push({QStringLiteral("$version")}).op(Op::Delete2).op(Op::Trace); // a plain variable
    QStringList lines;
    swf::Player player;
    player.setManualTicks(true);
    player.setPlayerVersion(9);
    QObject::connect(&player, &swf::Player::traced, [&](const QString &line) { lines << line; });
    player.setMovie(boxMovie(w));
    player.tick();
    EXPECT_EQ(lines, QStringList({"LNX 9,0,0,0", "LNX 9,0,0,0", "true"}));
}

TEST(MovieScripts, ADroppedClipKnowsWhatItWasDroppedOn)
{
    ActionWriter w;
    call(w, "_root", "attachMovie", {QStringLiteral("box"), QStringLiteral("under"), 1}).op(Op::Pop);
    traceMember(w, "clip", "_droptarget");
    call(w, "clip", "startDrag", {true}).op(Op::Pop);
    Played p(boxMovie(w));
    swf::DisplayObject *clip = p.scene.root().children().at(1);
    swf::MouseInput &mouse = p.scene.stage.mouse();
    mouse.move(QPointF(100, 100));
    mouse.stopDrag();
    EXPECT_EQ(clip->droppedOn(), "/under") << "the box attached under the pointer, not the dragged clip itself";
    mouse.startDrag(*clip, true, std::nullopt);
    mouse.move(QPointF(3000, 3000));
    mouse.stopDrag();
    EXPECT_EQ(clip->droppedOn(), "");
    EXPECT_EQ(p.lines, QStringList({""}));
}
