// Reading descriptions into components and writing them back.
#include "StreamingTestClasses.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace streamingtest;

namespace {

class StreamingRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestClasses();
        Log().clear();
    }
};

// Every kind of value, in the layout the writer uses, with only values that
// differ from their storage defaults.
const char *const CanonicalText = R"(object Root1: TTestRoot
  Tag = 7
  object Panel1: TTestPanel
    Left = -3
    Top = 4
    Width = 200
    Height = 50
    Align = alBottom
    Anchors = [akLeft, akBottom]
    Caption = 'It''s'#13'二'
    Color = $00C82C00
    Constraints.MinWidth = 150
    Font.Charset = GB2312_CHARSET
    Font.Color = clWindowText
    Font.Height = -12
    Font.Name = '宋体'
    Font.Style = [fsBold, fsItalic]
    ParentColor = False
    ParentFont = False
    Kind = tkThree
    Count = 0
    Title = ''''
    Items.Strings = (
      'one'
      '')
    Sections = <
      item
        Width = 35
      end
      item
        Caption = 'x'
      end>
    Buddy = Panel2
    object Panel2: TTestPanel
      Left = 0
      Top = 0
      Width = 10
      Height = 10
      Color = clSkyBlue
      ParentColor = False
      TabOrder = 0
      Count = 2147483647
      Sections = <>
    end
  end
end
)";

TEST_F(StreamingRead, CanonicalTextReadsAndWritesBackUnchanged)
{
    TTestRoot root(nullptr);
    ReadComponentText(&root, CanonicalText, QStringLiteral("Canonical.form"));
    ASSERT_EQ(root.ComponentCount(), 2);
    auto *panel1 = dynamic_cast<TTestPanel *>(root.FindComponent(QStringLiteral("Panel1")));
    auto *panel2 = dynamic_cast<TTestPanel *>(root.FindComponent(QStringLiteral("Panel2")));
    ASSERT_TRUE(panel1 && panel2);
    EXPECT_EQ(root.Tag(), 7);
    EXPECT_EQ(panel1->Left(), -3);
    EXPECT_EQ(panel1->Caption(), QStringLiteral("It's\r二"));
    EXPECT_EQ(panel1->Color(), 0x00C82C00);
    EXPECT_EQ(panel1->Constraints()->MinWidth(), 150);
    EXPECT_EQ(panel1->Font()->Charset(), GB2312_CHARSET);
    EXPECT_EQ(panel1->Font()->Height(), -12);
    EXPECT_EQ(panel1->Font()->Style(), fsBold | fsItalic);
    EXPECT_EQ(panel1->Kind(), tkThree);
    EXPECT_EQ(panel1->Title(), QStringLiteral("'"));
    ASSERT_EQ(panel1->Items()->Count(), 2);
    EXPECT_EQ(panel1->Items()->Strings(0), QStringLiteral("one"));
    EXPECT_EQ(panel1->Items()->Strings(1), QString());
    ASSERT_EQ(panel1->Sections()->Count(), 2);
    EXPECT_EQ(static_cast<TTestItem *>(panel1->Sections()->Items(0))->Width(), 35);
    EXPECT_EQ(static_cast<TTestItem *>(panel1->Sections()->Items(1))->Caption(), QStringLiteral("x"));
    EXPECT_EQ(panel1->Buddy(), panel2);
    EXPECT_EQ(panel2->Parent(), panel1);
    EXPECT_EQ(panel2->Color(), clSkyBlue);
    EXPECT_EQ(panel2->Count(), 2147483647);

    EXPECT_EQ(WriteComponentText(&root).toStdString(), std::string(CanonicalText));
}

TEST_F(StreamingRead, SettersRunInFileOrderWithParentAndLoadingSetAndChildrenAfterTheirParent)
{
    TTestRoot root(nullptr);
    ReadComponentText(&root,
                      "object Root1: TTestRoot\n"
                      "  object Panel1: TTestPanel\n"
                      "    Title = 'a'\n"
                      "    Kind = tkTwo\n"
                      "    Count = 1\n"
                      "    object Panel2: TTestPanel\n"
                      "      Count = 2\n"
                      "      Kind = tkTwo\n"
                      "    end\n"
                      "    object Panel3: TTestPanel\n"
                      "      Buddy = Panel1\n"
                      "    end\n"
                      "  end\n"
                      "end\n",
                      QStringLiteral("Order.form"));
    EXPECT_EQ(Log(), QStringList({"Panel1.Title", "Panel1.Kind", "Panel1.Count", "Panel2.Count", "Panel2.Kind",
                                  // References are resolved once everything exists,
                                  "Panel3.Buddy",
                                  // then Loaded runs, the root first, in creation order.
                                  "Root1.Loaded", "Panel1.Loaded", "Panel2.Loaded", "Panel3.Loaded"}));
    auto *panel1 = dynamic_cast<TTestPanel *>(root.FindComponent(QStringLiteral("Panel1")));
    auto *panel2 = dynamic_cast<TTestPanel *>(root.FindComponent(QStringLiteral("Panel2")));
    EXPECT_EQ(panel2->LastParent, panel1);
    EXPECT_EQ(panel1->LastParent, nullptr);
    EXPECT_FALSE(panel1->ComponentState() & csLoading);
    EXPECT_FALSE(root.ComponentState() & csLoading);
}

TEST_F(StreamingRead, FormBindsFieldsAndHandlersByName)
{
    TTestForm form(nullptr);
    ReadComponentText(&form,
                      "object Form1: TTestForm\n"
                      "  Caption = 'Hello'\n"
                      "  ClientWidth = 487\n"
                      "  OnClose = FormClose\n"
                      "  object Panel1: TTestPanel\n"
                      "    OnClick = Panel1Click\n"
                      "    OnChange = Panel1Click\n"
                      "  end\n"
                      "  object Timer1: TTimer\n"
                      "    Interval = 100\n"
                      "    OnTimer = Panel1Click\n"
                      "  end\n"
                      "end\n",
                      QStringLiteral("Form.form"));
    EXPECT_EQ(form.Name(), QStringLiteral("Form1"));
    EXPECT_EQ(form.Caption(), QStringLiteral("Hello"));
    ASSERT_NE(form.Panel1, nullptr);
    EXPECT_EQ(form.Panel1->Parent(), &form);
    EXPECT_EQ(form.Panel2, nullptr);
    form.Panel1->Click();
    form.Panel1->OnChange(form.Panel1);
    auto *timer = dynamic_cast<TTimer *>(form.FindComponent(QStringLiteral("Timer1")));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->Interval(), 100u);
    timer->OnTimer(timer);
    TCloseAction action = caFree;
    form.OnClose(&form, action);
    EXPECT_EQ(form.Calls, QStringList({"Panel1Click Panel1", "Panel1Click Panel1", "Panel1Click Timer1", "FormClose"}));
    EXPECT_EQ(action, caHide);

    // The handlers are written back by name.
    const QString written = QString::fromUtf8(WriteComponentText(&form));
    EXPECT_TRUE(written.contains(QStringLiteral("\n  OnClose = FormClose\n")));
    EXPECT_TRUE(written.contains(QStringLiteral("\n    OnClick = Panel1Click\n")));
    EXPECT_TRUE(written.contains(QStringLiteral("\n    Interval = 100\n    OnTimer = Panel1Click\n")));
}

TEST_F(StreamingRead, StringsJoinQuotedRunsCharacterCodesAndContinuedLines)
{
    struct Row {
        const char *Written;
        QString Value;
    };
    const Row rows[] = {
        {"''", QString()},
        {"'a''b'", QStringLiteral("a'b")},
        {"#13#10", QStringLiteral("\r\n")},
        {"'x'#20320'y'", QStringLiteral("x你y")},
        {"'使用前' +\n      '确保'", QStringLiteral("使用前确保")},
        {"#128512", QString::fromUcs4(U"\U0001F600", 1)},
    };
    for (const Row &row : rows) {
        TTestRoot root(nullptr);
        ReadComponentText(&root, QByteArray("object Root1: TTestRoot\n  object P: TTestPanel\n    Title = ") + row.Written + "\n  end\nend\n",
                          QStringLiteral("Strings.form"));
        EXPECT_EQ(static_cast<TTestPanel *>(root.Components(0))->Title(), row.Value) << row.Written;
    }
}

TEST_F(StreamingRead, PicturesAndBinaryBlocksSurviveAWriteAndARead)
{
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.Canvas()->SetPixels(1, 1, clRed);
    TTestRoot source(nullptr);
    source.SetName(QStringLiteral("Root1"));
    auto *panel = new TTestPanel(&source);
    panel->SetName(QStringLiteral("Panel1"));
    panel->Picture()->SetGraphic(&bitmap);
    auto *item = static_cast<TTestItem *>(panel->Sections()->Add());
    item->Picture()->SetGraphic(&bitmap);
    const QByteArray written = WriteComponentText(&source);
    EXPECT_TRUE(written.contains("    Picture.Data = {\n      07544269746D6170")) << written.constData();
    EXPECT_TRUE(written.contains("        Picture.Data = {")) << written.constData();

    TTestRoot copy(nullptr);
    ReadComponentText(&copy, written, QStringLiteral("Written.form"));
    auto *read = static_cast<TTestPanel *>(copy.Components(0));
    ASSERT_NE(read->Picture()->Graphic(), nullptr);
    EXPECT_EQ(read->Picture()->Width(), 3);
    EXPECT_EQ(read->Picture()->Bitmap()->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(static_cast<TTestItem *>(read->Sections()->Items(0))->Picture()->Height(), 2);
    EXPECT_EQ(WriteComponentText(&copy), written);
}

TEST_F(StreamingRead, DescriptionsComeFromFilesAndCreateTheirRoot)
{
    const QString path = QDir::temp().filePath(QStringLiteral("StreamingRead.form"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBFobject Form9: TTestForm\n  object Panel2: TTestPanel\n  end\nend\n");
    }
    TTestForm form(nullptr);
    ReadComponentRes(&form, path);
    EXPECT_NE(form.Panel2, nullptr);
    QFile::remove(path);

    std::unique_ptr<TComponent> created(CreateComponentFromText(nullptr, "object Root2: TTestRoot\n  Tag = 3\nend\n", QStringLiteral("Root.form")));
    EXPECT_EQ(created->ClassName(), QStringLiteral("TTestRoot"));
    EXPECT_EQ(created->Tag(), 3);
}

TEST_F(StreamingRead, AFormReadsItsOwnDescriptionInItsConstructor)
{
    class TSelfReadingForm : public TTestForm {
    public:
        explicit TSelfReadingForm(TComponent *AOwner) : TTestForm(AOwner)
        {
            ReadComponentText(this, "object Form1: TTestForm\n  object Panel1: TTestPanel\n    OnClick = Panel1Click\n  end\nend\n",
                              QStringLiteral("Self.form"));
        }
    };
    TSelfReadingForm form(nullptr);
    ASSERT_NE(form.Panel1, nullptr);
    form.Panel1->Click();
    EXPECT_EQ(form.Calls, QStringList({"Panel1Click Panel1"}));
}

TEST_F(StreamingRead, ASecondFormFromTheSameDescriptionTakesTheNextFreeName)
{
    TTestRoot owner(nullptr);
    const QByteArray text = "object Form1: TTestForm\nend\n";
    auto *first = new TTestForm(&owner);
    ReadComponentText(first, text, QStringLiteral("Form.form"));
    auto *second = new TTestForm(&owner);
    ReadComponentText(second, text, QStringLiteral("Form.form"));
    EXPECT_EQ(first->Name(), QStringLiteral("Form1"));
    EXPECT_EQ(second->Name(), QStringLiteral("Form1_1"));
}

} // namespace
