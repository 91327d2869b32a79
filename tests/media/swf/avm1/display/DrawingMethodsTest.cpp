// The drawing methods: a script-drawn clip is painted, measured and hit
// like a shape from the file, beneath its children; fills close
// themselves; duplicates draw the same; clear() empties it; gradients.
#include "ScriptTestUtil.h"

#include <gtest/gtest.h>

using namespace swftest::scripts;

namespace {

// d.method(args), its result dropped.
ActionWriter &draw(ActionWriter &w, const QString &method, std::vector<ActionWriter::PushValue> args = {})
{
    return call(w, QStringLiteral("d"), method, std::move(args)).op(Op::Pop);
}

// A blue square (10..60, open: endFill closes it) and a red 4 pixel line
// from (100, 20) to (150, 20) into the empty clip "d".
ActionWriter squareAndLine()
{
    ActionWriter w;
    call(w, QStringLiteral("this"), QStringLiteral("createEmptyMovieClip"), {QStringLiteral("d"), 5}).op(Op::Pop);
    draw(w, QStringLiteral("beginFill"), {0x0000FF, 100});
    draw(w, QStringLiteral("moveTo"), {10, 10});
    draw(w, QStringLiteral("lineTo"), {60, 10});
    draw(w, QStringLiteral("lineTo"), {60, 60});
    draw(w, QStringLiteral("lineTo"), {10, 60});
    draw(w, QStringLiteral("endFill"));
    draw(w, QStringLiteral("lineStyle"), {4, 0xFF0000});
    draw(w, QStringLiteral("moveTo"), {100, 20});
    draw(w, QStringLiteral("lineTo"), {150, 20});
    return w;
}

}

TEST(DrawingMethods, ADrawnClipIsPaintedMeasuredAndHitLikeAShape)
{
    ActionWriter w = squareAndLine();
    traceMember(w, QStringLiteral("d"), QStringLiteral("_width"));
    traceMember(w, QStringLiteral("d"), QStringLiteral("_height"));
    call(w, QStringLiteral("d"), QStringLiteral("hitTest"), {30, 30, true}).op(Op::Trace);
    call(w, QStringLiteral("d"), QStringLiteral("hitTest"), {80, 40, true}).op(Op::Trace);
    call(w, QStringLiteral("d"), QStringLiteral("hitTest"), {80, 40, false}).op(Op::Trace);
    Played p(boxMovie(w));
    // 10..152 wide with the line's round caps, 10..60 high.
    EXPECT_EQ(p.lines, QStringList({"142", "50", "true", "false", "true"}));
    QImage image = swftest::render(p.scene, QSize(200, 200));
    EXPECT_EQ(QColor(image.pixel(35, 35)), QColor(Qt::blue));
    EXPECT_EQ(QColor(image.pixel(125, 20)), QColor(Qt::red));
    EXPECT_NE(QColor(image.pixel(80, 40)), QColor(Qt::blue));
    EXPECT_EQ(swftest::countColor(image, QRect(0, 0, 200, 200), Qt::blue), 50 * 50);
}

TEST(DrawingMethods, ADuplicateDrawsTheSameAndClearEmptiesOnlyTheOriginal)
{
    ActionWriter w = squareAndLine();
    call(w, QStringLiteral("d"), QStringLiteral("duplicateMovieClip"), {QStringLiteral("e"), 6}).op(Op::Pop);
    setMember(w, QStringLiteral("e"), QStringLiteral("_y"), 100);
    draw(w, QStringLiteral("clear"));
    traceMember(w, QStringLiteral("d"), QStringLiteral("_width"));
    traceMember(w, QStringLiteral("e"), QStringLiteral("_width"));
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"0", "142"}));
    QImage image = swftest::render(p.scene, QSize(200, 200));
    EXPECT_NE(QColor(image.pixel(35, 35)), QColor(Qt::blue)) << "cleared";
    EXPECT_EQ(QColor(image.pixel(35, 135)), QColor(Qt::blue)) << "the duplicate";
}

