#pragma once
// Skinned grids: the framework's draw grid and string grid with cells
// coloured by state, fixed cells in the style's colours, a flat two-pixel
// border drawn over the grid's edge and the 3-D look switched off. Scrolling,
// editing, sizing and cell storage stay the framework's.
#include "Grids.h"
#include "SUIThemes.h"

// What both skinned grids add to their framework grid.
template <class TGrid>
class TsuiGridSkin : public TGrid {
public:
    explicit TsuiGridSkin(TComponent *AOwner);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    // The fill of the focused cell, and of the other selected cells.
    TColor FocusedColor() const { return FFocusedColor; }
    void SetFocusedColor(TColor Value);
    TColor SelectedColor() const { return FSelectedColor; }
    void SetSelectedColor(TColor Value);
    TsuiUIStyle UIStyle() const { return FUIStyle; }
    void SetUIStyle(TsuiUIStyle Value);
    // The text colour of a string grid's fixed cells.
    TColor FixedFontColor() const { return FFixedFontColor; }
    void SetFixedFontColor(TColor Value);
    // Font.Color.
    TColor FontColor() const { return this->Font()->Color(); }
    void SetFontColor(TColor Value);
    // Always false: the skinned grid is flat. Writing still reaches the
    // framework grid.
    bool Ctl3D() const { return false; }

protected:
    void DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
    // A fixed cell; the framework's drawing by default.
    virtual void DrawFixedCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState);
    void WMPaint(TMessage &Message) override;
    void WMEraseBkgnd(TMessage &Message) override;

private:
    TColor FBorderColor = clBlack;
    TColor FFocusedColor = clBlack;
    TColor FSelectedColor = clBlack;
    TsuiUIStyle FUIStyle = Custom;
    TColor FFixedFontColor = clBlack;
};

extern template class TsuiGridSkin<TCustomDrawGrid>;
extern template class TsuiGridSkin<TStringGrid>;

class TsuiCustomDrawGrid : public TsuiGridSkin<TCustomDrawGrid> {
public:
    using TsuiGridSkin::TsuiGridSkin;
};

class TsuiDrawGrid : public TsuiCustomDrawGrid {
public:
    using TsuiCustomDrawGrid::TsuiCustomDrawGrid;
};

// Its fixed cells show their text in FixedFontColor.
class TsuiStringGrid : public TsuiGridSkin<TStringGrid> {
public:
    using TsuiGridSkin::TsuiGridSkin;

protected:
    void DrawFixedCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState) override;
};
