#pragma once
// Drawing helpers of the skinned menus: the menu bar of the skinned form and
// the owner-drawn items of its drop-down menus.
#include "Controls.h"
#include "Graphics.h"

// FrameRect / FillRect with a brush of Color; the canvas keeps its own brush.
void FrameMenuRect(TCanvas *Canvas, const TRect &Rect, TColor Color);
void FillMenuRect(TCanvas *Canvas, const TRect &Rect, TColor Color);

// The separator line of a menu item: from (Left + BarWidth + 4, Top + 2) to
// (Right - 2, Top + 2) with a pen of Color; the canvas keeps its own pen.
void DrawSeparatorLine(TCanvas *Canvas, const TRect &Rect, TColor Color, int BarWidth);

// The MacOS menu pictures, each loaded afresh, cut to a height and stretched
// over Rect: the separator is the top 12 rows of "MACOS_MENU_BAR", a selected
// item the top 20 rows of "MACOS_MENU_SELECT", an item's background the top
// 20 rows of "MACOS_MENU_BAR".
void DrawMacMenuSeparator(TCanvas *Canvas, const TRect &Rect);
void DrawMacMenuSelect(TCanvas *Canvas, const TRect &Rect);
void DrawMacMenuItemBack(TCanvas *Canvas, const TRect &Rect);

// The flat frame of a drop-down menu window, drawn on the window itself
// (through its window DC, so while it paints the drawing joins its paint):
// with the window's rectangle (L, T, R, B) moved to (0, 0), a frame
// (L, T + 1, R - 1, B - 1) in BorderColor, a white frame inside it, and the
// line (L, B - 1) - (R - 1, B - 1) - (R - 1, T) - (R, T) - (L, T) in
// LineColor. A window that is not a control's draws nothing.
void DrawFlatMenuFrame(HWND Wnd, TColor BorderColor, TColor LineColor);

// The menu font of the desktop, in clMenuText.
void GetSystemMenuFont(TFont *Font);
