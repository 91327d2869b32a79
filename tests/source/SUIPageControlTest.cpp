// The page control: pages joining and leaving, the page shown by the selected
// tab, hidden tabs, styles handed to the pages, and stored page order.
#include "SUIPageControl.h"

#include "Forms.h"
#include "SUIButton.h"
#include "SUIRegistration.h"
#include "Streaming.h"

#include <QDir>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct PageFixture : ::testing::Test {
    TForm *Form = nullptr;
    TsuiPageControl *Pages = nullptr;
    std::vector<String> Events;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 400, 220);
        Pages = new TsuiPageControl(Form);
        Pages->SetParent(Form);
        Pages->SetBounds(10, 10, 360, 180);
        Pages->SetUIStyle(WinXP);
        Pages->OnTabActive = [this](TObject *, int Index) { Events.push_back(QStringLiteral("tab %1").arg(Index)); };
    }
    void TearDown() override { delete Form; }
    TsuiTabSheet *AddPage(const String &Caption, TColor Colour = clWhite)
    {
        auto *page = new TsuiTabSheet(Form);
        page->SetName(Caption);
        page->SetCaption(Caption);
        page->SetParent(Pages);
        page->SetColor(Colour);
        page->OnShow = [this, page](TObject *) { Events.push_back("show " + page->Caption()); };
        return page;
    }
    std::vector<String> Tabs()
    {
        std::vector<String> tabs;
        for (int i = 0; i < Pages->TopPanel()->Tabs()->Count(); ++i)
            tabs.push_back(Pages->TopPanel()->Tabs()->Strings(i));
        return tabs;
    }
    // The colour in the middle of the body: the front page's.
    TColor BodyColour()
    {
        const QImage image = Form->Handle()->grab().toImage();
        return QRgbToColor(image.pixel(Pages->Left() + Pages->Width() / 2, Pages->Top() + Pages->Height() / 2));
    }
};

TEST_F(PageFixture, NewPageControlHasNoTabs)
{
    EXPECT_EQ(Pages->PageCount(), 0);
    EXPECT_TRUE(Tabs().empty());
    EXPECT_EQ(Pages->ActivePage(), nullptr);
}

TEST_F(PageFixture, PagesJoinAsChildrenAndTheLastJoinedIsActive)
{
    TsuiTabSheet *a = AddPage("Lessons");
    TsuiTabSheet *b = AddPage("Songs");
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Tabs(), (std::vector<String>{"Lessons", "Songs"}));
    EXPECT_EQ(a->PageIndex(), 0);
    EXPECT_EQ(b->PageIndex(), 1);
    EXPECT_EQ(Pages->ActivePage(), b);
    EXPECT_EQ(Pages->TopPanel()->TabIndex(), 1);
    EXPECT_EQ(a->PageControl(), Pages);
    EXPECT_EQ(a->Align(), alClient);
    EXPECT_EQ(a->BorderColor(), 0x00686868);

    b->SetCaption("Songs and rhymes");
    EXPECT_EQ(Tabs(), (std::vector<String>{"Lessons", "Songs and rhymes"}));
    b->SetPageIndex(0);
    EXPECT_EQ(Tabs(), (std::vector<String>{"Songs and rhymes", "Lessons"}));
    EXPECT_EQ(a->PageIndex(), 1);
    b->SetPageIndex(5);
    EXPECT_EQ(b->PageIndex(), 0) << "out of range leaves it";
}

TEST_F(PageFixture, ClickingATabBringsItsPageToTheFront)
{
    AddPage("Lessons", clRed);
    AddPage("Songs", clLime);
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form->Handle()));
    Form->Handle()->grab();
    EXPECT_EQ(BodyColour(), clLime);
    Events.clear();
    const int h = Pages->TopPanel()->TabHeight();
    Pages->TopPanel()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, h / 2));
    EXPECT_EQ(Pages->ActivePage()->Caption(), "Lessons");
    EXPECT_EQ(Events, (std::vector<String>{"show Lessons", "tab 0"}));
    EXPECT_EQ(BodyColour(), clRed);
}

TEST_F(PageFixture, ActivatingASheetReportsItThroughTheStrip)
{
    TsuiTabSheet *a = AddPage("Lessons");
    AddPage("Songs");
    Events.clear();
    Pages->SetActivePage(a);
    EXPECT_EQ(Pages->ActivePage(), a);
    EXPECT_EQ(Events, (std::vector<String>{"show Lessons", "tab 0", "show Lessons", "tab 0", "show Lessons"}));
    Pages->SetActivePage(nullptr);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
}

TEST_F(PageFixture, HidingTheActiveTabMovesToTheNearestVisibleOne)
{
    TsuiTabSheet *a = AddPage("A");
    TsuiTabSheet *b = AddPage("B");
    TsuiTabSheet *c = AddPage("C");
    Pages->SetActivePage(b);
    b->SetTabVisible(false);
    EXPECT_FALSE(b->TabVisible());
    EXPECT_EQ(Pages->ActivePage(), a) << "left first";
    a->SetTabVisible(false);
    EXPECT_EQ(Pages->ActivePage(), c) << "then right";
    c->SetTabVisible(false);
    EXPECT_EQ(Pages->ActivePage(), c) << "nowhere to go";
    a->SetTabVisible(true);
    EXPECT_EQ(Pages->ActivePage(), a);
}

