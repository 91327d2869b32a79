#include "Grids.h"
#include "StdCtrls.h"
#include "WaitFor.h"
#include "ShowActive.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct DrawFixture : ::testing::Test {
    TForm *Form = nullptr;
    void SetUp() override
    {
        Form = new TForm(nullptr);
        Form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override { delete Form; }
    void Show()
    {
        ASSERT_TRUE(ShowActive(Form));
    }
};

// A grid that records every cell it draws, with the state it got.
class TRecordingGrid : public TStringGrid {
public:
    using TStringGrid::TStringGrid;
    struct Drawn {
        int Col, Row;
        TRect Rect;
        TGridDrawState State;
    };
    std::vector<Drawn> Cells;
    const Drawn *Find(int C, int R) const
    {
        for (auto it = Cells.rbegin(); it != Cells.rend(); ++it)
            if (it->Col == C && it->Row == R)
                return &*it;
        return nullptr;
    }

protected:
    void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override
    {
        Cells.push_back({ACol, ARow, ARect, AState});
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
};
}

TEST_F(DrawFixture, GridDrawsEveryCellWithItsStateAndEvent)
{
    auto *grid = new TRecordingGrid(Form);
    grid->SetParent(Form);
    grid->SetBounds(10, 10, 360, 200);
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetCells(0, 0, "corner");
    grid->SetCells(2, 0, "head");
    grid->SetCells(2, 2, "body");
    std::vector<std::pair<int, int>> events;
    grid->OnDrawCell = [&](TObject *, int C, int R, const TRect &, TGridDrawState) { events.push_back({C, R}); };
    Show();
    grid->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return grid->Find(0, 0) && grid->Find(3, 3) && grid->Find(0, 2) && grid->Find(2, 0); }));
    EXPECT_EQ(grid->Find(0, 0)->State, TGridDrawState(gdFixed));
    EXPECT_EQ(grid->Find(2, 0)->State, TGridDrawState(gdFixed));
    EXPECT_EQ(grid->Find(0, 3)->State, TGridDrawState(gdFixed));
    EXPECT_EQ(grid->Find(3, 3)->State, 0u);
    ASSERT_TRUE(WaitFor([&] { return grid->Find(1, 1) && grid->Find(1, 1)->State == (gdSelected | gdFocused); }));
    EXPECT_NE(std::find(events.begin(), events.end(), std::make_pair(2, 2)), events.end());

    // Cell rectangles line up: the fixed row above the body, the fixed column left of it.
    const TRect head = grid->CellRect(2, 0);
    const TRect body = grid->CellRect(2, 2);
    const TRect side = grid->CellRect(0, 2);
    EXPECT_EQ(grid->Find(2, 2)->Rect.Left, body.Left);
    EXPECT_LE(head.Bottom, body.Top);
    EXPECT_LE(side.Right, body.Left);
    int col = -1, row = -1;
    ASSERT_TRUE(grid->MouseToCell(body.Left + 3, body.Top + 3, col, row));
    EXPECT_EQ(col, 2);
    EXPECT_EQ(row, 2);

    // A click moves the focus: the clicked cell is drawn focused and selected.
    grid->Cells.clear();
    auto *viewport = static_cast<QTableView *>(grid->Handle())->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, viewport->mapFrom(grid->Handle(), QPoint(body.Left + 5, body.Top + 5)));
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(grid->Row(), 2);
    ASSERT_TRUE(WaitFor([&] { return grid->Find(2, 2) && grid->Find(2, 2)->State == (gdSelected | gdFocused); }));
}

TEST_F(DrawFixture, GridDefaultDrawingFillsFixedAndSelectedCells)
{
    auto *grid = new TStringGrid(Form);
    grid->SetParent(Form);
    grid->SetBounds(10, 10, 300, 150);
    grid->SetFixedColor(0x00A04A44);
    grid->SetColor(0x00E8E8E8);
    grid->SetCtl3D(false);
    Show();
    const TRect fixedCell = grid->CellRect(2, 0);
    const TRect bodyCell = grid->CellRect(3, 3);
    QImage shot;
    ASSERT_TRUE(WaitFor([&] {
        shot = grid->Handle()->grab().toImage();
        const int bw = grid->BorderWidth();
        return shot.pixelColor(fixedCell.Left + bw + 4, fixedCell.Top + bw + 4) == ColorToQColor(0x00A04A44) &&
               shot.pixelColor(bodyCell.Left + bw + 4, bodyCell.Top + bw + 4) == ColorToQColor(0x00E8E8E8);
    }));
}

