// The objects that are script data only in this player: ContextMenu and
// ContextMenuItem, ExternalInterface's escaping and PrintJob.
#include "../ScriptTestHost.h"

#include <gtest/gtest.h>

using namespace scripttest;

namespace {

W traceOf(const QString &path)
{
    W w;
    w.getVariable(path).op(Op::Trace);
    return w;
}

}

TEST(ContextMenus, CopiesShareTheBuiltInCommandsAndCopyTheItems)
{
    Machine m;
    m.run(construct(QStringLiteral("menu"), QStringLiteral("ContextMenu"), {}));
    m.run(construct(QStringLiteral("item"), QStringLiteral("ContextMenuItem"), {QStringLiteral("Next")}));
    W push;
    push.getVariable(QStringLiteral("item")).push({1}).getVariable(QStringLiteral("menu.customItems"));
    push.push({QStringLiteral("push")}).op(Op::CallMethod).op(Op::Pop);
    push.push({QStringLiteral("copy"), 0}).getVariable(QStringLiteral("menu")).push({QStringLiteral("copy")});
    push.op(Op::CallMethod).op(Op::SetVariable);
    // A change to the first menu's commands shows in the copy; its items are new ones.
    push.getVariable(QStringLiteral("menu.builtInItems")).push({QStringLiteral("zoom"), false}).op(Op::SetMember);
    push.getVariable(QStringLiteral("item")).push({QStringLiteral("caption"), QStringLiteral("Changed")});
    push.op(Op::SetMember);
    m.run(push);
    W read = traceOf(QStringLiteral("copy.builtInItems.zoom"));
    read.bytes(traceOf(QStringLiteral("copy.customItems.0.caption")).body());
    read.bytes(traceOf(QStringLiteral("copy.customItems.0.enabled")).body());
    EXPECT_EQ(m.run(read), QStringList({"false", "Next", "true"}));
    // Hiding the commands replaces them with a new set, all false.
    W hide;
    hide.push({0}).getVariable(QStringLiteral("copy")).push({QStringLiteral("hideBuiltInItems")});
    hide.op(Op::CallMethod).op(Op::Pop);
    m.run(hide);
    W after = traceOf(QStringLiteral("copy.builtInItems.save"));
    after.bytes(traceOf(QStringLiteral("menu.builtInItems.save")).body());
    EXPECT_EQ(m.run(after), QStringList({"false", "true"}));
}

TEST(ExternalInterfaceHelpers, EscapeForXmlAndScriptsAndGiveNullForNothing)
{
    Machine m;
    const QString ei = QStringLiteral("flash.external.ExternalInterface");
    EXPECT_EQ(result(m, ei, QStringLiteral("_escapeXML"), {QStringLiteral("a<b>&\"'")}),
        "a&lt;b&gt;&amp;&quot;&apos;");
    EXPECT_EQ(result(m, ei, QStringLiteral("_unescapeXML"), {QStringLiteral("&amp;lt;&gt;")}), "&lt;>");
    EXPECT_EQ(result(m, ei, QStringLiteral("_jsQuoteString"), {QStringLiteral("\\\"")}), "\\\\\"");
    EXPECT_EQ(result(m, ei, QStringLiteral("_escapeXML"), {QString()}), "null");
    EXPECT_EQ(result(m, ei, QStringLiteral("call"), {QStringLiteral("f")}), "null");
    EXPECT_EQ(result(m, ei, QStringLiteral("addCallback"), {QStringLiteral("f")}), "false");
}

TEST(PrintJobs, NeverStartAndKeepTheirSizesAtZero)
{
    Machine m;
    m.run(construct(QStringLiteral("job"), QStringLiteral("PrintJob"), {}));
    EXPECT_EQ(result(m, QStringLiteral("job"), QStringLiteral("start")), "false");
    W set;
    set.getVariable(QStringLiteral("job")).push({QStringLiteral("pageWidth"), 100}).op(Op::SetMember);
    set.bytes(traceOf(QStringLiteral("job.pageWidth")).body());
    EXPECT_EQ(m.run(set), QStringList({"0"}));
}
