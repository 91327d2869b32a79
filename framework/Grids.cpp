// The draw grid and the string grid over a Qt table view.
#include "Grids.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPainter>
#include <QPaintEvent>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {
void CheckFixed(int Value, int Count, const char *What)
{
    if (Value < 0 || Value > 1)
        throw EInvalidGridOperation(QStringLiteral("A grid has 0 or 1 fixed %1, not %2").arg(QLatin1String(What)).arg(Value));
    if (Value >= Count)
        throw EInvalidGridOperation(QStringLiteral("Fixed %1 count must be less than the %1 count").arg(QLatin1String(What)));
}
}

// The scrolling cells as Qt's table sees them: fixed rows and columns are
// left out (the headers show them).
class TGridModel : public QAbstractTableModel {
public:
    explicit TGridModel(TCustomDrawGrid *Grid) : FGrid(Grid) {}

    int rowCount(const QModelIndex &Parent) const override { return Parent.isValid() ? 0 : FGrid->FRowCount - FGrid->FFixedRows; }
    int columnCount(const QModelIndex &Parent) const override { return Parent.isValid() ? 0 : FGrid->FColCount - FGrid->FFixedCols; }
    QVariant data(const QModelIndex &Index, int Role) const override
    {
        if (Role != Qt::EditRole)
            return {};
        String text;
        CallGuarded(FGrid, [&] { text = FGrid->GetEditText(Index.column() + FGrid->FFixedCols, Index.row() + FGrid->FFixedRows); });
        return text;
    }
    bool setData(const QModelIndex &Index, const QVariant &Value, int Role) override
    {
        if (Role != Qt::EditRole)
            return false;
        CallGuarded(FGrid, [&] { FGrid->SetEditText(Index.column() + FGrid->FFixedCols, Index.row() + FGrid->FFixedRows, Value.toString()); });
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex &Index) const override
    {
        Qt::ItemFlags flags = QAbstractTableModel::flags(Index);
        if (FGrid->FOptions & goEditing)
            flags |= Qt::ItemIsEditable;
        return flags;
    }
    void Reset()
    {
        beginResetModel();
        endResetModel();
    }

private:
    TCustomDrawGrid *FGrid;
};

// Scrolling cells paint through the grid.
class TGridDelegate : public QStyledItemDelegate {
public:
    TGridDelegate(TCustomDrawGrid *Grid, QTableView *View) : QStyledItemDelegate(View), FGrid(Grid), FView(View) {}

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        TGridDrawState state = 0;
        if (Option.state & QStyle::State_Selected)
            state |= gdSelected;
        if (Index == FView->currentIndex() && FView->hasFocus())
            state |= gdFocused;
        FGrid->PaintCell(Painter, FView->viewport(), Index.column() + FGrid->FFixedCols, Index.row() + FGrid->FFixedRows, Option.rect, state);
    }

private:
    TCustomDrawGrid *FGrid;
    QTableView *FView;
};

// A header is the fixed row (or column): each section a fixed cell.
class TGridHeader : public QHeaderView {
public:
    TGridHeader(TCustomDrawGrid *Grid, Qt::Orientation Orientation, QWidget *Parent) : QHeaderView(Orientation, Parent), FGrid(Grid) {}

protected:
    void paintSection(QPainter *Painter, const QRect &Rect, int LogicalIndex) const override
    {
        const bool horizontal = orientation() == Qt::Horizontal;
        const int col = horizontal ? LogicalIndex + FGrid->FFixedCols : 0;
        const int row = horizontal ? 0 : LogicalIndex + FGrid->FFixedRows;
        FGrid->PaintCell(Painter, viewport(), col, row, Rect, gdFixed);
    }

private:
    TCustomDrawGrid *FGrid;
};

// The corner where the fixed row and column meet is cell (0, 0).
class TGridCorner : public QObject {
public:
    TGridCorner(TCustomDrawGrid *Grid, QWidget *Corner) : QObject(Corner), FGrid(Grid) { Corner->installEventFilter(this); }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (Event->type() != QEvent::Paint)
            return false;
        auto *corner = static_cast<QWidget *>(Watched);
        QPainter painter(corner);
        FGrid->PaintCell(&painter, corner, 0, 0, corner->rect(), gdFixed);
        return true;
    }

private:
    TCustomDrawGrid *FGrid;
};

