// Timelines: display list changes, seeking, sprites, frame actions, colour
// transforms.
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfCharacter.h"

#include <gtest/gtest.h>
#include <functional>

using swfmake::ActionCode;
using swftest::Scene;
using swfmake::MovieWriter;
using swfmake::Place;

namespace {

void defineSquare(MovieWriter &m, int id, QColor color)
{
    swfmake::ShapeBuilder s;
    s.setStyles(0, s.addFill(swfmake::Fill::solid(color)), 0);
    s.rect(0, 0, 400, 400);
    m.defineShape(id, s);
}

Place newAt(int depth, int id, QTransform m = {})
{
    return Place{depth, false, id, m, {}, {}, {}, {}};
}

Place moveTo(int depth, QTransform m)
{
    return Place{depth, true, {}, m, {}, {}, {}, {}};
}

// depth -> (character, x translation) of a display list.
std::map<int, std::pair<int, double>> summary(const swf::MovieClip &clip)
{
    std::map<int, std::pair<int, double>> out;
    for (const auto &[depth, o] : clip.children())
        out[depth] = {o->characterId(), o->matrix().dx()};
    return out;
}

const swf::MovieClip &clipAt(const swf::MovieClip &parent, int depth)
{
    auto *clip = dynamic_cast<const swf::MovieClip *>(parent.children().at(depth));
    EXPECT_TRUE(clip) << "no clip at depth " << depth;
    return clip ? *clip : parent;
}

std::shared_ptr<swf::Movie> changingMovie()
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1, Qt::red);
    defineSquare(m, 2, Qt::blue);
    m.place(newAt(1, 1));
    m.showFrame(); // 0: A
    m.place(newAt(2, 2, QTransform::fromTranslate(100, 0)));
    m.showFrame(); // 1: A, B
    m.remove(1);
    m.showFrame(); // 2: B
    m.place(moveTo(2, QTransform::fromTranslate(300, 0)));
    m.showFrame(); // 3: B moved
    m.place(Place{2, true, 1, {}, {}, {}, {}, {}});
    m.showFrame(); // 4: B's depth now shows A at B's place
    return swftest::load(m.finish());
}

}

TEST(SwfTimeline, SeekingInAnyOrderGivesTheSameDisplayListAsPlaying)
{
    auto movie = changingMovie();
    ASSERT_EQ(movie->framesLoaded(), 5);
    std::vector<std::map<int, std::pair<int, double>>> expected;
    Scene played(movie);
    for (int f = 0; f < 5; ++f) {
        if (f > 0)
            played.tick();
        ASSERT_EQ(played.root().currentFrame(), f);
        expected.push_back(summary(played.root()));
    }
    EXPECT_EQ(expected[0], (std::map<int, std::pair<int, double>>{{1, {1, 0}}}));
    EXPECT_EQ(expected[1], (std::map<int, std::pair<int, double>>{{1, {1, 0}}, {2, {2, 100}}}));
    EXPECT_EQ(expected[2], (std::map<int, std::pair<int, double>>{{2, {2, 100}}}));
    EXPECT_EQ(expected[3], (std::map<int, std::pair<int, double>>{{2, {2, 300}}}));
    EXPECT_EQ(expected[4], (std::map<int, std::pair<int, double>>{{2, {1, 300}}}));

    Scene scene(movie);
    swf::MovieClip &seeker = scene.root();
    for (int target : {3, 0, 4, 2, 1, 1, 4, 0}) {
        seeker.gotoFrame(target, false);
        EXPECT_EQ(seeker.currentFrame(), target);
        EXPECT_EQ(summary(seeker), expected[size_t(target)]) << "frame " << target;
    }
    seeker.gotoFrame(99, false);
    EXPECT_EQ(seeker.currentFrame(), 4) << "seeks past the end stop at the last frame";
    seeker.gotoFrame(-5, false);
    EXPECT_EQ(seeker.currentFrame(), 0);
}

TEST(SwfTimeline, LoopsAtTheEndAndStopsWhereAStopActionSays)
{
    auto movie = changingMovie();
    Scene t(movie);
    std::vector<int> frames{t.root().currentFrame()};
    for (int i = 0; i < 6; ++i) {
        t.tick();
        frames.push_back(t.root().currentFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 2, 3, 4, 0, 1}));

    MovieWriter m(100, 100, 12);
    defineSquare(m, 1, Qt::red);
    m.place(newAt(1, 1));
    for (int f = 0; f < 4; ++f) {
        if (f == 3)
            m.actions({ActionCode::Stop});
        m.showFrame();
    }
    auto stopping = swftest::load(m.finish());
    Scene s(stopping);
    for (int i = 0; i < 10; ++i)
        s.tick();
    EXPECT_EQ(s.root().currentFrame(), 3);
    EXPECT_FALSE(s.root().playing());
}

