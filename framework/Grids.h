#pragma once
// Grids over a Qt table view: cells addressed by column and row, the first
// FixedCols columns and FixedRows rows fixed (shown in the table's headers,
// so each may be 0 or 1), every cell painted through DrawCell on the grid's
// canvas with its state, editing and native scrolling.
#include "Controls.h"
#include "ControlsNative.h"
#include "Forms.h"

#include <QHash>

#include <memory>
#include <vector>

class QTableView;
class QPainter;
class TGridModel;

// An operation the grid cannot do (more than one fixed row, a fixed count
// that leaves no scrolling cell).
class EInvalidGridOperation : public Exception {
public:
    using Exception::Exception;
};

enum TGridDrawStateFlag : unsigned { gdSelected = 0x1, gdFocused = 0x2, gdFixed = 0x4 };
using TGridDrawState = unsigned;

enum TGridOption : unsigned {
    goFixedVertLine = 0x1,
    goFixedHorzLine = 0x2,
    goVertLine = 0x4,
    goHorzLine = 0x8,
    goRangeSelect = 0x10,
    goDrawFocusSelected = 0x20,
    goRowSizing = 0x40,
    goColSizing = 0x80,
    goEditing = 0x400,
    goTabs = 0x800,
    goRowSelect = 0x1000,
    goAlwaysShowEditor = 0x2000,
    goThumbTracking = 0x4000,
};
using TGridOptions = unsigned;

using TDrawCellEvent = std::function<void(TObject *Sender, int ACol, int ARow, const TRect &Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject *Sender, int ACol, int ARow, bool &CanSelect)>;
using TSetEditEvent = std::function<void(TObject *Sender, int ACol, int ARow, const String &Value)>;
using TGetEditEvent = std::function<void(TObject *Sender, int ACol, int ARow, String &Value)>;

class TCustomDrawGrid : public TWinControl {
public:
    explicit TCustomDrawGrid(TComponent *AOwner);
    ~TCustomDrawGrid() override;

    int ColCount() const { return FColCount; }
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    int ColWidths(int Index) const;
    void SetColWidths(int Index, int Value);
    int RowHeights(int Index) const;
    void SetRowHeights(int Index, int Value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    // The grid fills each cell's background before DrawCell and frames the
    // focused cell after it.
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool Ctl3D() const { return FCtl3D; }
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value) { FParentCtl3D = Value; }

    // The current (focused) cell.
    int Col() const;
    void SetCol(int Value);
    int Row() const;
    void SetRow(int Value);
    // The first scrolling row and column shown.
    int TopRow() const;
    void SetTopRow(int Value);
    int LeftCol() const;
    void SetLeftCol(int Value);
    // A cell's rectangle in client coordinates (empty when not shown).
    TRect CellRect(int ACol, int ARow);
    // The cell at a client point; false outside the cells.
    bool MouseToCell(int X, int Y, int &ACol, int &ARow);
    TCanvas *Canvas() const { return FCanvas.get(); }

    TDrawCellEvent OnDrawCell;
    TSelectCellEvent OnSelectCell;
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    QWidget *CreateWindowHandle(QWidget *ParentWidget) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void DefaultHandler(TMessage &Message) override;
    void CMColorChanged(TMessage &Message) override;
    // Paints one cell on Canvas, in client coordinates. The default fires OnDrawCell.
    virtual void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    // The text an editor starts with, and what it gives back.
    virtual String GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const String &Value);
    // Repaints one cell.
    void InvalidateCell(int ACol, int ARow);
    QTableView *Table() const;

private:
    friend class TGridModel;
    friend class TGridDelegate;
    friend class TGridHeader;
    friend class TGridCorner;
    void ApplyLayout();
    void PaintCell(QPainter *Painter, QWidget *On, int ACol, int ARow, const QRect &Rect, TGridDrawState State);
    // Client origin of a widget of the table.
    QPoint ClientOffset(QWidget *On) const;

    std::unique_ptr<TCanvas> FCanvas;
    TGridModel *FModel = nullptr; // owned by the table
    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    TColor FFixedColor = clBtnFace;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    bool FDefaultDrawing = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    int FCol = 1;
    int FRow = 1;
    TNativeSignals FSignals;
};

class TDrawGrid : public TCustomDrawGrid {
public:
    using TCustomDrawGrid::TCustomDrawGrid;
};

class TStringGrid : public TDrawGrid {
public:
    using TDrawGrid::TDrawGrid;

    String Cells(int ACol, int ARow) const;
    void SetCells(int ACol, int ARow, const String &Value);
    TObject *Objects(int ACol, int ARow) const;
    void SetObjects(int ACol, int ARow, TObject *Value);

protected:
    // Draws the cell's text, then the draw grid's drawing (OnDrawCell).
    void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
    String GetEditText(int ACol, int ARow) override;
    void SetEditText(int ACol, int ARow, const String &Value) override;

private:
    struct TCell {
        String Text;
        TObject *Object = nullptr;
    };
    QHash<quint64, TCell> FCells;
    static quint64 Key(int ACol, int ARow) { return (static_cast<quint64>(static_cast<quint32>(ACol)) << 32) | static_cast<quint32>(ARow); }
};
