// System: what a movie may ask of the player beyond its capabilities.
#include "../ScriptTestHost.h"

#include <gtest/gtest.h>

using namespace scripttest;

TEST(SystemObject, GrantsDomainsOnlyWhenOneIsNamed)
{
    Machine m;
    EXPECT_EQ(result(m, QStringLiteral("System.security"), QStringLiteral("allowDomain"), {QStringLiteral("a.org")}),
        "true");
    EXPECT_EQ(result(m, QStringLiteral("System.security"), QStringLiteral("allowDomain")), "false");
}

TEST(SystemObject, ImeIsABroadcasterThatRefusesChanges)
{
    Machine m;
    W same;
    same.getVariable(QStringLiteral("System.IME")).push({QStringLiteral("addListener")}).op(Op::GetMember);
    same.getVariable(QStringLiteral("AsBroadcaster")).push({QStringLiteral("addListener")}).op(Op::GetMember);
    same.op(Op::Equals2).op(Op::Trace);
    EXPECT_EQ(m.run(same), QStringList({"true"}));
    EXPECT_EQ(result(m, QStringLiteral("System.IME"), QStringLiteral("setEnabled"), {true}), "false");
    EXPECT_EQ(result(m, QStringLiteral("System.IME"), QStringLiteral("getEnabled")), "false");
    EXPECT_EQ(result(m, QStringLiteral("System.IME"), QStringLiteral("getConversionMode")), "UNKNOWN");
}

TEST(SystemObject, ProductsCannotBeStarted)
{
    Machine m;
    W w;
    w.push({QStringLiteral("p"), QStringLiteral("other"), 1}).getVariable(QStringLiteral("System"));
    w.push({QStringLiteral("Product")}).op(Op::NewMethod).op(Op::SetVariable);
    m.run(w);
    EXPECT_EQ(result(m, QStringLiteral("p"), QStringLiteral("launch")), "false");
    EXPECT_EQ(result(m, QStringLiteral("p"), QStringLiteral("download")), "false");
}