// A jump runs the actions of the frame it lands on: going back to frame 1
// (and stopping) runs frame 1's jump to "end" (and play) again.
TEST(SwfTimeline, FrameActionsJumpByFrameAndLabel)
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1, Qt::red);
    m.place(newAt(1, 1));
    m.showFrame();        // 0
    m.gotoLabel("end", false);
    m.showFrame();        // 1: jump to "end" and play on
    m.showFrame();        // 2: skipped
    m.frameLabel("end");
    m.showFrame();        // 3
    m.showFrame();        // 4
    m.gotoFrame(1, true);
    m.showFrame();        // 5: back to 1 and stop, where frame 1 jumps on
    auto movie = swftest::load(m.finish());
    ASSERT_EQ(movie->timeline().labels.value("end"), 3);
    Scene t(movie);
    std::vector<int> frames{t.root().currentFrame()};
    for (int i = 0; i < 5; ++i) {
        t.tick();
        frames.push_back(t.root().currentFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 3, 4, 3, 4, 3}));
    EXPECT_TRUE(t.root().playing());
}

TEST(SwfTimeline, NextAndPrevFrameStepAndStop)
{
    MovieWriter m(100, 100, 12);
    for (int f = 0; f < 6; ++f) {
        if (f == 1)
            m.actions({ActionCode::NextFrame});
        if (f == 4)
            m.actions({ActionCode::PrevFrame});
        m.showFrame();
    }
    auto movie = swftest::load(m.finish());
    Scene t(movie);
    t.tick();
    EXPECT_EQ(t.root().currentFrame(), 2);
    EXPECT_FALSE(t.root().playing());
    t.root().play();
    t.tick();
    t.tick();
    EXPECT_EQ(t.root().currentFrame(), 3);
    EXPECT_FALSE(t.root().playing());
}

TEST(SwfTimeline, SpritesPlayTheirOwnTimelineWhileTheRootStands)
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1, Qt::red);
    swfmake::TagWriter sprite;
    for (int f = 0; f < 3; ++f) {
        Place p{1, f > 0, {}, QTransform::fromTranslate(f * 100, 0), {}, {}, {}, {}};
        if (f == 0)
            p.character = 1;
        sprite.place(p);
        sprite.showFrame();
    }
    m.defineSprite(2, sprite);
    m.place(newAt(1, 2));
    m.actions({ActionCode::Stop});
    m.showFrame();
    m.showFrame();
    auto movie = swftest::load(m.finish());
    Scene scene(movie);
    std::vector<std::pair<int, double>> seen;
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            scene.tick();
        const swf::MovieClip &inner = clipAt(scene.root(), 1);
        seen.push_back({inner.currentFrame(), inner.children().at(1)->matrix().dx()});
    }
    EXPECT_EQ(scene.root().currentFrame(), 0);
    EXPECT_EQ(seen, (std::vector<std::pair<int, double>>{{0, 0}, {1, 100}, {2, 200}, {0, 0}, {1, 100}}));
}

TEST(SwfTimeline, SpriteKeepsPlayingWhenTheRootLoopsBackOverItsPlacement)
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1, Qt::red);
    swfmake::TagWriter sprite;
    sprite.place(newAt(1, 1));
    for (int f = 0; f < 10; ++f)
        sprite.showFrame();
    m.defineSprite(2, sprite);
    m.place(newAt(1, 2));
    m.showFrame();
    m.showFrame();
    m.showFrame();
    auto movie = swftest::load(m.finish());
    Scene scene(movie);
    for (int i = 0; i < 4; ++i)
        scene.tick();
    ASSERT_EQ(scene.root().currentFrame(), 1) << "0 1 2 0 1";
    EXPECT_EQ(clipAt(scene.root(), 1).currentFrame(), 4);
    scene.root().gotoFrame(0, true);
    EXPECT_EQ(clipAt(scene.root(), 1).currentFrame(), 4) << "a seek back keeps the sprite placed at frame 0";
}

TEST(SwfTimeline, SpriteThatPlacesItselfIsCutOffAtTheNestingLimit)
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1, Qt::red);
    swfmake::TagWriter sprite;
    sprite.place(newAt(1, 1));
    sprite.place(newAt(2, 2, QTransform::fromTranslate(20, 20)));
    sprite.showFrame();
    m.defineSprite(2, sprite);
    m.place(newAt(1, 2));
    m.showFrame();
    auto movie = swftest::load(m.finish());
    auto root = swftest::at(movie, 0);
    int depth = 0;
    const swf::DisplayObject *t = &root->root();
    while (t && t->kind() == swf::DisplayObject::Kind::MovieClip) {
        t = static_cast<const swf::MovieClip *>(t)->children().at(2);
        ++depth;
    }
    EXPECT_LE(depth, swf::kMaxNesting + 1);
    QImage image = swftest::render(*root, QSize(100, 100));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::red));
}

