// The stage's frame loop: the order clips run their frames and actions in,
// going back in a timeline, clip events, default names and what happens to
// references of removed objects.
#include "SwfRecordingHost.h"
#include "SwfTestUtil.h"
#include "SwfWriter.h"

#include <gtest/gtest.h>

using swfmake::MovieWriter;
using swfmake::Place;
using swfmake::TagWriter;
using swftest::RecordingHost;
using swftest::Scene;
using Log = std::vector<std::string>;

namespace {

void defineSquare(MovieWriter &m, int id)
{
    swfmake::ShapeBuilder s;
    s.setStyles(0, s.addFill(swfmake::Fill::solid(Qt::red)), 0);
    s.rect(0, 0, 400, 400);
    m.defineShape(id, s);
}

Place placing(int depth, int id, std::optional<QString> name = {})
{
    return Place{depth, false, id, QTransform(), {}, {}, name, {}};
}

// A frame action the recording host logs as `text`.
void mark(TagWriter &t, const char *text)
{
    t.tag(12, QByteArray(text));
}

struct Recorded {
    explicit Recorded(std::shared_ptr<swf::Movie> movie)
    {
        auto recording = std::make_unique<RecordingHost>();
        host = recording.get();
        scene = std::make_unique<Scene>(std::move(movie), std::move(recording));
    }
    RecordingHost *host;
    std::unique_ptr<Scene> scene;
};

}

// The newest clip runs first and the level root last; a clip placed while a
// frame is built runs its first frame at once, its actions after those of
// the clip that placed it.
TEST(SwfStage, ClipsRunTheirFramesNewestFirstAndTheRootLast)
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1);
    TagWriter child;
    for (const char *frame : {"C1", "C2", "C3"}) {
        mark(child, frame);
        child.showFrame();
    }
    m.defineSprite(3, child);
    TagWriter first;
    mark(first, "A1");
    first.place(placing(1, 1));
    first.showFrame();
    mark(first, "A2");
    first.place(placing(2, 3, "child"));
    first.showFrame();
    mark(first, "A3");
    first.showFrame();
    m.defineSprite(2, first);
    TagWriter second;
    for (const char *frame : {"B1", "B2", "B3"}) {
        mark(second, frame);
        second.showFrame();
    }
    m.defineSprite(4, second);
    mark(m, "root 1");
    m.place(placing(1, 2, "clip1"));
    m.place(placing(4, 4, "clip2"));
    m.showFrame();
    mark(m, "root 2");
    m.showFrame();
    mark(m, "root 3");
    m.showFrame();

    Recorded r(swftest::load(m.finish()));
    r.scene->tick();
    r.scene->tick();
    EXPECT_EQ(r.host->log, (Log{"_level0: root 1", "_level0.clip1: A1", "_level0.clip2: B1",
                                "_level0.clip2: B2", "_level0.clip1: A2", "_level0.clip1.child: C1", "_level0: root 2",
                                "_level0.clip1.child: C2", "_level0.clip2: B3", "_level0.clip1: A3", "_level0: root 3"}));
}

// Each frame and each input event is one turn: every script it runs shares
// the turn's time limit, and the turn ends with it.
TEST(SwfStage, FramesAndInputEventsRunTheirScriptsInATurn)
{
    MovieWriter m(100, 100, 12);
    mark(m, "root 1");
    m.showFrame();
    mark(m, "root 2");
    m.showFrame();
    Recorded r(swftest::load(m.finish()));
    r.scene->tick();
    r.scene->stage.mouse().press(QPointF(10, 10));
    r.scene->stage.mouse().release(QPointF(10, 10));
    EXPECT_EQ(r.host->log, (Log{"_level0: root 1", "_level0: root 2", "Mouse.onMouseDown", "Mouse.onMouseUp"}));
    ASSERT_EQ(r.host->turnsAtScripts.size(), 4u);
    for (int open : r.host->turnsAtScripts)
        EXPECT_GE(open, 1);
    EXPECT_EQ(r.host->turns, 0);
}

