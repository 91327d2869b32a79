// blendMode and cacheAsBitmap as scripts set them: names exactly, numbers
// modulo 256, null for normal; anything else leaves the mode as it was.
#include "../ScriptTestUtil.h"
#include "swf/SwfMovieClip.h"

#include <gtest/gtest.h>

using namespace swftest::scripts;

TEST(ClipEffects, BlendModeAcceptsNamesNumbersAndNull)
{
    ActionWriter w;
    const std::vector<ActionWriter::PushValue> values = {
        QStringLiteral("layer"), 259, 3.5, true, -1, QStringLiteral("lAyEr"), ActionWriter::Null{}};
    for (const auto &value : values) {
        setMember(w, "clip", "blendMode", QStringLiteral("invert"));
        setMember(w, "clip", "blendMode", value);
        traceMember(w, "clip", "blendMode");
    }
    setMember(w, "clip", "cacheAsBitmap", 1);
    traceMember(w, "clip", "cacheAsBitmap");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"layer", "multiply", "multiply", "invert", "invert", "invert", "normal", "true"}));
}

namespace {

// f = new flash.filters.<type>(args)
void makeFilter(ActionWriter &w, const QString &type, std::vector<ActionWriter::PushValue> args)
{
    w.push({QStringLiteral("f")});
    std::reverse(args.begin(), args.end());
    if (!args.empty())
        w.push(args);
    w.push({int32_t(args.size())});
    get(w, QStringLiteral("flash.filters")).push({type}).op(Op::NewMethod).op(Op::SetVariable);
}

}

TEST(ClipEffects, FiltersKeepTheirRangesAndReachTheClip)
{
    ActionWriter w;
    makeFilter(w, "GlowFilter", {0x1FF0000, 0.5, 300, 2.5, 1, 100});
    for (const char *name : {"color", "alpha", "blurX", "blurY", "quality"})
        traceMember(w, "f", name);
    // clip.filters = [f, "not a filter"]; then a copy comes back.
    w.push({QStringLiteral("clip")}).op(Op::GetVariable).push({QStringLiteral("filters"), QStringLiteral("not a filter")});
    w.getVariable(QStringLiteral("f")).push({2}).op(Op::InitArray).op(Op::SetMember);
    traceMember(w, "clip.filters", "length");
    w.push({QStringLiteral("g")});
    get(w, QStringLiteral("clip.filters")).push({0}).op(Op::GetMember).op(Op::SetVariable);
    traceMember(w, "g", "blurX");
    w.push({QStringLiteral("same")}).getVariable(QStringLiteral("g")).getVariable(QStringLiteral("f")).op(Op::Equals2);
    w.op(Op::SetVariable).trace(QStringLiteral("-")).getVariable(QStringLiteral("same")).op(Op::Trace);
    makeFilter(w, "BevelFilter", {});
    setMember(w, "f", "angle", 366);
    setMember(w, "f", "type", QStringLiteral("INNER"));
    traceMember(w, "f", "angle");
    traceMember(w, "f", "type");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"16711680", "0.498039215686275", "255", "2.5", "15", "1", "255", "-", "false", "6", "full"}));
    const swf::DisplayObject *clip = p.scene.root().children().at(1);
    ASSERT_EQ(clip->filters().size(), 1u);
    EXPECT_EQ(clip->filters()[0].kind, swf::Filter::Glow);
    EXPECT_EQ(clip->filters()[0].passes, 15);
    EXPECT_EQ(clip->filters()[0].color.alpha(), 127);
}

TEST(ClipEffects, AnglesComeBackFromTheClipAsThePlayerStoresThem)
{
    ActionWriter w;
    makeFilter(w, "DropShadowFilter", {4, 45});
    w.push({QStringLiteral("clip")}).op(Op::GetVariable).push({QStringLiteral("filters")});
    w.getVariable(QStringLiteral("f")).push({1}).op(Op::InitArray).op(Op::SetMember);
    traceMember(w, "f", "angle");
    w.push({QStringLiteral("g")});
    get(w, QStringLiteral("clip.filters")).push({0}).op(Op::GetMember).op(Op::SetVariable);
    traceMember(w, "g", "angle");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"45", "44.9999999772279"}));
}

TEST(ClipEffects, FilterArraysKeepWhatTheyHeldBeyondTheirLength)
{
    ActionWriter w;
    makeFilter(w, "ConvolutionFilter", {2, 2});
    setMember(w, "f", "matrix", QStringLiteral("ABCDEF")); // six NaNs: a string has a length but no elements
    traceMember(w, "f", "matrix");
    setMember(w, "f", "matrixX", 3); // grows to 3 x 2 = 6 and keeps them
    traceMember(w, "f", "matrix");
    makeFilter(w, "GradientGlowFilter", {});
    setMember(w, "f", "colors", QStringLiteral("AB"));
    w.push({QStringLiteral("f")}).op(Op::GetVariable).push({QStringLiteral("ratios"), 9, 300}).push({2});
    w.op(Op::InitArray).op(Op::SetMember); // ratios = [300, 9]
    w.push({QStringLiteral("f")}).op(Op::GetVariable).push({QStringLiteral("ratios"), 7}).push({1});
    w.op(Op::InitArray).op(Op::SetMember); // ratios = [7]: one stop left
    setMember(w, "f", "colors", QStringLiteral("ABC")); // three again: the second ratio comes back
    traceMember(w, "f", "ratios");
    w.push({QStringLiteral("f")}).op(Op::GetVariable).push({QStringLiteral("alphas"), 0.5}).push({1});
    w.op(Op::InitArray).op(Op::SetMember);
    traceMember(w, "f", "alphas");
    Played p(boxMovie(w));
    EXPECT_EQ(p.lines, QStringList({"NaN,NaN,NaN,NaN,NaN,NaN", "NaN,NaN,NaN,NaN,NaN,NaN", "7,9,0",
                                    "0.501960784313725,1,1"}));
}
