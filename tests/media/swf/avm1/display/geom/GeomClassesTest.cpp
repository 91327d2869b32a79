// The flash.geom classes as scripts use them: the arithmetic of Point,
// Rectangle, Matrix and ColorTransform, and Transform reading and moving a
// clip on the stage.
#include "../ScriptTestUtil.h"
#include "swf/SwfMovieClip.h"

#include <gtest/gtest.h>

using namespace swftest::scripts;

namespace {

using Args = std::vector<ActionWriter::PushValue>;

// name = new flash.geom.<type>(args)
void make(ActionWriter &w, const QString &name, const QString &type, Args args)
{
    w.push({name});
    std::reverse(args.begin(), args.end());
    if (!args.empty())
        w.push(args);
    w.push({int32_t(args.size())});
    get(w, QStringLiteral("flash.geom")).push({type}).op(Op::NewMethod).op(Op::SetVariable);
}

void run(ActionWriter &w, const QString &object, const QString &method, Args args = {})
{
    call(w, object, method, std::move(args)).op(Op::Pop);
}

void traceCall(ActionWriter &w, const QString &object, const QString &method, Args args = {})
{
    call(w, object, method, std::move(args)).op(Op::Trace);
}

// Traces object.method(variable).
void traceCallOn(ActionWriter &w, const QString &object, const QString &method, const QString &variable)
{
    w.getVariable(variable).push({1});
    get(w, object).push({method}).op(Op::CallMethod).op(Op::Trace);
}

}

TEST(GeomClasses, MatrixArithmetic)
{
    ActionWriter w;
    make(w, "m", "Matrix", {2, 3, 5, 7, 11, 13});
    make(w, "p", "Point", {1, 1});
    traceCallOn(w, "m", "transformPoint", "p");
    traceCallOn(w, "m", "deltaTransformPoint", "p");
    run(w, "m", "invert");
    traceCall(w, "m", "toString");
    make(w, "singular", "Matrix", {4, 5, 44, 55, 2, 4});
    run(w, "singular", "invert");
    traceCall(w, "singular", "toString");
    make(w, "g", "Matrix", {});
    run(w, "g", "createGradientBox", {200, 300, 0, 10, QStringLiteral("y")});
    traceCall(w, "g", "toString");
    make(w, "r", "Matrix", {2, 0, 0, 2, 100, 100});
    run(w, "r", "scale", {7, 11});
    run(w, "r", "translate", {1, -1});
    traceCall(w, "r", "toString");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"(x=18, y=23)", "(x=7, y=10)", "(a=-7, b=3, c=5, d=-2, tx=12, ty=-7)",
                                    "(a=1, b=0, c=0, d=1, tx=0, ty=0)",
                                    "(a=0.1220703125, b=0, c=0, d=0.18310546875, tx=110, ty=y150)",
                                    "(a=14, b=0, c=0, d=22, tx=701, ty=1099)"}));
}

TEST(GeomClasses, MatrixMethodsWorkThroughTheObjectsOwnMethods)
{
    // An object that is not a Matrix has no concat: rotating it through the
    // prototype's method changes nothing.
    ActionWriter w;
    w.push({QStringLiteral("fake")}).push({0}).op(Op::InitObject).op(Op::SetVariable);
    setMember(w, "fake", "a", 1);
    w.push({1});
    w.getVariable("fake").push({2});
    get(w, "flash.geom.Matrix.prototype.rotate").push({QStringLiteral("call")}).op(Op::CallMethod).op(Op::Pop);
    traceMember(w, "fake", "a");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"1"}));
}

TEST(GeomClasses, PointAndRectangleArithmetic)
{
    ActionWriter w;
    make(w, "a", "Point", {-100, -200});
    make(w, "b", "Point", {100, 200});
    w.push({0.5, QStringLiteral("b")}).op(Op::GetVariable);
    w.push({QStringLiteral("a")}).op(Op::GetVariable).push({3});
    get(w, "flash.geom.Point").push({QStringLiteral("interpolate")}).op(Op::CallMethod).op(Op::Trace);
    w.getVariable("b").getVariable("a").push({2});
    get(w, "flash.geom.Point").push({QStringLiteral("distance")}).op(Op::CallMethod).op(Op::Trace);
    make(w, "n", "Point", {-200, 100});
    run(w, "n", "normalize", {10});
    traceCall(w, "n", "toString");
    make(w, "u", "Point", {100, ActionWriter::Null{}});
    run(w, "u", "normalize", {1});
    traceCall(w, "u", "toString");
    make(w, "r", "Rectangle", {0, 0, 10, 10});
    make(w, "s", "Rectangle", {5, 5, 10, 10});
    traceCallOn(w, "r", "intersection", "s");
    traceCallOn(w, "r", "union", "s");
    setMember(w, "r", "left", 4);
    traceCall(w, "r", "toString");
    traceMember(w, "r", "bottomRight");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"(x=0, y=0)", "447.213595499958", "(x=-8.94427190999916, y=4.47213595499958)",
                                    "(x=100, y=null)", "(x=5, y=5, w=5, h=5)", "(x=0, y=0, w=15, h=15)",
                                    "(x=4, y=0, w=6, h=10)", "(x=10, y=10)"}));
}