// Going back keeps the objects still standing where the same placement put
// them and the objects scripts made; timeline objects placed later go.
TEST(SwfStage, GoingBackRebuildsTheTimelineAndKeepsScriptObjects)
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1);
    TagWriter sprite;
    sprite.place(placing(1, 1));
    sprite.showFrame();
    m.defineSprite(2, sprite);
    m.place(placing(1, 2, "a"));
    m.place(placing(3, 2, "stays"));
    m.showFrame();
    m.place(placing(2, 1));
    m.showFrame();
    m.remove(1);
    m.place(placing(1, 2, "b"));
    m.showFrame();

    Scene scene(swftest::load(m.finish()));
    swf::MovieClip &root = scene.root();
    std::weak_ptr<swf::DisplayObject> stays = root.children().at(3)->shared_from_this();
    root.gotoFrame(2, false);
    scene.stage.runQueuedActions();
    std::weak_ptr<swf::DisplayObject> b = root.children().at(1)->shared_from_this();
    EXPECT_EQ(b.lock()->name(), "b");
    auto made = scene.stage.instantiate(scene.movie, 2, &root);
    ASSERT_TRUE(made);
    made->setName("fromScript");
    root.addChild(made, swf::kScriptDepthBase + 5);

    root.gotoFrame(0, false);
    scene.stage.runQueuedActions();
    EXPECT_TRUE(b.expired()) << "the clip placed at frame 2 is gone";
    ASSERT_TRUE(root.children().at(1));
    EXPECT_EQ(root.children().at(1)->name(), "a");
    EXPECT_FALSE(root.children().at(2));
    EXPECT_EQ(root.children().at(3), stays.lock().get()) << "placed at frame 0, still standing";
    EXPECT_EQ(root.children().at(swf::kScriptDepthBase + 5), made.get());
    EXPECT_FALSE(made->removed());

    swf::DisplayObject *a = root.children().at(1);
    root.gotoFrame(1, false);
    EXPECT_EQ(root.children().at(1), a) << "going forward keeps what stands";
    EXPECT_TRUE(root.children().at(2));
}

// Initialize handlers run with the init actions in the order of the tags,
// before construction, construction before frame actions; a placed clip's
// load handlers run before its first frame's actions; unload handlers run
// while it waits to leave, clip actions before the handler method, while its
// enter-frame handler of that frame no longer runs.
TEST(SwfStage, ClipEventsRunInTheirOrder)
{
    MovieWriter m(100, 100, 12);
    TagWriter sprite;
    mark(sprite, "frame");
    sprite.showFrame();
    m.defineSprite(2, sprite);
    mark(m, "root");
    m.placeWithHandlers(placing(1, 2, "clip"), {{swf::ClipEvent::Load, 0, "load"},
                                                {swf::ClipEvent::EnterFrame, 0, "enterFrame"},
                                                {swf::ClipEvent::Initialize, 0, "initialize"},
                                                {swf::ClipEvent::Unload | swf::ClipEvent::Load, 0, "unload or load"}});
    m.tag(59, QByteArray("\x02\x00init", 6));
    m.showFrame();
    m.showFrame();
    m.remove(1);
    m.showFrame();

    Recorded r(swftest::load(m.finish()));
    swf::DisplayObject *clip = r.scene->root().children().at(1);
    ASSERT_TRUE(clip);
    r.host->handlers.insert({clip, "onUnload"});
    r.scene->tick();
    r.scene->tick();
    EXPECT_EQ(r.host->log, (Log{"_level0.clip: initialize", "init _level0: init", "_level0: root",
                                "_level0.clip: load", "_level0.clip: unload or load", "_level0.clip: frame",
                                "_level0.clip: enterFrame", "_level0.clip: unload or load",
                                "_level0.clip.onUnload"}));
}

// A goto in a script runs the target frame's actions after the script; a
// script that removes its own clip ends the clip's queued actions.
TEST(SwfStage, GotoInAScriptQueuesTheTargetFrameAndRemovalDropsQueuedActions)
{
    MovieWriter m(100, 100, 12);
    TagWriter sprite;
    mark(sprite, "sprite 1");
    mark(sprite, "sprite 1 again");
    sprite.showFrame();
    mark(sprite, "sprite 2");
    sprite.showFrame();
    m.defineSprite(2, sprite);
    mark(m, "jump");
    mark(m, "after jump");
    m.place(placing(1, 2, "clip"));
    m.showFrame();
    mark(m, "frame 2");
    m.showFrame();
    mark(m, "frame 3");
    m.showFrame();

    auto recording = std::make_unique<RecordingHost>();
    RecordingHost &host = *recording;
    host.script = [](swf::MovieClip &target, const QByteArray &code) {
        if (code == "jump")
            target.gotoFrame(2, false);
        if (code == "sprite 1")
            target.parentClip()->children().remove(target.depth());
    };
    Scene scene(swftest::load(m.finish()), std::move(recording));
    EXPECT_EQ(host.log, (Log{"_level0: jump", "_level0: after jump", "_level0.clip: sprite 1", "_level0: frame 3"}));
    EXPECT_EQ(scene.root().currentFrame(), 2);
    EXPECT_FALSE(scene.root().children().at(1));
}

TEST(SwfStage, UnnamedClipsButtonsAndFieldsGetInstanceNames)
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1);
    TagWriter sprite;
    sprite.place(placing(1, 1));
    sprite.showFrame();
    m.defineSprite(2, sprite);
    m.defineEditText(3, QRect(0, 0, 400, 400), "text", 0, 240, Qt::black, false);
    m.place(placing(1, 2));
    m.place(placing(2, 1));
    m.place(placing(3, 2, "named"));
    m.place(placing(4, 3));
    m.place(placing(5, 2));
    m.showFrame();
    Scene scene(swftest::load(m.finish()));
    const swf::DisplayList &list = scene.root().children();
    EXPECT_EQ(list.at(1)->name(), "instance1");
    EXPECT_EQ(list.at(2)->name(), "") << "shapes are not named";
    EXPECT_EQ(list.at(3)->name(), "named");
    EXPECT_EQ(list.at(4)->name(), "instance2");
    EXPECT_EQ(list.at(5)->name(), "instance3");
    EXPECT_EQ(list.at(5)->targetPath(), "_level0.instance3");
    EXPECT_EQ(list.at(5)->slashPath(), "/instance3");
    EXPECT_EQ(scene.root().slashPath(), "/");
}