TEST_F(PageFixture, RemovingPages)
{
    TsuiTabSheet *a = AddPage("A");
    TsuiTabSheet *b = AddPage("B");
    TsuiTabSheet *c = AddPage("C");
    c->SetParent(nullptr);
    EXPECT_EQ(Pages->ActivePage(), b) << "the page left of the removed one";
    EXPECT_EQ(c->PageIndex(), -1);
    EXPECT_EQ(c->PageControl(), nullptr);
    EXPECT_EQ(Tabs(), (std::vector<String>{"A", "B"}));
    delete a;
    EXPECT_EQ(Pages->ActivePage(), nullptr) << "removing the first page leaves none active";
    EXPECT_EQ(b->PageIndex(), 0);
    EXPECT_EQ(Tabs(), std::vector<String>{"B"});
    delete c;
}

TEST_F(PageFixture, PagesOutliveTheirControl)
{
    TsuiTabSheet *a = AddPage("A");
    a->SetParent(Form);
    TsuiTabSheet *b = AddPage("B");
    delete Pages;
    Pages = nullptr;
    EXPECT_EQ(a->PageControl(), nullptr);
    (void)b;
}

TEST_F(PageFixture, StylesAndColoursReachThePagesAndTheirChildren)
{
    TsuiTabSheet *a = AddPage("A");
    auto *button = new TsuiButton(Form);
    button->SetParent(a);
    Pages->SetUIStyle(Protein);
    EXPECT_EQ(a->Color(), 0x00FBFBFB);
    EXPECT_EQ(a->BorderColor(), 0);
    EXPECT_EQ(button->UIStyle(), Protein);
    Pages->SetBorderColor(clRed);
    EXPECT_EQ(a->BorderColor(), clRed);
    Pages->SetColor(clYellow);
    EXPECT_EQ(a->Color(), clYellow);

    ApplyStyleToChildren(Form, MacOS);
    EXPECT_EQ(Pages->UIStyle(), MacOS);
    EXPECT_EQ(button->UIStyle(), MacOS);
    EXPECT_EQ(a->Color(), 0x00E7E7E7);
}

const char *const Description = R"(object Form1: TForm
  Left = 10
  Top = 10
  object suiPageControl1: TsuiPageControl
    Left = 8
    Top = 8
    Width = 300
    Height = 150
    UIStyle = MacOS
    Pages = (
      Second
      First)
    ActivePage = First
    object First: TsuiTabSheet
      PageControl = suiPageControl1
      Caption = 'First'
      TabVisible = False
    end
    object Second: TsuiTabSheet
      PageControl = suiPageControl1
      Caption = 'Second'
    end
  end
end
)";

TEST(PageStorage, StoredOrderPutsThePagesInPlace)
{
    RegisterSkinClasses();
    TForm form(nullptr);
    ReadComponentText(&form, Description, QStringLiteral("Pages.form"));
    auto *pages = dynamic_cast<TsuiPageControl *>(form.FindComponent("suiPageControl1"));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 2);
    EXPECT_EQ(pages->Pages(0)->Name(), "Second");
    EXPECT_EQ(pages->Pages(1)->Name(), "First");
    EXPECT_EQ(pages->TopPanel()->Tabs()->Strings(0), "Second");
    EXPECT_FALSE(pages->Pages(1)->TabVisible());
    EXPECT_EQ(pages->ActivePage(), pages->Pages(1));

    const QByteArray written = WriteComponentText(&form);
    TForm again(nullptr);
    ReadComponentText(&again, written, QStringLiteral("Again.form"));
    auto *pages2 = dynamic_cast<TsuiPageControl *>(again.FindComponent("suiPageControl1"));
    ASSERT_NE(pages2, nullptr);
    ASSERT_EQ(pages2->PageCount(), 2);
    EXPECT_EQ(pages2->Pages(0)->Name(), "Second");
    EXPECT_FALSE(pages2->Pages(1)->TabVisible());
}

// Each style's page control, kept for a look.
TEST(PageRender, EachStyleRenders)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 330, 5 * 110 + 10);
    const TsuiUIStyle styles[] = {MacOS, WinXP, DeepBlue, Protein, BlueGlass};
    for (int i = 0; i < 5; ++i) {
        auto *pages = new TsuiPageControl(&form);
        pages->SetParent(&form);
        pages->SetUIStyle(styles[i]);
        pages->SetBounds(10, 10 + i * 110, 310, 100);
        for (const char *caption : {"Words", "Pictures"}) {
            auto *page = new TsuiTabSheet(&form);
            page->SetCaption(QString::fromLatin1(caption));
            page->SetParent(pages);
            auto *button = new TsuiButton(&form);
            button->SetParent(page);
            button->SetBounds(10, 10, 90, 25);
            button->SetCaption(QString::fromLatin1(caption));
        }
        pages->SetUIStyle(styles[i]);
    }
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Handle()));
    form.Handle()->grab().toImage().save(QDir::temp().filePath("wordlark-pages.png"));
}

} // namespace
