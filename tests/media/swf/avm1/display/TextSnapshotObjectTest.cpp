// TextSnapshot objects: the static text of a clip read, searched, hit and
// selected by scripts, Chinese text included.
#include "ScriptTestUtil.h"

#include <gtest/gtest.h>

using swfmake::ActionWriter;
using namespace swftest::scripts;
namespace Op = swf::avm1::Op;

namespace {

constexpr int kTw = 20;

// "A你好" in a 20-pixel embedded font, 20 pixels a character from (10, 40),
// placed on the root, whose first frame then runs `script`.
std::shared_ptr<swf::Movie> textMovie(const ActionWriter &script)
{
    MovieWriter m(200, 100, 12, 8);
    std::vector<swfmake::ShapeBuilder> glyphs(3);
    for (swfmake::ShapeBuilder &g : glyphs) {
        g.setStyles(0, 1, 0);
        g.rect(0, -1024, 1024, 1024);
    }
    m.defineFont2(1, QStringLiteral("Lesson Sans"), glyphs, {'A', 0x4F60, 0x597D});
    m.defineText(2, QRect(0, 0, 200 * kTw, 100 * kTw),
                 {{1, QColor(0, 0, 200), 10 * kTw, 40 * kTw, 20 * kTw, {{0, 20 * kTw}, {1, 20 * kTw}, {2, 20 * kTw}}}},
                 false);
    m.place(Place{1, false, 2, QTransform(), {}, {}, {}, {}});
    m.tag(12, script.block());
    m.showFrame();
    return swftest::load(m.finish());
}

}

TEST(TextSnapshotObject, ReadsSearchesAndHitsTheClipsStaticText)
{
    ActionWriter w;
    w.push({QStringLiteral("ts"), 0, QStringLiteral("_root")}).op(Op::GetVariable);
    w.push({QStringLiteral("getTextSnapshot")}).op(Op::CallMethod).op(Op::SetVariable);
    call(w, "ts", "getCount").op(Op::Trace);
    call(w, "ts", "getText", {0, 3}).op(Op::Trace);
    call(w, "ts", "getText", {1, 99}).op(Op::Trace);
    call(w, "ts", "findText", {0, QString(QChar(0x597D)), false}).op(Op::Trace);
    call(w, "ts", "findText", {0, QStringLiteral("a"), true}).op(Op::Trace);
    call(w, "ts", "findText", {0, QStringLiteral("a"), false}).op(Op::Trace);
    call(w, "ts", "hitTestTextNearPos", {35, 30}).op(Op::Trace);
    call(w, "ts", "hitTestTextNearPos", {35, 60}).op(Op::Trace);
    call(w, "ts", "hitTestTextNearPos", {35, 60, 25}).op(Op::Trace);
    Played p(textMovie(w));
    EXPECT_EQ(p.lines, QStringList({"3", QStringLiteral("A你好"), QStringLiteral("你好"), "2", "-1", "0", "1", "-1", "1"}));
}

TEST(TextSnapshotObject, KeepsASelectionAndAnswersOnlyTheArgumentsItTakes)
{
    ActionWriter w;
    w.push({QStringLiteral("ts"), 0, QStringLiteral("_root")}).op(Op::GetVariable);
    w.push({QStringLiteral("getTextSnapshot")}).op(Op::CallMethod).op(Op::SetVariable);
    call(w, "ts", "setSelected", {1, 3, true}).op(Op::Pop);
    call(w, "ts", "getSelectedText").op(Op::Trace);
    call(w, "ts", "getSelected", {0, 1}).op(Op::Trace);
    call(w, "ts", "getSelected", {0, 2}).op(Op::Trace);
    call(w, "ts", "getCount", {1}).op(Op::Trace);
    call(w, "ts", "getText", {0}).op(Op::Trace);
    // new TextSnapshot(_root, true) stands for no clip.
    w.push({QStringLiteral("other"), true, QStringLiteral("_root")}).op(Op::GetVariable);
    w.push({2, QStringLiteral("TextSnapshot")}).op(Op::NewObject).op(Op::SetVariable);
    call(w, "other", "getCount").op(Op::Trace);
    Played p(textMovie(w));
    EXPECT_EQ(p.lines, QStringList({QStringLiteral("你好"), "false", "true", "undefined", "undefined", "undefined"}));
}
