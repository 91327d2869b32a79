// Skinned grids: the style's colours, cells coloured by their state, the flat
// border, Ctl3D reading false, the style from the window and descriptions.
#include "SUIGrid.h"

#include "SUIForm.h"
#include "SUIRegistration.h"
#include "Streaming.h"
#include "WaitFor.h"

#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct GridFixture : ::testing::Test {
    TForm Form{nullptr};

    void SetUp() override { Form.SetBounds(40, 40, 420, 300); }

    template <class T>
    T *Make()
    {
        auto *grid = new T(&Form);
        grid->SetParent(&Form);
        grid->SetBounds(10, 10, 360, 200);
        return grid;
    }
    void Show()
    {
        Form.Show();
        Form.Handle()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form.Handle()));
    }
    static QImage Shot(TWinControl *Grid) { return Grid->Handle()->grab().toImage(); }
    // A point well inside a cell, in the grid window's pixels.
    static QPoint Inside(TCustomDrawGrid *Grid, int Col, int Row)
    {
        const TRect r = Grid->CellRect(Col, Row);
        return QPoint(r.Right - 4 + Grid->BorderWidth(), r.Bottom - 4 + Grid->BorderWidth());
    }
    // Pixels of a cell near the colour Ink (text, tolerantly).
    static int InkIn(TCustomDrawGrid *Grid, int Col, int Row, QColor Ink)
    {
        const QImage shot = Shot(Grid);
        const TRect r = Grid->CellRect(Col, Row);
        int count = 0;
        for (int y = r.Top + 1; y < r.Bottom; ++y)
            for (int x = r.Left + 1; x < r.Right; ++x) {
                const QColor c = shot.pixelColor(x + Grid->BorderWidth(), y + Grid->BorderWidth());
                if (std::abs(c.red() - Ink.red()) + std::abs(c.green() - Ink.green()) + std::abs(c.blue() - Ink.blue()) < 90)
                    ++count;
            }
        return count;
    }
    // Waits until the grid shows Colour at the cell.
    static bool Shows(TCustomDrawGrid *Grid, int Col, int Row, TColor Colour)
    {
        return WaitFor([&] { return Shot(Grid).pixelColor(Inside(Grid, Col, Row)) == ColorToQColor(Colour); });
    }
};

template <class T>
class GridBothKinds : public GridFixture {};
using GridKinds = ::testing::Types<TsuiDrawGrid, TsuiStringGrid>;
TYPED_TEST_SUITE(GridBothKinds, GridKinds);

} // namespace

TYPED_TEST(GridBothKinds, StartsFlatInTheDeepBlueColours)
{
    TypeParam grid(nullptr);
    EXPECT_EQ(grid.UIStyle(), DeepBlue);
    EXPECT_EQ(grid.FixedColor(), 0x00A04A44);
    EXPECT_EQ(grid.FixedFontColor(), 0x00FFFFFF);
    EXPECT_EQ(grid.Color(), 0x00E8E8E8);
    EXPECT_EQ(grid.BorderColor(), 0x00000000);
    EXPECT_EQ(grid.FontColor(), 0x00000000);
    EXPECT_EQ(grid.FocusedColor(), 0x00008000);
    EXPECT_EQ(grid.SelectedColor(), 0x0000FFFF);
    EXPECT_EQ(grid.BorderStyle(), bsNone);
    EXPECT_EQ(grid.BorderWidth(), 1);
    EXPECT_TRUE(grid.ControlStyle() & csOpaque);
    EXPECT_FALSE(grid.ParentCtl3D());
    EXPECT_FALSE(grid.Ctl3D());
    grid.SetCtl3D(true);
    EXPECT_FALSE(grid.Ctl3D()) << "a skinned grid always reads flat";
}

