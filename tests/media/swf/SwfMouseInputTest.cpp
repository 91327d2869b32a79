// The mouse on the stage: button states and condition actions for every
// state change, clips with button handlers, masks and exact hit tests.
#include "SwfRecordingHost.h"
#include "SwfTestUtil.h"
#include "SwfWriter.h"
#include "swf/SwfButtonObject.h"
#include "swf/SwfHitTest.h"

#include <gtest/gtest.h>

using swfmake::MovieWriter;
using swfmake::Place;
using swfmake::TagWriter;
using swftest::RecordingHost;
using swftest::Scene;
using Log = std::vector<std::string>;

namespace {

constexpr int kTw = 20;

// A 40 x 40 pixel square at the origin.
void defineSquare(MovieWriter &m, int id)
{
    swfmake::ShapeBuilder s;
    s.setStyles(0, s.addFill(swfmake::Fill::solid(Qt::red)), 0);
    s.rect(0, 0, 40 * kTw, 40 * kTw);
    m.defineShape(id, s);
}

Place at(int depth, int id, QPointF px, std::optional<QString> name = {}, std::optional<int> clipDepth = {})
{
    return Place{depth, false, id, QTransform::fromTranslate(px.x() * kTw, px.y() * kTw), {}, {}, name, clipDepth};
}

QPointF px(double x, double y)
{
    return QPointF(x * kTw, y * kTw);
}

struct Recorded {
    explicit Recorded(const QByteArray &bytes)
    {
        auto recording = std::make_unique<RecordingHost>();
        host = recording.get();
        scene = std::make_unique<Scene>(swftest::load(bytes), std::move(recording));
    }
    swf::MouseInput &mouse() { return scene->stage.mouse(); }
    // The log without the broadcasts to Mouse listeners, emptied.
    Log take()
    {
        Log kept;
        for (const std::string &line : host->log)
            if (line.rfind("Mouse.", 0) != 0)
                kept.push_back(line);
        host->log.clear();
        return kept;
    }
    RecordingHost *host;
    std::unique_ptr<Scene> scene;
};

}

TEST(SwfMouseInput, ButtonsRunTheConditionActionsOfEveryStateChange)
{
    MovieWriter m(200, 200, 12);
    defineSquare(m, 1);
    m.defineButton2(2, {{0x0F, 1, 1, QTransform()}},
                    {{0x001, 0, "rollOver"}, {0x002, 0, "rollOut"}, {0x004, 0, "press"}, {0x008, 0, "release"},
                     {0x010, 0, "dragOut"}, {0x020, 0, "dragOver"}, {0x040, 0, "releaseOutside"}});
    TagWriter holder;
    holder.place(at(1, 2, {10, 10}));
    holder.showFrame();
    m.defineSprite(3, holder);
    m.place(at(1, 3, {0, 0}, "holder"));
    m.showFrame();
    Recorded r(m.finish());
    auto *holderClip = dynamic_cast<swf::MovieClip *>(r.scene->root().children().at(1));
    ASSERT_TRUE(holderClip);
    auto *button = dynamic_cast<swf::ButtonObject *>(holderClip->children().at(1));
    ASSERT_TRUE(button);
    r.take();

    r.mouse().move(px(5, 5));
    EXPECT_EQ(r.take(), Log{});
    EXPECT_FALSE(r.mouse().showsHand());
    r.mouse().move(px(20, 20));
    EXPECT_EQ(r.take(), Log{"_level0.holder: rollOver"});
    EXPECT_EQ(button->state(), swf::ButtonCharacter::Over);
    EXPECT_TRUE(r.mouse().showsHand());
    r.mouse().press(px(20, 20));
    EXPECT_EQ(r.take(), Log{"_level0.holder: press"});
    EXPECT_EQ(button->state(), swf::ButtonCharacter::Down);
    r.mouse().move(px(150, 150));
    r.mouse().move(px(30, 30));
    EXPECT_EQ(r.take(), (Log{"_level0.holder: dragOut", "_level0.holder: dragOver"}));
    r.mouse().release(px(30, 30));
    EXPECT_EQ(r.take(), Log{"_level0.holder: release"});
    EXPECT_EQ(button->state(), swf::ButtonCharacter::Over);

    r.mouse().press(px(30, 30));
    r.mouse().move(px(150, 150));
    r.mouse().release(px(150, 150));
    EXPECT_EQ(r.take(), (Log{"_level0.holder: press", "_level0.holder: dragOut", "_level0.holder: releaseOutside"}));
    EXPECT_EQ(button->state(), swf::ButtonCharacter::Up);
    r.mouse().move(px(20, 20));
    r.mouse().leave();
    EXPECT_EQ(r.take(), (Log{"_level0.holder: rollOver", "_level0.holder: rollOut"}));
}

