#include "ComCtrls.h"
#include "GraphicsFonts.h"
#include "WaitFor.h"

#include <QTest>
#include <QScrollBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(ListView, ReportShowsColumnsSubItemsAndSelection)
{
    TForm form(nullptr);
    form.SetBounds(100, 100, 400, 300);
    auto *view = new TListView(&form);
    view->SetParent(&form);
    view->SetBounds(10, 10, 300, 200);
    view->SetViewStyle(vsReport);
    view->Columns()->Add()->SetCaption("Name");
    TListColumn *size = view->Columns()->Add();
    size->SetCaption("Size");
    size->SetWidth(80);
    std::vector<String> changes;
    view->OnChange = [&](TObject *, TListItem *Item) { changes.push_back(Item ? Item->Caption() : "-"); };
    view->Items()->BeginUpdate();
    for (int i = 0; i < 30; ++i) {
        TListItem *item = view->Items()->Add();
        item->SetCaption(QStringLiteral("file %1").arg(i));
        item->SubItems()->Add(QString::number(i * 10));
    }
    view->Items()->EndUpdate();
    form.Show();
    auto *tree = static_cast<QTreeWidget *>(view->Handle());
    ASSERT_EQ(tree->topLevelItemCount(), 30);
    EXPECT_EQ(tree->headerItem()->text(1), "Size");
    EXPECT_FALSE(tree->isHeaderHidden());
    EXPECT_EQ(tree->topLevelItem(3)->text(1), "30");
    EXPECT_EQ(tree->columnWidth(1), 80);
    // Thirty rows overflow: the native vertical bar scrolls.
    EXPECT_GT(tree->verticalScrollBar()->maximum(), 0);

    view->SetSelected(view->Items()->Item(2));
    EXPECT_EQ(changes, (std::vector<String>{"file 2"}));
    EXPECT_TRUE(tree->topLevelItem(2)->isSelected());
    changes.clear();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(5)).center());
    EXPECT_EQ(view->Selected(), view->Items()->Item(5));
    EXPECT_EQ(changes, (std::vector<String>{"file 5"}));
    view->Items()->Delete(5);
    EXPECT_EQ(view->Selected(), nullptr);

    // Icon style shows the same items in another widget.
    view->SetViewStyle(vsIcon);
    EXPECT_EQ(qobject_cast<QTreeWidget *>(view->Handle()), nullptr);
    EXPECT_EQ(view->Items()->Count(), 29);
}

TEST(FontFamilies, EnumeratesInstalledFamiliesWithTheirFacts)
{
    std::vector<std::pair<TLogFont, int>> all;
    EXPECT_TRUE(EnumFontFamilies(String(), [&](const TLogFont &Font, const TTextMetric &, int Type) {
        all.push_back({Font, Type});
        return true;
    }));
    ASSERT_FALSE(all.empty());
    for (const auto &[font, type] : all) {
        EXPECT_FALSE(font.lfFaceName.isEmpty());
        EXPECT_TRUE(type == TRUETYPE_FONTTYPE || type == RASTER_FONTTYPE);
    }
    // A fixed-pitch family is reported as such when one is installed.
    const bool anyFixed = std::any_of(all.begin(), all.end(), [](auto &f) { return f.first.lfPitchAndFamily == FIXED_PITCH; });
    const bool anyVariable = std::any_of(all.begin(), all.end(), [](auto &f) { return f.first.lfPitchAndFamily == VARIABLE_PITCH; });
    EXPECT_TRUE(anyVariable);
    Q_UNUSED(anyFixed);

    // Returning false stops at once.
    int calls = 0;
    EXPECT_FALSE(EnumFontFamilies(String(), [&](const TLogFont &, const TTextMetric &, int) { return ++calls > 5; }));
    EXPECT_EQ(calls, 1);

    // One family: a scalable one reports once.
    const String family = all.front().first.lfFaceName;
    calls = 0;
    EnumFontFamilies(family, [&](const TLogFont &Font, const TTextMetric &, int) {
        EXPECT_EQ(Font.lfFaceName, family);
        ++calls;
        return true;
    });
    EXPECT_GE(calls, 1);
    calls = 0;
    EXPECT_TRUE(EnumFontFamilies(QStringLiteral("No Such Family 42"), [&](const TLogFont &, const TTextMetric &, int) { return ++calls > 0; }));
    EXPECT_EQ(calls, 0);
    EXPECT_GT(ScreenPixelsPerInch(), 0);
}
