// Drawing routines shared by the skinned controls.
#include "SUIPublic.h"

#include "ImgList.h"

#include <algorithm>

void DrawParentBackground(TCanvas *Canvas, TControl *Control)
{
    TWinControl *parent = Control->Parent();
    if (!parent)
        return;
    const HDC DC = Canvas;
    const int saved = SaveDC(DC);
    TPoint origin;
    GetViewportOrgEx(DC, &origin);
    SetViewportOrgEx(DC, origin.X - Control->Left(), origin.Y - Control->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, parent->ClientWidth(), parent->ClientHeight());
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    parent->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
}

void DrawTiled(TCanvas *Canvas, TGraphic *Picture, const TRect &Rect)
{
    const int pw = Picture->Width();
    const int ph = Picture->Height();
    // A picture without size would never step forward.
    if (pw <= 0 || ph <= 0)
        return;
    for (int x = 0; x < pw + Rect.Width(); x += pw)
        for (int y = 0; y < ph + Rect.Height(); y += ph)
            Canvas->Draw(x, y, Picture);
}

bool PointInRect(const TPoint &Point, const TRect &Rect)
{
    return PointInRect(Point.X, Point.Y, Rect);
}

bool PointInRect(int X, int Y, const TRect &Rect)
{
    return Rect.Left <= X && X <= Rect.Right && Rect.Top <= Y && Y <= Rect.Bottom;
}

void GetWorkAreaRect(TRect &Rect)
{
    SystemParametersInfo(SPI_GETWORKAREA, 0, &Rect, 0);
}

void PlaceControl(TControl *Control, const TPoint &Point)
{
    Control->SetLeft(Point.X);
    Control->SetTop(Point.Y);
}

void SetFormBounds(TCustomForm *Form, const TRect &Rect)
{
    Form->SetLeft(Rect.Left);
    Form->SetTop(Rect.Top);
    Form->SetWidth(Rect.Right - Rect.Left);
    Form->SetHeight(Rect.Bottom - Rect.Top);
}

// ---------------------------------------------------------------------------
// Nine-slice faces

namespace {

// A corner of the face: its part of the bitmap, the half of the target it may
// fill, and which outer corner of the control it belongs to.
struct TFaceCorner {
    TRect Source;
    TRect TargetHalf;
    bool AtRight;
    bool AtBottom;
};

// Draws a corner at the control's outer corner, as large as both the source
// and the target half allow, cutting the source on the side away from the
// outer corner. Returns the rectangle it occupies (empty pieces included, so
// the edges can be placed against them).
TRect DrawFaceCorner(TBitmap *Face, TCanvas *Canvas, const TRect &R, const TFaceCorner &Corner, bool Transparent)
{
    const int pw = std::max(0, std::min(Corner.Source.Width(), Corner.TargetHalf.Width()));
    const int ph = std::max(0, std::min(Corner.Source.Height(), Corner.TargetHalf.Height()));
    const int x = Corner.AtRight ? R.Right - pw : 0;
    const int y = Corner.AtBottom ? R.Bottom - ph : 0;
    const TRect placed = Bounds(x, y, pw, ph);
    if (pw == 0 || ph == 0)
        return placed;

    TRect source = Corner.Source;
    if (Corner.AtRight)
        source.Left = source.Right - pw;
    else
        source.Right = source.Left + pw;
    if (Corner.AtBottom)
        source.Top = source.Bottom - ph;
    else
        source.Bottom = source.Top + ph;

    TBitmap piece;
    piece.SetSize(pw, ph);
    piece.Canvas()->CopyRect(Rect(0, 0, pw, ph), Face->Canvas(), source);
    TImageList pieces(pw, ph);
    if (Transparent)
        pieces.AddMasked(&piece, SUI_TRANSPARENT_KEY);
    else
        pieces.Add(&piece, nullptr);
    pieces.Draw(Canvas, x, y, 0);
    return placed;
}

// Which side of an edge's source is kept when it is cut to the target's size.
enum TStripCut { scNone, scKeepLeft, scKeepRight, scKeepTop, scKeepBottom };

// Stretches a strip of the face into Target, always leaving out the key
// colour.
void DrawFaceStrip(TBitmap *Face, TCanvas *Canvas, TRect Source, const TRect &Target, TStripCut Cut)
{
    const int w = Target.Width();
    const int h = Target.Height();
    if (w <= 0 || h <= 0)
        return;
    switch (Cut) {
    case scNone:
        break;
    case scKeepLeft:
        Source.Right = Source.Left + w;
        break;
    case scKeepRight:
        Source.Left = Source.Right - w;
        break;
    case scKeepTop:
        Source.Bottom = Source.Top + h;
        break;
    case scKeepBottom:
        Source.Top = Source.Bottom - h;
        break;
    }
    TBitmap strip;
    strip.SetSize(w, h);
    strip.Canvas()->CopyRect(Rect(0, 0, w, h), Face->Canvas(), Source);
    strip.SetTransparentColor(SUI_TRANSPARENT_KEY);
    strip.SetTransparent(true);
    Canvas->StretchDraw(Target, &strip);
}

} // namespace