TEST_F(DrawFixture, GridRejectsFixedCountsItCannotShow)
{
    TStringGrid grid(nullptr);
    EXPECT_THROW(grid.SetFixedRows(2), EInvalidGridOperation);
    grid.SetRowCount(2);
    EXPECT_THROW(grid.SetRowCount(1), EInvalidGridOperation);
    grid.SetFixedRows(0);
    grid.SetRowCount(1);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_THROW(grid.SetColWidths(7, 10), EInvalidGridOperation);
}

TEST_F(DrawFixture, OwnerDrawnComboDrawsItsFaceAndListItems)
{
    auto *combo = new TComboBox(Form);
    combo->SetParent(Form);
    combo->SetBounds(10, 10, 150, 24);
    combo->SetStyle(csOwnerDrawFixed);
    combo->SetItemHeight(18);
    std::vector<std::pair<int, TOwnerDrawState>> drawn;
    combo->OnDrawItem = [&](TWinControl *, int Index, const TRect &R, TOwnerDrawState State) {
        drawn.push_back({Index, State});
        if (!(State & odComboBoxEdit)) {
            EXPECT_EQ(R.Height(), 18);
        }
    };
    TObject red, green;
    combo->Items()->AddObject("red", &red);
    combo->Items()->AddObject("green", &green);
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Items()->Objects(1), &green);
    EXPECT_EQ(combo->Text(), "green");
    Show();
    ASSERT_TRUE(WaitFor([&] {
        return std::any_of(drawn.begin(), drawn.end(), [](auto &d) { return d.first == 1 && (d.second & odComboBoxEdit); });
    }));

    drawn.clear();
    combo->SetDroppedDown(true);
    // The open list draws both items as list items (the face may redraw too).
    auto listed = [&](int Index) {
        return std::any_of(drawn.begin(), drawn.end(), [&](auto &d) { return d.first == Index && !(d.second & odComboBoxEdit); });
    };
    ASSERT_TRUE(WaitFor([&] { return listed(0) && listed(1); }));
    combo->SetDroppedDown(false);
}

TEST_F(DrawFixture, ComboInfoGivesTheButtonAndTextSelectsInListStyles)
{
    auto *combo = new TComboBox(Form);
    combo->SetParent(Form);
    combo->SetBounds(10, 10, 150, 24);
    combo->SetStyle(csDropDownList);
    for (const char *s : {"8", "10", "12"})
        combo->Items()->Add(s);
    std::vector<String> changes;
    combo->OnChange = [&](TObject *) { changes.push_back(combo->Text()); };
    Show();
    TComboBoxInfo info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    EXPECT_GT(info.rcButton.Width(), 0);
    EXPECT_LE(info.rcButton.Right, combo->Width());
    EXPECT_LE(info.rcItem.Right, info.rcButton.Left + 1);
    EXPECT_EQ(info.hwndCombo, combo->Handle());
    TComboBoxInfo wrong;
    wrong.cbSize = 52 - 1;
    EXPECT_FALSE(GetComboBoxInfo(combo->Handle(), &wrong));
    EXPECT_FALSE(GetComboBoxInfo(Form->Handle(), &info));

    combo->SetText("10");
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetText("11");
    EXPECT_EQ(combo->ItemIndex(), -1);

    // Editable: typing changes the text and fires OnChange.
    combo->SetStyle(csDropDown);
    combo->SetFocus();
    combo->SetText("");
    changes.clear();
    QTest::keyClicks(static_cast<QComboBox *>(combo->Handle())->lineEdit(), "9");
    EXPECT_EQ(combo->Text(), "9");
    EXPECT_EQ(changes, (std::vector<String>{"9"}));
}
