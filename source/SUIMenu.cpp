// Drawing helpers of the skinned menus.
#include "SUIMenu.h"
#include "SUIResDef.h"

// The desktop's menu font is Qt's; the framework has no notion of it.
#include <QApplication>
#include <QFontInfo>

namespace {

// Runs Draw with the canvas brush in Color, then gives the canvas its own
// brush back.
template <typename Draw>
void WithBrushColor(TCanvas *Canvas, TColor Color, Draw draw)
{
    TBrush saved;
    saved.Assign(Canvas->Brush());
    Canvas->Brush()->SetColor(Color);
    draw();
    Canvas->SetBrush(&saved);
}

} // namespace

void FrameMenuRect(TCanvas *Canvas, const TRect &Rect, TColor Color)
{
    WithBrushColor(Canvas, Color, [&] { Canvas->FrameRect(Rect); });
}

void FillMenuRect(TCanvas *Canvas, const TRect &Rect, TColor Color)
{
    WithBrushColor(Canvas, Color, [&] { Canvas->FillRect(Rect); });
}

void DrawSeparatorLine(TCanvas *Canvas, const TRect &Rect, TColor Color, int BarWidth)
{
    TPen saved;
    saved.Assign(Canvas->Pen());
    Canvas->Pen()->SetColor(Color);
    Canvas->MoveTo(Rect.Left + BarWidth + 4, Rect.Top + 2);
    Canvas->LineTo(Rect.Right - 2, Rect.Top + 2);
    Canvas->SetPen(&saved);
}

namespace {

void DrawMacMenuPicture(TCanvas *Canvas, const TRect &Rect, const char *ResName, int Height)
{
    TBitmap picture;
    picture.LoadFromResourceName(HInstance, QLatin1String(ResName));
    picture.SetHeight(Height);
    Canvas->StretchDraw(Rect, &picture);
}

} // namespace

void DrawMacMenuSeparator(TCanvas *Canvas, const TRect &Rect)
{
    DrawMacMenuPicture(Canvas, Rect, RES_MACOS_MENU_BAR, 12);
}

void DrawMacMenuSelect(TCanvas *Canvas, const TRect &Rect)
{
    DrawMacMenuPicture(Canvas, Rect, RES_MACOS_MENU_SELECT, 20);
}

void DrawMacMenuItemBack(TCanvas *Canvas, const TRect &Rect)
{
    DrawMacMenuPicture(Canvas, Rect, RES_MACOS_MENU_BAR, 20);
}

void DrawFlatMenuFrame(HWND Wnd, TColor BorderColor, TColor LineColor)
{
    TWinControl *window = FindControl(Wnd);
    if (!window)
        return;
    TControlCanvas DC(window, true);
    // The window's rectangle in its own DC: (0, 0) to its size.
    const int L = 0, T = 0, R = window->Width(), B = window->Height();
    TRect frame = Rect(L, T + 1, R - 1, B - 1);
    DC.Brush()->SetColor(BorderColor);
    DC.FrameRect(frame);
    InflateRect(frame, -1, -1);
    DC.Brush()->SetColor(clWhite);
    DC.FrameRect(frame);
    DC.Pen()->SetColor(LineColor);
    DC.Polyline({{L, B - 1}, {R - 1, B - 1}, {R - 1, T}, {R, T}, {L, T}});
}

void GetSystemMenuFont(TFont *Font)
{
    const QFont menu = QApplication::font("QMenu");
    if (menu.family().isEmpty())
        return;
    TFont font;
    font.SetName(menu.family());
    font.SetHeight(-QFontInfo(menu).pixelSize());
    font.SetStyle((menu.bold() ? fsBold : 0) | (menu.italic() ? fsItalic : 0) | (menu.underline() ? fsUnderline : 0) |
                  (menu.strikeOut() ? fsStrikeOut : 0));
    font.SetCharset(DEFAULT_CHARSET);
    font.SetColor(clMenuText);
    Font->Assign(&font);
}
