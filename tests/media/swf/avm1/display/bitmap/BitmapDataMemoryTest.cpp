// Bitmaps a movie makes count against its script memory: a movie that keeps
// making large ones has its scripts stopped before they outgrow the bound.
#include "../ScriptTestUtil.h"

#include <gtest/gtest.h>

using namespace swftest::scripts;

TEST(BitmapDataMemory, MakingBitmapsEndsAtTheMemoryBound)
{
    ActionWriter w;
    w.push({QStringLiteral("kept"), 0}).op(Op::InitArray).op(Op::SetVariable);
    // for (i = 0; i < 40; i++) kept.push(new flash.display.BitmapData(1000, 1000)): 160 MB.
    auto top = w.label(), done = w.label();
    w.push({QStringLiteral("i"), 0}).op(Op::SetVariable);
    w.bind(top);
    w.getVariable(QStringLiteral("i")).push({40}).op(Op::Less2).op(Op::Not).ifTrue(done);
    w.push({1000, 1000, 2});
    get(w, QStringLiteral("flash.display")).push({QStringLiteral("BitmapData")}).op(Op::NewMethod);
    w.push({1});
    get(w, QStringLiteral("kept")).push({QStringLiteral("push")}).op(Op::CallMethod).op(Op::Pop);
    w.push({QStringLiteral("i")}).getVariable(QStringLiteral("i")).op(Op::Increment).op(Op::SetVariable);
    w.jump(top);
    w.bind(done);
    auto scripts = std::make_unique<swf::avm1::MovieScripts>(nullptr);
    swf::avm1::Vm &vm = scripts->machine();
    vm.heap.setLimits(1u << 20, 50u << 20);
    swftest::Scene scene(boxMovie(w), std::move(scripts));
    EXPECT_TRUE(vm.disabled());
}
