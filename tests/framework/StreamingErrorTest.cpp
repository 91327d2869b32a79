// Bad descriptions: one clear error naming the description, the line and
// the property, and nothing half-built left behind.
#include "StreamingTestClasses.h"

#include <gtest/gtest.h>

using namespace streamingtest;

namespace {

enum TErrorKind { Parser, Read };

struct ErrorRow {
    const char *Text;
    TErrorKind Kind;
    int Line;
    const char *Path;
    const char *Detail;
};

// Panel1's body starts on line 3.
QByteArray InPanel(const char *Body)
{
    return QByteArray("object Form1: TTestForm\n  object Panel1: TTestPanel\n") + Body + "  end\nend\n";
}

const ErrorRow Rows[] = {
    {"object Form1: TTestForm\n  object X1: TNoSuch\n  end\nend\n", Read, 2, "X1", "Class TNoSuch not found"},
    {"    Colour = clRed\n", Read, 3, "Panel1.Colour", "Property Colour does not exist"},
    {"    Count = 'ten'\n", Read, 3, "Panel1.Count", "Invalid property value: an integer expected"},
    {"    Kind = tkFour\n", Read, 3, "Panel1.Kind", "Invalid property value tkFour"},
    {"    Count = 2147483648\n", Read, 3, "Panel1.Count", "Integer value 2147483648 out of range"},
    {"    Visible = Yes\n", Read, 3, "Panel1.Visible", "Invalid property value: True or False expected"},
    {"    Font.Size2 = 3\n", Read, 3, "Panel1.Font.Size2", "Property Size2 does not exist"},
    {"    Count.X = 1\n", Read, 3, "Panel1.Count.X", "Property Count has no sub-properties"},
    {"    Font = 1\n", Read, 3, "Panel1.Font", "Property Font is stored by its sub-properties"},
    {"    Color = clNoSuch\n", Read, 3, "Panel1.Color", "Invalid colour clNoSuch"},
    {"    Anchors = [akLeft, akMiddle]\n", Read, 3, "Panel1.Anchors", "Invalid set element akMiddle"},
    {"    Items.Strings = ('a' 2)\n", Read, 3, "Panel1.Items.Strings", "Invalid property value: a string expected"},
    {"    Picture.Data = {0754426974}\n", Read, 3, "Panel1.Picture.Data", ""},
    {"    Picture.Data = {07544269746D6170424D}\n", Read, 3, "Panel1.Picture.Data", ""},
    {"    Sections = <\n      item\n        Width = 'w'\n      end>\n", Read, 5, "Panel1.Sections[0].Width", "Invalid property value: an integer expected"},
    {"    OnClick = NoSuchClick\n", Read, 3, "Panel1.OnClick", "Handler NoSuchClick not found in TTestForm"},
    {"    OnClick = FormClose\n", Read, 3, "Panel1.OnClick", "Invalid property value: a handler of the event's kind expected"},
    {"    Count = 1\n    Buddy = Panel9\n", Read, 4, "Panel1.Buddy", "Component Panel9 not found"},
    {"    object Timer1: TTimer\n    end\n", Read, 3, "Timer1", "A TTimer cannot be placed in Panel1"},
    {"object Form1: TTestForm\n  object Panel1: TTimer\n  end\nend\n", Read, 2, "Panel1", "Field Panel1 of TTestForm does not take a TTimer"},
    {"object Form1: TTestForm\n  object P: TTestPanel\n  end\n  object P: TTestPanel\n  end\nend\n", Read, 4, "P",
     "A component named P already exists"},
    {"object Form1: TTestRoot\nend\n", Read, 1, "Form1", "The description is of a TTestRoot, not of a TTestForm"},
    {"    Picture.Data = {07Z4}\n", Parser, 3, "", "Invalid binary value: 'Z' is not a hexadecimal digit"},
    {"    Picture.Data = {075}\n", Parser, 3, "", "Invalid binary value: odd number of hexadecimal digits"},
    {"object Form1: TTestForm\n  object Panel1: TTestPanel\n    Picture.Data = {07\n", Parser, 4, "", "'}' expected but end of file found"},
    {"    Title = 'abc\n", Parser, 3, "", "Unterminated string"},
    {"    Title = 'a' +\n", Parser, 4, "", "String expected but 'end' found"},
    {"    Count = 12ab\n", Parser, 3, "", "Invalid number: unexpected 'a'"},
    {"    Count = $123456789\n", Parser, 3, "", "Hexadecimal number longer than 8 digits"},
    {"    Count 1\n", Parser, 3, "", "'=' expected but '1' found"},
    {"    Anchors = [akLeft akTop]\n", Parser, 3, "", "']' expected but 'akTop' found"},
    {"    Title = #1114112\n", Parser, 3, "", "Character code out of range"},
    {"    object P2: TTestPanel\n    end\n    Count = 1\n", Parser, 5, "", "'object' or 'end' expected but 'Count' found"},
    {"object Form1: TTestForm\n  object Panel1: TTestPanel\n    Count = 1\n", Parser, 4, "", "'end' expected but end of file found"},
    {"object Form1: TTestForm\nend\nend\n", Parser, 3, "", "End of file expected but 'end' found"},
    {"object Form1: TTestForm\n  Caption = '\xC3('\nend\n", Parser, 2, "", "Invalid UTF-8 text"},
};

TEST(StreamingErrors, EachBadDescriptionFailsWithOneErrorNamingFileLineAndProperty)
{
    RegisterTestClasses();
    for (const ErrorRow &row : Rows) {
        const QByteArray text = QByteArray(row.Text).startsWith("object") ? QByteArray(row.Text) : InPanel(row.Text);
        TTestForm form(nullptr);
        try {
            ReadComponentText(&form, text, QStringLiteral("Bad.form"));
            ADD_FAILURE() << "no error for " << row.Text;
        } catch (const EFilerError &e) {
            EXPECT_EQ(dynamic_cast<const EParserError *>(&e) != nullptr, row.Kind == Parser) << row.Text << e.what();
            EXPECT_EQ(e.FileName, QStringLiteral("Bad.form"));
            EXPECT_EQ(e.Line, row.Line) << row.Text << e.what();
            EXPECT_EQ(e.PropPath, QString::fromUtf8(row.Path)) << row.Text << e.what();
            if (*row.Detail) {
                EXPECT_EQ(e.Detail, QString::fromUtf8(row.Detail)) << row.Text;
            }
            EXPECT_TRUE(e.Message.startsWith(QStringLiteral("Bad.form, line %1: ").arg(row.Line))) << e.what();
        }
        // Nothing half-built stays: no components, no bound fields, not loading.
        EXPECT_EQ(form.ComponentCount(), 0) << row.Text;
        EXPECT_EQ(form.Panel1, nullptr) << row.Text;
        EXPECT_FALSE(form.ComponentState() & csLoading) << row.Text;
    }
}

TEST(StreamingErrors, AFailedRootIsNotLeftBehindAndAMissingFileIsNamed)
{
    RegisterTestClasses();
    TTestRoot owner(nullptr);
    EXPECT_THROW(CreateComponentFromText(&owner, "object R: TTestForm\n  Tag = 'x'\nend\n", QStringLiteral("Bad.form")), EReadError);
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_THROW(CreateComponentFromText(&owner, "object R: TFont\nend\n", QStringLiteral("Bad.form")), EReadError);

    TTestForm form(nullptr);
    try {
        ReadComponentRes(&form, QStringLiteral(":/forms/NoSuch.form"));
        ADD_FAILURE();
    } catch (const EReadError &e) {
        EXPECT_TRUE(e.Message.startsWith(QStringLiteral(":/forms/NoSuch.form"))) << e.what();
    }
}

TEST(StreamingErrors, AFailingLoadedFreesWhatWasRead)
{
    RegisterTestClasses();
    class TFailingRoot : public TTestForm {
    public:
        using TTestForm::TTestForm;
        void Loaded() override
        {
            TTestForm::Loaded();
            throw Exception(QStringLiteral("cannot start"));
        }
    };
    TFailingRoot form(nullptr);
    try {
        ReadComponentText(&form, "object Form1: TTestForm\n  object Panel1: TTestPanel\n  end\nend\n", QStringLiteral("Bad.form"));
        ADD_FAILURE();
    } catch (const EReadError &e) {
        EXPECT_EQ(e.Detail, QStringLiteral("cannot start"));
    }
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(form.Panel1, nullptr);
}

} // namespace