TYPED_TEST(GridBothKinds, StyleSetsTheColoursAndCustomKeepsThem)
{
    TypeParam grid(nullptr);
    grid.SetUIStyle(WinXP);
    EXPECT_EQ(grid.BorderColor(), 0x00686868);
    EXPECT_EQ(grid.FixedColor(), 0x00EFD3C6);
    EXPECT_EQ(grid.Color(), 0x00DEEBEF);
    EXPECT_EQ(grid.FixedFontColor(), 0x00000000);
    EXPECT_EQ(grid.Font()->Color(), 0x00000000);

    grid.SetFontColor(clMaroon);
    EXPECT_EQ(grid.Font()->Color(), clMaroon);
    grid.SetUIStyle(Custom);
    EXPECT_EQ(grid.UIStyle(), Custom);
    EXPECT_EQ(grid.BorderColor(), 0x00686868);
    EXPECT_EQ(grid.FixedColor(), 0x00EFD3C6);
    EXPECT_EQ(grid.Color(), 0x00DEEBEF);
    EXPECT_EQ(grid.FontColor(), clMaroon);
}

// The focused cell is green, the other selected cells yellow, the rest the
// grid's colour, fixed cells the style's fixed colour; the border's outer
// line is BorderColor and its inner line the grid's colour.
TYPED_TEST(GridBothKinds, CellsAreColouredByState)
{
    auto *grid = this->template Make<TypeParam>();
    this->Show();
    grid->SetFocus();
    ASSERT_TRUE(this->Shows(grid, 1, 1, 0x00008000)) << "the focused cell";
    EXPECT_TRUE(this->Shows(grid, 3, 2, 0x00E8E8E8));
    EXPECT_TRUE(this->Shows(grid, 2, 0, 0x00A04A44));
    EXPECT_TRUE(this->Shows(grid, 0, 3, 0x00A04A44));

    // Shift and a click extend the selection: the cells passed over are
    // selected, the clicked one is focused.
    auto *viewport = static_cast<QTableView *>(grid->Handle())->viewport();
    const TRect target = grid->CellRect(3, 2);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier,
                      viewport->mapFrom(grid->Handle(), QPoint(target.Left + 5, target.Top + 5)));
    EXPECT_TRUE(this->Shows(grid, 3, 2, 0x00008000));
    EXPECT_TRUE(this->Shows(grid, 1, 1, 0x0000FFFF));
    EXPECT_TRUE(this->Shows(grid, 2, 2, 0x0000FFFF));
    EXPECT_TRUE(this->Shows(grid, 4, 4, 0x00E8E8E8));

    grid->SetFocusedColor(clBlue);
    grid->SetSelectedColor(clFuchsia);
    EXPECT_TRUE(this->Shows(grid, 3, 2, clBlue));
    EXPECT_TRUE(this->Shows(grid, 1, 2, clFuchsia));

    grid->SetBorderColor(clRed);
    const int w = grid->Width(), h = grid->Height();
    ASSERT_TRUE(WaitFor([&] {
        const QImage shot = this->Shot(grid);
        return shot.pixelColor(0, 0) == QColor(Qt::red) && shot.pixelColor(w - 1, h / 2) == QColor(Qt::red) &&
               shot.pixelColor(w / 2, h - 1) == QColor(Qt::red) && shot.pixelColor(w - 2, h / 2) == ColorToQColor(0x00E8E8E8) &&
               shot.pixelColor(w / 2, h - 2) == ColorToQColor(0x00E8E8E8);
    }));
}

// Without the focus the current cell is only selected; its text keeps the
// font's colour.
TEST_F(GridFixture, CurrentCellOfAnUnfocusedGridIsSelected)
{
    auto *grid = Make<TsuiStringGrid>();
    grid->SetCells(1, 1, "WWWW");
    grid->SetFontColor(clRed);
    auto *other = Make<TsuiDrawGrid>();
    other->SetTop(220);
    other->SetHeight(60);
    Show();
    other->SetFocus();
    ASSERT_TRUE(Shows(grid, 1, 1, 0x0000FFFF));
    EXPECT_GT(InkIn(grid, 1, 1, QColor(Qt::red)), 10);
}