TCustomDrawGrid::TCustomDrawGrid(TComponent *AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()), FColWidths(5, -1), FRowHeights(5, -1)
{
    SetBounds(Left(), Top(), 320, 120);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomDrawGrid::~TCustomDrawGrid()
{
    Destroying();
    FSignals.Release();
    DestroyHandle();
}

QTableView *TCustomDrawGrid::Table() const
{
    return HandleAllocated() ? static_cast<QTableView *>(const_cast<TCustomDrawGrid *>(this)->Handle()) : nullptr;
}

QWidget *TCustomDrawGrid::CreateWindowHandle(QWidget *ParentWidget)
{
    auto *table = new QTableView(ParentWidget);
    table->setHorizontalHeader(new TGridHeader(this, Qt::Horizontal, table));
    table->setVerticalHeader(new TGridHeader(this, Qt::Vertical, table));
    FModel = new TGridModel(this);
    FModel->setParent(table);
    table->setModel(FModel);
    table->setItemDelegate(new TGridDelegate(this, table));
    table->setWordWrap(false);
    if (auto *corner = table->findChild<QAbstractButton *>())
        new TGridCorner(this, corner);
    QObject *context = FSignals.Bind(table);
    QObject::connect(table->selectionModel(), &QItemSelectionModel::currentChanged, context,
                     [this, table](const QModelIndex &Current, const QModelIndex &Previous) {
                         if (!Current.isValid())
                             return;
                         const int col = Current.column() + FFixedCols;
                         const int row = Current.row() + FFixedRows;
                         bool can = true;
                         CallGuarded(this, [&] { can = SelectCell(col, row); });
                         if (!can && Previous.isValid()) {
                             table->selectionModel()->setCurrentIndex(Previous, QItemSelectionModel::ClearAndSelect);
                             return;
                         }
                         FCol = col;
                         FRow = row;
                     });
    return table;
}

void TCustomDrawGrid::CreateWnd()
{
    QTableView *table = Table();
    HookWidget(table->viewport());
    ApplyNativeBorder(table, BorderWidth(), FBorderStyle == bsSingle);
    ApplyNativeColor(table, Color());
    table->setFont(Font()->QtFont());
    ApplyLayout();
    TWinControl::CreateWnd();
}

void TCustomDrawGrid::DestroyWnd()
{
    FSignals.Release();
    FModel = nullptr;
    TWinControl::DestroyWnd();
}

void TCustomDrawGrid::DefaultHandler(TMessage &Message)
{
    if (!NativeDefaultHandler(this, FBorderStyle == bsSingle, Message))
        TWinControl::DefaultHandler(Message);
}

void TCustomDrawGrid::CMColorChanged(TMessage &Message)
{
    if (HandleAllocated())
        ApplyNativeColor(Table(), Color());
    TWinControl::CMColorChanged(Message);
}

void TCustomDrawGrid::ApplyLayout()
{
    QTableView *table = Table();
    if (!table)
        return;
    FModel->Reset();
    const bool lines = FOptions & (goVertLine | goHorzLine);
    table->setShowGrid(lines);
    table->setSelectionBehavior(FOptions & goRowSelect ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    table->setSelectionMode(FOptions & goRangeSelect ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    table->setEditTriggers(FOptions & goEditing
                               ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                               : QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(FOptions & goTabs);
    QHeaderView *top = table->horizontalHeader();
    QHeaderView *left = table->verticalHeader();
    top->setVisible(FFixedRows > 0);
    left->setVisible(FFixedCols > 0);
    top->setSectionResizeMode(FOptions & goColSizing ? QHeaderView::Interactive : QHeaderView::Fixed);
    left->setSectionResizeMode(FOptions & goRowSizing ? QHeaderView::Interactive : QHeaderView::Fixed);
    top->setMinimumSectionSize(0);
    left->setMinimumSectionSize(0);
    if (FFixedRows > 0)
        top->setFixedHeight(RowHeights(0));
    if (FFixedCols > 0)
        left->setFixedWidth(ColWidths(0));
    left->setDefaultSectionSize(FDefaultRowHeight);
    top->setDefaultSectionSize(FDefaultColWidth);
    for (int c = FFixedCols; c < FColCount; ++c)
        table->setColumnWidth(c - FFixedCols, ColWidths(c));
    for (int r = FFixedRows; r < FRowCount; ++r)
        table->setRowHeight(r - FFixedRows, RowHeights(r));
    const int col = std::clamp(FCol, FFixedCols, FColCount - 1) - FFixedCols;
    const int row = std::clamp(FRow, FFixedRows, FRowCount - 1) - FFixedRows;
    table->selectionModel()->setCurrentIndex(FModel->index(row, col), QItemSelectionModel::ClearAndSelect);
    table->viewport()->update();
}

void TCustomDrawGrid::SetColCount(int Value)
{
    if (Value < 1)
        throw EInvalidGridOperation(QStringLiteral("A grid needs at least one column"));
    if (FFixedCols >= Value)
        throw EInvalidGridOperation(QStringLiteral("Fixed column count must be less than the column count"));
    FColCount = Value;
    FColWidths.resize(Value, -1);
    FCol = std::min(FCol, Value - 1);
    ApplyLayout();
}

void TCustomDrawGrid::SetRowCount(int Value)
{
    if (Value < 1)
        throw EInvalidGridOperation(QStringLiteral("A grid needs at least one row"));
    if (FFixedRows >= Value)
        throw EInvalidGridOperation(QStringLiteral("Fixed row count must be less than the row count"));
    FRowCount = Value;
    FRowHeights.resize(Value, -1);
    FRow = std::min(FRow, Value - 1);
    ApplyLayout();
}

void TCustomDrawGrid::SetFixedCols(int Value)
{
    CheckFixed(Value, FColCount, "column");
    FFixedCols = Value;
    FCol = std::max(FCol, Value);
    ApplyLayout();
}

void TCustomDrawGrid::SetFixedRows(int Value)
{
    CheckFixed(Value, FRowCount, "row");
    FFixedRows = Value;
    FRow = std::max(FRow, Value);
    ApplyLayout();
}

void TCustomDrawGrid::SetFixedColor(TColor Value)
{
    FFixedColor = Value;
    Invalidate();
}

void TCustomDrawGrid::SetDefaultColWidth(int Value)
{
    FDefaultColWidth = std::max(Value, 0);
    ApplyLayout();
}

void TCustomDrawGrid::SetDefaultRowHeight(int Value)
{
    FDefaultRowHeight = std::max(Value, 0);
    ApplyLayout();
}

int TCustomDrawGrid::ColWidths(int Index) const
{
    if (Index < 0 || Index >= FColCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range (%1)").arg(Index));
    return FColWidths[Index] < 0 ? FDefaultColWidth : FColWidths[Index];
}

void TCustomDrawGrid::SetColWidths(int Index, int Value)
{
    ColWidths(Index);
    FColWidths[Index] = std::max(Value, 0);
    ApplyLayout();
}

int TCustomDrawGrid::RowHeights(int Index) const
{
    if (Index < 0 || Index >= FRowCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range (%1)").arg(Index));
    return FRowHeights[Index] < 0 ? FDefaultRowHeight : FRowHeights[Index];
}

void TCustomDrawGrid::SetRowHeights(int Index, int Value)
{
    RowHeights(Index);
    FRowHeights[Index] = std::max(Value, 0);
    ApplyLayout();
}

void TCustomDrawGrid::SetOptions(TGridOptions Value)
{
    FOptions = Value;
    ApplyLayout();
}

void TCustomDrawGrid::SetDefaultDrawing(bool Value)
{
    FDefaultDrawing = Value;
    Invalidate();
}

void TCustomDrawGrid::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    if (HandleAllocated())
        ApplyNativeBorder(Table(), BorderWidth(), FBorderStyle == bsSingle);
}

void TCustomDrawGrid::SetCtl3D(bool Value)
{
    FCtl3D = Value;
    FParentCtl3D = false;
    Invalidate();
}

int TCustomDrawGrid::Col() const
{
    return FCol;
}

void TCustomDrawGrid::SetCol(int Value)
{
    if (Value < FFixedCols || Value >= FColCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range (%1)").arg(Value));
    FCol = Value;
    ApplyLayout();
}

int TCustomDrawGrid::Row() const
{
    return FRow;
}

void TCustomDrawGrid::SetRow(int Value)
{
    if (Value < FFixedRows || Value >= FRowCount)
        throw EInvalidGridOperation(QStringLiteral("Grid index out of range (%1)").arg(Value));
    FRow = Value;
    ApplyLayout();
}

int TCustomDrawGrid::TopRow() const
{
    QTableView *table = static_cast<QTableView *>(const_cast<TCustomDrawGrid *>(this)->Handle());
    return std::max(table->rowAt(0), 0) + FFixedRows;
}

void TCustomDrawGrid::SetTopRow(int Value)
{
    Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max(Value - FFixedRows, 0)), 0);
}

int TCustomDrawGrid::LeftCol() const
{
    QTableView *table = static_cast<QTableView *>(const_cast<TCustomDrawGrid *>(this)->Handle());
    return std::max(table->columnAt(0), 0) + FFixedCols;
}

void TCustomDrawGrid::SetLeftCol(int Value)
{
    Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max(Value - FFixedCols, 0)), 0);
}

QPoint TCustomDrawGrid::ClientOffset(QWidget *On) const
{
    QWidget *handle = const_cast<TCustomDrawGrid *>(this)->Handle();
    return On->mapTo(handle, QPoint(0, 0)) - QPoint(BorderWidth(), BorderWidth());
}

TRect TCustomDrawGrid::CellRect(int ACol, int ARow)
{
    QTableView *table = static_cast<QTableView *>(Handle());
    QRect r;
    QWidget *on = table->viewport();
    if (ACol < FFixedCols && ARow < FFixedRows) {
        on = table->findChild<QAbstractButton *>();
        r = on ? on->rect() : QRect();
    } else if (ARow < FFixedRows) {
        on = table->horizontalHeader()->viewport();
        const int x = table->horizontalHeader()->sectionViewportPosition(ACol - FFixedCols);
        r = QRect(x, 0, table->columnWidth(ACol - FFixedCols), on->height());
    } else if (ACol < FFixedCols) {
        on = table->verticalHeader()->viewport();
        const int y = table->verticalHeader()->sectionViewportPosition(ARow - FFixedRows);
        r = QRect(0, y, on->width(), table->rowHeight(ARow - FFixedRows));
    } else {
        r = table->visualRect(FModel->index(ARow - FFixedRows, ACol - FFixedCols));
    }
    if (!on || r.isEmpty())
        return {};
    r.translate(ClientOffset(on));
    return Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

bool TCustomDrawGrid::MouseToCell(int X, int Y, int &ACol, int &ARow)
{
    QTableView *table = static_cast<QTableView *>(Handle());
    const QPoint p = QPoint(X, Y) - ClientOffset(table->viewport());
    const QModelIndex index = table->indexAt(p);
    if (!index.isValid())
        return false;
    ACol = index.column() + FFixedCols;
    ARow = index.row() + FFixedRows;
    return true;
}

void TCustomDrawGrid::InvalidateCell(int ACol, int ARow)
{
    if (!HandleAllocated())
        return;
    Table()->viewport()->update();
    Table()->horizontalHeader()->viewport()->update();
    Table()->verticalHeader()->viewport()->update();
    Q_UNUSED(ACol);
    Q_UNUSED(ARow);
}

void TCustomDrawGrid::PaintCell(QPainter *Painter, QWidget *On, int ACol, int ARow, const QRect &R, TGridDrawState State)
{
    const QPoint offset = ClientOffset(On);
    const TRect rect = Rect(R.left() + offset.x(), R.top() + offset.y(), R.right() + 1 + offset.x(), R.bottom() + 1 + offset.y());
    Painter->save();
    FCanvas->BeginPainting(Painter);
    FCanvas->SetOrigin({-offset.x(), -offset.y()});
    FCanvas->SetFont(Font());
    FCanvas->Brush()->SetStyle(bsSolid);
    FCanvas->Pen()->SetStyle(psSolid);
    if (FDefaultDrawing) {
        if (State & gdFixed) {
            FCanvas->Brush()->SetColor(FFixedColor);
        } else if ((State & gdSelected) && (!(State & gdFocused) || (FOptions & (goDrawFocusSelected | goRowSelect)))) {
            FCanvas->Brush()->SetColor(clHighlight);
            FCanvas->Font()->SetColor(clHighlightText);
        } else {
            FCanvas->Brush()->SetColor(Color());
        }
        FCanvas->FillRect(rect);
    }
    CallGuarded(this, [&] { DrawCell(ACol, ARow, rect, State); });
    if (FDefaultDrawing && (State & gdFixed)) {
        // Fixed cells: a raised edge in 3-D, and their grid lines.
        if (FCtl3D) {
            FCanvas->Pen()->SetColor(clBtnHighlight);
            FCanvas->MoveTo(rect.Left, rect.Bottom - 1);
            FCanvas->LineTo(rect.Left, rect.Top);
            FCanvas->LineTo(rect.Right - 1, rect.Top);
        }
        FCanvas->Pen()->SetColor(clBtnShadow);
        if (FOptions & goFixedVertLine) {
            FCanvas->MoveTo(rect.Right - 1, rect.Top);
            FCanvas->LineTo(rect.Right - 1, rect.Bottom);
        }
        if (FOptions & goFixedHorzLine) {
            FCanvas->MoveTo(rect.Left, rect.Bottom - 1);
            FCanvas->LineTo(rect.Right, rect.Bottom - 1);
        }
    }
    if (FDefaultDrawing && (State & gdFocused) && !(FOptions & goRowSelect))
        FCanvas->DrawFocusRect(rect);
    FCanvas->EndPainting();
    Painter->restore();
}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

String TCustomDrawGrid::GetEditText(int ACol, int ARow)
{
    String value;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const String &Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

// TStringGrid

String TStringGrid::Cells(int ACol, int ARow) const
{
    return FCells.value(Key(ACol, ARow)).Text;
}

void TStringGrid::SetCells(int ACol, int ARow, const String &Value)
{
    FCells[Key(ACol, ARow)].Text = Value;
    InvalidateCell(ACol, ARow);
}

TObject *TStringGrid::Objects(int ACol, int ARow) const
{
    return FCells.value(Key(ACol, ARow)).Object;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject *Value)
{
    FCells[Key(ACol, ARow)].Object = Value;
}

void TStringGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (DefaultDrawing())
        Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(int ACol, int ARow)
{
    return Cells(ACol, ARow);
}

void TStringGrid::SetEditText(int ACol, int ARow, const String &Value)
{
    SetCells(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}