// A clip with on(press) handlers or handler methods takes the mouse like a
// button (and what it holds no longer does); every clip hears mouse events.
TEST(SwfMouseInput, ClipsWithButtonHandlersTakeTheMouse)
{
    MovieWriter m(200, 200, 12);
    defineSquare(m, 1);
    TagWriter pad;
    pad.place(at(1, 1, {0, 0}));
    pad.showFrame();
    m.defineSprite(2, pad);
    m.placeWithHandlers(at(1, 2, {0, 0}, "pad"), {{swf::ClipEvent::Press, 0, "pad press"},
                                                   {swf::ClipEvent::Release, 0, "pad release"},
                                                   {swf::ClipEvent::MouseUp, 0, "pad mouse up"}});
    m.place(at(2, 2, {100, 0}, "other"));
    m.showFrame();
    Recorded r(m.finish());
    r.take();

    r.mouse().move(px(10, 10));
    EXPECT_TRUE(r.mouse().showsHand());
    r.mouse().press(px(10, 10));
    r.mouse().release(px(10, 10));
    EXPECT_EQ(r.take(), (Log{"_level0.pad: pad press", "_level0.pad: pad mouse up", "_level0.pad: pad release"}));

    swf::DisplayObject *other = r.scene->root().children().at(2);
    r.mouse().move(px(110, 10));
    EXPECT_FALSE(r.mouse().showsHand()) << "a clip without handlers is not a button";
    r.host->handlers.insert({other, "onRelease"});
    r.mouse().move(px(111, 10));
    EXPECT_TRUE(r.mouse().showsHand());
    r.mouse().press(px(111, 10));
    r.mouse().release(px(111, 10));
    EXPECT_EQ(r.take(), (Log{"_level0.pad: pad mouse up", "_level0.other.onRelease"}));
}

// A clip layer hides the mouse targets it masks where it does not cover;
// hit tests follow the shapes' outlines, not their bounds.
TEST(SwfMouseInput, MasksAndShapeOutlinesLimitWhereObjectsAreHit)
{
    MovieWriter m(200, 200, 12);
    defineSquare(m, 1);
    swfmake::ShapeBuilder triangle;
    triangle.setStyles(0, triangle.addFill(swfmake::Fill::solid(Qt::blue)), 0);
    triangle.moveTo(0, 0);
    triangle.lineTo(40 * kTw, 0);
    triangle.lineTo(0, 40 * kTw);
    triangle.lineTo(0, 0);
    m.defineShape(2, triangle);
    m.defineButton2(3, {{0x0F, 1, 1, QTransform()}}, QByteArray());
    m.defineButton2(4, {{0x0F, 2, 1, QTransform()}}, QByteArray());
    m.place(at(1, 1, {-20, 0}, {}, 2)); // covers x < 20 px of the first button
    m.place(at(2, 3, {0, 0}, "masked"));
    m.place(at(3, 4, {100, 0}, "triangle"));
    m.showFrame();
    Scene scene(swftest::load(m.finish()));
    auto name = [&](QPointF point) {
        swf::DisplayObject *o = swf::mouseTargetAt(scene.stage, point);
        return o ? o->name().toStdString() : std::string();
    };
    EXPECT_EQ(name(px(10, 10)), "masked");
    EXPECT_EQ(name(px(30, 10)), "") << "outside the mask";
    EXPECT_EQ(name(px(105, 5)), "triangle");
    EXPECT_EQ(name(px(135, 35)), "") << "inside the bounds, outside the triangle";

    swf::DisplayObject *triangleButton = scene.root().children().at(3);
    QPointF corner = triangleButton->matrix().inverted().map(px(135, 35));
    EXPECT_TRUE(triangleButton->hitTestLocal(corner, false));
    EXPECT_FALSE(triangleButton->hitTestLocal(corner, true));
}
