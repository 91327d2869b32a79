// A string grid with fixed cells and a range of selected cells, and a draw
// grid whose cells are drawn by its OnDrawCell.
#include "Gallery.h"
#include "SUIGrid.h"

namespace {

void AddGrids(TGallerySlot &Slot)
{
    auto *strings = Slot.Add<TsuiStringGrid>(0, 0, 300, 130);
    strings->SetDefaultColWidth(56);
    strings->SetDefaultRowHeight(20);
    const char *const heads[] = {"", "Lesson", "Words", "Songs", "Stars"};
    for (int c = 0; c < 5; ++c)
        strings->SetCells(c, 0, QString::fromLatin1(heads[c]));
    for (int r = 1; r < 5; ++r) {
        strings->SetCells(0, r, QString::number(r));
        for (int c = 1; c < 5; ++c)
            strings->SetCells(c, r, QStringLiteral("%1-%2").arg(r).arg(c));
    }
    strings->SetCol(2);
    strings->SetRow(2);

    auto *drawn = Slot.Add<TsuiDrawGrid>(310, 0, 220, 130);
    drawn->SetColCount(4);
    drawn->SetRowCount(4);
    drawn->SetDefaultColWidth(50);
    drawn->SetDefaultRowHeight(28);
    drawn->OnDrawCell = [drawn](TObject *, int ACol, int ARow, const TRect &Cell, TGridDrawState State) {
        if (State & gdFixed)
            return;
        // A dot per cell, more of them further down and right.
        TCanvas *canvas = drawn->Canvas();
        canvas->Brush()->SetColor(drawn->FixedColor());
        for (int i = 0; i < ACol + ARow - 1; ++i)
            canvas->FillRect(Rect(Cell.Left + 4 + 8 * i, Cell.Top + 10, Cell.Left + 9 + 8 * i, Cell.Top + 15));
    };
}

const bool Registered = RegisterGallerySection({"Grids", 50, 530, 130, AddGrids});

} // namespace
