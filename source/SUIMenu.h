#pragma once
// Drawing helpers of the skinned menus: the menu bar of the skinned form and
// the owner-drawn items of its drop-down menus.
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

// The menu font of the desktop, in clMenuText.
void GetSystemMenuFont(TFont *Font);