TEST(DrawingMethods, AGradientFillRunsFromItsFirstColourToItsLast)
{
    ActionWriter w;
    call(w, QStringLiteral("this"), QStringLiteral("createEmptyMovieClip"), {QStringLiteral("d"), 5}).op(Op::Pop);
    // m = {matrixType: "box", x: 0, y: 0, w: 200, h: 100, r: 0}
    w.push({QStringLiteral("m"), QStringLiteral("matrixType"), QStringLiteral("box"), QStringLiteral("x"), 0,
            QStringLiteral("y"), 0, QStringLiteral("w"), 200, QStringLiteral("h"), 100, QStringLiteral("r"), 0, 6})
        .op(Op::InitObject)
        .op(Op::SetVariable);
    // d.beginGradientFill("linear", [0xFF0000, 0x0000FF], [100, 100], [0, 255], m)
    w.getVariable(QStringLiteral("m"));
    w.push({255, 0, 2}).op(Op::InitArray);
    w.push({100, 100, 2}).op(Op::InitArray);
    w.push({0x0000FF, 0xFF0000, 2}).op(Op::InitArray);
    w.push({QStringLiteral("linear"), 5}).getVariable(QStringLiteral("d"));
    w.push({QStringLiteral("beginGradientFill")}).op(Op::CallMethod).op(Op::Pop);
    draw(w, QStringLiteral("moveTo"), {0, 0});
    draw(w, QStringLiteral("lineTo"), {200, 0});
    draw(w, QStringLiteral("lineTo"), {200, 100});
    draw(w, QStringLiteral("lineTo"), {0, 100});
    draw(w, QStringLiteral("endFill"));
    Played p(boxMovie(w));
    QImage image = swftest::render(p.scene, QSize(200, 200));
    const QColor left = image.pixel(2, 50), right = image.pixel(197, 50), middle = image.pixel(100, 50);
    EXPECT_GT(left.red(), 240);
    EXPECT_LT(left.blue(), 15);
    EXPECT_GT(right.blue(), 240);
    EXPECT_LT(right.red(), 15);
    EXPECT_NEAR(middle.red(), 128, 10);
    EXPECT_NEAR(middle.blue(), 128, 10);
}

TEST(DrawingMethods, AClipMaskedByScriptShowsOnlyWhereItsMaskDrawsAndTheMaskIsNotDrawn)
{
    ActionWriter w = squareAndLine();
    call(w, QStringLiteral("this"), QStringLiteral("createEmptyMovieClip"), {QStringLiteral("m"), 6}).op(Op::Pop);
    for (const auto &[method, args] : std::vector<std::pair<QString, std::vector<ActionWriter::PushValue>>>{
             {QStringLiteral("beginFill"), {0xFF0000}},
             {QStringLiteral("moveTo"), {30, 30}},
             {QStringLiteral("lineTo"), {100, 30}},
             {QStringLiteral("lineTo"), {100, 100}},
             {QStringLiteral("lineTo"), {30, 100}}})
        call(w, QStringLiteral("m"), method, args).op(Op::Pop);
    call(w, QStringLiteral("d"), QStringLiteral("setMask"), {QStringLiteral("nowhere")}).op(Op::Trace);
    call(w, QStringLiteral("d"), QStringLiteral("setMask"), {QStringLiteral("m")}).op(Op::Trace);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"false", "true"}));
    QImage image = swftest::render(p.scene, QSize(200, 200));
    EXPECT_EQ(QColor(image.pixel(45, 45)), QColor(Qt::blue));
    EXPECT_NE(QColor(image.pixel(15, 45)), QColor(Qt::blue)) << "outside the mask";
    EXPECT_NE(QColor(image.pixel(80, 80)), QColor(Qt::red)) << "the mask itself";
    EXPECT_NE(QColor(image.pixel(125, 20)), QColor(Qt::red)) << "the line, outside the mask";
}