// A removed object is known as removed to whoever still holds it, and
// everything inside it is removed with it.
TEST(SwfStage, RemovedObjectsAreDetectedNotDangling)
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1);
    TagWriter inner;
    inner.place(placing(1, 1));
    inner.showFrame();
    m.defineSprite(2, inner);
    TagWriter outer;
    outer.place(placing(1, 2, "inner"));
    outer.showFrame();
    m.defineSprite(3, outer);
    m.place(placing(1, 3, "outer"));
    m.showFrame();
    m.remove(1);
    m.showFrame();

    auto recording = std::make_unique<RecordingHost>();
    RecordingHost &host = *recording;
    Scene scene(swftest::load(m.finish()), std::move(recording));
    auto *outerClip = dynamic_cast<swf::MovieClip *>(scene.root().children().at(1));
    ASSERT_TRUE(outerClip);
    std::weak_ptr<swf::DisplayObject> weakOuter = outerClip->shared_from_this();
    std::shared_ptr<swf::DisplayObject> heldInner = outerClip->children().at(1)->shared_from_this();
    EXPECT_EQ(heldInner->targetPath(), "_level0.outer.inner");
    int before = host.removed;
    scene.tick();
    EXPECT_TRUE(weakOuter.expired());
    EXPECT_TRUE(heldInner->removed());
    EXPECT_EQ(heldInner->parent(), nullptr);
    EXPECT_EQ(host.removed - before, 3) << "outer, inner and the shape";
    scene.tick();
    EXPECT_EQ(scene.root().currentFrame(), 0);
}

// A clip the timeline takes away while it (or a clip inside it) has unload
// handlers waits beneath every depth, still found by name and without
// running frame actions, until the inner unload handlers and then its own
// have run, and leaves at its parent's next frame; a clip without them goes
// at once.
TEST(SwfStage, TimelineRemovalWaitsForUnloadHandlers)
{
    MovieWriter m(100, 100, 12);
    TagWriter inner;
    mark(inner, "inner frame");
    inner.showFrame();
    m.defineSprite(2, inner);
    TagWriter outer;
    outer.placeWithHandlers(placing(1, 2, "inner"), {{swf::ClipEvent::Unload, 0, "inner unload"}});
    outer.showFrame();
    mark(outer, "outer frame 2");
    outer.showFrame();
    m.defineSprite(3, outer);
    m.place(placing(1, 3, "outer"));
    m.place(placing(2, 2, "plain"));
    m.showFrame();
    m.remove(1);
    m.remove(2);
    mark(m, "root frame 2");
    m.showFrame();

    Recorded r(swftest::load(m.finish()));
    swf::MovieClip &root = r.scene->root();
    std::weak_ptr<swf::DisplayObject> outerClip = root.children().at(1)->shared_from_this();
    std::weak_ptr<swf::DisplayObject> plain = root.children().at(2)->shared_from_this();
    std::vector<int> depthsDuringUnload;
    r.host->script = [&](swf::MovieClip &, const QByteArray &code) {
        if (RecordingHost::text(code) == "inner unload" && !outerClip.expired())
            depthsDuringUnload.push_back(outerClip.lock()->depth());
    };
    r.host->log.clear();
    r.scene->tick();
    EXPECT_TRUE(plain.expired()) << "nothing to wait for";
    EXPECT_EQ(depthsDuringUnload, std::vector<int>{-2}) << "waits beneath the timeline's depths";
    EXPECT_EQ(r.host->log, (Log{"_level0.outer.inner: inner unload", "_level0: root frame 2"}))
        << "the frame actions the outer clip queued that frame do not run";
    ASSERT_FALSE(outerClip.expired()) << "waits through the rest of the frame";
    EXPECT_EQ(outerClip.lock()->depth(), -2);
    r.scene->tick();
    EXPECT_TRUE(outerClip.expired()) << "gone at the root's next frame";
}

// A level root's load handler is looked up once its first frame's actions
// have run, so those actions can set it.
TEST(SwfStage, RootLoadHandlerSetByItsFirstFrameRuns)
{
    MovieWriter m(100, 100, 12);
    mark(m, "set onLoad");
    m.showFrame();
    auto recording = std::make_unique<RecordingHost>();
    RecordingHost &host = *recording;
    host.script = [&](swf::MovieClip &target, const QByteArray &) { host.handlers.insert({&target, "onLoad"}); };
    Scene scene(swftest::load(m.finish()), std::move(recording));
    EXPECT_EQ(host.log, (Log{"_level0: set onLoad", "_level0.onLoad"}));
}