void DrawNineSlice(TBitmap *Face, TCanvas *Canvas, const TRect &R, bool Transparent)
{
    if (Face->Empty())
        return;
    const int W = Face->Width();
    const int H = Face->Height();
    const int hw = W / 2;
    const int hh = H / 2;
    const int dw = R.Right - R.Left;
    const int dh = R.Bottom - R.Top;
    const int hdw = dw / 2;
    const int hdh = dh / 2;

    // Corners: top-left, bottom-left, top-right, bottom-right.
    const TRect TL = DrawFaceCorner(Face, Canvas, R, {Rect(0, 0, hw, hh), Rect(0, 0, hdw, hdh), false, false},
                                    Transparent);
    const TRect BL = DrawFaceCorner(
        Face, Canvas, R, {Rect(0, H - hh + 1, hw, H), Rect(0, dh - hdh + 1, hdw, dh), false, true}, Transparent);
    const TRect TR = DrawFaceCorner(
        Face, Canvas, R, {Rect(W - hw + 1, 0, W, hh), Rect(dw - hdw + 1, 0, dw, hdh), true, false}, Transparent);
    const TRect BR = DrawFaceCorner(
        Face, Canvas, R,
        {Rect(W - hw + 1, H - hh + 1, W, H), Rect(dw - hdw + 1, dh - hdh + 1, dw, dh), true, true}, Transparent);

    // Left edge, right edge, top edge, centre, bottom edge.
    DrawFaceStrip(Face, Canvas, Rect(0, hh, hw, H - hh), Rect(0, TL.Bottom, TL.Right, BL.Top), scKeepLeft);
    DrawFaceStrip(Face, Canvas, Rect(W - hw + 1, H - hh, W, hh + 2), Rect(TR.Left, TR.Bottom, TR.Right, BR.Top),
                  scKeepRight);
    DrawFaceStrip(Face, Canvas, Rect(hw, 0, W - hw + 1, hh), Rect(TL.Right, 0, TR.Left, TL.Bottom), scKeepTop);
    DrawFaceStrip(Face, Canvas, Rect(hw, hh, W - hw + 1, H - hh), Rect(TL.Right, TL.Bottom, TR.Left, BR.Top - 1),
                  scNone);
    DrawFaceStrip(Face, Canvas, Rect(hw, H - hh, W - hw + 1, H),
                  Rect(TL.Right - 1, BL.Top - 1, BR.Left, BR.Bottom), scKeepBottom);
}

// ---------------------------------------------------------------------------
// Control borders

void DrawControlBorder(TWinControl *Control, TColor OuterColor, TColor InnerColor)
{
    TControlCanvas DC(Control, true);
    TRect R = Rect(0, 0, Control->Width(), Control->Height());
    DC.Brush()->SetColor(ColorToRGB(OuterColor));
    DC.FrameRect(R);
    InflateRect(R, -1, -1);
    DC.Brush()->SetColor(ColorToRGB(InnerColor));
    DC.FrameRect(R);
}

// ---------------------------------------------------------------------------
// Three-column caps

void DrawThreeSlice(TBitmap *Bitmap, TCanvas *Canvas, const TRect &R, bool Transparent)
{
    const int w = Bitmap->Width() / 3;
    // A bitmap narrower than three pixels has no columns to cut.
    if (w == 0)
        return;
    TImageList columns(w, Bitmap->Height());
    if (Transparent)
        columns.AddMasked(Bitmap, Bitmap->Canvas()->Pixels(0, 0));
    else
        columns.Add(Bitmap, nullptr);
    columns.Draw(Canvas, R.Left, R.Top, 0);
    columns.Draw(Canvas, R.Right - w, R.Top, 2);
    TBitmap middle;
    columns.GetBitmap(1, &middle);
    Canvas->StretchDraw(Rect(R.Left + w, R.Top, R.Right - w, R.Bottom), &middle);
}

// ---------------------------------------------------------------------------
// Rotation

namespace {

// Moves every pixel (x, y) of a W x H bitmap to Target(x, y, W, H) in a bitmap
// of H x W, then gives the bitmap those pixels.
void RotateBitmap(TBitmap *Bitmap, TPoint (*Target)(int x, int y, int W, int H))
{
    const int W = Bitmap->Width();
    const int H = Bitmap->Height();
    TBitmap rotated;
    rotated.SetSize(H, W);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const TPoint to = Target(x, y, W, H);
            rotated.Canvas()->SetPixels(to.X, to.Y, Bitmap->Canvas()->Pixels(x, y));
        }
    Bitmap->SetSize(H, W);
    Bitmap->Canvas()->Draw(0, 0, &rotated);
}

} // namespace

void RotateBitmapLeft(TBitmap *Bitmap)
{
    RotateBitmap(Bitmap, [](int x, int y, int W, int) { return Point(y, W - 1 - x); });
}

void RotateBitmapRight(TBitmap *Bitmap)
{
    RotateBitmap(Bitmap, [](int x, int y, int, int H) { return Point(H - 1 - y, x); });
}
