// BitmapData.draw: another bitmap drawn with a matrix inside a clip
// rectangle, and a clip drawn in its own space, without its place on the
// stage.
#include "../ScriptTestUtil.h"

#include <gtest/gtest.h>

using namespace swftest::scripts;

namespace {

using Args = std::vector<ActionWriter::PushValue>;

// name = new flash.<package>.<type>(args)
void make(ActionWriter &w, const QString &name, const QString &package, const QString &type, Args args)
{
    w.push({name});
    std::reverse(args.begin(), args.end());
    if (!args.empty())
        w.push(args);
    w.push({int32_t(args.size())});
    get(w, "flash." + package).push({type}).op(Op::NewMethod).op(Op::SetVariable);
}

// trace(bitmap.getPixel32(x, y)): a signed number, 0xFFFF0000 is -65536.
void tracePixel(ActionWriter &w, const QString &bitmap, int x, int y)
{
    w.push({y, x, 2});
    get(w, bitmap).push({QStringLiteral("getPixel32")}).op(Op::CallMethod).op(Op::Trace);
}

}

TEST(BitmapDraw, DrawsBitmapsAndClipsWhereAsked)
{
    ActionWriter w;
    make(w, "red", "display", "BitmapData", {4, 4, false, 0xFFFF0000u * 1.0});
    make(w, "target", "display", "BitmapData", {8, 8, true, 0});
    make(w, "m", "geom", "Matrix", {1, 0, 0, 1, 2, 2});
    make(w, "r", "geom", "Rectangle", {0, 0, 4, 4});
    // target.draw(red, m, null, null, r)
    w.getVariable(QStringLiteral("r")).push({ActionWriter::Null{}, ActionWriter::Null{}});
    w.getVariable(QStringLiteral("m")).getVariable(QStringLiteral("red")).push({5});
    get(w, QStringLiteral("target")).push({QStringLiteral("draw")}).op(Op::CallMethod).op(Op::Pop);
    tracePixel(w, "target", 3, 3);
    tracePixel(w, "target", 1, 1);
    tracePixel(w, "target", 5, 5);
    // shot.draw(clip): the box at its own origin, not at (10, 10).
    make(w, "shot", "display", "BitmapData", {30, 30, false, 0xFF0000FFu * 1.0});
    w.getVariable(QStringLiteral("clip")).push({1});
    get(w, QStringLiteral("shot")).push({QStringLiteral("draw")}).op(Op::CallMethod).op(Op::Pop);
    tracePixel(w, "shot", 2, 2);
    tracePixel(w, "shot", 19, 9);
    tracePixel(w, "shot", 25, 15);
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"-65536", "0", "0", "-65536", "-65536", "-16776961"}));
}
