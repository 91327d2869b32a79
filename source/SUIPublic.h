#pragma once
// Drawing routines shared by the skinned controls: a parent's background
// under a see-through control, tiling, stretching a face bitmap by corners and
// edges, frames over a control's border, three-column caps, bitmap rotation,
// the point-in-rectangle test and window placement. They draw on the caller's
// canvas and own nothing beyond temporary bitmaps and image lists made and
// freed within the call.
#include "Controls.h"
#include "Forms.h"
#include "Graphics.h"

// Key colour of face bitmaps: pixels of it are left out.
constexpr TColor SUI_TRANSPARENT_KEY = 0x00FF00FF;

// Paints Control's parent (its background, then its content) onto Canvas as
// it shows under Control: the part under Control's top-left corner lands at
// the canvas origin. Without a parent nothing is drawn. The canvas's origin
// and clip are as before afterwards.
void DrawParentBackground(TCanvas *Canvas, TControl *Control);

// Tiles Picture from the canvas origin (not from Rect's corner) until Rect's
// size is covered. An empty picture draws nothing.
void DrawTiled(TCanvas *Canvas, TGraphic *Picture, const TRect &Rect);

// True when Left <= X <= Right and Top <= Y <= Bottom: all four edges count.
bool PointInRect(const TPoint &Point, const TRect &Rect);
bool PointInRect(int X, int Y, const TRect &Rect);

// The desktop's work area, in screen coordinates.
void GetWorkAreaRect(TRect &Rect);

// Left := Point.X, then Top := Point.Y.
void PlaceControl(TControl *Control, const TPoint &Point);

// Left, Top, Width and Height of Form from Rect, in that order.
void SetFormBounds(TCustomForm *Form, const TRect &Rect);

// Stretches a face bitmap over Rect (a client rectangle: left and top pieces
// go to x = 0 and y = 0) keeping its corners. With Transparent the corners
// leave out the key colour; the edges and centre always do.
void DrawNineSlice(TBitmap *Face, TCanvas *Canvas, const TRect &Rect, bool Transparent);

// Two one-pixel frames along the edge of Control's window (its non-client
// border included): the outer in OuterColor, the one inside it in InnerColor.
void DrawControlBorder(TWinControl *Control, TColor OuterColor, TColor InnerColor);

// Draws a bitmap of three equal columns (left cap, middle, right cap) into
// Rect: the caps at their own size, the middle stretched between them. With
// Transparent the caps leave out the colour of the bitmap's pixel (0, 0).
void DrawThreeSlice(TBitmap *Bitmap, TCanvas *Canvas, const TRect &Rect, bool Transparent);

// Turn the bitmap a quarter counter-clockwise (left) or clockwise (right),
// in place.
void RotateBitmapLeft(TBitmap *Bitmap);
void RotateBitmapRight(TBitmap *Bitmap);