// Fixed cells of a string grid show their text in FixedFontColor; the body's
// text is in the font's colour.
TEST_F(GridFixture, StringGridWritesFixedCellsInTheFixedFontColour)
{
    auto *grid = Make<TsuiStringGrid>();
    grid->SetDefaultColWidth(80);
    grid->SetCells(1, 0, "WWWW");
    grid->SetCells(1, 2, "WWWW");
    grid->SetFixedFontColor(clLime);
    grid->SetFontColor(clRed);
    Show();
    EXPECT_TRUE(WaitFor([&] { return InkIn(grid, 1, 0, QColor(Qt::green)) > 10; }));
    EXPECT_EQ(InkIn(grid, 1, 0, QColor(Qt::red)), 0);
    EXPECT_GT(InkIn(grid, 1, 2, QColor(Qt::red)), 10);
    EXPECT_EQ(InkIn(grid, 1, 2, QColor(Qt::green)), 0);
}

TEST_F(GridFixture, WindowStyleReachesBothGrids)
{
    auto *skin = new TsuiForm(&Form);
    skin->SetParent(&Form);
    skin->SetUIStyleAutoUpdateSub(true);
    auto *drawn = new TsuiDrawGrid(&Form);
    drawn->SetParent(skin);
    auto *strings = new TsuiStringGrid(&Form);
    strings->SetParent(skin);
    skin->SetUIStyle(BlueGlass);
    EXPECT_EQ(drawn->UIStyle(), BlueGlass);
    EXPECT_EQ(drawn->FixedColor(), 0x00EC5E5E);
    EXPECT_EQ(strings->UIStyle(), BlueGlass);
    EXPECT_EQ(strings->Color(), 0x00E7E7E7);
    // A grid made on the window now starts in its style.
    TsuiStringGrid later(&Form);
    EXPECT_EQ(later.UIStyle(), BlueGlass);
}

TEST(GridDescription, ReadsAndStoresWhatDiffersFromAFlatGrid)
{
    RegisterSkinClasses();
    TForm form(nullptr);
    ReadComponentText(&form, R"(object Form1: TForm
  object suiStringGrid1: TsuiStringGrid
    Left = 8
    Top = 8
    Width = 300
    Height = 120
    FixedCols = 0
    ColCount = 1
    RowCount = 3
    Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRowSelect]
    UIStyle = MacOS
    FocusedColor = clNavy
  end
  object suiDrawGrid1: TsuiDrawGrid
    Left = 8
    Top = 140
    DefaultColWidth = 40
    UIStyle = Protein
  end
end
)",
                      QStringLiteral("Grids.form"));
    auto *strings = dynamic_cast<TsuiStringGrid *>(form.FindComponent("suiStringGrid1"));
    ASSERT_NE(strings, nullptr);
    EXPECT_EQ(strings->ColCount(), 1);
    EXPECT_EQ(strings->FixedCols(), 0);
    EXPECT_EQ(strings->RowCount(), 3);
    EXPECT_TRUE(strings->Options() & goRowSelect);
    EXPECT_EQ(strings->UIStyle(), MacOS);
    EXPECT_EQ(strings->FixedColor(), 0x00C47339);
    EXPECT_EQ(strings->FocusedColor(), clNavy);
    auto *drawn = dynamic_cast<TsuiDrawGrid *>(form.FindComponent("suiDrawGrid1"));
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(drawn->DefaultColWidth(), 40);
    EXPECT_EQ(drawn->UIStyle(), Protein);

    const String text = WriteComponentText(&form);
    for (const char *unstored : {" Ctl3D", " BorderStyle", " BorderWidth", " FontColor", " SelectedColor"})
        EXPECT_FALSE(text.contains(QLatin1String(unstored))) << unstored << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains("FocusedColor = clNavy")) << text.toStdString();
    EXPECT_TRUE(text.contains("FixedCols = 0")) << text.toStdString();

    TForm again(nullptr);
    ReadComponentText(&again, text.toUtf8(), QStringLiteral("Written.form"));
    auto *read = dynamic_cast<TsuiStringGrid *>(again.FindComponent("suiStringGrid1"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->ColCount(), 1);
    EXPECT_EQ(read->FocusedColor(), clNavy);
}