TEST(GeomClasses, ColorTransformNumbers)
{
    ActionWriter w;
    make(w, "c", "ColorTransform", {0.5, 0.5, 0.5, 0.5, 0, 255, 0, 50});
    make(w, "d", "ColorTransform", {0.5, 0.5, 0.5, 0.5, 70, -410, 130, 60});
    traceMember(w, "c", "rgb");
    traceCallOn(w, "c", "concat", "d");
    traceCall(w, "c", "toString");
    setMember(w, "c", "rgb", 0x102030);
    traceCall(w, "c", "toString");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"65280", "undefined",
                                    "(redMultiplier=0.25, greenMultiplier=0.25, blueMultiplier=0.25, "
                                    "alphaMultiplier=0.25, redOffset=35, greenOffset=50, blueOffset=65, alphaOffset=80)",
                                    "(redMultiplier=0, greenMultiplier=0, blueMultiplier=0, alphaMultiplier=0.25, "
                                    "redOffset=16, greenOffset=32, blueOffset=48, alphaOffset=80)"}));
}

TEST(GeomClasses, TransformReadsAndMovesTheClip)
{
    ActionWriter w;
    w.push({QStringLiteral("t")});
    traceMember(w, "clip", "_x");
    get(w, "clip").push({QStringLiteral("transform")}).op(Op::GetMember).op(Op::SetVariable);
    traceMember(w, "t", "matrix");
    traceMember(w, "t", "pixelBounds");
    make(w, "m", "Matrix", {2, 0, 0, 1, 30, 40});
    w.getVariable("t").push({QStringLiteral("matrix")});
    w.getVariable("m").op(Op::SetMember);
    traceMember(w, "clip", "_x");
    traceMember(w, "clip", "_xscale");
    make(w, "c", "ColorTransform", {1, 1, 1, 1, 0, 0, 300, 0});
    w.getVariable("t").push({QStringLiteral("colorTransform")});
    w.getVariable("c").op(Op::SetMember);
    traceMember(w, "t", "concatenatedColorTransform");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"10", "(a=1, b=0, c=0, d=1, tx=10, ty=10)", "(x=10, y=10, w=21, h=11)", "30", "200",
                                    "(redMultiplier=1, greenMultiplier=1, blueMultiplier=1, alphaMultiplier=1, "
                                    "redOffset=0, greenOffset=0, blueOffset=300, alphaOffset=0)"}));
    const swf::DisplayObject *clip = p.scene.root().children().at(1);
    EXPECT_EQ(clip->matrix(), QTransform(2, 0, 0, 1, 600, 800));
    EXPECT_EQ(clip->colorTransform().add[2], 300);
}

TEST(GeomClasses, BitmapDataSizeLimitsAndDisposal)
{
    // Movies before SWF 10 get at most 2880 pixels a side; a refused size
    // makes no object at all.
    ActionWriter w;
    for (int width : {2880, 2881}) {
        w.push({QStringLiteral("b"), 1, width, 2});
        get(w, QStringLiteral("flash.display")).push({QStringLiteral("BitmapData")}).op(Op::NewMethod).op(Op::SetVariable);
        w.getVariable("b").op(Op::TypeOf).op(Op::Trace);
    }
    w.push({QStringLiteral("b"), double(0xFFFF0000u), true, 3, 3, 4});
    get(w, QStringLiteral("flash.display")).push({QStringLiteral("BitmapData")}).op(Op::NewMethod).op(Op::SetVariable);
    traceCall(w, "b", "getPixel", {1, 1});
    run(w, "b", "dispose");
    traceMember(w, "b", "width");
    traceCall(w, "b", "getPixel32", {1, 1});
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"object", "undefined", "16711680", "-1", "-1"}));
}