TEST(SwfTimeline, SpriteThatPlacesItselfTwiceStopsAtTheSpriteBudget)
{
    // Each level doubles: unbounded, 32 levels would make 2^32 sprites.
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1, Qt::red);
    swfmake::TagWriter sprite;
    sprite.place(newAt(1, 1));
    sprite.place(newAt(2, 2, QTransform::fromTranslate(20, 0)));
    sprite.place(newAt(3, 2, QTransform::fromTranslate(0, 20)));
    sprite.showFrame();
    m.defineSprite(2, sprite);
    m.place(newAt(1, 2));
    m.showFrame();
    m.showFrame();
    auto movie = swftest::load(m.finish());
    Scene scene(movie);
    scene.tick();
    scene.root().gotoFrame(0, true);
    std::function<int(const swf::MovieClip &)> count = [&](const swf::MovieClip &clip) {
        int n = 0;
        for (const auto &[depth, o] : clip.children())
            if (auto *inner = dynamic_cast<const swf::MovieClip *>(o.get()))
                n += 1 + count(*inner);
        return n;
    };
    EXPECT_LE(count(scene.root()), swf::kMaxClips);
    EXPECT_GT(count(scene.root()), 100);
    EXPECT_LE(scene.stage.liveClips(), swf::kMaxClips);
}

TEST(SwfTimeline, PlaceObjectVersionsCarryTheirFields)
{
    MovieWriter m(100, 100, 12);
    defineSquare(m, 1, Qt::red);
    m.placeObject(1, 1, QTransform::fromTranslate(40, 60));
    m.place3(Place{2, false, 1, QTransform(2, 0, 0, 3, 10, 0), std::make_pair(std::vector<int>{128, 256, 256, 64}, std::vector<int>{10, 0, -10, 0}), 300, QString("hero"), 5});
    m.showFrame();
    auto movie = swftest::load(m.finish());
    auto root = swftest::at(movie, 0);
    const swf::DisplayObject &a = *root->root().children().at(1);
    EXPECT_EQ(a.characterId(), 1);
    EXPECT_EQ(a.matrix(), QTransform::fromTranslate(40, 60));
    const swf::DisplayObject &b = *root->root().children().at(2);
    EXPECT_EQ(b.matrix(), QTransform(2, 0, 0, 3, 10, 0));
    EXPECT_EQ(b.ratio(), 300);
    EXPECT_EQ(b.name(), "hero");
    EXPECT_EQ(b.clipDepth(), 5);
    EXPECT_EQ(b.colorTransform().mult[0], 128);
    EXPECT_EQ(b.colorTransform().mult[3], 64);
    EXPECT_EQ(b.colorTransform().add[2], -10);
}

struct CxRow {
    std::array<int, 4> mult, add;
    QColor in, out;
};

class SwfColorTransform : public ::testing::TestWithParam<CxRow> {};

TEST_P(SwfColorTransform, AppliesMultiplyThenAddWithClamping)
{
    const CxRow &row = GetParam();
    swf::ColorTransform cx;
    for (int i = 0; i < 4; ++i) {
        cx.mult[i] = row.mult[size_t(i)];
        cx.add[i] = row.add[size_t(i)];
    }
    EXPECT_EQ(cx.apply(row.in), row.out);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SwfColorTransform,
    ::testing::Values(CxRow{{256, 256, 256, 256}, {0, 0, 0, 0}, QColor(10, 20, 30, 40), QColor(10, 20, 30, 40)},
                      CxRow{{128, 128, 128, 128}, {0, 0, 0, 0}, QColor(200, 100, 50, 255), QColor(100, 50, 25, 127)},
                      CxRow{{256, 256, 256, 256}, {100, -100, 0, 0}, QColor(200, 50, 7, 255), QColor(255, 0, 7, 255)},
                      CxRow{{0, 0, 0, 256}, {255, 128, 0, -55}, QColor(1, 2, 3, 255), QColor(255, 128, 0, 200)},
                      CxRow{{512, -256, 256, 256}, {0, 255, 0, 0}, QColor(100, 100, 100, 255), QColor(200, 155, 100, 255)}));

TEST(SwfColorTransform, CombinedAppliesInnerFirst)
{
    swf::ColorTransform outer, inner;
    outer.mult[0] = 128;
    outer.add[0] = 20;
    inner.mult[0] = 512;
    inner.add[0] = -40;
    QColor c(50, 0, 0);
    EXPECT_EQ(outer.combined(inner).apply(c).red(), outer.apply(inner.apply(c)).red());
    EXPECT_EQ(outer.combined(inner).apply(c).red(), (50 * 2 - 40) / 2 + 20);
}

TEST(SwfColorTransform, ParentTransformTintsNestedObjects)
{
    MovieWriter m(10, 10, 12);
    swfmake::ShapeBuilder s;
    s.setStyles(0, s.addFill(swfmake::Fill::solid(QColor(200, 100, 0))), 0);
    s.rect(0, 0, 200, 200);
    m.defineShape(1, s);
    swfmake::TagWriter sprite;
    sprite.place(Place{1, false, 1, QTransform(), std::make_pair(std::vector<int>{128, 256, 256, 256}, std::vector<int>{0, 0, 0, 0}), {}, {}, {}});
    sprite.showFrame();
    m.defineSprite(2, sprite);
    m.place(Place{1, false, 2, QTransform(), std::make_pair(std::vector<int>{256, 256, 256, 256}, std::vector<int>{0, 0, 50, 0}), {}, {}, {}});
    m.showFrame();
    auto movie = swftest::load(m.finish());
    QImage image = swftest::render(*swftest::at(movie, 0), QSize(10, 10));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(100, 100, 50));
}
