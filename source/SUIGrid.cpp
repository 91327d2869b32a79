#include "SUIGrid.h"

#include "SUIPublic.h"

template <class TGrid>
TsuiGridSkin<TGrid>::TsuiGridSkin(TComponent *AOwner) : TGrid(AOwner)
{
    this->SetControlStyle(this->ControlStyle() | csOpaque);
    this->SetBorderStyle(bsNone);
    this->SetBorderWidth(1);
    SetUIStyle(GetContainerUIStyle(AOwner));
    FFocusedColor = 0x00008000;
    FSelectedColor = 0x0000FFFF;
    this->SetParentCtl3D(false);
    this->SetCtl3D(false);
}

template <class TGrid>
void TsuiGridSkin<TGrid>::SetBorderColor(TColor Value)
{
    FBorderColor = Value;
    this->Repaint();
}

template <class TGrid>
void TsuiGridSkin<TGrid>::SetFocusedColor(TColor Value)
{
    FFocusedColor = Value;
    this->Repaint();
}

template <class TGrid>
void TsuiGridSkin<TGrid>::SetSelectedColor(TColor Value)
{
    FSelectedColor = Value;
    this->Repaint();
}

template <class TGrid>
void TsuiGridSkin<TGrid>::SetUIStyle(TsuiUIStyle Value)
{
    FUIStyle = Value;
    if (Value == Custom)
        return;
    SetBorderColor(GetThemeColor(Value, 8));
    this->SetFixedColor(GetThemeColor(Value, 12));
    this->SetColor(GetThemeColor(Value, 9));
    SetFixedFontColor(GetThemeColor(Value, 13));
    this->Font()->SetColor(GetThemeColor(Value, 16));
}

template <class TGrid>
void TsuiGridSkin<TGrid>::SetFixedFontColor(TColor Value)
{
    FFixedFontColor = Value;
    this->Repaint();
}

template <class TGrid>
void TsuiGridSkin<TGrid>::SetFontColor(TColor Value)
{
    this->Font()->SetColor(Value);
    this->Repaint();
}

// A scrolling cell is filled by its state (a cell both selected and focused
// counts as focused) before the framework draws it (its text, OnDrawCell).
// Its text keeps the font's colour: the framework's highlight text colour
// goes with a highlight fill the skin does not use.
template <class TGrid>
void TsuiGridSkin<TGrid>::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (AState & gdFixed) {
        DrawFixedCell(ACol, ARow, ARect, AState);
        return;
    }
    TCanvas *canvas = this->Canvas();
    canvas->Font()->SetColor(this->Font()->Color());
    if (AState & gdSelected)
        canvas->Brush()->SetColor(FSelectedColor);
    if (AState & gdFocused)
        canvas->Brush()->SetColor(FFocusedColor);
    if (AState == 0)
        canvas->Brush()->SetColor(this->Color());
    canvas->FillRect(ARect);
    TGrid::DrawCell(ACol, ARow, ARect, AState);
}

template <class TGrid>
void TsuiGridSkin<TGrid>::DrawFixedCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    TGrid::DrawCell(ACol, ARow, ARect, AState);
}

// The grid's own painting, then the flat border over its edge.
template <class TGrid>
void TsuiGridSkin<TGrid>::WMPaint(TMessage &Message)
{
    TGrid::WMPaint(Message);
    DrawControlBorder(this, FBorderColor, this->Color());
}

// The grid covers all of its area, so nothing is erased: the whole grid
// paints again instead.
template <class TGrid>
void TsuiGridSkin<TGrid>::WMEraseBkgnd(TMessage &Message)
{
    this->Invalidate();
    Message.Result = 1;
}

template class TsuiGridSkin<TCustomDrawGrid>;
template class TsuiGridSkin<TStringGrid>;

void TsuiStringGrid::DrawFixedCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    Canvas()->Font()->SetColor(FixedFontColor());
    Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
    TStringGrid::DrawCell(ACol, ARow, ARect, AState);
}
